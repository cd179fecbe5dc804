// The high-score list ("Meisterliste"): the ten best scores of this game in
// the small database "Meister.mdb" of the user folder, and the window that
// shows them, best first.
//
// Rows carry the name of the program they belong to; this game counts, shows
// and deletes only its own rows ("Wirbelix"). The database is open only for
// one operation at a time; an insertion together with the removal of the row
// it pushes out is one transaction, so a list interrupted at any moment holds
// either the old or the new ten rows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "forms/Form.h"

namespace wx {

class Spiel;

// One entry to be stored.
struct MeisterEintrag {
    std::string Name;
    std::string Programm;
    std::string Datum;
    int32_t Punkte = 0;
};

class MeisterFrm : public Form {
public:
    explicit MeisterFrm(Spiel& spiel);
    ~MeisterFrm() override;

    Steuerelement Frame1, Label5, Label6, Label7, lfdNrLbl, MstNameLbl, DatLbl, PunkteLbl, okBtn;

    // Offers the score of every player with more than zero points. False when
    // the database failed; Fehler then tells why, and the remaining players
    // are not tried.
    bool updateMeister();
    // Stores one entry under the ten-per-program rule; false when the
    // database failed (nothing of this entry is stored then).
    bool trageMeisterEin(const MeisterEintrag& eintrag);

    // Fills the four columns from the database; false when it cannot be read.
    bool Form_Load();
    // The menu command: fills the list and shows the window modally, or tells
    // why the list cannot be shown; the game goes on either way.
    void zeigeModalMitListe();
    void okBtn_Click() { verstecke(); }

    // ---- database helpers: each works on the connection MstDb ----
    bool oeffneMeisterTabelle();
    bool oeffneMeisterListe();
    void schliesseMeisterDb();
    int16_t zaehleEintraege(const MeisterEintrag& eintrag);
    int32_t kleinstePunkte(const MeisterEintrag& eintrag);
    void fuegeEintragHinzu(const MeisterEintrag& eintrag);
    void loescheEintrag(const MeisterEintrag& eintrag, int32_t p);
    void zeigeMeisterliste();

    // Full path of "Meister.mdb" in the user folder.
    std::string dateiName() const;
    // Today's date in the German short form, "06.12.2026".
    std::string heuteAlsText();

    // German reason of the last database failure, empty when none.
    std::string Fehler;

    // For tests: runs inside the insertion's transaction, after the new row
    // has been added and before the lowest one is removed.
    std::function<void()> nachHinzufuegen;

    struct MeisterDb;
    std::unique_ptr<MeisterDb> MstDb;

private:
    Spiel& spiel_;
};

}  // namespace wx
