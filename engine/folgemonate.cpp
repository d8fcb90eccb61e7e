// Carrying a month's case forward into the following months of its year.
#include "jahresauswertung.h"
#include "satzabbild.h"
#include "steuerung.h"

namespace svp::engine {

std::optional<std::vector<Steuerung::Folgemonat>> Steuerung::folgemonate(int bis)
{
    const int jahr = m_mini.AktJahr;
    const int von = m_mini.Auswahl[params::AuswahlMonat];
    const auto land = m_mini.Auswahl[params::AuswahlLand];
    const store::Eintrag eintrag = eintragAus(m_fall, m_ansicht);
    std::vector<Folgemonat> liste;
    for (int monat = von + 1; monat <= bis && monat < params::AnzahlMonate; ++monat) {
        auto gelesen = m_ablage.lesen(jahr, monat + 1);
        if (const auto* fehler = std::get_if<store::Fehler>(&gelesen)) {
            melden(*fehler, true);
            return std::nullopt;
        }
        const store::Datensatz& alt = std::get<store::Datensatz>(gelesen);
        // As if the user had typed the case into that month and saved it: the record on disk
        // with the case put in, determined with the rules of that month.
        store::Datensatz basis = alt;
        basis.setLand(land);
        basis.uebernehmen(eintrag);
        const std::unique_ptr<Monatsfall> bestimmt = monatAuswerten(basis, jahr, monat, m_arbeitnehmer);
        Folgemonat f;
        f.monat = monat;
        f.neu = basis;
        f.neu.setJahr(static_cast<std::int16_t>(jahr));
        f.neu.uebernehmen(eintragAus(bestimmt->fall, bestimmt->ansicht));
        f.neu.setErgebniscodes(ergebniscodesAus(bestimmt->fall.ergebnis));
        const bool gespeichert = monatAuswerten(alt, jahr, monat, m_arbeitnehmer)->gespeichert;
        f.abweichend = gespeichert && !(alt.eintrag() == f.neu.eintrag() && alt.land() == f.neu.land());
        liste.push_back(std::move(f));
    }
    return liste;
}

std::vector<int> Steuerung::folgemonateAbweichend(int bis)
{
    eingabeUebernehmen();
    std::vector<int> monate;
    if (const auto liste = folgemonate(bis))
        for (const Folgemonat& f : *liste)
            if (f.abweichend)
                monate.push_back(f.monat);
    return monate;
}

bool Steuerung::folgemonateUebernehmen(int bis, bool abweichendBehalten)
{
    eingabeUebernehmen();
    if (!ordnerDa())
        return false;
    const auto liste = folgemonate(bis);
    if (!liste)
        return false;
    const int jahr = m_mini.AktJahr;
    const int von = m_mini.Auswahl[params::AuswahlMonat];
    std::vector<std::pair<int, store::Datensatz>> saetze{{von, satzZumSpeichern()}};
    int geschrieben = 0;
    for (const Folgemonat& f : *liste)
        if (!(f.abweichend && abweichendBehalten)) {
            saetze.emplace_back(f.monat, f.neu);
            ++geschrieben;
        }
    if (auto fehler = m_ablage.speichern(jahr, von, saetze)) {
        melden(*fehler, true);
        return false;
    }
    m_datensatz = satzLesen(jahr, von + 1);
    speicherstandNehmen(m_stand);
    m_status = periode() + " gespeichert und in " + std::to_string(geschrieben) +
               " Folgemonate übernommen (" + store::Ablage::dateiname(jahr) + ")";
    return true;
}

} // namespace svp::engine
