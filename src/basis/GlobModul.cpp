#include "basis/GlobModul.h"

#include <algorithm>
#include <cmath>

#include "basis/Text.h"

namespace wx {

int16_t GlobModul::zufallsZahl(int16_t lo, int16_t hi) {
    plattform.neuSaeen();
    const double r = plattform.zufall();
    auto v = static_cast<int32_t>(std::floor((static_cast<double>(hi) - lo + 1) * r + lo));
    v = std::min<int32_t>(v, hi);
    v = std::max<int32_t>(v, lo);
    return static_cast<int16_t>(v);
}

int32_t GlobModul::sekundenJetzt() { return static_cast<int32_t>(runde(plattform.tageszeit())); }

std::string Vorname(const std::string& name) {
    const auto p = name.find(' ');
    return p == std::string::npos ? name : name.substr(0, p);
}

}  // namespace wx
