#pragma once

#include <cstdint>

namespace svp::params {

// The result codes that the rules write, each by the text it selects in the text table of its
// row (Mini::textefuellen builds the tables). A code is a 16-bit index into its table; the
// tables hold 35-character texts, some with the rates of the year formatted into them. Codes
// that no rule writes keep their text here all the same, so that a table and its names can be
// read side by side.
using Code = std::int16_t;

// Row 36, wage tax (`LStText`, 0..54). Codes 1..4 are the tax classes; the case's tax-class
// code `Auswahl`(33) is one of them (1 from start-up on).
namespace lst {
inline constexpr Code Max = 54;
inline constexpr Code Leer = 0;          // no text: the main employment's tax class is unknown
inline constexpr Code KlasseIbisIII = 1; // "Lohnsteuer Kl. I - III"
inline constexpr Code KlasseIV = 2;      // "Lohnsteuer Kl. IV"
inline constexpr Code KlasseV = 3;       // "Lohnsteuer Kl. V"
inline constexpr Code KlasseVI = 4;      // "Lohnsteuer Kl. VI"
// No text of their own: 47 stands where the class must be chosen individually (the hint
// "Individuelle Wahl der Lohnsteuerklasse" goes with it), 48 where the employment is taxed by
// its tax card beside a main employment or another job.
inline constexpr Code KlasseWaehlen = 47;
inline constexpr Code Lohnsteuerkarte = 48;
inline constexpr Code LautEingabe = 51;      // "Lohnsteuer lt. Eingabe"
inline constexpr Code Nichtveranlagung = 52; // "Nichtveranlagungsbescheinigung"
inline constexpr Code Pauschal2 = 53;        // "Pauschalsteuer AG=2%, AN=0%"
inline constexpr Code Pauschal2AN = 54;      // "Pauschalsteuer AG=0%, AN=2%"
} // namespace lst

// Row 37, health insurance (`KVText`, 0..129). Codes 0..121 are two lines for each general
// rate from 10.0 % to 16.0 % in steps of 0.1 %: 2i the employee's contribution, 2i + 1 the
// employer's subsidy to a voluntarily insured employee.
namespace kv {
inline constexpr Code Max = 129;
inline constexpr Code ErsterZuschuss = 1; // "KV-AG-Zuschuß 10 % / 2", the subsidy of the lowest rate
inline constexpr Code LetzterSatzcode = 121;
inline constexpr Code AG10 = 122;                // "KV. AN=0%, AG=10%"
inline constexpr Code Befreit = 123;             // "Befreit von der KV-Pflicht"
inline constexpr Code LautEingabe = 124;         // "KV-Beitrag laut Eingabe"
inline constexpr Code ZuschussLautEingabe = 125; // "KV-AG-Zuschuß laut Eingabe"
inline constexpr Code Pauschal = 126;            // "KV. AN=0%, AG=13%" (11 % until June 2006)
inline constexpr Code PauschalHaushalt = 127;    // "KV. AN=0%, AG=5%", household, statutory KV only
inline constexpr Code GleitEinzig = 128;         // "KV-Gleitzone - einzige Beschäftigun(g)"
inline constexpr Code GleitMehrfach = 129;       // "KV-Gleitzone lt. bes. Berechnung"

// The contribution line of a general rate in hundredths of a percent (1390 = 13.9 % gives 78);
// the subsidy line is one more. Every rate of the tables is a multiple of 10, so the code is
// whole; any other rate is rounded to the nearest code, halves to even.
Code beitrag(std::int16_t satz);
inline Code zuschuss(std::int16_t satz)
{
    return static_cast<Code>(beitrag(satz) + 1);
}
inline constexpr bool imBereich(int code)
{
    return code >= 0 && code <= Max;
}
// The employment pays KV contributions of its own: the contribution line of a rate or a
// sliding-zone line.
inline constexpr bool beitragslinie(Code code)
{
    return (code >= 0 && code <= LetzterSatzcode && code % 2 == 0) || code == GleitEinzig ||
           code == GleitMehrfach;
}
} // namespace kv

// Row 38, care insurance (`PVText`, 0..8); p is the full rate of the year.
namespace pv {
inline constexpr Code Max = 8;
inline constexpr Code Beitrag = 0;             // "Pflegevers. " p " % / 2"
inline constexpr Code Zuschuss = 1;            // "Pflegevers.AG-Zusch." p " % / 2"
inline constexpr Code Sachsen = 2;             // "Pfl.vers.Sachsen 1,35 % von " p
inline constexpr Code SachsenZuschuss = 3;     // "Pfl.V. Sachs.AG-Zusch. " ...
inline constexpr Code Befreit = 4;             // "Befreit von der PV-Pflicht"
inline constexpr Code ZuschussLautEingabe = 5; // "Pflegevers.AG-Zusch.lt.Eingabe"
inline constexpr Code LautEingabe = 6;         // "Pflegeversicherung lt. Eingabe"
inline constexpr Code GleitEinzig = 7;         // "PV-Gleitzone bei einziger Beschäft."
inline constexpr Code GleitMehrfach = 8;       // "PV-Gleitzone lt.bes. Berechnung"
} // namespace pv

// Row 39, pension insurance (`RVText`, 0..12); q is the full rate of the year.
namespace rv {
inline constexpr Code Max = 12;
inline constexpr Code Beitrag = 0;               // "Rentenvers. " q " % / 2"
inline constexpr Code Befreit = 1;               // "Befreit von der RV-Pflicht"
inline constexpr Code Pauschal = 2;              // "RV. AN=0%, AG=15%" (12 % until June 2006)
inline constexpr Code Aufstockung = 3;           // "RV. AN=" (q - 15) " %, AG = 15 %"
inline constexpr Code LautEingabe = 4;           // "Rentenversicherung lt. Eingabe"
inline constexpr Code Zuschuss = 5;              // "Rentenvers. AG-Zuschuß " q " % / 2"
inline constexpr Code Rentner = 6;               // "Rentenvers. AN=0 / AG=" q " % / 2"
inline constexpr Code GleitEinzigGekuerzt = 7;   // "RV-Gleitz.-einzige Besch.RV gekürzt"
inline constexpr Code GleitEinzigVoll = 8;       // "RV-Gleitz.-einzige Besch.RV voll"
inline constexpr Code GleitMehrfachGekuerzt = 9; // "RV-Gleitz. lt.bes.Ber. RV gekürzt"
inline constexpr Code GleitMehrfachVoll = 10;    // "RV-Gleitz. lt.bes.Ber. RV voll"
inline constexpr Code Haushaltsscheck = 11;      // "Haushaltsscheckverfahren"
inline constexpr Code HaushaltAufstockung = 12;  // "RV. AN=" (q - 5) " %, AG = 5 %"

// The mini-job lines (employer's flat rate, household cheque, each with or without the
// employee's top-up): beside a main employment they make the wage tax the flat 2 %.
inline constexpr bool pauschal(Code code)
{
    return code == Pauschal || code == Aufstockung || code == Haushaltsscheck || code == HaushaltAufstockung;
}
// The employment is RV-liable: the ordinary line or a sliding-zone line.
inline constexpr bool beitragslinie(Code code)
{
    return code == Beitrag || (code >= GleitEinzigGekuerzt && code <= GleitMehrfachVoll);
}
} // namespace rv

// Row 40, unemployment insurance (`AVText`, 0..6).
namespace av {
inline constexpr Code Max = 6;
inline constexpr Code Beitrag = 0;       // "Arbeitslosenvers. " rate " % / 2"
inline constexpr Code LautEingabe = 1;   // "Arbeitslosenversich. lt.Eingabe"
inline constexpr Code Befreit = 2;       // "Befreit von der AV-Pflicht"
inline constexpr Code GleitEinzig = 3;   // "AV-Gleitzone bei einziger Beschäftig."
inline constexpr Code GleitMehrfach = 4; // "AV-Gleitzone lt.bes. Berechnung"
inline constexpr Code RentnerAG = 5;     // "AV, AN = 0 %, AG = 6,5 %"
inline constexpr Code RentnerAGHalb = 6; // "AV, AN = 0 %, AG = 3,25 %§"
} // namespace av

// Row 41, note (`HinweisText`, 0..6).
namespace hinweis {
inline constexpr Code Max = 6;
inline constexpr Code Zusatzbeitrag = 0; // "ggfl. Zusatzbeitr. zu KV und PV"
} // namespace hinweis

} // namespace svp::params
