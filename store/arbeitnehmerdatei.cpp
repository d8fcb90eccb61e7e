#include "arbeitnehmerdatei.h"

#include "datenschluessel.h"

#include <array>

namespace svp::store {

namespace {

using params::Arbeitnehmerdaten;
using A = Arbeitnehmerdaten;

constexpr std::size_t VersicherungsnummerLaenge = 12;
constexpr std::size_t StelleAnfangsbuchstabe = 8; // the ninth character, counted from 0

Grund versicherungsnummerForm(std::string_view nummer)
{
    return Arbeitnehmerdatei::pruefeVersicherungsnummer(nummer);
}

// The keys of the file in the order a new file lists them.
const std::array<daten::Schluessel<A>, 10> Schluessel = {{
    {"Name", daten::Text<A>{&A::Name, Arbeitnehmerdatei::NameHoechstens}},
    {"Personalnummer", daten::Text<A>{&A::Personalnummer, Arbeitnehmerdatei::PersonalnummerHoechstens}},
    {"Geburtsdatum", daten::Tag<A>{&A::Geburtsdatum}},
    {"Kinderlos", daten::JaNein<A>{&A::Kinderlos}},
    {"KVSatzKasse", daten::Prozent<A>{&A::KVSatzKasse, Arbeitnehmerdatei::KVSatzKleinster,
                                      Arbeitnehmerdatei::KVSatzGroesster}},
    {"KVErmaessigt", daten::JaNein<A>{&A::KVErmaessigt}},
    {"RechtskreisOst", daten::JaNein<A>{&A::RechtskreisOst}},
    {"U1", daten::JaNein<A>{&A::U1}},
    {"Versicherungsnummer",
     daten::Text<A>{&A::Versicherungsnummer, VersicherungsnummerLaenge, versicherungsnummerForm}},
    {"Krankenkasse", daten::Text<A>{&A::Krankenkasse, Arbeitnehmerdatei::KrankenkasseHoechstens}},
}};

// § 2 Abs. 6 VKVV: the letter becomes its place in the alphabet, two digits; the twelve digits
// so formed are multiplied by these factors, the digit sums of the products added, and the
// remainder of the sum divided by 10 is the check digit.
constexpr std::array<int, 12> Pruefgewichte = {2, 1, 2, 5, 7, 1, 2, 1, 2, 1, 2, 1};

bool ziffer(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

Arbeitnehmerdatei::Arbeitnehmerdatei(std::filesystem::path ordner, std::optional<Ordnerkennung> kennung)
    : m_ordner(std::move(ordner)), m_kennung(kennung)
{
}

std::filesystem::path Arbeitnehmerdatei::pfad() const
{
    return m_ordner / Dateiname;
}

Gelesen<Arbeitnehmerdaten> Arbeitnehmerdatei::lesen() const
{
    return daten::lesenMit<A>(Schluessel, m_ordner, Dateiname);
}

Ergebnis<Speicherung> Arbeitnehmerdatei::speichern(const Arbeitnehmerdaten& daten) const
{
    return daten::speichernMit<A>(Schluessel, m_ordner, Dateiname, m_kennung, daten);
}

Grund Arbeitnehmerdatei::pruefen(const Arbeitnehmerdaten& daten)
{
    return daten::pruefeWerte<A>(Schluessel, daten);
}

Grund Arbeitnehmerdatei::pruefeVersicherungsnummer(std::string_view nummer)
{
    // Only ASCII belongs in it, so bytes are characters here once the length is right; a text
    // of other characters is caught by the digit and letter checks.
    if (nummer.size() != VersicherungsnummerLaenge)
        return "12 Zeichen erwartet (z. B. 65170839J003)";
    for (std::size_t i = 0; i < nummer.size(); ++i) {
        if (i != StelleAnfangsbuchstabe && !ziffer(nummer[i]))
            return "an Stelle " + std::to_string(i + 1) + " eine Ziffer erwartet";
    }
    const char buchstabe = nummer[StelleAnfangsbuchstabe];
    if (buchstabe < 'A' || buchstabe > 'Z')
        return "an Stelle 9 der Anfangsbuchstabe des Geburtsnamens als Großbuchstabe erwartet";

    std::array<int, 12> ziffern{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < StelleAnfangsbuchstabe; ++i)
        ziffern[n++] = nummer[i] - '0';
    const int platz = buchstabe - 'A' + 1;
    ziffern[n++] = platz / 10;
    ziffern[n++] = platz % 10;
    ziffern[n++] = nummer[9] - '0';
    ziffern[n++] = nummer[10] - '0';
    int summe = 0;
    for (std::size_t i = 0; i < ziffern.size(); ++i) {
        const int produkt = ziffern[i] * Pruefgewichte[i];
        summe += produkt / 10 + produkt % 10;
    }
    if (summe % 10 != nummer[11] - '0')
        return std::string("die Prüfziffer ") + nummer[11] + " passt nicht zur Nummer";
    return std::nullopt;
}

} // namespace svp::store
