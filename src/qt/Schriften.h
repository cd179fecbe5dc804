// The fonts of the game's design mapped onto fonts this system has, and text
// measured the way the game's labels size themselves.
#pragma once

#include <QFont>
#include <QStringList>
#include <string>

#include "forms/Steuerelemente.h"
#include "platform/Plattform.h"

namespace wxqt {

// The families to ask Qt for in place of a Windows font, best first. The
// game's own fonts, "MS Sans Serif" and "Arial" (and an empty name), always
// become Liberation Sans, whether or not the system has Microsoft's fonts: the
// windows' layout was measured with it, and the wheel pictures then look the
// same everywhere. Its metric twins and DejaVu Sans follow. Any other font is
// asked for by its own name first, then by what was registered with
// QFont::insertSubstitution, then by common look-alikes; for a font without
// known look-alikes the font's style hint decides.
QStringList schriftFamilien(const QString& name);

// The Qt font for a designed font at a scale, by schriftFamilien; point sizes
// become pixel sizes at 96 dpi, times the scale.
QFont qtSchrift(const wx::Schrift& schrift, double skala);

// Makes the game's own family the application's font, at the desktop's
// size: what has no designed font of its own (tool tips, the help pages'
// plain text) then looks like the rest of the game, and no second font
// family is opened at start-up.
void setzeGrundschrift();

// Pixel size of a font of so many points at a scale.
int pixelGroesse(double punkte, double skala);

// Width of the widest line and height of all lines of a text (lines end at
// character 13), in twips, measured at 96 dpi and scale 1.
wx::TextGroesse misstText(const std::string& text, const wx::Schrift& schrift);

// A caption of the game as Qt shows it: UTF-8, line breaks as "\n".
QString anzeigeText(const std::string& text);

}  // namespace wxqt
