// The quit question and the order of the program's end, as the ports see it.
#include <gtest/gtest.h>

#include "Lauf.h"
#include "fenster/EndeFrm.h"

namespace wx::test {
namespace {

TEST(Ende, QuestionSpeaksToOneOrSeveralAndLeavesTheComputerOut) {
    const std::string du = "Bist du wirklich sicher, dass du Wirbelix beenden willst?";
    const std::string ihr = "Seid ihr wirklich sicher, dass ihr Wirbelix beenden wollt?";
    struct Fall {
        const char* spieler;
        int16_t gegenComputer;
        const std::string& text;
    };
    for (const Fall& f :
         {Fall{"nSpieler=1;Anna;a;", 0, du}, Fall{"nSpieler=2;Anna;Computer;a;c;", 1, du},
          Fall{"nSpieler=2;Anna;Ben;a;b;", 0, ihr}, Fall{"nSpieler=3;Anna;Ben;Computer;a;b;c;", 1, ihr}}) {
        Lauf lauf("30", f.spieler);
        lauf.g().GegenComputer = f.gegenComputer;
        lauf.plattform.wennModal("EndeFrm", [&](Form& frm) {
            EXPECT_EQ(static_cast<EndeFrm&>(frm).Meldung.caption, f.text) << f.spieler;
            static_cast<EndeFrm&>(frm).neinBtn_Click();
        });
        lauf.main().mnuDateiEnde.beiKlick();
    }
}

TEST(Ende, OnlyJaEnds_ClosingTheQuestionAnyOtherWayKeepsTheGameAsItWas) {
    struct Fall {
        const char* name;
        std::function<void(MainFrm&, EndeFrm&)> antwort;  // nullptr: no question may come
        bool endet;
        int32_t balken = 4605;
    };
    const Fall faelle[] = {
        {"ja", [](MainFrm&, EndeFrm& e) { e.jaBtn.beiKlick(); }, true},
        {"nein", [](MainFrm&, EndeFrm& e) { e.neinBtn.beiKlick(); }, false},
        {"title bar", [](MainFrm&, EndeFrm& e) { e.beiSchliessen(); }, false},
        {"Escape after a second close request",
         [](MainFrm& m, EndeFrm& e) {
             m.beiSchliessen();  // a second question would find no scripted answer
             e.beiTaste(27);
         },
         false},
        {"play time over: no question", nullptr, true, 99},
    };
    for (const auto& f : faelle) {
        Lauf lauf;
        auto& m = lauf.main();
        m.RestZeitStand.height = f.balken;
        lauf.g().SpielerPunkte = {30, 0};
        lauf.spiel->endeFrm().Antwort = "ja";  // an earlier answer does not count
        if (f.antwort)
            lauf.plattform.wennModal("EndeFrm", [&](Form& e) { f.antwort(m, static_cast<EndeFrm&>(e)); });
        m.beiSchliessen();
        EXPECT_EQ(lauf.plattform.beendet, f.endet) << f.name;
        if (f.endet) continue;
        EXPECT_TRUE(m.EnergTimer.enabled && m.drehenBtn.enabled && lauf.plattform.protokoll.empty())
            << f.name;
        lauf.plattform.wennModalDruecke("EndeFrm", "jaBtn");
        m.mnuDateiEnde.beiKlick();
        EXPECT_TRUE(lauf.plattform.beendet) << f.name << ": asked again later";
    }
}

TEST(Ende, RunsOnceInItsFixedOrder) {
    Lauf lauf;
    lauf.g().TonEinschalten = 1;
    lauf.g().SpielerPunkte = {30, 45};
    auto& m = lauf.main();
    m.programmEnde();
    m.programmEnde();
    m.beiSchliessen();
    m.EnergTimer_Timer();
    EXPECT_EQ(lauf.plattform.protokoll,
              (std::vector<std::string>{"ENDE.WAV [0]", "pause [0]", "3 s [0]", "Tesk.chm 18 [2]+ini",
                                        "Wirbelix.chm 18 [2]+ini", "audio closed [2]+ini", "end [2]+ini"}));
    for (const Timer* t : m.timer) EXPECT_FALSE(t->enabled) << t->name;
}

}  // namespace
}  // namespace wx::test
