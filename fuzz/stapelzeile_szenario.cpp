#include "stapelzeile_szenario.h"

#include "cli/batch.h"

#include <nlohmann/json.hpp>
#include <sstream>

namespace svp::fuzz {

namespace {

// Whitespace as JSON knows it; the batch skips a line of nothing else.
bool leer(std::string_view zeile)
{
    return zeile.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The lines as std::getline splits them: a last line without a newline counts.
std::vector<std::string> zeilen(std::string_view text)
{
    std::vector<std::string> ergebnis;
    std::istringstream in{std::string(text)};
    for (std::string zeile; std::getline(in, zeile);)
        ergebnis.push_back(zeile);
    return ergebnis;
}

struct Lauf {
    int status = 0;
    std::vector<std::string> antworten;
};

Lauf laufen(std::string_view eingabe, bool sequence, std::vector<std::string>& fehler)
{
    const std::string art = sequence ? "--sequence: " : "einzeln: ";
    std::istringstream in{std::string(eingabe)};
    std::ostringstream out;
    Lauf lauf;
    lauf.status = cli::runBatch(in, out, cli::BatchOptions{sequence});
    const std::string text = out.str();
    if (!text.empty() && text.back() != '\n')
        fehler.push_back(art + "die Ausgabe endet nicht mit einem Zeilenende");
    lauf.antworten = zeilen(text);

    std::vector<long> nummern; // the non-blank input lines, counted from 1
    const auto eingabeZeilen = zeilen(eingabe);
    for (std::size_t i = 0; i < eingabeZeilen.size(); ++i) {
        if (!leer(eingabeZeilen[i]))
            nummern.push_back(static_cast<long>(i + 1));
    }
    if (lauf.antworten.size() != nummern.size()) {
        fehler.push_back(art + std::to_string(nummern.size()) + " Zeilen, aber " +
                         std::to_string(lauf.antworten.size()) + " Antworten");
        return lauf;
    }

    bool abgelehnt = false;
    for (std::size_t i = 0; i < lauf.antworten.size(); ++i) {
        const auto json = nlohmann::json::parse(lauf.antworten[i], nullptr, false);
        if (json.is_discarded() || !json.is_object()) {
            fehler.push_back(art + "Antwort " + std::to_string(i + 1) + " ist kein JSON-Objekt");
            continue;
        }
        if (json.contains("Fehler")) {
            abgelehnt = true;
            if (!json["Fehler"].is_string() || !json.contains("Zeile") || json["Zeile"] != nummern[i])
                fehler.push_back(art + "Fehlerzeile " + std::to_string(i + 1) + " nennt nicht Zeile " +
                                 std::to_string(nummern[i]));
        }
    }
    const int erwartet = abgelehnt ? cli::ExitLineFailed : cli::ExitAllDetermined;
    if (lauf.status != erwartet)
        fehler.push_back(art + "Status " + std::to_string(lauf.status) + " statt " +
                         std::to_string(erwartet));
    return lauf;
}

} // namespace

std::vector<std::string> stapelzeileDurchspielen(std::string_view eingabe)
{
    std::vector<std::string> fehler;
    const Lauf einzeln = laufen(eingabe, false, fehler);
    const Lauf folge = laufen(eingabe, true, fehler);
    // The first case starts from the fresh window in both modes.
    if (!einzeln.antworten.empty() && !folge.antworten.empty() && einzeln.antworten[0] != folge.antworten[0])
        fehler.push_back("die erste Zeile ergibt mit --sequence ein anderes Ergebnis");
    return fehler;
}

} // namespace svp::fuzz
