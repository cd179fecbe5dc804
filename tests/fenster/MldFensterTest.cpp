// Geometry and answers of the message window.
#include <gtest/gtest.h>

#include "VirtuellePlattform.h"
#include "fenster/MldFenster.h"

namespace wx {
namespace {

struct Mld : ::testing::Test {
    test::VirtuellePlattform p;
    MldFenster f{p};
    // The message label's font: 9.75 pt, so a letter is 97.5 twips wide and
    // a line 243.75 twips high in the test metrics.
};

TEST_F(Mld, OneLineOneButton) {
    p.wennModalDruecke("MldFenster", "Btn1");
    f.zeige("Zehn Zeichen", "&OK", "", "Hilfe");  // 12 letters -> 1170 twips
    EXPECT_EQ(f.caption, "Hilfe");
    EXPECT_EQ(f.Meldung.width, 1170);
    EXPECT_EQ(f.width, 2650);
    EXPECT_EQ(f.Btn1.left, 718);  // (2650 - 1215) / 2 = 717.5, rounded to even
    EXPECT_GT(f.Btn1.top, f.MldFrame.top + f.MldFrame.height) << "the button below the frame";
    EXPECT_GT(f.height, f.Btn1.top + f.Btn1.height);
    EXPECT_EQ(f.Antwort, "OK");
    EXPECT_FALSE(f.visible);
    EXPECT_FALSE(f.Btn2.visible);
}

TEST_F(Mld, TwoButtonsStandAtTheEdges) {
    p.wennModalDruecke("MldFenster", "Btn2");
    f.zeige("Bist du wirklich sicher,\rdass du Wirbelix neu\rstarten willst?", "&ja", "&nein", "Neues Spiel");
    EXPECT_EQ(f.Btn1.left, 120);
    EXPECT_EQ(f.Btn2.left + f.Btn2.width, f.MldFrame.left + f.MldFrame.width);
    EXPECT_EQ(f.Btn1.top, f.Btn2.top);
    EXPECT_EQ(f.Antwort, "nein");
    // three lines: the widest sets the width, the height grows
    EXPECT_EQ(f.Meldung.width, test::testBreite("Bist du wirklich sicher,", 9.75));
    EXPECT_EQ(f.Meldung.height, 731);  // 3 * 243.75, rounded to even
}

TEST_F(Mld, FollowingMessageShowsOnlyItsButton) {
    p.wennModalDruecke("MldFenster", "Btn1");
    f.zeige("Frage?", "&ja", "&nein", "Neues Spiel");
    EXPECT_EQ(f.Antwort, "ja");
    EXPECT_FALSE(f.Btn1.visible);  // the pressed button hides itself
    EXPECT_TRUE(f.Btn2.visible);
    p.wennModal("MldFenster", [this](Form&) {
        EXPECT_TRUE(f.Btn1.visible);
        EXPECT_FALSE(f.Btn2.visible);
        f.Btn1_Click();
    });
    f.zeige("Vorbei.", "&OK", "", "Ende der Ratezeit");
    EXPECT_EQ(f.Antwort, "OK");
}

TEST_F(Mld, ClosedWithoutAButtonItAnswersAsItsLastButton) {
    auto schliesse = [](Form& form) { form.beiSchliessen(); };
    f.Antwort = "ja";  // left over from an earlier question
    p.wennModal("MldFenster", schliesse);
    f.zeige("Neu starten?", "&ja", "&nein", "Neues Spiel");
    EXPECT_EQ(f.Antwort, "nein");
    EXPECT_FALSE(f.visible);
    p.wennModal("MldFenster", schliesse);
    f.zeige("Vorbei.", "&OK", "", "Ende der Ratezeit");
    EXPECT_EQ(f.Antwort, "OK");
    EXPECT_TRUE(f.escSchliesst);
}

TEST_F(Mld, AnswerLosesEveryAmpersand) {
    for (const auto& [knopf, antwort] : {std::pair{"&a&&b&", "ab"}, {"ohne", "ohne"}, {"", ""}}) {
        f.setzeAntwort(knopf);
        EXPECT_EQ(f.Antwort, antwort);
    }
}

}  // namespace
}  // namespace wx
