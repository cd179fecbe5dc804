// The help window on real help files, context help with F1. Pictures of the
// help and information windows are written next to the test to look at.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTextBlock>
#include <QTimer>
#include <filesystem>

#include "FrontTest.h"
#include "fenster/DateiInfoFrm.h"
#include "fenster/InfoFrm.h"
#include "qt/HilfeFenster.h"

namespace wxqt {
namespace {

namespace fs = std::filesystem;

// A game whose program folder holds the game's help file (not the units' one).
struct HilfeSpiel : test::FrontSpiel {
    std::string app;
    HilfeSpiel() {
        app = installation.pfad();
        fs::copy_file(std::string(WIRBELIX_QUELLE) + "/demo/help/Wirbelix.chm", app + "/Wirbelix.chm");
    }
    HilfeFenster* hilfe(const std::string& datei, int befehl, int32_t kontext) {
        plattform.hilfe(app + "\\" + datei, befehl, kontext);
        for (HilfeFenster* f : plattform.hilfeFenster().fenster())
            if (f->datei().endsWith(QString::fromStdString(datei), Qt::CaseInsensitive)) return f;
        return nullptr;
    }
};

void f1(QWidget* w) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QColor farbeDerUeberschrift(QTextDocument* d) {
    for (QTextBlock b = d->begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() == 1) return b.charFormat().foreground().color();
    return {};
}

TEST(HilfeFenster, ShowsTopicsWithTheirStyleSheetAndPicturesAndFollowsLinks) {
    HilfeSpiel s;
    ASSERT_TRUE(s.gestartet);
    HilfeFenster* f = s.hilfe("WIRBELIX.CHM", 0, 0);  // the file name in another case
    ASSERT_TRUE(f);
    HilfeBrowser* b = f->browser();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(b->source().path(), "/bedienung.htm");
    EXPECT_EQ(f->windowTitle(), "So bedienst du Wirbelix - Hilfe");
    EXPECT_EQ(farbeDerUeberschrift(b->document()), QColor(0xc0, 0x28, 0x3c));  // from wirbelix.css
    const QImage rad = QImage::fromData(
        b->loadResource(QTextDocument::ImageResource, QUrl("chm:/bilder/rad.png")).toByteArray());
    EXPECT_EQ(rad.size(), QSize(120, 120));
    EXPECT_TRUE(b->toPlainText().contains("Ein Zug Schritt für Schritt"));
    EXPECT_TRUE(f->grab().save("hilfefenster.png"));

    emit b->anchorClicked(QUrl("regeln.htm"));
    EXPECT_EQ(b->source().path(), "/regeln.htm");
    EXPECT_TRUE(b->isBackwardAvailable());
    EXPECT_EQ(f->windowTitle(), "Die Spielregeln - Hilfe");
    b->backward();
    EXPECT_EQ(b->source().path(), "/bedienung.htm");

    emit b->anchorClicked(QUrl("gibtsnicht.htm"));
    EXPECT_EQ(b->fehler(), "Die Seite „/gibtsnicht.htm“ gibt es in dieser Hilfedatei nicht.");
    emit b->anchorClicked(QUrl("http://example.org/"));
    EXPECT_TRUE(b->fehler().startsWith("Verweise nach außerhalb"));
    emit b->anchorClicked(QUrl("ms-its:Wirbelix.chm::/ende.htm"));
    EXPECT_EQ(b->source().path(), "/ende.htm");
    EXPECT_EQ(b->fehler(), "");
}

TEST(HilfeFenster, NumbersMissingFilesAndClosingAll) {
    HilfeSpiel s;
    HilfeFenster* f = s.hilfe("Wirbelix.chm", 15, 3004);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->browser()->source().path(), "/dateiinfo.htm");
    EXPECT_EQ(s.hilfe("Wirbelix.chm", 15, 4711), f);  // one window per file
    EXPECT_EQ(f->browser()->fehler(),
              "In der Hilfedatei „Wirbelix.chm“ gibt es zur Nummer 4711 kein Hilfethema.");
    EXPECT_TRUE(f->browser()->toPlainText().contains("4711"));
    EXPECT_TRUE(f->grab().save("hilfemeldung.png"));
    s.hilfe("Wirbelix.chm", 15, 3004);  // the page shown before the message
    EXPECT_EQ(f->browser()->fehler(), "");
    EXPECT_TRUE(f->browser()->toPlainText().contains("Wortschatz"));

    HilfeFenster* tesk = s.hilfe("Tesk.chm", 15, 1002);
    ASSERT_TRUE(tesk);
    EXPECT_EQ(tesk->browser()->fehler(), "Die Hilfedatei „Tesk.chm“ wurde nicht gefunden.");
    EXPECT_TRUE(tesk->isVisible());

    // The file appears later: the next request reads it.
    fs::copy_file(std::string(WIRBELIX_QUELLE) + "/demo/help/Tesk.chm", s.app + "/Tesk.chm");
    s.hilfe("Tesk.chm", 15, 1002);
    EXPECT_EQ(tesk->browser()->source().path(), "/lt12.htm");

    s.plattform.hilfe(s.app + "\\Tesk.chm", 18, 0);
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(tesk->isVisible());
}

TEST(HilfeFenster, F1AsksForTheTopicOfTheWindowOrTheHighlightedMenuEntry) {
    HilfeSpiel s;
    std::vector<int> gefragt;
    s.plattform.beiKontextHilfe = [&gefragt](int id) { gefragt.push_back(id); };
    f1(s.widget(s.main().drehenBtn));

    auto& info = s.spiel->dateiInfoFrm();
    info.zeigeModeless();
    f1(s.plattform.fenster(info)->widgetVon(info.okbtn));
    EXPECT_TRUE(s.plattform.fenster(info)->grab().save("DateiInfoFrm.png"));
    info.verstecke();
    s.plattform.abgleichen();

    QMenu* hilfeMenue = nullptr;
    for (QAction* a : s.fenster().menueLeiste()->actions())
        if (a->text() == "&Hilfe") hilfeMenue = a->menu();
    ASSERT_TRUE(hilfeMenue);
    hilfeMenue->setActiveAction(s.fenster().aktionVon(s.main().mnuHilfeAktKat));
    f1(hilfeMenue);
    hilfeMenue->setActiveAction(nullptr);
    f1(hilfeMenue);  // no entry highlighted: the menu's own topic
    EXPECT_EQ(gefragt, (std::vector<int>{2000, 3004, 3008, 1000}));
}

// Help asked for inside a modal window can be read while that window is open;
// Escape then closes the about window. Through the game, the topic opens in
// the game's help file.
TEST(HilfeFenster, HelpFromAModalWindowIsNotBlockedByIt) {
    HilfeSpiel s;
    s.plattform.beiKontextHilfe = [&s](int id) { s.spiel->kontextHilfe(id); };
    auto& info = s.spiel->infoFrm();
    QWidget* eltern = nullptr;
    QString seite;
    bool offenNachEscape = true;
    QTimer::singleShot(0, [&] {
        FormFenster* w = s.plattform.fenster(info);
        EXPECT_TRUE(w->grab().save("InfoFrm.png"));
        f1(w->widgetVon(info.okBtn));
        const auto alle = s.plattform.hilfeFenster().fenster();
        if (alle.size() == 1) {
            eltern = alle[0]->parentWidget();
            seite = alle[0]->browser()->source().path();
        }
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
        QApplication::sendEvent(w->widgetVon(info.okBtn), &esc);
        offenNachEscape = info.visible;
        if (info.visible) info.okBtn_Click();  // do not leave the loop hanging
        s.plattform.abgleichen();
    });
    s.main().mnuHilfeInfo.beiKlick();
    EXPECT_EQ(seite, "/info.htm");
    EXPECT_EQ(eltern, s.plattform.fenster(info));
    EXPECT_FALSE(offenNachEscape);
    EXPECT_TRUE(s.plattform.hilfeFenster().fenster()[0]->isVisible());  // stays open for reading
}

}  // namespace
}  // namespace wxqt
