// The wheel: spinning, the automatic stop, and the outcome of each kind of stop.
#include <filesystem>

#include <gtest/gtest.h>

#include "RundenSpiel.h"

namespace wx::test {
namespace {

TEST(Rad, TheWheelTurnsOnePicturePerTickAndStopsItselfAfterMoreThanTenSecondsAlsoAcrossMidnight) {
    for (const double start : {36000.0, 86395.0}) {
        RundenSpiel s;
        MainFrm& m = s.m();
        auto bilder = [&] {
            std::string t;
            for (const auto& b : m.RadImg) t += b.visible ? '1' : '0';
            return t;
        };
        s.plattform.zeit = start;
        ASSERT_EQ(bilder(), "1000000000");
        m.drehenBtn.beiKlick();
        EXPECT_EQ(m.DrehStart, start);
        s.plattform.laufe(0.035);
        EXPECT_EQ(bilder(), "0100000000");
        s.plattform.laufe(0.03 * 16);
        EXPECT_EQ(bilder(), "0000000100");
        s.plattform.laufe(10.4 - 0.515);
        EXPECT_TRUE(m.gradTimer.enabled) << start;
        s.plattform.laufe(1.2);
        EXPECT_FALSE(m.gradTimer.enabled || m.anhaltenBtn.enabled) << start;
    }
}

TEST(Rad, AMissingWheelPictureIsNamedAndTheGameGoesOn) {
    TestInstallation inst;
    inst.standard(beispielWoerter());
    std::filesystem::remove(inst.pfad() + "/Grafik/GRAD3.WMF");
    std::filesystem::remove(inst.pfad() + "/Grafik/GRAD7.WMF");
    VirtuellePlattform p;
    Spiel spiel(p);
    p.wennModalDruecke("MldFenster", "Btn1");
    ASSERT_TRUE(spiel.starte("|Version=4;Class=D;TeskFeldName=LT12;nSpieler=1;Anna;anna;|", inst.pfad()));
    EXPECT_EQ(spiel.mldFenster().caption, "Fehlende Datei");
    EXPECT_EQ(spiel.mldFenster().Meldung.caption,
              "Diese Bilder des Glücksrads fehlen:\r\"Grafik\\GRAD3.WMF\"\r\"Grafik\\GRAD7.WMF\"\r"
              "Das Rad bleibt an diesen Stellen leer.");
    EXPECT_EQ(spiel.mainFrm().RadImg[3].bild, "");
    EXPECT_NE(spiel.mainFrm().RadImg[4].bild, "");
}

TEST(Rad, SpinningLocksEverythingButTheStopButtonAndEachKindOfStopOpensItsChoices) {
    struct Fall {
        int16_t pos;  // value: -1 all lost, 0 turn lost, 300 lucky hit, 40, 80 (more than the score)
        const char* ton = "BewegungStop";
        int32_t punkte = 50;
        const char* anzeige = "";            // name and digits; "": not shown anew
        bool raten = false, kaufen = false;  // false, false: spin again, nothing else
    };
    for (const Fall f : {Fall{.pos = 5, .ton = "AllgemeinerFehler", .punkte = 0, .anzeige = "Anna000000"},
                         Fall{.pos = 0, .ton = "BewegungEnde", .anzeige = "Ben000060"},
                         Fall{.pos = 3, .ton = "Glückstreffer", .punkte = 150, .anzeige = "Anna000150"},
                         Fall{.pos = 8, .raten = true, .kaufen = true}, Fall{.pos = 2, .raten = true}}) {
        SCOPED_TRACE(f.pos);
        RundenSpiel s;
        MainFrm& m = s.m();
        s.punkte(0) = 50;
        s.punkte(1) = 60;
        for (auto* b : {&m.WortRatenBtn, &m.BstKaufBtn, &m.showSatzBtn}) b->enabled = true;
        m.setzeLampe(1, true);
        m.UebTitelLabel.visible = false;
        m.SatzBspLbl.visible = true;
        m.drehenBtn.beiKlick();
        EXPECT_TRUE(m.gradTimer.enabled && m.anhaltenBtn.enabled);
        EXPECT_FALSE(m.drehenBtn.enabled || m.WortRatenBtn.enabled || m.BstKaufBtn.enabled ||
                     m.showSatzBtn.enabled);
        EXPECT_EQ(m.KaufenLampe.bild, m.LampeRotImg.bild);
        EXPECT_TRUE(!m.SatzBspLbl.visible && m.UebTitelLabel.visible);

        m.RadPos = f.pos;
        m.anhaltenBtn.beiKlick();
        EXPECT_EQ(s.toene(), (Toene{"BewegungStart", f.ton}));
        EXPECT_EQ(s.punkte(0), f.punkte);
        if (*f.anzeige) EXPECT_EQ(m.SpNameLbl.caption + s.ziffern(), f.anzeige);
        if (f.punkte != 50) EXPECT_EQ(s.spiel->dateiInfoFrm().SpPunkte[0].caption, std::to_string(f.punkte));
        EXPECT_FALSE(m.gradTimer.enabled);
        if (!f.raten) {
            s.erwarteNeuenDreh();
            continue;
        }
        EXPECT_FALSE(m.drehenBtn.enabled || m.anhaltenBtn.enabled);
        EXPECT_TRUE(m.WortRatenBtn.enabled && s.tasten(true));
        EXPECT_EQ(m.fokus, &m.bstBtn[0]);
        EXPECT_EQ(m.BstKaufBtn.enabled, f.kaufen);
        EXPECT_EQ(m.showSatzBtn.enabled, f.kaufen);
        EXPECT_EQ(m.KaufenLampe.bild, f.kaufen ? m.LampeGruenImg.bild : m.LampeRotImg.bild);
    }
}

}  // namespace
}  // namespace wx::test
