// Draws the game's icon, the small wheel of the window's title bar, as a PNG
// of the given size for the desktop:  mkicon <file.png> <pixels>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "qt/Bilder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: mkicon <datei.png> <pixel>\n");
        return 2;
    }
    const int pixel = std::atoi(argv[2]);
    if (pixel < 16 || pixel > 1024) {
        std::fprintf(stderr, "mkicon: Größe %s liegt nicht zwischen 16 und 1024\n", argv[2]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QImage bild = wxqt::zeichneEingebaut("@symbol", QSize(pixel, pixel));
    if (bild.isNull() || !bild.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "mkicon: %s kann nicht geschrieben werden\n", argv[1]);
        return 1;
    }
    return 0;
}
