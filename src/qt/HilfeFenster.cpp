#include "qt/HilfeFenster.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "basis/Text.h"
#include "hilfe/ChmDatei.h"
#include "qt/FormFenster.h"

namespace wxqt {

namespace {

QString html(const QString& text) { return text.toHtmlEscaped(); }

}  // namespace

// ---- the browser ----

HilfeBrowser::HilfeBrowser(QWidget* eltern) : QTextBrowser(eltern) {
    // Links are followed here, inside the help file; nothing leaves for the
    // internet from a children's program.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& u) { verweis(u); });
}

QUrl HilfeBrowser::adresse(const std::string& internerPfad) {
    QUrl u;
    u.setScheme(QStringLiteral("chm"));
    const QString p = QString::fromStdString(internerPfad);
    const auto raute = p.indexOf(QLatin1Char('#'));
    u.setPath(raute < 0 ? p : p.left(raute));
    if (raute >= 0) u.setFragment(p.mid(raute + 1));
    return u;
}

QVariant HilfeBrowser::loadResource(int type, const QUrl& name) {
    if (!chm_ || name.scheme() != QLatin1String("chm")) return {};
    const auto inhalt = chm_->lies(name.path().toStdString());
    if (!inhalt) return {};
    const QByteArray daten(inhalt->data(), static_cast<qsizetype>(inhalt->size()));
    if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(daten);
    return daten;  // pages are decoded by their own charset, pictures by their format
}

void HilfeBrowser::oeffne(const QUrl& ziel) {
    if (!chm_ || !chm_->finde(ziel.path().toStdString())) {
        zeigeFehler(
            QStringLiteral("Die Seite \u201e%1\u201c gibt es in dieser Hilfedatei nicht.").arg(ziel.path()));
        return;
    }
    fehler_.clear();
    // The browser does not load the page it shows once more; the file has
    // been read anew for this request, so its page is loaded again.
    const bool gleich = source().adjusted(QUrl::RemoveFragment) == ziel.adjusted(QUrl::RemoveFragment);
    setSource(ziel, QTextDocument::HtmlResource);
    if (gleich) reload();
}

void HilfeBrowser::zeigeFehler(const QString& text) {
    fehler_ = text;
    setHtml(QStringLiteral("<html><body style=\"font-family: Arial; font-size: 11pt; margin: 16px\">"
                           "<h2 style=\"color: #c0283c\">Hilfe</h2><p>%1</p></body></html>")
                .arg(html(text)));
}

void HilfeBrowser::verweis(const QUrl& ziel) {
    QString text = ziel.toString();
    // "ms-its:Datei.chm::/seite.htm" and the like point into the file itself.
    if (const auto p = text.indexOf(QLatin1String("::")); p >= 0) {
        oeffne(adresse(text.mid(p + 2).toStdString()));
        return;
    }
    const QUrl voll = source().isValid() ? source().resolved(ziel) : ziel;
    if (voll.scheme() == QLatin1String("chm")) {
        if (voll.path() == source().path() && voll.hasFragment()) {
            scrollToAnchor(voll.fragment());
            return;
        }
        oeffne(voll);
        return;
    }
    zeigeFehler(QStringLiteral("Verweise nach au\u00dferhalb der Hilfe (%1) \u00f6ffnet die Hilfe nicht.")
                    .arg(ziel.toString()));
}

// ---- the window ----

HilfeFenster::HilfeFenster(const QString& datei) : QWidget(nullptr, Qt::Window), datei_(datei) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setObjectName(QStringLiteral("HilfeFenster"));
    auto* leiste = new QToolBar(this);
    leiste->setToolButtonStyle(Qt::ToolButtonTextOnly);
    zurueck_ = leiste->addAction(QStringLiteral("\u25c0 Zur\u00fcck"));
    vor_ = leiste->addAction(QStringLiteral("Vor \u25b6"));
    start_ = leiste->addAction(QStringLiteral("Startseite"));
    browser_ = new HilfeBrowser(this);
    browser_->setObjectName(QStringLiteral("HilfeBrowser"));
    auto* lage = new QVBoxLayout(this);
    lage->setContentsMargins(0, 0, 0, 0);
    lage->setSpacing(0);
    lage->addWidget(leiste);
    lage->addWidget(browser_);
    zurueck_->setEnabled(false);
    vor_->setEnabled(false);
    connect(zurueck_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(vor_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(start_, &QAction::triggered, this, [this] { zeige(0, 0); });
    connect(browser_, &QTextBrowser::backwardAvailable, zurueck_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, vor_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { titelNachSeite(); });
    resize(660, 520);
}

void HilfeFenster::zeige(int befehl, int32_t kontext) {
    std::string fehler;
    chm_ = std::shared_ptr<wx::ChmDatei>(wx::ChmDatei::oeffne(datei_.toStdString(), &fehler));
    browser_->setzeDatei(chm_);
    if (!chm_) {
        browser_->zeigeFehler(QString::fromStdString(fehler));
    } else {
        const auto ziel = wx::hilfeZiel(*chm_, befehl, kontext);
        if (ziel.fehler.empty())
            browser_->oeffne(HilfeBrowser::adresse(ziel.seite));
        else
            browser_->zeigeFehler(QString::fromStdString(ziel.fehler));
    }
    titelNachSeite();
    show();
    raise();
    activateWindow();
}

void HilfeFenster::titelNachSeite() {
    const QString titel = browser_->documentTitle();
    setWindowTitle(titel.isEmpty() || !browser_->fehler().isEmpty() ? QStringLiteral("Wirbelix - Hilfe")
                                                                    : titel + QStringLiteral(" - Hilfe"));
}

// ---- all windows ----

HilfeVerwaltung::~HilfeVerwaltung() {
    for (auto& [d, f] : fenster_) delete f.data();
}

void HilfeVerwaltung::hilfe(const std::string& datei, int befehl, int32_t kontext) {
    if (befehl == 18) {
        schliesseAlle();
        return;
    }
    const QString pfad = QString::fromStdString(wx::findeDatei(datei));
    QPointer<HilfeFenster>& f = fenster_[pfad];
    if (!f) f = new HilfeFenster(pfad);
    // A window shown modally blocks every other window but its own children:
    // the help belongs to it, so that it can be read and scrolled.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != f && f->parentWidget() != modal) f->setParent(modal, Qt::Window);
    f->zeige(befehl, kontext);
}

void HilfeVerwaltung::schliesseAlle() {
    for (auto& [d, f] : fenster_)
        if (f) f->hide();
}

std::vector<HilfeFenster*> HilfeVerwaltung::fenster() const {
    std::vector<HilfeFenster*> alle;
    for (const auto& [d, f] : fenster_)
        if (f) alle.push_back(f);
    return alle;
}

// ---- F1 ----

std::optional<int> hilfeNummerFuer(QObject* ziel, const std::vector<FormFenster*>& fenster) {
    auto eintragVon = [&fenster](const QAction* a) -> const wx::MenuEintrag* {
        if (!a) return nullptr;
        for (FormFenster* f : fenster)
            for (wx::MenuEintrag* titel : f->form().menues) {
                if (f->aktionVon(*titel) == a) return titel;
                for (wx::MenuEintrag* e : titel->eintraege)
                    if (f->aktionVon(*e) == a) return e;
            }
        return nullptr;
    };
    // A menu that is open: its highlighted entry, else the menu's title.
    if (auto* menue = qobject_cast<QMenu*>(ziel)) {
        if (const auto* e = eintragVon(menue->activeAction())) return e->helpId;
        if (const auto* t = eintragVon(menue->menuAction())) return t->helpId;
        return std::nullopt;
    }
    if (auto* leiste = qobject_cast<QMenuBar*>(ziel))
        if (const auto* e = eintragVon(leiste->activeAction())) return e->helpId;

    auto* w = qobject_cast<QWidget*>(ziel);
    if (!w) return std::nullopt;
    for (FormFenster* f : fenster) {
        if (f != w->window()) continue;
        if (QWidget* fokus = QApplication::focusWidget())
            for (wx::Steuerelement* s : f->form().steuerelemente)
                if (s->helpId != 0 && f->widgetVon(*s) == fokus) return s->helpId;
        return f->form().helpId;
    }
    return std::nullopt;
}

}  // namespace wxqt
