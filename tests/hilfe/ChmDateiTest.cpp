// Reading help files: internal files, the default topic, the context map with
// the many spellings of its paths, and files that are broken or hostile.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "ChmBauer.h"
#include "hilfe/ChmDatei.h"

namespace wx {
namespace {

using test::ChmEintrag;

struct ChmTest : ::testing::Test {
    std::string ordner;
    void SetUp() override {
        char muster[] = "/tmp/wx_chm_XXXXXX";
        ASSERT_TRUE(mkdtemp(muster));
        ordner = muster;
    }
    void TearDown() override { std::filesystem::remove_all(ordner); }

    std::string schreibe(const std::string& name, const std::vector<ChmEintrag>& eintraege) {
        return test::schreibeDatei(ordner + "/" + name, test::baueChm(eintraege));
    }
    // A help file whose map names its topics in every way a compiler may.
    std::unique_ptr<ChmDatei> beispiel() {
        std::vector<ChmEintrag> e = {
            {"/bedienung.htm", "<p>Bedienung</p>"},
            {"/html/Regeln.htm", "<p>Regeln</p>"},
            {"/html/einstellungen.htm", "E"},
            {"/html/info.htm", "I"},
            {"/html/meister.htm", "M"},
            {"/neu.htm", "N"},
            {"/alt/neu.htm", "alt N"},
            {"/bilder/rad.gif", "GIF89a"},
            test::systemMitStart("bedienung.htm"),
        };
        for (auto& k : test::kontextKarte({
                 {1000, "C:\\Hilfe\\Projekt\\BEDIENUNG.HTM"},
                 {2000, "/home/autor/hilfe/html/regeln.htm"},
                 {3003, "html\\einstellungen.htm#farben"},
                 {3004, "./html/../html/info.htm"},
                 {3005, "ms-its:Wirbelix.chm::/html/meister.htm"},
                 {3006, "neu.htm"},
                 {3007, "D:\\x\\alt\\neu.htm"},
                 {3008, "html/fehlt.htm"},
                 {3009, "\\..\\."},
                 {3010, "../../neu.htm#x"},
                 {-5, "/html/info.htm"},
             }))
            e.push_back(k);
        std::string fehler;
        auto chm = ChmDatei::oeffne(schreibe("Wirbelix.chm", e), &fehler);
        EXPECT_TRUE(chm) << fehler;
        return chm;
    }
};

TEST_F(ChmTest, ContextNumbersFindTheirTopicsWhateverTheMapPathLooksLike) {
    const auto chm = beispiel();
    ASSERT_TRUE(chm);
    const std::pair<int32_t, const char*> faelle[] = {
        {1000, "/bedienung.htm"},    // absolute Windows path, other case
        {2000, "/html/Regeln.htm"},  // absolute path of the compiling machine
        {3003, "/html/einstellungen.htm#farben"},
        {3004, "/html/info.htm"},     // "." and ".." in a relative path
        {3005, "/html/meister.htm"},  // a topic address inside the file
        {3006, "/neu.htm"},           // two topics of that name: the shallower
        {3007, "/alt/neu.htm"},       // the folder decides
        {-5, "/html/info.htm"},
        {3010, "/neu.htm#x"},
        {3008, nullptr},  // mapped, but the file lacks the topic
        {3009, nullptr},  // no name at all
        {4711, nullptr},  // not mapped
        {0, nullptr},
    };
    for (const auto& [kontext, erwartet] : faelle)
        EXPECT_EQ(chm->themaZuKontext(kontext).value_or("(keins)"), erwartet ? erwartet : "(keins)")
            << kontext;
}

TEST_F(ChmTest, InternalFilesAreFoundInAnyCaseAndSpelling) {
    const auto chm = beispiel();
    ASSERT_TRUE(chm);
    EXPECT_EQ(chm->lies("HTML\\REGELN.HTM").value_or("?"), "<p>Regeln</p>");
    EXPECT_EQ(chm->finde("html/./regeln.htm").value_or("?"), "/html/Regeln.htm");
    EXPECT_EQ(chm->lies("bilder/rad.gif").value_or("?"), "GIF89a");
    EXPECT_FALSE(chm->lies("/html/fehlt.htm"));
    EXPECT_FALSE(chm->lies("/html"));
    // The help file's own bookkeeping is not offered as a topic.
    for (const auto& t : chm->themen()) EXPECT_NE(t[1], '#') << t;
    EXPECT_EQ(chm->themen().size(), 8u);

    // Stored paths with doubled slashes, backslashes or "." are found by the
    // topic list's own spelling (a fuzz find).
    const auto seltsam = ChmDatei::oeffne(
        schreibe("Seltsam.chm", {{"/a//b.htm", "1"}, {"/c\\d.htm", "2"}, {"/./e.htm", "3"}}));
    ASSERT_TRUE(seltsam);
    ASSERT_EQ(seltsam->themen().size(), 3u);
    for (const auto& t : seltsam->themen()) EXPECT_TRUE(seltsam->lies(t)) << t;
}

TEST_F(ChmTest, RequestsGiveAPageOrAGermanReason) {
    const auto chm = beispiel();
    ASSERT_TRUE(chm);
    EXPECT_EQ(hilfeZiel(*chm, 0, 0).seite, "/bedienung.htm");
    EXPECT_EQ(hilfeZiel(*chm, 15, 2000).seite, "/html/Regeln.htm");
    const auto unbekannt = hilfeZiel(*chm, 15, 1234);
    EXPECT_EQ(unbekannt.seite, "");
    EXPECT_EQ(unbekannt.fehler,
              "In der Hilfedatei \u201eWirbelix.chm\u201c gibt es zur Nummer 1234 kein Hilfethema.");
    EXPECT_NE(hilfeZiel(*chm, 7, 0).fehler, "");

    // Without a recorded default topic there is nothing to start with.
    auto ohne = ChmDatei::oeffne(schreibe("Ohne.chm", {{"/a.htm", "a"}}));
    ASSERT_TRUE(ohne);
    EXPECT_EQ(hilfeZiel(*ohne, 0, 0).fehler, "Die Hilfedatei \u201eOhne.chm\u201c hat keine Startseite.");
    EXPECT_TRUE(ohne->kontexte().empty());
}

TEST_F(ChmTest, MissingOrForeignFilesAreExplained) {
    std::string fehler;
    EXPECT_FALSE(ChmDatei::oeffne(ordner + "/Tesk.chm", &fehler));
    EXPECT_EQ(fehler, "Die Hilfedatei \u201eTesk.chm\u201c wurde nicht gefunden.");
    EXPECT_FALSE(ChmDatei::oeffne(ordner, &fehler));  // a folder
    test::schreibeDatei(ordner + "/Text.chm", "<html>keine Hilfedatei</html>");
    EXPECT_FALSE(ChmDatei::oeffne(ordner + "/Text.chm", &fehler));
    EXPECT_EQ(fehler, "Die Datei \u201eText.chm\u201c ist keine lesbare Hilfedatei.");
    test::schreibeDatei(ordner + "/Leer.chm", "");
    EXPECT_FALSE(ChmDatei::oeffne(ordner + "/Leer.chm", &fehler));

    // Headers that lie about the directory are refused before anything is read by them.
    const std::string gut = test::baueChm({{"/a.htm", "a"}});
    ASSERT_TRUE(ChmDatei::oeffne(test::schreibeDatei(ordner + "/gut.chm", gut)));
    const struct {
        const char* was;
        size_t stelle;
        uint32_t wert;
    } faelle[] = {
        {"huge chunks", 0x60 + 0x10, 0x7fffffff},       {"tiny chunks", 0x60 + 0x10, 1},
        {"directory beyond the end", 0x50, 0x10000000}, {"first chunk not there", 0x60 + 0x20, 5},
        {"content beyond the end", 0x58, 0xffffff},
    };
    for (const auto& f : faelle) {
        std::string kaputt = gut;
        for (int i = 0; i < 4; ++i) kaputt[f.stelle + i] = static_cast<char>((f.wert >> (8 * i)) & 0xff);
        EXPECT_FALSE(ChmDatei::oeffne(test::schreibeDatei(ordner + "/k.chm", kaputt), &fehler)) << f.was;
    }
}

TEST(ChmKarte, BrokenMapsAreReadAsFarAsTheyHold) {
    auto ivb = [](std::initializer_list<uint32_t> w) {
        std::string s;
        for (uint32_t v : w)
            for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
        return s;
    };
    const std::string strings("\0a.htm\0b.htm", 12);  // the last text lacks its NUL
    const struct {
        const char* was;
        std::string ivb;
        std::map<int32_t, std::string> karte;
    } faelle[] = {
        {"regular", ivb({16, 1, 1, 2, 7}), {{1, "a.htm"}, {2, "b.htm"}}},
        {"length beyond the data", ivb({0xfffffff0u, 1, 1, 2}), {{1, "a.htm"}}},
        {"half a pair", ivb({12, 1, 1, 2}), {{1, "a.htm"}}},
        {"offsets outside or empty", ivb({24, 1, 99, 2, 0xffffffffu, 3, 0}), {}},
        {"number twice: the first counts", ivb({16, 4, 7, 4, 1}), {{4, "b.htm"}}},
        {"too short", std::string("\x08\0", 2), {}},
    };
    for (const auto& f : faelle) EXPECT_EQ(leseKontextTabelle(f.ivb, strings), f.karte) << f.was;

    std::string system("\3\0\0\0\2\0\x10\0a.htm", 13);  // the record claims more than there is
    EXPECT_FALSE(leseStandardThema(system));
    EXPECT_FALSE(leseStandardThema(std::string("\3\0\0", 3)));
    EXPECT_EQ(leseStandardThema(std::string("\3\0\0\0\3\0\1\0x\2\0\6\0a.htm\0", 19)).value_or("?"), "a.htm");
}

// Damaged copies of a good file are opened and read through; whatever they
// contain, the reader answers and does not crash or hang.
TEST_F(ChmTest, DamagedFilesAreReadWithoutHarm) {
    std::vector<ChmEintrag> e = {{"/a.htm", "<p>a</p>"}, {"/b/c.htm", "c"}, test::systemMitStart("a.htm")};
    for (auto& k : test::kontextKarte({{1, "a.htm"}, {2, "b\\c.htm"}})) e.push_back(k);
    const std::string gut = test::baueChm(e);
    std::mt19937 zufall(4711);
    int geoeffnet = 0;
    for (int runde = 0; runde < 200; ++runde) {
        std::string kaputt = gut;
        if (runde % 10 == 0) {
            kaputt.resize(zufall() % gut.size());  // cut short
        } else {
            const int stellen = 1 + static_cast<int>(zufall() % 8);
            for (int i = 0; i < stellen; ++i) {
                // Mostly the headers and the directory, where the lengths live.
                const size_t pos = (i % 2 == 0) ? zufall() % (0x60 + 0x54 + 300) : zufall() % gut.size();
                kaputt[pos] = static_cast<char>(zufall() & 0xff);
            }
        }
        auto chm = ChmDatei::oeffne(test::schreibeDatei(ordner + "/k.chm", kaputt));
        if (!chm) continue;
        ++geoeffnet;
        for (const auto& t : chm->themen()) (void)chm->lies(t);
        for (const auto& [k, p] : chm->kontexte()) (void)chm->themaZuKontext(k);
        (void)hilfeZiel(*chm, 0, 0);
    }
    EXPECT_GT(geoeffnet, 20);  // the damage did not merely stop every file at the door
}

// chmlib divides by the decompression settings of a file and follows its
// chunk links blindly; files that would make it divide by zero, decode with
// no state or loop for ever are refused before it sees them. Each case below
// is a real, compressed help file with one thing changed.
TEST_F(ChmTest, HostileDecompressionSettingsAndLoopsAreRefusedBeforeChmlibSeesThem) {
    std::ifstream ein(std::string(WIRBELIX_QUELLE) + "/demo/help/Wirbelix.chm", std::ios::binary);
    const std::string echt((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
    const std::string steuerName = "::DataSpace/Storage/MSCompressed/ControlData";
    // Where the contents of a directory entry lie: after the name its section
    // and its offset from the start of the contents (0x58 in the header).
    auto nachName = [&echt](const std::string& eintrag) { return echt.find(eintrag) + eintrag.size() + 1; };
    auto inhaltVon = [&](const std::string& eintrag) {
        size_t p = nachName(eintrag);
        uint64_t versatz = 0;
        do versatz = (versatz << 7) | (static_cast<unsigned char>(echt[p]) & 0x7f);
        while (static_cast<unsigned char>(echt[p++]) & 0x80);
        return static_cast<size_t>(static_cast<unsigned char>(echt[0x58]) +
                                   256 * static_cast<unsigned char>(echt[0x59]) + versatz);
    };
    const size_t s = inhaltVon(steuerName), name = echt.find(steuerName), liste = 0x78 + 0x54;
    const size_t t = inhaltVon(
        "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/"
        "ResetTable");
    ASSERT_EQ(echt.compare(s + 4, 4, "LZXC"), 0);
    ASSERT_EQ(echt[t + 0x21], '\x80');         // blocks of 32 KB
    size_t laenge = nachName(steuerName) + 1;  // the entry's length, after its offset
    while (static_cast<unsigned char>(echt[laenge - 1]) & 0x80) ++laenge;

    using Bytes = std::vector<std::pair<size_t, char>>;
    Bytes kleinerName{{s + 16, 0}};  // chmlib finds the entry without regard to case
    for (size_t i = 0; i < steuerName.size(); ++i)
        kleinerName.push_back({name + i, std::tolower(steuerName[i])});
    Bytes zweiterEintrag;  // and only up to a NUL
    const std::string zweiter = steuerName + std::string("\0xx", 3);
    for (size_t i = 0; i < zweiter.size(); ++i)
        zweiterEintrag.push_back(
            {echt.find("::DataSpace/Storage/MSCompressed/Transform/List") + i, zweiter[i]});
    Bytes listeAufSich, listeWeiter;  // the listing chunk's link to the next: 0 or 9
    for (size_t i = 0; i < 4; ++i) {
        listeAufSich.push_back({liste + 0x10 + i, 0});
        listeWeiter.push_back({liste + 0x10 + i, i == 0 ? 9 : 0});
    }
    const struct {
        const char* was;
        bool oeffnet;
        Bytes aenderung;
    } faelle[] = {
        // The control data holds version, reset interval, window and windows
        // per reset; in version 2 the interval and window count 32 KB frames.
        {"unchanged", true, {}},
        {"window of 0", false, {{s + 16, 0}}},
        {"window that is 0 in 32 bits", false, {{s + 16, 0}, {s + 18, 2}}},
        {"window of three frames", false, {{s + 16, 3}}},
        {"window of 4 MB", false, {{s + 16, 64}}},
        {"version 1 counts bytes: a window of 2", false, {{s + 8, 1}}},
        {"version 1 with a window of 64 KB",
         true,
         {{s + 8, 1}, {s + 12, 0}, {s + 14, 1}, {s + 16, 0}, {s + 18, 1}}},
        {"unknown version", false, {{s + 8, 3}}},
        {"no reset", false, {{s + 12, 0}}},
        {"no windows per reset", false, {{s + 20, 0}}},
        {"windows per reset beyond 32 bits", false, {{s + 23, '\x80'}}},
        {"reset table block length 0", false, {{t + 0x21, 0}}},
        {"reset table block length 1", false, {{t + 0x20, 1}, {t + 0x21, 0}}},
        {"entry in lower case with a window of 0", false, kleinerName},
        {"a second entry naming the control data before a NUL", false, zweiterEintrag},
        // A short entry leaves chmlib's buffer partly unread.
        {"control data entry of 16 bytes", false, {{laenge, 0x10}}},
        {"control data in section 2", false, {{name + 44, 2}}},
        {"listing chain back to itself", false, listeAufSich},
        {"listing chain to beyond the end", true, listeWeiter},
    };
    for (const auto& f : faelle) {
        std::string d = echt;
        for (const auto& [stelle, wert] : f.aenderung) d[stelle] = wert;
        std::string fehler;
        const auto chm = ChmDatei::oeffne(test::schreibeDatei(ordner + "/Wirbelix.chm", d), &fehler);
        EXPECT_EQ(static_cast<bool>(chm), f.oeffnet) << f.was;
        if (chm) {
            EXPECT_NE(chm->lies("/regeln.htm").value_or("").find("</html>"), std::string::npos)
                << f.was;  // compressed
        } else {
            EXPECT_EQ(fehler, "Die Datei \u201eWirbelix.chm\u201c ist keine lesbare Hilfedatei.") << f.was;
        }
    }
}

// An index chunk above the listing: followed to the listing it is fine; an
// index that leads back to itself would keep chmlib's lookup going for ever.
TEST_F(ChmTest, IndexChunksThatLeadBackToThemselvesAreRefused) {
    const std::string einfach = test::baueChm({{"/a.htm", "<p>a</p>"}, {"/b.htm", "b"}});
    constexpr size_t kItsf = 0x60, kItsp = 0x54, kBlock = 4096;
    auto mitIndex = [&](uint8_t kind, uint32_t frei) {
        std::string index(kBlock, '\0');
        index.replace(0, 4, "PMGI");
        const std::string eintrag = std::string("\x01/", 2) + static_cast<char>(kind);
        index.replace(8, eintrag.size(), eintrag);
        for (int i = 0; i < 4; ++i) index[4 + i] = static_cast<char>((frei >> (8 * i)) & 0xff);
        std::string d = einfach.substr(0, kItsf + kItsp) + index + einfach.substr(kItsf + kItsp);
        auto dword = [&d](size_t stelle, uint32_t wert) {
            for (int i = 0; i < 4; ++i) d[stelle + i] = static_cast<char>((wert >> (8 * i)) & 0xff);
        };
        dword(0x50, kItsp + 2 * kBlock);          // the directory's length
        dword(0x58, kItsf + kItsp + 2 * kBlock);  // where the contents begin
        dword(kItsf + 0x1c, 0);                   // the index is chunk 0
        dword(kItsf + 0x20, 1);                   // the listing chunk 1
        dword(kItsf + 0x24, 1);
        dword(kItsf + 0x2c, 2);
        return d;
    };
    const struct {
        const char* was;
        uint8_t kind;
        uint32_t frei;
        bool oeffnet;
    } faelle[] = {
        {"index to the listing", 1, kBlock - 8 - 3, true},
        {"index to itself", 0, kBlock - 8 - 3, false},
        // An impossible free space makes chmlib read the zeros after the
        // entry as entries too, and they lead to chunk 0.
        {"free space larger than the chunk", 1, 0xffffffff, false},
    };
    for (const auto& f : faelle) {
        const auto chm = ChmDatei::oeffne(test::schreibeDatei(ordner + "/i.chm", mitIndex(f.kind, f.frei)));
        EXPECT_EQ(static_cast<bool>(chm), f.oeffnet) << f.was;
        if (chm) {
            EXPECT_EQ(chm->lies("/b.htm").value_or("?"), "b") << f.was;
        }
    }
}

}  // namespace
}  // namespace wx
