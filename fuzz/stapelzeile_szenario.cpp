#include "stapelzeile_szenario.h"

#include "cli/batch.h"
#include "cli/case_input.h"
#include "cli/csv.h"
#include "cli/csv_writer.h"
#include "cli/json_line_reader.h"
#include "cli/line_source.h"
#include "cli/plain_line_reader.h"

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

std::string ausgabe(std::string_view eingabe, const cli::BatchOptions& options, int& status)
{
    std::istringstream in{std::string(eingabe)};
    std::ostringstream out;
    status = cli::runBatch(in, out, options);
    return out.str();
}

Lauf laufen(std::string_view eingabe, bool sequence, std::vector<std::string>& fehler)
{
    const std::string art = sequence ? "--sequence: " : "einzeln: ";
    Lauf lauf;
    const std::string text = ausgabe(eingabe, {.sequence = sequence}, lauf.status);
    if (!sequence) {
        // Two threads take shares of the lines and give the same bytes.
        int status = -1;
        if (ausgabe(eingabe, {.jobs = 2}, status) != text || status != lauf.status)
            fehler.push_back("--jobs 2 gibt eine andere Ausgabe als ein Thread");
    }
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

// The input as CSV with the separator: refused as a whole (status 2, no output) when its
// header row cannot be used; else a header row and one row of the same width per record,
// with a fault exactly in the rows of a failed run, and the same bytes with two threads.
void alsCsv(std::string_view eingabe, char trennzeichen, std::vector<std::string>& fehler)
{
    const std::string art = std::string("CSV mit \"") + trennzeichen + "\": ";
    int status = -1;
    const cli::BatchOptions options{.format = cli::Format::Csv, .separator = trennzeichen};
    const std::string text = ausgabe(eingabe, options, status);
    int status2 = -1;
    cli::BatchOptions zwei = options;
    zwei.jobs = 2;
    if (ausgabe(eingabe, zwei, status2) != text || status2 != status)
        fehler.push_back(art + "--jobs 2 gibt eine andere Ausgabe als ein Thread");
    if (status == cli::ExitNoInput) {
        if (!text.empty())
            fehler.push_back(art + "abgewiesene Eingabe mit Ausgabe");
        return;
    }

    // Records of the input as the batch reads them (a quote left open ends its record at its
    // first line); the first is the header.
    std::size_t saetze = 0;
    {
        std::istringstream in{std::string(eingabe)};
        cli::LineSource quelle(in, options.maxLineLength, 1, trennzeichen);
        std::string puffer;
        cli::InputRecord satz;
        while (quelle.next(puffer, satz)) {
            ++saetze;
            puffer.clear();
        }
    }
    std::string_view rest = text;
    if (rest.starts_with(cli::csv::ByteOrderMark))
        rest.remove_prefix(cli::csv::ByteOrderMark.size());
    std::size_t zeilen = 0;
    bool mitFehler = false;
    cli::csv::RecordScanner ausgabeScanner(trennzeichen);
    std::vector<std::string> felder;
    while (!rest.empty()) {
        const char* lf = ausgabeScanner.find(rest.data(), rest.data() + rest.size());
        const auto laenge = static_cast<std::size_t>(lf - rest.data());
        std::size_t feld = 0;
        if (cli::csv::splitRecord(rest.substr(0, laenge), trennzeichen, felder, feld) !=
                cli::csv::SplitFault::None ||
            felder.size() != cli::csvColumnCount() || laenge == 0 || laenge == rest.size() ||
            rest[laenge - 1] != '\r') {
            fehler.push_back(art + "Ausgabezeile " + std::to_string(zeilen + 1) +
                             " ist keine Zeile der Tabelle");
            return;
        }
        mitFehler = mitFehler || (zeilen > 0 && !felder[1].empty());
        rest.remove_prefix(laenge + 1);
        ++zeilen;
    }
    if (zeilen != saetze)
        fehler.push_back(art + std::to_string(saetze) + " Zeilen, aber " + std::to_string(zeilen) +
                         " Antworten");
    if (status != (mitFehler ? cli::ExitLineFailed : cli::ExitAllDetermined))
        fehler.push_back(art + "Status " + std::to_string(status));
}

// A line the plain reader takes, the general reader takes alike.
void beideLeser(const std::string& zeile, std::size_t nummer, std::vector<std::string>& fehler)
{
    cli::CaseInput plain;
    cli::CaseInput allgemein;
    cli::LineError error;
    if (!cli::parseCaseLinePlain(zeile, plain))
        return;
    bool gleich = cli::parseCaseLineGeneral(zeile, allgemein, error);
    for (const cli::KeyRule& rule : cli::Keys)
        for (int i = 0; i < 3 && gleich; ++i)
            gleich = plain.has(rule.key, i) == allgemein.has(rule.key, i) &&
                     (!plain.has(rule.key, i) || plain.value(rule.key, i) == allgemein.value(rule.key, i));
    if (gleich)
        gleich = (plain.kennung() == nullptr) == (allgemein.kennung() == nullptr) &&
                 (plain.kennung() == nullptr || *plain.kennung() == *allgemein.kennung());
    if (!gleich)
        fehler.push_back("Zeile " + std::to_string(nummer) + ": die beiden Leser lesen sie verschieden");
}

} // namespace

std::vector<std::string> stapelzeileDurchspielen(std::string_view eingabe)
{
    std::vector<std::string> fehler;
    const auto eingabeZeilen = zeilen(eingabe);
    for (std::size_t i = 0; i < eingabeZeilen.size(); ++i)
        beideLeser(eingabeZeilen[i], i + 1, fehler);
    const Lauf einzeln = laufen(eingabe, false, fehler);
    const Lauf folge = laufen(eingabe, true, fehler);
    alsCsv(eingabe, ';', fehler);
    alsCsv(eingabe, ',', fehler);
    // The first case starts from the fresh window in both modes.
    if (!einzeln.antworten.empty() && !folge.antworten.empty() && einzeln.antworten[0] != folge.antworten[0])
        fehler.push_back("die erste Zeile ergibt mit --sequence ein anderes Ergebnis");
    return fehler;
}

} // namespace svp::fuzz
