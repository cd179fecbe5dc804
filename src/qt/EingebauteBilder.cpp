// The built-in artwork of the main window and the message window, each
// picture drawn with QPainter in its own pixel grid and scaled to the size
// it is shown at.
#include "qt/Bilder.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace wxqt {

namespace {

// ---- the built-in artwork, each drawn in its own pixel grid at scale 1 ----

void radkappe(QPainter& p) {
    const QPointF m(9.5, 9.5);
    QRadialGradient metall(QPointF(7, 6.5), 11);
    metall.setColorAt(0, QColor(250, 250, 252));
    metall.setColorAt(0.55, QColor(186, 192, 200));
    metall.setColorAt(1, QColor(96, 104, 116));
    p.setPen(QPen(QColor(52, 58, 68), 0.9));
    p.setBrush(metall);
    p.drawEllipse(m, 8.8, 8.8);
    QRadialGradient innen(QPointF(10.5, 11), 6);
    innen.setColorAt(0, QColor(230, 234, 240));
    innen.setColorAt(1, QColor(130, 138, 150));
    p.setPen(QPen(QColor(90, 98, 110), 0.6));
    p.setBrush(innen);
    p.drawEllipse(m, 5.2, 5.2);
    QRadialGradient knopf(QPointF(8.8, 8.8), 3);
    knopf.setColorAt(0, QColor(255, 150, 130));
    knopf.setColorAt(1, QColor(200, 30, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(knopf);
    p.drawEllipse(m, 2.4, 2.4);
}

void stopmarke(QPainter& p) {
    // Points to the left, at the wheel.
    QPainterPath pfeil;
    pfeil.moveTo(0.8, 7.5);
    pfeil.lineTo(14.2, 1.2);
    pfeil.quadTo(13.2, 7.5, 14.2, 13.8);
    pfeil.closeSubpath();
    QLinearGradient rot(0, 1, 0, 14);
    rot.setColorAt(0, QColor(255, 110, 80));
    rot.setColorAt(1, QColor(190, 18, 12));
    p.setPen(QPen(QColor(110, 0, 0), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(rot);
    p.drawPath(pfeil);
    p.setPen(QPen(QColor(255, 255, 255, 170), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 6.6), QPointF(11.5, 3.2));
}

void lampe(QPainter& p, bool gruen) {
    const QPointF m(13, 13);
    QRadialGradient fassung(QPointF(10, 9), 16);
    fassung.setColorAt(0, QColor(200, 204, 210));
    fassung.setColorAt(1, QColor(70, 76, 86));
    p.setPen(QPen(QColor(40, 44, 50), 0.8));
    p.setBrush(fassung);
    p.drawEllipse(m, 12.4, 12.4);
    QRadialGradient licht(QPointF(11, 10.5), 12);
    if (gruen) {
        licht.setColorAt(0, QColor(200, 255, 170));
        licht.setColorAt(0.45, QColor(52, 196, 58));
        licht.setColorAt(1, QColor(10, 96, 20));
    } else {
        licht.setColorAt(0, QColor(255, 190, 170));
        licht.setColorAt(0.45, QColor(228, 40, 28));
        licht.setColorAt(1, QColor(120, 10, 6));
    }
    p.setPen(QPen(QColor(30, 30, 30, 160), 0.6));
    p.setBrush(licht);
    p.drawEllipse(m, 9.6, 9.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(10.2, 9.2), 3.6, 2.4);
}

// The scale of the guess-time meter runs over 264 degrees, from the lower
// left (no time used) clockwise over the top to the lower right.
void vuSkala(QPainter& p, bool ein) {
    const QPointF m(27.5, 27.5);
    QRadialGradient rand(QPointF(22, 20), 34);
    rand.setColorAt(0, QColor(130, 140, 154));
    rand.setColorAt(1, QColor(38, 44, 54));
    p.setPen(Qt::NoPen);
    p.setBrush(rand);
    p.drawEllipse(m, 27.2, 27.2);
    QRadialGradient flaeche(QPointF(24, 22), 28);
    flaeche.setColorAt(0, ein ? QColor(255, 255, 248) : QColor(240, 240, 240));
    flaeche.setColorAt(1, ein ? QColor(236, 232, 214) : QColor(204, 204, 204));
    p.setBrush(flaeche);
    p.drawEllipse(m, 24, 24);

    constexpr int kSchritte = 20;
    auto farbe = [ein](double t) {
        if (!ein) return QColor(160, 160, 160);
        const QColor gruen(40, 178, 76), gelb(245, 196, 0), rot(224, 48, 30);
        const QColor& a = t < 0.5 ? gruen : gelb;
        const QColor& b = t < 0.5 ? gelb : rot;
        const double u = t < 0.5 ? t * 2 : (t - 0.5) * 2;
        return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * u,
                                a.greenF() + (b.greenF() - a.greenF()) * u,
                                a.blueF() + (b.blueF() - a.blueF()) * u);
    };
    const QRectF bogen(m.x() - 19, m.y() - 19, 38, 38);
    for (int i = 0; i < kSchritte; ++i) {
        // Screen angle (counter-clockwise from three o'clock) = 180 - needle angle.
        const double von = 180.0 - (i * 264.0 / kSchritte - 42.0);
        p.setPen(QPen(farbe((i + 0.5) / kSchritte), 4.2, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(bogen, static_cast<int>(std::lround(von * 16)),
                  static_cast<int>(std::lround(-264.0 / kSchritte * 16)));
    }
    for (int i = 0; i <= kSchritte; ++i) {
        const double grad = (i * 264.0 / kSchritte - 42.0) * M_PI / 180.0;
        const double innen = i % 5 == 0 ? 13.5 : 15.5;
        const QPointF richtung(-std::cos(grad), -std::sin(grad));
        p.setPen(QPen(ein ? QColor(60, 60, 60) : QColor(130, 130, 130), i % 5 == 0 ? 1.1 : 0.7));
        p.drawLine(m + richtung * innen, m + richtung * 17.0);
    }
    // A little clock in the lower half says what the meter measures.
    const QPointF uhr(27.5, 41.5);
    p.setPen(QPen(ein ? QColor(60, 60, 60) : QColor(140, 140, 140), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(uhr, 4.2, 4.2);
    p.drawLine(uhr, uhr + QPointF(0, -2.8));
    p.drawLine(uhr, uhr + QPointF(2.2, 0));
}

void energieRahmen(QPainter& p) {
    QLinearGradient blech(0, 0, 37, 0);
    blech.setColorAt(0, QColor(238, 243, 249));
    blech.setColorAt(1, QColor(176, 190, 206));
    p.setPen(QPen(QColor(84, 100, 120), 1));
    p.setBrush(blech);
    p.drawRoundedRect(QRectF(0.5, 0.5, 36, 343), 7, 7);
    // The slot the bar stands in: the bar is 5 pixels wide at 12, 4.
    p.setPen(QPen(QColor(60, 70, 84), 0.8));
    p.setBrush(QColor(36, 40, 48));
    p.drawRoundedRect(QRectF(9.5, 1.6, 11, 312.8), 3, 3);
    p.setPen(QPen(QColor(84, 100, 120), 1));
    for (int i = 0; i <= 10; ++i) {
        const double y = 4 + 307.0 * i / 10;
        const double lang = i % 5 == 0 ? 5 : 3;
        p.drawLine(QPointF(8 - lang, y), QPointF(8, y));
        p.drawLine(QPointF(22, y), QPointF(22 + lang, y));
    }
    // An hourglass at the foot: this bar is the time left to play.
    QPainterPath glas;
    glas.moveTo(12.5, 318.5);
    glas.lineTo(24.5, 318.5);
    glas.lineTo(18.5, 329);
    glas.lineTo(24.5, 339.5);
    glas.lineTo(12.5, 339.5);
    glas.lineTo(18.5, 329);
    glas.closeSubpath();
    p.setPen(QPen(QColor(70, 84, 104), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPath(glas);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 180, 60));
    QPainterPath sand;
    sand.moveTo(14.5, 338.5);
    sand.lineTo(22.5, 338.5);
    sand.lineTo(18.5, 333);
    sand.closeSubpath();
    p.drawPath(sand);
    p.drawPolygon(QPolygonF({QPointF(16, 322.5), QPointF(21, 322.5), QPointF(18.5, 326.5)}));
}

void energieBalken(QPainter& p) {
    QLinearGradient verlauf(0, 0, 0, 301);
    verlauf.setColorAt(0, QColor(46, 196, 70));
    verlauf.setColorAt(0.55, QColor(240, 208, 30));
    verlauf.setColorAt(1, QColor(226, 46, 28));
    p.fillRect(QRectF(0, 0, 5, 301), verlauf);
    p.fillRect(QRectF(1, 0, 1, 301), QColor(255, 255, 255, 90));
}

void meldung(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QPointF(23.5, 42), 15, 2.6);
    QRadialGradient blau(QPointF(18, 14), 26);
    blau.setColorAt(0, QColor(120, 190, 255));
    blau.setColorAt(1, QColor(24, 100, 200));
    p.setPen(QPen(QColor(16, 70, 140), 1.2));
    p.setBrush(blau);
    p.drawEllipse(QPointF(22.5, 21), 19, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(22.5, 11.5), 3.2, 3.2);
    p.drawRoundedRect(QRectF(19.8, 17, 5.4, 16.5), 2.4, 2.4);
    p.drawRoundedRect(QRectF(17.5, 30.5, 10, 3), 1.4, 1.4);
}

// The window icon: a small wheel of ten coloured segments with its hub.
void symbol(QPainter& p) {
    static const QColor kSegmente[] = {{230, 40, 40},  {250, 150, 20}, {250, 220, 30}, {120, 200, 40},
                                       {30, 160, 80},  {30, 170, 200}, {40, 90, 210},  {120, 60, 190},
                                       {200, 50, 160}, {240, 100, 120}};
    const QRectF rad(1.5, 1.5, 29, 29);
    p.setPen(QPen(QColor(40, 40, 50), 0.8));
    for (int i = 0; i < 10; ++i) {
        p.setBrush(kSegmente[i]);
        p.drawPie(rad, i * 36 * 16, 36 * 16);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 40, 50), 1.4));
    p.drawEllipse(rad);
    p.save();
    p.translate(6.5, 6.5);
    radkappe(p);
    p.restore();
}

// The about window's picture: a small wheel and the game's name.
void infoLogo(QPainter& p) {
    const QColor farben[] = {{229, 50, 42}, {245, 197, 24}, {46, 160, 62}, {42, 92, 216}, {240, 130, 30}};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 10; ++i) {
        p.setBrush(farben[i % 5]);
        p.drawPie(QRectF(2, 2, 33, 33), i * 36 * 16, 36 * 16);
    }
    p.setPen(QPen(QColor(48, 48, 56), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 2, 33, 33));
    p.setBrush(QColor(48, 48, 56));
    p.drawEllipse(QPointF(18.5, 18.5), 3.5, 3.5);
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPixelSize(15);
    schrift.setBold(true);
    p.setFont(schrift);
    p.setPen(QColor(192, 40, 60));
    p.drawText(QRectF(38, 0, 62, 37), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Wirbelix"));
}

// The computer player: a friendly monitor on its stand, thinking.
void computer(QPainter& p) {
    QLinearGradient gehaeuse(0, 6, 0, 58);
    gehaeuse.setColorAt(0, QColor(236, 232, 220));
    gehaeuse.setColorAt(1, QColor(178, 172, 156));
    p.setPen(QPen(QColor(90, 86, 76), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gehaeuse);
    p.drawRoundedRect(QRectF(12, 8, 61, 50), 6, 6);
    QLinearGradient schirm(0, 13, 0, 52);
    schirm.setColorAt(0, QColor(40, 110, 190));
    schirm.setColorAt(1, QColor(14, 52, 110));
    p.setBrush(schirm);
    p.setPen(QPen(QColor(50, 50, 60), 1));
    p.drawRoundedRect(QRectF(18, 13, 49, 39), 3, 3);
    // A face on the screen.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 210));
    p.drawEllipse(QPointF(33, 28), 3.2, 4);
    p.drawEllipse(QPointF(52, 28), 3.2, 4);
    p.setPen(QPen(QColor(250, 250, 210), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(33, 30, 19, 12), -20 * 16, -140 * 16);
    // Stand and keyboard.
    p.setPen(QPen(QColor(90, 86, 76), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gehaeuse);
    p.drawPolygon(QPolygonF({QPointF(36, 58), QPointF(49, 58), QPointF(53, 64), QPointF(32, 64)}));
    p.drawRoundedRect(QRectF(8, 66, 69, 9), 2, 2);
    p.setPen(QPen(QColor(120, 114, 100), 0.8));
    for (int i = 0; i < 10; ++i) p.drawLine(QPointF(13 + i * 6.5, 69), QPointF(16 + i * 6.5, 69));
    p.drawLine(QPointF(26, 72.2), QPointF(59, 72.2));
    // Thought bubbles above the right corner: the computer is at work.
    p.setPen(QPen(QColor(70, 70, 80), 0.9));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(76, 10), 5.5, 4.5);
    p.drawEllipse(QPointF(71, 17.5), 2.2, 2);
    p.setPen(QPen(QColor(40, 110, 190), 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) p.drawPoint(QPointF(73.5 + i * 2.5, 10));
}

struct Eingebaut {
    const char* name;
    int breite, hoehe;
    void (*zeichne)(QPainter&);
};

const Eingebaut kEingebaut[] = {
    {"@radkappe", 19, 19, radkappe},
    {"@stopmarke", 15, 15, stopmarke},
    {"@lampe_gruen", 26, 26, [](QPainter& p) { lampe(p, true); }},
    {"@lampe_rot", 26, 26, [](QPainter& p) { lampe(p, false); }},
    {"@vu_ein", 55, 55, [](QPainter& p) { vuSkala(p, true); }},
    {"@vu_aus", 55, 55, [](QPainter& p) { vuSkala(p, false); }},
    {"@energie_rahmen", 37, 344, energieRahmen},
    {"@energie_balken", 5, 301, energieBalken},
    {"@meldung", 45, 45, meldung},
    {"@symbol", 32, 32, symbol},
    {"@info_logo", 100, 37, infoLogo},
    {"@computer", 85, 78, computer},
};

const Eingebaut* finde(const std::string& name) {
    for (const auto& e : kEingebaut)
        if (name == e.name) return &e;
    return nullptr;
}

}  // namespace

QSize eingebautGroesse(const std::string& name) {
    const Eingebaut* e = finde(name);
    return e ? QSize(e->breite, e->hoehe) : QSize();
}

QImage zeichneEingebaut(const std::string& name, QSize groesse) {
    const Eingebaut* e = finde(name);
    if (!e || groesse.isEmpty()) return {};
    QImage bild = leeresBild(groesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(groesse.width()) / e->breite, double(groesse.height()) / e->hoehe);
    e->zeichne(p);
    return bild;
}

}  // namespace wxqt
