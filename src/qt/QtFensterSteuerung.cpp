// The platform's side of the windows: building and showing them, modeless
// and in nested modal loops, bringing them up to date with their models, and
// dispatching every event (clicks, keys, Alt shortcuts, F1, ticks, close
// requests) to the game.
#include "qt/QtPlattform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "forms/Form.h"
#include "qt/Bilder.h"
#include "qt/FormFenster.h"
#include "qt/HilfeFenster.h"
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
        if (h != &f && h->isVisible() && h->form().hauptfenster) ueber = h->frameGeometry();
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
    // The window is on the screen; before it is first painted, its images
    // get the pictures the helper was still drawing. The icon is the last
    // the helper draws ahead; what it drew and the window did not ask for is
    // kept with the other pictures.
    f.reicheBilderNach();
    f.setzeSymbol();
    vorbereitungAbwarten();
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

void QtPlattform::bereiteVor(const wx::Form& form) {
    if (beendet_ || fenster(form)) return;
    // What the window's first build will ask for, the pictures of the images
    // that are visible; then the window icon, which is set once the window
    // is on the screen.
    const qreal dpr = qApp->devicePixelRatio();
    std::vector<BildAuftrag> auftraege;
    for (const wx::Steuerelement* s : form.steuerelemente) {
        if (s->art != wx::Art::Image || s->bild.empty()) continue;
        if (!s->visible) continue;
        auftraege.push_back(
            {s->bild, FormFenster::pixelRechteck(*s, skala_).size(), s->strecken, skala_, dpr});
    }
    if (!form.symbol.empty())
        for (int seite : kSymbolGroessen) auftraege.push_back({form.symbol, QSize(seite, seite), true, 1, 1});
    bilderVorbereiten(std::move(auftraege));
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

void QtPlattform::macheBildschirmfoto(FormFenster& f) {
    fotoGemacht_ = true;
    MalWaechter waechter;
    f.installEventFilter(&waechter);
    QElapsedTimer uhr;
    uhr.start();
    while (!waechter.gemalt && uhr.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers,
                                        20);
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
