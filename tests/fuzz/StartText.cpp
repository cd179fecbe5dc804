// The launch text the framework hands over on the command line.
#include "FuzzHilfe.h"
#include "VirtuellePlattform.h"
#include "basis/GlobModul.h"
#include "basis/Rahmendateien.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    static wx::test::VirtuellePlattform plattform;
    wx::GlobModul g(plattform);
    const std::string text(wx::fuzz::alsText(daten, groesse));
    const wx::flag16 passt = wx::leseStartParameter(g, text);
    wx::fuzz::verlange(passt == wx::WAHR || passt == wx::FALSCH, "flag is neither true nor false");
    wx::fuzz::verlange(g.nSpieler >= 0 && g.nSpieler <= 5, "player count outside the board");
    for (int k = 0; k < g.nSpieler; ++k)
        wx::fuzz::verlange(g.SpielerName[k].size() <= text.size(), "name longer than the text");
    return 0;
}
