#include "jahresauswertung.h"

#include "bestimmung.h"
#include "params/eingaben.h"
#include "satzabbild.h"
#include "store/jahresdatei.h"

#include <string_view>

namespace svp::engine {

namespace {

using store::Datensatz;
using store::Satzfeld;

const store::Eintrag& vorgabe()
{
    static const store::Eintrag e = Datensatz::leer().eintrag();
    return e;
}

// A record holds values this program never writes when reading replaced one of them by the
// default: written back as read, such a field would change.
bool beschaedigt(const Datensatz& satz)
{
    if (satz.land() != satz.gueltigesLand())
        return true;
    Datensatz gelesen = satz;
    gelesen.uebernehmen(satz.eintrag());
    static constexpr Satzfeld Gepruefte[] = {
        Satzfeld::HBStatus, Satzfeld::HBKV,        Satzfeld::SchuelerArt,    Satzfeld::HBCheck,
        Satzfeld::HR,       Satzfeld::HBEntgelt,   Satzfeld::KBArt,          Satzfeld::KBCheck,
        Satzfeld::GBKV,     Satzfeld::GBCheck,     Satzfeld::Privathaushalt, Satzfeld::Monatslohn,
        Satzfeld::Monate,   Satzfeld::Urlaubsgeld, Satzfeld::Weihnachtsgeld};
    for (const Satzfeld feld : Gepruefte) {
        const std::size_t anzahl = store::beschreibung(feld).anzahl;
        for (std::size_t i = 0; i < anzahl; ++i)
            if (gelesen.zahl(feld, i) != satz.zahl(feld, i))
                return true;
    }
    return false;
}

// A record that was never saved: the inputs of a new file, no result codes and no names in
// the second name table, which every save fills.
bool unveraendert(const Datensatz& satz)
{
    const Datensatz& leer = Datensatz::leer();
    if (!(satz.eintrag() == vorgabe()) || satz.ergebniscodes() != leer.ergebniscodes())
        return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (satz.text(Satzfeld::Namen, i) != leer.text(Satzfeld::Namen, i))
            return false;
    return true;
}

} // namespace

bool nieGespeichert(const Datensatz& satz)
{
    return unveraendert(satz);
}

std::unique_ptr<Monatsfall> monatAuswerten(const Datensatz& satz, int jahr, int monat,
                                           const params::Arbeitnehmerdaten& daten)
{
    auto m = std::make_unique<Monatsfall>();
    m->arbeitnehmer = daten;
    m->jahr = jahr;
    m->monat = monat;
    m->land = satz.gueltigesLand();
    m->gespeichert = !unveraendert(satz);
    m->beschaedigt = beschaedigt(satz);

    // The module state of the window on that year and month, the lists of the top row as the
    // window fills them.
    m->mini.monatVorbereiten(jahr, monat);
    m->mini.Auswahl[params::AuswahlLand] = static_cast<std::int16_t>(m->land);
    Ansicht& a = m->ansicht;
    for (int j = params::ErstesJahr; j <= params::LetztesJahr; ++j)
        a.Jahr.entries.push_back(std::to_string(j));
    a.Jahr.selected = jahr - params::ErstesJahr;
    a.Monat.entries.assign(params::MonatNamen.begin(), params::MonatNamen.end());
    a.Monat.selected = monat;
    a.Land.entries.assign(params::LandNamen.begin(), params::LandNamen.end());
    a.Land.selected = m->land;

    eintragZeigen(satz.eintrag(), m->fall, a);
    Bestimmung bestimmung(m->mini, m->fall, a);
    bestimmung.setArbeitnehmerdaten(m->arbeitnehmer);
    bestimmung.svzentrum();
    m->beitraege = bestimmung.beitraege();
    return m;
}

store::Ergebnis<Jahresauswertung> satzdateiAuswerten(const std::filesystem::path& datei, int jahr,
                                                     const params::Arbeitnehmerdaten& daten)
{
    auto gelesen = store::jahresdateiLesen(datei);
    if (const auto* fehler = std::get_if<store::Fehler>(&gelesen))
        return *fehler;
    const auto& jahresdatei = std::get<store::Jahresdatei>(gelesen);

    Jahresauswertung j;
    j.jahr = jahr;
    j.dateiVorhanden = jahresdatei.vorhanden;
    for (int monat = 0; monat < params::AnzahlMonate; ++monat) {
        auto m = monatAuswerten(jahresdatei.saetze[static_cast<std::size_t>(monat)], jahr, monat, daten);
        // A file cut short lacks the month: it reads as a new one, but the file is not whole.
        if (j.dateiVorhanden && !jahresdatei.ganz(monat))
            m->beschaedigt = true;
        j.monate[static_cast<std::size_t>(monat)] = std::move(m);
    }
    return j;
}

store::Ergebnis<Jahresauswertung> jahrAuswerten(const std::filesystem::path& verzeichnis, int jahr,
                                                const params::Arbeitnehmerdaten& daten)
{
    return satzdateiAuswerten(store::Ablage(verzeichnis).pfad(jahr), jahr, daten);
}

bool spalteErfasst(const Fall& f, const Ansicht& a, int spalte)
{
    const store::Eintrag& v = vorgabe();
    const auto k = static_cast<std::size_t>(spalte);
    if (spalte < 0 || spalte >= Spalten)
        return false;
    if (params::arbeitgeberBenannt(a.Arbeitgeber[k]))
        return true;
    // A column with an amount holds a case, the start values of a new file included: a mini-job
    // of 380 Euro is one whether it was typed or kept.
    const params::Currency null;
    switch (spalte) {
    case 0:
        return f.HBStatus != v.HBStatus || f.SchuelerArt != v.SchuelerArt || f.KVStatus != v.HBKV ||
               f.HBUeber20 != v.HBCheck || f.RVVoll != v.HR || f.HBEntgelt != null;
    case 1:
        return f.KBArt != v.KBArt || f.KBMerker != v.KBCheck;
    default: {
        const auto j = static_cast<std::size_t>(spalte - 1);
        return f.Monatslohn[j] != null || f.Urlaubsgeld[j] != null || f.Weihnachtsgeld[j] != null ||
               f.Privathaushalt[j] != v.priv[j];
    }
    }
}

} // namespace svp::engine
