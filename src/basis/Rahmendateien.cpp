#include "basis/Rahmendateien.h"

#include <algorithm>
#include <cmath>

#include "basis/IniAbschnitt.h"
#include "basis/Text.h"

namespace wx {

std::string wertNachGleich(const std::string& item) {
    const auto p = item.find('=');
    if (item.empty() || p == std::string::npos) return {};
    return item.substr(p + 1);
}

flag16 leseStartParameter(GlobModul& g, const std::string& startText) {
    // The framing characters at both ends are dropped unseen. The items are
    // taken from left to right by position, so a long text costs linear time.
    const std::string_view text = startText.size() >= 2
                                      ? std::string_view(startText).substr(1, startText.size() - 2)
                                      : std::string_view();
    size_t pos = 0;
    // The next item up to its ";"; the last one may lack its ";".
    auto naechstesItem = [&]() {
        const size_t p = text.find(';', pos);
        const std::string_view item = text.substr(pos, p == std::string_view::npos ? text.npos : p - pos);
        pos = p == std::string_view::npos ? text.size() : p + 1;
        return std::string(item);
    };
    while (text.find(';', pos) != std::string_view::npos) {
        const std::string item = naechstesItem();
        const std::string wert = trimme(wertNachGleich(item));
        if (beginntMit(item, "Version=")) {
            if (wert != "4") return FALSCH;
        } else if (beginntMit(item, "Class=")) {
            if (wert != "D") return FALSCH;
        } else if (beginntMit(item, "TeskFeldName=")) {
            g.KlassenFeld = "LIP_";
        } else if (beginntMit(item, "GwsFlag=")) {
            g.GwsFlag = WAHR;
        } else if (beginntMit(item, "nSpieler=")) {
            // The board has room for five players; anything else the
            // framework never sends is held to that range.
            g.nSpieler = static_cast<int16_t>(std::clamp<int64_t>(runde(zahlAmAnfang(wert)), 0, 5));
            break;
        }
        if (pos >= text.size()) break;
    }
    for (int k = 0; k < g.nSpieler; ++k) {
        g.SpielerName[k] = naechstesItem();
        g.SpielerPunkte[k] = 0;
    }
    for (int k = 0; k < g.nSpieler; ++k) g.SpielerDatei[k] = naechstesItem();
    return WAHR;
}

void leseSpielDauer(GlobModul& g) {
    const auto zeilen = leseAnsiZeilen(g.AppPfad + "\\Kelmo.ini");
    if (!zeilen) return;
    const auto wert =
        leseIniAbschnitt(*zeilen, "[Spiele]", {"MaximaleSpielDauer"}, IniSuche::ersterBisDateiende)[0];
    if (!wert) return;
    double v = static_cast<double>(runde(zahlAmAnfang(*wert)));
    if (v < 5) v = 5;
    double faktor = std::floor((15.0 / v) * 5.0);
    if (faktor < 1) faktor = 1;
    g.SpielzeitFaktor = static_cast<int16_t>(faktor);
}

std::vector<std::pair<std::string, std::string>> leseTspDatensaetze(const std::vector<std::string>& zeilen) {
    std::vector<std::string> felder;
    for (const auto& zeile : zeilen) {
        size_t i = 0;
        do {
            while (i < zeile.size() && (zeile[i] == ' ' || zeile[i] == '\t')) ++i;
            std::string feld;
            if (i < zeile.size() && zeile[i] == '"') {
                const auto ende = zeile.find('"', i + 1);
                feld = zeile.substr(i + 1, ende == std::string::npos ? std::string::npos : ende - i - 1);
                i = ende == std::string::npos ? zeile.size() : ende + 1;
                while (i < zeile.size() && zeile[i] != ',') ++i;
            } else {
                const auto ende = zeile.find(',', i);
                feld = trimme(zeile.substr(i, ende == std::string::npos ? std::string::npos : ende - i));
                i = ende == std::string::npos ? zeile.size() : ende;
            }
            felder.push_back(feld);
            if (i < zeile.size())
                ++i;  // the comma
            else
                break;
        } while (true);
    }
    std::vector<std::pair<std::string, std::string>> saetze;
    for (size_t k = 0; k + 1 < felder.size(); k += 2) saetze.emplace_back(felder[k], felder[k + 1]);
    return saetze;
}

void leseBaustein(GlobModul& g) {
    g.BausteinNr = 0;
    const auto zeilen = leseAnsiZeilen(g.AppPfad + "\\Kelmo.tsp");
    if (!zeilen) return;
    for (const auto& [titel, code] : leseTspDatensaetze(*zeilen)) {
        if (!beginntMit(titel, ">>>")) ++g.BausteinNr;
        if (code == g.KlassenFeld) {
            g.BausteinTitel = titel;
            return;
        }
    }
}

void leseFehlerWoerter(GlobModul& g) {
    for (int i = 0; i < g.nSpieler; ++i) {
        const auto zeilen = leseAnsiZeilen(g.UserPfad + "\\" + g.SpielerDatei[i] + ".tmp");
        if (!zeilen) continue;
        for (const auto& z : *zeilen) {
            if (z.find("= OK") != std::string::npos) continue;
            const auto p = z.find('=');
            if (p == std::string::npos) continue;  // not a record line
            const auto n = runde(zahlAmAnfang(z.substr(0, p)));
            if (n < INT16_MIN || n > INT16_MAX) continue;
            if (!g.istFehlerWort(static_cast<int16_t>(n))) g.FehlerWoerter.anhaengen(static_cast<int16_t>(n));
        }
    }
}

void setzeHilfeKontext(GlobModul& g) {
    struct Bereich {
        int von, bis, basis;
    };
    static constexpr Bereich kBereiche[] = {{1, 10, 1000},  {11, 17, 1090}, {18, 20, 1183}, {21, 25, 1280},
                                            {26, 27, 1375}, {28, 30, 1473}, {31, 33, 1570}, {34, 39, 1669},
                                            {40, 41, 1761}, {42, 46, 1859}, {47, 49, 1954}, {50, 52, 2051}};
    for (const auto& b : kBereiche) {
        if (g.BausteinNr >= b.von && g.BausteinNr <= b.bis) {
            g.HilfeKontextID = b.basis + g.BausteinNr;
            return;
        }
    }
}

}  // namespace wx
