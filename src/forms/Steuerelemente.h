// The controls of the game's windows, as plain data.
//
// Every window of the game is a form model: a class whose controls are data
// members carrying the names the game uses (drehenBtn, BstLbl[15] ...). The
// routines of the game read and write these fields directly; the front builds
// real widgets from them and, after each event, brings the widgets up to date
// with whatever changed. Positions and sizes are in twips (1/1440 inch; 15
// twips are one pixel at 96 dpi), relative to the container.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wx {

struct Farbe {
    int16_t r = 0, g = 0, b = 0;
    friend bool operator==(const Farbe&, const Farbe&) = default;
};

inline constexpr Farbe kWeiss{255, 255, 255};
inline constexpr Farbe kSchwarz{0, 0, 0};
inline constexpr Farbe kBlau{0, 0, 255};
inline constexpr Farbe kRot{255, 0, 0};
inline constexpr Farbe kGelb{255, 255, 0};
inline constexpr Farbe kGrau{128, 128, 128};
inline constexpr Farbe kFensterGrund{212, 208, 200};  // classic button face

struct Schrift {
    std::string name = "MS Sans Serif";
    double groesse = 8.25;  // points
    bool fett = false;
    bool kursiv = false;
    friend bool operator==(const Schrift&, const Schrift&) = default;
};

enum class Art { Label, Button, CheckBox, Option, SpinBox, Frame, Image, Line, Shape };
enum class Ausrichtung { Links, Mitte, Rechts };

// What a control shows: everything the front draws, and nothing else. The
// front keeps the copy it applied last and compares it with the control
// after each event; a field added here takes part in that comparison by
// itself.
struct Anzeige {
    int32_t left = 0, top = 0, width = 0, height = 0;  // twips, relative to the container
    bool visible = true;
    bool enabled = true;

    std::string caption;
    Schrift schrift;
    Farbe vorder = kSchwarz;
    Farbe hinter = kFensterGrund;
    bool transparent = false;  // labels: no background of their own
    bool wortUmbruch = false;  // labels: wrap long captions
    bool rahmen = false;       // labels: thin single border
    Ausrichtung ausrichtung = Ausrichtung::Links;
    bool ohneRahmen = false;  // frames: no border and no caption

    // What a screen reader says for the control; empty: its caption.
    std::string zugangsName;

    // check boxes, option buttons, spin boxes
    int wert = 0;
    int minimum = 0, maximum = 999;  // spin boxes: the range of wert

    // images: a picture file (absolute path) or a built-in picture ("@name")
    std::string bild;
    bool strecken = false;

    // lines: from (x1, y1) to (x2, y2); shapes: the box above is the circle
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int linienBreite = 1;
    bool gefuellt = false;

    // buttons
    bool standardKnopf = false;  // Enter presses it

    friend bool operator==(const Anzeige&, const Anzeige&) = default;
};

// One control: what it shows, plus its identity and its behaviour. Only the
// fields that matter for its kind are used; the others keep their defaults.
struct Steuerelement : Anzeige {
    Art art = Art::Label;
    std::string name;
    int index = -1;                      // position in a control array, -1 if none
    Steuerelement* container = nullptr;  // frame the control sits in, nullptr = window

    bool autoSize = false;  // labels: take the size of the caption when it is set
    int helpId = 0;

    std::function<void()> beiKlick;

    const Anzeige& anzeige() const { return *this; }
};

struct Timer {
    std::string name;
    int intervall = 0;  // milliseconds
    bool enabled = false;
    std::function<void()> beiTick;
};

struct MenuEintrag {
    std::string name;
    std::string caption;  // "-" for a separator
    bool enabled = true;
    bool visible = true;
    int helpId = 0;
    std::vector<MenuEintrag*> eintraege;  // for a menu title: its items
    std::function<void()> beiKlick;
    bool istTrenner() const { return caption == "-"; }
};

}  // namespace wx
