#include "FrontTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThread>
#include <gtest/gtest.h>

namespace wxqt::test {

using wx::Art;

bool warteBis(const std::function<bool()>& bedingung, int ms) {
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void tippe(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        const auto taste = static_cast<Qt::Key>(c.toUpper().unicode());
        QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &druck);
        QKeyEvent los(QEvent::KeyRelease, taste, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &los);
    }
}

QtPlattform::Optionen testOptionen(double skala) {
    QtPlattform::Optionen o;
    o.ton = false;
    o.startSkala = skala;
    return o;
}

ProbeFrm::ProbeFrm(wx::Plattform& p) : Form(p, "ProbeFrm") {
    caption = "Probe";
    width = 6000;
    height = 4500;
    neu(Rahmen, Art::Frame, "Rahmen", nullptr, 300, 300, 3000, 2400).caption = "Rahmen";
    neu(Text, Art::Label, "Text", &Rahmen, 150, 300, 2000, 600).caption = "eins\rzwei";
    neu(Haken, Art::CheckBox, "Haken", &Rahmen, 150, 1000, 2000, 300).caption = "&Haken";
    for (int i = 0; i < 2; ++i)
        neu(Wahl[i], Art::Option, "Wahl", &Rahmen, 150, 1400 + 400 * i, 2000, 300, i).caption =
            i == 0 ? "&eins" : "&zwei";
    Wahl[0].wert = 1;
    neu(Knopf, Art::Button, "Knopf", nullptr, 3600, 300, 1500, 450).caption = "&Los";
    neu(Zahl, Art::SpinBox, "Zahl", nullptr, 3600, 1000, 900, 360).wert = 5;
    neu(Bild, Art::Image, "Bild", nullptr, 3600, 1600, 390, 390).bild = "@lampe_gruen";
    auto& strich = neu(Strich, Art::Line, "Strich", nullptr, 0, 0, 0, 0);
    strich.x1 = 300;
    strich.y1 = 3000;
    strich.x2 = 4800;
    strich.y2 = 3000;
    neu(Punkt, Art::Shape, "Punkt", nullptr, 4500, 3300, 300, 300).gefuellt = true;
    neuerTimer(Uhr, "Uhr", 5);

    Knopf.beiKlick = [this] { ++klicks; };
    Haken.beiKlick = [this] { ++hakenKlicks; };
    Uhr.beiTick = [this] { ++ticks; };
    beiTaste = [this](int code) { tasten.push_back(code); };
    beiSchliessen = [this] {
        schliessenGefragt = true;
        verstecke();
    };
}

FrontSpiel::FrontSpiel(const std::vector<wx::test::TestWort>& woerter, double skala)
    : plattform(testOptionen(skala)) {
    installation.standard(woerter);
    spiel = std::make_unique<wx::Spiel>(plattform);
    gestartet = spiel->starte("|Version=4;Class=D;TeskFeldName=LT12;LupenFlag=0;nSpieler=2;Anna;Ben;anna;ben;|",
                              installation.pfad());
    if (gestartet) spiel->mainFrm().zeigeModeless();
}

}  // namespace wxqt::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
