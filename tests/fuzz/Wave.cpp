// The header of a wave file.
#include "FuzzHilfe.h"
#include "basis/Wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const auto kopf = wx::leseWavKopf(wx::fuzz::alsText(daten, groesse));
    if (!kopf) return 0;
    wx::fuzz::verlange(kopf->blockGroesse > 0 && kopf->kanaele > 0, "empty sample");
    wx::fuzz::verlange(kopf->datenAnfang + kopf->datenLaenge <= groesse, "samples beyond the file");
    wx::fuzz::verlange(kopf->datenLaenge % kopf->blockGroesse == 0, "part of a sample");
    wx::fuzz::verlange(kopf->dauerMs() >= 0, "negative playing time");
    return 0;
}
