// Wirbelix: the learning framework starts the game with its launch text on
// the command line; the game's folder holds the framework's files.
#include <QApplication>
#include <malloc.h>
#include <cstdio>
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"
#include "qt/Endewaechter.h"
#include "qt/QtPlattform.h"

int main(int argc, char** argv) {
    // One heap for all threads: the helpers (pictures at start-up, sound)
    // are short or idle, and memory they free is then the main thread's to
    // reuse instead of staying in an arena of their own.
    mallopt(M_ARENA_MAX, 1);
    const QByteArray bildschirmfoto = qgetenv("WIRBELIX_SCREENSHOT");
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        if (bildschirmfoto.isEmpty()) {
            std::puts(
                "Kein Bildschirm gefunden: WIRBELIX_SCREENSHOT=bild.png ./run.sh erzeugt ein "
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
    int status = spiel.Main(startText, QCoreApplication::applicationDirPath().toStdString());
    if (!bildschirmfoto.isEmpty()) {
        // The exit status tells a script whether the game came up: the picture
        // must be written and must show the main window, not a message that
        // ended the start.
        if (!plattform.fotoGeschrieben()) {
            std::fprintf(stderr, "Das Bildschirmfoto konnte nicht nach \"%s\" geschrieben werden.\n",
                         bildschirmfoto.constData());
            status = 2;
        } else if (!spiel.hatMainFrm() || plattform.fotografiert() != &spiel.mainFrm()) {
            std::fprintf(stderr, "Wirbelix ist nicht gestartet: das Bildschirmfoto zeigt eine Meldung.\n");
            if (status == 0) status = 1;
        }
    }
    // Returning from main ends the program through its normal shutdown: the
    // game, the platform and the application are destroyed in order.
    return status;
}
