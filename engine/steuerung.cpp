#include "steuerung.h"

#include "jahresauswertung.h"
#include "meldungen.h"
#include "params/betrag_text.h"
#include "wiederherstellung.h"

#include <algorithm>
#include <string>
#include <utility>

namespace svp::engine {

using params::AuswahlLand;
using params::AuswahlMonat;

namespace {

constexpr int August = 7;
using params::Stammjahr;

bool eingabefeld(Feldart art)
{
    return art == Feldart::HBEuro || art == Feldart::loh || art == Feldart::Mon || art == Feldart::Url ||
           art == Feldart::Wei;
}

} // namespace

Steuerung::Steuerung(std::filesystem::path verzeichnis, store::Dateien& dateien)
    : m_ablage(std::move(verzeichnis), dateien)
{
    m_bestimmung.setArbeitnehmerdaten(m_arbeitnehmer);
}

void Steuerung::setArbeitnehmerdaten(params::Arbeitnehmerdaten daten)
{
    m_arbeitnehmer = std::move(daten);
    if (!m_ansicht.Jahr.entries.empty())
        m_bestimmung.svzentrum();
}

// ---------------------------------------------------------------------------------------------
// Start-up and the recalculation cycle

void Steuerung::Form_Load()
{
    m_mini.Ladesperre = true;
    m_mini.Auswahl[params::AuswahlSteuer] = params::lst::KlasseIbisIII;
    m_mini.Auswahl[params::AuswahlZeile] = 1;

    m_ansicht.Jahr.entries.clear();
    for (int jahr = params::ErstesJahr; jahr <= params::LetztesJahr; ++jahr)
        m_ansicht.Jahr.entries.push_back(std::to_string(jahr));
    m_ansicht.Monat.entries.assign(params::MonatNamen.begin(), params::MonatNamen.end());
    listeWaehlen(m_ansicht.Monat, 0, &Steuerung::monatGewaehlt);
    m_ansicht.Land.entries.assign(params::LandNamen.begin(), params::LandNamen.end());

    m_mini.Auswahl[AuswahlLand] = 0;
    m_mini.AktJahr = Stammjahr;

    // The master file names the year to start with; a new directory gets it with defaults.
    anlegenWennLeer(Stammjahr, 0, 0);
    m_datensatz = satzLesen(Stammjahr, 1);
    m_mini.AktJahr = static_cast<std::int16_t>(m_datensatz.gueltigesJahr());

    m_datensatz = satzLesen(m_mini.AktJahr, 1);
    m_mini.Auswahl[AuswahlMonat] = static_cast<std::int16_t>(m_datensatz.gueltigerMonat());
    m_datensatz = satzLesen(m_mini.AktJahr, m_mini.Auswahl[AuswahlMonat] + 1);
    m_mini.Auswahl[AuswahlLand] = static_cast<std::int16_t>(m_datensatz.gueltigesLand());
    listeWaehlen(m_ansicht.Land, m_mini.Auswahl[AuswahlLand], &Steuerung::landGewaehlt);
    svreinholen();

    m_mini.Ladesperre = false;
    listeWaehlen(m_ansicht.Jahr, m_mini.AktJahr - params::ErstesJahr, &Steuerung::jahrGewaehlt);
    // The window always opens on August, whatever month was shown last.
    listeWaehlen(m_ansicht.Monat, August, &Steuerung::monatGewaehlt);
    starten();
}

void Steuerung::starten()
{
    m_geleert = false;
    m_mini.periodeLaden();
    listeWaehlen(m_ansicht.Land, m_mini.Auswahl[AuswahlLand], &Steuerung::landGewaehlt);
    svreinholen();
    m_bestimmung.svzentrum();
    // What the month shows now is what "changed" is measured against.
    speicherstandNehmen(m_stand);
}

// ---------------------------------------------------------------------------------------------
// Lists

void Steuerung::Jahr_Click(int index)
{
    // Another year or month replaces the case shown: a changed one is not dropped unasked.
    if (index >= 0 && index < static_cast<int>(m_ansicht.Jahr.entries.size()) && verlassenErlaubt())
        listeKlicken(m_ansicht.Jahr, index, &Steuerung::jahrGewaehlt);
}

void Steuerung::Monat_Click(int index)
{
    if (index >= 0 && index < static_cast<int>(m_ansicht.Monat.entries.size()) && verlassenErlaubt())
        listeKlicken(m_ansicht.Monat, index, &Steuerung::monatGewaehlt);
}

void Steuerung::Land_Click(int index)
{
    listeKlicken(m_ansicht.Land, index, &Steuerung::landGewaehlt);
}

void Steuerung::jahrGewaehlt()
{
    if (m_mini.Ladesperre)
        return;
    const int jahr = m_ansicht.Jahr.selected + params::ErstesJahr;
    m_mini.AktJahr = static_cast<std::int16_t>(jahr);
    m_mini.beitragstafelLaden();

    anlegenWennLeer(jahr, m_mini.Auswahl[AuswahlMonat], m_mini.Auswahl[AuswahlLand]);
    m_datensatz = satzLesen(jahr, 1);
    m_mini.Auswahl[AuswahlMonat] = static_cast<std::int16_t>(m_datensatz.gueltigerMonat());
    m_datensatz = satzLesen(jahr, m_mini.Auswahl[AuswahlMonat] + 1);

    listeWaehlen(m_ansicht.Monat, m_mini.Auswahl[AuswahlMonat], &Steuerung::monatGewaehlt);
    m_mini.Auswahl[AuswahlLand] = static_cast<std::int16_t>(m_datensatz.gueltigesLand());
    listeWaehlen(m_ansicht.Land, m_mini.Auswahl[AuswahlLand], &Steuerung::landGewaehlt);

    svreinholen();
    m_ansicht.Jahr.selected = jahr - params::ErstesJahr; // unchanged: the handler does not run again
    m_mini.Ladesperre = false;

    // When neither the month nor the state changed, their handlers did not run; the results
    // and the texts must follow the new year all the same.
    starten();
}

void Steuerung::monatGewaehlt()
{
    if (m_mini.Ladesperre)
        return;
    m_mini.Auswahl[AuswahlMonat] = static_cast<std::int16_t>(m_ansicht.Monat.selected);
    m_datensatz = satzLesen(m_mini.AktJahr, m_mini.Auswahl[AuswahlMonat] + 1);
    m_mini.Auswahl[AuswahlLand] = static_cast<std::int16_t>(m_datensatz.gueltigesLand());
    starten();
}

void Steuerung::landGewaehlt()
{
    if (m_mini.Ladesperre)
        return;
    m_mini.Auswahl[AuswahlLand] = static_cast<std::int16_t>(m_ansicht.Land.selected);
    m_mini.periodeLaden();
    m_bestimmung.svzentrum();
}

void Steuerung::listeKlicken(ListBox& liste, int index, ListenHandler handler)
{
    if (index < 0 || index >= static_cast<int>(liste.entries.size()))
        return;
    liste.selected = index;
    (this->*handler)();
}

void Steuerung::listeWaehlen(ListBox& liste, int index, ListenHandler handler)
{
    if (liste.selected == index)
        return;
    liste.selected = index;
    (this->*handler)();
}

// ---------------------------------------------------------------------------------------------
// Option groups and check boxes

void Steuerung::optionKlicken(OptionGroup& gruppe, int index, IndexHandler handler)
{
    if (index < 0 || index >= static_cast<int>(gruppe.captions.size()))
        return;
    gruppe.selected = index;
    (this->*handler)(index);
}

void Steuerung::optionWaehlen(OptionGroup& gruppe, int index, IndexHandler handler)
{
    if (gruppe.selected == index)
        return;
    gruppe.selected = index;
    (this->*handler)(index);
}

void Steuerung::kaestchenSetzen(CheckBox& kaestchen, bool checked, IndexHandler handler, int index)
{
    if (kaestchen.checked == checked)
        return;
    kaestchen.checked = checked;
    (this->*handler)(index);
}

void Steuerung::HBOpt_Click(int i)
{
    optionKlicken(m_ansicht.HBOpt, i, &Steuerung::hbOptGewaehlt);
}

void Steuerung::HBKV_Click(int i)
{
    optionKlicken(m_ansicht.HBKV, i, &Steuerung::hbKVGewaehlt);
}

void Steuerung::GBKV_Click(int i)
{
    optionKlicken(m_ansicht.GBKV, i, &Steuerung::gbKVGewaehlt);
}

void Steuerung::Schueler_Click(int i)
{
    optionKlicken(m_ansicht.Schueler, i, &Steuerung::schuelerGewaehlt);
}

void Steuerung::KBopt_Click(int i)
{
    optionKlicken(m_ansicht.KBopt, i, &Steuerung::kbOptGewaehlt);
}

void Steuerung::HBCheck_Click(bool checked)
{
    m_ansicht.HBCheck.checked = checked;
    hbCheckGeklickt(0);
}

void Steuerung::HR_Click(bool checked)
{
    m_ansicht.HR.checked = checked;
    hrGeklickt(0);
}

void Steuerung::GBCheck_Click(int i, bool checked)
{
    if (i != 1)
        return;
    m_ansicht.GBCheck[1].checked = checked;
    gbCheckGeklickt(i);
}

void Steuerung::priv_Click(int i, bool checked)
{
    if (i != 1 && i != 2)
        return;
    m_ansicht.priv[static_cast<std::size_t>(i)].checked = checked;
    privGeklickt(i);
}

void Steuerung::KBCheck_Click(int i, bool checked)
{
    if (i < 0 || i > 2)
        return;
    m_ansicht.KBCheck[static_cast<std::size_t>(i)].checked = checked;
    kbCheckGeklickt(i);
}

void Steuerung::hbOptGewaehlt(int i)
{
    if (m_fall.Einlesen)
        return;
    m_ansicht.KVTafel.visible = true;
    // Only a student working as temporary help is asked about his weekly hours.
    m_ansicht.HBCheck.visible = i == status::StudentAushilfe;
    m_fall.HBStatus = static_cast<std::int16_t>(i);
    m_bestimmung.svzentrum();
}

// The health insurance is one choice shown in two groups: choosing in one selects the same
// button in the other, whose own handler stays silent meanwhile.
void Steuerung::kvGewaehlt(int i, OptionGroup& zwilling, IndexHandler zwillingsHandler)
{
    if (m_fall.Einlesen)
        return;
    m_fall.Einlesen = true;
    m_fall.KVStatus = static_cast<std::int16_t>(i);
    optionWaehlen(zwilling, i, zwillingsHandler);
    m_fall.Einlesen = false;
    m_bestimmung.svzentrum();
}

void Steuerung::hbKVGewaehlt(int i)
{
    kvGewaehlt(i, m_ansicht.GBKV, &Steuerung::gbKVGewaehlt);
}

void Steuerung::gbKVGewaehlt(int i)
{
    kvGewaehlt(i, m_ansicht.HBKV, &Steuerung::hbKVGewaehlt);
}

void Steuerung::schuelerGewaehlt(int i)
{
    if (m_fall.Einlesen)
        return;
    m_fall.SchuelerArt = static_cast<std::int16_t>(i);
    m_bestimmung.svzentrum();
}

void Steuerung::kbOptGewaehlt(int i)
{
    if (m_fall.Einlesen)
        return;
    m_fall.KBArt = static_cast<std::int16_t>(i);
    m_bestimmung.svzentrum();
}

void Steuerung::hbCheckGeklickt(int)
{
    if (m_fall.Einlesen)
        return;
    m_fall.HBUeber20 = m_ansicht.HBCheck.checked;
    m_bestimmung.svzentrum();
}

void Steuerung::hrGeklickt(int)
{
    if (m_fall.Einlesen)
        return;
    m_fall.Einlesen = true;
    m_fall.RVVoll = m_ansicht.HR.checked;
    kaestchenSetzen(m_ansicht.GBCheck[1], m_ansicht.HR.checked, &Steuerung::gbCheckGeklickt, 1);
    m_fall.Einlesen = false;
    m_bestimmung.svzentrum();
}

void Steuerung::gbCheckGeklickt(int i)
{
    if (m_fall.Einlesen)
        return;
    m_fall.Einlesen = true;
    if (i == 1) {
        m_fall.RVVoll = m_ansicht.GBCheck[1].checked;
        kaestchenSetzen(m_ansicht.HR, m_ansicht.GBCheck[1].checked, &Steuerung::hrGeklickt, 0);
    }
    m_fall.Einlesen = false;
    m_bestimmung.svzentrum();
}

void Steuerung::privGeklickt(int i)
{
    if (m_fall.Einlesen)
        return;
    m_fall.Privathaushalt[static_cast<std::size_t>(i)] = m_ansicht.priv[static_cast<std::size_t>(i)].checked;
    m_bestimmung.svzentrum();
}

void Steuerung::kbCheckGeklickt(int i)
{
    if (m_fall.Einlesen)
        return;
    auto& a = m_ansicht;
    const bool checked = a.KBCheck[static_cast<std::size_t>(i)].checked;
    m_fall.KBMerker[static_cast<std::size_t>(i)] = checked;
    berufsmaessigFragen(a, i);
    m_bestimmung.svzentrum();
}

// ---------------------------------------------------------------------------------------------
// Numeric fields

NumberField& Steuerung::zahlenfeld(Feld feld)
{
    const auto i = static_cast<std::size_t>(feld.index == 2 ? 2 : 1);
    auto& a = m_ansicht;
    switch (feld.art) {
    case Feldart::HBEuro:
        return a.HBEuro;
    case Feldart::loh:
        return a.loh[i];
    case Feldart::Mon:
        return a.Mon[i];
    case Feldart::Url:
        return a.Url[i];
    case Feldart::Wei:
        return a.Wei[i];
    case Feldart::AllMo:
        return a.AllMo[i];
    case Feldart::Jasum:
        return a.Jasum[i];
    case Feldart::Modurch:
        return a.Modurch[i];
    }
    return a.HBEuro;
}

void Steuerung::fokusSetzen(Feld feld)
{
    if (feld.art != Feldart::HBEuro && feld.index != 1 && feld.index != 2)
        return;
    if (feld.art == Feldart::HBEuro)
        feld.index = 0;
    fokusVerschieben(feld);
}

void Steuerung::fokusAufheben()
{
    if (!m_fokus)
        return;
    const Feld alt = *m_fokus;
    m_fokus.reset();
    verlassen(alt);
}

void Steuerung::fokusVerschieben(Feld feld)
{
    if (m_fokus == feld)
        return;
    if (m_fokus) {
        const Feld alt = *m_fokus;
        m_fokus = feld;
        verlassen(alt);
        if (m_fokus != feld)
            return; // the leaving handler moved the focus on
    }
    m_fokus = feld;
    betreten(feld);
}

void Steuerung::betreten(Feld feld)
{
    // The computed fields cannot be typed into: they pass the focus on to the monthly wage.
    switch (feld.art) {
    case Feldart::AllMo:
    case Feldart::Jasum:
        fokusVerschieben({Feldart::Modurch, feld.index});
        return;
    case Feldart::Modurch:
        fokusVerschieben({Feldart::loh, feld.index});
        return;
    default:
        break;
    }
    // Entering changes nothing: the window selects the text, so that typing replaces it, and
    // leaving without typing keeps the value.
    auto& f = zahlenfeld(feld);
    f.eingabe.reset();
    f.fehler.clear();
}

void Steuerung::uebernehmen(Feld feld)
{
    const Currency wert = zahlenfeld(feld).value;
    const auto i = static_cast<std::size_t>(feld.index);
    switch (feld.art) {
    case Feldart::HBEuro:
        m_fall.HBEntgelt = wert;
        break;
    case Feldart::loh:
        m_fall.Monatslohn[i] = wert;
        break;
    case Feldart::Mon:
        m_fall.Monate[i] = wert;
        break;
    case Feldart::Url:
        m_fall.Urlaubsgeld[i] = wert;
        break;
    case Feldart::Wei:
        m_fall.Weihnachtsgeld[i] = wert;
        break;
    default:
        break;
    }
}

void Steuerung::verlassen(Feld feld)
{
    if (!eingabefeld(feld.art))
        return;
    auto& f = zahlenfeld(feld);
    if (f.eingabe && !lesen(feld, *f.eingabe))
        m_status = keinBetrag(feld, *f.eingabe) + " Es bleibt " +
                   m_eingangswert.formatFixed(feld.art == Feldart::Mon ? 0 : 2) + ".";
    f.eingabe.reset();
    f.fehler.clear();
    uebernehmen(feld);
    // Leaving the pay of the main employment stores it without a new determination; only
    // Enter determines it.
    if (feld.art != Feldart::HBEuro)
        m_bestimmung.svzentrum();
}

void Steuerung::eingeben(Feld feld, Currency wert)
{
    if (!eingabefeld(feld.art))
        return;
    if (feld.art == Feldart::HBEuro)
        feld.index = 0;
    else if (feld.index != 1 && feld.index != 2)
        return;
    const params::Wertebereich b = wertebereich(feld);
    if (wert < b.min || wert > b.max)
        return;
    auto& f = zahlenfeld(feld);
    f.value = wert;
    f.eingabe.reset();
    f.fehler.clear();
}

void Steuerung::eingeben(Feld feld, std::string_view text)
{
    if (!eingabefeld(feld.art))
        return;
    if (feld.art == Feldart::HBEuro)
        feld.index = 0;
    else if (feld.index != 1 && feld.index != 2)
        return;
    auto& f = zahlenfeld(feld);
    if (!f.eingabe)
        m_eingangswert = f.value;
    f.eingabe = std::string(text);
    f.fehler.clear();
    // While the text means no amount ("1.", on the way to "1.500"), the field keeps the value
    // it had before the typing.
    f.value = lesen(feld, text).value_or(m_eingangswert);
}

std::optional<Currency> Steuerung::lesen(Feld feld, std::string_view text) const
{
    if (text.empty())
        return Currency(); // an emptied field means 0
    const params::Lesung gelesen = params::betragLesen(text, params::schreibweise::Fenster);
    if (!gelesen.ok())
        return std::nullopt;
    // "####0" takes whole months, "####0.00" cents.
    const Currency wert = gelesen.wert;
    const std::int64_t schritt = feld.art == Feldart::Mon ? Currency::Scale : Currency::Scale / 100;
    const params::Wertebereich b = wertebereich(feld);
    if (wert.raw() % schritt != 0 || wert < b.min || wert > b.max)
        return std::nullopt;
    return wert;
}

std::string Steuerung::keinBetrag(Feld feld, const std::string& text) const
{
    if (feld.art == Feldart::Mon)
        return "„" + text + "“ ist keine Zahl von Monaten: Der Punkt trennt nur Tausender (1.000).";
    return "„" + text +
           "“ ist kein Betrag: Das Komma trennt die Cent ab (1500,50), der Punkt nur die Tausender "
           "(1.500).";
}

void Steuerung::eingabeUebernehmen()
{
    if (m_fokus && zahlenfeld(*m_fokus).eingabe)
        verlassen(*m_fokus);
}

void Steuerung::Taste(Feld feld, int zeichen)
{
    if (!eingabefeld(feld.art))
        return;
    if (feld.art == Feldart::HBEuro)
        feld.index = 0;
    else if (feld.index != 1 && feld.index != 2)
        return;
    auto& f = zahlenfeld(feld);
    // A year has twelve months.
    if (feld.art == Feldart::Mon && f.value > Currency::fromWhole(12)) {
        f.value = Currency::fromWhole(12);
        f.eingabe.reset();
    }
    if (zeichen != TasteEnter)
        return;
    // A text that means no amount is not taken: the field says so and keeps the focus.
    if (f.eingabe && !lesen(feld, *f.eingabe)) {
        f.fehler = keinBetrag(feld, *f.eingabe);
        m_status = f.fehler;
        return;
    }
    f.eingabe.reset();
    uebernehmen(feld);
    // Enter walks through a column: wage (or months), holiday pay, Christmas bonus, then the
    // wage of the later mini-jobs.
    switch (feld.art) {
    case Feldart::loh:
    case Feldart::Mon:
        fokusVerschieben({Feldart::Url, feld.index});
        break;
    case Feldart::Url:
        fokusVerschieben({Feldart::Wei, feld.index});
        break;
    case Feldart::Wei:
        if (feld.index == 1)
            fokusVerschieben({Feldart::loh, 2});
        break;
    default:
        break;
    }
    m_bestimmung.svzentrum();
}

void Steuerung::Arbeitgeber_Change(int i, const std::string& text)
{
    if (i < 0 || i > 3)
        return;
    m_ansicht.Arbeitgeber[static_cast<std::size_t>(i)] = text;
}

// ---------------------------------------------------------------------------------------------
// Record files

store::Datensatz Steuerung::satzLesen(int jahr, int nummer)
{
    auto ergebnis = m_ablage.lesen(jahr, nummer);
    if (auto* fehler = std::get_if<store::Fehler>(&ergebnis)) {
        melden(*fehler);
        // Work goes on with the default case; nothing on disk is touched.
        return store::Datensatz::standard(store::Datensatz(), jahr, nummer - 1, 0);
    }
    return std::get<store::Datensatz>(ergebnis);
}

void Steuerung::svreinholen()
{
    // The controls take the stored values without raising their handlers: the one
    // determination that counts runs afterwards.
    m_datensatz.eintragLesen(m_eintrag);
    eintragZeigen(m_eintrag, m_fall, m_ansicht);
}

void Steuerung::Speichern_Click()
{
    eingabeUebernehmen();
    if (SVSpeichern())
        m_status = periode() + " gespeichert (" + store::Ablage::dateiname(m_mini.AktJahr) + ")";
}

Steuerung::Speicherstand Steuerung::speicherstand() const
{
    Speicherstand stand;
    speicherstandNehmen(stand);
    return stand;
}

void Steuerung::speicherstandNehmen(Speicherstand& stand) const
{
    stand.satz = m_datensatz;
    stand.land = m_mini.Auswahl[AuswahlLand];
    stand.jahr = m_mini.AktJahr;
    eintragAus(m_fall, m_ansicht, stand.eintrag);
    stand.codes = ergebniscodesAus(m_fall.ergebnis);
}

store::Datensatz Steuerung::Speicherstand::datensatz() const
{
    store::Datensatz ergebnis = satz;
    ergebnis.setLand(land);
    ergebnis.setJahr(jahr);
    ergebnis.uebernehmen(eintrag);
    ergebnis.setErgebniscodes(codes);
    return ergebnis;
}

void Steuerung::anlegenWennLeer(int jahr, int monat, int land)
{
    if (m_ordnerpruefung)
        if (const std::optional<std::string> grund = m_ordnerpruefung()) {
            melden(store::Fehler{store::Fehler::Art::Anlegen, store::Ablage::dateiname(jahr), *grund});
            return;
        }
    if (auto fehler = m_ablage.anlegenWennLeer(jahr, m_datensatz, monat, land))
        melden(*fehler);
}

bool Steuerung::ordnerDa()
{
    // The employee's folder, removed or renamed while shown, is not made anew by a save.
    if (m_ordnerpruefung)
        if (const std::optional<std::string> grund = m_ordnerpruefung()) {
            m_meldungen.push_back(
                {caption::Fenster,
                 {*grund, "Der Fall bleibt im Fenster erhalten; nichts wurde gespeichert."}});
            return false;
        }
    return true;
}

bool Steuerung::SVSpeichern()
{
    if (!ordnerDa())
        return false;
    const store::Datensatz satz = satzZumSpeichern();
    if (auto fehler = m_ablage.speichern(m_mini.AktJahr, m_mini.Auswahl[AuswahlMonat], satz)) {
        melden(*fehler, true);
        return false;
    }
    m_datensatz = satzLesen(m_mini.AktJahr, m_mini.Auswahl[AuswahlMonat] + 1);
    speicherstandNehmen(m_stand);
    return true;
}

bool Steuerung::vorgabewerte() const
{
    return !m_geleert && nieGespeichert();
}

bool Steuerung::nieGespeichert() const
{
    return engine::nieGespeichert(m_datensatz);
}

void Steuerung::FallLeeren_Click()
{
    eingabeUebernehmen();
    Eingabewerte werte;
    for (std::size_t i = 0; i < AnzahlEingaben; ++i) {
        const auto eingabe = static_cast<Eingabe>(i);
        if (eingabe != Eingabe::Monate1 && eingabe != Eingabe::Monate2)
            werte.setzen(eingabe, 0);
    }
    wiederherstellen(werte, m_fall, m_ansicht);
    m_bestimmung.svzentrum();
    m_geleert = true;
}

bool Steuerung::geaendert() const
{
    const Speicherstand jetzt = speicherstand();
    return !(jetzt == m_stand) && jetzt.datensatz() != m_stand.datensatz();
}

std::string Steuerung::periode() const
{
    const int monat = m_mini.Auswahl[AuswahlMonat];
    const std::string name = monat >= 0 && monat < params::AnzahlMonate ? params::MonatNamen[monat] : "";
    return name + " " + std::to_string(m_mini.AktJahr);
}

bool Steuerung::verlassenErlaubt()
{
    eingabeUebernehmen();
    if (!m_fragesteller || !geaendert())
        return true;
    const Meldung frage{caption::Fenster,
                        {"Der Fall " + periode() + " ist geändert und noch nicht gespeichert.",
                         "Sollen die Änderungen gespeichert werden?"}};
    switch (m_fragesteller(frage)) {
    case Antwort::Speichern:
        // A save that fails keeps the case on screen: the message says why.
        return SVSpeichern();
    case Antwort::Verwerfen:
        return true;
    case Antwort::Abbrechen:
        break;
    }
    return false;
}

std::string Steuerung::nimmStatus()
{
    return std::exchange(m_status, std::string());
}

void Steuerung::melden(const store::Fehler& fehler, bool beimSpeichern)
{
    // One user action meets a file several times (a year switch creates it when empty and
    // reads it up to four times, the start-up up to eight times): one fault of the file, the
    // same reason each time, is told once, by the first operation that met it.
    const std::pair<std::string, std::string> fehlerDerDatei{fehler.datei, fehler.grund};
    if (std::find(m_gemeldet.begin(), m_gemeldet.end(), fehlerDerDatei) != m_gemeldet.end())
        return;
    m_gemeldet.push_back(fehlerDerDatei);
    Meldung m{caption::Fenster, {fehler.meldung()}};
    if (beimSpeichern)
        m.zeilen.push_back("Der Fall bleibt im Fenster erhalten; nichts wurde gespeichert.");
    m_meldungen.push_back(std::move(m));
}

void Steuerung::melden(const char* titel, const std::vector<const char*>& zeilen)
{
    Meldung m{titel, {}};
    for (const char* zeile : zeilen)
        m.zeilen.emplace_back(zeile);
    m_meldungen.push_back(std::move(m));
}

std::vector<Meldung> Steuerung::nimmMeldungen()
{
    std::vector<Meldung> ergebnis;
    ergebnis.swap(m_meldungen);
    m_gemeldet.clear();
    return ergebnis;
}

// ---------------------------------------------------------------------------------------------
// Buttons, keys and information icons

void Steuerung::Schliessen_Click()
{
    eingabeUebernehmen();
    if (m_fragesteller && geaendert()) {
        const Meldung frage{caption::Fenster,
                            {"Der Fall " + periode() + " ist geändert und noch nicht gespeichert.",
                             "Beim Beenden ohne Speicherung gehen die Änderungen verloren."},
                            Frageart::NurVerwerfen};
        if (m_fragesteller(frage) != Antwort::Verwerfen)
            return;
    }
    m_geschlossen = true;
}

void Steuerung::Escape()
{
    schliessenAnfragen();
}

void Steuerung::schliessenAnfragen()
{
    if (verlassenErlaubt())
        m_geschlossen = true;
}

void Steuerung::Image1_Click()
{
    melden(meldung::Jugendarbeitsschutz.titel, meldung::Jugendarbeitsschutz.zeilen);
}

void Steuerung::LSTinfo_Click()
{
    if (m_fall.LStHinweis == lsthinweis::Lohnsteuerkarte)
        melden(meldung::Lohnsteuerkarte.titel, meldung::Lohnsteuerkarte.zeilen);
    else if (m_fall.LStHinweis == lsthinweis::Klassenwahl)
        Lstkurz_Click();
}

void Steuerung::Lstkurz_Click()
{
    melden(meldung::Lohnsteuerklasse.titel, meldung::Lohnsteuerklasse.zeilen);
}

void Steuerung::KBCheckB_Click(int i)
{
    if (i == 0)
        melden(meldung::NichtRegelmaessig.titel, meldung::NichtRegelmaessig.zeilen);
    else if (i == 2)
        melden(meldung::NichtBerufsmaessig.titel, meldung::NichtBerufsmaessig.zeilen);
}

} // namespace svp::engine
