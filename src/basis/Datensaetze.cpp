#include "basis/Datensaetze.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <variant>

namespace wx {

void Datensaetze::neueZeile() {
    zellen_.resize(zellen_.size() + spalten_);
    ++zeilen_;
}

void Datensaetze::setzeZahl(std::size_t zeile, std::size_t spalte, int64_t z) {
    Zelle& c = zelle(zeile, spalte);
    c = Zelle{};
    c.art = Art::Zahl;
    c.zahl = z;
}

void Datensaetze::setzeReal(std::size_t zeile, std::size_t spalte, double d) {
    Zelle& c = zelle(zeile, spalte);
    c = Zelle{};
    c.art = Art::Real;
    c.real = d;
}

void Datensaetze::setzeText(std::size_t zeile, std::size_t spalte, std::string_view t) {
    // SQLite's own limit keeps a text far below 4 GB.
    const std::size_t n = std::min<std::size_t>(t.size(), std::numeric_limits<uint32_t>::max());
    Zelle& c = zelle(zeile, spalte);
    c = Zelle{};
    c.art = Art::Text;
    c.anfang = texte_.size();
    c.laenge = static_cast<uint32_t>(n);
    texte_.append(t.data(), n);
}

void Datensaetze::setze(std::size_t zeile, std::size_t spalte, const Wert& w) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                setzeNull(zeile, spalte);
            else if constexpr (std::is_same_v<T, int64_t>)
                setzeZahl(zeile, spalte, v);
            else if constexpr (std::is_same_v<T, double>)
                setzeReal(zeile, spalte, v);
            else
                setzeText(zeile, spalte, v);
        },
        w.roh());
}

bool Datensaetze::istNull(std::size_t zeile, std::size_t spalte) const {
    return zelle(zeile, spalte).art == Art::Null;
}

Wert Datensaetze::wert(std::size_t zeile, std::size_t spalte) const {
    const Zelle& c = zelle(zeile, spalte);
    switch (c.art) {
        case Art::Zahl:
            return Wert(c.zahl);
        case Art::Real:
            return Wert(c.real);
        case Art::Text:
            return Wert(texte_.substr(c.anfang, c.laenge));
        case Art::Null:
            break;
    }
    return Wert();
}

bool Datensaetze::ganzzahl(std::size_t zeile, std::size_t spalte, int64_t& z) const {
    const Zelle& c = zelle(zeile, spalte);
    if (c.art == Art::Zahl) {
        z = c.zahl;
        return true;
    }
    if (c.art == Art::Real && std::isfinite(c.real) && std::floor(c.real) == c.real &&
        std::fabs(c.real) < 9.2e18) {
        z = static_cast<int64_t>(c.real);
        return true;
    }
    return false;
}

void Datensaetze::entferneZeile(std::size_t zeile) {
    const auto anfang = zellen_.begin() + static_cast<std::ptrdiff_t>(zeile * spalten_);
    zellen_.erase(anfang, anfang + static_cast<std::ptrdiff_t>(spalten_));
    --zeilen_;
}

}  // namespace wx
