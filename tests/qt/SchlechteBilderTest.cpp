// The front on a picture a careless hand left behind: the unit's picture
// missing, empty, of junk bytes, or a folder of that name.
// The main window comes up and paints; the picture stays empty.
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "FrontTest.h"

namespace wxqt::test {
namespace {

namespace fs = std::filesystem;

TEST(SchlechteBilder, SpoiledPicturesLeaveTheWindowUsable) {
    std::string junk(1, '\0');
    for (int b = 255; b >= 0; --b) junk += static_cast<char>(b);
    junk = std::string("GIF89a") + junk + junk;  // a picture's magic, then rubbish
    for (const char* datei : {"Grafik/BST_LIP.GIF"}) {
        for (const char* art : {"missing", "empty", "binary", "folder"}) {
            SCOPED_TRACE(std::string(datei) + " " + art);
            wx::test::TestInstallation inst;
            inst.standard(wx::test::beispielWoerter());
            const fs::path p = fs::path(inst.pfad()) / datei;
            fs::remove_all(p);
            if (std::string(art) == "empty") std::ofstream(p, std::ios::binary);
            if (std::string(art) == "binary") std::ofstream(p, std::ios::binary) << junk;
            if (std::string(art) == "folder") fs::create_directories(p / "darin");

            QtPlattform plattform(testOptionen());
            wx::Spiel spiel(plattform);
            ASSERT_TRUE(spiel.starte("|Version=4;Class=D;TeskFeldName=LIP_;LupenFlag=0;nSpieler=1;Mia;mia;|",
                                     inst.pfad()));
            spiel.mainFrm().zeigeModeless();
            QApplication::processEvents();
            FormFenster& f = *plattform.fenster(spiel.mainFrm());
            QImage bild(f.size(), QImage::Format_ARGB32);
            QPainter maler(&bild);
            f.render(&maler);
            maler.end();
            EXPECT_FALSE(bild.isNull());
        }
    }
}

}  // namespace
}  // namespace wxqt::test
