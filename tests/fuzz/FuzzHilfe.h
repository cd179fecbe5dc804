// Shared by the fuzz targets: the input as the game's readers see a file,
// a private scratch folder, and a check that aborts so that both libFuzzer
// and the plain corpus run report the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wx::fuzz {

// The input's bytes as text.
inline std::string_view alsText(const uint8_t* daten, size_t groesse) {
    return {reinterpret_cast<const char*>(daten), groesse};
}

// The lines of a file as leseAnsiZeilen gives them: split at LF, a CR before
// it dropped, Windows-1252 turned into UTF-8.
std::vector<std::string> ansiZeilen(std::string_view text);

// A folder of this process, made on first use and removed at its end.
const std::string& arbeitsOrdner();

// Writes bytes to a file in the scratch folder; its full path back.
std::string schreibe(const std::string& name, std::string_view bytes);

// Aborts with a message when a property of the result does not hold.
void verlange(bool gilt, const char* was);

}  // namespace wx::fuzz
