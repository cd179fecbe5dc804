#include "qt/QtPlattform.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "forms/Form.h"
#include "qt/FormFenster.h"
#include "qt/HilfeFenster.h"
#include "qt/Schriften.h"
#include "qt/Ton.h"
#include "basis/Text.h"
#include "basis/Zeichen.h"

namespace wxqt {

namespace {

bool istEingabe(QEvent::Type t) {
    switch (t) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

QMargins rahmenVon(const QWidget& w) {
    const QRect aussen = w.frameGeometry(), innen = w.geometry();
    return QMargins(innen.left() - aussen.left(), innen.top() - aussen.top(), aussen.right() - innen.right(),
                    aussen.bottom() - innen.bottom());
}

// Notes that a window has been painted.
class MalWaechter : public QObject {
public:
    bool gemalt = false;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) gemalt = true;
        return false;
    }
};

}  // namespace

QtPlattform::QtPlattform() : QtPlattform(Optionen{}) {}

QtPlattform::QtPlattform(Optionen optionen) : optionen_(std::move(optionen)) {
    // The game ends its run itself; closing a window does not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(this);
    skala_ = optionen_.startSkala > 0 ? optionen_.startSkala : startSkala();
    neuSaeen();
}

QtPlattform::~QtPlattform() {
    if (qApp) qApp->removeEventFilter(this);
    // Dialogs were made after the windows they belong to: delete them first.
    for (auto it = fenster_.rbegin(); it != fenster_.rend(); ++it) delete *it;
    fenster_.clear();
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

// ---- windows ----

FormFenster* QtPlattform::fenster(const wx::Form& form) const {
    for (FormFenster* f : fenster_)
        if (&f->form() == &form) return f;
    return nullptr;
}

FormFenster& QtPlattform::sichereFenster(wx::Form& form) {
    if (FormFenster* f = fenster(form)) return *f;
    // A dialog belongs to the innermost window shown modally, so that it stays
    // in front of it; the main window and the background window stand alone.
    QWidget* eltern = nullptr;
    if (!form.eigenstaendig) {
        for (auto it = schleifen_.rbegin(); it != schleifen_.rend() && !eltern; ++it)
            if (FormFenster* f = fenster(*it->form); f && f->isVisible()) eltern = f;
    }
    auto* f = new FormFenster(*this, form, skala_, eltern);
    fenster_.push_back(f);
    return *f;
}

QMargins QtPlattform::rahmenStaerke() const {
    for (FormFenster* f : fenster_)
        if (f->isVisible()) {
            const QMargins m = rahmenVon(*f);
            if (!m.isNull()) return m;
        }
    return {};
}

void QtPlattform::zentriere(FormFenster& f) {
    const QMargins r = f.rahmen();
    const QSize aussen = f.size().grownBy(r);
    QRect ueber;
    for (FormFenster* h : fenster_)
        if (h != &f && h->isVisible() && h->form().hauptfenster)
            ueber = h->frameGeometry();
    if (ueber.isEmpty())
        if (const QScreen* s = QGuiApplication::primaryScreen()) ueber = s->availableGeometry();
    f.move(ueber.center() - QPoint(aussen.width() / 2, aussen.height() / 2));
}

void QtPlattform::zeigeFenster(FormFenster& f, bool modal) {
    const bool erstesMal = !f.property("wx_gezeigt").toBool();
    if (!f.veraenderlich()) {
        if (std::abs(f.skala() - skala_) > 1e-9) f.setzeSkala(skala_);
        f.passeGroesseAn(rahmenStaerke());
    } else if (erstesMal) {
        f.passeGroesseAn(rahmenStaerke());
    }
    if (!f.isVisible()) {
        f.setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
        if (erstesMal || !f.veraenderlich()) zentriere(f);
    }
    f.setProperty("wx_gezeigt", true);
    f.show();
    // Enter answers with the default button, wherever the focus was left the
    // last time, unless the game puts the focus somewhere itself.
    if (!f.form().fokus)
        for (wx::Steuerelement* s : f.form().steuerelemente)
            if (s->art == wx::Art::Button && s->standardKnopf && s->visible && s->enabled)
                if (QWidget* knopf = f.widgetVon(*s)) knopf->setFocus(Qt::ActiveWindowFocusReason);
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) f.raise();
    f.activateWindow();
    if (f.aussenMass()) {
        // The frame's real thickness is known once the window is on the screen.
        QPointer<FormFenster> fp(&f);
        auto nachmessen = [fp] {
            if (!fp || !fp->isVisible()) return;
            const QMargins m = rahmenVon(*fp);
            if (m != fp->rahmen()) {
                const QPoint mitte = fp->frameGeometry().center();
                fp->passeGroesseAn(m);
                const QSize aussen = fp->size().grownBy(m);
                fp->move(mitte - QPoint(aussen.width() / 2, aussen.height() / 2));
            }
        };
        QTimer::singleShot(0, &f, nachmessen);
        QTimer::singleShot(200, &f, nachmessen);
    }
}

void QtPlattform::zeigeModal(wx::Form& form) {
    if (beendet_) return;
    form.visible = true;
    FormFenster& f = sichereFenster(form);
    f.abgleichen();
    zeigeFenster(f, true);
    abgleichen();
    if (!optionen_.bildschirmfoto.isEmpty() && !fotoGemacht_) {
        fotoForm_ = &form;
        macheBildschirmfoto(f);
    }

    QEventLoop loop;
    schleifen_.push_back({&form, &loop});
    if (form.visible && !beendet_) loop.exec();
    schleifen_.pop_back();
    if (!form.visible || beendet_) {
        f.hide();
        f.setWindowModality(Qt::NonModal);
    }
}

void QtPlattform::zeigeModeless(wx::Form& form) {
    if (beendet_) return;
    form.visible = true;
    FormFenster& f = sichereFenster(form);
    f.abgleichen();
    zeigeFenster(f, false);
}

int QtPlattform::abgleichen() {
    int n = 0;
    for (FormFenster* f : fenster_) {
        n += f->abgleichen();
        if (!f->form().visible && f->isVisible()) {
            f->hide();
            f->setWindowModality(Qt::NonModal);
        }
    }
    for (const Schleife& s : schleifen_)
        if (!s.form->visible) s.loop->quit();
    letzteAenderungen_ = n;
    aenderungenGesamt_ += n;
    return n;
}

// ---- events ----

void QtPlattform::ereignis(const std::function<void()>& handler) {
    if (beendet_ || blockiert_ > 0 || !handler) return;
    handler();
    if (!beendet_) abgleichen();
}

void QtPlattform::klick(wx::Steuerelement& s) {
    if (!s.enabled || !s.visible) return;
    // Without a handler the click may still have changed the model (a check
    // box, an option): the windows are brought up to date all the same.
    const std::function<void()> handler = s.beiKlick ? s.beiKlick : [] {};  // may replace itself
    ereignis(handler);
}

void QtPlattform::menueKlick(wx::MenuEintrag& m) {
    if (!m.enabled || !m.visible || !m.beiKlick) return;
    const std::function<void()> handler = m.beiKlick;
    ereignis(handler);
}

void QtPlattform::tick(wx::Timer& t) {
    if (!t.enabled) return;
    ereignis(t.beiTick);
}

void QtPlattform::schliessAnfrage(wx::Form& form) {
    ereignis([&form] {
        if (form.beiSchliessen)
            form.beiSchliessen();
        else
            form.verstecke();
    });
}

bool QtPlattform::eventFilter(QObject* ziel, QEvent* e) {
    const QEvent::Type t = e->type();
    if ((verschlucken_ || blockiert_ > 0) && istEingabe(t)) {
        // Input made while the game was blocked is dropped, not handled late.
        if (ziel->isWidgetType() || t == QEvent::Close) return true;
    }
    if ((t == QEvent::ShortcutOverride || t == QEvent::KeyPress) && ziel->isWidgetType()) {
        // Alt and a button's underlined letter press that button even when a
        // menu title has the same letter ("&drehen" and "&Datei"): the menu
        // stays reachable with F10 and the mouse.
        auto* k = static_cast<QKeyEvent*>(e);
        if (wx::Steuerelement* knopf = knopfFuerAlt(static_cast<QWidget*>(ziel), k)) {
            e->accept();
            if (t == QEvent::KeyPress) klick(*knopf);
            return true;
        }
    }
    if (t == QEvent::KeyPress && ziel->isWidgetType() && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1 &&
        beiKontextHilfe) {
        // Context help: the topic of the highlighted menu entry or of the window.
        if (const auto nummer = hilfeNummerFuer(ziel, fenster_)) {
            const int id = *nummer;
            ereignis([this, id] { beiKontextHilfe(id); });
            return true;
        }
    }
    if (t == QEvent::KeyPress && ziel->isWidgetType()) return taste(static_cast<QWidget*>(ziel), e);
    return false;
}

wx::Steuerelement* QtPlattform::knopfFuerAlt(QWidget* empfaenger, const QKeyEvent* k) const {
    if ((k->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return nullptr;
    if (k->key() < Qt::Key_A || k->key() > Qt::Key_Z) return nullptr;
    for (FormFenster* f : fenster_) {
        if (f != empfaenger->window()) continue;
        for (wx::Steuerelement* s : f->form().steuerelemente) {
            if (s->art != wx::Art::Button || !s->visible || !s->enabled) continue;
            const auto amp = s->caption.find('&');
            if (amp == std::string::npos || amp + 1 >= s->caption.size()) continue;
            const QChar c = QChar::fromLatin1(s->caption[amp + 1]).toUpper();
            if (c.unicode() == k->key()) return s;
        }
    }
    return nullptr;
}

// The window's key handler sees a typed character before the control with the
// focus does; then the control gets the key as usual.
bool QtPlattform::taste(QWidget* empfaenger, QEvent* e) {
    if (std::find(weitergereicht_.begin(), weitergereicht_.end(), e) != weitergereicht_.end()) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    // Ctrl and Alt keys are commands and accelerators, not typed letters.
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = k->text();
    if (text.isEmpty()) return false;
    FormFenster* f = nullptr;
    for (FormFenster* kandidat : fenster_)
        if (kandidat == empfaenger->window()) f = kandidat;
    if (!f || !f->form().beiTaste) return false;
    const int code = wx::nachWindows1252(text.at(0).unicode());
    if (code <= 0 || code == '\t') return false;

    wx::Form& form = f->form();
    QPointer<QWidget> w(empfaenger);
    ereignis([&form, code] {
        if (form.beiTaste) form.beiTaste(code);
    });
    if (w && !beendet_) {
        weitergereicht_.push_back(e);
        QCoreApplication::sendEvent(w, e);
        weitergereicht_.pop_back();
    }
    // This delivery has been handled completely above.
    e->accept();
    return true;
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

void QtPlattform::macheBildschirmfoto(FormFenster& f) {
    fotoGemacht_ = true;
    MalWaechter waechter;
    f.installEventFilter(&waechter);
    QElapsedTimer uhr;
    uhr.start();
    while (!waechter.gemalt && uhr.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers, 20);
        if (!waechter.gemalt) QThread::msleep(5);
    }
    f.removeEventFilter(&waechter);
    const QPixmap bild = f.grab();
    fotoGeschrieben_ = bild.save(optionen_.bildschirmfoto, "PNG");
    // Nothing else of the run may happen: no settings, no records, no sound.
    // The program ends as on a signal before the game is up: every window
    // and loop closes and main returns, so everything is torn down in order.
    beenden();
}

}  // namespace wxqt
