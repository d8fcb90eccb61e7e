#pragma once

#include "fall.h"
#include "params/arbeitnehmer.h"
#include "params/beitragssaetze.h"
#include "params/ergebniscodes.h"
#include "params/mini.h"

#include <array>
#include <cstdint>
#include <span>

namespace svp::engine {

// What each result code costs the employee (AN) and the employer (AG) in the month shown:
// the code fixes the regime (liable or not, who bears what), the law fixes the rates and the
// arithmetic. Computed for columns 0, 2 and 3 from the determined case; column 1 has no pay.

// How a code is paid, one kind per (row, code) in the rule table.
enum class Art : std::uint8_t {
    Ordentlich,  // O: half and half, employee-only parts on top
    Zuschuss,    // S: the employer's subsidy; the insured pays the contribution himself
    NurAG,       // E: the employer's half alone (pensioners beyond the age limit)
    Frei,        // X: exempt
    Pauschal,    // F: employer's flat rate of a mini-job
    Aufstockung, // T: flat rate plus the employee's top-up to the full RV rate
    Gleitzone,   // Z: the reduced employee share of the sliding zone
    SteuerAG,    // flat wage tax borne by the employer
    SteuerAN,    // flat wage tax passed on to the employee
    Keine,       // nothing due (certificate of non-assessment)
    Offen,       // not computed: "—"
};

// Why an amount shows "—". The numbers R1..R8 are those of the reason texts.
enum class Grund : std::uint8_t {
    Keiner = 0,
    LohnsteuerIndividuell = 1, // R1
    LautEingabe = 2,           // R2
    UmlageKasse = 3,           // R3
    Unfallversicherung = 4,    // R4
    PrivatVersichert = 5,      // R5
    Selbstzahler = 6,          // R6
    KeinEntgelt = 7,           // R7
    InsolvenzVor2009 = 8,      // R8
};

// Hints that stand beside the amount they concern: H1..H7 where a default stood in for a
// missing employee datum, G1..G6 where the law treats the case differently from its code.
enum class Hinweis : std::uint8_t {
    ElternNichtAngegeben,     // H1
    GeburtsdatumFehlt,        // H2
    KVSatzFehlt,              // H3
    ErmaessigterSatzFehlt,    // H4
    RechtskreisFehlt,         // H5
    U1NichtAngegeben,         // H6
    ErmaessigtNichtAngegeben, // H7
    RentnerPVPflichtig,       // G1
    StudentAVFrei,            // G2
    StudentMinijob,           // G3
    MitHauptZusammenrechnen,  // G4
    Geringverdiener,          // G5
    BundeslandFehlt,          // G6
};
inline constexpr int AnzahlHinweise = 13;

// The hints of one line, as a set.
class Hinweise
{
public:
    constexpr void setzen(Hinweis h) { m_bits = static_cast<std::uint16_t>(m_bits | bit(h)); }
    constexpr bool hat(Hinweis h) const { return (m_bits & bit(h)) != 0; }
    constexpr bool leer() const { return m_bits == 0; }
    friend constexpr bool operator==(Hinweise, Hinweise) = default;

private:
    static constexpr std::uint16_t bit(Hinweis h)
    {
        return static_cast<std::uint16_t>(1u << static_cast<int>(h));
    }
    std::uint16_t m_bits = 0;
};

// The German texts, verbatim; "R1".."R8", "H1".."G6" as the auditor's record names them.
const char* text(Grund grund); // "" for Grund::Keiner
const char* text(Hinweis hinweis);
const char* kennung(Grund grund);
const char* kennung(Hinweis hinweis);
// Beside a total in which a "—" counted 0.
inline constexpr const char* ZzglText = "zzgl. nicht berechneter Posten";
// What the base is, for the help.
inline constexpr const char* EinmalzahlungText =
    "Urlaubs- und Weihnachtsgeld zählen nur für den Monatsdurchschnitt der Beurteilung. Die Beiträge "
    "werden aus dem laufenden Monatslohn des gezeigten Monats berechnet.";

// An amount, or "—" where it is not computed.
struct Betrag {
    Currency wert;
    bool berechnet = true;
    friend bool operator==(const Betrag&, const Betrag&) = default;
};

// One branch line of a column (wage tax, KV, PV, RV, AV). Rates are percent on the Currency
// scale; where a share is "—", `grund` says why (or, for a zone KV line without a state, the
// hint G6 does).
// The members of one byte stand together at the end, where they share the padding: a fresh
// result is copied for every determination.
struct Posten {
    Betrag an, ag;
    Currency grundlage;  // base of the shares: the pay after the ceiling, or the pay
    Currency be;         // base of the total: BE_c in the sliding zone, 155,00 under the
                         // minimum base of a top-up; else the same as `grundlage`
    Currency satz;       // full rate of the branch (flat rate, tax rate)
    Currency satzAG;     // the employer's rate
    Currency zuschlagAN; // the employee-only rate: KV 0,9, PV childless 0,25
    Currency nurAN;      // the employee-only part, included in `an` (in `ag` for a Geringverdiener)
    Art art = Art::Offen;
    Grund grund = Grund::Keiner;
    Hinweise hinweise;
};

// The employer's levies of a column.
enum Umlageart { U1, U2, Insolvenzgeld, UV, AnzahlUmlagen };
struct Umlage {
    Betrag ag;
    Currency grundlage;
    Currency satz;
    Grund grund = Grund::Keiner;
    Hinweise hinweise;
};

// Totals; `...Zzgl` marks "zzgl. nicht berechneter Posten" where a "—" counted 0.
struct Summe {
    Betrag an, ag;
    Betrag kosten; // pay + AG total: what the employment costs the employer in the month
    bool anZzgl = false;
    bool agZzgl = false;
};

inline constexpr int AnzahlPosten = ZeileAV - ZeileLSt + 1;

struct Spalte {
    Currency entgelt; // AE: the month's regular pay
    bool minijob = false;
    bool haushalt = false;
    std::array<Posten, AnzahlPosten> posten{};
    std::array<Umlage, AnzahlUmlagen> umlagen{};
    Summe summe;

    const Posten& zeile(int z) const { return posten[static_cast<std::size_t>(z - ZeileLSt)]; }
};

// The ceiling and sliding-zone arithmetic of one branch (KV, PV, RV, AV), for the record.
struct Zweigrechnung {
    Currency grenze;       // C, the ceiling that applied
    Currency gekappt;      // A, the pays of the ceiling group after their own cap
    Currency gleitEntgelt; // GE, the pays of the zone columns
    Currency gleitBE;      // BE_total
};

// Where the general KV rate of the ordinary and zone lines came from.
enum class KVQuelle : std::uint8_t { Einheitssatz, Kasse, Ergebnistext };

struct Beitraege {
    const params::Beitragssaetze* saetze = nullptr; // none: the month lies outside 2006-2010
    bool rechtskreisOst = false;
    KVQuelle kvQuelle = KVQuelle::Ergebnistext;
    std::array<Spalte, Spalten> spalten{};
    std::array<Zweigrechnung, 4> zweige{}; // KV, PV, RV, AV: index zeile - ZeileKV
    Summe summe;                           // the case: columns 0 + 2 + 3

    const Spalte& spalte(int c) const { return spalten[static_cast<std::size_t>(c)]; }
    const Posten& posten(int c, int zeile) const { return spalte(c).zeile(zeile); }
};

// The computation of the case as the determination left it (its codes, pays and
// Monatsdurchschnitt), in the state and month of `mini`, with the employee's data. Runs in
// constant time on the stack; allocates nothing.
Beitraege beitraegeBerechnen(const params::Mini& mini, const Fall& fall, const params::Arbeitnehmerdaten& an);
// The same into `ziel`, whatever it held: no copy of the whole result per determination.
void beitraegeBerechnen(const params::Mini& mini, const Fall& fall, const params::Arbeitnehmerdaten& an,
                        Beitraege& ziel);

// --- The rule table --------------------------------------------------------------------------

// Which employer flat rate a code of kind F or T takes.
enum class Pauschale : std::uint8_t { Keine, MiniKV, HaushaltKV, KV122, MiniRV, HaushaltRV };

// Properties of a code beyond its kind.
namespace merkmal {
inline constexpr std::uint8_t Minijob = 1;   // RV 2, 3, 11, 12: the column is a mini-job
inline constexpr std::uint8_t Haushalt = 2;  // RV 11, 12: in a private household
inline constexpr std::uint8_t RVVoll = 4;    // RV 8, 10: full RV in the sliding zone
inline constexpr std::uint8_t SachsenPV = 8; // PV 2, 3: Sachsen's split
} // namespace merkmal

struct Regel {
    Art art = Art::Offen;
    Grund grund = Grund::Keiner; // of kind Offen
    Pauschale pauschale = Pauschale::Keine;
    std::uint8_t merkmale = 0;
};

// A run of codes of one row that share a rule: von, von + schritt, ... bis.
struct Regelbereich {
    int zeile;
    params::Code von, bis;
    int schritt;
    Regel regel;
};

// The table itself, for the check that every code of every row has exactly one rule.
std::span<const Regelbereich> regelbereiche();

// The rule of `code` in row `zeile` (36..40); nullptr outside the row's codes.
const Regel* regel(int zeile, int code);

// The highest code of a row (36..40), as the text tables bound them.
int hoechsterCode(int zeile);

} // namespace svp::engine
