// Hints after repeated failures: when they come, and what they say.
#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

constexpr int16_t k10 = 7;  // wheel position of the value 10

// Wrong letters one after the other; for each the message windows it opened
// and whether the solution was shown (the word changed).
struct Verlauf {
    std::vector<int> hinweiseNach;  // numbers of the wrong letters that gave a hint
    int loesungNach = 0;            // number of the wrong letter that showed the solution
};

Verlauf falscheBuchstaben(int16_t maximum) {
    RundenSpiel s;
    s.g().FehlversucheMaximum = maximum;
    s.legeWort("Boot");
    s.punkte(0) = 1000;
    Verlauf v;
    for (int n = 1; n <= maximum; ++n) {
        // A hint, if one comes, is answered; an unexpected one fails the test.
        const bool hinweis = 2 * n > maximum && n < maximum;
        if (hinweis) s.plattform.wennModalDruecke("MldFenster", "Btn1");
        const size_t fenster = s.plattform.modalGezeigt.size();
        s.stoppeAuf(k10);
        s.klicke("X");
        if (s.plattform.modalGezeigt.size() > fenster) {
            v.hinweiseNach.push_back(n);
            EXPECT_EQ(s.spiel->mldFenster().caption, "Hilfe");
        }
        if (s.g().aktWort != "Boot") {
            v.loesungNach = n;
            break;
        }
    }
    return v;
}

TEST(Hilfe, HintsComeOnceMoreThanHalfTheAttemptsAreUsed) {
    const auto v5 = falscheBuchstaben(5);
    EXPECT_EQ(v5.hinweiseNach, (std::vector<int>{3, 4}));
    EXPECT_EQ(v5.loesungNach, 5);
    const auto v4 = falscheBuchstaben(4);
    EXPECT_EQ(v4.hinweiseNach, (std::vector<int>{3}));
    EXPECT_EQ(v4.loesungNach, 4);
    const auto v3 = falscheBuchstaben(3);
    EXPECT_EQ(v3.hinweiseNach, (std::vector<int>{2}));
    EXPECT_EQ(v3.loesungNach, 3);
    const auto v1 = falscheBuchstaben(1);
    EXPECT_TRUE(v1.hinweiseNach.empty());
    EXPECT_EQ(v1.loesungNach, 1);
}

class HilfeText : public ::testing::Test {
protected:
    RundenSpiel s{beispielWoerter(), startTextFuer({"Anna Lena Schmidt"})};

    // Shows a hint with a random draw of r (0..100) and returns its text.
    std::string hinweis(int r) {
        s.plattform.zufallsWerte({(r + 0.5) / 101.0});
        s.plattform.wennModalDruecke("MldFenster", "Btn1");
        s.m().gibHilfe();
        const auto& f = s.spiel->mldFenster();
        EXPECT_EQ(f.caption, "Hilfe");
        EXPECT_EQ(f.Btn1.caption, "&OK");
        EXPECT_FALSE(f.Btn2.visible);
        return f.Meldung.caption;
    }
};

TEST_F(HilfeText, LetterHintNamesTheNextLetterAsItStandsInTheWord) {
    s.legeWort("Boot");
    EXPECT_EQ(hinweis(0), "Ich glaube, ich muss dir helfen, Anna.\rDas gesuchte Wort beginnt mit einem <B>.");
    s.g().aktBstPos = 2;
    EXPECT_EQ(hinweis(50), "Ich glaube, ich muss dir helfen, Anna.\rAls nächster Buchstabe kommt ein <o>.");
}

TEST_F(HilfeText, WordHintGivesTheWholeWord) {
    s.legeWort("Boot");
    s.g().aktBstPos = 2;
    EXPECT_EQ(hinweis(51), "Ich glaube, ich muss dir helfen, Anna.\rDas gesuchte Wort heißt: <Boot>.");
    EXPECT_EQ(hinweis(100), "Ich glaube, ich muss dir helfen, Anna.\rDas gesuchte Wort heißt: <Boot>.");
}

}  // namespace
}  // namespace wx::test
