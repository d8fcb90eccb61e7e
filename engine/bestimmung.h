#pragma once

#include "ansicht.h"
#include "beitraege.h"
#include "fall.h"
#include "params/arbeitnehmer.h"
#include "params/mini.h"

#include <cstdint>
#include <string>

namespace svp::engine {

// Limits of the determination, exact on the currency scale. 400.00 and 400.01 (and 800.00
// and 800.01) are distinct thresholds: an amount of 400.005 lies below 400.01 and above
// 400.00, and each rule names the one it means.
namespace grenze {
inline constexpr Currency Null = Currency::fromRaw(0);
inline constexpr Currency Eins = Currency::fromWhole(1);               // 1.00
inline constexpr Currency MiniGrenze = Currency::fromCents(40000);     // 400.00, mini-job limit
inline constexpr Currency GleitBeginn = Currency::fromCents(40001);    // 400.01, start of the sliding zone
inline constexpr Currency MehrfachGrenze = Currency::fromCents(40010); // 400.10, several jobs together
inline constexpr Currency GleitEnde = Currency::fromCents(80000);      // 800.00, end of the sliding zone
inline constexpr Currency UeberGleit = Currency::fromCents(80001);     // 800.01
} // namespace grenze

// The sliding-zone case in words, as the printed record and the year overview show it. Only a
// total pay from 400.01 to 800.00 lies in the sliding zone; `Gleitfall` then tells whether it is
// the only employment there or one of several (the special calculation). Outside the zone the
// variant the determination computed anyway is no case of its own: "nein".
std::string gleitzoneInWorten(const Fall& fall);

// After the short-term check box i changed: "berufsmäßig" (box 2 and its icon) is asked only of
// an employment above 400 Euro that is not regular.
void berufsmaessigFragen(Ansicht& ansicht, int i);

namespace status = params::status;
namespace schuelerart = params::schuelerart;
namespace kvstatus = params::kvstatus;
namespace kbart = params::kbart;

// The determination of one case: `svzentrum` and the category procedures of the four
// employments. Like the rules they implement, the procedures take no arguments: they read
// the case, the module state and the view state they were built on, and write result
// codes, visibility and captions there.
class Bestimmung
{
public:
    Bestimmung(params::Mini& mini, Fall& fall, Ansicht& ansicht);

    // The employee's data (not part of the month's case) that the determination may read; the
    // object must outlive the Bestimmung. Without it every value is "nicht angegeben".
    void setArbeitnehmerdaten(const params::Arbeitnehmerdaten& daten) { m_arbeitnehmer = &daten; }
    const params::Arbeitnehmerdaten& arbeitnehmerdaten() const;

    // The whole determination of the case, all four columns and the result texts; as its last
    // step the contribution amounts, unless they are switched off.
    void svzentrum();
    // The amounts of the last determination. A caller that never shows them (the batch without
    // amounts) switches them off; they then stay as the last run with them left them.
    void setBeitraegeRechnen(bool an) { m_beitraegeRechnen = an; }
    const Beitraege& beitraege() const { return m_beitraege; }
    // How often svzentrum has run on this case.
    std::uint64_t laeufe() const { return m_laeufe; }

    // Main employment (column 0).
    void HBNormal();
    void HBmini();
    void HBbefreit();
    void Gleitzone();

    // Rate lookup for column AktBesch.
    void kvbeitragholen();
    // The general KV rate whose line a result shows for rate row `zeile` of the table, in
    // hundredths of a percent.
    std::int16_t kvSatzDerZeile(int zeile) const;

    // Minor employments (columns 2 and 3).
    void GB1keineHB();
    void GB1Mini();
    void GB1Normal();
    void GB1Gleit1();
    void GB1Gleit2();
    void GB2Mini();
    void GB2Normal();
    void GB2Gleit1();
    void GB2Gleit2();

    // Short-term employment (column 1).
    void kurzfristig();
    void pflichtig();

private:
    // The parts of svzentrum, in the order in which it runs them.
    void ergebnisbereichZuruecksetzen();
    void minijobsSummieren();
    void hauptentgeltPruefen();
    void gesamtentgeltBestimmen();
    void gleitfallBestimmen();
    void hauptbeschaeftigung();
    void kurzfristigeBeschaeftigung();
    void ersteMinijob();
    void spaetereMinijobs();
    void spaetereHinzurechnen();
    void steuerzeilenOhneHauptbeschaeftigung();
    void steuerzeilenNebenHauptbeschaeftigung();
    void anzeigen();

    // The main employment by status group.
    void grundcodes();
    void schueler();
    void auszubildender();
    void studentAushilfe();
    void studentZwischenpraktikum();
    void altersrentner();
    void erwerbsunfaehigkeitsrentner();
    void ohneHauptbeschaeftigung();

    // Shared shapes of the rules, on column c.
    void befreit(int c);
    void miniRegeln(int c, bool haushalt);
    void normalRegeln(int c);
    void gleitRegeln(int c, int gleitfall);
    void rentnerRegeln(int c);
    params::Code steuercode() const;

    params::Mini& m_mini;
    Fall& m_fall;
    Ansicht& m_ansicht;
    std::uint64_t m_laeufe = 0;
    const params::Arbeitnehmerdaten* m_arbeitnehmer = nullptr;
    bool m_beitraegeRechnen = true;
    Beitraege m_beitraege;
};

} // namespace svp::engine
