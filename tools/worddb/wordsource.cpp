#include "wordsource.hpp"

#include <sqlite3.h>

#include "basis/Zeichen.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <system_error>

namespace worddb {

namespace {

constexpr std::size_t kColumns = 9;

// The code points of a text, or nothing if it is not valid UTF-8.
std::optional<std::u32string> decodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto cp = wx::leseUtf8Streng(text, i);
        if (!cp) return std::nullopt;
        out.push_back(*cp);
    }
    return out;
}

// How a character looks in a fault message: itself if printable, else U+XXXX.
std::string showChar(char32_t cp) {
    if (cp >= 0x21 && cp != 0x7F && !(cp >= 0x80 && cp < 0xA0)) return "\"" + wx::utf8(cp) + "\"";
    std::ostringstream os;
    os << "U+" << std::uppercase << std::hex;
    os.width(4);
    os.fill('0');
    os << static_cast<unsigned long>(cp);
    return os.str() + (cp == 0x20 ? " (blank)" : "");
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

bool isBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::optional<int> parseRefNr(std::string_view s) {
    if (s.empty() || s.size() > 9) return std::nullopt;
    if (!std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
    int value = 0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

std::string where(const std::string& file, int line) { return file + ":" + std::to_string(line); }

}  // namespace

std::string formatFault(const Fault& f) {
    if (f.file.empty()) return "all files: " + f.message;
    return where(f.file, f.line) + ": " + f.message;
}

std::optional<std::size_t> utf8Length(std::string_view text) {
    const auto decoded = decodeUtf8(text);
    if (!decoded) return std::nullopt;
    return decoded->size();
}

bool isBoardLetter(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z')) return true;
    switch (c) {
        case U'Ä':
        case U'Ö':
        case U'Ü':
        case U'ä':
        case U'ö':
        case U'ü':
        case U'ß':
            return true;
        default:
            return false;
    }
}

void WordSource::fault(const std::string& name, int line, std::string message) {
    faults_.push_back(Fault{name, line, std::move(message)});
}

void WordSource::addFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fault(path, 0, "cannot open the file");
        return;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    addText(text, path);
}

void WordSource::addText(std::string_view text, const std::string& name) {
    // Editors on Windows like to put a byte order mark in front; it is harmless.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

    int lineNo = 0;
    bool headerSeen = false;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        ++lineNo;
        if (line.ends_with('\r')) line.remove_suffix(1);

        if (!headerSeen) {
            if (line != kHeader) {
                fault(name, lineNo,
                      "the first line must be the column header "
                      "RefNr/Wort/Kontext/GWS/LIP_/LT11/LT12/Paraphr/SatzKontext, separated by tabs");
                return;  // without the header the columns cannot be trusted
            }
            headerSeen = true;
            continue;
        }
        if (line.empty()) continue;
        addLine(line, name, lineNo);
    }
    if (!headerSeen) fault(name, 1, "the file is empty, the column header is missing");
}

void WordSource::addLine(std::string_view line, const std::string& name, int lineNo) {
    const std::size_t faultsBefore = faults_.size();

    if (!decodeUtf8(line)) {
        fault(name, lineNo, "the line is not valid UTF-8 (was the file saved in another encoding?)");
        return;
    }
    const auto fields = splitTabs(line);
    if (fields.size() != kColumns) {
        fault(name, lineNo, "expected 9 columns separated by tabs, found " + std::to_string(fields.size()));
        return;
    }

    Record r;
    r.file = name;
    r.line = lineNo;

    // RefNr: unique over all files and rising in reading order. The game walks
    // the word list in table order, which SQLite keeps by RefNr; numbering in
    // ascending order is what makes that the same as the order of the files.
    const auto refNr = parseRefNr(fields[0]);
    if (!refNr) {
        fault(name, lineNo, "RefNr \"" + std::string(fields[0]) + "\" is not a whole number");
    } else if (*refNr < kMinRefNr || *refNr > kMaxRefNr) {
        fault(name, lineNo, "RefNr " + std::to_string(*refNr) + " is outside 1..32767");
    } else {
        r.refNr = *refNr;
        const auto [it, isNew] = seenRefNrs_.try_emplace(*refNr, Seen{name, lineNo});
        if (!isNew) {
            fault(name, lineNo,
                  "RefNr " + std::to_string(*refNr) + " is used twice (also at " +
                      where(it->second.file, it->second.line) + ")");
        } else if (*refNr < lastRefNr_) {
            fault(name, lineNo,
                  "RefNr " + std::to_string(*refNr) + " is smaller than RefNr " + std::to_string(lastRefNr_) +
                      " at " + where(lastRefNrAt_.file, lastRefNrAt_.line) +
                      "; the words must be numbered in ascending order");
        }
        if (isNew && *refNr > lastRefNr_) {
            lastRefNr_ = *refNr;
            lastRefNrAt_ = Seen{name, lineNo};
        }
    }

    // Wort: only letters the board can show, 2 to 15 of them.
    r.word = std::string(fields[1]);
    const std::u32string letters = *decodeUtf8(fields[1]);
    const auto badChar = std::find_if_not(letters.begin(), letters.end(), isBoardLetter);
    if (letters.empty()) {
        fault(name, lineNo, "Wort is empty");
    } else if (badChar != letters.end()) {
        fault(name, lineNo,
              "Wort \"" + r.word + "\" contains " + showChar(*badChar) +
                  "; only the letters A-Z, a-z, Ä, Ö, Ü, ä, ö, ü and ß are allowed");
    } else if (letters.size() < kMinLetters || letters.size() > kMaxLetters) {
        fault(name, lineNo,
              "Wort \"" + r.word + "\" has " + std::to_string(letters.size()) +
                  " letters; 2 to 15 are allowed");
    }

    // Kontext: the article of a noun, empty for verbs and adjectives.
    r.kontext = std::string(fields[2]);
    if (!r.kontext.empty() && r.kontext != "der" && r.kontext != "die" && r.kontext != "das") {
        fault(name, lineNo, "Kontext \"" + r.kontext + "\" must be der, die, das or empty");
    } else if (!r.kontext.empty() && !letters.empty() && !(letters[0] >= U'A' && letters[0] <= U'Z') &&
               letters[0] != U'Ä' && letters[0] != U'Ö' && letters[0] != U'Ü') {
        fault(name, lineNo, "Wort \"" + r.word + "\" has an article, so it must start with a capital");
    }

    // The same word with the same article twice would be the same task twice.
    // (der Leiter / die Leiter are two words.)
    if (!letters.empty()) {
        const auto [it, isNew] = seenWords_.try_emplace({r.word, r.kontext}, Seen{name, lineNo});
        if (!isNew) {
            fault(name, lineNo,
                  "Wort \"" + r.word + "\"" + (r.kontext.empty() ? "" : " (" + r.kontext + ")") +
                      " is already in the list at " + where(it->second.file, it->second.line));
        }
    }

    const std::array<std::pair<const char*, int*>, 4> flags{
        {{"GWS", &r.gws}, {"LIP_", &r.lip}, {"LT11", &r.lt11}, {"LT12", &r.lt12}}};
    for (std::size_t k = 0; k < flags.size(); ++k) {
        const std::string_view v = fields[3 + k];
        if (v == "0" || v == "1") {
            *flags[k].second = v == "1" ? 1 : 0;
        } else {
            fault(name, lineNo,
                  std::string(flags[k].first) + " must be 0 or 1, found \"" + std::string(v) + "\"");
        }
    }

    r.paraphrase = std::string(fields[7]);
    if (isBlank(r.paraphrase)) fault(name, lineNo, "Paraphr is empty");

    r.sentence = std::string(fields[8]);
    const auto ats = std::count(r.sentence.begin(), r.sentence.end(), '@');
    if (ats != 1) {
        fault(name, lineNo,
              "SatzKontext needs exactly one \"@\" where the word stands, found " + std::to_string(ats));
    }

    if (faults_.size() == faultsBefore) records_.push_back(std::move(r));
}

void WordSource::checkTotals() {
    const std::size_t words = records_.size();
    const auto count = [&](int Record::*flag) {
        return static_cast<std::size_t>(
            std::count_if(records_.begin(), records_.end(), [&](const Record& r) { return r.*flag == 1; }));
    };
    const std::size_t gws = count(&Record::gws);
    const std::size_t lip = count(&Record::lip);

    if (words < kMinWords) {
        fault("", 0, std::to_string(words) + " words, at least " + std::to_string(kMinWords) + " are needed");
    }
    if (gws * 3 < words) {
        fault("", 0,
              std::to_string(gws) + " of " + std::to_string(words) +
                  " words have GWS=1, at least a third are needed");
    }
    if (lip < kMinLipWords) {
        fault("", 0,
              std::to_string(lip) + " words have LIP_=1, at least " + std::to_string(kMinLipWords) +
                  " are needed");
    }
}

namespace {

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

constexpr const char* kSchema =
    "CREATE TABLE WortListe (RefNr INTEGER PRIMARY KEY, Wort TEXT NOT NULL, Kontext TEXT, "
    "GWS INTEGER NOT NULL, LIP_ INTEGER NOT NULL, LT11 INTEGER NOT NULL, "
    "LT12 INTEGER NOT NULL);"
    "CREATE TABLE SemSynt (RefNr INTEGER PRIMARY KEY, Paraphr TEXT, SatzKontext TEXT);";

std::string fill(sqlite3* rawDb, const std::vector<Record>& records) {
    const auto err = [rawDb](const std::string& what) { return what + ": " + sqlite3_errmsg(rawDb); };
    if (sqlite3_exec(rawDb, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK)
        return err("creating the tables");
    if (sqlite3_exec(rawDb, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return err("starting the transaction");

    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(rawDb,
                           "INSERT INTO WortListe (RefNr, Wort, Kontext, GWS, LIP_, LT11, LT12) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)",
                           -1, &raw, nullptr) != SQLITE_OK)
        return err("preparing the word insert");
    Stmt words(raw);
    if (sqlite3_prepare_v2(rawDb, "INSERT INTO SemSynt (RefNr, Paraphr, SatzKontext) VALUES (?, ?, ?)", -1,
                           &raw, nullptr) != SQLITE_OK)
        return err("preparing the clue insert");
    Stmt clues(raw);

    for (const Record& r : records) {
        sqlite3_stmt* w = words.get();
        sqlite3_bind_int(w, 1, r.refNr);
        sqlite3_bind_text(w, 2, r.word.data(), static_cast<int>(r.word.size()), SQLITE_STATIC);
        if (r.kontext.empty()) {
            sqlite3_bind_null(w, 3);
        } else {
            sqlite3_bind_text(w, 3, r.kontext.data(), static_cast<int>(r.kontext.size()), SQLITE_STATIC);
        }
        sqlite3_bind_int(w, 4, r.gws);
        sqlite3_bind_int(w, 5, r.lip);
        sqlite3_bind_int(w, 6, r.lt11);
        sqlite3_bind_int(w, 7, r.lt12);
        if (sqlite3_step(w) != SQLITE_DONE) return err("inserting RefNr " + std::to_string(r.refNr));
        sqlite3_reset(w);

        sqlite3_stmt* c = clues.get();
        sqlite3_bind_int(c, 1, r.refNr);
        sqlite3_bind_text(c, 2, r.paraphrase.data(), static_cast<int>(r.paraphrase.size()), SQLITE_STATIC);
        sqlite3_bind_text(c, 3, r.sentence.data(), static_cast<int>(r.sentence.size()), SQLITE_STATIC);
        if (sqlite3_step(c) != SQLITE_DONE) return err("inserting RefNr " + std::to_string(r.refNr));
        sqlite3_reset(c);
    }
    words.reset();
    clues.reset();
    if (sqlite3_exec(rawDb, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) return err("committing");
    return {};
}

}  // namespace

std::string writeDatabase(const std::string& path, const std::vector<Record>& records) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path part(path + ".part");
    std::error_code ec;
    fs::remove(target, ec);
    if (ec) return "cannot remove the old " + path + ": " + ec.message();
    fs::remove(part, ec);
    fs::remove(fs::path(part.string() + "-journal"), ec);

    std::string error;
    {
        sqlite3* raw = nullptr;
        const int rc =
            sqlite3_open_v2(part.string().c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        Db db(raw);
        if (rc != SQLITE_OK) {
            error =
                "cannot create " + part.string() + ": " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
        } else {
            error = fill(db.get(), records);
        }
    }  // the database is closed here, before the rename
    if (error.empty()) {
        fs::rename(part, target, ec);
        if (ec) error = "cannot rename " + part.string() + " to " + path + ": " + ec.message();
    }
    if (!error.empty()) fs::remove(part, ec);
    return error;
}

}  // namespace worddb
