// The help files of the demo installation: built from the current sources,
// a topic for every window, menu entry and exercise unit, and no broken link.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>

#include "TestInstallation.h"
#include "basis/Rahmendateien.h"
#include "basis/Text.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/EinstellFrm.h"
#include "fenster/InfoFrm.h"
#include "fenster/MainFrm.h"
#include "fenster/MldFenster.h"
#include "hilfe/ChmDatei.h"
#include "settings/IniDatei.h"

namespace wx {
namespace {

namespace fs = std::filesystem;
const std::string kHilfe = std::string(WIRBELIX_QUELLE) + "/demo/help";

std::unique_ptr<ChmDatei> oeffne(const std::string& name) {
    std::string fehler;
    auto chm = ChmDatei::oeffne(kHilfe + "/" + name, &fehler);
    EXPECT_TRUE(chm) << fehler;
    return chm;
}

// The checksum tools/help/baue_hilfe.py writes into a compiled file: FNV-1a
// over every source file's relative path and bytes, in the order of the paths.
std::string pruefsumme(const fs::path& ordner) {
    std::vector<std::string> dateien;
    for (const auto& e : fs::recursive_directory_iterator(ordner))
        if (e.is_regular_file()) dateien.push_back(fs::relative(e.path(), ordner).generic_string());
    std::sort(dateien.begin(), dateien.end());
    uint64_t h = 0xcbf29ce484222325ull;
    for (const auto& rel : dateien)
        for (unsigned char c : rel + '\0' + leseRoh((ordner / rel).string()).value_or("") + '\0')
            h = (h ^ c) * 0x100000001b3ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

TEST(HilfeDateien, CompiledFilesMatchTheirSources) {
    for (const std::string name : {"Wirbelix", "Tesk"}) {
        const auto chm = oeffne(name + ".chm");
        ASSERT_TRUE(chm);
        std::string gespeichert = chm->lies("/pruefsumme.txt").value_or("(keine)");
        while (!gespeichert.empty() && std::isspace(static_cast<unsigned char>(gespeichert.back())))
            gespeichert.pop_back();
        EXPECT_EQ(gespeichert, pruefsumme(kHilfe + "/" + name))
            << "demo/help/" << name << " changed: run tools/help/baue_hilfe.py " << name;
    }
}

TEST(HilfeDateien, EveryWindowAndMenuEntryHasATopic) {
    test::TestSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& sp = *s.spiel;
    std::vector<std::pair<std::string, int>> ids;
    for (Form* f : std::initializer_list<Form*>{&sp.mainFrm(), &sp.mldFenster(), &sp.dateiInfoFrm(),
                                                &sp.infoFrm(), &sp.einstellFrm()})
        ids.emplace_back(f->name, f->helpId);
    for (MenuEintrag* titel : sp.mainFrm().menues) {
        ids.emplace_back(titel->name, titel->helpId);
        for (MenuEintrag* e : titel->eintraege)
            if (!e->istTrenner()) ids.emplace_back(e->name, e->helpId);
    }
    const auto chm = oeffne("Wirbelix.chm");
    ASSERT_TRUE(chm);
    for (const auto& [name, id] : ids) {
        EXPECT_NE(id, 0) << name;
        const auto thema = chm->themaZuKontext(id);
        ASSERT_TRUE(thema) << name << " " << id;
        EXPECT_NE(chm->lies(*thema).value_or("").find("<h1>"), std::string::npos) << *thema;
    }
    // The operating instructions are the default topic and 1000; the rules stand apart.
    EXPECT_EQ(chm->standardThema(), chm->themaZuKontext(1000));
    EXPECT_NE(chm->themaZuKontext(2000), chm->themaZuKontext(1000));
}

TEST(HilfeDateien, EveryUnitOfTheDemoListHasItsTopic) {
    const auto zeilen = leseAnsiZeilen(std::string(WIRBELIX_QUELLE) + "/demo/Kelmo.tsp");
    ASSERT_TRUE(zeilen);
    const auto chm = oeffne("Tesk.chm");
    ASSERT_TRUE(chm);
    test::VirtuellePlattform p;
    int16_t position = 0;
    for (const auto& [titel, code] : leseTspDatensaetze(*zeilen)) {
        if (beginntMit(titel, ">>>")) continue;
        GlobModul g{p};
        g.BausteinNr = ++position;
        setzeHilfeKontext(g);
        const auto thema = chm->themaZuKontext(g.HilfeKontextID);
        ASSERT_TRUE(thema) << titel << " " << g.HilfeKontextID;
        EXPECT_NE(chm->lies(*thema).value_or("").find("<h1>" + titel + "</h1>"), std::string::npos)
            << titel << " -> " << *thema;
    }
    EXPECT_GE(position, 3);
    EXPECT_TRUE(chm->standardThema());
}

TEST(HilfeDateien, LinksPicturesAndStyleSheetsAreInsideTheFile) {
    const std::regex verweis(R"re((?:href|src)="([^"]*)")re");
    int gezaehlt = 0;
    for (const std::string name : {"Wirbelix.chm", "Tesk.chm"}) {
        const auto chm = oeffne(name);
        ASSERT_TRUE(chm);
        for (const auto& thema : chm->themen()) {
            if (!thema.ends_with(".htm")) continue;
            const std::string seite = chm->lies(thema).value_or("");
            const std::string ordner = thema.substr(0, thema.rfind('/') + 1);
            for (std::sregex_iterator it(seite.begin(), seite.end(), verweis), ende; it != ende; ++it) {
                std::string ziel = (*it)[1];
                ziel = ziel.substr(0, ziel.find('#'));
                if (ziel.empty()) continue;
                EXPECT_TRUE(chm->finde(ordner + ziel)) << name << thema << " -> " << ziel;
                ++gezaehlt;
            }
        }
    }
    EXPECT_GT(gezaehlt, 40);
}

}  // namespace
}  // namespace wx
