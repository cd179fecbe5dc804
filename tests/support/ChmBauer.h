// Writes small help files for the tests: every file stored uncompressed in
// one listing chunk, with the context map and the default topic chosen by the
// test, so that a test can shape even broken maps on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace wx::test {

struct ChmEintrag {
    std::string pfad;  // internal path, "/" first
    std::string inhalt;
};

// The bytes of a help file holding these files.
std::string baueChm(const std::vector<ChmEintrag>& eintraege);

// The internal files "#IVB" and "#STRINGS" of a context map.
std::vector<ChmEintrag> kontextKarte(const std::vector<std::pair<int32_t, std::string>>& karte);
// The internal file "#SYSTEM" naming the default topic.
ChmEintrag systemMitStart(const std::string& thema);

// Writes bytes to a file; the path back.
std::string schreibeDatei(const std::string& pfad, const std::string& bytes);

}  // namespace wx::test
