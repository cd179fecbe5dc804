// Small text and file helpers shared by the whole game.
//
// Text inside the game is UTF-8; a letter is a character, not a byte ("Bär"
// has three). The framework's text files are Windows-1252 with CRLF line ends
// and come from a platform where file names ignore letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wx {

// The characters of a UTF-8 text, each as its own string.
std::vector<std::string> zeichen(std::string_view text);
// Number of characters of a UTF-8 text.
int laenge(std::string_view text);
// The game's upper case: a-z and ä ö ü become capitals, ß stays ß.
std::string gross(std::string_view text);

// Windows-1252 <-> UTF-8.
std::string ausAnsi(std::string_view ansi);
std::string nachAnsi(std::string_view utf8);
// Windows-1252 code of one character (given as UTF-8), -1 if it has none.
int ansiCode(std::string_view zeichen);
std::string ausAnsiCode(int code);

// Rounds to the nearest whole number, halves to the even neighbour; values
// beyond the range of int64_t saturate.
int64_t runde(double x);
// The leading number of a text ("12abc" -> 12, " 3" -> 3, "x" -> 0), leading blanks skipped.
double zahlAmAnfang(std::string_view text);
std::string trimme(std::string_view text);
bool beginntMit(std::string_view text, std::string_view anfang);

// A game path ("C:\Spiel\Grafik\GRAD0.WMF" style, "\" or "/") turned into an
// existing file of this system, found without regard to letter case; the
// path as given (with "/") when no such file exists.
std::string findeDatei(const std::string& pfad);
bool dateiVorhanden(const std::string& pfad);

// The lines of a framework text file, decoded from Windows-1252, line ends
// removed; nothing when the file cannot be opened.
std::optional<std::vector<std::string>> leseAnsiZeilen(const std::string& pfad);
// The bytes of a file as they are; nullopt when it cannot be read (missing,
// a folder, no permission). Plain system calls: reading a few small files
// at start-up should not pull in the stream library.
std::optional<std::string> leseDatei(const std::string& pfad);
// Lines split at LF, a CR before it dropped; no empty line after a last LF.
std::vector<std::string> teileZeilen(std::string_view inhalt);
// Index of the first line after the INI section header (a line that is
// exactly the header); zeilen.size() when the section is missing.
size_t abschnittsAnfang(const std::vector<std::string>& zeilen, std::string_view kopf);
// Writes lines in Windows-1252 with CRLF; false when the file cannot be written.
bool schreibeAnsiZeilen(const std::string& pfad, const std::vector<std::string>& zeilen);

}  // namespace wx
