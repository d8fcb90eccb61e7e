#include "monatsliste.h"

#include "bestimmung.h"
#include "store/datei.h"
#include "store/datensatz.h"

namespace svp::engine {

store::Ergebnis<std::unique_ptr<Monatsfall>> monatLesen(const std::filesystem::path& ordner, int jahr,
                                                        int monat, const params::Arbeitnehmerdaten& daten)
{
    const std::filesystem::path datei = ordner / store::Ablage::dateiname(jahr);
    std::array<std::uint8_t, store::SatzLaenge> bytes{};
    bool vorhanden = false;
    std::size_t gelesen = 0;
    const auto offset = static_cast<std::uint64_t>(monat) * store::SatzLaenge;
    if (store::Grund g = store::Dateien::system().liesBereich(datei, offset, bytes.data(), bytes.size(),
                                                              vorhanden, gelesen))
        return store::Fehler{store::Fehler::Art::Lesen, store::Ablage::dateiname(jahr), *g};
    const bool ganz = vorhanden && gelesen == bytes.size();
    auto m = monatAuswerten(ganz ? store::Datensatz::ausBytes(bytes) : store::Datensatz::leer(), jahr, monat,
                            daten);
    // A file cut short lacks the month: it reads as a new one, but the file is not whole.
    if (vorhanden && !ganz)
        m->beschaedigt = true;
    return m;
}

const char* satzstandText(Satzstand stand)
{
    switch (stand) {
    case Satzstand::Gespeichert:
        return "gespeichert";
    case Satzstand::NieGespeichert:
        return "nie gespeichert";
    case Satzstand::Beschaedigt:
        break;
    }
    return "beschädigt";
}

Satzstand Monatszeile::stand() const
{
    if (beschaedigt)
        return Satzstand::Beschaedigt;
    return nieGespeichert ? Satzstand::NieGespeichert : Satzstand::Gespeichert;
}

bool Monatszeile::zuPruefen() const
{
    return !fehler.empty() || gleitzone || ueberGrenze || nieGespeichert || beschaedigt;
}

std::array<params::Currency, 3> Monatszeile::entgelte() const
{
    if (!fall)
        return {};
    const Fall& f = fall->fall;
    return {f.HBEntgelt, f.Monatslohn[1], f.Monatslohn[2]};
}

std::vector<Monatszeile> monatslisteBilden(const std::vector<store::Arbeitnehmereintrag>& eintraege, int jahr,
                                           int monat)
{
    std::vector<Monatszeile> zeilen;
    zeilen.reserve(eintraege.size());
    for (const store::Arbeitnehmereintrag& e : eintraege) {
        Monatszeile z;
        z.ordnername = e.ordnername;
        z.wurzel = e.wurzel;
        z.name = e.anzeigename();
        z.personalnummer = e.daten.daten.Personalnummer;
        if (e.daten.fehler) {
            // Determined with the defaults, the month would show the amounts of someone else.
            z.fehler = e.daten.fehler->meldung();
            zeilen.push_back(std::move(z));
            continue;
        }
        auto gelesen = monatLesen(e.ordner, jahr, monat, e.daten.daten);
        if (const auto* f = std::get_if<store::Fehler>(&gelesen)) {
            z.fehler = f->meldung();
            zeilen.push_back(std::move(z));
            continue;
        }
        z.fall = std::move(std::get<std::unique_ptr<Monatsfall>>(gelesen));
        const Fall& f = z.fall->fall;
        // In the sliding zone as the window's own words say it.
        z.gleitzone = gleitzoneInWorten(f) != "nein";
        for (int spalte = 2; spalte <= 3; ++spalte)
            if (spalteErfasst(f, z.fall->ansicht, spalte) &&
                f.Monatsdurchschnitt[static_cast<std::size_t>(spalte - 1)] > Geringfuegigkeitsgrenze)
                z.ueberGrenze = true;
        z.nieGespeichert = !z.fall->gespeichert;
        z.beschaedigt = z.fall->beschaedigt;
        zeilen.push_back(std::move(z));
    }
    return zeilen;
}

std::vector<const Monatszeile*> zuPruefende(const std::vector<Monatszeile>& zeilen)
{
    std::vector<const Monatszeile*> auswahl;
    for (const Monatszeile& z : zeilen)
        if (z.zuPruefen())
            auswahl.push_back(&z);
    return auswahl;
}

} // namespace svp::engine
