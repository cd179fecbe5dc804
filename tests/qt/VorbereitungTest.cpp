// The main window's pictures are drawn on a helper thread during the
// start-up. The window must show exactly what the GUI thread would have
// drawn, and must not draw them a second time.
#include <QApplication>
#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>

#include "FrontTest.h"
#include "qt/Bilder.h"
#include "qt/Steuerwidgets.h"
#include "qt/WmfPlayer.h"

namespace wxqt::test {
namespace {

namespace fs = std::filesystem;

TEST(Vorbereitung, TheWindowShowsThePicturesDrawnAheadAsTheyWouldBeDrawnByIt) {
    wx::test::TestInstallation inst;
    inst.standard(wx::test::beispielWoerter());
    // A real wheel picture, with text on it: fonts on another thread.
    const fs::path rad = fs::path(inst.pfad()) / "Grafik" / "GRAD0.WMF";
    fs::copy_file(WIRBELIX_GRAFIK "/GRAD0.WMF", rad, fs::copy_options::overwrite_existing);
    fs::copy_file(WIRBELIX_GRAFIK "/BST_LIP.GIF", fs::path(inst.pfad()) / "Grafik" / "BST_LIP.GIF",
                  fs::copy_options::overwrite_existing);
    const fs::path kopie = fs::path(inst.pfad()) / "GRAD0-Kopie.WMF";
    fs::copy_file(rad, kopie);

    vergissBilder();
    QtPlattform plattform(testOptionen(1.5));
    wx::Spiel spiel(plattform);
    ASSERT_TRUE(
        spiel.starte("|Version=4;Class=D;TeskFeldName=LIP_;LupenFlag=0;nSpieler=1;Mia;mia;|", inst.pfad()));
    vorbereitungAbwarten();
    const int vorab = bilderImSpeicher();
    EXPECT_GE(vorab, 9) << "the wheel, the unit's picture, the visible built-in ones and the icon";

    // Gone from the disk: the window can only show them if it takes them over.
    fs::remove(rad);
    fs::remove(fs::path(inst.pfad()) / "Grafik" / "BST_LIP.GIF");
    spiel.mainFrm().zeigeModeless();
    QApplication::processEvents();
    FormFenster& f = *plattform.fenster(spiel.mainFrm());

    auto* radBild = f.findChild<BildWidget*>("RadImg(0)");
    ASSERT_NE(radBild, nullptr);
    const QImage gezeigt = radBild->bild().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(gezeigt.isNull());
    bool ok = false;
    const QImage hier = wmf::render(QString::fromStdString(kopie.string()), gezeigt.size(), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(gezeigt, hier) << "drawn on the helper thread, the wheel differs";

    auto* einheit = f.findChild<BildWidget*>("UebBausteinImage");
    ASSERT_NE(einheit, nullptr);
    EXPECT_FALSE(einheit->bild().isNull());
    EXPECT_FALSE(f.windowIcon().isNull());
    // The lamps and the meter were drawn ahead as well; new is at most the
    // meter's picture when the guess time is limited.
    EXPECT_LE(bilderImSpeicher(), vorab + 1);
    // The hidden picture sources of the lamps and the meter are never shown
    // themselves: nothing is drawn for them.
    auto& m = spiel.mainFrm();
    for (const wx::Steuerelement* quelle :
         {&m.LampeGruenImg, &m.LampeRotImg, &m.vuRestZeitEinImg, &m.vuRestZeitAusImg}) {
        auto* w = dynamic_cast<BildWidget*>(f.widgetVon(*quelle));
        ASSERT_NE(w, nullptr) << quelle->name;
        EXPECT_TRUE(w->bild().isNull()) << quelle->name;
    }
}

}  // namespace
}  // namespace wxqt::test
