// The designed controls of the main window: 9600 by 6630 twips of client area.
#include <algorithm>
#include <string>

#include "fenster/MainFrm.h"
#include "fenster/Spiel.h"

namespace wx {

namespace {

const Schrift kSansFett{"MS Sans Serif", 8.25, true, false};

void menue(MenuEintrag& m, const std::string& name, const std::string& caption, int helpId) {
    m.name = name;
    m.caption = caption;
    m.helpId = helpId;
}

}  // namespace

MainFrm::MainFrm(Spiel& s) : Form(s.plattform, "MainFrm"), spiel(s), g(s.glob) {
    baueLayout();
    verbindeEreignisse();
}

void MainFrm::baueLayout() {
    caption = "Tovenhalm - Wirbelix";
    width = 9600;
    height = 6630;
    eigenstaendig = hauptfenster = veraenderlich = true;
    symbol = "@symbol";
    helpId = 2000;
    FormSchrift = kSansFett;

    // Menus.
    menue(mnuDatei, "mnuDatei", "&Datei", 1000);
    menue(mnuDateiNeu, "mnuDateiNeu", "&Neu ...", 3006);
    menue(mnuDateiStrich1, "mnuDateiStrich1", "-", 0);
    menue(mnuDateiInfo, "mnuDateiInfo", "&Info ...", 3004);
    menue(mnuDateiMeisterliste, "mnuDateiMeisterliste", "&Meisterliste ...", 3005);
    menue(mnuDateiStrich2, "mnuDateiStrich2", "-", 0);
    menue(mnuDateiEnde, "mnuDateiEnde", "&Ende ...", 3009);
    mnuDatei.eintraege = {&mnuDateiNeu,          &mnuDateiStrich1, &mnuDateiInfo,
                          &mnuDateiMeisterliste, &mnuDateiStrich2, &mnuDateiEnde};
    menue(mnuBearbeiten, "mnuBearbeiten", "&Bearbeiten", 1000);
    menue(mnuBearbEinstell, "mnuBearbEinstell", "&Einstellungen ...", 3003);
    mnuBearbeiten.eintraege = {&mnuBearbEinstell};
    menue(mnuHilfe, "mnuHilfe", "&Hilfe", 1000);
    menue(mnuHilfeInfo, "mnuHilfeInfo", "&Info über ...", 3007);
    menue(mnuHilfeStrich, "mnuHilfeStrich", "-", 0);
    menue(mnuHilfeBedienung, "mnuHilfeBedienung", "&Bedienungshinweise ...", 1000);
    menue(mnuHilfeSpielregeln, "mnuHilfeSpielregeln", "&Spielregeln ...", 2000);
    menue(mnuHilfeAktKat, "mnuHilfeAktKat", "Üb&ungsschwerpunkt ...", 3008);
    mnuHilfe.eintraege = {&mnuHilfeInfo, &mnuHilfeStrich, &mnuHilfeBedienung, &mnuHilfeSpielregeln,
                          &mnuHilfeAktKat};
    menues = {&mnuDatei, &mnuBearbeiten, &mnuHilfe};

    // Lines of the menu edge and of the groove above the title strip.
    auto linie = [this](Steuerelement& l, const std::string& n, int32_t x1, int32_t y1, int32_t x2,
                        int32_t y2, Farbe f) {
        neu(l, Art::Line, n, nullptr, 0, 0, 0, 0);
        l.x1 = x1;
        l.y1 = y1;
        l.x2 = x2;
        l.y2 = y2;
        l.vorder = f;
        l.zugangsName = "Trennlinie";
    };
    linie(Line1, "Line1", 0, 0, 9600, 0, kGrau);
    linie(LinieOben, "LinieOben", 0, 5615, 9600, 5615, kGrau);
    linie(LinieUnten, "LinieUnten", 0, 5630, 9600, 5630, kWeiss);

    // The word board.
    neu(LoesungFrm, Art::Frame, "LoesungFrm", nullptr, 3270, 180, 5415, 1125).caption = "Lösung";
    LoesungFrm.schrift = kSansFett;
    auto& kontext = neu(KontextLbl, Art::Label, "KontextLbl", &LoesungFrm, 120, 630, 360, 240);
    kontext.caption = "der";
    kontext.schrift = Schrift{"MS Sans Serif", 9.75, true, false};
    kontext.autoSize = true;
    kontext.transparent = true;
    for (int i = 0; i < kBrettZellen; ++i) {
        auto& z = neu(BstLbl[i], Art::Label, "BstLbl", &LoesungFrm, 135 + 400 * i, 330, 400, 615, i);
        z.caption = "A";
        z.schrift = Schrift{"Arial", 26.25, true, false};
        z.autoSize = true;
        z.ausrichtung = Ausrichtung::Mitte;
        z.visible = false;
        z.hinter = kWeiss;
        z.vorder = kWeiss;
    }

    neu(ParaphrFrm, Art::Frame, "ParaphrFrm", nullptr, 150, 180, 2865, 1125).caption = "Umschreibung";
    ParaphrFrm.schrift = kSansFett;
    auto& para = neu(ParaphrLbl, Art::Label, "ParaphrLbl", &ParaphrFrm, 120, 450, 2610, 285);
    para.caption = "[kein Wort]";
    para.schrift = Schrift{"Arial", 12, true, false};
    para.vorder = kBlau;
    para.ausrichtung = Ausrichtung::Mitte;
    para.wortUmbruch = true;
    para.autoSize = true;  // grows downwards; the board centres it in its frame
    para.transparent = true;

    // Players and scores.
    neu(Frame1, Art::Frame, "Frame1", nullptr, 3240, 4230, 5445, 1125).caption = "Spieler";
    Frame1.schrift = kSansFett;
    neu(Frame4, Art::Frame, "Frame4", &Frame1, 180, 270, 3135, 675).caption = "Name";
    Frame4.schrift = kSansFett;
    Frame4.zugangsName = "Name";  // nested frames would otherwise be read as "Spieler"
    auto& name = neu(SpNameLbl, Art::Label, "SpNameLbl", &Frame4, 120, 240, 2865, 330);
    name.caption = "[Kein Name]";
    name.schrift = Schrift{"Arial", 14.25, true, false};
    name.vorder = kBlau;
    name.hinter = kWeiss;
    name.ausrichtung = Ausrichtung::Mitte;
    neu(Frame2, Art::Frame, "Frame2", &Frame1, 3720, 270, 1545, 675).caption = "Punkte";
    Frame2.schrift = kSansFett;
    Frame2.zugangsName = "Punkte";
    for (int i = 0; i < 6; ++i) {
        auto& d = neu(punkZiff[i], Art::Label, "punkZiff", &Frame2, 60 + 240 * i, 240, 240, 390, i);
        d.caption = "0";
        d.schrift = Schrift{"Arial", 15.75, true, false};
        d.vorder = kGelb;
        d.hinter = kSchwarz;
        d.rahmen = true;
        d.ausrichtung = Ausrichtung::Mitte;
        d.zugangsName = "Punkte: 0";
    }

    // The title strip, shared by the unit's title and the example sentence.
    neu(UebTitelFrame, Art::Frame, "UebTitelFrame", nullptr, 1200, 5790, 7305, 600).zugangsName =
        "Übungsschwerpunkt";
    auto& titel = neu(UebTitelLabel, Art::Label, "UebTitelLabel", &UebTitelFrame, 150, 180, 7020, 315);
    titel.caption = "[kein Übungsschwerpunkt]";
    titel.schrift = Schrift{"Arial", 12, true, false};
    titel.vorder = kRot;
    titel.ausrichtung = Ausrichtung::Mitte;
    titel.transparent = true;
    auto& satz = neu(SatzBspLbl, Art::Label, "SatzBspLbl", &UebTitelFrame, 120, 210, 7065, 270);
    satz.caption = "Satz";
    satz.schrift = Schrift{"Arial", 12, false, false};
    satz.ausrichtung = Ausrichtung::Mitte;
    satz.transparent = true;
    // Only one of title and sentence shows at a time; the title comes first.
    satz.visible = false;

    // The wheel.
    neu(Frame3, Art::Frame, "Frame3", nullptr, 60, 1530, 2985, 3195).ohneRahmen = true;
    Frame3.zugangsName = "Glücksrad";
    for (int i = 0; i < 10; ++i) {
        auto& r = neu(RadImg[i], Art::Image, "RadImg", &Frame3, 90, 210, 2775, 2775, i);
        r.visible = false;
        r.strecken = true;
    }
    neu(Image2, Art::Image, "Image2", &Frame3, 1320, 1470, 285, 285).bild = "@radkappe";
    Image2.zugangsName = "Nabe des Glücksrads";
    neu(RadStopMarke, Art::Image, "RadStopMarke", nullptr, 3075, 3030, 225, 225).bild = "@stopmarke";
    RadStopMarke.zugangsName = "Stoppmarke des Glücksrads";
    RadStopMarke.strecken = true;

    // Buttons.
    auto knopf = [this](Steuerelement& b, const std::string& n, const std::string& cap, int32_t l, int32_t t,
                        int32_t w, int32_t h, double groesse, int index = -1) {
        neu(b, Art::Button, n, nullptr, l, t, w, h, index);
        b.caption = cap;
        b.schrift = Schrift{"Arial", groesse, true, false};
        b.enabled = false;
    };
    knopf(drehenBtn, "drehenBtn", "&drehen", 180, 4860, 1335, 465, 12);
    knopf(anhaltenBtn, "anhaltenBtn", "&anhalten", 1620, 4860, 1335, 465, 12);
    knopf(WortRatenBtn, "WortRatenBtn", "Wort &raten", 4650, 3390, 1635, 465, 12);
    knopf(BstKaufBtn, "BstKaufBtn", "&kaufen", 6540, 3180, 1635, 465, 12);
    knopf(showSatzBtn, "showSatzBtn", "Satz &zeigen", 6540, 3660, 1635, 465, 12);
    static const char* const kBuchstaben[30] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J",
                                                "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T",
                                                "U", "V", "W", "X", "Y", "Z", "Ä", "Ö", "Ü", "ß"};
    for (int i = 0; i < 30; ++i) {
        static constexpr int32_t kZeilenTop[3] = {1590, 2040, 2490};
        knopf(bstBtn[i], "bstBtn", kBuchstaben[i], 4170 + 450 * (i % 10), kZeilenTop[i / 10], 435, 435, 14.25,
              i);
    }

    // Lamps and their picture sources.
    neu(WortRatenLampe, Art::Image, "WortRatenLampe", nullptr, 4170, 3450, 375, 375).strecken = true;
    WortRatenLampe.zugangsName = "Lampe Wort raten: aus";
    neu(KaufenLampe, Art::Image, "KaufenLampe", nullptr, 8280, 3450, 375, 375).strecken = true;
    KaufenLampe.zugangsName = "Lampe Kaufen: aus";
    auto& gruen = neu(LampeGruenImg, Art::Image, "LampeGrünImg", nullptr, 8550, 120, 390, 390);
    gruen.bild = "@lampe_gruen";
    gruen.visible = false;
    gruen.zugangsName = "grüne Lampe";
    auto& rot = neu(LampeRotImg, Art::Image, "LampeRotImg", nullptr, 8550, 840, 390, 390);
    rot.bild = "@lampe_rot";
    rot.visible = false;
    rot.zugangsName = "rote Lampe";

    // Guess-time meter and play-time gauge.
    neu(vuRestZeitImage, Art::Image, "vuRestZeitImage", nullptr, 8700, 5700, 825, 825).zugangsName =
        "Ratezeit: nicht begrenzt";
    auto& vuEin = neu(vuRestZeitEinImg, Art::Image, "vuRestZeitEinImg", nullptr, 3060, 2010, 825, 825);
    vuEin.bild = "@vu_ein";
    vuEin.visible = false;
    vuEin.zugangsName = "Ratezeit läuft";
    auto& vuAus = neu(vuRestZeitAusImg, Art::Image, "vuRestZeitAusImg", nullptr, 3060, 1320, 825, 825);
    vuAus.bild = "@vu_aus";
    vuAus.visible = false;
    vuAus.zugangsName = "Ratezeit aus";
    neu(vuNadel, Art::Line, "vuNadel", nullptr, 0, 0, 0, 0);
    vuNadel.x1 = 9120;
    vuNadel.y1 = 6220;
    vuNadel.x2 = 9120;
    vuNadel.y2 = 5850;
    vuNadel.vorder = Farbe{255, 0, 0};
    vuNadel.linienBreite = 2;
    vuNadel.zugangsName = "Zeiger der Ratezeit";
    auto& achse = neu(vuAchse, Art::Shape, "vuAchse", nullptr, 9060, 6090, 135, 135);
    achse.gefuellt = true;
    achse.vorder = kSchwarz;
    achse.hinter = kSchwarz;
    achse.zugangsName = "Achse des Zeigers";
    neu(Image1, Art::Image, "Image1", nullptr, 8880, 270, 555, 5160).bild = "@energie_rahmen";
    Image1.zugangsName = "Skala der Spielzeit";
    auto& stand = neu(RestZeitStand, Art::Image, "RestZeitStand", nullptr, 9060, 330, 75, 4605);
    stand.bild = "@energie_balken";
    stand.strecken = true;
    stand.zugangsName = "Spielzeit: nicht begrenzt";
    neu(UebBausteinImage, Art::Image, "UebBausteinImage", nullptr, 135, 5850, 825, 600).strecken = true;
    UebBausteinImage.zugangsName = "Bild zum Übungsschwerpunkt";

    neuerTimer(gradTimer, "gradTimer", 30);
    neuerTimer(EnergTimer, "EnergTimer", 5000);
    neuerTimer(RestZeitTimer, "RestZeitTimer", 5000);

    rdb.RecordSource = "WortListe";
    phr.RecordSource = "SemSynt";
}

void MainFrm::verbindeEreignisse() {
    drehenBtn.beiKlick = [this] { drehenBtn_Click(); };
    anhaltenBtn.beiKlick = [this] { anhaltenBtn_Click(); };
    WortRatenBtn.beiKlick = [this] { WortRatenBtn_Click(); };
    BstKaufBtn.beiKlick = [this] { BstKaufBtn_Click(); };
    showSatzBtn.beiKlick = [this] { showSatzBtn_Click(); };
    for (int16_t i = 0; i < 30; ++i) bstBtn[i].beiKlick = [this, i] { bstBtn_Click(i); };
    mnuDateiNeu.beiKlick = [this] { mnuDateiNeu_Click(); };
    mnuBearbEinstell.beiKlick = [this] { mnuBearbEinstell_Click(); };
    mnuDateiMeisterliste.beiKlick = [this] { mnuDateiMeisterliste_Click(); };
    mnuDateiEnde.beiKlick = [this] { mnuDateiEnde_Click(); };
    beiSchliessen = [this] { Form_Unload(); };
    mnuDateiInfo.beiKlick = [this] { mnuDateiInfo_Click(); };
    mnuHilfeInfo.beiKlick = [this] { mnuHilfeInfo_Click(); };
    mnuHilfeBedienung.beiKlick = [this] { mnuHilfeBedienung_Click(); };
    mnuHilfeSpielregeln.beiKlick = [this] { mnuHilfeSpielregeln_Click(); };
    mnuHilfeAktKat.beiKlick = [this] { mnuHilfeAktKat_Click(); };
    gradTimer.beiTick = [this] { gradTimer_Timer(); };
    EnergTimer.beiTick = [this] { EnergTimer_Timer(); };
    RestZeitTimer.beiTick = [this] { RestZeitTimer_Timer(); };
    beiTaste = [this](int code) { Form_KeyPress(static_cast<int16_t>(code)); };
}

std::string bausteinBildName(const std::string& code) {
    auto zeichenBei = [&code](size_t pos1) -> int { return pos1 <= code.size() ? code[pos1 - 1] : -1; };
    auto istZiffer = [](int c) { return c >= '0' && c <= '9'; };
    std::string t;
    if (istZiffer(zeichenBei(3))) {
        t = code.substr(0, 2);
        // A fourth character that is missing is no digit and adds nothing.
        t += istZiffer(zeichenBei(4)) ? std::string("_") : code.substr(std::min<size_t>(3, code.size()), 1);
    } else if (code.substr(0, 2) == "LT") {
        t = "LT_";
    } else {
        t = code.substr(0, 3);
    }
    return "BST_" + t + ".GIF";
}

}  // namespace wx
