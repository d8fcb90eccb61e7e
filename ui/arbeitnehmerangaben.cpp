#include "arbeitnehmerangaben.h"

#include "store/arbeitnehmerdatei.h"

#include <system_error>

namespace svp::ui {

QString datumText(const std::optional<params::Datum>& datum)
{
    if (!datum)
        return {};
    return QStringLiteral("%1.%2.%3")
        .arg(datum->tag, 2, 10, QLatin1Char('0'))
        .arg(datum->monat, 2, 10, QLatin1Char('0'))
        .arg(datum->jahr, 4, 10, QLatin1Char('0'));
}

Belegangaben belegangabenAus(const params::Arbeitnehmerdaten& daten, const store::Betriebsdaten& betrieb)
{
    Belegangaben a;
    a.name = QString::fromStdString(daten.Name);
    a.personalnummer = QString::fromStdString(daten.Personalnummer);
    a.geburtsdatum = datumText(daten.Geburtsdatum);
    a.versicherungsnummer = QString::fromStdString(daten.Versicherungsnummer);
    a.krankenkasse = QString::fromStdString(daten.Krankenkasse);
    a.betrieb = QString::fromStdString(betrieb.Name);
    a.betriebsnummer = QString::fromStdString(betrieb.Betriebsnummer);
    return a;
}

std::filesystem::path betriebsordnerFuer(const std::filesystem::path& ordner)
{
    std::error_code ec;
    if (std::filesystem::exists(ordner / store::Betriebsdatei::Dateiname, ec))
        return ordner;
    // An employee's folder holds its data file; the root above it the company's.
    if (!std::filesystem::exists(ordner / store::Arbeitnehmerdatei::Dateiname, ec))
        return ordner;
    std::filesystem::path absolut = std::filesystem::absolute(ordner, ec).lexically_normal();
    if (ec)
        return ordner;
    if (absolut.filename().empty()) // "/wurzel/4711 Meier/"
        absolut = absolut.parent_path();
    return absolut.has_relative_path() ? absolut.parent_path() : absolut;
}

} // namespace svp::ui
