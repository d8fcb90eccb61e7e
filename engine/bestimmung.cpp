#include "bestimmung.h"

#include "params/fixed_text.h"

namespace svp::engine {

using namespace grenze;
namespace lst = params::lst;
namespace kv = params::kv;
namespace pv = params::pv;
namespace rv = params::rv;
namespace av = params::av;

namespace {

constexpr const char* HinweisUnterGrenze =
    "Die Sozialversichrungspflicht für Beschäftigungen unter 400,01 Euro ist in den Spalten rechts "
    "daneben zu prüfen.";
constexpr const char* KeineKurzfristigeHaupt =
    "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte bewerten Sie die Beschäftigung in der "
    "Spalte HAUPTBESCHÄFTIGUNG.";
constexpr const char* KeineKurzfristigeRechts =
    "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte prüfen Sie in der Spalte rechts, ob eine "
    "entgeltgeringfügige Beschäftigung vorliegt.";

template <std::size_t N> const std::string& textZu(const std::array<std::string, N>& tafel, params::Code code)
{
    static const std::string leer(params::TextWidth, ' ');
    if (code < 0 || static_cast<std::size_t>(code) >= N)
        return leer;
    return tafel[static_cast<std::size_t>(code)];
}

} // namespace

std::string gleitzoneInWorten(const Fall& fall)
{
    if (fall.Gesamtentgelt < GleitBeginn || fall.Gesamtentgelt > GleitEnde)
        return "nein";
    return fall.Gleitfall == gleitfall::Mehrfach ? "ja, mehrere Beschäftigungen (besondere Berechnung)"
                                                 : "ja, einzige Beschäftigung";
}

void berufsmaessigFragen(Ansicht& a, int i)
{
    if (i == 0 && a.KBCheck[0].checked) {
        a.KBCheck[2].visible = false;
        a.KBCheckB[2].visible = false;
    } else if (i == 1) {
        const bool zeigen = a.KBCheck[1].checked && !a.KBCheck[0].checked;
        a.KBCheck[2].visible = zeigen;
        a.KBCheckB[2].visible = zeigen;
    }
}

Bestimmung::Bestimmung(params::Mini& mini, Fall& fall, Ansicht& ansicht)
    : m_mini(mini), m_fall(fall), m_ansicht(ansicht)
{
}

// The tax class of the case for the main employment's own tax line; the codes from 47 on are
// no class.
params::Code Bestimmung::steuercode() const
{
    const params::Code t = m_mini.Auswahl[params::AuswahlSteuer];
    return t < lst::KlasseWaehlen ? t : lst::Leer;
}

void Bestimmung::svzentrum()
{
    ++m_laeufe;
    auto& f = m_fall;
    ergebnisbereichZuruecksetzen();
    minijobsSummieren();
    hauptentgeltPruefen();
    gesamtentgeltBestimmen();
    // An empty mini-job column shows its overlay.
    m_ansicht.vielleicht[2].visible = f.Monatsdurchschnitt[1] == Null;
    m_ansicht.vielleicht[3].visible = f.Monatsdurchschnitt[2] == Null;
    gleitfallBestimmen();
    hauptbeschaeftigung();
    kurzfristigeBeschaeftigung();
    ersteMinijob();
    spaetereMinijobs();
    if (f.HBEntgelt == Null)
        steuerzeilenOhneHauptbeschaeftigung();
    else if (f.HBEntgelt > Null)
        steuerzeilenNebenHauptbeschaeftigung();
    anzeigen();
}

void Bestimmung::ergebnisbereichZuruecksetzen()
{
    auto& a = m_ansicht;
    a.KVTafel.visible = true;
    a.Schuelertafel.visible = false;
    a.GKVtraeger.visible = true;
    a.GBCheck[1].visible = true;
    a.priv[1].visible = true;
    a.priv[2].visible = true;
    a.SVEntgelt.visible = true;
    a.vielleicht[0].visible = false;
    a.LSTinfo.visible = false;
    a.Lstkurz.visible = false;
    a.HB[1].caption = caption::Zeitgeringfuegig;
    a.HBCheck.visible = false;
    a.HR.visible = false;

    m_mini.AktBesch = 0;
    for (int c = 0; c < Spalten; ++c)
        for (int r = ZeileLSt; r <= ZeileAV; ++r)
            m_fall.ergebnis(c, r) = 0; // the note row 41 is kept
}

void Bestimmung::minijobsSummieren()
{
    auto& f = m_fall;
    auto& a = m_ansicht;
    // A second minor employment exists only while the first has a wage and months.
    if (a.loh[1].value == Null || a.Mon[1].value == Null) {
        a.loh[2].value = Null;
        a.Mon[2].value = Null;
        f.Monatslohn[2] = Null;
        f.Monate[2] = Null;
        a.deckel2.visible = true;
        a.vielleicht[3].visible = true;
    } else {
        a.deckel2.visible = false;
        a.vielleicht[3].visible = false;
    }

    for (int i = 1; i <= 2; ++i) {
        if (f.Monatslohn[i] <= Null || f.Monate[i] <= Null) {
            f.Lohnsumme[i] = f.Jahressumme[i] = f.Monatsdurchschnitt[i] = Null;
        } else {
            f.Lohnsumme[i] = f.Monatslohn[i] * f.Monate[i];
            f.Jahressumme[i] = f.Lohnsumme[i] + f.Weihnachtsgeld[i] + f.Urlaubsgeld[i];
            f.Monatsdurchschnitt[i] = f.Jahressumme[i] / f.Monate[i];
        }
        a.AllMo[i].value = f.Lohnsumme[i];
        a.Jasum[i].value = f.Jahressumme[i];
        a.Modurch[i].value = f.Monatsdurchschnitt[i];
    }
}

// The main employment's pay must reach the sliding zone; below it an employee or pensioner is
// judged in the mini-job columns.
void Bestimmung::hauptentgeltPruefen()
{
    auto& f = m_fall;
    auto& ueberlagerung = m_ansicht.vielleicht[0];
    switch (f.HBStatus) {
    case status::Angestellter:
    case status::RentnerUeber65:
    case status::RentnerUnter65:
    case status::BURentner:
    case status::EURentner:
        if (f.HBEntgelt >= GleitBeginn) {
            ueberlagerung.caption.clear();
            ueberlagerung.visible = false;
        } else {
            ueberlagerung.caption = HinweisUnterGrenze;
            ueberlagerung.visible = true;
            f.HBEntgelt = Null;
            m_ansicht.HBEuro.value = Null;
        }
        break;
    case status::Beamter:
    case status::Selbstaendig:
    case status::Keine:
        // These statuses have no pay of their own that counts. Setting it to 0 here, before the
        // total and the sliding-zone variant are decided, lets the whole run see the pay it
        // keeps (the main employment's rules clear it again).
        f.HBEntgelt = Null;
        m_ansicht.HBEuro.value = Null;
        ueberlagerung.caption.clear();
        ueberlagerung.visible = false;
        break;
    case status::Schueler:
    case status::Auszubildender:
    case status::StudentAushilfe:
    case status::StudentVorNach:
    case status::StudentZwischen:
        ueberlagerung.caption.clear();
        ueberlagerung.visible = false;
        break;
    default:
        break;
    }
}

// The total pay that decides between mini job, sliding zone and ordinary employment. Later
// rules overwrite earlier ones.
void Bestimmung::gesamtentgeltBestimmen()
{
    auto& f = m_fall;
    const Currency hb = f.HBEntgelt;
    const Currency d1 = f.Monatsdurchschnitt[1];
    const Currency d2 = f.Monatsdurchschnitt[2];
    // A first mini-job beside a main employment stays out of the total while it is a mini
    // job; the later ones are always added.
    Currency g = hb;
    if (d1 < GleitBeginn && hb > Null)
        g = hb + d2;
    if (d1 > MiniGrenze && hb > Null)
        g = hb + d1 + d2;
    if (hb + d1 + d2 < GleitBeginn)
        g = hb + d1 + d2;
    if (d1 + d2 > MiniGrenze && hb == Null)
        g = d1 + d2;
    if (d1 + d2 < GleitBeginn && hb == Null)
        g = hb;
    if (f.HBStatus == status::Schueler && f.SchuelerArt == schuelerart::Laufend && hb < GleitBeginn)
        g = d1 + d2;
    f.Gesamtentgelt = g;
}

void Bestimmung::gleitfallBestimmen()
{
    auto& f = m_fall;
    const Currency hb = f.HBEntgelt;
    const Currency d1 = f.Monatsdurchschnitt[1];
    const Currency d2 = f.Monatsdurchschnitt[2];
    const bool mehrereMinijobs = d1 + d2 > MiniGrenze && d1 > Null && d2 > Null;
    if (hb <= Null)
        f.Gleitfall = mehrereMinijobs ? gleitfall::Mehrfach : gleitfall::Einzig;
    else if (d1 >= GleitBeginn)
        f.Gleitfall = gleitfall::Mehrfach;
    else
        f.Gleitfall = d1 + d2 >= MehrfachGrenze ? gleitfall::Mehrfach : gleitfall::Einzig;
    if (hb < GleitBeginn && f.HBStatus == status::Schueler && f.SchuelerArt == schuelerart::Laufend)
        f.Gleitfall = mehrereMinijobs ? gleitfall::Mehrfach : gleitfall::Einzig;
}

// ---------------------------------------------------------------------------------------------
// Main employment (column 0)

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
    const params::Code code = kv::beitrag(m_mini.kvSatz(m_mini.Auswahl[params::AuswahlLand]));
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
            const std::int16_t satz = m_mini.kvSatz(land);
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

// ---------------------------------------------------------------------------------------------
// Minor employments (columns 2 and 3)

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
            const std::int16_t satz = m_mini.kvSatz(m_mini.Auswahl[params::AuswahlZeile] + 1);
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

// ---------------------------------------------------------------------------------------------
// Short-term employment (column 1)

void Bestimmung::kurzfristigeBeschaeftigung()
{
    auto& a = m_ansicht;
    m_mini.AktBesch = 1;
    switch (m_fall.KBArt) {
    case kbart::ZweiMonate:
    case kbart::FuenfzigTage:
        // Short-term only if not regular, and above 400 Euro only if not taken up as a
        // profession; "berufsmäßig" is asked only then.
        a.KBCheck[0].visible = true;
        a.KBCheckB[0].visible = true;
        if (a.KBCheck[0].checked) {
            pflichtig();
        } else if (a.KBCheck[1].checked) {
            a.KBCheck[2].visible = true;
            a.KBCheckB[2].visible = true;
            if (a.KBCheck[2].checked)
                pflichtig();
            else
                kurzfristig();
        } else {
            a.KBCheck[2].visible = false;
            a.KBCheckB[2].visible = false;
            kurzfristig();
        }
        break;
    case kbart::Laenger:
        a.KBCheck[0].visible = false;
        a.KBCheck[2].visible = false;
        a.KBCheckB[0].visible = false;
        a.KBCheckB[2].visible = false;
        pflichtig();
        break;
    default:
        break;
    }
}

void Bestimmung::kurzfristig()
{
    m_ansicht.vielleicht[1].visible = false;
    befreit(1);
}

void Bestimmung::pflichtig()
{
    auto& ueberlagerung = m_ansicht.vielleicht[1];
    ueberlagerung.caption = m_ansicht.KBCheck[1].checked ? KeineKurzfristigeHaupt : KeineKurzfristigeRechts;
    ueberlagerung.visible = true;
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

// ---------------------------------------------------------------------------------------------
// Tax lines of columns 1 to 3

void Bestimmung::steuerzeilenOhneHauptbeschaeftigung()
{
    auto& f = m_fall;
    auto& a = m_ansicht;
    auto& e = f.ergebnis;
    // A tax class from 48 on is no class: the class must be chosen individually.
    const params::Code t = m_mini.Auswahl[params::AuswahlSteuer];
    const bool keineKlasse = t >= lst::Lohnsteuerkarte;
    const params::Code klasseOderWahl = keineKlasse ? lst::KlasseWaehlen : t;
    const Currency d2 = f.Monatsdurchschnitt[2];
    const Currency s = f.Monatsdurchschnitt[1] + d2;
    const Currency g = f.Gesamtentgelt;

    if (s != Null) {
        e(1, ZeileLSt) = lst::Lohnsteuerkarte;
    } else {
        e(1, ZeileLSt) = klasseOderWahl;
        if (keineKlasse)
            a.Lstkurz.visible = true;
    }
    if (d2 != Null) {
        if (g < GleitBeginn) {
            e(2, ZeileLSt) = lst::Pauschal2;
            e(3, ZeileLSt) = lst::Pauschal2;
        } else if (keineKlasse) {
            e(2, ZeileLSt) = lst::KlasseWaehlen;
            e(3, ZeileLSt) = t;
            f.LStHinweis = lsthinweis::Klassenwahl;
            a.LSTinfo.visible = true;
        } else {
            e(2, ZeileLSt) = t;
            e(3, ZeileLSt) = t;
        }
    } else if (g < GleitBeginn) {
        e(2, ZeileLSt) = lst::Pauschal2;
        f.LStHinweis = lsthinweis::Lohnsteuerkarte;
        a.LSTinfo.visible = true;
    } else {
        e(2, ZeileLSt) = klasseOderWahl;
        f.LStHinweis = lsthinweis::Klassenwahl;
        a.LSTinfo.visible = true;
    }
}

void Bestimmung::steuerzeilenNebenHauptbeschaeftigung()
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    const Currency d1 = f.Monatsdurchschnitt[1];
    const Currency s = d1 + f.Monatsdurchschnitt[2];
    e(1, ZeileLSt) = lst::Lohnsteuerkarte;
    // Beside a main employment a mini job is taxed at the flat rate when its pension line is a
    // mini-job line, by its tax card when the pension line is an ordinary one.
    auto steuerNachRV = [&](int c) {
        const params::Code code = e(c, ZeileRV);
        if (rv::pauschal(code))
            e(c, ZeileLSt) = lst::Pauschal2;
        else if (code >= rv::Beitrag && code <= rv::GleitMehrfachVoll)
            e(c, ZeileLSt) = lst::Lohnsteuerkarte;
    };
    if (d1 < GleitBeginn)
        steuerNachRV(2);
    else
        e(2, ZeileLSt) = lst::Lohnsteuerkarte;
    if (s < GleitBeginn)
        steuerNachRV(3);
    else
        e(3, ZeileLSt) = lst::Lohnsteuerkarte;
}

// Every code of the four columns becomes the text of its result label.
void Bestimmung::anzeigen()
{
    const auto& mini = m_mini;
    const auto& e = m_fall.ergebnis;
    for (int c = 0; c < Spalten; ++c) {
        auto& zeilen = m_ansicht.Ergebnistext[static_cast<std::size_t>(c)];
        zeilen[0] = textZu(mini.LStText, e(c, ZeileLSt));
        zeilen[1] = textZu(mini.KVText, e(c, ZeileKV));
        zeilen[2] = textZu(mini.PVText, e(c, ZeilePV));
        zeilen[3] = textZu(mini.RVText, e(c, ZeileRV));
        zeilen[4] = textZu(mini.AVText, e(c, ZeileAV));
        zeilen[5] = textZu(mini.HinweisText, e(c, ZeileHinweis));
    }
}

} // namespace svp::engine
