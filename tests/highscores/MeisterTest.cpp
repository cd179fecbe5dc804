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

std::vector<MeisterZeile> wirbelix(const std::vector<int64_t>& punkte) {
    std::vector<MeisterZeile> z;
    for (size_t i = 0; i < punkte.size(); ++i) z.push_back({"W" + std::to_string(i), "Wirbelix", punkte[i]});
    return z;
}

// Points of a program's rows, sorted, and the names of all rows.
std::vector<int64_t> punkte(const std::string& datei, const std::string& programm = "Wirbelix") {
    std::vector<int64_t> p;
    for (const auto& z : meisterZeilen(datei))
        if (z.programm == programm) p.push_back(z.punkte);
    std::sort(p.begin(), p.end());
    return p;
}

const std::vector<int64_t> kVoll = {300, 120, 500, 120, 900, 800, 700, 600, 400, 200};

TEST(Meisterliste, KeepsTheTenBestOfItsOwnProgram) {
    struct Fall {
        std::vector<int64_t> vorher;
        int32_t neu;
        std::vector<int64_t> nachher;
        bool w1Weg = false;  // the first row with the lowest score was pushed out
    };
    const Fall faelle[] = {
        {.vorher = {}, .neu = 7, .nachher = {7}},
        {.vorher = {900, 800, 700, 600, 500, 400, 300, 200, 150},
         .neu = 1,
         .nachher = {1, 150, 200, 300, 400, 500, 600, 700, 800, 900}},
        {.vorher = kVoll, .neu = 120, .nachher = {120, 120, 200, 300, 400, 500, 600, 700, 800, 900}},
        {.vorher = kVoll, .neu = 121, .nachher = {120, 121, 200, 300, 400, 500, 600, 700, 800, 900}, .w1Weg = true},
        {.vorher = kVoll, .neu = 2000000000,
         .nachher = {120, 200, 300, 400, 500, 600, 700, 800, 900, 2000000000}, .w1Weg = true},
    };
    for (const auto& f : faelle) {
        Lauf lauf;
        // Other programs' rows, lower than any of ours, are never counted or removed.
        auto vorher = wirbelix(f.vorher);
        vorher.insert(vorher.begin(), {{"F1", "Wortjagd", 5}, {"F2", "Wortjagd", 119}});
        schreibeMeister(lauf.meisterDatei(), vorher);
        EXPECT_TRUE(lauf.spiel->meisterFrm().trageMeisterEin({"Neu", "Wirbelix", "06.12.2026", f.neu})) << f.neu;
        EXPECT_EQ(punkte(lauf.meisterDatei()), f.nachher) << f.neu;
        EXPECT_EQ(punkte(lauf.meisterDatei(), "Wortjagd"), (std::vector<int64_t>{5, 119})) << f.neu;
        const auto zeilen = meisterZeilen(lauf.meisterDatei());
        EXPECT_EQ(std::any_of(zeilen.begin(), zeilen.end(), [](auto& z) { return z.name == "W1"; }),
                  !f.w1Weg && f.vorher.size() > 1)
            << f.neu;
    }
}

TEST(Meisterliste, EndOfGameOffersEveryPositiveScoreWithTodaysDate) {
    Lauf lauf("30", "nSpieler=5;Anna-Lena Maria Sophie Kim;Ben;Cem;Dora;Computer;a;b;c;d;e;");
    ASSERT_TRUE(lauf.gestartet);
    lauf.g().SpielerPunkte = {250, 0, 250, -5, 150};
    lauf.plattform.datum = {2027, 3, 9};
    EXPECT_TRUE(lauf.spiel->meisterFrm().updateMeister()) << "the file is made when missing";
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
    EXPECT_EQ(lauf.plattform.modalGezeigt, std::vector<std::string>{"MeisterFrm"});
}

TEST(Meisterliste, InsertionKilledHalfWayLeavesTheOldList) {
    Lauf lauf;
    schreibeMeister(lauf.meisterDatei(), wirbelix(kVoll));
    const auto alt = meisterZeilen(lauf.meisterDatei());
    auto& m = lauf.spiel->meisterFrm();
    const pid_t kind = fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        // The new row is written, the lowest not yet removed: the process dies.
        m.nachHinzufuegen = [] { _exit(7); };
        m.trageMeisterEin({"Neu", "Wirbelix", "06.12.2026", 121});
        _exit(0);
    }
    int status = 0;
    waitpid(kind, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 7) << "died inside the insertion";
    EXPECT_EQ(meisterZeilen(lauf.meisterDatei()), alt);
    EXPECT_TRUE(m.trageMeisterEin({"Neu", "Wirbelix", "06.12.2026", 121})) << "and the list works on";
    EXPECT_EQ(punkte(lauf.meisterDatei()), (std::vector<int64_t>{120, 121, 200, 300, 400, 500, 600, 700, 800, 900}));
}

TEST(Meisterliste, FailingDatabaseNeitherStopsTheGameNorTheEnd) {
    struct Fall {
        bool gesperrt;  // else not a database at all
        const char* grund;
        bool vonAussen = false;  // SIGTERM: no message that waits for a button
    };
    for (const Fall& f : {Fall{true, "von einem anderen Programm benutzt"}, Fall{false, "beschädigt"},
                          Fall{false, "", true}}) {
        Lauf lauf;
        lauf.g().SpielerPunkte = {70, 0};
        sqlite3* sperre = nullptr;
        if (f.gesperrt) {
            schreibeMeister(lauf.meisterDatei(), wirbelix({10}));
            sqlite3_open(lauf.meisterDatei().c_str(), &sperre);
            ASSERT_EQ(sqlite3_exec(sperre, "BEGIN EXCLUSIVE", 0, 0, 0), SQLITE_OK);
        } else {
            std::ofstream(lauf.meisterDatei()) << std::string(4096, 'x');
        }
        std::vector<std::string> meldungen;
        auto merke = [&](Form& fenster) {
            meldungen.push_back(lauf.g().MeldungsText);
            static_cast<MldFenster&>(fenster).Btn1_Click();
        };
        if (f.vonAussen) {
            lauf.main().programmEndeVonAussen();
        } else {
            lauf.plattform.wennModal("MldFenster", merke);  // instead of the list
            lauf.main().mnuDateiMeisterliste.beiKlick();
            EXPECT_FALSE(lauf.plattform.beendet);
            lauf.plattform.wennModal("MldFenster", merke);
            lauf.main().programmEnde();
            ASSERT_EQ(meldungen.size(), 2u);
            EXPECT_NE(meldungen[0].find(f.grund), std::string::npos) << meldungen[0];
            EXPECT_NE(meldungen[1].find(f.grund), std::string::npos) << meldungen[1];
        }
        EXPECT_TRUE(lauf.plattform.beendet && lauf.plattform.audioGeschlossen);
        if (sperre) {
            sqlite3_close(sperre);
            EXPECT_EQ(punkte(lauf.meisterDatei()), std::vector<int64_t>{10});
        }
    }
}

}  // namespace
}  // namespace wx::test
