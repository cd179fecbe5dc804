// Reading what the learning framework hands over: the launch text, the
// "[Spiele]" section of Kelmo.ini, the unit list Kelmo.tsp and the players'
// record files. Nothing here writes a file.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "basis/GlobModul.h"

namespace wx {

// Reads the launch text into the state; false when the framework is not
// compatible ("Version=" other than 4 or "Class=" other than D).
flag16 leseStartParameter(GlobModul& g, const std::string& startText);
std::string wertNachGleich(const std::string& item);
void leseSpielDauer(GlobModul& g);
void leseBaustein(GlobModul& g);
void leseFehlerWoerter(GlobModul& g);
void setzeHilfeKontext(GlobModul& g);

// The records of a unit list: fields taken one after the other, a field ends
// at a comma or at the line's end, double quotes protect commas.
std::vector<std::pair<std::string, std::string>> leseTspDatensaetze(const std::vector<std::string>& zeilen);

}  // namespace wx
