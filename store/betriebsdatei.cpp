#include "betriebsdatei.h"

#include "datenschluessel.h"

#include <array>

namespace svp::store {

namespace {

using B = Betriebsdaten;

constexpr std::size_t BetriebsnummerLaenge = 8;

Grund betriebsnummerForm(std::string_view nummer)
{
    return Betriebsdatei::pruefeBetriebsnummer(nummer);
}

const std::array<daten::Schluessel<B>, 2> Schluessel = {{
    {"Name", daten::Text<B>{&B::Name, Betriebsdatei::NameHoechstens}},
    {"Betriebsnummer", daten::Text<B>{&B::Betriebsnummer, BetriebsnummerLaenge, betriebsnummerForm}},
}};

} // namespace

Betriebsdatei::Betriebsdatei(std::filesystem::path wurzel) : m_wurzel(std::move(wurzel)) {}

std::filesystem::path Betriebsdatei::pfad() const
{
    return m_wurzel / Dateiname;
}

Gelesen<Betriebsdaten> Betriebsdatei::lesen() const
{
    return daten::lesenMit<B>(Schluessel, m_wurzel, Dateiname);
}

Ergebnis<Speicherung> Betriebsdatei::speichern(const Betriebsdaten& daten) const
{
    return daten::speichernMit<B>(Schluessel, m_wurzel, Dateiname, std::nullopt, daten);
}

Grund Betriebsdatei::pruefen(const Betriebsdaten& daten)
{
    return daten::pruefeWerte<B>(Schluessel, daten);
}

Grund Betriebsdatei::pruefeBetriebsnummer(std::string_view nummer)
{
    if (nummer.size() != BetriebsnummerLaenge ||
        nummer.find_first_not_of("0123456789") != std::string_view::npos)
        return "8 Ziffern erwartet";
    return std::nullopt;
}

} // namespace svp::store
