// Reading entries of one section of the framework's INI file "Kelmo.ini".
//
// A section begins after the line that is exactly its header ("[Sound]") and
// ends before the next line that begins with "[". An entry is a line that
// begins, in its first column, with a key followed directly by "="; keys are
// case-sensitive, so a line with blanks before the "=" names no key. The value
// is the rest of the line with blanks removed at both ends. Comment lines
// begin with ";" and so never match a key.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wx {

enum class IniSuche {
    // Up to the next section; a key named twice takes its later value.
    abschnitt,
    // The first line naming the key, searching on to the end of the file (the
    // framework's "[Spiele]" section is read this way).
    ersterBisDateiende,
};

// One line that names a key: the key's index in `schluessel` and the value.
struct IniEintrag {
    size_t schluessel;
    std::string wert;
};

// Every line that names one of the keys, in the order of the lines.
std::vector<IniEintrag> leseIniEintraege(const std::vector<std::string>& zeilen, std::string_view kopf,
                                         const std::vector<std::string>& schluessel,
                                         IniSuche suche = IniSuche::abschnitt);

// The value of every key, in the order of `schluessel`; empty where the
// section does not name the key or the header is missing.
std::vector<std::optional<std::string>> leseIniAbschnitt(const std::vector<std::string>& zeilen,
                                                         std::string_view kopf,
                                                         const std::vector<std::string>& schluessel,
                                                         IniSuche suche = IniSuche::abschnitt);

}  // namespace wx
