#pragma once

#include "datei.h"
#include "datendatei.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace svp::store {

// The clerk's own company, named on the Prüfbeleg. Empty texts are "nicht angegeben".
struct Betriebsdaten {
    std::string Name;           // at most 80 characters
    std::string Betriebsnummer; // the employer's number with the Bundesagentur für Arbeit, 8 digits

    friend bool operator==(const Betriebsdaten&, const Betriebsdaten&) = default;
};

// "betrieb.json" in the data root, one JSON object with the keys "Name" and "Betriebsnummer";
// read, checked and saved like the employee's data file (see Arbeitnehmerdatei): unknown keys
// kept, a damaged file left as it is until the user saves and then kept as
// "betrieb.json.beschaedigt".
class Betriebsdatei
{
public:
    static constexpr const char* Dateiname = "betrieb.json";
    static constexpr std::size_t NameHoechstens = 80;

    explicit Betriebsdatei(std::filesystem::path wurzel);

    std::filesystem::path pfad() const;

    Gelesen<Betriebsdaten> lesen() const;
    Ergebnis<Speicherung> speichern(const Betriebsdaten& daten) const;

    // The German reason why `daten` cannot be saved, naming the key; nothing when all is well.
    static Grund pruefen(const Betriebsdaten& daten);

    // Eight digits. Its check digit is not tested: the rule for it is the Bundesagentur's own,
    // not in the statute, and a check from a doubtful source would refuse real numbers.
    static Grund pruefeBetriebsnummer(std::string_view nummer);

private:
    std::filesystem::path m_wurzel;
};

} // namespace svp::store
