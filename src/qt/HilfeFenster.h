// The help viewer of the front: a window of our own per help file, showing
// its pages in a text browser that loads every page, picture and style sheet
// from the compiled help file.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenuBar;

namespace wx {
class ChmDatei;
struct MenuEintrag;
}  // namespace wx

namespace wxqt {

class FormFenster;

// Pages are addressed as "chm:/folder/page.htm#anchor" inside the open file.
class HilfeBrowser : public QTextBrowser {
public:
    explicit HilfeBrowser(QWidget* eltern = nullptr);
    void setzeDatei(std::shared_ptr<wx::ChmDatei> chm) { chm_ = std::move(chm); }
    QVariant loadResource(int type, const QUrl& name) override;
    // Shows a page of the file, or says in German that it is missing.
    void oeffne(const QUrl& ziel);
    // Shows a German message instead of a page.
    void zeigeFehler(const QString& text);
    const QString& fehler() const { return fehler_; }

    static QUrl adresse(const std::string& internerPfad);

private:
    void verweis(const QUrl& ziel);
    std::shared_ptr<wx::ChmDatei> chm_;
    QString fehler_;
};

class HilfeFenster : public QWidget {
public:
    // datei: the help file on this system.
    explicit HilfeFenster(const QString& datei);
    const QString& datei() const { return datei_; }
    // Command 0 (default topic) or 15 (topic by number); opens the file anew,
    // so a file that appeared or changed meanwhile is read as it is now.
    void zeige(int befehl, int32_t kontext);
    HilfeBrowser* browser() const { return browser_; }

private:
    void titelNachSeite();
    QString datei_;
    HilfeBrowser* browser_;
    std::shared_ptr<wx::ChmDatei> chm_;
    QAction *zurueck_, *vor_, *start_;
};

// All help windows the game opened, one per help file.
class HilfeVerwaltung {
public:
    ~HilfeVerwaltung();
    // The help port: 0 default topic, 15 topic by number, 18 close all.
    void hilfe(const std::string& datei, int befehl, int32_t kontext);
    void schliesseAlle();
    std::vector<HilfeFenster*> fenster() const;

private:
    std::map<QString, QPointer<HilfeFenster>> fenster_;
};

// The topic number F1 asks for where a key press arrived: a highlighted menu
// entry, else the control with the focus, else its window; nullopt when the
// key did not arrive in one of these windows.
std::optional<int> hilfeNummerFuer(QObject* ziel, const std::vector<FormFenster*>& fenster);

}  // namespace wxqt
