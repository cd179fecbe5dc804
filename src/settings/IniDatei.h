// Rewriting the game's section of the framework's shared INI file.
//
// The file belongs to the framework; the game owns only its own section. So
// the rewrite works on the file's bytes: every line outside the section, and
// every comment line inside it, is copied exactly as it stands, whatever
// characters it holds. Lines end in CR LF.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "basis/Text.h"
#include "fenster/EinstellFrm.h"

namespace wx {

// The bytes of a file; nothing when it cannot be read.
std::optional<std::string> leseRoh(const std::string& pfad);


// The new text of an INI file: the lines up to and including the header
// line (exactly kopf), then the given entry lines, then a line of one blank,
// then the comment lines of the old section, then everything from the next
// section's header on. Without a header line the whole old text comes first
// and the header is written before the entries, so that the next reading
// finds them. Entries and header are bytes as they go into the file.
std::string schreibeAbschnittNeu(std::string_view alt, std::string_view kopf,
                                 const std::vector<std::string>& eintraege);

// Replaces the file ziel by inhalt without ever leaving a broken file: the
// text goes completely into tmp, is flushed to the disk, and tmp then takes
// ziel's place with a single rename. If anything fails, ziel is as it was
// and tmp is removed. vorSchritt (may be empty) runs before every step and
// can make it fail.
bool ersetzeDateiSicher(const std::string& ziel, const std::string& tmp, std::string_view inhalt,
                        const std::function<bool(SpeicherSchritt)>& vorSchritt);

}  // namespace wx
