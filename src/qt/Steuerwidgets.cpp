#include "qt/Steuerwidgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

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

void meldeGrafikenAlsBilder() {
    static const bool gemeldet = (QAccessible::installFactory(grafikZugang), true);
    (void)gemeldet;
}

}  // namespace wxqt
