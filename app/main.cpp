// Wirbelix: the learning framework starts the game with its launch text on
// the command line; the game's folder holds the framework's files.
#include <QApplication>
#include <cstdio>
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "qt/Endewaechter.h"
#include "qt/QtPlattform.h"

int main(int argc, char** argv) {
    const QByteArray bildschirmfoto = qgetenv("WIRBELIX_SCREENSHOT");
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        if (bildschirmfoto.isEmpty()) {
            std::puts("Kein Bildschirm gefunden: WIRBELIX_SCREENSHOT=bild.png ./run.sh erzeugt ein "
                      "Bildschirmfoto.");
            return 1;
        }
        // A screenshot needs no screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    // Everything after the program's name, as the framework wrote it.
    std::string startText;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) startText += ' ';
        startText += argv[i];
    }

    QApplication app(argc, argv);
    wxqt::QtPlattform::Optionen optionen;
    if (!bildschirmfoto.isEmpty()) {
        optionen.bildschirmfoto = QString::fromLocal8Bit(bildschirmfoto);
        optionen.ton = false;
    }
    wxqt::QtPlattform plattform(optionen);
    wx::Spiel spiel(plattform);
    // SIGTERM, SIGHUP or the end of the desktop session: the game ends in
    // order, without the quit question. Before the main window is up there is
    // nothing to save yet.
    wxqt::Endewaechter waechter(plattform, [&spiel, &plattform] {
        if (spiel.hatMainFrm() && spiel.mainFrm().visible && !spiel.startFehlgeschlagen)
            spiel.mainFrm().programmEndeVonAussen();
        else
            plattform.beenden();
    });
    plattform.beiKontextHilfe = [&spiel](int helpId) { spiel.kontextHilfe(helpId); };
    return spiel.Main(startText, QCoreApplication::applicationDirPath().toStdString());
}
