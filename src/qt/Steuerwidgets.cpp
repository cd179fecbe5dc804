#include "qt/Steuerwidgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

namespace wxqt {

BildWidget::BildWidget(QWidget* eltern) : QWidget(eltern) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void BildWidget::setzeBild(const QPixmap& bild) {
    if (bild.cacheKey() == bild_.cacheKey()) return;
    bild_ = bild;
    update();
}

void BildWidget::setzeKlick(std::function<void()> klick) {
    klick_ = std::move(klick);
    setAttribute(Qt::WA_TransparentForMouseEvents, !klick_);
}

void BildWidget::paintEvent(QPaintEvent*) {
    if (bild_.isNull()) return;
    QPainter p(this);
    p.drawPixmap(0, 0, bild_);
}

void BildWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (klick_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) klick_();
}

LinienWidget::LinienWidget(QWidget* eltern) : QWidget(eltern) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LinienWidget::setzeLinie(QPointF von, QPointF bis, QColor farbe, double breite) {
    von_ = von;
    bis_ = bis;
    farbe_ = farbe;
    breite_ = breite;
    update();
}

void LinienWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Lines along an axis stay crisp; slanted ones (the meter's needle) are smoothed.
    const bool schraeg = von_.x() != bis_.x() && von_.y() != bis_.y();
    p.setRenderHint(QPainter::Antialiasing, schraeg);
    p.setPen(QPen(farbe_, breite_, Qt::SolidLine, schraeg ? Qt::RoundCap : Qt::FlatCap));
    p.drawLine(von_, bis_);
}

KreisWidget::KreisWidget(QWidget* eltern) : QWidget(eltern) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void KreisWidget::setzeKreis(QColor rand, QColor fuellung, bool gefuellt) {
    rand_ = rand;
    fuellung_ = fuellung;
    gefuellt_ = gefuellt;
    update();
}

void KreisWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double d = std::min(width(), height()) - 1.0;
    const QRectF r((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    p.setPen(QPen(rand_, 1));
    p.setBrush(gefuellt_ ? QBrush(fuellung_) : Qt::NoBrush);
    p.drawEllipse(r);
}

KlickLabel::KlickLabel(QWidget* eltern) : QLabel(eltern) {}

void KlickLabel::setzeKlick(std::function<void()> klick) { klick_ = std::move(klick); }

void KlickLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (klick_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        klick_();
        return;
    }
    QLabel::mouseReleaseEvent(e);
}

namespace {

// Without this, a painted widget is a generic "client" area to a screen
// reader (a "filler" over AT-SPI) and is skipped like an empty panel.
QAccessibleInterface* grafikZugang(const QString&, QObject* objekt) {
    auto* w = qobject_cast<QWidget*>(objekt);
    if (dynamic_cast<BildWidget*>(w) || dynamic_cast<LinienWidget*>(w) || dynamic_cast<KreisWidget*>(w))
        return new QAccessibleWidget(w, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

namespace {

// A menu bar too narrow for its titles shows this button: a double chevron.
QIcon erweiterungsSymbol(bool waagerecht, const QColor& farbe) {
    QIcon symbol;
    for (int seite : {16, 24, 32}) {
        QPixmap bild(seite, seite);
        bild.fill(Qt::transparent);
        QPainter p(&bild);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(farbe, seite / 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const double a = seite * 0.28, b = seite * 0.5, h = seite * 0.22;
        QPainterPath pfad;
        for (double x : {a, b}) {
            pfad.moveTo(x, seite / 2.0 - h);
            pfad.lineTo(x + h, seite / 2.0);
            pfad.lineTo(x, seite / 2.0 + h);
        }
        if (!waagerecht) p.setTransform(QTransform(0, 1, 1, 0, 0, 0));  // mirrored on the diagonal
        p.drawPath(pfad);
        symbol.addPixmap(bild);
    }
    return symbol;
}

class Stil : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap art, const QStyleOption* option, const QWidget* widget) const override {
        if (art == SP_ToolBarHorizontalExtensionButton || art == SP_ToolBarVerticalExtensionButton)
            return erweiterungsSymbol(
                art == SP_ToolBarHorizontalExtensionButton,
                widget ? widget->palette().color(QPalette::ButtonText) : QColor(Qt::black));
        return QProxyStyle::standardIcon(art, option, widget);
    }

    // A frame's border: a rounded line a little darker than the window, as
    // the platform's style draws it from an image file.
    void drawPrimitive(PrimitiveElement art, const QStyleOption* option, QPainter* p,
                       const QWidget* widget) const override {
        if (art != PE_FrameGroupBox || !option) return QProxyStyle::drawPrimitive(art, option, p, widget);
        // The border runs below the title, as in the platform's style.
        constexpr int kTitelAbstand = 3;
        const auto* rahmen = qobject_cast<const QGroupBox*>(widget);
        int oben = kTitelAbstand;
        if (!rahmen || rahmen->isCheckable() || !rahmen->title().isEmpty())
            oben += std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                             option->fontMetrics.height());
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        const QColor grund = option->palette.color(QPalette::Window);
        const QRectF rand = QRectF(option->rect.adjusted(0, oben, 0, 0)).adjusted(1.5, 1.5, -0.5, -0.5);
        p->setPen(QPen(grund.darker(110), 1));
        p->setBrush(grund.darker(101));
        p->drawRoundedRect(rand, 2, 2);
        p->setPen(QPen(grund.darker(103), 1));
        p->setBrush(Qt::NoBrush);
        p->drawRoundedRect(rand.adjusted(1, 1, -1, -1), 1.5, 1.5);
        p->restore();
    }
};

}  // namespace

void setzeStil() {
    if (dynamic_cast<Stil*>(QApplication::style())) return;
    QApplication::setStyle(new Stil(QStyleFactory::create(QApplication::style()->name())));
}

void meldeGrafikenAlsBilder() {
    static const bool gemeldet = (QAccessible::installFactory(grafikZugang), true);
    (void)gemeldet;
}

}  // namespace wxqt
