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

std::vector<int64_t> punkteVon(const std::vector<MeisterZeile>& zeilen, const std::string& programm) {
    std::vector<int64_t> p;
    for (const auto& z : zeilen)
        if (z.programm == programm) p.push_back(z.punkte);
    std::sort(p.begin(), p.end());
    return p;
}

std::vector<std::string> namenVon(const std::vector<MeisterZeile>& zeilen) {
    std::vector<std::string> n;
    for (const auto& z : zeilen) n.push_back(z.name);
    return n;
}

TEST(Meisterliste, KeepsTheTenBestOfItsOwnProgram) {
    const std::vector<MeisterZeile> fremde = {{"F1", "Wortjagd", 5}, {"F2", "Wortjagd", 119}};
    struct Fall {
        const char* name;
        std::vector<int64_t> vorher;
        bool mitFremden = false;
        int32_t neu;
        std::vector<int64_t> nachher;  // sorted
        std::vector<std::string> fehlend = {};  // rows pushed out
    };
    const Fall faelle[] = {
        {.name = "empty list", .vorher = {}, .neu = 7, .nachher = {7}},
        {.name = "nine rows take any positive score",
         .vorher = {900, 800, 700, 600, 500, 400, 300, 200, 150},
         .neu = 1,
         .nachher = {1, 150, 200, 300, 400, 500, 600, 700, 800, 900}},
        {.name = "a full list refuses a score equal to its lowest",
         .vorher = {300, 120, 500, 120, 900, 800, 700, 600, 400, 200},
         .neu = 120,
         .nachher = {120, 120, 200, 300, 400, 500, 600, 700, 800, 900}},
        {.name = "one above the lowest replaces exactly the first row with the lowest",
         .vorher = {300, 120, 500, 120, 900, 800, 700, 600, 400, 200},
         .neu = 121,
         .nachher = {120, 121, 200, 300, 400, 500, 600, 700, 800, 900},
         .fehlend = {"W1"}},
        {.name = "rows of other programs do not count towards the ten",
         .vorher = {900, 800, 700, 600, 500, 400, 300, 200, 150},
         .mitFremden = true,
         .neu = 1,
         .nachher = {1, 150, 200, 300, 400, 500, 600, 700, 800, 900}},
        {.name = "a lower row of another program is never the one pushed out",
         .vorher = {300, 120, 500, 130, 900, 800, 700, 600, 400, 200},
         .mitFremden = true,
         .neu = 2000000000,
         .nachher = {130, 200, 300, 400, 500, 600, 700, 800, 900, 2000000000},
         .fehlend = {"W1"}},
    };
    for (const auto& f : faelle) {
        Lauf lauf;
        auto vorher = wirbelix(f.vorher);
        if (f.mitFremden) vorher.insert(vorher.begin() + 1, fremde.begin(), fremde.end());
        if (!vorher.empty()) schreibeMeister(lauf.meisterDatei(), vorher);

        EXPECT_TRUE(lauf.spiel->meisterFrm().trageMeisterEin({"Neu", "Wirbelix", "06.12.2026", f.neu})) << f.name;
        const auto nachher = meisterZeilen(lauf.meisterDatei());
        EXPECT_EQ(punkteVon(nachher, "Wirbelix"), f.nachher) << f.name;
        const std::vector<int64_t> fremdePunkte = f.mitFremden ? std::vector<int64_t>{5, 119} : std::vector<int64_t>{};
        EXPECT_EQ(punkteVon(nachher, "Wortjagd"), fremdePunkte) << f.name;
        for (const auto& weg : f.fehlend) {
            const auto namen = namenVon(nachher);
            EXPECT_EQ(std::count(namen.begin(), namen.end(), weg), 0) << f.name << ": " << weg;
        }
        EXPECT_TRUE(lauf.spiel->meisterFrm().Fehler.empty()) << f.name;
    }
}

TEST(Meisterliste, EndOfGameOffersEveryPositiveScoreWithTodaysDate) {
    Lauf lauf("30", "|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=5;"
                    "Anna-Lena Maria Sophie Kim;Ben;Cem;Dora;Computer;a;b;c;d;e;|");
    ASSERT_TRUE(lauf.gestartet);
    lauf.g().SpielerPunkte = {250, 0, 250, -5, 150};
    schreibeMeister(lauf.meisterDatei(), wirbelix({100, 200, 300, 400, 500, 600, 700, 800}));

    EXPECT_TRUE(lauf.spiel->meisterFrm().updateMeister());
    const auto zeilen = meisterZeilen(lauf.meisterDatei());
    EXPECT_EQ(punkteVon(zeilen, "Wirbelix"), (std::vector<int64_t>{150, 200, 250, 250, 300, 400, 500, 600, 700, 800}))
        << "both 250 fill the list, then the computer's 150 pushes out the 100";
    const auto namen = namenVon(zeilen);
    EXPECT_EQ(std::count(namen.begin(), namen.end(), "Anna-Lena Maria Sophie Kim"), 1) << "kept whole";
    EXPECT_EQ(std::count(namen.begin(), namen.end(), "Ben"), 0) << "zero points";
    EXPECT_EQ(std::count(namen.begin(), namen.end(), "Dora"), 0) << "negative points";
    EXPECT_EQ(zeilen.back().datum, "06.12.2026");
}

TEST(Meisterliste, MissingFileIsMadeWithItsTable) {
    Lauf lauf;
    lauf.plattform.datum = {2027, 3, 9};
    lauf.g().SpielerPunkte = {0, 40};
    EXPECT_TRUE(lauf.spiel->meisterFrm().updateMeister());
    EXPECT_EQ(meisterZeilen(lauf.meisterDatei()), (std::vector<MeisterZeile>{{"Ben", "Wirbelix", 40, "09.03.2027"}}));
}

TEST(Meisterliste, WindowShowsOwnPositiveRowsBestFirstWithNamesCutTo18) {
    Lauf lauf;
    schreibeMeister(lauf.meisterDatei(),
                    {{"Anna", "Wirbelix", 80, "01.01.2026"},
                     {"Fremd", "Wortjagd", 999},
                     {"Null", "Wirbelix", 0},
                     {"Minus", "Wirbelix", -3},
                     {"Bartholomäus-Friedrich Z", "Wirbelix", 120, "02.01.2026"},
                     {"  Leerzeichen vorne", "Wirbelix", 80, "03.01.2026"}});
    auto& m = lauf.spiel->meisterFrm();
    lauf.plattform.wennModal("MeisterFrm", [&](Form&) {
        EXPECT_EQ(m.lfdNrLbl.caption, "1.\r2.\r3.\r");
        EXPECT_EQ(m.MstNameLbl.caption, "Bartholomäus-Fried\rAnna\r  Leerzeichen vorne\r")
            << "25 letters cut to 18; 19 letters with its blanks, 17 without: shown as stored";
        EXPECT_EQ(m.DatLbl.caption, "02.01.2026\r01.01.2026\r03.01.2026\r");
        EXPECT_EQ(m.PunkteLbl.caption, "120\r80\r80\r");
        m.okBtn.beiKlick();
    });
    lauf.main().mnuDateiMeisterliste.beiKlick();
    EXPECT_EQ(lauf.plattform.modalGezeigt, std::vector<std::string>{"MeisterFrm"});
    EXPECT_EQ(meisterZeilen(lauf.meisterDatei())[4].name, "Bartholomäus-Friedrich Z") << "the file keeps it whole";
}

TEST(Meisterliste, InsertionKilledHalfWayLeavesTheOldList) {
    Lauf lauf;
    const auto alt = wirbelix({300, 120, 500, 120, 900, 800, 700, 600, 400, 200});
    schreibeMeister(lauf.meisterDatei(), alt);
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
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 7) << "the hook ran inside the insertion";
    EXPECT_EQ(meisterZeilen(lauf.meisterDatei()), alt) << "neither eleven rows nor a lost one";

    // The interrupted transaction is rolled back and the list works on.
    EXPECT_TRUE(m.trageMeisterEin({"Neu", "Wirbelix", "06.12.2026", 121}));
    EXPECT_EQ(punkteVon(meisterZeilen(lauf.meisterDatei()), "Wirbelix"),
              (std::vector<int64_t>{120, 121, 200, 300, 400, 500, 600, 700, 800, 900}));
}

TEST(Meisterliste, FailingDatabaseNeitherStopsTheGameNorTheEnd) {
    enum class Schaden { gesperrt, kaputt, ohneOrdner };
    struct Fall {
        const char* name;
        Schaden schaden;
        const char* grund;
        bool leereListe = false;  // the window shows an empty list instead
    };
    const Fall faelle[] = {
        {"locked by another program", Schaden::gesperrt, "von einem anderen Programm benutzt"},
        {"not a database", Schaden::kaputt, "beschädigt"},
        {"user folder missing", Schaden::ohneOrdner, "kann nicht geschrieben werden", true},
    };
    for (const auto& f : faelle) {
        Lauf lauf;
        ASSERT_TRUE(lauf.gestartet);
        lauf.g().SpielerPunkte = {70, 0};
        sqlite3* sperre = nullptr;
        if (f.schaden == Schaden::gesperrt) {
            schreibeMeister(lauf.meisterDatei(), wirbelix({10}));
            sqlite3_open(lauf.meisterDatei().c_str(), &sperre);
            ASSERT_EQ(sqlite3_exec(sperre, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        } else if (f.schaden == Schaden::kaputt) {
            std::ofstream(lauf.meisterDatei()) << std::string(4096, 'x');
        } else {
            lauf.g().UserPfad = lauf.installation.pfad() + "\\Fehlt";
        }

        // The window: a message instead of the list, and the game goes on.
        std::string meldung;
        if (f.leereListe) {
            lauf.plattform.wennModal("MeisterFrm", [&](Form& fenster) {
                EXPECT_EQ(lauf.spiel->meisterFrm().MstNameLbl.caption, "") << f.name;
                fenster.beiSchliessen();
            });
        } else {
            lauf.plattform.wennModal("MldFenster", [&](Form& fenster) {
                meldung = lauf.g().MeldungsText;
                static_cast<MldFenster&>(fenster).Btn1_Click();
            });
        }
        lauf.main().mnuDateiMeisterliste.beiKlick();
        if (!f.leereListe) {
            EXPECT_NE(meldung.find(f.grund), std::string::npos) << f.name << ": " << meldung;
            EXPECT_EQ(lauf.plattform.modalGezeigt, std::vector<std::string>{"MldFenster"}) << f.name;
        }
        EXPECT_FALSE(lauf.plattform.beendet) << f.name;

        // The end: a message, and the program ends all the same.
        lauf.plattform.wennModal("MldFenster", [&](Form& fenster) {
            meldung = lauf.g().MeldungsText;
            static_cast<MldFenster&>(fenster).Btn1_Click();
        });
        lauf.main().programmEnde();
        EXPECT_NE(meldung.find("Meisterliste"), std::string::npos) << f.name;
        EXPECT_NE(meldung.find(f.grund), std::string::npos) << f.name;
        EXPECT_TRUE(lauf.plattform.beendet) << f.name;
        EXPECT_TRUE(lauf.plattform.audioGeschlossen) << f.name;
        if (sperre) {
            sqlite3_exec(sperre, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(sperre);
            EXPECT_EQ(punkteVon(meisterZeilen(lauf.meisterDatei()), "Wirbelix"), std::vector<int64_t>{10});
        }
    }
}

TEST(Meisterliste, EndFromOutsideWaitsForNoButtonWhenTheDatabaseFails) {
    Lauf lauf;
    lauf.g().SpielerPunkte = {70, 0};
    std::ofstream(lauf.meisterDatei()) << std::string(4096, 'x');
    lauf.main().programmEndeVonAussen();  // a message would fail: nobody answers it
    EXPECT_TRUE(lauf.plattform.beendet);
    EXPECT_TRUE(lauf.plattform.modalGezeigt.empty());
}

}  // namespace
}  // namespace wx::test
