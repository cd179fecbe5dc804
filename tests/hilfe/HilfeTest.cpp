// The help commands of the main window, context help, the topic of the
// exercise unit, and the two information windows.
#include <gtest/gtest.h>

#include "TestInstallation.h"
#include "basis/Rahmendateien.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/InfoFrm.h"
#include "fenster/MainFrm.h"

namespace wx {
namespace {

using test::TestSpiel;

// Which unit leads to which topic is checked against the demo help file; here
// only that a position outside the list leaves the topic as it was.
TEST(HilfeKontext, PositionsOutsideTheListKeepTheTopic) {
    test::VirtuellePlattform p;
    for (const int16_t nr : {0, 53, -1}) {
        GlobModul g{p};
        g.BausteinNr = nr;
        g.HilfeKontextID = 77;
        setzeHilfeKontext(g);
        EXPECT_EQ(g.HilfeKontextID, 77) << nr;
    }
}

TEST(HilfeMenue, CommandsContextHelpAndClosingAskForTheirFileTopicAndNumber) {
    TestSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    const std::string app = s.installation.pfad();
    EXPECT_EQ(s.g().HilfeKontextID, 1002);  // LIP_ is the second unit of the list
    for (MenuEintrag* e : {&m.mnuHilfeSpielregeln, &m.mnuHilfeBedienung, &m.mnuHilfeAktKat}) {
        ASSERT_TRUE(e->beiKlick) << e->name;
        e->beiKlick();
    }
    s.spiel->kontextHilfe(3004);
    s.spiel->kontextHilfe(0);  // a window without a topic of its own: the default topic
    s.spiel->schliesseHilfe();
    std::vector<std::string> aufrufe;
    for (const auto& a : s.plattform.hilfeAufrufe)
        aufrufe.push_back(a.datei.substr(app.size()) + " " + std::to_string(a.befehl) + " " +
                          std::to_string(a.kontext));
    EXPECT_EQ(aufrufe,
              (std::vector<std::string>{"\\Wirbelix.chm 15 2000", "\\Wirbelix.chm 0 0", "\\Tesk.chm 15 1002",
                                        "\\Wirbelix.chm 15 3004", "\\Wirbelix.chm 0 0", "\\Tesk.chm 18 0",
                                        "\\Wirbelix.chm 18 0"}));
    EXPECT_TRUE(s.plattform.modalGezeigt.empty());
}

TEST(InfoFenster, VersionEscapeAndReopening) {
    test::VirtuellePlattform p;
    EXPECT_EQ(InfoFrm(p, 0, 4).RelLbl.caption, "4.0.4");
    EXPECT_EQ(InfoFrm(p, 12, 305).RelLbl.caption, "4.12.305");

    TestSpiel s;
    auto& m = s.main();
    int tasten = 0;
    // Other keys leave the window open; Escape presses OK.
    s.plattform.wennModal("InfoFrm", [&tasten](Form& f) {
        for (int code : {13, int('x'), 32}) {
            f.beiTaste(code);
            tasten += f.visible;
        }
        f.beiTaste(27);
    });
    m.mnuHilfeInfo.beiKlick();
    EXPECT_EQ(tasten, 3);
    EXPECT_FALSE(s.spiel->infoFrm().visible);
    s.plattform.wennModalDruecke("InfoFrm", "okBtn");
    m.mnuHilfeInfo.beiKlick();
    EXPECT_EQ(s.plattform.modalGezeigt, (std::vector<std::string>{"InfoFrm", "InfoFrm"}));
    EXPECT_FALSE(s.spiel->infoFrm().visible);
}

// Visible rows of the file-information window as "name=score" text.
std::string zeilen(const DateiInfoFrm& info) {
    std::string t;
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(info.SpName[k].visible, info.SpPunkte[k].visible) << k;
        if (info.SpName[k].visible) t += info.SpName[k].caption + "=" + info.SpPunkte[k].caption + " ";
    }
    return t;
}

TEST(DateiInfo, OneRowPerPlayer) {
    for (const auto& [start, erwartet] :
         {std::pair{"nSpieler=1;Anna;anna;", "Anna=0 "},
          std::pair{"nSpieler=5;A;B;C;D;E;a;b;c;d;e;", "A=0 B=0 C=0 D=0 E=0 "}}) {
        TestSpiel s(test::beispielWoerter(), {},
                    std::string("|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;") + start + "|");
        ASSERT_TRUE(s.gestartet) << start;
        EXPECT_EQ(zeilen(s.spiel->dateiInfoFrm()), erwartet);
    }
}

TEST(DateiInfo, ShowsTheCurrentStateWheneverOpened) {
    TestSpiel s(test::beispielWoerter(), {},
                "|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=3;Anna;Ben;Cem;anna;ben;cem;|");
    auto& m = s.main();
    auto& info = s.spiel->dateiInfoFrm();
    // Scores change while the window is hidden.
    s.g().aktSpieler = 1;
    s.g().SpielerPunkte[1] = 180;
    m.updateSpielerPunkte();
    // The settings dialog adds the computer as a fourth player.
    info.zeigeSpielerZeile(3, "Computer", 0);
    std::string gesehen;
    s.plattform.wennModal("DateiInfoFrm", [&](Form& f) {
        gesehen = zeilen(info) + info.DatInfLbl[0].caption + " " + info.DatInfLbl[1].caption;
        static_cast<DateiInfoFrm&>(f).okbtn.beiKlick();
    });
    m.mnuDateiInfo.beiKlick();
    EXPECT_EQ(gesehen, "Anna=0 Ben=180 Cem=0 Computer=0 6 nein");
    EXPECT_FALSE(info.visible);

    // Without the computer again, the row goes; the window kept its contents.
    info.versteckeSpielerZeile(3);
    s.plattform.wennModalDruecke("DateiInfoFrm", "okbtn");
    m.mnuDateiInfo.beiKlick();
    EXPECT_EQ(zeilen(info), "Anna=0 Ben=180 Cem=0 ");
    EXPECT_EQ(s.plattform.modalGezeigt, (std::vector<std::string>{"DateiInfoFrm", "DateiInfoFrm"}));
}

}  // namespace
}  // namespace wx
