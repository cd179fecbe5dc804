// The few widgets the front paints by hand: images, lines and shapes. Every
// other control kind is one of Qt's standard widgets.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <functional>

namespace wxqt {

// A picture at the top left of its box, on a transparent background.
class BildWidget : public QWidget {
public:
    explicit BildWidget(QWidget* eltern);
    void setzeBild(const QPixmap& bild);
    const QPixmap& bild() const { return bild_; }
    // A click on the picture; none by default, then clicks pass through.
    void setzeKlick(std::function<void()> klick);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPixmap bild_;
    std::function<void()> klick_;
};

// A straight line between two points of the widget.
class LinienWidget : public QWidget {
public:
    explicit LinienWidget(QWidget* eltern);
    void setzeLinie(QPointF von, QPointF bis, QColor farbe, double breite);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPointF von_, bis_;
    QColor farbe_;
    double breite_ = 1;
};

// A circle in the middle of its box, filled or outlined.
class KreisWidget : public QWidget {
public:
    explicit KreisWidget(QWidget* eltern);
    void setzeKreis(QColor rand, QColor fuellung, bool gefuellt);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor rand_, fuellung_;
    bool gefuellt_ = false;
};

// Tells screen readers that pictures, lines and shapes are graphics (their
// name comes from the game's model); once per program.
void meldeGrafikenAlsBilder();

// Puts the game's own style in place: the platform's style, except that the
// frames' border and the few standard icons the game's windows use are drawn
// in code. Loading them from Qt's built-in image files makes Qt load every
// image format plugin to find out what the files are (a menu bar asks for an
// icon when it is made, a frame for its border when it is painted).
void setzeStil();

// A label that reports a click when the game listens for one.
class KlickLabel : public QLabel {
public:
    explicit KlickLabel(QWidget* eltern);
    void setzeKlick(std::function<void()> klick);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::function<void()> klick_;
};

}  // namespace wxqt
