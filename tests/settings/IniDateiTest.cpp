// Rewriting the game's section of the shared INI file: which bytes stay, and
// that the file is whole after a failure or a crash at any step.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TestInstallation.h"
#include "settings/IniDatei.h"

namespace wx {
namespace {

TEST(IniDatei, SectionRewrite) {
    struct Fall {
        const char* name;
        std::string alt, neu;
    };
    const Fall faelle[] = {
        {"the section's comments stay, the rest of the file as it was",
         "[S]\r\nX=1\r\n[Wirbelix]\r\nA=7\r\n;merken\r\n\r\n B=3\r\n[K]\r\n;n\xF6tig\r\nW=x\x81y\r\n",
         "[S]\r\nX=1\r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n;merken\r\n[K]\r\n;n\xF6tig\r\nW=x\x81y\r\n"},
        {"no header: header and entries after the old text", "[wirbelix]\r\nA=5\r\n",
         "[wirbelix]\r\nA=5\r\n[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n"},
        {"empty file", "", "[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n"},
        {"a last line without line end stays so, a lone CR stays", "[Wirbelix]\r\n[E]\r\nx\ry\r\nz",
         "[Wirbelix]\r\nA=1\r\nB=2\r\n \r\n[E]\r\nx\ry\r\nz"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(schreibeAbschnittNeu(f.alt, "[Wirbelix]", {"A=1", "B=2"}), f.neu) << f.name;
}

// Each step of the replacement fails once, and the process dies once before
// each step: the file is always either the old or the new one, whole.
TEST(IniDatei, ReplacementNeverLeavesABrokenFile) {
    test::TestInstallation inst;
    const std::string ziel = inst.pfad() + "/Kelmo.ini", tmp = inst.pfad() + "/Kelmo.tmp";
    const std::string alt = "[Spiele]\r\nX=30\r\n[Wirbelix]\r\nA=0\r\n", neu = alt + "B=2\r\nC=3\r\n";
    auto setzeZurueck = [&] { std::ofstream(ziel, std::ios::binary) << alt; };
    auto inhalt = [&] { return leseRoh(ziel).value_or("<fehlt>"); };
    setzeZurueck();
    std::vector<SpeicherSchritt> schritte;
    ASSERT_TRUE(
        ersetzeDateiSicher(ziel, tmp, neu, [&](SpeicherSchritt s) { return schritte.push_back(s), true; }));
    ASSERT_EQ(std::count(schritte.begin(), schritte.end(), SpeicherSchritt::Schreiben), 6) << "line by line";
    const size_t ersetzen =
        std::find(schritte.begin(), schritte.end(), SpeicherSchritt::Ersetzen) - schritte.begin();

    for (size_t k = 0; k <= schritte.size(); ++k) {
        setzeZurueck();
        size_t n = 0;
        const bool ok = ersetzeDateiSicher(ziel, tmp, neu, [&](SpeicherSchritt) { return n++ != k; });
        EXPECT_EQ(ok, k > ersetzen) << "failed step " << k;
        EXPECT_EQ(inhalt(), k > ersetzen ? neu : alt) << "failed step " << k;
        EXPECT_FALSE(std::filesystem::exists(tmp)) << "failed step " << k;

        setzeZurueck();
        const pid_t kind = ::fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            n = 0;
            ersetzeDateiSicher(ziel, tmp, neu,
                               [&](SpeicherSchritt) { return n++ == k ? (::_exit(0), true) : true; });
            ::_exit(0);
        }
        ASSERT_EQ(::waitpid(kind, nullptr, 0), kind);
        EXPECT_EQ(inhalt(), k > ersetzen ? neu : alt) << "killed before step " << k;
    }
    EXPECT_FALSE(
        ersetzeDateiSicher(inst.pfad() + "/fehlt/Kelmo.ini", inst.pfad() + "/fehlt/Kelmo.tmp", neu, nullptr));
}

}  // namespace
}  // namespace wx
