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

TEST_F(Ton, TableFromTheSoundSectionLoadedAfreshEachTime) {
    struct Fall {
        const char* name;
        std::vector<std::string> ini;
        std::map<std::string, std::string> waves;
    };
    const Fall faelle[] = {
        {"no section at all", {"[Spiele]", "ProgrammStart=START", "Achtung=ACHT"}, {}},
        {"a header in other letter case or with more on its line is no header",
         {"[sound]", "Achtung=A", "[Sound] ", "Achtung=B", "[SOUND]", "Achtung=C"},
         {}},
        {"blanks before the = hide the event; blanks round the wave go",
         {"[Sound]", "ProgrammStart =START", "Achtung=   ACH TUNG  ", "Annahme1=\tA1\t"},
         {{"Achtung", "ACH TUNG"}, {"Annahme1", "A1"}}},
        {"a longer name that begins with an event's name is no event",
         {"[Sound]", "Annahme12=X", "ProgrammStartX=Y", "Gratulation=Z", "Gratulation2=G2"},
         {{"Gratulation2", "G2"}}},
        {"only the first = separates",
         {"[Sound]", "Achtung=a=b", "Annahme2==x", "BewegungEnde="},
         {{"Achtung", "a=b"}, {"Annahme2", "=x"}, {"BewegungEnde", ""}}},
        {"the later line wins, also over an explicit silence",
         {"[Sound]", "Achtung=A", "Achtung=B", "Annahme1=<NULL>", "Annahme1=C", "Annahme2=D",
          "Annahme2=<NULL>"},
         {{"Achtung", "B"}, {"Annahme1", "C"}}},
        {"letter case of the event counts",
         {"[Sound]", "achtung=A", "ACHTUNG=B", "Programmstart=C", "Bewegungstop=D", "BewegungStop=E"},
         {{"BewegungStop", "E"}}},
        {"a header right after the section's header ends it at once",
         {"[Sound]", "[Wirbelix]", "Achtung=A"},
         {}},
        {"the section ends at the next header, comments and blank lines are skipped",
         {"Achtung=VORHER", "[Sound]", "; Achtung=KOMMENTAR", "", "Achtung=A", " [nicht]", "Annahme1=B",
          "[Spiele]", "Achtung=NACHHER", "[Sound2]", "Annahme2=X"},
         {{"Achtung", "A"}, {"Annahme1", "B"}}},
    };
    for (const Fall& f : faelle) {
        inst.schreibeAnsi("Kelmo.ini", f.ini);
        sound.ladeSoundTabelle();
        EXPECT_EQ(waves(), f.waves) << f.name;
    }
    // Every event by the name the framework's files give it, the one with the umlaut too.
    std::vector<std::string> ini = {"[Sound]"};
    std::map<std::string, std::string> alle;
    for (const char* e : {"ProgrammStart", "ProgrammEnde", "ProgrammMeldung", "Gratulation1", "Gratulation2",
                          "Achtung", "AllgemeinerFehler", "LeichterFehler", "SchwererFehler", "Annahme1",
                          "Annahme2", "Glückstreffer", "BewegungStart", "BewegungStop", "BewegungEnde"}) {
        const std::string wave = "W" + std::to_string(alle.size());
        ini.push_back(e + ("=" + wave));
        alle[e] = wave;
    }
    inst.schreibeAnsi("Kelmo.ini", ini);
    sound.ladeSoundTabelle();
    EXPECT_EQ(waves(), alle);
    // Each load starts from silence, so a missing file leaves every event silent.
    std::filesystem::remove(pfad("Kelmo.ini"));
    sound.ladeSoundTabelle();
    EXPECT_TRUE(waves().empty());
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
