// The main window's pictures are drawn on a helper thread during the
// start-up. The window must show exactly what the GUI thread would have
// drawn, and must not draw them a second time; it is built without waiting
// for them, and shown with them. A spoiled picture leaves it usable.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

#include "FrontTest.h"
#include "qt/Bilder.h"
#include "qt/Steuerwidgets.h"
#include "qt/WmfPlayer.h"

namespace wxqt::test {
namespace {

namespace fs = std::filesystem;

const char* const kStartMia = "|Version=4;Class=D;TeskFeldName=LIP_;LupenFlag=0;nSpieler=1;Mia;mia;|";

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
    ASSERT_TRUE(spiel.starte(kStartMia, inst.pfad()));
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

    EXPECT_FALSE(f.windowIcon().isNull());
    // The lamps and the meter were drawn ahead as well; new is at most the
    // meter's picture when the guess time is limited.
    EXPECT_LE(bilderImSpeicher(), vorab + 1);
    // On the screen, every visible image has its picture, whether it was
    // ready when the window was built or not.
    auto& m = spiel.mainFrm();
    for (const wx::Steuerelement* s : m.steuerelemente) {
        if (s->art != wx::Art::Image || !s->visible || s->bild.empty()) continue;
        auto* w = dynamic_cast<BildWidget*>(f.widgetVon(*s));
        ASSERT_NE(w, nullptr) << s->name;
        EXPECT_FALSE(w->bild().isNull()) << s->name << "(" << s->index << ")";
    }
    // The hidden picture sources of the lamps and the meter are never shown
    // themselves: nothing is drawn for them.
    for (const wx::Steuerelement* quelle :
         {&m.LampeGruenImg, &m.LampeRotImg, &m.vuRestZeitEinImg, &m.vuRestZeitAusImg}) {
        auto* w = dynamic_cast<BildWidget*>(f.widgetVon(*quelle));
        ASSERT_NE(w, nullptr) << quelle->name;
        EXPECT_TRUE(w->bild().isNull()) << quelle->name;
    }
}

// The unit's picture missing, empty, of junk bytes, or a folder of that name,
// as a careless hand may leave it: the main window comes up and paints.
TEST(Vorbereitung, SpoiledPicturesLeaveTheWindowUsable) {
    std::string junk(1, '\0');
    for (int b = 255; b >= 0; --b) junk += static_cast<char>(b);
    junk = std::string("GIF89a") + junk + junk;  // a picture's magic, then rubbish
    for (const std::string art : {"missing", "empty", "binary", "folder"}) {
        SCOPED_TRACE(art);
        wx::test::TestInstallation inst;
        inst.standard(wx::test::beispielWoerter());
        const fs::path p = fs::path(inst.pfad()) / "Grafik" / "BST_LIP.GIF";
        fs::remove_all(p);
        if (art == "empty") std::ofstream(p, std::ios::binary);
        if (art == "binary") std::ofstream(p, std::ios::binary) << junk;
        if (art == "folder") fs::create_directories(p / "darin");

        QtPlattform plattform(testOptionen());
        wx::Spiel spiel(plattform);
        ASSERT_TRUE(spiel.starte(kStartMia, inst.pfad()));
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

// The wheel's hidden pictures cost nothing at start-up; each is drawn, at
// the size of its box, the first time the wheel shows it.
TEST(BilderFront, AWheelPictureIsDrawnWhenFirstShown) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    auto* erstes = s.widget<BildWidget>(m.RadImg[0]);
    auto* zweites = s.widget<BildWidget>(m.RadImg[1]);
    EXPECT_FALSE(erstes->bild().isNull()) << "the picture on show";
    EXPECT_TRUE(zweites->bild().isNull()) << "a hidden picture, not drawn yet";
    m.RadImg[0].visible = false;
    m.RadImg[1].visible = true;
    s.plattform.abgleichen();
    ASSERT_FALSE(zweites->bild().isNull());
    EXPECT_EQ(zweites->bild().size(), erstes->bild().size());
    EXPECT_EQ(zweites->bild().size(), zweites->size());
}

// One picture from a file.
struct BildFrm : wx::Form {
    wx::Steuerelement Bild;
    explicit BildFrm(wx::Plattform& p, const std::string& datei) : Form(p, "BildFrm") {
        width = 3000;
        height = 2000;
        auto& b = neu(Bild, wx::Art::Image, "Bild", nullptr, 300, 300, 825, 600);
        b.bild = datei;
        b.strecken = true;
    }
};

// A picture that comes through a pipe: the helper thread reading it is held
// up until the test writes it.
class LangsamesBild : public ::testing::Test {
protected:
    wx::test::TestInstallation inst;
    fs::path rohr;
    std::string bytes;
    std::thread schreiber;

    void SetUp() override {
        rohr = fs::path(inst.pfad()) / "langsam.gif";
        ASSERT_EQ(mkfifo(rohr.c_str(), 0600), 0);
        std::ifstream gif(WIRBELIX_GRAFIK "/BST_LIP.GIF", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(gif), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty());
        vergissBilder();
    }
    void TearDown() override {
        // A writer still waiting for a reader (the test ended early) gets one.
        const int fd = ::open(rohr.c_str(), O_RDONLY | O_NONBLOCK);
        if (schreiber.joinable()) schreiber.join();
        if (fd >= 0) ::close(fd);
        vergissBilder();
    }
    // Writes the picture once `warte` returns.
    void schreibeNach(std::function<void()> warte) {
        schreiber = std::thread([this, warte] {
            warte();
            std::ofstream(rohr, std::ios::binary) << bytes;
        });
    }
};

TEST_F(LangsamesBild, AWindowIsBuiltWithoutWaitingForItAndGetsItBeforeItIsPainted) {
    std::promise<void> gebaut;
    schreibeNach([wann = gebaut.get_future().share()] { wann.wait_for(std::chrono::seconds(10)); });
    QtPlattform p(testOptionen());
    BildFrm form(p, rohr.string());
    p.bereiteVor(form);
    FormFenster fenster(p, form, 1.0, nullptr);
    auto* bild = dynamic_cast<BildWidget*>(fenster.widgetVon(form.Bild));
    ASSERT_NE(bild, nullptr);
    EXPECT_TRUE(bild->bild().isNull()) << "building waited for the picture";
    gebaut.set_value();

    fenster.reicheBilderNach();
    EXPECT_EQ(bild->bild().size(), QSize(55, 40)) << "no picture before the first paint";
}

TEST_F(LangsamesBild, AShownWindowHasItThoughItWasLateWhenTheWindowWasBuilt) {
    // Written a little after the window is asked for: built by then, not yet shown.
    schreibeNach([] { std::this_thread::sleep_for(std::chrono::milliseconds(300)); });
    QtPlattform p(testOptionen());
    BildFrm form(p, rohr.string());
    p.bereiteVor(form);
    form.zeigeModeless();
    auto* bild = dynamic_cast<BildWidget*>(p.fenster(form)->widgetVon(form.Bild));
    ASSERT_NE(bild, nullptr);
    EXPECT_EQ(bild->bild().size(), QSize(55, 40)) << "shown without its picture";
}

}  // namespace
}  // namespace wxqt::test
