#pragma once

#include "store/datei.h"

#include <filesystem>
#include <map>
#include <string>

namespace svp::fuzz {

// Files in memory, for the fuzz scenario of the record files: ordinary files in one writable
// folder of the user, without links, other processes or a disk to wait for. Each operation
// answers as the files of the system would for such files, so that saving and reading run
// their own code unchanged; the replay test holds both layers to the same bytes.
class Speicherdateien final : public store::Dateien
{
public:
    store::Grund zielpfad(std::filesystem::path pfad, std::filesystem::path& ziel) override;
    store::Grund eigenschaften(const std::filesystem::path& pfad, store::Eigenschaften& ergebnis) override;
    store::Grund liesBereich(const std::filesystem::path& pfad, std::uint64_t offset, std::uint8_t* ziel,
                             std::size_t laenge, bool& vorhanden, std::size_t& gelesen) override;
    store::Grund liesAlles(const std::filesystem::path& pfad, store::Stand& stand) override;
    bool schreibgeschuetzt(const std::filesystem::path& pfad, const store::Stand& stand) override;
    store::Grund neuSchreiben(const std::filesystem::path& pfad, const store::Bytes& bytes,
                              std::optional<mode_t> modus, Anlage& anlage) override;
    store::Grund umbenennen(const std::filesystem::path& von, const std::filesystem::path& nach) override;
    void entfernen(const std::filesystem::path& pfad) override;
    void verzeichnisSichern(const std::filesystem::path& verzeichnis) override;
    std::vector<std::string> namen(const std::filesystem::path& verzeichnis) override;
    bool prozessLaeuft(pid_t prozess) override;
    store::Grund sperren(const std::filesystem::path& sperrdatei, std::chrono::milliseconds frist,
                         int& griff) override;
    void freigeben(int griff) override;

private:
    struct Datei {
        store::Bytes bytes;
        mode_t bits = 0644;
    };
    static const std::string& schluessel(const std::filesystem::path& pfad);
    std::map<std::string, Datei> m_dateien;
};

} // namespace svp::fuzz
