#include "VirtuellePlattform.h"

#include <algorithm>
#include <cmath>

#include "basis/Text.h"

namespace wx::test {

double VirtuellePlattform::tageszeit() { return std::fmod(zeit, 86400.0); }

void VirtuellePlattform::beobachte(Form& form) {
    if (std::find(formen_.begin(), formen_.end(), &form) == formen_.end()) formen_.push_back(&form);
}

void VirtuellePlattform::pruefeTimer() {
    for (Form* f : formen_) {
        for (Timer* t : f->timer) {
            const bool laeuft = t->enabled && t->intervall > 0;
            const auto it = faellig_.find(t);
            if (laeuft && it == faellig_.end()) faellig_[t] = zeit + t->intervall / 1000.0;
            if (!laeuft && it != faellig_.end()) faellig_.erase(it);
            // A new interval starts the count again, as with a real timer.
            if (laeuft && intervalle_[t] != t->intervall) {
                if (it != faellig_.end()) faellig_[t] = zeit + t->intervall / 1000.0;
                intervalle_[t] = t->intervall;
            }
        }
    }
}

void VirtuellePlattform::laufe(double sekunden) {
    const double ende = zeit + sekunden;
    while (true) {
        pruefeTimer();
        Timer* naechster = nullptr;
        double wann = ende;
        for (const auto& [t, f] : faellig_) {
            if (f <= wann) {
                wann = f;
                naechster = t;
            }
        }
        if (!naechster) break;
        zeit = std::max(zeit, wann);
        faellig_[naechster] = zeit + naechster->intervall / 1000.0;
        if (naechster->beiTick) naechster->beiTick();
    }
    zeit = std::max(zeit, ende);
}

void VirtuellePlattform::wennModal(const std::string& formName, std::function<void(Form&)> antwort) {
    skripte_.push_back({formName, std::move(antwort)});
}

void VirtuellePlattform::wennModalDruecke(const std::string& formName, const std::string& knopf) {
    wennModal(formName, [knopf](Form& f) {
        for (auto* s : f.steuerelemente) {
            if (s->name == knopf && s->beiKlick) {
                s->beiKlick();
                return;
            }
        }
        throw std::runtime_error("no button " + knopf + " on " + f.name);
    });
}

void VirtuellePlattform::zeigeModal(Form& form) {
    beobachte(form);
    modalGezeigt.push_back(form.name);
    if (skripte_.empty() || skripte_.front().form != form.name)
        throw std::runtime_error("modal window " + form.name + " shown, but no answer was scripted");
    auto antwort = std::move(skripte_.front().antwort);
    skripte_.pop_front();
    antwort(form);
    if (form.visible) throw std::runtime_error("modal window " + form.name + " was left open");
}

void VirtuellePlattform::zeigeModeless(Form& form) {
    beobachte(form);
    modelessGezeigt.push_back(form.name);
}

void VirtuellePlattform::schlafe(double sekunden) {
    zeit += sekunden;
    verschlafen += sekunden;
}

int32_t testBreite(const std::string& text, double punkte) {
    int breitest = 0, aktuell = 0;
    for (const auto& z : zeichen(text)) {
        if (z == "\r") {
            aktuell = 0;
            continue;
        }
        breitest = std::max(breitest, ++aktuell);
    }
    return static_cast<int32_t>(runde(breitest * punkte * 10));
}

TextGroesse VirtuellePlattform::textGroesse(const std::string& text, const Schrift& schrift) {
    const int zeilen = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\r'));
    return {testBreite(text, schrift.groesse), static_cast<int32_t>(runde(zeilen * schrift.groesse * 25))};
}

void VirtuellePlattform::spieleWav(const std::string& pfad, bool warten) {
    wavs.push_back(warten ? pfad + "(warten)" : pfad);
}

double VirtuellePlattform::zufall() {
    ++zufallsZuege;
    if (!zufall_.empty()) {
        const double r = zufall_.front();
        zufall_.pop_front();
        return r;
    }
    lcg_ = lcg_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(lcg_ >> 11) / 9007199254740992.0;
}

}  // namespace wx::test
