// The quit question and the order of the program's end, as the ports see it.
#include <gtest/gtest.h>

#include <cmath>

#include "Lauf.h"
#include "basis/Text.h"
#include "fenster/EndeFrm.h"

namespace wx::test {
namespace {

const std::string kDu = "Bist du wirklich sicher, dass du Wirbelix beenden willst?";
const std::string kIhr = "Seid ihr wirklich sicher, dass ihr Wirbelix beenden wollt?";

std::string startMit(int n) {
    std::string namen, dateien;
    const char* alle[] = {"Anna", "Ben", "Cem", "Dora", "Computer"};
    for (int i = 0; i < n; ++i) {
        namen += std::string(alle[i]) + ";";
        dateien += "d" + std::to_string(i) + ";";
    }
    return "|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=" + std::to_string(n) + ";" + namen +
           dateien + "|";
}

TEST(Ende, QuestionSpeaksToOneOrSeveralAndLeavesTheComputerOut) {
    struct Fall {
        int nSpieler;
        int16_t gegenComputer;
        const std::string& text;
    };
    const Fall faelle[] = {{.nSpieler = 1, .gegenComputer = 0, .text = kDu},
                           {.nSpieler = 2, .gegenComputer = 1, .text = kDu},
                           {.nSpieler = 2, .gegenComputer = 0, .text = kIhr},
                           {.nSpieler = 3, .gegenComputer = 1, .text = kIhr}};
    for (const auto& f : faelle) {
        Lauf lauf("30", startMit(f.nSpieler));
        ASSERT_TRUE(lauf.gestartet);
        lauf.g().GegenComputer = f.gegenComputer;
        std::string gefragt;
        lauf.plattform.wennModal("EndeFrm", [&](Form& frm) {
            auto& e = static_cast<EndeFrm&>(frm);
            gefragt = e.Meldung.caption;
            e.neinBtn_Click();
        });
        lauf.main().mnuDateiEnde.beiKlick();
        EXPECT_EQ(gefragt, f.text) << f.nSpieler << " players, computer " << f.gegenComputer;
    }
}

TEST(Ende, OnlyYesEnds_ClosingTheQuestionAnyOtherWayMeansNo) {
    struct Fall {
        const char* name;
        std::function<void(EndeFrm&)> antwort;
        bool fragtUeberMenue;
        bool endet;
    };
    const Fall faelle[] = {
        {"ja from the menu", [](EndeFrm& e) { e.jaBtn.beiKlick(); }, true, true},
        {"ja on closing", [](EndeFrm& e) { e.jaBtn.beiKlick(); }, false, true},
        {"nein on closing", [](EndeFrm& e) { e.neinBtn.beiKlick(); }, false, false},
        {"title bar of the question", [](EndeFrm& e) { e.beiSchliessen(); }, false, false},
        {"Escape", [](EndeFrm& e) { e.beiTaste(27); }, true, false},
    };
    for (const auto& f : faelle) {
        Lauf lauf;
        ASSERT_TRUE(lauf.gestartet);
        auto& m = lauf.main();
        m.visible = true;
        lauf.g().SpielerPunkte = {30, 0};
        // An answer from an earlier question must not count.
        lauf.spiel->endeFrm().Antwort = "ja";
        lauf.plattform.wennModal("EndeFrm", [&](Form& frm) { f.antwort(static_cast<EndeFrm&>(frm)); });
        if (f.fragtUeberMenue)
            m.mnuDateiEnde.beiKlick();
        else
            m.beiSchliessen();

        EXPECT_EQ(lauf.plattform.beendet, f.endet) << f.name;
        EXPECT_EQ(lauf.plattform.pausen, f.endet ? 1 : 0) << f.name;
        EXPECT_EQ(meisterZeilen(lauf.meisterDatei()).size(), f.endet ? 1u : 0u) << f.name;
        if (!f.endet) {
            EXPECT_EQ(lauf.spiel->endeFrm().Antwort, "nein") << f.name;
            // The game runs on exactly as before.
            EXPECT_TRUE(m.visible && m.EnergTimer.enabled && m.drehenBtn.enabled) << f.name;
            EXPECT_EQ(lauf.g().SpielerPunkte[0], 30) << f.name;
            EXPECT_TRUE(lauf.plattform.hilfeAufrufe.empty() && !lauf.plattform.audioGeschlossen) << f.name;
            const int32_t hoehe = m.RestZeitStand.height;
            lauf.plattform.laufe(10);
            EXPECT_LT(m.RestZeitStand.height, hoehe) << f.name << ": the play time goes on";
        }
    }
}

TEST(Ende, SecondCloseRequestWhileTheQuestionIsOpenAsksNothingMore) {
    Lauf lauf;
    auto& m = lauf.main();
    lauf.plattform.wennModal("EndeFrm", [&](Form& frm) {
        m.beiSchliessen();  // a second question would find no scripted answer
        m.mnuDateiEnde.beiKlick();
        static_cast<EndeFrm&>(frm).neinBtn_Click();
    });
    m.beiSchliessen();
    EXPECT_EQ(lauf.plattform.modalGezeigt, std::vector<std::string>{"EndeFrm"});
    EXPECT_FALSE(lauf.plattform.beendet);

    // The question can be asked again afterwards.
    lauf.plattform.wennModalDruecke("EndeFrm", "jaBtn");
    m.beiSchliessen();
    EXPECT_TRUE(lauf.plattform.beendet);
}

TEST(Ende, PlayTimeOverEndsWithoutAQuestion) {
    Lauf lauf;
    lauf.main().RestZeitStand.height = 99;
    lauf.main().beiSchliessen();  // no answer scripted: a question would fail
    EXPECT_TRUE(lauf.plattform.beendet);
    EXPECT_TRUE(lauf.plattform.modalGezeigt.empty());
}

// Records every port call of the end in order, with what the high-score file
// held at that moment.
struct ProtokollPlattform : VirtuellePlattform {
    std::string meister;
    std::vector<std::string> protokoll;
    std::string zeilen() { return "[" + std::to_string(meisterZeilen(meister).size()) + " rows]"; }
    void spieleWav(const std::string& pfad, bool warten) override {
        protokoll.push_back("sound " + pfad.substr(pfad.rfind('/') + 1) + (warten ? " waiting" : "") + zeilen());
    }
    int64_t pauseAb = 0;
    void beginnePause() override {
        VirtuellePlattform::beginnePause();
        pauseAb = runde(tageszeit());
        protokoll.push_back("pause" + zeilen());
    }
    void beendePause() override {
        protokoll.push_back("pause over after " + std::to_string(runde(tageszeit()) - pauseAb) + " s");
    }
    void hilfe(const std::string& datei, int befehl, int32_t) override {
        protokoll.push_back("help " + datei.substr(datei.rfind('\\') + 1) + " " + std::to_string(befehl) + zeilen());
    }
    void schliesseAudio() override { protokoll.push_back("audio closed"); }
    void beenden() override {
        protokoll.push_back("end");
        beendet = true;
    }
};

TEST(Ende, RunsOnceInItsFixedOrder) {
    Lauf<ProtokollPlattform> lauf;
    ASSERT_TRUE(lauf.gestartet);
    lauf.plattform.meister = lauf.meisterDatei();
    lauf.g().TonEinschalten = 1;
    lauf.g().SpielerPunkte = {30, 45};
    auto& m = lauf.main();
    lauf.plattform.wennModalDruecke("EndeFrm", "jaBtn");
    m.mnuDateiEnde.beiKlick();
    m.programmEnde();
    m.beiSchliessen();
    m.EnergTimer_Timer();

    EXPECT_EQ(lauf.plattform.protokoll,
              (std::vector<std::string>{"sound ENDE.WAV[0 rows]", "pause[0 rows]", "pause over after 3 s",
                                        "help Tesk.chm 18[2 rows]", "help Wirbelix.chm 18[2 rows]", "audio closed",
                                        "end"}));
    for (const Timer* t : m.timer) EXPECT_FALSE(t->enabled) << t->name;
}

}  // namespace
}  // namespace wx::test
