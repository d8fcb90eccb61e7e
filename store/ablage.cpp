#include "ablage.h"

#include "datei.h"
#include "params/eingaben.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

namespace svp::store {

namespace fs = std::filesystem;

namespace {

// The master file that remembers the year of the last save.
constexpr int Stammjahr = params::Stammjahr;
constexpr std::size_t DateiLaenge = SatzLaenge * SaetzeProDatei;

const char* const GrundGeaendert = "Sie wurde während des Speicherns von einem anderen Programm geändert";

Datensatz satzAus(const Bytes& bytes, int nummer)
{
    std::array<std::uint8_t, SatzLaenge> satz{};
    const auto anfang = bytes.begin() + static_cast<std::ptrdiff_t>((nummer - 1) * SatzLaenge);
    std::copy(anfang, anfang + SatzLaenge, satz.begin());
    return Datensatz::ausBytes(satz);
}

void setzeSatz(Bytes& bytes, int nummer, const Datensatz& satz)
{
    std::copy(satz.bytes().begin(), satz.bytes().end(),
              bytes.begin() + static_cast<std::ptrdiff_t>((nummer - 1) * SatzLaenge));
}

// A file that lacks records (missing, or cut short) holds the missing ones as default
// records before anything is saved into it; a partly present record reads as missing and is
// replaced whole. Bytes beyond the twelfth record are kept.
Bytes vervollstaendigt(const Bytes& alt)
{
    if (alt.size() >= DateiLaenge)
        return alt;
    const std::size_t ganze = alt.size() / SatzLaenge;
    Bytes neu(alt.begin(), alt.begin() + static_cast<std::ptrdiff_t>(ganze * SatzLaenge));
    const Datensatz standard = Datensatz::leer();
    for (std::size_t r = ganze; r < static_cast<std::size_t>(SaetzeProDatei); ++r)
        neu.insert(neu.end(), standard.bytes().begin(), standard.bytes().end());
    return neu;
}

// Puts a file back as it was before a save that could not be completed.
void wiederherstellen(Dateien& dateien, const fs::path& ziel, const Stand& alt)
{
    if (!alt.vorhanden) {
        dateien.entfernen(ziel);
        return;
    }
    Zwischendatei z(dateien);
    if (!z.schreiben(ziel, alt.bytes, alt.modus()))
        (void)z.ersetzen(ziel);
}

// A save that was killed half-way leaves its temporary file behind: ".SV2008.xyz.<pid>.<n>.tmp".
// Such a file of a process that no longer runs is removed; one of a running process may be
// the half-written save of another window and is left alone.
void verwaisteZwischendateienEntfernen(Dateien& dateien, const fs::path& verzeichnis)
{
    for (const std::string& name : dateien.namen(verzeichnis)) {
        if (name.size() < 8 || name.rfind(".SV", 0) != 0 || name.compare(name.size() - 4, 4, ".tmp") != 0)
            continue;
        const std::size_t xyz = name.find(".xyz.");
        if (xyz == std::string::npos)
            continue;
        const std::size_t pidAnfang = xyz + 5;
        const std::size_t pidEnde = name.find('.', pidAnfang);
        if (pidEnde == std::string::npos || pidEnde == pidAnfang ||
            name.find_first_not_of("0123456789", pidAnfang) != pidEnde || pidEnde - pidAnfang > 9)
            continue;
        const auto pid = static_cast<pid_t>(std::stol(name.substr(pidAnfang, pidEnde - pidAnfang)));
        if (pid > 0 && !dateien.prozessLaeuft(pid))
            dateien.entfernen(verzeichnis / name);
    }
}

} // namespace

std::string Fehler::meldung() const
{
    const char* was = "gelesen";
    switch (art) {
    case Art::Schreibgeschuetzt:
        return "Die Datei " + datei + " ist schreibgeschützt";
    case Art::Anlegen:
        was = "angelegt";
        break;
    case Art::Lesen:
        was = "gelesen";
        break;
    case Art::Speichern:
        was = "gespeichert";
        break;
    }
    return "Die Datei " + datei + " kann nicht " + was + " werden: " + grund;
}

Ablage::Ablage(std::filesystem::path verzeichnis) : Ablage(std::move(verzeichnis), Dateien::system()) {}

Ablage::Ablage(std::filesystem::path verzeichnis, Dateien& dateien)
    : m_verzeichnis(std::move(verzeichnis)), m_dateien(&dateien)
{
    // Every month switch reads a record: the names of the year files are made once.
    for (int jahr = params::ErstesJahr; jahr <= params::LetztesJahr; ++jahr)
        m_pfade[static_cast<std::size_t>(jahr - params::ErstesJahr)] = m_verzeichnis / dateiname(jahr);
}

std::string Ablage::dateiname(int jahr)
{
    return "SV" + std::to_string(jahr) + ".xyz";
}

std::filesystem::path Ablage::pfad(int jahr) const
{
    if (jahr >= params::ErstesJahr && jahr <= params::LetztesJahr)
        return m_pfade[static_cast<std::size_t>(jahr - params::ErstesJahr)];
    return m_verzeichnis / dateiname(jahr);
}

namespace {

// Whether a year file still needs its records: missing or empty. `stand` takes an empty
// file's bits and owner; a directory or anything but a file in its place is an error.
Grund ohneSaetze(Dateien& dateien, const fs::path& ziel, bool& leer, Stand& stand)
{
    Eigenschaften e;
    stand = Stand{};
    if (Grund g = dateien.eigenschaften(ziel, e))
        return g;
    switch (e.art) {
    case Eigenschaften::Art::Fehlt:
        leer = true;
        return std::nullopt;
    case Eigenschaften::Art::Verzeichnis:
        return fehlergrund(EISDIR);
    case Eigenschaften::Art::Andere:
        return GrundKeineDatei;
    case Eigenschaften::Art::Datei:
        break;
    }
    leer = e.laenge == 0;
    stand.vorhanden = true;
    stand.bits = e.bits;
    stand.besitzer = e.besitzer;
    return std::nullopt;
}

Bytes zwoelfMal(const Datensatz& satz)
{
    Bytes inhalt;
    inhalt.reserve(DateiLaenge);
    for (int r = 0; r < SaetzeProDatei; ++r)
        inhalt.insert(inhalt.end(), satz.bytes().begin(), satz.bytes().end());
    return inhalt;
}

} // namespace

std::optional<Fehler> Ablage::anlegenWennLeer(int jahr, const Datensatz& puffer, int monat, int land)
{
    auto fehler = [&](std::string grund) {
        return Fehler{Fehler::Art::Anlegen, dateiname(jahr), std::move(grund)};
    };
    Dateien& dateien = *m_dateien;

    fs::path ziel;
    if (Grund g = dateien.zielpfad(pfad(jahr), ziel))
        return fehler(*g);
    Stand stand;
    bool leer = false;

    // A file that holds records needs nothing, and no lock: a read-only directory of record
    // files opens without a message.
    if (Grund g = ohneSaetze(dateien, ziel, leer, stand))
        return fehler(*g);
    if (!leer)
        return std::nullopt;

    Sperre sperre(dateien);
    if (Grund g = sperre.nehmen(m_verzeichnis / Sperrdatei, m_sperrfrist))
        return fehler(*g);
    // Another window may have filled the file before the lock was had; its records stay.
    if (Grund g = ohneSaetze(dateien, ziel, leer, stand))
        return fehler(*g);
    if (!leer)
        return std::nullopt;
    if (dateien.schreibgeschuetzt(ziel, stand))
        return Fehler{Fehler::Art::Schreibgeschuetzt, dateiname(jahr), {}};

    Zwischendatei neu(dateien);
    if (Grund g =
            neu.schreiben(ziel, zwoelfMal(Datensatz::standard(puffer, jahr, monat, land)), stand.modus()))
        return fehler(*g);
    // Another program, which takes no lock, may have filled the file meanwhile.
    Stand jetzt;
    if (Grund g = ohneSaetze(dateien, ziel, leer, jetzt))
        return fehler(*g);
    if (!leer)
        return std::nullopt;
    if (Grund g = neu.ersetzen(ziel))
        return fehler(*g);
    dateien.verzeichnisSichern(verzeichnisVon(ziel));
    return std::nullopt;
}

Ergebnis<Datensatz> Ablage::lesen(int jahr, int nummer) const
{
    std::array<std::uint8_t, SatzLaenge> bytes{};
    bool vorhanden = false;
    std::size_t gelesen = 0;
    const std::uint64_t offset = nummer < 1 ? 0 : static_cast<std::uint64_t>(nummer - 1) * SatzLaenge;
    std::filesystem::path andererPfad;
    const std::filesystem::path& datei = jahr >= params::ErstesJahr && jahr <= params::LetztesJahr
                                             ? m_pfade[static_cast<std::size_t>(jahr - params::ErstesJahr)]
                                             : (andererPfad = pfad(jahr));
    if (Grund g = m_dateien->liesBereich(datei, offset, bytes.data(), nummer < 1 ? 0 : bytes.size(),
                                         vorhanden, gelesen))
        return Fehler{Fehler::Art::Lesen, dateiname(jahr), *g};
    if (!vorhanden || nummer < 1 || gelesen != bytes.size())
        return Datensatz::leer();
    return Datensatz::ausBytes(bytes);
}

namespace {

// One file of a save: the year's file or the master file, as read and as it is to become.
struct Speicherdatei {
    explicit Speicherdatei(Dateien& dateien) : zwischen(dateien) {}
    int jahr = 0;
    fs::path ziel;
    Stand alt;
    Bytes neu;
    Zwischendatei zwischen;
    bool ersetzt = false;

    bool geaendert() const { return !alt.vorhanden || neu != alt.bytes; }
};

Fehler speicherfehler(int jahr, std::string grund)
{
    return Fehler{Fehler::Art::Speichern, Ablage::dateiname(jahr), std::move(grund)};
}

// The files as they are on disk now, each completed to twelve records.
std::optional<Fehler> einlesen(Dateien& dateien, const Ablage& ablage, std::deque<Speicherdatei>& liste)
{
    for (Speicherdatei& d : liste) {
        if (Grund g = dateien.zielpfad(ablage.pfad(d.jahr), d.ziel))
            return speicherfehler(d.jahr, *g);
        if (Grund g = dateien.liesAlles(d.ziel, d.alt))
            return speicherfehler(d.jahr, *g);
        d.neu = vervollstaendigt(d.alt.bytes);
    }
    return std::nullopt;
}

// The month's record first, then the head of record 1: when January is saved, record 1 is the
// saved record with the month and year of this save.
void eintragen(std::deque<Speicherdatei>& liste, int jahr, int monat,
               const std::vector<std::pair<int, Datensatz>>& saetze)
{
    for (const auto& [m, satz] : saetze)
        setzeSatz(liste[0].neu, m + 1, satz);
    for (Speicherdatei& d : liste) {
        Datensatz kopf = satzAus(d.neu, 1);
        kopf.setMonat(static_cast<std::int16_t>(monat));
        kopf.setJahr(static_cast<std::int16_t>(jahr));
        setzeSatz(d.neu, 1, kopf);
    }
}

// A file that the user has protected against writing is not replaced, though the directory
// would allow it; then every new content stands complete on disk before any file is replaced,
// so that a full disk or a size limit leaves all files as they were.
std::optional<Fehler> zwischendateienSchreiben(Dateien& dateien, std::deque<Speicherdatei>& liste)
{
    for (const Speicherdatei& d : liste) {
        if (d.geaendert() && dateien.schreibgeschuetzt(d.ziel, d.alt))
            return Fehler{Fehler::Art::Schreibgeschuetzt, Ablage::dateiname(d.jahr), {}};
    }
    for (Speicherdatei& d : liste) {
        if (d.geaendert()) {
            if (Grund g = d.zwischen.schreiben(d.ziel, d.neu, d.alt.modus()))
                return speicherfehler(d.jahr, *g);
        }
    }
    return std::nullopt;
}

// A file that another window or program has changed since it was read would lose that change;
// the user saves again and the new save builds on it.
std::optional<Fehler> unveraendertPruefen(Dateien& dateien, const std::deque<Speicherdatei>& liste)
{
    for (const Speicherdatei& d : liste) {
        if (!d.geaendert())
            continue;
        Stand jetzt;
        if (Grund g = dateien.liesAlles(d.ziel, jetzt))
            return speicherfehler(d.jahr, *g);
        if (!(jetzt == d.alt))
            return speicherfehler(d.jahr, GrundGeaendert);
    }
    return std::nullopt;
}

// Renames every new content over its file; when one rename fails, the files replaced before
// are put back.
std::optional<Fehler> ersetzen(Dateien& dateien, std::deque<Speicherdatei>& liste)
{
    std::set<fs::path> verzeichnisse;
    for (Speicherdatei& d : liste) {
        if (!d.geaendert())
            continue;
        if (Grund g = d.zwischen.ersetzen(d.ziel)) {
            for (const Speicherdatei& frueher : liste) {
                if (frueher.ersetzt)
                    wiederherstellen(dateien, frueher.ziel, frueher.alt);
            }
            return speicherfehler(d.jahr, *g);
        }
        d.ersetzt = true;
        verzeichnisse.insert(verzeichnisVon(d.ziel));
    }
    for (const fs::path& v : verzeichnisse)
        dateien.verzeichnisSichern(v);
    return std::nullopt;
}

} // namespace

std::optional<Fehler> Ablage::speichern(int jahr, int monat, const Datensatz& satz)
{
    return speichern(jahr, monat, {{monat, satz}});
}

std::optional<Fehler> Ablage::speichern(int jahr, int monat,
                                        const std::vector<std::pair<int, Datensatz>>& saetze)
{
    if (monat < 0 || monat >= SaetzeProDatei)
        return speicherfehler(jahr, "Ungültiger Monat " + std::to_string(monat));
    for (const auto& eintrag : saetze)
        if (eintrag.first < 0 || eintrag.first >= SaetzeProDatei)
            return speicherfehler(jahr, "Ungültiger Monat " + std::to_string(eintrag.first));
    Dateien& dateien = *m_dateien;

    // The year's file first, then the master file (one file when the year is 2008).
    std::deque<Speicherdatei> liste;
    liste.emplace_back(dateien).jahr = jahr;
    if (jahr != Stammjahr)
        liste.emplace_back(dateien).jahr = Stammjahr;

    // From reading the files to replacing them no other save of the program runs here: what it
    // saved before is read and kept, what it saves after builds on this.
    Sperre sperre(dateien);
    if (Grund g = sperre.nehmen(m_verzeichnis / Sperrdatei, m_sperrfrist))
        return speicherfehler(jahr, *g);

    verwaisteZwischendateienEntfernen(dateien, m_verzeichnis);
    if (auto f = einlesen(dateien, *this, liste))
        return f;
    eintragen(liste, jahr, monat, saetze);
    if (auto f = zwischendateienSchreiben(dateien, liste))
        return f;
    if (m_vorDemErsetzen)
        m_vorDemErsetzen();
    if (auto f = unveraendertPruefen(dateien, liste))
        return f;
    if (m_vorDemUmbenennen)
        m_vorDemUmbenennen();
    return ersetzen(dateien, liste);
}

} // namespace svp::store
