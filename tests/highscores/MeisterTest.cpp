// The high-score list on temporary databases: the ten-per-program rule, the
// window's columns, an insertion killed half-way, and databases that fail.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "Lauf.h"
#include "fenster/MeisterFrm.h"
#include "fenster/MldFenster.h"

namespace wx::test {
namespace {

// Rows W0, W1 ... of this program, after two lower rows of another one.
std::vector<MeisterZeile> mitFremden(const std::vector<int64_t>& punkte) {
    std::vector<MeisterZeile> z = {{"F1", "Wortjagd", 5}, {"F2", "Wortjagd", 119}};
    for (size_t i = 0; i < punkte.size(); ++i) z.push_back({"W" + std::to_string(i), "Wirbelix", punkte[i]});
    return z;
}

// Sorted points and names of the file's rows.
std::pair<std::vector<int64_t>, std::string> inhalt(const std::string& datei) {
    std::pair<std::vector<int64_t>, std::string> i;
    for (const auto& z : meisterZeilen(datei)) i.first.push_back(z.punkte), i.second += z.name + " ";
    std::sort(i.first.begin(), i.first.end());
    return i;
}

const std::vector<int64_t> kVoll = {300, 120, 500, 120, 900, 800, 700, 600, 400, 200};

TEST(Meisterliste, KeepsTheTenBestOfItsOwnProgram) {
    struct Fall {
        std::vector<int64_t> vorher;
        int32_t neu;
        std::vector<int64_t> nachher;  // F1 and F2 (5, 119) are always kept
        std::string namen = "";
    };
    for (const Fall& f :
         {Fall{{900, 800, 700, 600, 500, 400, 300, 200, 150},
               1,
               {1, 5, 119, 150, 200, 300, 400, 500, 600, 700, 800, 900}},
          Fall{kVoll,
               120,
               {5, 119, 120, 120, 200, 300, 400, 500, 600, 700, 800, 900},
               "F1 F2 W0 W1 W2 W3 W4 W5 W6 W7 W8 W9 "},
          Fall{kVoll,
               121,
               {5, 119, 120, 121, 200, 300, 400, 500, 600, 700, 800, 900},
               "F1 F2 W0 W2 W3 W4 W5 W6 W7 W8 W9 Neu "},
          Fall{kVoll, 2000000000, {5, 119, 120, 200, 300, 400, 500, 600, 700, 800, 900, 2000000000}}}) {
        Lauf lauf;
        schreibeMeister(lauf.meisterDatei(), mitFremden(f.vorher));
        EXPECT_TRUE(lauf.spiel->meisterFrm().trageMeisterEin({"Neu", "Wirbelix", "06.12.2026", f.neu}));
        EXPECT_EQ(inhalt(lauf.meisterDatei()).first, f.nachher) << f.neu;
        if (!f.namen.empty()) EXPECT_EQ(inhalt(lauf.meisterDatei()).second, f.namen) << f.neu;
    }
}

TEST(Meisterliste, EndOfGameOffersEveryPositiveScoreWithTodaysDate) {
    Lauf lauf("30", "nSpieler=5;Anna-Lena Maria Sophie Kim;Ben;Cem;Dora;Computer;a;b;c;d;e;");
    lauf.g().SpielerPunkte = {250, 0, 250, -5, 150};
    lauf.plattform.datum = {2027, 3, 9};
    EXPECT_TRUE(lauf.spiel->meisterFrm().updateMeister()) << "the missing file is made";
    EXPECT_EQ(meisterZeilen(lauf.meisterDatei()),
              (std::vector<MeisterZeile>{{"Anna-Lena Maria Sophie Kim", "Wirbelix", 250, "09.03.2027"},
                                         {"Cem", "Wirbelix", 250, "09.03.2027"},
                                         {"Computer", "Wirbelix", 150, "09.03.2027"}}));
}

TEST(Meisterliste, WindowShowsOwnPositiveRowsBestFirstWithNamesCutTo18) {
    Lauf lauf;
    schreibeMeister(lauf.meisterDatei(), {{"Anna", "Wirbelix", 80, "01.01.2026"},
                                          {"Fremd", "Wortjagd", 999},
                                          {"Null", "Wirbelix", 0},
                                          {"Minus", "Wirbelix", -3},
                                          {"Bartholomäus-Friedrich Z", "Wirbelix", 120, "02.01.2026"},
                                          {"  Leerzeichen vorne", "Wirbelix", 80, "03.01.2026"}});
    auto& m = lauf.spiel->meisterFrm();
    lauf.plattform.wennModal("MeisterFrm", [&](Form&) {
        EXPECT_EQ(m.lfdNrLbl.caption, "1.\r2.\r3.\r");
        // 25 letters are cut to 18; 19 with the blanks but 17 without are not.
        EXPECT_EQ(m.MstNameLbl.caption, "Bartholomäus-Fried\rAnna\r  Leerzeichen vorne\r");
        EXPECT_EQ(m.DatLbl.caption, "02.01.2026\r01.01.2026\r03.01.2026\r");
        EXPECT_EQ(m.PunkteLbl.caption, "120\r80\r80\r");
        m.okBtn.beiKlick();
    });
    lauf.main().mnuDateiMeisterliste.beiKlick();
}

TEST(Meisterliste, InsertionKilledHalfWayLeavesTheOldList) {
    Lauf lauf;
    schreibeMeister(lauf.meisterDatei(), mitFremden(kVoll));
    const auto alt = meisterZeilen(lauf.meisterDatei());
    auto& m = lauf.spiel->meisterFrm();
    const pid_t kind = fork();
    if (kind == 0) {
        m.nachHinzufuegen = [] { _exit(7); };  // added, the lowest not yet removed
        m.trageMeisterEin({"Neu", "Wirbelix", "06.12.2026", 121});
        _exit(0);
    }
    int status = 0;
    waitpid(kind, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 7) << "died inside the insertion";
    EXPECT_EQ(meisterZeilen(lauf.meisterDatei()), alt);
    EXPECT_TRUE(m.trageMeisterEin({"Neu", "Wirbelix", "06.12.2026", 121})) << "and the list works on";
    EXPECT_EQ(inhalt(lauf.meisterDatei()).first.size(), 12u);
}

TEST(Meisterliste, FailingDatabaseNeitherStopsTheGameNorTheEnd) {
    // Locked by another program, not a database, and (without a message that
    // would wait for a button) the end asked for from outside.
    for (const std::string grund : {"von einem anderen Programm benutzt", "beschädigt", ""}) {
        Lauf lauf;
        lauf.g().SpielerPunkte = {70, 0};
        sqlite3* sperre = nullptr;
        if (grund == "beschädigt" || grund.empty()) {
            std::ofstream(lauf.meisterDatei()) << std::string(4096, 'x');
        } else {
            schreibeMeister(lauf.meisterDatei(), {{"Alt", "Wirbelix", 10}});
            sqlite3_open(lauf.meisterDatei().c_str(), &sperre);
            sqlite3_exec(sperre, "BEGIN EXCLUSIVE", 0, 0, 0);
        }
        std::vector<std::string> meldungen;
        for (int i = 0; i < 2 && !grund.empty(); ++i)
            lauf.plattform.wennModal("MldFenster", [&](Form& fenster) {
                meldungen.push_back(lauf.g().MeldungsText);
                static_cast<MldFenster&>(fenster).Btn1_Click();
            });
        if (grund.empty()) {
            lauf.main().programmEndeVonAussen();
        } else {
            lauf.main().mnuDateiMeisterliste.beiKlick();  // a message instead of the list
            EXPECT_FALSE(lauf.plattform.beendet);
            lauf.main().programmEnde();
            ASSERT_EQ(meldungen.size(), 2u);
            for (const auto& m : meldungen) EXPECT_NE(m.find(grund), std::string::npos) << m;
        }
        EXPECT_TRUE(lauf.plattform.beendet && lauf.plattform.protokoll.back() == "end [0]+ini") << grund;
        sqlite3_close(sperre);
    }
}

}  // namespace
}  // namespace wx::test
