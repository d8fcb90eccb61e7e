#pragma once

#include "datei.h"
#include "datendatei.h"
#include "params/arbeitnehmer.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace svp::store {

// The employee's data, "arbeitnehmer.json" in the employee's folder: who the employee is and
// what the contribution amounts need beyond the month's case. Keys and their values:
//   "Name"                text, at most 60 characters, no control characters
//   "Personalnummer"      text, at most 20 characters
//   "Geburtsdatum"        "JJJJ-MM-TT", a calendar date of the years 1900 to 2099
//   "Kinderlos"           true/false
//   "KVSatzKasse"         number, the fund's general KV rate in percent, 5.00 to 20.00, at most
//                         two decimals (read from its digits: 14.55 is exactly 14.55)
//   "KVErmaessigt", "RechtskreisOst", "U1"   true/false
//   "Versicherungsnummer" the social-insurance number, 12 characters (see pruefeVersicherungsnummer)
//   "Krankenkasse"        text, at most 60 characters
// A key that is missing (or null) is "nicht angegeben": an empty text, an absent optional.
// Saving leaves out what is not given and keeps every other key of the file where it stands.
//
// Reading never writes. A damaged file gives the defaults and an error naming file and reason,
// and stays as it is until the user saves; the save then keeps its bytes as
// "arbeitnehmer.json.beschaedigt" and writes the new file (with the keys the program does not
// know, when the damaged file is still a JSON object).
class Arbeitnehmerdatei
{
public:
    static constexpr const char* Dateiname = "arbeitnehmer.json";
    static constexpr std::size_t NameHoechstens = 60;
    static constexpr std::size_t PersonalnummerHoechstens = 20;
    static constexpr std::size_t KrankenkasseHoechstens = 60;
    static constexpr params::Currency KVSatzKleinster = params::Currency::fromWhole(5);
    static constexpr params::Currency KVSatzGroesster = params::Currency::fromWhole(20);

    // `kennung`: the folder as it was listed; a save into a folder that has since been removed
    // or renamed (or replaced by another of that name) is refused.
    explicit Arbeitnehmerdatei(std::filesystem::path ordner, std::optional<Ordnerkennung> kennung = {});

    std::filesystem::path pfad() const;

    Gelesen<params::Arbeitnehmerdaten> lesen() const;

    // Saves `daten` under the folder's lock. Values that the file may not hold (pruefen) save
    // nothing. A file on disk that cannot be read, or that the user has write-protected, is
    // left as it is, with an error.
    Ergebnis<Speicherung> speichern(const params::Arbeitnehmerdaten& daten) const;

    // The German reason why `daten` cannot be saved, naming the key, e.g.
    // "\"Versicherungsnummer\": die Prüfziffer 4 passt nicht zur Nummer"; nothing when all is well.
    static Grund pruefen(const params::Arbeitnehmerdaten& daten);

    // The form of a social-insurance number (§ 2 VKVV): area number (2 digits), date of birth
    // TTMMJJ (6 digits), the initial of the birth name (a capital letter), serial number
    // (2 digits) and the check digit, which must fit the other eleven characters. The date
    // part is not taken as a calendar date: numbers for an unproven date of birth differ.
    static Grund pruefeVersicherungsnummer(std::string_view nummer);

private:
    std::filesystem::path m_ordner;
    std::optional<Ordnerkennung> m_kennung;
};

} // namespace svp::store
