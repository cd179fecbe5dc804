// Every paraphrase of the demo word lists fits its frame at the label's real
// font: below the frame's title and above its lower edge, with no line cut.
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTextStream>
#include <gtest/gtest.h>

#include "FrontTest.h"

namespace wxqt::test {
namespace {

std::vector<std::pair<QString, QString>> demoUmschreibungen() {
    std::vector<std::pair<QString, QString>> liste;
    for (const char* teil : {"teil1.tsv", "teil2.tsv"}) {
        QFile datei(QStringLiteral(WIRBELIX_DEMO_WOERTER "/") + teil);
        if (!datei.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "cannot read " << datei.fileName().toStdString();
            continue;
        }
        QTextStream ein(&datei);
        ein.readLine();  // column names
        while (!ein.atEnd()) {
            const QStringList felder = ein.readLine().split(QLatin1Char('\t'));
            if (felder.size() > 7) liste.emplace_back(felder[1], felder[7]);
        }
    }
    return liste;
}

TEST(Umschreibung, EveryDemoParaphraseFitsItsFrame) {
    FrontSpiel s;
    ASSERT_TRUE(s.gestartet);
    auto& m = s.main();
    const auto liste = demoUmschreibungen();
    ASSERT_GT(liste.size(), 600u);
    auto* rahmen = s.widget<QGroupBox>(m.ParaphrFrm);
    auto* label = s.widget<QLabel>(m.ParaphrLbl);
    int zuLang = 0;
    for (const auto& [wort, umschreibung] : liste) {
        s.spiel->glob.aktWort = wort.toStdString();
        s.spiel->glob.aktKontext.clear();
        s.spiel->glob.aktParaphrase = umschreibung.toStdString();
        m.WortAufbauen();
        s.plattform.abgleichen();
        // The capitals of the first line start below the title's text, and
        // the last line ends above the frame's lower edge.
        const QFontMetrics titel(rahmen->font()), text(label->font());
        const int oben = label->y() + text.ascent() - text.capHeight();
        const int unten = label->y() + label->heightForWidth(label->width());
        const bool passt = oben >= titel.height() && unten <= rahmen->height() - 2 &&
                           label->heightForWidth(label->width()) <= label->height();
        if (!passt && ++zuLang <= 60)
            ADD_FAILURE() << wort.toStdString() << ": \"" << umschreibung.toStdString() << "\" takes "
                          << label->heightForWidth(label->width()) << " px from y " << label->y()
                          << ", the title ends at " << titel.height() << ", the frame at "
                          << rahmen->height() - 2;
    }
    EXPECT_EQ(zuLang, 0);
}

}  // namespace
}  // namespace wxqt::test
