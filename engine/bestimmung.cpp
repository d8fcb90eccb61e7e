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

const params::Arbeitnehmerdaten& Bestimmung::arbeitnehmerdaten() const
{
    static const params::Arbeitnehmerdaten nichtAngegeben;
    return m_arbeitnehmer ? *m_arbeitnehmer : nichtAngegeben;
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
    if (m_beitraegeRechnen)
        beitraegeBerechnen(m_mini, m_fall, arbeitnehmerdaten(), m_beitraege);
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
