#include "forms/Form.h"

namespace wx {

Form::Form(Plattform& plattform, std::string n) : name(std::move(n)), plattform_(plattform) {}

void Form::zeigeModal() {
    visible = true;
    modal = true;
    plattform_.zeigeModal(*this);
    modal = false;
}

void Form::zeigeModeless() {
    visible = true;
    plattform_.zeigeModeless(*this);
}

// Lines of a word-wrapped caption at a fixed width: words are put on a line
// while they fit; a word wider than the line stands on a line of its own.
int Form::umbrocheneZeilen(const std::string& text, const Schrift& schrift, int32_t breite) {
    int zeilen = 0;
    size_t start = 0;
    while (true) {
        const size_t ende = text.find('\r', start);
        const std::string absatz =
            text.substr(start, ende == std::string::npos ? std::string::npos : ende - start);
        std::string zeile;
        size_t pos = 0;
        ++zeilen;
        while (pos < absatz.size()) {
            size_t naechster = absatz.find(' ', pos);
            if (naechster == std::string::npos) naechster = absatz.size();
            const std::string wort = absatz.substr(pos, naechster - pos);
            const std::string probe = zeile.empty() ? wort : zeile + " " + wort;
            if (!zeile.empty() && plattform_.textGroesse(probe, schrift).breite > breite) {
                ++zeilen;
                zeile = wort;
            } else {
                zeile = probe;
            }
            pos = naechster + 1;
        }
        if (ende == std::string::npos) break;
        start = ende + 1;
    }
    return zeilen;
}

void Form::passeGroesseAn(Steuerelement& s) {
    if (!s.autoSize || s.art != Art::Label) return;
    if (s.wortUmbruch) {
        // A wrapping label keeps its width and grows or shrinks in height.
        const int32_t zeile = plattform_.textGroesse("X", s.schrift).hoehe;
        s.height = zeile * umbrocheneZeilen(s.caption, s.schrift, s.width);
        return;
    }
    const TextGroesse g = plattform_.textGroesse(s.caption, s.schrift);
    s.width = g.breite;
    s.height = g.hoehe;
}

void Form::setzeCaption(Steuerelement& s, const std::string& text) {
    s.caption = text;
    passeGroesseAn(s);
}

void Form::setzeSchrift(Steuerelement& s, const Schrift& schrift) {
    s.schrift = schrift;
    passeGroesseAn(s);
}

void Form::setzeFokus(Steuerelement& s) {
    fokus = &s;
    ++fokusZaehler;
}

int32_t Form::absLeft(const Steuerelement& s) {
    int32_t x = s.left;
    for (auto* c = s.container; c; c = c->container) x += c->left;
    return x;
}

int32_t Form::absTop(const Steuerelement& s) {
    int32_t y = s.top;
    for (auto* c = s.container; c; c = c->container) y += c->top;
    return y;
}

Steuerelement& Form::neu(Steuerelement& s, Art art, const std::string& n, Steuerelement* container,
                         int32_t left, int32_t top, int32_t width, int32_t height, int index) {
    s.art = art;
    s.name = n;
    s.index = index;
    s.container = container;
    s.left = left;
    s.top = top;
    s.width = width;
    s.height = height;
    steuerelemente.push_back(&s);
    return s;
}

void Form::neuerTimer(Timer& t, const std::string& n, int intervall) {
    t.name = n;
    t.intervall = intervall;
    t.enabled = false;
    timer.push_back(&t);
}

}  // namespace wx
