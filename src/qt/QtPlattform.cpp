// The ports of the platform: clock, text size, random numbers, help, the
// blocking pause, sound and the end. Events, windows and modal loops are in
// QtFensterSteuerung.cpp.
#include "qt/QtPlattform.h"

#include <QApplication>
#include <QDate>
#include <QEventLoop>
#include <QFileInfo>
#include <QScreen>
#include <QThread>
#include <QTime>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "qt/Bilder.h"
#include "qt/FormFenster.h"
#include "qt/HilfeFenster.h"
#include "qt/Schriften.h"
#include "qt/Steuerwidgets.h"
#include "qt/Ton.h"
#include "basis/Text.h"

namespace wxqt {

QtPlattform::QtPlattform() : QtPlattform(Optionen{}) {}

QtPlattform::QtPlattform(Optionen optionen) : optionen_(std::move(optionen)) {
    // The game ends its run itself; closing a window does not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(this);
    meldeGrafikenAlsBilder();
    setzeStil();
    setzeGrundschrift();
    // The menu stays in the window on every desktop, where the layout has
    // room for it: no global menu bar, and no question on the session bus
    // whether the desktop has one.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    skala_ = optionen_.startSkala > 0 ? optionen_.startSkala : startSkala();
    neuSaeen();
}

QtPlattform::~QtPlattform() {
    if (qApp) qApp->removeEventFilter(this);
    // Dialogs were made after the windows they belong to: delete them first.
    for (auto it = fenster_.rbegin(); it != fenster_.rend(); ++it) delete *it;
    fenster_.clear();
    // No picture may still be drawn once the application is gone.
    vergissBilder();
}

double QtPlattform::startSkala() const {
    const QScreen* schirm = QGuiApplication::primaryScreen();
    if (!schirm) return 1.0;
    const double basis = std::max(1.0, schirm->logicalDotsPerInch() / 96.0);
    const QRect frei = schirm->availableGeometry();
    // Room for the title bar, the menu bar and the border around the layout.
    auto passt = [&frei](double s) { return 640 * s + 16 <= frei.width() && 442 * s + 80 <= frei.height(); };
    for (double faktor : {1.5, 1.25, 1.0})
        if (passt(basis * faktor)) return basis * faktor;
    return std::max(0.5, std::min((frei.width() - 16) / 640.0, (frei.height() - 80) / 442.0));
}

// ---- clock, text, random numbers ----

double QtPlattform::tageszeit() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

wx::Datum QtPlattform::heute() {
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

wx::TextGroesse QtPlattform::textGroesse(const std::string& text, const wx::Schrift& schrift) {
    return misstText(text, schrift);
}

void QtPlattform::neuSaeen() {
    zufall_.seed(static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

double QtPlattform::zufall() { return static_cast<double>(zufall_() >> 11) * (1.0 / 9007199254740992.0); }

HilfeVerwaltung& QtPlattform::hilfeFenster() {
    if (!hilfe_) hilfe_ = std::make_unique<HilfeVerwaltung>();
    return *hilfe_;
}

void QtPlattform::hilfe(const std::string& datei, int befehl, int32_t kontext) {
    if (beendet_ && befehl != 18) return;
    hilfeFenster().hilfe(datei, befehl, kontext);
}

// ---- drawing and the blocking pause ----

void QtPlattform::jetztZeichnen() {
    abgleichen();
    for (FormFenster* f : fenster_)
        if (f->isVisible()) f->repaint();
}

void QtPlattform::beginnePause() {
    jetztZeichnen();
    ++blockiert_;
}

void QtPlattform::schlafe(double sekunden) {
    QThread::msleep(static_cast<unsigned long>(std::max(0L, std::lround(sekunden * 1000))));
}

void QtPlattform::beendePause() {
    verschluckeEingaben();
    if (blockiert_ > 0) --blockiert_;
}

void QtPlattform::verschluckeEingaben() {
    // Whatever the window system queued meanwhile is fetched now and input
    // among it dropped by the filter; timers wait for the event loop.
    verschlucken_ = true;
    for (int i = 0; i < 2; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
    verschlucken_ = false;
}

// ---- sound ----

void QtPlattform::spieleWav(const std::string& pfad, bool warten) {
    if (!optionen_.ton || beendet_) return;
    const QString datei = QString::fromStdString(wx::findeDatei(pfad));
    if (!QFileInfo::exists(datei)) return;
    if (!ton_) ton_ = new Ton(this);
    ton_->spiele(datei);
    if (!warten) return;

    // Waiting for a sound blocks the game like a pause: the screen is brought
    // up to date first, input meanwhile is dropped, no timer is handled.
    jetztZeichnen();
    ++blockiert_;
    ton_->warteAufEnde();
    verschluckeEingaben();
    --blockiert_;
}

void QtPlattform::schliesseAudio() {
    if (ton_) ton_->schliesse();
}

// ---- the end ----

void QtPlattform::beenden() {
    beendet_ = true;
    for (const Schleife& s : schleifen_) s.loop->quit();
    for (FormFenster* f : fenster_) f->hide();
    if (hilfe_) hilfe_->schliesseAlle();
    QCoreApplication::exit(0);
}

}  // namespace wxqt
