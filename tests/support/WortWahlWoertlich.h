// The word choice written as plainly as possible, for comparison: every "has
// this word been played" reads the played list from its start, and the search
// for the next unplayed word steps through the records one at a time. (Finding
// a record by its number uses the connection's own search, as the game does.) It must choose exactly what
// MainFrm::waehleWort chooses from the same random numbers; the tests hold the two side by side, the
// benchmarks time them against each other.
#pragma once

#include "basis/GlobModul.h"
#include "basis/Datenverbindung.h"

namespace wx::woertlich {

bool waehleWort(GlobModul& g, Datenverbindung& rdb, Datenverbindung& phr);

}  // namespace wx::woertlich
