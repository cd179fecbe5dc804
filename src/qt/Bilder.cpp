#include "qt/Bilder.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>
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

}  // namespace

QImage leeresBild(QSize groesse) {
    QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    return bild;
}

QPixmap bildFuer(const std::string& bild, QSize box, bool strecken, double skala, qreal dpr) {
    if (bild.empty() || box.isEmpty()) return {};
    const QString schluessel = QStringLiteral("%1|%2x%3|%4|%5|%6")
                                   .arg(QString::fromStdString(bild))
                                   .arg(box.width())
                                   .arg(box.height())
                                   .arg(strecken)
                                   .arg(skala)
                                   .arg(dpr);
    auto& s = speicher();
    if (auto it = s.constFind(schluessel); it != s.constEnd()) return *it;

    QImage gemalt;
    if (bild.front() == '@') {
        QSize groesse = strecken ? box : eingebautGroesse(bild) * skala;
        gemalt = zeichneEingebaut(bild, groesse * dpr);
    } else {
        gemalt = ladeDatei(bild, box * dpr, strecken, skala * dpr);
    }
    QPixmap pm = QPixmap::fromImage(std::move(gemalt));  // takes the pixels over, no copy
    pm.setDevicePixelRatio(dpr);
    s.insert(schluessel, pm);
    return pm;
}

int bilderImSpeicher() { return static_cast<int>(speicher().size()); }

void vergissBilder() { speicher().clear(); }

}  // namespace wxqt
