// What the benchmarks run on: a platform that does nothing visible, and a
// large spelling database in an installation folder of its own.
//
// The database holds 100,000 words. The game keeps reference numbers and the
// word count of a unit in 16 bits (int16_t, as the framework's files do), so
// one unit can hold at most 32,767 words with distinct numbers. RefNr runs
// from 1 to 100,000 in the file (a wider key, as a large framework file would
// need); the unit the benchmarks play, LIP_, is the 32,000 words with RefNr up
// to 32,000, spread over the whole table (rows are written in shuffled order),
// so filtering really has to look at every row. The other units and the
// basic-vocabulary flag are set at random.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Plattform.h"

namespace wx::bench {

inline constexpr int kWoerter = 100000;
inline constexpr int kEinheitWoerter = 32000;  // RefNr 1..32000 are in LIP_

class StillePlattform : public Plattform {
public:
    double tageszeit() override { return 36000.0; }
    Datum heute() override { return {2026, 12, 6}; }
    void zeigeModal(Form& form) override;
    void zeigeModeless(Form&) override {}
    void jetztZeichnen() override {}
    void beginnePause() override {}
    void schlafe(double) override {}
    void beendePause() override {}
    TextGroesse textGroesse(const std::string& text, const Schrift& schrift) override;
    void spieleWav(const std::string&, bool) override {}
    void schliesseAudio() override {}
    void hilfe(const std::string&, int, int32_t) override {}
    void neuSaeen() override {}
    double zufall() override {
        lcg_ = lcg_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(lcg_ >> 11) / 9007199254740992.0;
    }
    void beenden() override {}

private:
    uint64_t lcg_ = 20261206;
};

// The installation folder with Kelmo.ini, Kelmo.tsp, the players' record
// files (20 error words for the first player) and Kelmo-D.mdb; made on first
// use and removed at the end of the program.
const std::string& installation();
std::string datenbank();

}  // namespace wx::bench
