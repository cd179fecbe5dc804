// The table of event sounds from the framework's INI file, and which waves the
// game asks the platform to play.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "TestInstallation.h"
#include "basis/GlobModul.h"
#include "sound/SoundMod.h"

namespace wx {
namespace {

struct Ton : ::testing::Test {
    test::VirtuellePlattform plattform;
    test::TestInstallation inst;
    GlobModul g{plattform};
    SoundMod sound{g};
    void SetUp() override {
        g.AppPfad = inst.pfad();
        g.TonEinschalten = 1;
    }
    // The waves of the events that have one; silent events are left out.
    std::map<std::string, std::string> waves() const {
        std::map<std::string, std::string> m;
        for (const auto& z : sound.SoundTab)
            if (z.wave != "<NULL>") m[z.ereignis] = z.wave;
        return m;
    }
    std::string pfad(const std::string& rest) const { return inst.pfad() + "/" + rest; }
};

TEST_F(Ton, TableFromTheSoundSection) {
    struct Fall {
        const char* name;
        std::vector<std::string> ini;
        std::map<std::string, std::string> waves;
    };
    const Fall faelle[] = {
        {.name = "no section at all",
         .ini = {"[Spiele]", "ProgrammStart=START", "Achtung=ACHT"},
         .waves = {}},
        {.name = "a header in other letter case or with more on its line is no header",
         .ini = {"[sound]", "Achtung=A", "[Sound] ", "Achtung=B", "[SOUND]", "Achtung=C"},
         .waves = {}},
        {.name = "blanks before the = hide the event; blanks round the wave go",
         .ini = {"[Sound]", "ProgrammStart =START", "Achtung=   ACH TUNG  ", "Annahme1=\tA1\t"},
         .waves = {{"Achtung", "ACH TUNG"}, {"Annahme1", "A1"}}},
        {.name = "a longer name that begins with an event's name is no event",
         .ini = {"[Sound]", "Annahme12=X", "ProgrammStartX=Y", "Gratulation=Z", "Gratulation2=G2"},
         .waves = {{"Gratulation2", "G2"}}},
        {.name = "only the first = separates",
         .ini = {"[Sound]", "Achtung=a=b", "Annahme2==x", "BewegungEnde="},
         .waves = {{"Achtung", "a=b"}, {"Annahme2", "=x"}, {"BewegungEnde", ""}}},
        {.name = "the later line wins, also over an explicit silence",
         .ini = {"[Sound]", "Achtung=A", "Achtung=B", "Annahme1=<NULL>", "Annahme1=C", "Annahme2=D",
                 "Annahme2=<NULL>"},
         .waves = {{"Achtung", "B"}, {"Annahme1", "C"}}},
        {.name = "letter case of the event counts",
         .ini = {"[Sound]", "achtung=A", "ACHTUNG=B", "Programmstart=C", "Bewegungstop=D", "BewegungStop=E"},
         .waves = {{"BewegungStop", "E"}}},
        {.name = "a header right after the section's header ends it at once",
         .ini = {"[Sound]", "[Wirbelix]", "Achtung=A"},
         .waves = {}},
        {.name = "the section ends at the next header, comments and blank lines are skipped",
         .ini = {"Achtung=VORHER", "[Sound]", "; Achtung=KOMMENTAR", "", "Achtung=A", " [nicht]",
                 "Annahme1=B", "[Spiele]", "Achtung=NACHHER", "[Sound2]", "Annahme2=X"},
         .waves = {{"Achtung", "A"}, {"Annahme1", "B"}}},
        {.name = "every event, the one with the umlaut too",
         .ini = {"[Sound]", "ProgrammStart=0", "ProgrammEnde=1", "ProgrammMeldung=2", "Gratulation1=3",
                 "Gratulation2=4", "Achtung=5", "AllgemeinerFehler=6", "LeichterFehler=7", "SchwererFehler=8",
                 "Annahme1=9", "Annahme2=10", "Glückstreffer=11", "BewegungStart=12", "BewegungStop=13",
                 "BewegungEnde=14"},
         .waves = {{"ProgrammStart", "0"},
                   {"ProgrammEnde", "1"},
                   {"ProgrammMeldung", "2"},
                   {"Gratulation1", "3"},
                   {"Gratulation2", "4"},
                   {"Achtung", "5"},
                   {"AllgemeinerFehler", "6"},
                   {"LeichterFehler", "7"},
                   {"SchwererFehler", "8"},
                   {"Annahme1", "9"},
                   {"Annahme2", "10"},
                   {"Glückstreffer", "11"},
                   {"BewegungStart", "12"},
                   {"BewegungStop", "13"},
                   {"BewegungEnde", "14"}}},
    };
    for (const Fall& f : faelle) {
        inst.schreibeAnsi("Kelmo.ini", f.ini);
        sound.ladeSoundTabelle();
        EXPECT_EQ(waves(), f.waves) << f.name;
    }
}

TEST_F(Ton, ReloadingStartsFromSilenceAndAMissingFileLeavesItSo) {
    inst.schreibeAnsi("Kelmo.ini", {"[Sound]", "Achtung=A", "Annahme1=B"});
    sound.ladeSoundTabelle();
    ASSERT_EQ(waves().size(), 2u);
    inst.schreibeAnsi("Kelmo.ini", {"[Sound]", "Annahme1=C"});
    sound.ladeSoundTabelle();
    EXPECT_EQ(waves(), (std::map<std::string, std::string>{{"Annahme1", "C"}}));
    std::filesystem::remove(pfad("Kelmo.ini"));
    sound.ladeSoundTabelle();
    EXPECT_TRUE(waves().empty());
    EXPECT_EQ(sound.SoundTab[11].ereignis, "Glückstreffer");
}

TEST_F(Ton, EventsPlayTheirWaveOnlyWithSoundOn) {
    inst.schreibeAnsi("Kelmo.ini", {"[Sound]", "Achtung=ACHT", "Annahme1=<NULL>", "BewegungStart=RAD"});
    sound.ladeSoundTabelle();

    sound.spieleSound("Achtung");
    sound.spieleSound("Annahme1");       // silent by name
    sound.spieleSound("ProgrammStart");  // not named in the section
    sound.spieleSound("BewegungStart");
    EXPECT_EQ(plattform.wavs, (std::vector<std::string>{pfad("Sound/ACHT.WAV"), pfad("Sound/RAD.WAV")}));

    plattform.wavs.clear();
    g.TonEinschalten = 0;
    sound.spieleSound("Achtung");
    EXPECT_TRUE(plattform.wavs.empty());
    // The computer player's own sounds do not ask the setting.
    sound.spieleWavWarten("TROPFEN");
    sound.spieleWav("TUTUT");
    EXPECT_EQ(plattform.wavs,
              (std::vector<std::string>{pfad("Sound/TROPFEN.WAV(warten)"), pfad("Sound/TUTUT.WAV")}));

    // The setting is looked at on every call.
    plattform.wavs.clear();
    g.TonEinschalten = 1;
    sound.spieleSound("Achtung");
    EXPECT_EQ(plattform.wavs.size(), 1u);

    EXPECT_FALSE(plattform.audioGeschlossen);
    sound.schliessen();
    EXPECT_TRUE(plattform.audioGeschlossen);
}

TEST_F(Ton, WaveFilesAreFoundWhateverTheirLetterCase) {
    std::filesystem::create_directories(pfad("sound"));
    std::ofstream(pfad("sound/Tropfen.wav")) << "x";
    inst.schreibeAnsi("Kelmo.ini", {"[Sound]", "Achtung=TROPFEN"});
    sound.ladeSoundTabelle();
    sound.spieleSound("Achtung");
    sound.spieleWavWarten("TROPFEN");
    EXPECT_EQ(plattform.wavs,
              (std::vector<std::string>{pfad("sound/Tropfen.wav"), pfad("sound/Tropfen.wav") + "(warten)"}));
}

}  // namespace
}  // namespace wx
