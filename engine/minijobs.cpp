// The rules of the earnings-based minor employments: the first mini-job (column 2) and the later
// ones, summed (column 3).
#include "bestimmung.h"

namespace svp::engine {

using namespace grenze;
namespace lst = params::lst;
namespace kv = params::kv;
namespace pv = params::pv;
namespace rv = params::rv;
namespace av = params::av;

void Bestimmung::GB1keineHB()
{
    auto& f = m_fall;
    auto& pruefung = m_ansicht.GBCheck[1];
    if (f.Gesamtentgelt < GleitBeginn) {
        pruefung.caption = caption::VerzichtBefreiung;
        GB1Mini();
    } else if (f.Gesamtentgelt <= GleitEnde) {
        pruefung.caption = caption::GleitzoneVoll;
        if (f.Gleitfall == gleitfall::Mehrfach)
            GB1Gleit2();
        else
            GB1Gleit1();
    } else {
        pruefung.visible = false;
        GB1Normal();
    }
}

void Bestimmung::GB1Mini()
{
    miniRegeln(2, m_fall.Privathaushalt[1]);
}

void Bestimmung::GB2Mini()
{
    m_ansicht.priv[2].visible = true;
    miniRegeln(3, m_fall.Privathaushalt[2]);
}

void Bestimmung::GB1Normal()
{
    m_ansicht.GBCheck[1].visible = false;
    m_ansicht.priv[1].visible = false;
    normalRegeln(2);
}

void Bestimmung::GB2Normal()
{
    m_ansicht.priv[2].visible = false;
    normalRegeln(3);
}

void Bestimmung::GB1Gleit1()
{
    gleitRegeln(2, gleitfall::Einzig);
}
void Bestimmung::GB1Gleit2()
{
    gleitRegeln(2, gleitfall::Mehrfach);
}
void Bestimmung::GB2Gleit1()
{
    gleitRegeln(3, gleitfall::Einzig);
}
void Bestimmung::GB2Gleit2()
{
    gleitRegeln(3, gleitfall::Mehrfach);
}

// Exempt from all four branches.
void Bestimmung::befreit(int c)
{
    auto& e = m_fall.ergebnis;
    e(c, ZeileKV) = kv::Befreit;
    e(c, ZeilePV) = pv::Befreit;
    e(c, ZeileRV) = rv::Befreit;
    e(c, ZeileAV) = av::Befreit;
}

// Flat-rate employer contributions; in a private household the reduced rates of the
// household-cheque procedure. RVVoll is the waiver of the RV exemption: the employee tops up.
void Bestimmung::miniRegeln(int c, bool haushalt)
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    // The flat KV contribution is owed for those insured in statutory KV only (§ 249b SGB V):
    // 13 % (11 % until June 2006), 5 % in a private household (Satz 2, unchanged in July 2006).
    // The privately insured or not insured owe none: their line is the exemption.
    if (f.KVStatus == kvstatus::Privat)
        e(c, ZeileKV) = kv::Befreit;
    else
        e(c, ZeileKV) = haushalt ? kv::PauschalHaushalt : kv::Pauschal;
    e(c, ZeilePV) = pv::Befreit;
    // With the waiver the employee tops the employer's 15 % (household 5 %) up to the full rate
    // (§ 168 Abs. 1 Nr. 1b and 1c SGB VI).
    if (!f.RVVoll)
        e(c, ZeileRV) = haushalt ? rv::Haushaltsscheck : rv::Pauschal;
    else
        e(c, ZeileRV) = haushalt ? rv::HaushaltAufstockung : rv::Aufstockung;
    e(c, ZeileAV) = av::Befreit;
}

void Bestimmung::normalRegeln(int c)
{
    auto& e = m_fall.ergebnis;
    if (m_fall.KVStatus >= kvstatus::Privat) {
        e(c, ZeileKV) = kv::Befreit;
        e(c, ZeilePV) = pv::Befreit;
    } else {
        kvbeitragholen();
    }
    e(c, ZeileRV) = rv::Beitrag;
    e(c, ZeileAV) = av::Beitrag;
    rentnerRegeln(c);
}

void Bestimmung::gleitRegeln(int c, int variante)
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    if (variante == gleitfall::Mehrfach) {
        if (f.KVStatus == kvstatus::Privat) {
            e(c, ZeileKV) = kv::Befreit;
            e(c, ZeilePV) = pv::Befreit;
        } else {
            e(c, ZeileKV) = kv::GleitMehrfach;
            e(c, ZeilePV) = pv::GleitMehrfach;
        }
        e(c, ZeileRV) = f.RVVoll ? rv::GleitMehrfachVoll : rv::GleitMehrfachGekuerzt;
        e(c, ZeileAV) = av::GleitMehrfach;
    } else {
        switch (f.KVStatus) {
        case kvstatus::Gesetzlich:
        case kvstatus::Firmenzahler:
            e(c, ZeileKV) = kv::GleitEinzig;
            e(c, ZeilePV) = pv::GleitEinzig;
            break;
        case kvstatus::Selbstzahler: {
            // The employer's subsidy is read from rate row Auswahl(46) + 1, not from the
            // selected state.
            const std::int16_t satz = kvSatzDerZeile(m_mini.Auswahl[params::AuswahlZeile] + 1);
            const params::Code code = satz > 0 ? kv::zuschuss(satz) : kv::ErsterZuschuss;
            e(c, ZeileKV) = kv::imBereich(code) ? code : kv::ErsterZuschuss;
            e(c, ZeilePV) = pv::Zuschuss;
            break;
        }
        case kvstatus::Privat:
            e(c, ZeileKV) = kv::Befreit;
            e(c, ZeilePV) = pv::Befreit;
            break;
        default:
            break;
        }
        e(c, ZeileRV) = f.RVVoll ? rv::GleitEinzigVoll : rv::GleitEinzigGekuerzt;
        e(c, ZeileAV) = av::GleitEinzig;
    }
    rentnerRegeln(c);
}

// Beside a pension the minor columns above the mini-job limit follow the pensioner's lines:
// the employer's RV line of a full pension, the employer's AV half beyond 65, no AV with a
// pension for full incapacity (§ 28 Abs. 2 SGB III). PV keeps the line that went with
// the KV line (§ 20 Abs. 1 SGB XI).
void Bestimmung::rentnerRegeln(int c)
{
    auto& e = m_fall.ergebnis;
    const int s = m_fall.HBStatus;
    if (s == status::RentnerUeber65 || s == status::RentnerUnter65)
        e(c, ZeileRV) = rv::Rentner;
    if (s == status::RentnerUeber65)
        e(c, ZeileAV) = av::RentnerAG;
    if (s == status::EURentner)
        e(c, ZeileAV) = av::Befreit;
}

void Bestimmung::ersteMinijob()
{
    auto& f = m_fall;
    auto& a = m_ansicht;
    m_mini.AktBesch = 2;
    const Currency hb = f.HBEntgelt;
    const Currency d1 = f.Monatsdurchschnitt[1];

    // The waiver of the RV exemption is offered beside every main employment but a pension.
    if (f.HBStatus >= status::Angestellter && f.HBStatus <= status::StudentZwischen) {
        a.GBCheck[1].caption = caption::VerzichtBefreiung;
        a.GBCheck[1].visible = true;
        a.GBGrenze[1].visible = false;
        a.GBGrenze[2].visible = false;
    } else if (f.HBStatus >= status::RentnerUeber65 && f.HBStatus <= status::EURentner) {
        a.GBCheck[1].visible = false;
        a.GBGrenze[1].visible = false;
        a.GBGrenze[2].visible = false;
    }

    if (hb <= Null) {
        GB1keineHB();
    } else if (hb < GleitBeginn && f.HBStatus == status::Schueler && f.SchuelerArt == schuelerart::Laufend) {
        GB1keineHB();
    } else if (d1 <= MiniGrenze) {
        a.GBCheck[1].caption = caption::VerzichtBefreiung;
        GB1Mini();
    } else {
        a.GBGrenze[1].visible = true;
        if (f.Gesamtentgelt >= UeberGleit) {
            GB1Normal();
            a.GBCheck[1].visible = false;
        } else {
            a.GBCheck[1].caption = caption::GleitzoneVoll;
            if (f.Gleitfall == gleitfall::Mehrfach)
                GB1Gleit2();
            else
                GB1Gleit1();
        }
    }
}

void Bestimmung::spaetereMinijobs()
{
    auto& f = m_fall;
    m_mini.AktBesch = 3;
    const Currency hb = f.HBEntgelt;
    const Currency d1 = f.Monatsdurchschnitt[1];
    const Currency d2 = f.Monatsdurchschnitt[2];
    const Currency s = d1 + d2;
    const Currency g = f.Gesamtentgelt;

    if (d2 <= Null)
        return;
    m_ansicht.vielleicht[3].visible = false;

    auto gleit = [&] {
        if (f.Gleitfall == gleitfall::Mehrfach)
            GB2Gleit2();
        else
            GB2Gleit1();
    };
    // Mini job, ordinary employment or sliding zone by the sum of the minor employments.
    auto nachSumme = [&] {
        if (s < GleitBeginn)
            GB2Mini();
        else if (g > GleitEnde)
            GB2Normal();
        else
            gleit();
    };

    if (hb <= Null) {
        if (s < GleitBeginn) {
            GB2Mini();
        } else {
            m_ansicht.GBGrenze[2].visible = true;
            if (g > GleitEnde)
                GB2Normal();
            else
                gleit();
        }
        return;
    }

    // Beside a main employment the column is decided twice; the second decision counts, and
    // the later mini-jobs stay free of AV.
    if (d1 < GleitBeginn) {
        nachSumme();
    } else if (g < UeberGleit) {
        gleit();
    } else {
        GB2Normal();
    }
    nachSumme();
    if (s < GleitBeginn)
        spaetereHinzurechnen();
    f.ergebnis(3, ZeileAV) = av::Befreit;
}

// Beside a main employment only the first mini-job stays free; every later one is added to the
// main employment whatever its own pay (§ 8 Abs. 2 Satz 1 SGB IV), in each branch where the
// main employment is liable: KV and PV where it is compulsorily insured in KV (§ 7 Abs. 1
// Satz 2 SGB V; PV follows KV, § 20 Abs. 1 SGB XI), RV where it is RV-liable (§ 5 Abs. 2
// Satz 1 SGB VI), never AV (§ 27 Abs. 2 Satz 1 SGB III). An added branch takes the main
// employment's line; a branch the main employment is free of keeps the mini-job line.
void Bestimmung::spaetereHinzurechnen()
{
    auto& e = m_fall.ergebnis;
    const bool inKV = m_fall.KVStatus == kvstatus::Gesetzlich && kv::beitragslinie(e(0, ZeileKV));
    const bool inRV = rv::beitragslinie(e(0, ZeileRV));
    if (inKV) {
        e(3, ZeileKV) = e(0, ZeileKV);
        e(3, ZeilePV) = e(0, ZeilePV);
    }
    if (inRV)
        e(3, ZeileRV) = e(0, ZeileRV);
    // Added in every branch with flat rates, the household cheque no longer applies.
    if (inKV && inRV)
        m_ansicht.priv[2].visible = false;
}

} // namespace svp::engine
