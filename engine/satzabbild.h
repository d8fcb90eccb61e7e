#pragma once

#include "ansicht.h"
#include "fall.h"
#include "store/datensatz.h"

namespace svp::engine {

// The option groups and check boxes that a record fills.
enum class Optionsgruppe { HBOpt, HBKV, Schueler, KBopt, GBKV };
enum class Kaestchen { HBCheck, HR, KBCheck, GBCheck, priv };

// How restoring a case sets a control from the program: the control shows the value and, when
// that changes it, its handler runs as in the window (which honours `Einlesen`).
class Steuerelemente
{
public:
    virtual ~Steuerelemente() = default;
    virtual void optionWaehlen(Optionsgruppe gruppe, int index) = 0;
    // `index` addresses the member of a group (KBCheck 0..2, GBCheck 1, priv 1..2).
    virtual void kaestchenSetzen(Kaestchen kaestchen, int index, bool checked) = 0;
};

// The month's case as saving writes it into the record: the inputs from the case, the two
// health-insurance groups and the two RV checks as the window shows them.
store::Eintrag eintragAus(const Fall& fall, const Ansicht& ansicht);

// The result codes of rows 37..40 as the record holds them: code (c, r) at c + 4 x (r - 37).
std::array<std::int16_t, 16> ergebniscodesAus(const Ergebniscode& ergebnis);

// Restoring (`svreinholen`): every value of the record into the case and into the control that
// shows it, in the order of the record. The determination is not run.
void eintragZeigen(const store::Eintrag& eintrag, Fall& fall, Ansicht& ansicht,
                   Steuerelemente& steuerelemente);

} // namespace svp::engine
