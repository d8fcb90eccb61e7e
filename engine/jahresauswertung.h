#pragma once

#include "ansicht.h"
#include "beitraege.h"
#include "fall.h"
#include "params/arbeitnehmer.h"
#include "params/mini.h"
#include "store/ablage.h"
#include "store/datensatz.h"

#include <array>
#include <filesystem>
#include <memory>

namespace svp::engine {

// One stored month as the window shows it after the user switched to it: the month's record
// read, its state taken, the case restored into the controls and determined once more, on
// objects of its own, so that an open window is not disturbed.
struct Monatsfall {
    int jahr = 0;
    int monat = 0;            // month index 0..11
    int land = 0;             // state index 0..15, as the record names it
    bool gespeichert = false; // false: the record still holds the default case of a new file
    bool beschaedigt = false; // the record held values this program never writes (read as defaults)
                              // or was cut off in a short file
    params::Mini mini;
    Fall fall;
    Ansicht ansicht;
    params::Arbeitnehmerdaten arbeitnehmer; // the employee's data the month was determined with
    Beitraege beitraege;                    // the contribution amounts of that determination
};

// The twelve months of one year file, read once and determined month by month. Nothing on
// disk is created or changed.
struct Jahresauswertung {
    int jahr = 0;
    bool dateiVorhanden = false; // false: a missing file, read as twelve default months
    std::array<std::unique_ptr<Monatsfall>, params::AnzahlMonate> monate;

    const Monatsfall& monat(int index) const { return *monate[static_cast<std::size_t>(index)]; }
};

// A record that was never saved: it still holds the default case of a new file.
bool nieGespeichert(const store::Datensatz& satz);

// The month switch of the window on a record read from the year file of `jahr`.
// `daten`: the employee's data, as the window's controller holds them.
std::unique_ptr<Monatsfall> monatAuswerten(const store::Datensatz& satz, int jahr, int monat,
                                           const params::Arbeitnehmerdaten& daten = {});

// The year file of `jahr` in the working folder `verzeichnis`. A missing file reads as twelve
// default months; a file that cannot be read gives the error of the record files.
store::Ergebnis<Jahresauswertung> jahrAuswerten(const std::filesystem::path& verzeichnis, int jahr,
                                                const params::Arbeitnehmerdaten& daten = {});

// The same for a record file under any name, holding the months of `jahr`.
store::Ergebnis<Jahresauswertung> satzdateiAuswerten(const std::filesystem::path& datei, int jahr,
                                                     const params::Arbeitnehmerdaten& daten = {});

// Whether a column holds a case: an employer named other than the placeholder of a new window,
// an amount other than 0 (the main employment's pay, a mini-job's pay or bonuses), or a choice
// of the column differing from a new window's. The shared health insurance and the pension
// waiver count for the main employment.
bool spalteErfasst(const Fall& fall, const Ansicht& ansicht, int spalte);

} // namespace svp::engine
