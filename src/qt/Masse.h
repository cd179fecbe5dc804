// Twips and pixels: 15 twips are one pixel at 96 dpi and scale 1. The front
// multiplies every position, size and font by the window's scale, so a larger
// window shows the same layout, only bigger.
#pragma once

#include <cmath>
#include <cstdint>

namespace wxqt {

inline constexpr double kTwipsJePixel = 15.0;

// Pixel position of a twip coordinate at a scale, rounded to the nearest pixel.
inline int zuPixel(double twips, double skala) {
    return static_cast<int>(std::lround(twips * skala / kTwipsJePixel));
}

// Length of a span in pixels, taken from its rounded edges so that controls
// that meet in twips also meet on the screen.
inline int pixelSpanne(double von, double laenge, double skala) {
    return zuPixel(von + laenge, skala) - zuPixel(von, skala);
}

}  // namespace wxqt
