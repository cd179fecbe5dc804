#include "qt/Schriften.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "qt/Masse.h"

namespace wxqt {

namespace {

// Look-alikes of Windows fonts that Linux systems commonly have, best first.
struct Vertretung {
    const char* name;  // lower case
    const char* familien;
};

// Liberation Sans has the metrics of Arial, and the classic dialog font looks
// closest to it as well. Arimo and Nimbus Sans are Arial's other metric twins.
constexpr const char* kSpielSchrift = "Liberation Sans,Arimo,Nimbus Sans,DejaVu Sans";

constexpr Vertretung kVertretungen[] = {
    {"helvetica", kSpielSchrift},
    {"arial narrow", "Liberation Sans Narrow,Nimbus Sans Narrow,DejaVu Sans Condensed"},
    {"arial black", "DejaVu Sans,Liberation Sans"},
    {"times new roman", "Liberation Serif,Tinos,Nimbus Roman,DejaVu Serif"},
    {"times", "Liberation Serif,Tinos,Nimbus Roman,DejaVu Serif"},
    {"courier new", "Liberation Mono,Cousine,Nimbus Mono PS,DejaVu Sans Mono"},
    {"courier", "Liberation Mono,Cousine,Nimbus Mono PS,DejaVu Sans Mono"},
    {"tahoma", "DejaVu Sans,Liberation Sans"},
    {"verdana", "DejaVu Sans,Liberation Sans"},
    {"comic sans ms", "Comic Neue,URW Gothic,DejaVu Sans"},
};

QStringList liste(const char* familien) { return QString::fromLatin1(familien).split(QLatin1Char(',')); }

}  // namespace

QStringList schriftFamilien(const QString& name) {
    const QString n = name.trimmed();
    const QString schluessel = n.toLower();
    if (schluessel.isEmpty() || schluessel == QLatin1String("ms sans serif") ||
        schluessel == QLatin1String("arial"))
        return liste(kSpielSchrift);
    QStringList familien{n};
    familien << QFont::substitutes(n);
    for (const Vertretung& v : kVertretungen) {
        if (schluessel == QLatin1String(v.name)) {
            familien << liste(v.familien);
            break;
        }
    }
    return familien;
}

int pixelGroesse(double punkte, double skala) {
    return std::max(1, static_cast<int>(std::lround(punkte * 96.0 / 72.0 * skala)));
}

QFont qtSchrift(const wx::Schrift& schrift, double skala) {
    QFont f;
    f.setFamilies(schriftFamilien(QString::fromStdString(schrift.name)));
    f.setStyleHint(QFont::SansSerif);
    // Glyphs are drawn at whole pixel sizes. Scaled up, the size is rounded
    // down, so a text never grows faster than the room the layout gives it.
    const double px = pixelGroesse(schrift.groesse, 1.0) * skala;
    f.setPixelSize(std::max(1, static_cast<int>(std::floor(px + 1e-6))));
    f.setBold(schrift.fett);
    f.setItalic(schrift.kursiv);
    // Vertical hinting only: the advance widths then grow in proportion with
    // the scale, so a label measured at scale 1 still fits its text when the
    // window is enlarged.
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}

void setzeGrundschrift() {
    QFont f = QGuiApplication::font();
    f.setFamilies(schriftFamilien(QString()));
    QGuiApplication::setFont(f);
}

wx::TextGroesse misstText(const std::string& text, const wx::Schrift& schrift) {
    const QFontMetricsF fm(qtSchrift(schrift, 1.0));
    QString t = QString::fromStdString(text);
    t.remove(QLatin1Char('\n'));
    const QStringList zeilen = t.split(QLatin1Char('\r'));
    double breite = 0;
    for (const QString& z : zeilen) breite = std::max(breite, fm.horizontalAdvance(z));
    const double hoehe = zeilen.size() * fm.lineSpacing();
    // Whole pixels, as a label on the screen has them, rounded up so the text fits.
    auto twips = [](double px) { return static_cast<int32_t>(std::ceil(px - 1e-6) * kTwipsJePixel); };
    return {twips(breite), twips(hoehe)};
}

QString anzeigeText(const std::string& text) {
    QString t = QString::fromStdString(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

}  // namespace wxqt
