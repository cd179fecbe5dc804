// Reading and checking the word source files (demo/woerter/*.tsv) and writing
// the spelling database the game reads (tables WortListe and SemSynt).
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace worddb {

// The first line of every word source file, byte for byte.
inline constexpr std::string_view kHeader =
    "RefNr\tWort\tKontext\tGWS\tLIP_\tLT11\tLT12\tParaphr\tSatzKontext";

inline constexpr int kMinRefNr = 1;
inline constexpr int kMaxRefNr = 32767;  // the game keeps word numbers in 16 bits
inline constexpr std::size_t kMinLetters = 2;
inline constexpr std::size_t kMaxLetters = 15;  // the letter board has 15 fields

// What a complete installation must offer, so that every unit has enough words.
inline constexpr std::size_t kMinWords = 400;
inline constexpr std::size_t kMinLipWords = 300;

struct Record {
    std::string file;
    int line = 0;
    int refNr = 0;
    std::string word;
    std::string kontext;  // article of a noun; empty for verbs and adjectives
    int gws = 0;
    int lip = 0;
    int lt11 = 0;
    int lt12 = 0;
    std::string paraphrase;
    std::string sentence;  // example sentence, '@' marks the word
};

struct Fault {
    std::string file;  // empty: a fault of the whole word set
    int line = 0;
    std::string message;
};

std::string formatFault(const Fault& fault);

// Number of code points of a UTF-8 string, or nothing if the bytes are not
// valid UTF-8 (overlong forms and surrogates count as invalid).
std::optional<std::size_t> utf8Length(std::string_view text);

// A letter the board can show: A-Z, a-z, the umlauts and ß.
bool isBoardLetter(char32_t c);

// Collects the records of several source files in reading order and every
// fault found on the way. Records with faults are not kept.
class WordSource {
public:
    // Reads one file; a file that cannot be opened becomes a fault.
    void addFile(const std::string& path);
    // Same for text already in memory; `name` is used in fault messages.
    void addText(std::string_view text, const std::string& name);

    // Checks the word counts a complete installation needs.
    void checkTotals();

    const std::vector<Record>& records() const { return records_; }
    const std::vector<Fault>& faults() const { return faults_; }
    bool ok() const { return faults_.empty(); }

private:
    void addLine(std::string_view line, const std::string& name, int lineNo);
    void fault(const std::string& name, int line, std::string message);

    struct Seen {
        std::string file;
        int line;
    };
    std::vector<Record> records_;
    std::vector<Fault> faults_;
    std::map<int, Seen> seenRefNrs_;
    std::map<std::pair<std::string, std::string>, Seen> seenWords_;  // (Wort, Kontext)
    int lastRefNr_ = 0;
    Seen lastRefNrAt_{};
};

// Writes a fresh database file: an existing file at `path` is removed first,
// the rows go in in the order of `records`, all inside one transaction.
// The file is built next to `path` and renamed at the end, so a failure never
// leaves a half written database behind. Returns an error text, empty on
// success.
std::string writeDatabase(const std::string& path, const std::vector<Record>& records);

}  // namespace worddb
