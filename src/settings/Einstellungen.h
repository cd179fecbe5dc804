// The game's own section "[Wirbelix]" of the framework's INI file.
#pragma once

namespace wx {

class GlobModul;

// Puts the nine settings to their usual values (computer off, strength 0,
// keyboard on, sound on, no cell frames, coloured word, no guess-time limit,
// five failed attempts, save at the end) and then takes every setting that
// the section names.
void ladeEinstellungen(GlobModul& g);

}  // namespace wx
