#include "bestimmung.h"

#include "params/fixed_text.h"

namespace svp::engine {

using namespace grenze;

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

// KV text code of a general rate R (hundredths of a percent): the employee's contribution line
// of that rate; one more is the employer's subsidy line.
std::int16_t kvCode(std::int16_t rate)
{
    return static_cast<std::int16_t>(params::mulDivRoundHalfEven(rate - 1000, 1, 5));
}

bool kvCodeGueltig(std::int64_t code)
{
    return code >= 0 && code <= params::KVMax;
}

// A pension code that means the flat-rate mini-job regime (2, 3 employer's flat rate, 11, 12
// household procedure) lets the flat wage tax apply.
bool pauschalRV(std::int16_t rv)
{
    return rv == 2 || rv == 3 || rv == 11 || rv == 12;
}

template <std::size_t N> const std::string& textOf(const std::array<std::string, N>& table, std::int16_t code)
{
    static const std::string blank(params::TextWidth, ' ');
    if (code < 0 || static_cast<std::size_t>(code) >= N)
        return blank;
    return table[static_cast<std::size_t>(code)];
}

} // namespace

Bestimmung::Bestimmung(params::Mini& mini, Fall& fall, Ansicht& ansicht)
    : m_mini(mini), m_fall(fall), m_ansicht(ansicht)
{
}

std::int16_t Bestimmung::steuercode() const
{
    const std::int16_t t = m_mini.Auswahl[params::AuswahlSteuer];
    return t < 47 ? t : 0;
}

void Bestimmung::svzentrum()
{
    zuruecksetzen();                                                        // steps 1 and 2
    summen();                                                               // steps 3 and 4
    hauptbeschaeftigungPruefen();                                           // step 5
    gesamtentgelt();                                                        // step 6
    m_ansicht.vielleicht[2].visible = m_fall.Monatsdurchschnitt[1] == Null; // step 7
    m_ansicht.vielleicht[3].visible = m_fall.Monatsdurchschnitt[2] == Null;
    gleitfall();                  // step 8
    hauptbeschaeftigung();        // steps 9 and 10
    kurzfristigeBeschaeftigung(); // step 11
    ersteMinijob();               // step 12
    spaetereMinijobs();           // step 13
    steuerzeilen();               // step 14
    anzeigen();                   // step 15
}

void Bestimmung::zuruecksetzen()
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

void Bestimmung::summen()
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

void Bestimmung::hauptbeschaeftigungPruefen()
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
            // Below the sliding zone the main employment is judged in the minor columns.
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
        // keeps (the main-employment step clears it again).
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

void Bestimmung::gesamtentgelt()
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
    if (f.HBStatus == status::Schueler && f.SchuelerArt == 1 && hb < GleitBeginn)
        g = d1 + d2;
    f.Gesamtentgelt = g;
}

void Bestimmung::gleitfall()
{
    auto& f = m_fall;
    const Currency hb = f.HBEntgelt;
    const Currency d1 = f.Monatsdurchschnitt[1];
    const Currency d2 = f.Monatsdurchschnitt[2];
    const bool mehrereMinijobs = d1 + d2 > MiniGrenze && d1 > Null && d2 > Null;
    if (hb <= Null)
        f.Gleitfall = mehrereMinijobs ? 2 : 1;
    else if (d1 >= GleitBeginn)
        f.Gleitfall = 2;
    else
        f.Gleitfall = d1 + d2 >= MehrfachGrenze ? 2 : 1;
    if (hb < GleitBeginn && f.HBStatus == status::Schueler && f.SchuelerArt == 1)
        f.Gleitfall = mehrereMinijobs ? 2 : 1;
}

void Bestimmung::hauptbeschaeftigung()
{
    auto& f = m_fall;
    auto& a = m_ansicht;
    auto& e = f.ergebnis;
    const Currency g = f.Gesamtentgelt;
    const Currency hb = f.HBEntgelt;
    const Currency summe = hb + f.Monatsdurchschnitt[1] + f.Monatsdurchschnitt[2];

    // Step 9, base codes.
    e(0, ZeileLSt) = steuercode();
    const std::int16_t code = kvCode(m_mini.kvSatz(m_mini.Auswahl[params::AuswahlLand]));
    if (kvCodeGueltig(code))
        e(0, ZeileKV) = code;
    e(0, ZeilePV) = 0;
    e(0, ZeileAV) = 0;
    a.SVEntgelt.visible = true;

    // Step 10, by status.
    switch (f.HBStatus) {
    case status::Angestellter:
    case status::BURentner:
        HBNormal();
        break;
    case status::Beamter:
        HBbefreit();
        break;
    case status::Schueler:
        a.KVTafel.visible = false;
        a.Schuelertafel.visible = true;
        switch (f.SchuelerArt) {
        case 0:
        case 2:
            HBbefreit();
            break;
        case 1:
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
        case 3:
            if (hb >= GleitBeginn)
                HBNormal();
            else
                HBmini();
            break;
        default:
            break;
        }
        e(0, ZeileAV) = 2;
        break;
    case status::Auszubildender:
    case status::StudentVorNach:
        e(0, ZeileLSt) = steuercode();
        kvbeitragholen();
        e(0, ZeileRV) = 0;
        e(0, ZeileAV) = 0;
        break;
    case status::StudentAushilfe:
        a.HBCheck.visible = true;
        if (!f.HBUeber20)
            a.KVTafel.visible = false;
        e(0, ZeileKV) = 123;
        e(0, ZeilePV) = 4;
        if (g <= GleitEnde) {
            a.HR.visible = true;
            e(0, ZeileRV) = f.RVVoll ? 8 : 7;
            if (f.HBUeber20) {
                a.KVTafel.visible = false;
                Gleitzone();
            }
        } else {
            e(0, ZeileRV) = 0;
            if (f.HBUeber20) {
                a.KVTafel.visible = true;
                kvbeitragholen();
                e(0, ZeileAV) = 0;
            }
        }
        break;
    case status::StudentZwischen:
        a.KVTafel.visible = false;
        a.HBCheck.visible = false;
        e(0, ZeileKV) = 123;
        e(0, ZeilePV) = 4;
        e(0, ZeileRV) = 1;
        e(0, ZeileAV) = 2;
        break;
    case status::RentnerUeber65:
    case status::RentnerUnter65:
        a.HBCheck.visible = false;
        a.GBCheck[1].visible = false;
        e(0, ZeileLSt) = steuercode();
        if (g >= UeberGleit)
            kvbeitragholen();
        else
            e(0, ZeileKV) = f.Gleitfall == 2 ? 129 : 128;
        e(0, ZeilePV) = 4;
        e(0, ZeileRV) = 6;
        if (f.HBStatus == status::RentnerUeber65)
            e(0, ZeileAV) = 5;
        else
            e(0, ZeileAV) = g >= UeberGleit ? 2 : (f.Gleitfall == 2 ? 4 : 3);
        if (summe < GleitBeginn)
            HBNormal();
        break;
    case status::EURentner:
        a.HBCheck.visible = false;
        a.GBCheck[1].visible = false;
        if (g <= GleitEnde) {
            a.HR.visible = true;
            Gleitzone();
        } else {
            e(0, ZeileLSt) = steuercode();
            kvbeitragholen();
            e(0, ZeileRV) = 0;
        }
        e(0, ZeileAV) = 2;
        if (summe < GleitBeginn)
            HBNormal();
        break;
    case status::Selbstaendig:
    case status::Keine:
        f.HBEntgelt = Null;
        a.HBEuro.value = Null;
        a.SVEntgelt.visible = false;
        a.HBCheck.visible = false;
        a.KVTafel.visible = false;
        a.vielleicht[0].visible = true;
        break;
    default:
        break;
    }
}

void Bestimmung::HBNormal()
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    const Currency g = f.Gesamtentgelt;
    if (g > GleitEnde) {
        e(0, ZeileLSt) = steuercode();
        kvbeitragholen();
        e(0, ZeileRV) = 0;
        e(0, ZeileAV) = 0;
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
    m_fall.ergebnis(0, ZeileLSt) = 53;
    miniRegeln(0, m_fall.Privathaushalt[1]);
}

void Bestimmung::HBbefreit()
{
    auto& e = m_fall.ergebnis;
    e(0, ZeileKV) = 123;
    e(0, ZeilePV) = 4;
    e(0, ZeileRV) = 1;
    e(0, ZeileAV) = 2;
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
    const bool mehrfach = f.Gleitfall == 2;
    switch (f.KVStatus) {
    case 0:
    case 1:
        e(0, ZeileKV) = mehrfach ? 129 : 128;
        e(0, ZeilePV) = mehrfach ? 8 : 7;
        break;
    case 2:
        kvbeitragholen();
        break;
    case 3:
        e(0, ZeileKV) = 123;
        e(0, ZeilePV) = 4;
        break;
    default:
        break;
    }
    if (mehrfach) {
        e(0, ZeileRV) = f.RVVoll ? 10 : 9;
        e(0, ZeileAV) = 4;
    } else {
        e(0, ZeileRV) = f.RVVoll ? 8 : 7;
        e(0, ZeileAV) = 3;
    }
}

void Bestimmung::kvbeitragholen()
{
    const int c = m_mini.AktBesch;
    if (c < 0 || c >= Spalten)
        return;
    auto& e = m_fall.ergebnis;
    e(c, ZeilePV) = 0;
    const int land = m_mini.Auswahl[params::AuswahlLand];
    switch (m_fall.KVStatus) {
    case 0:
    case 1:
    case 2:
        if (land >= 0 && land < params::StateCount) {
            const std::int16_t rate = m_mini.kvSatz(land);
            if (rate <= 0)
                return;
            // The voluntarily insured who pays himself gets the employer's subsidy line.
            const bool zuschuss = m_fall.KVStatus == 2;
            const auto code = static_cast<std::int16_t>(kvCode(rate) + (zuschuss ? 1 : 0));
            if (kvCodeGueltig(code))
                e(c, ZeileKV) = code;
            if (zuschuss)
                e(c, ZeilePV) = 1;
        } else if (land == 34) {
            e(c, ZeileKV) = 126;
        }
        break;
    case 3:
        e(c, ZeileKV) = 123;
        e(c, ZeilePV) = 4;
        break;
    default:
        break;
    }
}

void Bestimmung::GB1keineHB()
{
    auto& f = m_fall;
    auto& pruefung = m_ansicht.GBCheck[1];
    if (f.Gesamtentgelt < GleitBeginn) {
        pruefung.caption = caption::VerzichtBefreiung;
        GB1Mini();
    } else if (f.Gesamtentgelt <= GleitEnde) {
        pruefung.caption = caption::GleitzoneVoll;
        if (f.Gleitfall == 2)
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
    gleitRegeln(2, 1);
}
void Bestimmung::GB1Gleit2()
{
    gleitRegeln(2, 2);
}
void Bestimmung::GB2Gleit1()
{
    gleitRegeln(3, 1);
}
void Bestimmung::GB2Gleit2()
{
    gleitRegeln(3, 2);
}

void Bestimmung::miniRegeln(int c, bool haushalt)
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    // Flat-rate employer contributions; in a private household the reduced rates of the
    // household-cheque procedure.
    e(c, ZeileKV) = f.KVStatus == 3 ? 123 : (haushalt ? 127 : 126);
    e(c, ZeilePV) = 4;
    if (!f.RVVoll)
        e(c, ZeileRV) = haushalt ? 11 : 2;
    else
        e(c, ZeileRV) = haushalt ? 12 : 3;
    e(c, ZeileAV) = 2;
}

void Bestimmung::normalRegeln(int c)
{
    auto& e = m_fall.ergebnis;
    if (m_fall.KVStatus >= 3) {
        e(c, ZeileKV) = 123;
        e(c, ZeilePV) = 4;
    } else {
        kvbeitragholen();
    }
    e(c, ZeileRV) = 0;
    e(c, ZeileAV) = 0;
    rentnerRegeln(c);
}

void Bestimmung::gleitRegeln(int c, int variante)
{
    auto& f = m_fall;
    auto& e = f.ergebnis;
    if (variante == 2) {
        if (f.KVStatus == 3) {
            e(c, ZeileKV) = 123;
            e(c, ZeilePV) = 4;
        } else {
            e(c, ZeileKV) = 129;
            e(c, ZeilePV) = 8;
        }
        e(c, ZeileRV) = f.RVVoll ? 10 : 9;
        e(c, ZeileAV) = 4;
    } else {
        switch (f.KVStatus) {
        case 0:
        case 1:
            e(c, ZeileKV) = 128;
            e(c, ZeilePV) = 7;
            break;
        case 2: {
            // The employer's subsidy is read from rate row Auswahl(46) + 1, not from the
            // selected state.
            const std::int16_t rate = m_mini.kvSatz(m_mini.Auswahl[params::AuswahlZeile] + 1);
            const std::int16_t code = rate > 0 ? static_cast<std::int16_t>(kvCode(rate) + 1) : 1;
            e(c, ZeileKV) = kvCodeGueltig(code) ? code : 1;
            e(c, ZeilePV) = 1;
            break;
        }
        case 3:
            e(c, ZeileKV) = 123;
            e(c, ZeilePV) = 4;
            break;
        default:
            break;
        }
        e(c, ZeileRV) = f.RVVoll ? 8 : 7;
        e(c, ZeileAV) = 3;
    }
    rentnerRegeln(c);
}

void Bestimmung::rentnerRegeln(int c)
{
    auto& e = m_fall.ergebnis;
    const int s = m_fall.HBStatus;
    if (s == status::RentnerUeber65 || s == status::RentnerUnter65) {
        e(c, ZeileRV) = 6;
        e(c, ZeilePV) = 4;
    }
    if (s == status::RentnerUeber65)
        e(c, ZeileAV) = 5;
    if (s == status::EURentner)
        e(c, ZeileAV) = 2;
}

void Bestimmung::kurzfristigeBeschaeftigung()
{
    auto& a = m_ansicht;
    m_mini.AktBesch = 1;
    switch (m_fall.KBArt) {
    case 0:
    case 1:
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
    case 2:
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
    auto& e = m_fall.ergebnis;
    m_ansicht.vielleicht[1].visible = false;
    e(1, ZeileKV) = 123;
    e(1, ZeilePV) = 4;
    e(1, ZeileRV) = 1;
    e(1, ZeileAV) = 2;
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

    if (f.HBStatus >= 0 && f.HBStatus <= status::StudentZwischen) {
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
    } else if (hb < GleitBeginn && f.HBStatus == status::Schueler && f.SchuelerArt == 1) {
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
            if (f.Gleitfall == 2)
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
        if (f.Gleitfall == 2)
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

    // Beside a main employment the column is decided twice; the second decision counts.
    if (d1 < GleitBeginn) {
        nachSumme();
    } else if (g < UeberGleit) {
        gleit();
    } else {
        GB2Normal();
    }
    nachSumme();
    f.ergebnis(3, ZeileAV) = 2;
}

void Bestimmung::steuerzeilen()
{
    auto& f = m_fall;
    auto& a = m_ansicht;
    auto& e = f.ergebnis;
    const std::int16_t t = m_mini.Auswahl[params::AuswahlSteuer];
    const std::int16_t tOder47 = t < 48 ? t : 47;
    const Currency hb = f.HBEntgelt;
    const Currency d1 = f.Monatsdurchschnitt[1];
    const Currency d2 = f.Monatsdurchschnitt[2];
    const Currency s = d1 + d2;
    const Currency g = f.Gesamtentgelt;

    if (hb == Null) {
        if (s != Null) {
            e(1, ZeileLSt) = 48;
        } else if (t < 48) {
            e(1, ZeileLSt) = t;
        } else {
            e(1, ZeileLSt) = 47;
            a.Lstkurz.visible = true;
        }
        if (d2 != Null) {
            if (g < GleitBeginn) {
                e(2, ZeileLSt) = 53;
                e(3, ZeileLSt) = 53;
            } else if (t >= 48) {
                e(2, ZeileLSt) = 47;
                e(3, ZeileLSt) = t;
                f.LStHinweis = 2;
                a.LSTinfo.visible = true;
            } else {
                e(2, ZeileLSt) = t;
                e(3, ZeileLSt) = t;
            }
        } else if (g < GleitBeginn) {
            e(2, ZeileLSt) = 53;
            f.LStHinweis = 1;
            a.LSTinfo.visible = true;
        } else {
            e(2, ZeileLSt) = tOder47;
            f.LStHinweis = 2;
            a.LSTinfo.visible = true;
        }
    } else if (hb > Null) {
        e(1, ZeileLSt) = 48;
        // Beside a main employment a mini job is taxed at the flat rate when its pension line
        // is a mini-job line.
        auto steuerNachRV = [&](int c) {
            const std::int16_t rv = e(c, ZeileRV);
            if (pauschalRV(rv))
                e(c, ZeileLSt) = 53;
            else if (rv >= 0 && rv <= 10)
                e(c, ZeileLSt) = 48;
        };
        if (d1 < GleitBeginn)
            steuerNachRV(2);
        else
            e(2, ZeileLSt) = 48;
        if (s < GleitBeginn)
            steuerNachRV(3);
        else
            e(3, ZeileLSt) = 48;
    }
}

void Bestimmung::anzeigen()
{
    const auto& mini = m_mini;
    for (int c = 0; c < Spalten; ++c) {
        const auto& e = m_fall.ergebnis;
        auto& zeilen = m_ansicht.Ergebnistext[static_cast<std::size_t>(c)];
        zeilen[0] = textOf(mini.LStText, e(c, ZeileLSt));
        zeilen[1] = textOf(mini.KVText, e(c, ZeileKV));
        zeilen[2] = textOf(mini.PVText, e(c, ZeilePV));
        zeilen[3] = textOf(mini.RVText, e(c, ZeileRV));
        zeilen[4] = textOf(mini.AVText, e(c, ZeileAV));
        zeilen[5] = textOf(mini.HinweisText, e(c, ZeileHinweis));
    }
}

} // namespace svp::engine
