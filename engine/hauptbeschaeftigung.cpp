// The rules of the main employment (column 0) and the KV rate lookup that every column shares.
#include "bestimmung.h"
#include "params/beitragssaetze.h"

namespace svp::engine {

using namespace grenze;
namespace lst = params::lst;
namespace kv = params::kv;
namespace pv = params::pv;
namespace rv = params::rv;
namespace av = params::av;

void Bestimmung::hauptbeschaeftigung()
{
    grundcodes();
    switch (m_fall.HBStatus) {
    case status::Angestellter:
    case status::BURentner:
        HBNormal();
        break;
    case status::Beamter:
        HBbefreit();
        break;
    case status::Schueler:
        schueler();
        break;
    case status::Auszubildender:
    case status::StudentVorNach:
        auszubildender();
        break;
    case status::StudentAushilfe:
        studentAushilfe();
        break;
    case status::StudentZwischen:
        studentZwischenpraktikum();
        break;
    case status::RentnerUeber65:
    case status::RentnerUnter65:
        altersrentner();
        break;
    case status::EURentner:
        erwerbsunfaehigkeitsrentner();
        break;
    case status::Selbstaendig:
    case status::Keine:
        ohneHauptbeschaeftigung();
        break;
    default:
        break;
    }
}

// What every status starts from: the tax class, the contribution line of the state's rate,
// ordinary PV and AV.
void Bestimmung::grundcodes()
{
    auto& e = m_fall.ergebnis;
    e(0, ZeileLSt) = steuercode();
    const params::Code code = kv::beitrag(kvSatzDerZeile(m_mini.Auswahl[params::AuswahlLand]));
    if (kv::imBereich(code))
        e(0, ZeileKV) = code;
    e(0, ZeilePV) = pv::Beitrag;
    e(0, ZeileAV) = av::Beitrag;
    m_ansicht.SVEntgelt.visible = true;
}

void Bestimmung::schueler()
{
    auto& f = m_fall;
    auto& a = m_ansicht;
    const Currency hb = f.HBEntgelt;
    a.KVTafel.visible = false;
    a.Schuelertafel.visible = true;
    switch (f.SchuelerArt) {
    case schuelerart::Sommerferien:
    case schuelerart::Schnupperwochen:
        HBbefreit();
        break;
    case schuelerart::Laufend:
        // Ongoing work is exempt below the sliding zone unless the later mini-jobs lift it.
        a.SVEntgelt.visible = true;
        if (hb < GleitBeginn) {
            if (hb + f.Monatsdurchschnitt[2] >= GleitBeginn) {
                HBNormal();
            } else {
                HBbefreit();
                a.SVEntgelt.visible = true;
            }
        } else {
            HBNormal();
        }
        break;
    case schuelerart::Sonstige:
        if (hb >= GleitBeginn)
            HBNormal();
        else
            HBmini();
        break;
    default:
        break;
    }
    f.ergebnis(0, ZeileAV) = av::Befreit;
}

// Apprentices and students in a pre- or post-study internship pay ordinary contributions.
void Bestimmung::auszubildender()
{
    auto& e = m_fall.ergebnis;
    e(0, ZeileLSt) = steuercode();
    kvbeitragholen();
    e(0, ZeileRV) = rv::Beitrag;
    e(0, ZeileAV) = av::Beitrag;
}

// A student working as temporary help is free of KV and PV unless he works more than 20 hours
// a week; he pays pension contributions, in the sliding zone at its rates.
void Bestimmung::studentAushilfe()
{
    auto& f = m_fall;
    auto& a = m_ansicht;
    auto& e = f.ergebnis;
    a.HBCheck.visible = true;
    if (!f.HBUeber20)
        a.KVTafel.visible = false;
    e(0, ZeileKV) = kv::Befreit;
    e(0, ZeilePV) = pv::Befreit;
    // Employed during his studies and not over 20 hours a week, the student is free of AV as
    // well (§ 27 Abs. 4 Satz 1 Nr. 2 SGB III); over 20 hours he is an employee like any other.
    if (!f.HBUeber20)
        e(0, ZeileAV) = av::Befreit;
    if (f.Gesamtentgelt <= GleitEnde) {
        a.HR.visible = true;
        e(0, ZeileRV) = f.RVVoll ? rv::GleitEinzigVoll : rv::GleitEinzigGekuerzt;
        if (f.HBUeber20) {
            a.KVTafel.visible = false;
            Gleitzone();
        }
    } else {
        e(0, ZeileRV) = rv::Beitrag;
        if (f.HBUeber20) {
            a.KVTafel.visible = true;
            kvbeitragholen();
            e(0, ZeileAV) = av::Beitrag;
        }
    }
}

void Bestimmung::studentZwischenpraktikum()
{
    m_ansicht.KVTafel.visible = false;
    m_ansicht.HBCheck.visible = false;
    befreit(0);
}

// An employed old-age pensioner on a full pension pays no RV of his own; the employer pays
// the pensioner's RV line (§ 5 Abs. 4 Nr. 1, § 172 Abs. 1 SGB VI).
void Bestimmung::altersrentner()
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    const Currency g = f.Gesamtentgelt;
    const bool mehrfach = f.Gleitfall == gleitfall::Mehrfach;
    m_ansicht.HBCheck.visible = false;
    m_ansicht.GBCheck[1].visible = false;
    e(0, ZeileLSt) = steuercode();
    // The pension does not free the employment from PV: PV follows KV (§ 20 Abs. 1 Satz 1 and
    // Satz 2 Nr. 1 SGB XI) and is borne half and half (§ 58 Abs. 1 SGB XI), so the PV line is
    // the one that goes with the KV line, as for any employee. The rate lookup writes both; a
    // privately insured pensioner is in private care insurance (§ 23 Abs. 1 SGB XI).
    if (g >= UeberGleit) {
        kvbeitragholen();
    } else {
        e(0, ZeileKV) = mehrfach ? kv::GleitMehrfach : kv::GleitEinzig;
        if (f.KVStatus >= kvstatus::Privat)
            e(0, ZeilePV) = pv::Befreit;
        else
            e(0, ZeilePV) = mehrfach ? pv::GleitMehrfach : pv::GleitEinzig;
    }
    e(0, ZeileRV) = rv::Rentner;
    // AV freedom comes with the standard retirement age (§ 28 Abs. 1 Nr. 1 SGB III), 65 for
    // all who reached it up to 2010 (§ 235 Abs. 2 SGB VI); beyond it the employer pays his own
    // half (§ 346 Abs. 3 SGB III). A pensioner under 65 pays AV like an employee.
    if (f.HBStatus == status::RentnerUeber65)
        e(0, ZeileAV) = av::RentnerAG;
    else
        e(0, ZeileAV) = g >= UeberGleit ? av::Beitrag : (mehrfach ? av::GleitMehrfach : av::GleitEinzig);
    if (f.HBEntgelt + f.Monatsdurchschnitt[1] + f.Monatsdurchschnitt[2] < GleitBeginn)
        HBNormal();
}

void Bestimmung::erwerbsunfaehigkeitsrentner()
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    m_ansicht.HBCheck.visible = false;
    m_ansicht.GBCheck[1].visible = false;
    if (f.Gesamtentgelt <= GleitEnde) {
        m_ansicht.HR.visible = true;
        Gleitzone();
    } else {
        e(0, ZeileLSt) = steuercode();
        kvbeitragholen();
        e(0, ZeileRV) = rv::Beitrag;
    }
    e(0, ZeileAV) = av::Befreit;
    if (f.HBEntgelt + f.Monatsdurchschnitt[1] + f.Monatsdurchschnitt[2] < GleitBeginn)
        HBNormal();
}

// Self-employed or no main employment: the column shows its overlay and no result.
void Bestimmung::ohneHauptbeschaeftigung()
{
    auto& a = m_ansicht;
    m_fall.HBEntgelt = Null;
    a.HBEuro.value = Null;
    a.SVEntgelt.visible = false;
    a.HBCheck.visible = false;
    a.KVTafel.visible = false;
    a.vielleicht[0].visible = true;
}

void Bestimmung::HBNormal()
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    const Currency g = f.Gesamtentgelt;
    if (g > GleitEnde) {
        e(0, ZeileLSt) = steuercode();
        kvbeitragholen();
        e(0, ZeileRV) = rv::Beitrag;
        e(0, ZeileAV) = av::Beitrag;
        return;
    }
    if (g >= GleitBeginn) {
        m_ansicht.HR.visible = true;
        Gleitzone();
        return;
    }
    if (g < Eins || g > MiniGrenze) {
        if (g == Null)
            m_ansicht.vielleicht[0].visible = true;
        return;
    }
    // A main employment that is itself a mini job, unless the minor ones lift it out.
    if (f.HBEntgelt + f.Monatsdurchschnitt[1] + f.Monatsdurchschnitt[2] < GleitBeginn) {
        HBmini();
    } else {
        m_ansicht.HR.visible = true;
        Gleitzone();
    }
}

void Bestimmung::HBmini()
{
    m_fall.ergebnis(0, ZeileLSt) = lst::Pauschal2;
    miniRegeln(0, m_fall.Privathaushalt[1]);
}

void Bestimmung::HBbefreit()
{
    befreit(0);
    m_ansicht.SVEntgelt.visible = false;
    m_ansicht.KVTafel.visible = false;
    if (m_fall.HBStatus != status::Schueler) {
        m_fall.HBEntgelt = Null;
        m_ansicht.HBEuro.value = Null;
        m_ansicht.SVEntgelt.visible = false;
    }
}

void Bestimmung::Gleitzone()
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    const bool mehrfach = f.Gleitfall == gleitfall::Mehrfach;
    switch (f.KVStatus) {
    case kvstatus::Gesetzlich:
    case kvstatus::Firmenzahler:
        e(0, ZeileKV) = mehrfach ? kv::GleitMehrfach : kv::GleitEinzig;
        e(0, ZeilePV) = mehrfach ? pv::GleitMehrfach : pv::GleitEinzig;
        break;
    case kvstatus::Selbstzahler:
        kvbeitragholen();
        break;
    case kvstatus::Privat:
        e(0, ZeileKV) = kv::Befreit;
        e(0, ZeilePV) = pv::Befreit;
        break;
    default:
        break;
    }
    if (mehrfach) {
        e(0, ZeileRV) = f.RVVoll ? rv::GleitMehrfachVoll : rv::GleitMehrfachGekuerzt;
        e(0, ZeileAV) = av::GleitMehrfach;
    } else {
        e(0, ZeileRV) = f.RVVoll ? rv::GleitEinzigVoll : rv::GleitEinzigGekuerzt;
        e(0, ZeileAV) = av::GleitEinzig;
    }
}

// From 2009 one rate holds for every fund (§ 241 SGB V), taken from the rates table as the
// amounts take it. Before, the fund's rate from the employee's data where it has a line of
// its own (10 % to 16 % in steps of 0,1), else the state's rate of the year's table. Rows
// outside the states (a stored case without a state) keep what the table holds.
std::int16_t Bestimmung::kvSatzDerZeile(int zeile) const
{
    const std::int16_t tafel = m_mini.kvSatz(zeile);
    if (zeile < 0 || zeile >= params::AnzahlLaender)
        return tafel;
    constexpr std::int64_t Hundertstel = Currency::Scale / 100;
    const params::Beitragssaetze* s =
        params::beitragssaetze(m_mini.AktJahr, m_mini.Auswahl[params::AuswahlMonat]);
    if (s != nullptr && s->kvSatz)
        return static_cast<std::int16_t>(s->kvSatz->raw() / Hundertstel);
    const std::optional<Currency>& kasse = arbeitnehmerdaten().KVSatzKasse;
    constexpr Currency Kleinster = Currency::fromWhole(10), Groesster = Currency::fromWhole(16);
    if (kasse && *kasse >= Kleinster && *kasse <= Groesster && kasse->raw() % (10 * Hundertstel) == 0)
        return static_cast<std::int16_t>(kasse->raw() / Hundertstel);
    return tafel;
}

void Bestimmung::kvbeitragholen()
{
    const int c = m_mini.AktBesch;
    if (c < 0 || c >= Spalten)
        return;
    auto& e = m_fall.ergebnis;
    e(c, ZeilePV) = pv::Beitrag;
    const int land = m_mini.Auswahl[params::AuswahlLand];
    switch (m_fall.KVStatus) {
    case kvstatus::Gesetzlich:
    case kvstatus::Firmenzahler:
    case kvstatus::Selbstzahler:
        if (land >= 0 && land < params::AnzahlLaender) {
            const std::int16_t satz = kvSatzDerZeile(land);
            if (satz <= 0)
                return;
            // The voluntarily insured who pays himself gets the employer's subsidy line.
            const bool zuschuss = m_fall.KVStatus == kvstatus::Selbstzahler;
            const params::Code code = zuschuss ? kv::zuschuss(satz) : kv::beitrag(satz);
            if (kv::imBereich(code))
                e(c, ZeileKV) = code;
            if (zuschuss)
                e(c, ZeilePV) = pv::Zuschuss;
        } else if (land == params::LetzteTafelzeile) {
            e(c, ZeileKV) = kv::Pauschal;
        }
        break;
    case kvstatus::Privat:
        e(c, ZeileKV) = kv::Befreit;
        e(c, ZeilePV) = pv::Befreit;
        break;
    default:
        break;
    }
}

} // namespace svp::engine
