#include "ablage.h"

#include "datei.h"
#include "params/eingaben.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
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
void wiederherstellen(const fs::path& ziel, const Stand& alt)
{
    if (!alt.vorhanden) {
        ::unlink(ziel.c_str());
        return;
    }
    Zwischendatei z;
    if (!z.schreiben(ziel, alt.bytes, alt.modus()))
        (void)z.ersetzen(ziel);
}

// A save that was killed half-way leaves its temporary file behind: ".SV2008.xyz.<pid>.<n>.tmp".
// Such a file of a process that no longer runs is removed; one of a running process may be
// the half-written save of another window and is left alone.
void verwaisteZwischendateienEntfernen(const fs::path& verzeichnis)
{
    std::error_code ec;
    for (fs::directory_iterator it(verzeichnis, ec), ende; !ec && it != ende; it.increment(ec)) {
        const std::string name = it->path().filename().string();
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
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlink(it->path().c_str());
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

Ablage::Ablage(std::filesystem::path verzeichnis) : m_verzeichnis(std::move(verzeichnis)) {}

std::string Ablage::dateiname(int jahr)
{
    return "SV" + std::to_string(jahr) + ".xyz";
}

std::filesystem::path Ablage::pfad(int jahr) const
{
    return m_verzeichnis / dateiname(jahr);
}

std::optional<Fehler> Ablage::anlegenWennLeer(int jahr, const Datensatz& puffer, int monat, int land)
{
    auto fehler = [&](std::string grund) {
        return Fehler{Fehler::Art::Anlegen, dateiname(jahr), std::move(grund)};
    };

    fs::path ziel;
    if (Grund g = zielpfad(pfad(jahr), ziel))
        return fehler(*g);
    // Whether the file still needs its records; `stand` an empty file's bits and owner.
    Stand stand;
    auto leer = [&](bool& istLeer) -> Grund {
        struct stat st {
        };
        stand = Stand{};
        if (::stat(ziel.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return fehlergrund(errno);
            istLeer = true;
            return std::nullopt;
        }
        if (S_ISDIR(st.st_mode))
            return fehlergrund(EISDIR);
        if (!S_ISREG(st.st_mode))
            return GrundKeineDatei;
        istLeer = st.st_size == 0;
        stand.vorhanden = true;
        stand.bits = static_cast<mode_t>(st.st_mode & 07777);
        stand.besitzer = st.st_uid;
        return std::nullopt;
    };

    // A file that holds records needs nothing, and no lock: a read-only directory of record
    // files opens without a message.
    bool istLeer = false;
    if (Grund g = leer(istLeer))
        return fehler(*g);
    if (!istLeer)
        return std::nullopt;

    Sperre sperre;
    if (Grund g = sperre.nehmen(m_verzeichnis / Sperrdatei, m_sperrfrist))
        return fehler(*g);
    // Another window may have filled the file before the lock was had; its records stay.
    if (Grund g = leer(istLeer))
        return fehler(*g);
    if (!istLeer)
        return std::nullopt;
    if (schreibgeschuetzt(ziel, stand))
        return Fehler{Fehler::Art::Schreibgeschuetzt, dateiname(jahr), {}};

    const Datensatz standard = Datensatz::standard(puffer, jahr, monat, land);
    Bytes inhalt;
    inhalt.reserve(DateiLaenge);
    for (int r = 0; r < SaetzeProDatei; ++r)
        inhalt.insert(inhalt.end(), standard.bytes().begin(), standard.bytes().end());

    Zwischendatei neu;
    if (Grund g = neu.schreiben(ziel, inhalt, stand.modus()))
        return fehler(*g);
    // Another program, which takes no lock, may have filled the file meanwhile.
    if (Grund g = leer(istLeer))
        return fehler(*g);
    if (!istLeer)
        return std::nullopt;
    if (Grund g = neu.ersetzen(ziel))
        return fehler(*g);
    verzeichnisSichern(verzeichnisVon(ziel));
    return std::nullopt;
}

Ergebnis<Datensatz> Ablage::lesen(int jahr, int nummer) const
{
    int fd = -1;
    mode_t modus = 0;
    if (Grund g = oeffneZumLesen(pfad(jahr), fd, modus))
        return Fehler{Fehler::Art::Lesen, dateiname(jahr), *g};
    if (fd < 0 || nummer < 1)
        return Datensatz::leer();
    Deskriptor d(fd);
    std::array<std::uint8_t, SatzLaenge> bytes{};
    bool vollstaendig = false;
    const auto offset = static_cast<off_t>(nummer - 1) * static_cast<off_t>(SatzLaenge);
    if (Grund g = liesBereich(fd, offset, bytes.data(), bytes.size(), vollstaendig))
        return Fehler{Fehler::Art::Lesen, dateiname(jahr), *g};
    if (!vollstaendig)
        return Datensatz::leer();
    return Datensatz::ausBytes(bytes);
}

std::optional<Fehler> Ablage::speichern(int jahr, int monat, const Datensatz& satz)
{
    auto fehler = [](int j, std::string grund) {
        return Fehler{Fehler::Art::Speichern, dateiname(j), std::move(grund)};
    };
    if (monat < 0 || monat >= SaetzeProDatei)
        return fehler(jahr, "Ungültiger Monat " + std::to_string(monat));

    struct Datei {
        int jahr = 0;
        fs::path ziel;
        Stand alt;
        Bytes neu;
        Zwischendatei zwischen;
        bool ersetzt = false;
    };
    // The year's file first, then the master file (one file when the year is 2008).
    std::vector<Datei> dateien(jahr == Stammjahr ? 1 : 2);
    dateien[0].jahr = jahr;
    if (dateien.size() > 1)
        dateien[1].jahr = Stammjahr;

    // From reading the files to replacing them no other save of the program runs here: what it
    // saved before is read and kept, what it saves after builds on this.
    Sperre sperre;
    if (Grund g = sperre.nehmen(m_verzeichnis / Sperrdatei, m_sperrfrist))
        return fehler(jahr, *g);

    verwaisteZwischendateienEntfernen(m_verzeichnis);
    for (Datei& d : dateien) {
        if (Grund g = zielpfad(pfad(d.jahr), d.ziel))
            return fehler(d.jahr, *g);
        if (Grund g = liesAlles(d.ziel, d.alt))
            return fehler(d.jahr, *g);
        d.neu = vervollstaendigt(d.alt.bytes);
    }

    // The month's record first, then the head of record 1: when January is saved, record 1 is
    // the saved record with the month and year of this save.
    setzeSatz(dateien[0].neu, monat + 1, satz);
    for (Datei& d : dateien) {
        Datensatz kopf = satzAus(d.neu, 1);
        kopf.setMonat(static_cast<std::int16_t>(monat));
        kopf.setJahr(static_cast<std::int16_t>(jahr));
        setzeSatz(d.neu, 1, kopf);
    }

    auto geaendert = [](const Datei& d) { return !d.alt.vorhanden || d.neu != d.alt.bytes; };

    // A file that the user has protected against writing is not replaced, though the
    // directory would allow it.
    for (const Datei& d : dateien) {
        if (geaendert(d) && schreibgeschuetzt(d.ziel, d.alt))
            return Fehler{Fehler::Art::Schreibgeschuetzt, dateiname(d.jahr), {}};
    }

    // Every new content stands complete on disk before any file is replaced, so that a full
    // disk or a size limit leaves all files as they were.
    for (Datei& d : dateien) {
        if (geaendert(d)) {
            if (Grund g = d.zwischen.schreiben(d.ziel, d.neu, d.alt.modus()))
                return fehler(d.jahr, *g);
        }
    }
    if (m_vorDemErsetzen)
        m_vorDemErsetzen();
    // A file that another window or program has changed since it was read would lose that
    // change; the user saves again and the new save builds on it.
    for (const Datei& d : dateien) {
        if (!geaendert(d))
            continue;
        Stand jetzt;
        if (Grund g = liesAlles(d.ziel, jetzt))
            return fehler(d.jahr, *g);
        if (!(jetzt == d.alt))
            return fehler(d.jahr, GrundGeaendert);
    }

    if (m_vorDemUmbenennen)
        m_vorDemUmbenennen();
    std::set<fs::path> verzeichnisse;
    for (Datei& d : dateien) {
        if (!geaendert(d))
            continue;
        if (Grund g = d.zwischen.ersetzen(d.ziel)) {
            for (const Datei& frueher : dateien) {
                if (frueher.ersetzt)
                    wiederherstellen(frueher.ziel, frueher.alt);
            }
            return fehler(d.jahr, *g);
        }
        d.ersetzt = true;
        verzeichnisse.insert(verzeichnisVon(d.ziel));
    }
    for (const fs::path& v : verzeichnisse)
        verzeichnisSichern(v);
    return std::nullopt;
}

} // namespace svp::store
