// Self-test of the word source checks and the database writer.
// Runs without a test framework so the tool stays buildable on its own.

#include "wordsource.hpp"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void check(bool ok, const std::string& what, int line) {
    if (!ok) {
        ++g_failures;
        std::cerr << "worddb_selftest.cpp:" << line << ": FAILED: " << what << '\n';
    }
}
#define CHECK(cond) check((cond), #cond, __LINE__)

const std::string kHead = std::string(worddb::kHeader) + "\n";

std::string row(int refNr, const std::string& word, const std::string& kontext = "der",
                const std::string& flags = "1\t1\t0\t0", const std::string& para = "Ein Tier, das bellt.",
                const std::string& sentence = "Der @ bellt.") {
    return std::to_string(refNr) + "\t" + word + "\t" + kontext + "\t" + flags + "\t" + para + "\t" +
           sentence + "\n";
}

std::vector<std::string> faultLines(const worddb::WordSource& s) {
    std::vector<std::string> out;
    for (const auto& f : s.faults()) out.push_back(worddb::formatFault(f));
    return out;
}

// Faults of a single record line placed after the header (so at line 2).
std::vector<std::string> faultsOf(const std::string& line) {
    worddb::WordSource s;
    s.addText(kHead + line, "t.tsv");
    return faultLines(s);
}

bool hasFault(const std::vector<std::string>& faults, const std::string& part) {
    for (const auto& f : faults)
        if (f.find(part) != std::string::npos) return true;
    return false;
}

void testLettersAndEncoding() {
    using worddb::utf8Length;
    CHECK(utf8Length("Größe") == 5u);
    CHECK(utf8Length("") == 0u);
    // The decoder itself is checked with the game's text helpers; here only
    // that a Windows-1252 byte makes the whole text invalid.
    CHECK(!utf8Length("B\xE4r"));

    for (char32_t c : std::u32string(U"AZazÄÖÜäöüß")) CHECK(worddb::isBoardLetter(c));
    for (char32_t c : std::u32string(U"-' 1éÉẞ@\t")) CHECK(!worddb::isBoardLetter(c));
}

void testGoodRecord() {
    worddb::WordSource s;
    s.addText(kHead + row(7, "Bär", "der", "1\t0\t1\t0") +
                  row(8, "laufen", "", "0\t1\t0\t1", "Schnell gehen.", "Wir wollen @."),
              "t.tsv");
    CHECK(s.ok());
    CHECK(s.records().size() == 2u);
    if (s.records().size() != 2u) return;
    const auto& a = s.records()[0];
    CHECK(a.refNr == 7 && a.word == "Bär" && a.kontext == "der");
    CHECK(a.gws == 1 && a.lip == 0 && a.lt11 == 1 && a.lt12 == 0);
    CHECK(a.line == 2 && a.file == "t.tsv");
    const auto& b = s.records()[1];
    CHECK(b.kontext.empty() && b.lt12 == 1 && b.sentence == "Wir wollen @.");
}

void testRecordFaults() {
    // Each fault names the file and the line.
    CHECK(hasFault(faultsOf("1\tHund\tder\t1\t1\t0\t0\tEin Tier.\n"), "t.tsv:2: expected 9 columns"));
    CHECK(hasFault(faultsOf(row(1, "Hund") + "\textra"), "t.tsv:3: expected 9 columns"));

    CHECK(hasFault(faultsOf(row(0, "Hund")), "outside 1..32767"));
    CHECK(hasFault(faultsOf(row(32768, "Hund")), "outside 1..32767"));
    CHECK(faultsOf(row(32767, "Hund")).empty());
    CHECK(hasFault(faultsOf("12a" + row(1, "Hund").substr(1)), "not a whole number"));
    CHECK(hasFault(faultsOf("-5" + row(1, "Hund").substr(1)), "not a whole number"));

    // Length is counted in letters, not bytes: ß and ö take two bytes each.
    CHECK(faultsOf(row(1, "Straßenbahnhöfe")).empty());
    CHECK(hasFault(faultsOf(row(1, "Straßenbahnhöfen")), "has 16 letters"));
    CHECK(hasFault(faultsOf(row(1, "Ö")), "has 1 letters"));
    CHECK(faultsOf(row(1, "Öl", "das")).empty());

    CHECK(hasFault(faultsOf(row(1, "Auto-Bahn", "die")), "contains \"-\""));
    CHECK(hasFault(faultsOf(row(1, "Tee Kanne", "die")), "U+0020 (blank)"));
    CHECK(hasFault(faultsOf(row(1, "Café", "das")), "contains \"é\""));
    CHECK(hasFault(faultsOf(row(1, "Hund ")), "U+0020 (blank)"));
    CHECK(hasFault(faultsOf(row(1, "")), "Wort is empty"));

    CHECK(hasFault(faultsOf(row(1, "Hund", "Der")), "must be der, die, das or empty"));
    CHECK(hasFault(faultsOf(row(1, "hund", "der")), "must start with a capital"));
    CHECK(faultsOf(row(1, "Ärger", "der")).empty());
    CHECK(faultsOf(row(1, "laufen", "")).empty());

    CHECK(hasFault(faultsOf(row(1, "Hund", "der", "2\t1\t0\t0")), "GWS must be 0 or 1"));
    CHECK(hasFault(faultsOf(row(1, "Hund", "der", "1\t\t0\t0")), "LIP_ must be 0 or 1"));
    CHECK(hasFault(faultsOf(row(1, "Hund", "der", "1\t1\tja\t0")), "LT11 must be 0 or 1"));
    CHECK(hasFault(faultsOf(row(1, "Hund", "der", "1\t1\t0\t01")), "LT12 must be 0 or 1"));

    CHECK(hasFault(faultsOf(row(1, "Hund", "der", "1\t1\t0\t0", "")), "Paraphr is empty"));
    CHECK(hasFault(faultsOf(row(1, "Hund", "der", "1\t1\t0\t0", "   ")), "Paraphr is empty"));

    const std::string p = "Ein Tier.";
    CHECK(hasFault(faultsOf(row(1, "Hund", "der", "1\t1\t0\t0", p, "Der Hund bellt.")), "found 0"));
    CHECK(hasFault(faultsOf(row(1, "Hund", "der", "1\t1\t0\t0", p, "Der @ bellt @.")), "found 2"));

    // A file saved as Windows-1252 instead of UTF-8
    CHECK(hasFault(faultsOf("1\tB\xE4r\tder\t1\t1\t0\t0\tEin Tier.\tDer @ brummt.\n"),
                   "t.tsv:2: the line is not valid UTF-8"));

    // Several faults in one line are all reported, one line each.
    const auto many = faultsOf(row(0, "X-", "den", "5\t1\t0\t0", "", "kein Platzhalter"));
    CHECK(many.size() == 6u);

    // A faulty record is not kept.
    worddb::WordSource s;
    s.addText(kHead + row(1, "Hund") + row(2, "Katze", "die", "1\t1\t0\t0", "", "Die @."), "t.tsv");
    CHECK(s.records().size() == 1u);
}

void testFileStructure() {
    {
        worddb::WordSource s;  // header with blanks instead of tabs
        s.addText("RefNr Wort Kontext GWS LIP_ LT11 LT12 Paraphr SatzKontext\n" + row(1, "Hund"), "t.tsv");
        CHECK(s.faults().size() == 1u && hasFault(faultLines(s), "t.tsv:1: the first line"));
        CHECK(s.records().empty());
    }
    {
        worddb::WordSource s;  // records without header
        s.addText(row(1, "Hund"), "t.tsv");
        CHECK(hasFault(faultLines(s), "t.tsv:1: the first line"));
    }
    {
        worddb::WordSource s;
        s.addText("", "leer.tsv");
        CHECK(hasFault(faultLines(s), "leer.tsv:1: the file is empty"));
    }
    {
        // Byte order mark, Windows line ends, blank lines and no final newline.
        worddb::WordSource s;
        std::string text = "\xEF\xBB\xBF" + std::string(worddb::kHeader) + "\r\n" +
                           "1\tHund\tder\t1\t1\t0\t0\tEin Tier.\tDer @ bellt.\r\n\r\n" +
                           "2\tKatze\tdie\t1\t1\t0\t1\tEin Tier.\tDie @ miaut.";
        s.addText(text, "t.tsv");
        CHECK(s.ok());
        CHECK(s.records().size() == 2u);
        if (s.records().size() == 2u) {
            CHECK(s.records()[1].sentence == "Die @ miaut.");  // no '\r' left at the end
            CHECK(s.records()[1].line == 4);                   // blank lines still count
        }
    }
}

void testAcrossFiles() {
    {
        worddb::WordSource s;
        s.addText(kHead + row(5, "Hund") + row(9, "Katze", "die"), "teil1.tsv");
        s.addText(kHead + row(1001, "Maus", "die") + row(9, "Igel"), "teil2.tsv");
        CHECK(hasFault(faultLines(s), "teil2.tsv:3: RefNr 9 is used twice (also at teil1.tsv:3)"));
        CHECK(s.faults().size() == 1u);  // not reported as out of order as well
    }
    {
        worddb::WordSource s;
        s.addText(kHead + row(5, "Hund") + row(3, "Katze", "die"), "teil1.tsv");
        CHECK(hasFault(faultLines(s), "teil1.tsv:3: RefNr 3 is smaller than RefNr 5 at teil1.tsv:2"));
    }
    {
        // A word may come twice only with different articles.
        worddb::WordSource s;
        s.addText(kHead + row(1, "Leiter", "die") + row(2, "Leiter", "der") + row(3, "laufen", ""),
                  "teil1.tsv");
        s.addText(kHead + row(1001, "Leiter", "die") + row(1002, "laufen", ""), "teil2.tsv");
        const auto f = faultLines(s);
        CHECK(f.size() == 2u);
        CHECK(hasFault(f, "teil2.tsv:2: Wort \"Leiter\" (die) is already in the list at teil1.tsv:2"));
        CHECK(hasFault(f, "teil2.tsv:3: Wort \"laufen\" is already in the list at teil1.tsv:4"));
    }
    {
        // Reading order is kept: first file, then second; gaps are fine.
        worddb::WordSource s;
        s.addText(kHead + row(1, "Hund") + row(40, "Katze", "die"), "teil1.tsv");
        s.addText(kHead + row(1001, "Maus", "die"), "teil2.tsv");
        CHECK(s.ok() && s.records().size() == 3u);
        if (s.records().size() == 3u) CHECK(s.records()[2].word == "Maus");
    }
}

// A word set of `words` records, the first `gws` with GWS=1, the first `lip` with LIP_=1.
worddb::WordSource makeSet(int words, int gws, int lip) {
    std::string text = kHead;
    for (int i = 1; i <= words; ++i) {
        const std::string flags =
            std::string(i <= gws ? "1" : "0") + "\t" + (i <= lip ? "1" : "0") + "\t0\t0";
        std::string word = "Wort";  // Wortb, Wortc, ... all different
        for (int n = i; n > 0; n /= 26) word += static_cast<char>('a' + n % 26);
        text += row(i, word, "das", flags);
    }
    worddb::WordSource s;
    s.addText(text, "t.tsv");
    s.checkTotals();
    return s;
}

void testTotals() {
    CHECK(makeSet(400, 134, 300).ok());  // 134 of 400 is just over a third
    CHECK(makeSet(402, 134, 300).ok());  // exactly a third
    CHECK(hasFault(faultLines(makeSet(400, 133, 300)), "all files: 133 of 400 words have GWS=1"));
    CHECK(hasFault(faultLines(makeSet(399, 200, 300)), "all files: 399 words, at least 400"));
    CHECK(hasFault(faultLines(makeSet(400, 200, 299)), "all files: 299 words have LIP_=1"));
    CHECK(makeSet(399, 100, 299).faults().size() == 3u);
}

struct TempDir {
    std::filesystem::path path;
    TempDir() {
        path = std::filesystem::temp_directory_path() /
               ("worddb_selftest_" + std::to_string(std::random_device{}()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
};

std::vector<std::vector<std::string>> query(const std::string& dbPath, const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(dbPath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<std::string> r;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto* t = sqlite3_column_text(st, c);
                r.push_back(t ? reinterpret_cast<const char*>(t) : "<NULL>");
            }
            rows.push_back(std::move(r));
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

void testDatabase() {
    TempDir tmp;
    const std::string db = (tmp.path / "Kelmo-D.mdb").string();

    // Junk where the database goes: it must be replaced, not opened.
    { std::ofstream(db) << "no database"; }

    worddb::WordSource s;
    s.addText(kHead + row(2, "Straße", "die", "1\t1\t0\t0", "Dort fahren Autos.", "Die @ ist nass.") +
                  row(17, "müde", "", "0\t1\t0\t0", "So ist man am Abend.", "Ich bin @."),
              "teil1.tsv");
    s.addText(kHead + row(1001, "Zucker", "der", "0\t0\t0\t1", "Er ist süß.", "Der @ ist süß."), "teil2.tsv");
    CHECK(s.ok());
    CHECK(worddb::writeDatabase(db, s.records()).empty());

    const auto words = query(db, "SELECT RefNr, Wort, Kontext, GWS, LIP_, LT11, LT12 FROM WortListe");
    CHECK(words.size() == 3u);
    if (words.size() == 3u) {
        CHECK((words[0] == std::vector<std::string>{"2", "Straße", "die", "1", "1", "0", "0"}));
        CHECK((words[1] == std::vector<std::string>{"17", "müde", "<NULL>", "0", "1", "0", "0"}));
        CHECK((words[2] == std::vector<std::string>{"1001", "Zucker", "der", "0", "0", "0", "1"}));
    }
    const auto clues = query(db, "SELECT RefNr, Paraphr, SatzKontext FROM SemSynt");
    CHECK(clues.size() == 3u);
    if (clues.size() == 3u) {
        CHECK((clues[1] == std::vector<std::string>{"17", "So ist man am Abend.", "Ich bin @."}));
    }
    // Umlauts and ß are stored as UTF-8, byte for byte.
    CHECK(query(db, "SELECT hex(Wort) FROM WortListe WHERE RefNr=2") ==
          (std::vector<std::vector<std::string>>{{"53747261C39F65"}}));
    // Only the two game tables, nothing left over from the junk file.
    CHECK(query(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name") ==
          (std::vector<std::vector<std::string>>{{"SemSynt"}, {"WortListe"}}));
    CHECK(query(db, "SELECT \"notnull\" FROM pragma_table_info('WortListe') WHERE name='Kontext'") ==
          (std::vector<std::vector<std::string>>{{"0"}}));

    // Writing again starts from scratch.
    worddb::WordSource one;
    one.addText(kHead + row(5, "Hund"), "t.tsv");
    CHECK(worddb::writeDatabase(db, one.records()).empty());
    CHECK(query(db, "SELECT count(*) FROM WortListe") == (std::vector<std::vector<std::string>>{{"1"}}));

    // A folder that does not exist: an error, and no half written file left over.
    const std::string nowhere = (tmp.path / "fehlt" / "x.mdb").string();
    CHECK(!worddb::writeDatabase(nowhere, one.records()).empty());
    CHECK(!std::filesystem::exists(nowhere + ".part"));
}

}  // namespace

int main() {
    testLettersAndEncoding();
    testGoodRecord();
    testRecordFaults();
    testFileStructure();
    testAcrossFiles();
    testTotals();
    testDatabase();
    if (g_failures != 0) {
        std::cerr << g_failures << " check(s) failed\n";
        return 1;
    }
    std::cout << "worddb self-test passed\n";
    return 0;
}
