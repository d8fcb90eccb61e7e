#include "beitraege.h"

#include "bestimmung.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace svp::engine {

namespace {

namespace lst = params::lst;
namespace kv = params::kv;
namespace pv = params::pv;
namespace rv = params::rv;
namespace av = params::av;
using params::Beitragssaetze;

// --- The rule table: one rule per code of rows 36 to 40 ----------------------------------------

constexpr Regel offen(Grund grund)
{
    return {Art::Offen, grund, Pauschale::Keine, 0};
}
constexpr Regel art(Art a, Pauschale pauschale = Pauschale::Keine, std::uint8_t merkmale = 0)
{
    return {a, Grund::Keiner, pauschale, merkmale};
}

constexpr std::uint8_t Minijob = merkmal::Minijob;
constexpr std::uint8_t Haushalt = merkmal::Minijob | merkmal::Haushalt;

constexpr std::array<Regelbereich, 38> Bereiche = {{
    // Wage tax: only the flat tax of a mini-job is computed; the tax classes and any code
    // without a text of its own are taxed by the tax card.
    {ZeileLSt, 0, lst::LautEingabe - 1, 1, offen(Grund::LohnsteuerIndividuell)},
    {ZeileLSt, lst::LautEingabe, lst::LautEingabe, 1, offen(Grund::LautEingabe)},
    {ZeileLSt, lst::Nichtveranlagung, lst::Nichtveranlagung, 1, art(Art::Keine)},
    {ZeileLSt, lst::Pauschal2, lst::Pauschal2, 1, art(Art::SteuerAG)},
    {ZeileLSt, lst::Pauschal2AN, lst::Pauschal2AN, 1, art(Art::SteuerAN)},
    // KV: the contribution lines of the rates 10 % to 16 % (even codes) and their subsidy
    // lines (odd codes).
    {ZeileKV, 0, kv::LetzterSatzcode - 1, 2, art(Art::Ordentlich)},
    {ZeileKV, kv::ErsterZuschuss, kv::LetzterSatzcode, 2, art(Art::Zuschuss)},
    {ZeileKV, kv::AG10, kv::AG10, 1, art(Art::Pauschal, Pauschale::KV122)},
    {ZeileKV, kv::Befreit, kv::Befreit, 1, art(Art::Frei)},
    {ZeileKV, kv::LautEingabe, kv::ZuschussLautEingabe, 1, offen(Grund::LautEingabe)},
    {ZeileKV, kv::Pauschal, kv::Pauschal, 1, art(Art::Pauschal, Pauschale::MiniKV)},
    // The text reads "AG=0%"; the law (§ 249b Satz 2 SGB V) asks 5 % of a household mini-job.
    {ZeileKV, kv::PauschalHaushalt, kv::PauschalHaushalt, 1, art(Art::Pauschal, Pauschale::HaushaltKV)},
    {ZeileKV, kv::GleitEinzig, kv::GleitMehrfach, 1, art(Art::Gleitzone)},
    // PV
    {ZeilePV, pv::Beitrag, pv::Beitrag, 1, art(Art::Ordentlich)},
    {ZeilePV, pv::Zuschuss, pv::Zuschuss, 1, art(Art::Zuschuss)},
    {ZeilePV, pv::Sachsen, pv::Sachsen, 1, art(Art::Ordentlich, Pauschale::Keine, merkmal::SachsenPV)},
    {ZeilePV, pv::SachsenZuschuss, pv::SachsenZuschuss, 1,
     art(Art::Zuschuss, Pauschale::Keine, merkmal::SachsenPV)},
    {ZeilePV, pv::Befreit, pv::Befreit, 1, art(Art::Frei)},
    {ZeilePV, pv::ZuschussLautEingabe, pv::LautEingabe, 1, offen(Grund::LautEingabe)},
    {ZeilePV, pv::GleitEinzig, pv::GleitMehrfach, 1, art(Art::Gleitzone)},
    // RV: the mini-job lines make their column a mini-job (and a household) column.
    {ZeileRV, rv::Beitrag, rv::Beitrag, 1, art(Art::Ordentlich)},
    {ZeileRV, rv::Befreit, rv::Befreit, 1, art(Art::Frei)},
    {ZeileRV, rv::Pauschal, rv::Pauschal, 1, art(Art::Pauschal, Pauschale::MiniRV, Minijob)},
    {ZeileRV, rv::Aufstockung, rv::Aufstockung, 1, art(Art::Aufstockung, Pauschale::MiniRV, Minijob)},
    {ZeileRV, rv::LautEingabe, rv::LautEingabe, 1, offen(Grund::LautEingabe)},
    {ZeileRV, rv::Zuschuss, rv::Zuschuss, 1, art(Art::Zuschuss)},
    {ZeileRV, rv::Rentner, rv::Rentner, 1, art(Art::NurAG)},
    {ZeileRV, rv::GleitEinzigGekuerzt, rv::GleitEinzigGekuerzt, 1, art(Art::Gleitzone)},
    {ZeileRV, rv::GleitEinzigVoll, rv::GleitEinzigVoll, 1,
     art(Art::Gleitzone, Pauschale::Keine, merkmal::RVVoll)},
    {ZeileRV, rv::GleitMehrfachGekuerzt, rv::GleitMehrfachGekuerzt, 1, art(Art::Gleitzone)},
    {ZeileRV, rv::GleitMehrfachVoll, rv::GleitMehrfachVoll, 1,
     art(Art::Gleitzone, Pauschale::Keine, merkmal::RVVoll)},
    {ZeileRV, rv::Haushaltsscheck, rv::Haushaltsscheck, 1,
     art(Art::Pauschal, Pauschale::HaushaltRV, Haushalt)},
    {ZeileRV, rv::HaushaltAufstockung, rv::HaushaltAufstockung, 1,
     art(Art::Aufstockung, Pauschale::HaushaltRV, Haushalt)},
    // AV
    {ZeileAV, av::Beitrag, av::Beitrag, 1, art(Art::Ordentlich)},
    {ZeileAV, av::LautEingabe, av::LautEingabe, 1, offen(Grund::LautEingabe)},
    {ZeileAV, av::Befreit, av::Befreit, 1, art(Art::Frei)},
    {ZeileAV, av::GleitEinzig, av::GleitMehrfach, 1, art(Art::Gleitzone)},
    {ZeileAV, av::RentnerAG, av::RentnerAGHalb, 1, art(Art::NurAG)},
}};

constexpr std::array<int, AnzahlPosten> Hoechster = {lst::Max, kv::Max, pv::Max, rv::Max, av::Max};

struct Eintrag {
    Regel regel;
    bool gesetzt = false;
};
using Regeln = std::array<std::array<Eintrag, kv::Max + 1>, AnzahlPosten>;

constexpr Regeln regelnAufbauen()
{
    Regeln regeln{};
    for (const auto& b : Bereiche)
        for (int code = b.von; code <= b.bis; code += b.schritt)
            regeln[static_cast<std::size_t>(b.zeile - ZeileLSt)][static_cast<std::size_t>(code)] = {b.regel,
                                                                                                    true};
    return regeln;
}
constexpr Regeln Tabelle = regelnAufbauen();

// No rule writes a code outside its table; should one stand there all the same, it is not
// computed.
constexpr Regel Unbekannt = offen(Grund::LautEingabe);
constexpr Regel UnbekannteSteuer = offen(Grund::LohnsteuerIndividuell);

// The same table with those rules in the gaps: one look-up per row and column of a case.
using Vollstaendig = std::array<std::array<Regel, kv::Max + 1>, AnzahlPosten>;
constexpr Vollstaendig vollstaendigAufbauen()
{
    Vollstaendig regeln{};
    for (std::size_t z = 0; z < regeln.size(); ++z)
        for (std::size_t code = 0; code < regeln[z].size(); ++code)
            regeln[z][code] = Tabelle[z][code].gesetzt ? Tabelle[z][code].regel
                              : z == 0                 ? UnbekannteSteuer
                                                       : Unbekannt;
    return regeln;
}
constexpr Vollstaendig Lueckenlos = vollstaendigAufbauen();

const Regel& regelOderOffen(int zeile, int code)
{
    const std::size_t z = static_cast<std::size_t>(zeile - ZeileLSt);
    if (static_cast<unsigned>(code) < Lueckenlos[z].size()) [[likely]]
        return Lueckenlos[z][static_cast<std::size_t>(code)];
    return z == 0 ? UnbekannteSteuer : Unbekannt;
}

// --- Texts -----------------------------------------------------------------------------------

struct Text {
    const char* kennung;
    const char* text;
};

// Reasons R1..R8, then hints H1..H7 and G1..G6, in the order of their enums.
constexpr std::array<Text, 8 + AnzahlHinweise> Texte = {{
    {"R1", "Lohnsteuer individuell – nicht berechnet"},
    {"R2", "laut Eingabe – nicht berechnet"},
    {"R3", "U1/U2 nach Satz der Krankenkasse – nicht berechnet"},
    {"R4", "Unfallversicherung (Berufsgenossenschaft) – nicht berechnet"},
    {"R5", "private Versicherung – nicht berechnet"},
    {"R6", "Beitrag zahlt der Versicherte selbst"},
    {"R7", "keine Entgeltangabe"},
    {"R8", "Insolvenzgeldumlage vor 2009 nicht monatlich"},
    {"H1", "Elterneigenschaft nicht angegeben: Zuschlag 0,25 % berechnet"},
    {"H2", "Geburtsdatum fehlt: Zuschlag 0,25 % angenommen"},
    {"H3", "KV-Satz der Kasse fehlt: Satz laut Tabelle"},
    {"H4", "ermäßigter Satz der Kasse fehlt: Satz laut Tabelle"},
    {"H5", "Rechtskreis nicht angegeben: Berlin-West"},
    {"H6", "U1-Teilnahme nicht angegeben: U1 berechnet"},
    {"H7", "ermäßigter Beitragssatz nicht angegeben"},
    {"G1", "Gesetz: Rentner PV-pflichtig – bitte prüfen"},
    {"G2", "Gesetz: Studierende AV-frei – bitte prüfen"},
    {"G3", "Gesetz: Minijob-Pauschalen – bitte prüfen"},
    {"G4", "Gesetz: mit Hauptbeschäftigung zusammenrechnen – bitte prüfen"},
    {"G5", "Geringverdiener: AG trägt den Beitrag allein"},
    {"G6", "Bundesland fehlt – bitte prüfen"},
}};

const Text& eintrag(Grund grund)
{
    return Texte[static_cast<std::size_t>(grund) - 1];
}
const Text& eintrag(Hinweis hinweis)
{
    return Texte[8 + static_cast<std::size_t>(hinweis)];
}

// --- Arithmetic: every amount is one exact fraction, rounded once to the cent ---------------

// a × b / c on the raw scale, to the cent, halves away from zero. Inlined at every call: where
// c is known at compile time (the percent of a rate, the factor's scale), the compiler turns
// the division into a multiplication, and a case takes a dozen of them. Amounts and rates of 0
// take the same way: a test for them would cost more in mispredicted jumps than it saves.
[[gnu::always_inline]] inline Currency gerundet(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const std::int64_t teiler = c * (Currency::Scale / 100);
    // The products of the law's amounts and rates fit into 64 bits; the wide division is for
    // what does not.
    std::int64_t produkt = 0;
    if (teiler > 0 && !__builtin_mul_overflow(a, b, &produkt) && produkt > INT64_MIN + teiler) [[likely]] {
        const std::int64_t halb = teiler / 2 + teiler % 2; // |r| >= halb rounds away from zero
        const std::int64_t r = produkt % teiler;
        // Rounded without a jump: which way a remainder goes is as good as random.
        const std::int64_t q =
            produkt / teiler + static_cast<std::int64_t>(r >= halb) - static_cast<std::int64_t>(r <= -halb);
        return Currency::fromCents(q);
    }
    return Currency::fromCents(params::mulDivRoundHalfAway(a, b, teiler));
}

// A rate of p % is p × 10 000 raw and means p / 100.
constexpr std::int64_t Prozent = Currency::Scale * 100;

Currency anteil(Currency betrag, Currency satz)
{
    return gerundet(betrag.raw(), satz.raw(), Prozent);
}
// Half of the rate `satz`: the share of a contribution borne half and half, rounded as a
// share before it is doubled (BVV § 2 Abs. 1 Satz 1).
Currency halbanteil(Currency betrag, Currency satz)
{
    return gerundet(betrag.raw(), satz.raw(), 2 * Prozent);
}
// Half a rate, as shown beside a share. The rates of the law have at most two decimals, so
// their half is exact on the scale; an odd last digit rounds away from zero (the remainder
// carries the sign).
Currency haelfte(Currency satz)
{
    return Currency::fromRaw(satz.raw() / 2 + satz.raw() % 2);
}

constexpr Betrag Strich{Currency(), false};

constexpr std::size_t artIndex(Art a)
{
    return static_cast<std::size_t>(a);
}
// The kinds whose pays form the ceiling group of a branch (§ 22 Abs. 2 SGB IV).
constexpr std::array<bool, artIndex(Art::Offen) + 1> Grenzgruppe = [] {
    std::array<bool, artIndex(Art::Offen) + 1> g{};
    g[artIndex(Art::Ordentlich)] = g[artIndex(Art::Zuschuss)] = g[artIndex(Art::NurAG)] = true;
    return g;
}();

// States whose employments belong to the eastern pension area (§ 228a SGB VI); Berlin only
// where the employee data says so.
constexpr std::array<int, 5> OstLaender = {3, 7, 12, 13, 15};
constexpr int Berlin = 2;
constexpr int Sachsen = 12;

// The full rates of one line: `agDoppelt` and `anDoppelt` are twice the shares' rates, so
// that a half and half split is exactly `voll` (Sachsen's PV moves 0,5 from one to the other).
struct Saetze {
    Currency voll, agDoppelt, anDoppelt, zuschlag;
    bool fehlt = false; // no rate: a zone KV line of a stored case without a state
    Hinweise hinweise;
};

class Rechnung
{
public:
    Rechnung(const params::Mini& mini, const Fall& fall, const params::Arbeitnehmerdaten& an,
             const Beitragssaetze& s, Beitraege& b)
        : m_mini(mini), m_fall(fall), m_an(an), m_s(s), m_b(b)
    {
    }

    void rechnen()
    {
        vorbereiten();
        for (int zeile = ZeileKV; zeile <= ZeileAV; ++zeile) {
            grenzeAnwenden(zeile);
            gleitzoneRechnen(zeile);
        }
        for (int c : Berechnet) {
            if (m_b.spalten[c].entgelt == Currency())
                continue;
            for (int zeile = ZeileLSt; zeile <= ZeileAV; ++zeile)
                postenRechnen(c, zeile);
            gesetzeshinweise(c);
            umlagenRechnen(c);
        }
        // The main employment's, after the loop over the columns: a test of the column within
        // it would jump differently at every turn.
        if (ae(0) != Currency())
            geringverdiener();
        summieren();
    }

private:
    static constexpr std::array<int, 3> Berechnet = {0, 2, 3};
    static int zweig(int zeile) { return zeile - ZeileKV; }

    const Regel& regelVon(int c, int zeile) const { return *m_regel[c][zeile - ZeileLSt]; }
    Posten& posten(int c, int zeile)
    {
        return m_b.spalten[c].posten[static_cast<std::size_t>(zeile - ZeileLSt)];
    }
    Currency ae(int c) const { return m_b.spalten[c].entgelt; }

    // The month's regular pay of a column; a minor employment only while its average counts.
    Currency entgelt(int c) const
    {
        Currency e;
        if (c == 0)
            e = m_fall.HBEntgelt;
        else if (m_fall.Monatsdurchschnitt[c - 1] > Currency())
            e = m_fall.Monatslohn[c - 1];
        return std::max(e, Currency()); // a correction below zero pays no contributions
    }

    void vorbereiten()
    {
        const int land = m_mini.Auswahl[params::AuswahlLand];
        m_land = land;
        m_b.rechtskreisOst = std::find(OstLaender.begin(), OstLaender.end(), land) != OstLaender.end() ||
                             (land == Berlin && m_an.RechtskreisOst.value_or(false));
        m_rvGrenze = m_b.rechtskreisOst ? m_s.bbgRVOst : m_s.bbgRVWest;
        m_ermaessigt = m_an.KVErmaessigt.value_or(false);
        m_b.kvQuelle = m_s.kvSatz         ? KVQuelle::Einheitssatz
                       : m_an.KVSatzKasse ? KVQuelle::Kasse
                                          : KVQuelle::Ergebnistext;
        zuschlagBestimmen();

        for (int c : Berechnet) {
            Spalte& spalte = m_b.spalten[c];
            spalte.entgelt = entgelt(c);
            // Unrolled: five short turns whose end a jump would mispredict every time.
#pragma GCC unroll 5
            for (int zeile = ZeileLSt; zeile <= ZeileAV; ++zeile) {
                m_regel[c][zeile - ZeileLSt] = &regelOderOffen(zeile, m_fall.ergebnis(c, zeile));
                posten(c, zeile).art = regelVon(c, zeile).art;
            }
            const auto merkmale = regelVon(c, ZeileRV).merkmale;
            spalte.minijob = (merkmale & merkmal::Minijob) != 0;
            spalte.haushalt = (merkmale & merkmal::Haushalt) != 0;
        }
        // An RV-insured main employment: later mini-jobs are added to it, and the minimum base
        // of a top-up does not apply beside it.
        const Art hauptRV = regelVon(0, ZeileRV).art;
        m_hauptRVpflichtig = ae(0) > Currency() && (hauptRV == Art::Ordentlich || hauptRV == Art::Gleitzone);
    }

    // The childless surcharge (§ 55 Abs. 3 SGB XI): due from the month after the one in which
    // the 23rd year of life is completed, i.e. ends with the day before the 23rd birthday
    // (§§ 187 Abs. 2, 188 Abs. 2 BGB); not for those born before 1940, not once parenthood is
    // proven. Without an answer it is charged, as no proof is at hand.
    void zuschlagBestimmen()
    {
        if (m_an.Kinderlos == false)
            return;
        if (m_an.Geburtsdatum) {
            const params::Datum& d = *m_an.Geburtsdatum;
            if (d < params::Datum{1940, 1, 1})
                return;
            const int erster = params::monatsnummer(d.jahr + 23, d.monat - 1) + (d.tag == 1 ? 0 : 1);
            if (params::monatsnummer(m_mini.AktJahr, m_mini.Auswahl[params::AuswahlMonat]) < erster)
                return;
        }
        m_pvZuschlag = m_s.pvZuschlagKinderlos;
        if (!m_an.Kinderlos)
            m_pvHinweise.setzen(Hinweis::ElternNichtAngegeben);
        if (!m_an.Geburtsdatum)
            m_pvHinweise.setzen(Hinweis::GeburtsdatumFehlt);
    }

    // § 22 Abs. 2 SGB IV: the pays of the ceiling group (kinds O, S, E) are each capped at the
    // ceiling and, where their sum still exceeds it, reduced in proportion.
    void grenzeAnwenden(int zeile)
    {
        const Currency grenze = zeile == ZeileKV || zeile == ZeilePV ? m_s.bbgKV : m_rvGrenze;
        Currency summe;
        // Outside the group the pay counts 0: selected, not jumped over, as the kinds of a
        // line's columns follow no pattern.
        for (int c : Berechnet) {
            const std::int64_t imGruppe =
                -static_cast<std::int64_t>(Grenzgruppe[artIndex(regelVon(c, zeile).art)]);
            m_gekappt[zweig(zeile)][c] = Currency::fromRaw(std::min(ae(c), grenze).raw() & imGruppe);
            summe += m_gekappt[zweig(zeile)][c];
        }
        if (summe > grenze)
            for (int c : Berechnet)
                m_gekappt[zweig(zeile)][c] =
                    gerundet(m_gekappt[zweig(zeile)][c].raw(), grenze.raw(), summe.raw());
        m_b.zweige[zweig(zeile)].grenze = grenze;
        m_b.zweige[zweig(zeile)].gekappt = summe;
    }

    // § 20 Abs. 2 SGB IV, § 163 Abs. 10 SGB VI: the reduced base BE of the pays of all zone
    // columns of the row, shared out in proportion to their pays.
    void gleitzoneRechnen(int zeile)
    {
        Currency ge;
        unsigned spalten = 0; // one bit per zone column
        for (int c : Berechnet)
            if (regelVon(c, zeile).art == Art::Gleitzone && ae(c) > Currency()) {
                ge += ae(c);
                spalten |= 1u << c;
            }
        if (spalten == 0)
            return;
        Zweigrechnung& z = m_b.zweige[zweig(zeile)];
        z.gleitEntgelt = ge;
        // The branches of one employment in the zone mostly share their zone columns, and then
        // their BE.
        if (spalten == m_gleitSpalten) {
            z.gleitBE = m_b.zweige[m_gleitZweig].gleitBE;
            m_gleitBE[zweig(zeile)] = m_gleitBE[m_gleitZweig];
            return;
        }
        m_gleitSpalten = spalten;
        m_gleitZweig = static_cast<std::size_t>(zweig(zeile));
        z.gleitBE = gleitBE(ge);
        const bool einzeln = (spalten & (spalten - 1)) == 0;
        for (int c : Berechnet)
            if ((spalten & (1u << c)) != 0)
                m_gleitBE[zweig(zeile)][c] =
                    einzeln ? z.gleitBE : gerundet(z.gleitBE.raw(), ae(c).raw(), ge.raw());
    }

    // BE = F × 400 + (2 − F) × (GE − 400) within the zone, F × GE below it.
    Currency gleitBE(Currency ge) const
    {
        const std::int64_t f = m_s.gleitF.raw();
        if (ge <= grenze::MiniGrenze)
            return gerundet(ge.raw(), f, Currency::Scale);
        if (ge <= grenze::GleitEnde) {
            const std::int64_t zaehler =
                f * grenze::MiniGrenze.raw() + (2 * Currency::Scale - f) * (ge - grenze::MiniGrenze).raw();
            return gerundet(zaehler, 1, Currency::Scale);
        }
        return ge;
    }

    // The general KV rate without the 0,9: from 2009 the uniform rate, before it the fund's,
    // else the rate the column's KV text shows.
    Saetze kvSaetze(int c) const
    {
        Saetze s;
        s.zuschlag = m_s.kvNurAN;
        if (m_s.kvSatz) {
            s.voll = m_ermaessigt ? m_s.kvSatzErmaessigt.value_or(*m_s.kvSatz) : *m_s.kvSatz;
        } else if (m_an.KVSatzKasse) {
            s.voll = *m_an.KVSatzKasse;
        } else {
            s.hinweise.setzen(m_ermaessigt ? Hinweis::ErmaessigterSatzFehlt : Hinweis::KVSatzFehlt);
            const int code = m_fall.ergebnis(c, ZeileKV);
            if (code <= kv::LetzterSatzcode) {
                // 10 % + (code div 2) × 0,1 %
                s.voll = Currency::fromWhole(10) + Currency::fromCents(10 * (code / 2));
            } else {
                const std::int16_t tafel =
                    m_land >= 0 && m_land < params::AnzahlLaender ? m_mini.kvSatz(m_land) : std::int16_t{0};
                s.fehlt = tafel <= 0;
                s.voll = Currency::fromCents(tafel); // hundredths of a percent
            }
        }
        const int status = m_fall.HBStatus;
        if ((status == params::status::RentnerUeber65 || status == params::status::RentnerUnter65) &&
            !m_an.KVErmaessigt)
            s.hinweise.setzen(Hinweis::ErmaessigtNichtAngegeben);
        s.agDoppelt = s.anDoppelt = s.voll;
        return s;
    }

    Saetze saetze(int c, int zeile) const
    {
        if (zeile == ZeileKV)
            return kvSaetze(c);
        Saetze s;
        if (zeile == ZeilePV) {
            s.voll = s.agDoppelt = s.anDoppelt = m_s.pvSatz;
            // § 58 Abs. 3 SGB XI: at a place of work in Sachsen the employee bears 0,5 more.
            if (m_land == Sachsen || (regelVon(c, zeile).merkmale & merkmal::SachsenPV) != 0) {
                s.agDoppelt = m_s.pvSatz - m_s.pvSachsen - m_s.pvSachsen;
                s.anDoppelt = m_s.pvSatz + m_s.pvSachsen + m_s.pvSachsen;
            }
            s.zuschlag = m_pvZuschlag;
            s.hinweise = m_pvHinweise;
        } else {
            s.voll = s.agDoppelt = s.anDoppelt = zeile == ZeileRV ? m_s.rvSatz : m_s.avSatz;
        }
        return s;
    }

    Currency pauschale(Pauschale p) const
    {
        switch (p) {
        case Pauschale::MiniKV:
            return m_s.miniKV;
        case Pauschale::HaushaltKV:
            return m_s.haushaltKV;
        case Pauschale::KV122:
            return m_s.kvPauschal122;
        case Pauschale::MiniRV:
            return m_s.miniRV;
        case Pauschale::HaushaltRV:
            return m_s.haushaltRV;
        case Pauschale::Keine:
            break;
        }
        return Currency();
    }

    static void raten(Posten& p, const Saetze& s)
    {
        p.satz = s.voll;
        p.satzAG = haelfte(s.agDoppelt);
        p.zuschlagAN = s.zuschlag;
    }

    void postenRechnen(int c, int zeile)
    {
        const Regel& r = regelVon(c, zeile);
        Posten& p = posten(c, zeile);
        const Currency e = ae(c);
        p.grundlage = p.be = e;
        switch (r.art) {
        case Art::Ordentlich: {
            const Saetze s = saetze(c, zeile);
            const Currency b = m_gekappt[zweig(zeile)][c];
            p.grundlage = p.be = b;
            p.ag.wert = halbanteil(b, s.agDoppelt);
            p.nurAN = anteil(b, s.zuschlag);
            p.an.wert = (s.anDoppelt == s.agDoppelt ? p.ag.wert : halbanteil(b, s.anDoppelt)) + p.nurAN;
            raten(p, s);
            p.hinweise = s.hinweise; // the surcharge's hints only where it is charged
            break;
        }
        case Art::Zuschuss: {
            // § 257 SGB V, § 61 SGB XI, § 172 Abs. 2 SGB VI: the employer's half as a subsidy.
            Saetze s = saetze(c, zeile);
            s.zuschlag = Currency();
            const Currency b = m_gekappt[zweig(zeile)][c];
            p.grundlage = p.be = b;
            p.ag.wert = halbanteil(b, s.agDoppelt);
            p.an = Strich;
            p.grund = Grund::Selbstzahler;
            raten(p, s);
            if (zeile == ZeileKV)
                p.hinweise = s.hinweise;
            break;
        }
        case Art::NurAG: {
            const Saetze s = saetze(c, zeile);
            const Currency b = m_gekappt[zweig(zeile)][c];
            p.grundlage = p.be = b;
            p.ag.wert = halbanteil(b, s.voll);
            p.satz = s.voll;
            p.satzAG = haelfte(s.voll);
            break;
        }
        case Art::Frei:
            // A private insurance's premium and the subsidy to it are not computed.
            if ((zeile == ZeileKV || zeile == ZeilePV) && !m_b.spalten[c].minijob &&
                m_fall.KVStatus == params::kvstatus::Privat) {
                p.an = p.ag = Strich;
                p.grund = Grund::PrivatVersichert;
            }
            break;
        case Art::Pauschal: {
            const Currency f = pauschale(r.pauschale);
            p.ag.wert = anteil(e, f);
            p.satz = p.satzAG = f;
            break;
        }
        case Art::Aufstockung:
            aufstockung(p, r, e);
            break;
        case Art::Gleitzone:
            gleitzone(c, zeile, p, r, e);
            break;
        case Art::SteuerAG:
            p.ag.wert = anteil(e, m_s.pauschsteuer);
            p.satz = p.satzAG = m_s.pauschsteuer;
            break;
        case Art::SteuerAN:
            p.an.wert = anteil(e, m_s.pauschsteuer);
            p.satz = m_s.pauschsteuer;
            break;
        case Art::Keine:
            break;
        case Art::Offen:
            p.an = p.ag = Strich;
            p.grund = r.grund;
            break;
        }
    }

    // § 168 Abs. 1 Nr. 1b/1c SGB VI: the employer pays the flat rate, the employee the rest of
    // the full rate; below the minimum base of § 163 Abs. 8 SGB VI the full contribution is
    // reckoned on 155,00 (not beside an RV-insured main employment).
    void aufstockung(Posten& p, const Regel& r, Currency e) const
    {
        const Currency f = pauschale(r.pauschale);
        p.satz = m_s.rvSatz;
        p.satzAG = f;
        p.ag.wert = anteil(e, f);
        if (e < m_s.rvMindestgrundlage && !m_hauptRVpflichtig) {
            p.be = m_s.rvMindestgrundlage;
            p.an.wert = anteil(m_s.rvMindestgrundlage, m_s.rvSatz) - p.ag.wert;
        } else {
            p.an.wert = anteil(e, m_s.rvSatz - f);
        }
    }

    // The total is reckoned on BE_c, half and half, the employer's share on the actual pay, and
    // the employee bears the rest plus his own parts on BE_c. With full RV (§ 163 Abs. 10
    // Satz 6 SGB VI) both halves are on the actual pay.
    void gleitzone(int c, int zeile, Posten& p, const Regel& r, Currency e) const
    {
        const Saetze s = saetze(c, zeile);
        if (s.fehlt) {
            p.an = p.ag = Strich;
            p.hinweise.setzen(Hinweis::BundeslandFehlt);
            return;
        }
        const Currency be = m_gleitBE[zweig(zeile)][c];
        p.be = be;
        raten(p, s);
        p.hinweise = s.hinweise;
        if ((r.merkmale & merkmal::RVVoll) != 0) {
            p.ag.wert = p.an.wert = halbanteil(e, s.voll);
            p.be = e;
            return;
        }
        const Currency haelfteGesamt = halbanteil(be, s.voll);
        const Currency gesamt = haelfteGesamt + haelfteGesamt;
        p.ag.wert = halbanteil(e, s.agDoppelt);
        p.nurAN = anteil(be, s.zuschlag);
        p.an.wert = gesamt - p.ag.wert + p.nurAN;
    }

    // § 20 Abs. 3 Satz 1 Nr. 1 SGB IV: trainees and interns up to 325,00 a month; the employer
    // bears the whole contribution, the employee's own parts included. A main employment only.
    void geringverdiener()
    {
        const int status = m_fall.HBStatus;
        if ((status != params::status::Auszubildender && status != params::status::StudentVorNach) ||
            ae(0) > m_s.geringverdienergrenze)
            return;
        for (int zeile = ZeileKV; zeile <= ZeileAV; ++zeile) {
            Posten& p = posten(0, zeile);
            if (p.art != Art::Ordentlich)
                continue;
            p.ag.wert += p.an.wert;
            p.an.wert = Currency();
            p.hinweise.setzen(Hinweis::Geringverdiener);
        }
    }

    // Where the code departs from the law, the amount follows the code and a hint points to
    // the law; and where a default stood in for the employee's place of work.
    void gesetzeshinweise(int c)
    {
        const int status = m_fall.HBStatus;
        const bool rentner =
            status == params::status::RentnerUeber65 || status == params::status::RentnerUnter65;
        const Art kvArt = regelVon(c, ZeileKV).art;
        if (rentner && posten(c, ZeilePV).art == Art::Frei &&
            (kvArt == Art::Ordentlich || kvArt == Art::Zuschuss || kvArt == Art::Gleitzone))
            posten(c, ZeilePV).hinweise.setzen(Hinweis::RentnerPVPflichtig);
        // A working student up to 20 hours a week is free of AV, and later mini-jobs beside an
        // RV-insured main employment take its lines: the codes follow the law there, and the
        // hints G2 and G4 have nothing left to point at.
        if (c == 0 && status == params::status::StudentAushilfe && ae(0) <= grenze::MiniGrenze)
            for (int zeile = ZeileKV; zeile <= ZeileAV; ++zeile)
                if (posten(0, zeile).art == Art::Gleitzone)
                    posten(0, zeile).hinweise.setzen(Hinweis::StudentMinijob);
        if (m_fall.ergebnis(c, ZeileKV) == kv::Pauschal && !m_b.spalten[c].minijob)
            posten(c, ZeileKV).hinweise.setzen(Hinweis::BundeslandFehlt);
        if (m_land == Berlin && !m_an.RechtskreisOst)
            for (int zeile : {ZeileRV, ZeileAV}) {
                const Art a = posten(c, zeile).art;
                if (Grenzgruppe[artIndex(a)] && m_b.zweige[zweig(zeile)].gekappt > m_s.bbgRVOst)
                    posten(c, zeile).hinweise.setzen(Hinweis::RechtskreisFehlt);
            }
    }

    // § 358 SGB III: the insolvency levy on the pay on which RV is or would be assessed; the
    // mini-job fund's U1/U2 and the household accident insurance on the actual pay.
    void umlagenRechnen(int c)
    {
        Spalte& spalte = m_b.spalten[c];
        const Currency e = ae(c);
        Umlage& ins = spalte.umlagen[Insolvenzgeld];
        if (!m_s.insolvenz) {
            ins.ag = Strich;
            ins.grund = Grund::InsolvenzVor2009;
        } else if (!spalte.haushalt) {
            const Regel& r = regelVon(c, ZeileRV);
            if (spalte.minijob)
                ins.grundlage = e;
            else if (r.art == Art::Gleitzone && (r.merkmale & merkmal::RVVoll) == 0)
                ins.grundlage = m_gleitBE[zweig(ZeileRV)][c];
            else if (Grenzgruppe[artIndex(r.art)])
                ins.grundlage = m_gekappt[zweig(ZeileRV)][c];
            else
                ins.grundlage = std::min(e, m_rvGrenze);
            ins.satz = *m_s.insolvenz;
            ins.ag.wert = anteil(ins.grundlage, ins.satz);
        }

        Umlage& u1 = spalte.umlagen[U1];
        Umlage& u2 = spalte.umlagen[U2];
        if (spalte.minijob) {
            u1.grundlage = u2.grundlage = e;
            u2.satz = m_s.u2Mini;
            u2.ag.wert = anteil(e, u2.satz);
            if (m_an.U1.value_or(true)) {
                u1.satz = m_s.u1Mini;
                u1.ag.wert = anteil(e, u1.satz);
            }
            if (!m_an.U1)
                u1.hinweise.setzen(Hinweis::U1NichtAngegeben);
        } else {
            u1.ag = u2.ag = Strich;
            u1.grund = u2.grund = Grund::UmlageKasse;
        }

        Umlage& uv = spalte.umlagen[UV];
        if (spalte.haushalt) {
            uv.grundlage = e;
            uv.satz = m_s.haushaltUV;
            uv.ag.wert = anteil(e, uv.satz);
        } else {
            uv.ag = Strich;
            uv.grund = Grund::Unfallversicherung;
        }
    }

    // Without a jump: which amounts of a column are "—" follows no pattern.
    static void dazu(Betrag& summe, bool& zzgl, const Betrag& betrag)
    {
        summe.wert += Currency::fromRaw(betrag.wert.raw() & -static_cast<std::int64_t>(betrag.berechnet));
        zzgl = zzgl | !betrag.berechnet;
    }

    void summieren()
    {
        Summe& fall = m_b.summe;
        Currency entgelte;
        for (int c : Berechnet) {
            Spalte& spalte = m_b.spalten[c];
            // A column without pay holds zeros only, and so do its totals already.
            if (spalte.entgelt == Currency())
                continue;
            Summe& s = spalte.summe;
            for (const Posten& p : spalte.posten) {
                dazu(s.an, s.anZzgl, p.an);
                dazu(s.ag, s.agZzgl, p.ag);
            }
            for (const Umlage& u : spalte.umlagen)
                dazu(s.ag, s.agZzgl, u.ag);
            s.kosten.wert = spalte.entgelt + s.ag.wert;
            entgelte += spalte.entgelt;
            fall.an.wert += s.an.wert;
            fall.ag.wert += s.ag.wert;
            fall.anZzgl = fall.anZzgl | s.anZzgl;
            fall.agZzgl = fall.agZzgl | s.agZzgl;
        }
        fall.kosten.wert = entgelte + fall.ag.wert;
    }

    const params::Mini& m_mini;
    const Fall& m_fall;
    const params::Arbeitnehmerdaten& m_an;
    const Beitragssaetze& m_s;
    Beitraege& m_b;

    int m_land = 0;
    Currency m_rvGrenze;
    bool m_ermaessigt = false;
    bool m_hauptRVpflichtig = false;
    Currency m_pvZuschlag;
    Hinweise m_pvHinweise;
    std::array<std::array<const Regel*, AnzahlPosten>, Spalten> m_regel{};
    // Per branch KV..AV and column: the pay after the ceiling (b_c) and the zone base BE_c.
    std::array<std::array<Currency, Spalten>, 4> m_gekappt{};
    std::array<std::array<Currency, Spalten>, 4> m_gleitBE{};
    // The zone columns (as bits) of the last branch whose BE was computed, and that branch.
    unsigned m_gleitSpalten = 0;
    std::size_t m_gleitZweig = 0;
};

// Everything "—" with one reason, as column 1 (no pay input) and a month without rates show.
void nichtBerechnet(Spalte& spalte, Grund grund)
{
    for (Posten& p : spalte.posten) {
        p.an = p.ag = Strich;
        p.grund = grund;
    }
    for (Umlage& u : spalte.umlagen) {
        u.ag = Strich;
        u.grund = grund;
    }
    spalte.summe.an = spalte.summe.ag = spalte.summe.kosten = Strich;
}

} // namespace

const char* text(Grund grund)
{
    return grund == Grund::Keiner ? "" : eintrag(grund).text;
}
const char* text(Hinweis hinweis)
{
    return eintrag(hinweis).text;
}
const char* kennung(Grund grund)
{
    return grund == Grund::Keiner ? "" : eintrag(grund).kennung;
}
const char* kennung(Hinweis hinweis)
{
    return eintrag(hinweis).kennung;
}

std::span<const Regelbereich> regelbereiche()
{
    return Bereiche;
}

int hoechsterCode(int zeile)
{
    return zeile >= ZeileLSt && zeile <= ZeileAV ? Hoechster[static_cast<std::size_t>(zeile - ZeileLSt)] : -1;
}

const Regel* regel(int zeile, int code)
{
    if (code < 0 || code > hoechsterCode(zeile))
        return nullptr;
    const Eintrag& e = Tabelle[static_cast<std::size_t>(zeile - ZeileLSt)][static_cast<std::size_t>(code)];
    return e.gesetzt ? &e.regel : nullptr;
}

namespace {

// The start of every computation: nothing computed yet, and column 1, which has no pay input,
// "—" throughout.
const Beitraege& leer()
{
    static const Beitraege Leer = [] {
        Beitraege b;
        nichtBerechnet(b.spalten[1], Grund::KeinEntgelt);
        return b;
    }();
    return Leer;
}

// Computes into `b`, which holds a copy of leer().
void berechnen(const params::Mini& mini, const Fall& fall, const params::Arbeitnehmerdaten& an, Beitraege& b)
{
    b.saetze = params::beitragssaetze(mini.AktJahr, mini.Auswahl[params::AuswahlMonat]);
    if (!b.saetze) {
        for (int c : {0, 2, 3})
            nichtBerechnet(b.spalten[static_cast<std::size_t>(c)], Grund::Keiner);
        b.summe.an = b.summe.ag = b.summe.kosten = Strich;
        return;
    }
    Rechnung(mini, fall, an, *b.saetze, b).rechnen();
}

} // namespace

Beitraege beitraegeBerechnen(const params::Mini& mini, const Fall& fall, const params::Arbeitnehmerdaten& an)
{
    Beitraege b = leer();
    berechnen(mini, fall, an, b);
    return b;
}

void beitraegeBerechnen(const params::Mini& mini, const Fall& fall, const params::Arbeitnehmerdaten& an,
                        Beitraege& ziel)
{
    // A copy of a fresh result is one block move; constructing one sets its members one by one.
    static_assert(std::is_trivially_copyable_v<Beitraege>);
    std::memcpy(static_cast<void*>(&ziel), &leer(), sizeof ziel);
    berechnen(mini, fall, an, ziel);
}

} // namespace svp::engine
