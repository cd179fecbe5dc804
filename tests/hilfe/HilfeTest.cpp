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

TEST(HilfeMenue, CommandsAskForTheirFileTopicAndNumber) {
    TestSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    const std::string app = s.installation.pfad();
    EXPECT_EQ(s.g().HilfeKontextID, 1002);  // LIP_ is the second unit of the list
    struct Fall {
        MenuEintrag* eintrag;
        std::string datei;
        int befehl;
        int32_t kontext;
    };
    for (const auto& f : {
             Fall{.eintrag = &m.mnuHilfeSpielregeln,
            .datei = app + "\\Wirbelix.chm",
            .befehl = 15,
            .kontext = 2000},
             Fall{
                 .eintrag = &m.mnuHilfeBedienung, .datei = app + "\\Wirbelix.chm", .befehl = 0, .kontext = 0},
             Fall{.eintrag = &m.mnuHilfeAktKat, .datei = app + "\\Tesk.chm", .befehl = 15, .kontext = 1002},
         }) {
        s.plattform.hilfeAufrufe.clear();
        ASSERT_TRUE(f.eintrag->beiKlick) << f.eintrag->name;
        f.eintrag->beiKlick();
        ASSERT_EQ(s.plattform.hilfeAufrufe.size(), 1u) << f.eintrag->name;
        const auto& a = s.plattform.hilfeAufrufe[0];
        EXPECT_EQ(a.datei + " " + std::to_string(a.befehl) + " " + std::to_string(a.kontext),
                  f.datei + " " + std::to_string(f.befehl) + " " + std::to_string(f.kontext));
    }
    EXPECT_TRUE(s.plattform.modalGezeigt.empty());

    // A unit outside every range leaves the number at 0, and 0 is asked for.
    s.g().BausteinNr = 53;
    s.g().HilfeKontextID = 0;
    setzeHilfeKontext(s.g());
    m.mnuHilfeAktKat.beiKlick();
    EXPECT_EQ(s.plattform.hilfeAufrufe.back().kontext, 0);
}

TEST(HilfeMenue, ContextHelpAndClosingUseTheProgramsFiles) {
    TestSpiel s;
    const std::string app = s.installation.pfad();
    s.spiel->kontextHilfe(3004);
    s.spiel->kontextHilfe(0);  // a window without a topic of its own: the default topic
    s.spiel->schliesseHilfe();
    std::vector<std::string> aufrufe;
    for (const auto& a : s.plattform.hilfeAufrufe)
        aufrufe.push_back(a.datei.substr(app.size()) + " " + std::to_string(a.befehl) + " " +
                          std::to_string(a.kontext));
    EXPECT_EQ(aufrufe, (std::vector<std::string>{"\\Wirbelix.chm 15 3004", "\\Wirbelix.chm 0 0",
                                                 "\\Tesk.chm 18 0", "\\Wirbelix.chm 18 0"}));
}

TEST(InfoFenster, VersionEscapeAndReopening) {
    test::VirtuellePlattform p;
    struct Fall {
        int neben, revision;
        const char* text;
    };
    for (const Fall f : {Fall{.neben = 0, .revision = 4, .text = "4.0.4"},
                         Fall{.neben = 12, .revision = 305, .text = "4.12.305"}})
        EXPECT_EQ(InfoFrm(p, f.neben, f.revision).RelLbl.caption, f.text);

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
    struct Fall {
        const char* start;
        const char* zeilen;
    };
    for (const Fall f : {
             Fall{.start = "nSpieler=1;Anna;anna;", .zeilen = "Anna=0 "},
             Fall{.start = "nSpieler=3;Anna;Ben;Cem;anna;ben;cem;", .zeilen = "Anna=0 Ben=0 Cem=0 "},
             Fall{.start = "nSpieler=5;A;B;C;D;E;a;b;c;d;e;", .zeilen = "A=0 B=0 C=0 D=0 E=0 "},
         }) {
        TestSpiel s(test::beispielWoerter(), {},
                    std::string("|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;") + f.start + "|");
        ASSERT_TRUE(s.gestartet) << f.start;
        EXPECT_EQ(zeilen(s.spiel->dateiInfoFrm()), f.zeilen);
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
