// The demo installation's sounds: every event that its Kelmo.ini names has a
// short, audible, undistorted 16-bit wave, and no two sound alike.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "VirtuellePlattform.h"
#include "basis/GlobModul.h"
#include "basis/Text.h"
#include "basis/Wav.h"
#include "sound/SoundMod.h"

namespace wx {
namespace {

TEST(DemoWellen, EveryEventHasAShortDistinctWave) {
    test::VirtuellePlattform plattform;
    GlobModul g{plattform};
    g.AppPfad = WIRBELIX_INSTALL_DIR;
    SoundMod sound{g};
    sound.ladeSoundTabelle();

    std::set<std::string> namen = {"TROPFEN", "TUTUT"};
    for (const auto& z : sound.SoundTab) {
        EXPECT_NE(z.wave, "<NULL>") << z.ereignis << " is silent in the demo";
        namen.insert(z.wave);
    }
    EXPECT_EQ(namen.size(), 17u) << "two events share a wave";

    std::map<std::string, std::string> gesehen;  // samples -> wave
    for (const std::string& name : namen) {
        const std::string pfad = findeDatei(g.AppPfad + "\\Sound\\" + name + ".WAV");
        std::ifstream in(pfad, std::ios::binary);
        const std::string datei{std::istreambuf_iterator<char>(in), {}};
        const auto kopf = leseWavKopf(datei);
        ASSERT_TRUE(kopf) << pfad;
        EXPECT_EQ(kopf->bitsJeWert, 16) << name;
        EXPECT_GE(kopf->dauerMs(), 100) << name;
        EXPECT_LE(kopf->dauerMs(), 1500) << name;

        int spitze = 0;
        for (uint64_t i = kopf->datenAnfang; i + 1 < kopf->datenAnfang + kopf->datenLaenge; i += 2) {
            const int v = int16_t(uint8_t(datei[i]) | (uint8_t(datei[i + 1]) << 8));
            spitze = std::max(spitze, std::abs(v));
        }
        EXPECT_GT(spitze, 8000) << name << " is too quiet";
        EXPECT_LT(spitze, 32000) << name << " is clipped";
        const auto [vorher, neu] = gesehen.emplace(datei.substr(kopf->datenAnfang), name);
        EXPECT_TRUE(neu) << name << " sounds exactly like " << vorher->second;
    }
}

}  // namespace
}  // namespace wx
