#include "qt/FormFenster.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "qt/Bilder.h"
#include "qt/Masse.h"
#include "qt/QtPlattform.h"
#include "qt/Schriften.h"
#include "qt/Steuerwidgets.h"
#include "qt/XFlaeche.h"

namespace wxqt {

using wx::Art;

namespace {

QColor farbe(const wx::Farbe& f) { return QColor(f.r, f.g, f.b); }

Qt::Alignment ausrichtung(wx::Ausrichtung a) {
    switch (a) {
        case wx::Ausrichtung::Mitte:
            return Qt::AlignHCenter | Qt::AlignTop;
        case wx::Ausrichtung::Rechts:
            return Qt::AlignRight | Qt::AlignTop;
        default:
            return Qt::AlignLeft | Qt::AlignTop;
    }
}

// The smallest scale a user may shrink the main window to.
constexpr double kKleinsteSkala = 0.5;

}  // namespace

FormFenster::FormFenster(QtPlattform& plattform, wx::Form& form, double skala, QWidget* eltern)
    : QDialog(eltern),
      plattform_(plattform),
      form_(form),
      skala_(skala),
      veraenderlich_(form.veraenderlich),
      aussenMass_(form.aussenMass) {
    setObjectName(QString::fromStdString(form.name));
    if (veraenderlich_) {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    } else {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
    }
    skalierTimer_ = new QTimer(this);
    skalierTimer_->setSingleShot(true);
    skalierTimer_->setInterval(40);
    connect(skalierTimer_, &QTimer::timeout, this, [this] { skaliereNachGroesse(); });
    if (form.steuerelemente.empty() && form.menues.empty() && xFlaecheMoeglich()) {
        setAttribute(Qt::WA_NativeWindow);
        if (setzeXHintergrund(*this, farbe(form.hinter))) {
            nurFarbe_ = true;
            setAttribute(Qt::WA_PaintOnScreen);
            setAttribute(Qt::WA_NoSystemBackground);
        }
    }
    baue();
    if (nurFarbe_) flaeche_->hide();
}

void FormFenster::reicheBilderNach() {
    for (Bindung& b : bindungen_) {
        if (!b.bildOffen) continue;
        setzeBild(b);
        b.bildOffen = false;
    }
}

void FormFenster::setzeBild(const Bindung& b) {
    const QRect r = pixelRechteck(*b.s);
    static_cast<BildWidget*>(b.w)->setzeBild(
        bildFuer(b.s->bild, r.size(), b.s->strecken, skala_, devicePixelRatioF()));
}

void FormFenster::setzeSymbol() {
    if (form_.symbol.empty() || symbolGesetzt_) return;
    QIcon symbol;
    for (int seite : kSymbolGroessen)
        symbol.addPixmap(bildFuer(form_.symbol, QSize(seite, seite), true, 1, 1));
    setWindowIcon(symbol);
    symbolGesetzt_ = true;
}

QPaintEngine* FormFenster::paintEngine() const { return nurFarbe_ ? nullptr : QDialog::paintEngine(); }

FormFenster::~FormFenster() = default;

void FormFenster::baue() {
    if (!form_.menues.empty()) {
        leiste_ = new QMenuBar(this);
        leiste_->setFont(menueSchrift());
        for (wx::MenuEintrag* titel : form_.menues) {
            QMenu* menue = leiste_->addMenu(QString());
            menue->setFont(menueSchrift());
            menues_.push_back({titel, menue->menuAction(), menue, {}, true, true});
            for (wx::MenuEintrag* e : titel->eintraege) baueMenue(menue, *e);
        }
    }
    flaeche_ = new QWidget(this);
    flaeche_->setObjectName(QStringLiteral("flaeche"));

    bindungen_.reserve(form_.steuerelemente.size());
    for (wx::Steuerelement* s : form_.steuerelemente) {
        QWidget* w = erzeuge(*s);
        w->setObjectName(
            QString::fromStdString(s->index >= 0 ? s->name + "(" + std::to_string(s->index) + ")" : s->name));
        nachControl_[s] = bindungen_.size();
        bindungen_.push_back({s, w, {}});
    }
    for (wx::Timer* t : form_.timer) {
        auto* q = new QTimer(this);
        q->setTimerType(Qt::PreciseTimer);
        connect(q, &QTimer::timeout, this, [this, t] { plattform_.tick(*t); });
        timer_.push_back({t, q});
    }
    for (auto& b : bindungen_) {
        anwenden(b, nullptr);
        b.zuletzt = b.s->anzeige();
    }
    for (auto& mb : menues_) anwendenMenue(mb, true);
    abgleichenFenster(true);
    abgleichenTimer();
}

void FormFenster::baueMenue(QMenu* menue, wx::MenuEintrag& m) {
    QAction* a = nullptr;
    QMenu* unter = nullptr;
    if (m.istTrenner()) {
        a = menue->addSeparator();
    } else if (!m.eintraege.empty()) {
        unter = menue->addMenu(QString());
        unter->setFont(menueSchrift());
        a = unter->menuAction();
        for (wx::MenuEintrag* e : m.eintraege) baueMenue(unter, *e);
    } else {
        a = menue->addAction(QString());
        wx::MenuEintrag* ziel = &m;
        connect(a, &QAction::triggered, this, [this, ziel] { plattform_.menueKlick(*ziel); });
    }
    a->setObjectName(QString::fromStdString(m.name));
    menues_.push_back({&m, a, unter, {}, true, true});
}

QWidget* FormFenster::erzeuge(wx::Steuerelement& s) {
    QWidget* eltern = flaeche_;
    if (s.container)
        if (QWidget* c = widgetVon(*s.container)) eltern = c;
    wx::Steuerelement* ziel = &s;
    switch (s.art) {
        case Art::Label: {
            auto* l = new KlickLabel(eltern);
            l->setTextFormat(Qt::PlainText);
            l->setIndent(0);
            l->setMargin(0);
            if (s.beiKlick) l->setzeKlick([this, ziel] { plattform_.klick(*ziel); });
            return l;
        }
        case Art::Button: {
            auto* b = new QPushButton(eltern);
            b->setAutoDefault(true);
            connect(b, &QPushButton::clicked, this, [this, ziel] { plattform_.klick(*ziel); });
            return b;
        }
        case Art::CheckBox: {
            auto* c = new QCheckBox(eltern);
            connect(c, &QCheckBox::clicked, this, [this, ziel](bool an) {
                ziel->wert = an ? 1 : 0;
                plattform_.klick(*ziel);
            });
            return c;
        }
        case Art::Option: {
            auto* r = new QRadioButton(eltern);
            connect(r, &QRadioButton::clicked, this, [this, ziel] {
                // One option per container is selected, as the radio buttons show it.
                for (wx::Steuerelement* o : form_.steuerelemente)
                    if (o->art == Art::Option && o->container == ziel->container) o->wert = 0;
                ziel->wert = 1;
                plattform_.klick(*ziel);
            });
            return r;
        }
        case Art::SpinBox: {
            auto* sp = new QSpinBox(eltern);
            connect(sp, &QSpinBox::valueChanged, this, [this, ziel](int v) {
                if (ziel->wert == v) return;
                ziel->wert = v;
                plattform_.klick(*ziel);
            });
            return sp;
        }
        case Art::Frame:
            if (s.ohneRahmen) return new QWidget(eltern);
            return new QGroupBox(eltern);
        case Art::Image: {
            auto* bild = new BildWidget(eltern);
            if (s.beiKlick) bild->setzeKlick([this, ziel] { plattform_.klick(*ziel); });
            return bild;
        }
        case Art::Line:
            return new LinienWidget(eltern);
        case Art::Shape:
            return new KreisWidget(eltern);
    }
    return new QWidget(eltern);
}

QRect FormFenster::pixelRechteck(const wx::Steuerelement& s, double skala_) {
    const double ax = wx::Form::absLeft(s), ay = wx::Form::absTop(s);
    double cx = 0, cy = 0;
    if (s.container) {
        cx = wx::Form::absLeft(*s.container);
        cy = wx::Form::absTop(*s.container);
    }
    return QRect(zuPixel(ax, skala_) - zuPixel(cx, skala_), zuPixel(ay, skala_) - zuPixel(cy, skala_),
                 pixelSpanne(ax, s.width, skala_), pixelSpanne(ay, s.height, skala_));
}

void FormFenster::anwenden(Bindung& b, const wx::Anzeige* alt) {
    const wx::Steuerelement& s = *b.s;
    QWidget* w = b.w;
    auto anders = [&](auto feld) { return !alt || !(s.*feld == alt->*feld); };
    using S = wx::Anzeige;
    const bool lage = anders(&S::left) || anders(&S::top) || anders(&S::width) || anders(&S::height);
    const bool schrift = anders(&S::schrift);
    const bool text = anders(&S::caption);

    switch (s.art) {
        case Art::Line: {
            if (lage || anders(&S::x1) || anders(&S::y1) || anders(&S::x2) || anders(&S::y2) ||
                anders(&S::linienBreite) || anders(&S::vorder)) {
                double cx = 0, cy = 0;
                if (s.container) {
                    cx = wx::Form::absLeft(*s.container);
                    cy = wx::Form::absTop(*s.container);
                }
                const double k = skala_ / kTwipsJePixel;
                QPointF p1((s.x1 + cx) * k, (s.y1 + cy) * k), p2((s.x2 + cx) * k, (s.y2 + cy) * k);
                double breite = std::max(1.0, s.linienBreite * skala_);
                // A line along an axis covers whole pixel rows, as on the design's screen.
                if (p1.y() == p2.y() || p1.x() == p2.x()) {
                    breite = std::max(1.0, std::round(breite));
                    const double mitte = std::fmod(breite, 2.0) / 2.0;
                    if (p1.y() == p2.y()) {
                        p1.ry() = p2.ry() = std::floor(p1.y()) + mitte;
                    } else {
                        p1.rx() = p2.rx() = std::floor(p1.x()) + mitte;
                    }
                }
                const int rand = static_cast<int>(std::ceil(breite)) + 1;
                const QPoint ursprung(int(std::floor(std::min(p1.x(), p2.x()))) - rand,
                                      int(std::floor(std::min(p1.y(), p2.y()))) - rand);
                const QPoint ende(int(std::ceil(std::max(p1.x(), p2.x()))) + rand,
                                  int(std::ceil(std::max(p1.y(), p2.y()))) + rand);
                const QPointF o(ursprung);
                const QPointF c0 =
                    s.container ? QPointF(zuPixel(cx, skala_), zuPixel(cy, skala_)) : QPointF();
                w->setGeometry(QRect(ursprung - c0.toPoint(), ende - c0.toPoint()));
                static_cast<LinienWidget*>(w)->setzeLinie(p1 - o, p2 - o, farbe(s.vorder), breite);
            }
            break;
        }
        case Art::Image: {
            if (lage) w->setGeometry(pixelRechteck(s));
            // A hidden image (the wheel's other segments, the hidden picture
            // sources of the lamps and the meter) is drawn when it is first
            // shown, not at start-up.
            const bool aufschieben = !s.visible && !s.bild.empty();
            if (lage || anders(&S::bild) || anders(&S::strecken)) b.bildGemalt = false;
            // Showing it again costs nothing once its picture is in place.
            if (!aufschieben && !b.bildGemalt) {
                // A window not yet on the screen need not wait for a picture
                // the helper is still drawing: it gets it once it is shown.
                b.bildOffen = !isVisible() && bildInArbeit(s.bild, pixelRechteck(s).size(), s.strecken,
                                                           skala_, devicePixelRatioF());
                if (!b.bildOffen) setzeBild(b);
                b.bildGemalt = true;
            }
            break;
        }
        case Art::Shape: {
            if (lage) w->setGeometry(pixelRechteck(s));
            if (anders(&S::vorder) || anders(&S::hinter) || anders(&S::gefuellt))
                static_cast<KreisWidget*>(w)->setzeKreis(farbe(s.vorder), farbe(s.hinter), s.gefuellt);
            break;
        }
        case Art::Label: {
            auto* l = static_cast<QLabel*>(w);
            if (lage) l->setGeometry(pixelRechteck(s));
            if (schrift) l->setFont(qtSchrift(s.schrift, skala_));
            if (text) l->setText(anzeigeText(s.caption));
            if (anders(&S::vorder) || anders(&S::hinter) || anders(&S::transparent)) {
                QPalette pal = l->palette();
                pal.setColor(QPalette::WindowText, farbe(s.vorder));
                pal.setColor(QPalette::Window, farbe(s.hinter));
                // A disabled label greys its text, as on the design's screen.
                pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
                l->setPalette(pal);
                l->setAutoFillBackground(!s.transparent);
            }
            if (anders(&S::rahmen)) {
                l->setFrameStyle(s.rahmen ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
                l->setLineWidth(1);
            }
            if (anders(&S::ausrichtung)) l->setAlignment(ausrichtung(s.ausrichtung));
            if (anders(&S::wortUmbruch)) l->setWordWrap(s.wortUmbruch);
            break;
        }
        case Art::Button: {
            auto* b = static_cast<QPushButton*>(w);
            if (lage) b->setGeometry(pixelRechteck(s));
            if (schrift) b->setFont(qtSchrift(s.schrift, skala_));
            if (text) b->setText(QString::fromStdString(s.caption));
            if (anders(&S::standardKnopf)) b->setDefault(s.standardKnopf);
            break;
        }
        case Art::CheckBox:
        case Art::Option: {
            auto* k = static_cast<QAbstractButton*>(w);
            if (lage) k->setGeometry(pixelRechteck(s));
            if (schrift) k->setFont(qtSchrift(s.schrift, skala_));
            if (text) k->setText(QString::fromStdString(s.caption));
            if (anders(&S::wert)) {
                const QSignalBlocker still(k);
                const bool an = s.wert != 0;
                if (!an && k->isChecked() && k->autoExclusive()) {
                    // An exclusive button cannot be switched off on its own.
                    k->setAutoExclusive(false);
                    k->setChecked(false);
                    k->setAutoExclusive(true);
                } else {
                    k->setChecked(an);
                }
            }
            break;
        }
        case Art::SpinBox: {
            auto* sp = static_cast<QSpinBox*>(w);
            if (lage) sp->setGeometry(pixelRechteck(s));
            if (schrift) sp->setFont(qtSchrift(s.schrift, skala_));
            if (anders(&S::minimum) || anders(&S::maximum)) {
                const QSignalBlocker still(sp);
                sp->setRange(s.minimum, s.maximum);
            }
            if (anders(&S::wert) || anders(&S::minimum) || anders(&S::maximum)) {
                const QSignalBlocker still(sp);
                sp->setValue(s.wert);
            }
            break;
        }
        case Art::Frame: {
            if (lage) w->setGeometry(pixelRechteck(s));
            if (auto* g = qobject_cast<QGroupBox*>(w)) {
                // The font first: the title is measured as soon as it is set.
                if (schrift) g->setFont(qtSchrift(s.schrift, skala_));
                if (text) g->setTitle(QString::fromStdString(s.caption));
            }
            break;
        }
    }
    if (anders(&S::zugangsName)) w->setAccessibleName(QString::fromStdString(s.zugangsName));
    if (anders(&S::enabled)) w->setEnabled(s.enabled);
    if (anders(&S::visible)) w->setVisible(s.visible);
}

void FormFenster::anwendenMenue(MenueBindung& mb, bool alles) {
    const wx::MenuEintrag& m = *mb.m;
    if (alles || m.caption != mb.caption) {
        if (!m.istTrenner()) mb.a->setText(QString::fromStdString(m.caption));
        if (mb.menue) mb.menue->setTitle(QString::fromStdString(m.caption));
        mb.caption = m.caption;
    }
    if (alles || m.enabled != mb.enabled) {
        mb.a->setEnabled(m.enabled);
        mb.enabled = m.enabled;
    }
    if (alles || m.visible != mb.visible) {
        mb.a->setVisible(m.visible);
        mb.visible = m.visible;
    }
}

void FormFenster::abgleichenTimer() {
    for (auto& tb : timer_) {
        const int intervall = std::max(1, tb.t->intervall);
        const bool soll = tb.t->enabled && tb.t->intervall > 0;
        // A new interval starts the count again, as a running timer does when
        // its interval is set.
        if (tb.q->interval() != intervall) tb.q->setInterval(intervall);
        if (soll != tb.q->isActive()) {
            if (soll)
                tb.q->start();
            else
                tb.q->stop();
        }
    }
}

void FormFenster::abgleichenFenster(bool alles) {
    if (alles || form_.caption != caption_) {
        setWindowTitle(QString::fromStdString(form_.caption));
        caption_ = form_.caption;
    }
    if (alles || !(form_.hinter == hinter_)) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, farbe(form_.hinter));
        setPalette(pal);
        if (nurFarbe_) setzeXHintergrund(*this, farbe(form_.hinter));
        hinter_ = form_.hinter;
    }
    if (!alles && (form_.width != breite_ || form_.height != hoehe_) && !veraenderlich_)
        passeGroesseAn(rahmen_);
    breite_ = form_.width;
    hoehe_ = form_.height;
}

int FormFenster::abgleichen() {
    QWidget* vorher = focusWidget();
    if (vorher && !(vorher->isEnabled() && vorher->isVisibleTo(this))) vorher = nullptr;
    abgleichenFenster(false);
    int n = 0;
    for (auto& b : bindungen_) {
        if (b.s->anzeige() == b.zuletzt) continue;
        anwenden(b, &b.zuletzt);
        b.zuletzt = b.s->anzeige();
        ++n;
    }
    for (auto& mb : menues_)
        if (mb.m->caption != mb.caption || mb.m->enabled != mb.enabled || mb.m->visible != mb.visible)
            anwendenMenue(mb, false);
    abgleichenTimer();
    if (form_.fokusZaehler != fokusZaehler_) {
        fokusZaehler_ = form_.fokusZaehler;
        if (form_.fokus)
            if (QWidget* w = widgetVon(*form_.fokus)) w->setFocus(Qt::OtherFocusReason);
    }
    if (n > 0) rettetFokus(vorher);
    return n;
}

void FormFenster::rettetFokus(QWidget* vorher) {
    // When the focused control has just been disabled or hidden, Qt passes
    // the focus on to whichever widget comes next, or drops it; the window
    // hands it to the control the player needs next instead.
    if (!vorher || (vorher->isEnabled() && vorher->isVisibleTo(this))) return;
    if (wx::Steuerelement* ziel = form_.fokusNachSperre())
        if (QWidget* w = widgetVon(*ziel)) w->setFocus(Qt::OtherFocusReason);
}

QWidget* FormFenster::widgetVon(const wx::Steuerelement& s) const {
    auto it = nachControl_.find(&s);
    return it == nachControl_.end() ? nullptr : bindungen_[it->second].w;
}

QAction* FormFenster::aktionVon(const wx::MenuEintrag& m) const {
    for (const auto& mb : menues_)
        if (mb.m == &m) return mb.a;
    return nullptr;
}

QTimer* FormFenster::timerVon(const wx::Timer& t) const {
    for (const auto& tb : timer_)
        if (tb.t == &t) return tb.q;
    return nullptr;
}

QFont FormFenster::menueSchrift() const { return qtSchrift(form_.menueSchrift, skala_); }

int FormFenster::menueHoehe() const { return leiste_ ? leiste_->sizeHint().height() : 0; }

QSize FormFenster::designGroesse(double skala) const {
    return QSize(pixelSpanne(0, form_.width, skala), pixelSpanne(0, form_.height, skala));
}

void FormFenster::passeGroesseAn(QMargins rahmen) {
    rahmen_ = rahmen;
    QSize client = designGroesse(skala_);
    if (aussenMass_) client -= QSize(rahmen.left() + rahmen.right(), rahmen.top() + rahmen.bottom());
    client = client.expandedTo(QSize(1, 1));
    gesetzteGroesse_ = QSize(client.width(), client.height() + menueHoehe());
    if (veraenderlich_) {
        setMinimumSize(designGroesse(kKleinsteSkala));
        resize(gesetzteGroesse_);
    } else {
        setFixedSize(gesetzteGroesse_);
    }
    ordneAn();
}

void FormFenster::ordneAn() {
    const int mh = menueHoehe();
    if (leiste_) leiste_->setGeometry(0, 0, width(), mh);
    QSize client = aussenMass_ ? QSize(width(), height() - mh) : designGroesse(skala_);
    flaeche_->setGeometry((width() - client.width()) / 2, mh + (height() - mh - client.height()) / 2,
                          client.width(), client.height());
}

void FormFenster::setzeSkala(double skala) {
    if (std::abs(skala - skala_) < 1e-9) return;
    skala_ = skala;
    vergissBilder();
    if (leiste_) {
        leiste_->setFont(menueSchrift());
        for (auto& mb : menues_)
            if (mb.menue) mb.menue->setFont(menueSchrift());
    }
    for (auto& b : bindungen_) anwenden(b, nullptr);
    ordneAn();
    if (veraenderlich_) plattform_.merkeSkala(skala_);
}

void FormFenster::skaliereNachGroesse() {
    if (form_.width <= 0 || form_.height <= 0) return;
    const double w = form_.width / kTwipsJePixel, h = form_.height / kTwipsJePixel;
    // The menu bar grows with the scale; two rounds settle it.
    for (int runde = 0; runde < 2; ++runde) {
        const double s = std::max(kKleinsteSkala, std::min(width() / w, (height() - menueHoehe()) / h));
        setzeSkala(s);
    }
    ordneAn();
}

void FormFenster::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    ordneAn();
    if (veraenderlich_ && size() != gesetzteGroesse_) skalierTimer_->start();
}

void FormFenster::reject() {
    if (form_.escSchliesst) plattform_.schliessAnfrage(form_);
}

void FormFenster::closeEvent(QCloseEvent* e) {
    e->ignore();
    plattform_.schliessAnfrage(form_);
}

}  // namespace wxqt
