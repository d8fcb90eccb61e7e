#include "speicherdateien.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace svp::fuzz {

namespace fs = std::filesystem;
using store::Grund;

const std::string& Speicherdateien::schluessel(const fs::path& pfad)
{
    // The record files build their names from one folder: the names are alike as they stand.
    return pfad.native();
}

Grund Speicherdateien::zielpfad(fs::path pfad, fs::path& ziel)
{
    ziel = std::move(pfad);
    return std::nullopt;
}

Grund Speicherdateien::eigenschaften(const fs::path& pfad, store::Eigenschaften& ergebnis)
{
    ergebnis = store::Eigenschaften{};
    const auto it = m_dateien.find(schluessel(pfad));
    if (it == m_dateien.end())
        return std::nullopt;
    ergebnis.art = store::Eigenschaften::Art::Datei;
    ergebnis.laenge = it->second.bytes.size();
    ergebnis.bits = it->second.bits;
    ergebnis.besitzer = ::geteuid();
    return std::nullopt;
}

Grund Speicherdateien::liesBereich(const fs::path& pfad, std::uint64_t offset, std::uint8_t* ziel,
                                   std::size_t laenge, bool& vorhanden, std::size_t& gelesen)
{
    const auto it = m_dateien.find(schluessel(pfad));
    vorhanden = it != m_dateien.end();
    gelesen = 0;
    if (!vorhanden || offset >= it->second.bytes.size())
        return std::nullopt;
    const store::Bytes& bytes = it->second.bytes;
    gelesen = std::min<std::size_t>(laenge, bytes.size() - offset);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), gelesen, ziel);
    return std::nullopt;
}

Grund Speicherdateien::liesAlles(const fs::path& pfad, store::Stand& stand)
{
    stand = store::Stand{};
    const auto it = m_dateien.find(schluessel(pfad));
    if (it == m_dateien.end())
        return std::nullopt;
    stand.bits = it->second.bits;
    if (it->second.bytes.size() > store::GroessteDatei)
        return store::grundZuGross(it->second.bytes.size());
    stand.vorhanden = true;
    stand.bytes = it->second.bytes;
    stand.besitzer = ::geteuid();
    return std::nullopt;
}

bool Speicherdateien::schreibgeschuetzt(const fs::path&, const store::Stand& stand)
{
    // The user owns every file here.
    return stand.vorhanden && (stand.bits & S_IWUSR) == 0;
}

Grund Speicherdateien::neuSchreiben(const fs::path& pfad, const store::Bytes& bytes,
                                    std::optional<mode_t> modus, Anlage& anlage)
{
    const auto [it, neu] = m_dateien.try_emplace(schluessel(pfad));
    if (!neu) {
        anlage = Anlage::Vergeben;
        return store::fehlergrund(EEXIST);
    }
    anlage = Anlage::Angelegt;
    it->second.bytes = bytes;
    if (modus)
        it->second.bits = *modus;
    return std::nullopt;
}

Grund Speicherdateien::umbenennen(const fs::path& von, const fs::path& nach)
{
    auto it = m_dateien.find(schluessel(von));
    if (it == m_dateien.end())
        return store::fehlergrund(ENOENT);
    Datei datei = std::move(it->second);
    m_dateien.erase(it);
    m_dateien[schluessel(nach)] = std::move(datei);
    return std::nullopt;
}

void Speicherdateien::entfernen(const fs::path& pfad)
{
    m_dateien.erase(schluessel(pfad));
}

void Speicherdateien::verzeichnisSichern(const fs::path&) {}

std::vector<std::string> Speicherdateien::namen(const fs::path& verzeichnis)
{
    // The keys are the folder, a slash and the name.
    const std::string& ordner = schluessel(verzeichnis);
    std::vector<std::string> ergebnis;
    for (const auto& [name, datei] : m_dateien) {
        const std::string_view n(name);
        if (n.size() > ordner.size() + 1 && n.substr(0, ordner.size()) == ordner && n[ordner.size()] == '/' &&
            n.find('/', ordner.size() + 1) == std::string_view::npos)
            ergebnis.emplace_back(n.substr(ordner.size() + 1));
    }
    return ergebnis;
}

bool Speicherdateien::prozessLaeuft(pid_t)
{
    // Only this process saves here; a temporary file it leaves is its own, which it removes.
    return true;
}

Grund Speicherdateien::sperren(const fs::path& sperrdatei, std::chrono::milliseconds, int& griff)
{
    // Nobody else saves here: the lock is free at once. The lock file stands as on disk.
    m_dateien.try_emplace(schluessel(sperrdatei));
    griff = 0;
    return std::nullopt;
}

void Speicherdateien::freigeben(int) {}

} // namespace svp::fuzz
