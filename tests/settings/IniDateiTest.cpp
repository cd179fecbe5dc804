// Rewriting the game's section of the shared INI file: which bytes stay, and
// that the file is whole after a failure or a crash at any step.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TestInstallation.h"
#include "settings/IniDatei.h"

namespace wx {
namespace {

const std::vector<std::string> kNeu = {"A=1", "B=2"};

TEST(IniDatei, SectionRewrite) {
    struct Fall {
        const char* name;
        std::string alt;
        std::string neu;
    };
    const Fall faelle[] = {
        {.name = "entries replaced, comments kept, next section and everything after it verbatim",
         .alt = "; oben\r\n[Spiele]\r\nX=1\r\n[Wirbelix]\r\nA=7\r\n;merken\r\nunbekannt\r\n\r\n B=3\r\n"
                "[Kelmo]\r\n;n\xF6tig\r\nW=x\x81y\r\n\r\n",
         .neu = "; oben\r\n[Spiele]\r\nX=1\r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n;merken\r\n"
                "[Kelmo]\r\n;n\xF6tig\r\nW=x\x81y\r\n\r\n"},
        {.name = "section at the end of the file",
         .alt = "[Spiele]\r\n[Wirbelix]\r\nA=0\r\n;c\r\n",
         .neu = "[Spiele]\r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n;c\r\n"},
        {.name = "header is the last line, without a line end",
         .alt = "[Spiele]\r\n[Wirbelix]",
         .neu = "[Spiele]\r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n"},
        {.name = "no header: the old text, then header and entries",
         .alt = "[Spiele]\r\nX=1\r\n",
         .neu = "[Spiele]\r\nX=1\r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n"},
        {.name = "a header in other letter case is not ours",
         .alt = "[wirbelix]\r\nA=5\r\n",
         .neu = "[wirbelix]\r\nA=5\r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n"},
        {.name = "header with blanks is not ours either",
         .alt = "[Wirbelix] \r\n",
         .neu = "[Wirbelix] \r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n"},
        {.name = "empty file", .alt = "", .neu = "[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n"},
        {.name = "last line of the file keeps its missing line end, a lone CR stays",
         .alt = "[Wirbelix]\r\nA=0\r\n[Ende]\r\nx\ry\r\nz\r",
         .neu = "[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n[Ende]\r\nx\ry\r\nz\r"},
        {.name = "a second header further down is copied as it stands",
         .alt = "[Wirbelix]\r\n[Wirbelix]\r\nA=3\r\n",
         .neu = "[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n[Wirbelix]\r\nA=3\r\n"},
    };
    for (const auto& f : faelle) EXPECT_EQ(schreibeAbschnittNeu(f.alt, "[Wirbelix]", kNeu), f.neu) << f.name;
}

class SicheresErsetzen : public ::testing::Test {
protected:
    test::TestInstallation inst;
    std::string ziel = inst.pfad() + "/Kelmo.ini";
    std::string tmp = inst.pfad() + "/Kelmo.tmp";
    const std::string alt = "[Spiele]\r\nMaximaleSpielDauer=30\r\n[Wirbelix]\r\nA=0\r\n";
    const std::string neu = "[Spiele]\r\nMaximaleSpielDauer=30\r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n";

    void SetUp() override { schreibe(ziel, alt); }
    static void schreibe(const std::string& pfad, const std::string& text) {
        std::ofstream(pfad, std::ios::binary) << text;
    }
    std::string inhalt() { return leseRoh(ziel).value_or("<fehlt>"); }
    bool tmpDa() { return std::filesystem::exists(tmp); }
    // Every step the replacement takes, in order.
    std::vector<SpeicherSchritt> schritte() {
        std::vector<SpeicherSchritt> s;
        EXPECT_TRUE(ersetzeDateiSicher(ziel, tmp, neu, [&](SpeicherSchritt x) {
            s.push_back(x);
            return true;
        }));
        schreibe(ziel, alt);
        return s;
    }
};

TEST_F(SicheresErsetzen, WritesTheNewTextAndKeepsTheAccessRights) {
    ::chmod(ziel.c_str(), 0600);
    schreibe(tmp, "Reste eines abgebrochenen Laufs, viel laenger als der neue Text ...........\r\n");
    ASSERT_TRUE(ersetzeDateiSicher(ziel, tmp, neu, nullptr));
    EXPECT_EQ(inhalt(), neu);
    EXPECT_FALSE(tmpDa());
    struct stat st {};
    ASSERT_EQ(::stat(ziel.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(SicheresErsetzen, AFailedStepLeavesTheOldFileAndNoCopy) {
    const auto alle = schritte();
    ASSERT_EQ(alle.front(), SpeicherSchritt::KopieAnlegen);
    ASSERT_EQ(std::count(alle.begin(), alle.end(), SpeicherSchritt::Schreiben), 6) << "one write per line";
    for (size_t k = 0; k < alle.size(); ++k) {
        size_t n = 0;
        const bool ok = ersetzeDateiSicher(ziel, tmp, neu, [&](SpeicherSchritt) { return n++ != k; });
        // Once the rename is done, the new file is there for good.
        const bool ersetzt = alle[k] == SpeicherSchritt::OrdnerAufPlatte;
        EXPECT_EQ(ok, ersetzt) << "step " << k;
        EXPECT_EQ(inhalt(), ersetzt ? neu : alt) << "step " << k;
        EXPECT_FALSE(tmpDa()) << "step " << k;
        schreibe(ziel, alt);
    }
}

TEST_F(SicheresErsetzen, AProcessKilledAtAnyStepLeavesOneWholeFile) {
    const auto alle = schritte();
    const auto ersetzen = std::find(alle.begin(), alle.end(), SpeicherSchritt::Ersetzen) - alle.begin();
    // One more than there are steps: killed right after the last one.
    for (size_t k = 0; k <= alle.size(); ++k) {
        const pid_t kind = ::fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            size_t n = 0;
            ersetzeDateiSicher(ziel, tmp, neu, [&](SpeicherSchritt) {
                if (n++ == k) ::_exit(0);
                return true;
            });
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(kind, &status, 0), kind);
        EXPECT_EQ(inhalt(), static_cast<ptrdiff_t>(k) > ersetzen ? neu : alt) << "killed before step " << k;
        schreibe(ziel, alt);
    }
}

TEST_F(SicheresErsetzen, AMissingFileIsCreatedAndAMissingFolderFailsCleanly) {
    std::filesystem::remove(ziel);
    EXPECT_TRUE(ersetzeDateiSicher(ziel, tmp, neu, nullptr));
    EXPECT_EQ(inhalt(), neu);
    EXPECT_FALSE(ersetzeDateiSicher(inst.pfad() + "/fehlt/Kelmo.ini", inst.pfad() + "/fehlt/Kelmo.tmp", neu, nullptr));
}

}  // namespace
}  // namespace wx
