// Pictures of the game: the built-in artwork of the main window and the
// message window (names beginning with "@"), and picture files (the wheel's
// metafiles, the exercise unit's GIF). Pictures are drawn for the pixel size
// they are shown at and kept, so that showing one again costs nothing.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <string>
#include <vector>

namespace wxqt {

// Size at scale 1 of a built-in picture, an invalid size for other names.
QSize eingebautGroesse(const std::string& name);

// A built-in picture drawn at a pixel size; a null image for an unknown name.
QImage zeichneEingebaut(const std::string& name, QSize groesse);

// A transparent image of a pixel size, to draw on.
QImage leeresBild(QSize groesse);

// True while the helper thread is still drawing this picture ahead.
bool bildInArbeit(const std::string& bild, QSize box, bool strecken, double skala, qreal dpr);

// The picture of an image control: stretched onto the box, or at its own size
// times the scale. A picture file that cannot be read shows nothing; a
// metafile without the renderer shows a plain placeholder. Results are kept
// by name and size.
QPixmap bildFuer(const std::string& bild, QSize box, bool strecken, double skala, qreal dpr);

// The sizes a window's icon is drawn at.
constexpr int kSymbolGroessen[] = {16, 32, 64};

// A picture a window is going to show, to be drawn ahead of time.
struct BildAuftrag {
    std::string bild;
    QSize box;
    bool strecken = false;
    double skala = 1;
    qreal dpr = 1;
};

// Draws these pictures on a helper thread while the caller goes on; bildFuer
// with the same arguments then takes the result over, waiting for it if it
// is not done yet.
void bilderVorbereiten(std::vector<BildAuftrag> auftraege);
// Waits for the helper thread; pictures drawn ahead and not yet taken are
// kept like any other.
void vorbereitungAbwarten();

// Number of pictures kept, and forgetting them (after a change of scale).
int bilderImSpeicher();
void vergissBilder();

}  // namespace wxqt
