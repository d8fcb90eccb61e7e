#pragma once

#include "jahresauswertung.h"
#include "params/arbeitnehmer.h"
#include "params/currency.h"
#include "store/ablage.h"
#include "store/arbeitnehmerverzeichnis.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace svp::engine {

// One stored month of the year file of `jahr` in the folder `ordner`, as the window shows it
// after switching to it: only the month's record is read. A missing file reads as a month never
// saved; a file that holds the month cut short or not at all marks it damaged.
store::Ergebnis<std::unique_ptr<Monatsfall>> monatLesen(const std::filesystem::path& ordner, int jahr,
                                                        int monat,
                                                        const params::Arbeitnehmerdaten& daten = {});

// The state of a month's record as the month list names it.
enum class Satzstand { Gespeichert, NieGespeichert, Beschaedigt };

// "gespeichert", "nie gespeichert", "beschädigt".
const char* satzstandText(Satzstand stand);

// One employee's row of the month list: who, the month's case as the window would show it,
// and what needs a look.
struct Monatszeile {
    std::string ordnername; // below the data root; empty for the root itself
    bool wurzel = false;
    std::string name;           // as the employee list shows it
    std::string personalnummer; // empty when not given
    // Why the employee's data file or year file could not be read (German); the row then has no
    // case.
    std::string fehler;
    std::unique_ptr<Monatsfall> fall;

    // The marks: the total pay lies in the sliding zone; a mini-job's monthly average is above
    // the limit of 400,00 €; the month was never saved; its record is damaged.
    bool gleitzone = false;
    bool ueberGrenze = false;
    bool nieGespeichert = false;
    bool beschaedigt = false;

    Satzstand stand() const;
    // Whether the row needs a look: any mark, or a file that could not be read.
    bool zuPruefen() const;
    // The month's pay of the main employment and the two mini-job columns, as the window shows
    // them (short-term employment has no pay of its own); zero without a case.
    std::array<params::Currency, 3> entgelte() const;
};

// The limit above which a mini-job's monthly average is marked.
inline constexpr params::Currency Geringfuegigkeitsgrenze = params::Currency::fromWhole(400);

// The month list of year `jahr`, month index `monat`, one row per listed employee in the
// order given. Each employee's data as listed; reads one record per employee and nothing else.
std::vector<Monatszeile> monatslisteBilden(const std::vector<store::Arbeitnehmereintrag>& eintraege, int jahr,
                                           int monat);

// Only the rows that need a look.
std::vector<const Monatszeile*> zuPruefende(const std::vector<Monatszeile>& zeilen);

} // namespace svp::engine
