// A platform for tests: a virtual clock, timers fired in time order, modal
// windows answered by a script, and text sizes from a simple formula.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "platform/Plattform.h"

namespace wx::test {

class VirtuellePlattform : public Plattform {
public:
    // Absolute virtual seconds; the time of day is this modulo one day.
    double zeit = 10 * 3600.0;
    Datum datum{2026, 12, 6};

    // --- time ---
    double tageszeit() override;
    Datum heute() override { return datum; }
    // Advances the clock by sekunden, firing every enabled timer of the forms
    // seen so far whenever it is due, in time order.
    void laufe(double sekunden);
    void beobachte(Form& form);

    // --- modal windows ---
    // The next time a form of this name is shown modally, antwort runs on it;
    // it must hide the form (press a button), or the test fails.
    void wennModal(const std::string& formName, std::function<void(Form&)> antwort);
    // Shortcut: press the button with that control name ("Btn1", "Btn2").
    void wennModalDruecke(const std::string& formName, const std::string& knopf);
    std::vector<std::string> modalGezeigt;  // names of forms shown modally, in order
    std::vector<std::string> modelessGezeigt;
    void zeigeModal(Form& form) override;
    void zeigeModeless(Form& form) override;

    // --- screen ---
    int jetztGezeichnet = 0;
    void jetztZeichnen() override { ++jetztGezeichnet; }

    // --- pauses: the clock moves, nothing fires ---
    int pausen = 0;
    double verschlafen = 0;
    std::function<void()> beiPause;  // runs as a pause begins: the screen as it stands
    void beginnePause() override {
        ++pausen;
        if (beiPause) beiPause();
    }
    void schlafe(double sekunden) override;
    void beendePause() override {}

    // --- text: width = letters * points * 10, height = lines * points * 25 (twips)
    TextGroesse textGroesse(const std::string& text, const Schrift& schrift) override;

    // --- sound and help ---
    std::vector<std::string> wavs;  // paths played, "(warten)" appended when waited for
    bool audioGeschlossen = false;
    void spieleWav(const std::string& pfad, bool warten) override;
    void schliesseAudio() override { audioGeschlossen = true; }
    struct HilfeAufruf {
        std::string datei;
        int befehl;
        int32_t kontext;
    };
    std::vector<HilfeAufruf> hilfeAufrufe;
    void hilfe(const std::string& datei, int befehl, int32_t kontext) override {
        hilfeAufrufe.push_back({datei, befehl, kontext});
    }

    // --- random numbers: queued values first, then a fixed pseudo-random run
    void zufallsWerte(std::initializer_list<double> werte) { zufall_.insert(zufall_.end(), werte); }
    void neuSaeen() override {}
    double zufall() override;
    int zufallsZuege = 0;

    bool beendet = false;
    void beenden() override { beendet = true; }

private:
    struct Skript {
        std::string form;
        std::function<void(Form&)> antwort;
    };
    std::deque<Skript> skripte_;
    std::deque<double> zufall_;
    unsigned long long lcg_ = 12345;
    std::vector<Form*> formen_;
    std::map<Timer*, double> faellig_;
    std::map<Timer*, int> intervalle_;  // interval each running timer was counted with
    void pruefeTimer();
};

// Text size by the formula above, usable in expectations.
int32_t testBreite(const std::string& text, double punkte);

}  // namespace wx::test
