// The main window of the game: its controls, its round state and all of its
// routines.
//
// The routines call each other in circles across the subsystems (a right
// letter passes the turn, which may start the computer's turn, which spins the
// wheel and names letters again), so they are members of this one class. The
// definitions live in the folder of their subsystem:
//   fenster/MainFrmLayout.cpp the designed controls
//   start/MainFrmLoad.cpp    the load handler
//   words/WortWahl.cpp       word database and word choice
//   game/Buchstabenbrett.cpp letter board
//   game/Buchstaben.cpp      letter keys and judging a letter
//   game/KaufenRaten.cpp     buying a letter, guessing the word
//   game/Spieler.cpp         turns and score display
//   game/Hilfe.cpp           hints
//   game/Satz.cpp            example sentence
//   game/NeuesSpiel.cpp      new game
//   hilfe/HtmlHelpMod.cpp    help and information windows
//   wheel/Rad.cpp            the wheel
//   timing/Anzeigen.cpp      lamps, menu group, guess-time meter
//   timing/Spielzeit.cpp     play-time bar
//   settings/EinstellFrm.cpp the menu command of the settings dialog
//   highscores/MeisterFrm.cpp the high-score menu command
//   start/Ende.cpp           quit question and program end
//   opponent/ComputerZug.cpp the computer's turn and its choice of letters
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "forms/Form.h"
#include "basis/GlobModul.h"
#include "basis/Datenverbindung.h"

namespace wx {

class Spiel;

// The letter board has this many cells; longer words cannot be played.
inline constexpr int kBrettZellen = 15;
// The number of cells a word takes on the board.
int brettLaenge(std::string_view wort);

class MainFrm : public Form {
public:
    MainFrm(Spiel& spiel);

    Spiel& spiel;
    GlobModul& g;

    // ---- controls (designed geometry in MainFrmLayout.cpp) ----
    MenuEintrag mnuDatei, mnuDateiNeu, mnuDateiStrich1, mnuDateiInfo, mnuDateiMeisterliste, mnuDateiStrich2,
        mnuDateiEnde;
    MenuEintrag mnuBearbeiten, mnuBearbEinstell;
    MenuEintrag mnuHilfe, mnuHilfeInfo, mnuHilfeStrich, mnuHilfeBedienung, mnuHilfeSpielregeln,
        mnuHilfeAktKat;

    Steuerelement drehenBtn, anhaltenBtn, WortRatenBtn, BstKaufBtn, showSatzBtn;
    std::array<Steuerelement, 30> bstBtn;

    Steuerelement LoesungFrm, KontextLbl;
    std::array<Steuerelement, kBrettZellen> BstLbl;
    Steuerelement ParaphrFrm, ParaphrLbl;
    Steuerelement Frame1, Frame4, SpNameLbl, Frame2;
    std::array<Steuerelement, 6> punkZiff;
    Steuerelement UebTitelFrame, UebTitelLabel, SatzBspLbl;
    Steuerelement Frame3;
    std::array<Steuerelement, 10> RadImg;
    Steuerelement Image2, RadStopMarke, WortRatenLampe, KaufenLampe, LampeGruenImg, LampeRotImg;
    Steuerelement vuRestZeitImage, vuRestZeitEinImg, vuRestZeitAusImg, Image1, RestZeitStand,
        UebBausteinImage;
    Steuerelement vuNadel, vuAchse, Line1, LinieOben, LinieUnten;

    Timer gradTimer, EnergTimer, RestZeitTimer;

    // Data connections: rdb on "WortListe" (filtered, on the current word),
    // phr on "SemSynt".
    Datenverbindung rdb, phr;

    // The window's own font, used to measure the example sentence.
    Schrift FormSchrift;

    // ---- round state ----
    int32_t StartZeit = 0;
    flag16 WortRatenModus = FALSCH;
    int16_t WortRatenStart = 0;
    int16_t FehlVersuche = 0;
    flag16 ComputerAmZug = FALSCH;
    int16_t RadPos = 0;
    std::array<int16_t, 10> RadWerte{};
    int32_t DrehStart = 0;
    // Guess time used since the last reset, 0 to 1000 (50 per tick of RestZeitTimer).
    int16_t RateZeitStand = 0;
    // Blunders of the weak computer in a row; kept for the whole run.
    int16_t PatzerZahl = 0;

    // The button the player needs next: "anhalten" while the wheel turns,
    // "drehen" when a spin is due, the first letter key when a letter is due.
    Steuerelement* fokusNachSperre() override;

    // ---- start-up ----
    // Runs the whole start-up; false when the game cannot start (the reason
    // has been shown in the message window).
    bool Form_Load();

    // ---- word source ----
    bool oeffneWortDatenbank(const std::string& pfad);
    bool setzeWortFilter();
    // Opens and filters the spelling database as oeffneWortDatenbank and
    // setzeWortFilter do, then closes the file: the records stay in memory.
    // False when the database cannot be read; gefiltert tells whether the
    // filter could be applied.
    bool ladeWortDatenbank(const std::string& pfad, bool& gefiltert);
    // Chooses the next word into aktWort, aktKontext, aktParaphrase; false
    // when the filtered list has no word.
    bool waehleWort();

    // ---- letter board ----
    void WortAufbauen();
    void zeigeLoesung();
    void sucheFarbIndex(const Farbe& farbe, int16_t& index) const;
    void versteckeSatz();
    void deckeAuf(int zelle);  // reveals one cell by the colour rule

    // ---- letters ----
    void Form_KeyPress(int16_t ansiCode);
    void bstBtn_Click(int16_t index);
    void pruefeBuchstabe(int16_t index);
    void setzeBuchstabenTasten(bool ein);

    // ---- buying, word guess ----
    void BstKaufBtn_Click();
    void kaufeBuchstabe();  // the purchase itself, also made by the computer
    void WortRatenBtn_Click();

    // ---- turns and scores ----
    void naechsterSpieler();
    void zeigePunkte();
    void updateSpielerPunkte();

    // ---- hints, sentence, new game ----
    void gibHilfe();
    void holeSatzBeispiel();
    int16_t SatzBreite();
    void uebernehmeSatzSchrift();
    void showSatzBtn_Click();
    void mnuDateiNeu_Click();
    void mnuBearbEinstell_Click();

    // ---- help and information windows ----
    void mnuDateiInfo_Click();
    void mnuHilfeInfo_Click();
    void mnuHilfeBedienung_Click();
    void mnuHilfeSpielregeln_Click();
    void mnuHilfeAktKat_Click();

    // ---- wheel ----
    void initRadWerte();
    void ladeRadBilder();
    void RadDrehen();
    void gradTimer_Timer();
    void RadStoppen();
    void drehenBtn_Click();
    void anhaltenBtn_Click();
    void warteSekunden(int16_t n);

    // ---- lamps, menus, meters ----
    void setzeLampe(int16_t lampe, bool an);
    void schalteMenues(bool an);
    void initVuRestZeit();
    void switchVuRestZeit(bool ein);
    void resetVuRestZeit();
    void EnergTimer_Timer();
    void benenneSpielzeit();  // the bar's name for a screen reader
    void RestZeitTimer_Timer();
    void drawVuZeiger(int16_t s);
    static double gradInRad(double grad);
    // (round(L cos), round(L sin)) of an angle in degrees, halves to even.
    static std::pair<int16_t, int16_t> polarZuXY(double L, double grad);

    // ---- the computer opponent ----
    // Chooses the computer's letter after its wheel stopped; true when its
    // turn is over, false when it spins again.
    bool simuliereComputerZug();

    // ---- quit question and program end ----
    void mnuDateiEnde_Click();
    void mnuDateiMeisterliste_Click();
    // Close request of the window; "nein" to the question keeps it open.
    void Form_Unload();
    void frageBeenden();
    // The orderly end: sound, pause, high scores, settings, help, audio, exit.
    // Runs at most once.
    void programmEnde();
    // The end asked for from outside (session end, SIGTERM): no question, and
    // no message that would wait for someone to press a button.
    void programmEndeVonAussen();
    bool EndeLaeuft = false;

private:
    bool frageOffen_ = false;
    bool endeVonAussen_ = false;

    void baueLayout();
    void verbindeEreignisse();
    int16_t wert() const { return RadWerte[static_cast<size_t>(RadPos)]; }
    // The score of the player on turn.
    int32_t& punkte() { return g.SpielerPunkte[static_cast<size_t>(g.aktSpieler)]; }
    // Shows the score of the player on turn in the digits and in the
    // game-info window.
    void zeigeUndMerkePunkte() {
        zeigePunkte();
        updateSpielerPunkte();
    }
    // Buying and the sentence cost the wheel's value: without enough points
    // neither is offered, and the buy lamp is red.
    void pruefeKaufAngebot();
    // After a purchase or the sentence: buy lamp red, only the spin button on.
    void zurueckZumDrehen();
    // The computer's move for a character that no letter key carries.
    bool computerOhneTaste();
    // Whether the expiry of the guess time has to wait for another window.
    bool ablaufMussWarten();

    // Positions of the filtered word list that have not been played yet,
    // kept beside BenutzteWoerter so that the forward search of the word
    // choice does not walk across played words one by one.
    struct WortIndex;
    std::shared_ptr<WortIndex> wortIndex_;
    void richteWortQuellenEin(const std::string& pfad);
};

// Name of the exercise unit's picture for a unit code ("LIP_" -> "BST_LIP.GIF").
std::string bausteinBildName(const std::string& code);

}  // namespace wx
