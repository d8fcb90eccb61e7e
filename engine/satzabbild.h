#pragma once

#include "ansicht.h"
#include "fall.h"
#include "store/datensatz.h"
#include "wiederherstellung.h"

namespace svp::engine {

// The month's case as saving writes it into the record: the inputs from the case, the two
// health-insurance groups and the two RV checks as the window shows them.
store::Eintrag eintragAus(const Fall& fall, const Ansicht& ansicht);
// The same into `ziel`, whose texts keep their room.
void eintragAus(const Fall& fall, const Ansicht& ansicht, store::Eintrag& ziel);

// The result codes of rows 37..40 as the record holds them: code (c, r) at c + 4 x (r - 37).
std::array<std::int16_t, 16> ergebniscodesAus(const Ergebniscode& ergebnis);

// The inputs of the case that a record holds. Of each pair of twin fields (HBKV and GBKV, HR
// and GBCheck) the later one counts, as the window's twin handlers leave the case after
// restoring them in the order of the record.
Eingabewerte eingabenAus(const store::Eintrag& eintrag);

// Restoring (`svreinholen`): the employer names, every input of the record into the case and
// the controls that show it (wiederherstellen) and the carried slot. The determination is not
// run.
void eintragZeigen(const store::Eintrag& eintrag, Fall& fall, Ansicht& ansicht);

} // namespace svp::engine
