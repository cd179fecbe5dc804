#include "qt/Bilder.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <chrono>
#include <future>
#include <thread>
#include <utility>

#include "basis/Text.h"

#include "qt/WmfPlayer.h"

namespace wxqt {

namespace {

// Shown for a wheel picture that cannot be drawn.
QImage platzhalter(QSize groesse, const QString& name) {
    QImage bild = leeresBild(groesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(bild.rect()).adjusted(2, 2, -2, -2);
    p.setPen(QPen(QColor(150, 150, 150), 1.5, Qt::DashLine));
    p.setBrush(QColor(236, 236, 236));
    p.drawEllipse(r);
    p.setPen(QColor(110, 110, 110));
    p.drawText(r, Qt::AlignCenter, name);
    return bild;
}

QImage ladeDatei(const std::string& pfad, QSize box, bool strecken, double skala) {
    const QString datei = QString::fromStdString(wx::findeDatei(pfad));
    if (!QFileInfo::exists(datei)) return {};
    if (datei.endsWith(QStringLiteral(".wmf"), Qt::CaseInsensitive)) {
        // A metafile has no pixel size of its own: it fills its box.
        bool ok = false;
        QImage bild = wmf::render(datei, box, &ok);
        if (ok) return bild;
        return platzhalter(box, QFileInfo(datei).completeBaseName());
    }
    QImage bild(datei);
    if (bild.isNull()) return {};
    const QSize ziel = strecken ? box : bild.size() * skala;
    if (ziel != bild.size()) bild = bild.scaled(ziel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return bild;
}

QHash<QString, QPixmap>& speicher() {
    static QHash<QString, QPixmap> s;
    return s;
}

QString schluesselFuer(const std::string& bild, QSize box, bool strecken, double skala, qreal dpr) {
    return QStringLiteral("%1|%2x%3|%4|%5|%6")
        .arg(QString::fromStdString(bild))
        .arg(box.width())
        .arg(box.height())
        .arg(strecken)
        .arg(skala)
        .arg(dpr);
}

// Only QImage and QPainter: safe on any thread.
QImage male(const BildAuftrag& a) {
    if (a.bild.front() == '@') {
        const QSize groesse = a.strecken ? a.box : eingebautGroesse(a.bild) * a.skala;
        return zeichneEingebaut(a.bild, groesse * a.dpr);
    }
    return ladeDatei(a.bild, a.box * a.dpr, a.strecken, a.skala * a.dpr);
}

// Pictures drawn ahead on one helper thread, by the key of bildFuer. Only
// the GUI thread touches this; the helper only fulfils the promises.
struct Vorbereitung {
    struct Vorab {
        std::shared_future<QImage> bild;
        qreal dpr = 1;
    };
    QHash<QString, Vorab> bilder;
    std::thread faden;

    void abwarten() {
        if (faden.joinable()) faden.join();
    }
    ~Vorbereitung() { abwarten(); }
};

Vorbereitung& vorbereitung() {
    static Vorbereitung v;
    return v;
}

}  // namespace

QImage leeresBild(QSize groesse) {
    QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    return bild;
}

QPixmap bildFuer(const std::string& bild, QSize box, bool strecken, double skala, qreal dpr) {
    if (bild.empty() || box.isEmpty()) return {};
    const QString schluessel = schluesselFuer(bild, box, strecken, skala, dpr);
    auto& s = speicher();
    if (auto it = s.constFind(schluessel); it != s.constEnd()) return *it;

    QImage gemalt;
    if (auto vorab = vorbereitung().bilder.take(schluessel); vorab.bild.valid())
        gemalt = vorab.bild.get();
    else
        gemalt = male({bild, box, strecken, skala, dpr});
    QPixmap pm = QPixmap::fromImage(std::move(gemalt));  // takes the pixels over, no copy
    pm.setDevicePixelRatio(dpr);
    s.insert(schluessel, pm);
    return pm;
}

bool bildInArbeit(const std::string& bild, QSize box, bool strecken, double skala, qreal dpr) {
    if (bild.empty() || box.isEmpty()) return false;
    const auto& v = vorbereitung();
    const auto it = v.bilder.constFind(schluesselFuer(bild, box, strecken, skala, dpr));
    return it != v.bilder.constEnd() &&
           it->bild.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

void bilderVorbereiten(std::vector<BildAuftrag> auftraege) {
    auto& v = vorbereitung();
    v.abwarten();
    std::vector<std::promise<QImage>> versprochen;
    std::vector<BildAuftrag> offen;
    for (BildAuftrag& a : auftraege) {
        if (a.bild.empty() || a.box.isEmpty()) continue;
        const QString schluessel = schluesselFuer(a.bild, a.box, a.strecken, a.skala, a.dpr);
        if (speicher().contains(schluessel) || v.bilder.contains(schluessel)) continue;
        versprochen.emplace_back();
        v.bilder.insert(schluessel, {versprochen.back().get_future().share(), a.dpr});
        offen.push_back(std::move(a));
    }
    if (offen.empty()) return;
    v.faden = std::thread([offen = std::move(offen), versprochen = std::move(versprochen)]() mutable {
        for (size_t i = 0; i < offen.size(); ++i) {
            // Drawing only fails for want of memory; the picture then stays empty.
            QImage bild;
            try {
                bild = male(offen[i]);
            } catch (...) {}
            versprochen[i].set_value(std::move(bild));
        }
    });
}

void vorbereitungAbwarten() {
    auto& v = vorbereitung();
    v.abwarten();
    // What was drawn ahead and not asked for yet is kept with the others.
    for (auto it = v.bilder.begin(); it != v.bilder.end(); ++it) {
        QPixmap pm = QPixmap::fromImage(it.value().bild.get());
        pm.setDevicePixelRatio(it.value().dpr);
        speicher().insert(it.key(), pm);
    }
    v.bilder.clear();
}

int bilderImSpeicher() { return static_cast<int>(speicher().size()); }

void vergissBilder() {
    auto& v = vorbereitung();
    v.abwarten();
    v.bilder.clear();
    speicher().clear();
}

}  // namespace wxqt
