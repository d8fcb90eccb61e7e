#include "command_line.h"

#include "batch.h"
#include "record_file.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <vector>

namespace svp::cli {

const std::string_view HelpText = R"(Aufruf: svpflicht-batch [--sequence] [DATEI]
       svpflicht-batch --satzdatei SV<Jahr>.xyz

Bestimmt ohne Fenster, wie die Beschäftigungen eines Arbeitnehmers in einem Monat
von der Lohnsteuer und der Kranken-, Pflege-, Renten- und Arbeitslosenversicherung
(KV, PV, RV, AV) behandelt werden: Hauptbeschäftigung, zeitgeringfügige Beschäftigung,
zuerst aufgenommener Mini-Job und später aufgenommene Mini-Jobs (summiert).

Gelesen wird ein Fall je Zeile, als JSON-Objekt, aus DATEI oder, ohne DATEI oder mit
"-", von der Standardeingabe. Für jede nicht leere Zeile wird eine Zeile JSON auf die
Standardausgabe geschrieben, in derselben Reihenfolge. Leere Zeilen ergeben keine
Ausgabe, werden aber mitgezählt.

Optionen:
  --sequence   Alle Zeilen wirken nacheinander auf dasselbe Fenster: die Schlüssel
               einer Zeile ersetzen nur ihre Werte, alles andere bleibt, wie die
               vorige Zeile es hinterlassen hat (auch Werte, die die Bestimmung
               überschrieben hat, Sichtbarkeiten und Beschriftungen). Eine fehlerhafte
               Zeile ändert nichts. Ohne --sequence wird jede Zeile in einem frisch
               geöffneten Fenster mit den Vorgaben bestimmt.
  -h, --help   Diese Hilfe.

Mit --satzdatei SV<Jahr>.xyz werden statt Zeilen die zwölf Monate einer Satzdatei des
Fensters bestimmt, jeder so, wie das Fenster ihn nach dem Wechsel zu diesem Monat zeigt:
zwölf Zeilen, je das Ergebnisobjekt wie unten mit "Monat" (0 bis 11), "Land" (0 bis 15),
"gespeichert" (false für einen nie gespeicherten Monat) und "beschaedigt" (true, wenn
ungültige Werte durch die Vorgaben ersetzt wurden). Die Datei wird nicht verändert; ist
sie nicht lesbar, endet der Aufruf mit 2.

Schlüssel (alle wahlfrei; ein unbekannter Schlüssel ist ein Fehler; steht ein
Schlüssel zweimal in einer Zeile, gilt der letzte):
  AktJahr         ganze Zahl, 2006 bis 2010                       Vorgabe 2008
  Monat           ganze Zahl, 0 (Januar) bis 11 (Dezember)        Vorgabe 0
  Land            ganze Zahl, 0 (Baden-Württ.) bis 15 (Thüringen) Vorgabe 0
  HBStatus        ganze Zahl, 0 bis 12 (0 Angestellter oder
                  Arbeiter, 1 Beamter, 2 Schüler, 3 Auszubildender,
                  4 bis 6 Student, 7 bis 10 Rentner, 11 Selbständig,
                  12 Keine)                                       Vorgabe 0
  SchuelerArt     ganze Zahl, 0 bis 3                             Vorgabe 0
  KVStatus        ganze Zahl, 0 bis 3                             Vorgabe 0
  HBUeber20       true oder false                                 Vorgabe false
  RVVoll          true oder false                                 Vorgabe false
  HBEntgelt       Betrag, 0 bis 99999                             Vorgabe 1000
  KBArt           ganze Zahl, 0 bis 2                             Vorgabe 0
  KBCheck         [regelmäßig, über 400 Euro monatlich, berufsmäßig]
                  als drei Wahrheitswerte                         Vorgabe alle false
  Monatslohn      [Betrag, Betrag], 0 bis 99999 und
                  -99999 bis 99999                                Vorgabe [380, 0]
  Monate          [Betrag, Betrag], je -99999 bis 99999           Vorgabe [12, 12]
  Urlaubsgeld     [Betrag, Betrag], je -99999 bis 99999           Vorgabe [40, 0]
  Weihnachtsgeld  [Betrag, Betrag], je -99999 bis 99999           Vorgabe [200, 0]
  Privathaushalt  [true/false, true/false]                        Vorgabe [false, false]
Der erste Eintrag eines Paares gehört zum zuerst aufgenommenen Mini-Job, der zweite
zu den später aufgenommenen. Ein Betrag ist eine JSON-Zahl oder ein Text wie
"400.005" (auch "400,005"), mit höchstens vier Nachkommastellen; er wird exakt
übernommen.

Ausgabe je Fall, in dieser Reihenfolge: Ergebniscode (je Spalte die Codes der Zeilen
36 bis 41), Ergebnistext (die 35 Zeichen langen Texte), Gesamtentgelt, Gleitfall,
LStHinweis, Werte (die Beträge des Falls nach der Bestimmung), Sichtbar und
Beschriftung. Beträge stehen als Text mit vier Nachkommastellen ("325.0000").
Eine fehlerhafte Zeile ergibt {"Zeile":N,"Fehler":"..."}; die Bearbeitung geht mit
der nächsten Zeile weiter.

Rückgabewert: 0, wenn jede Zeile bestimmt wurde; 1, wenn mindestens eine Zeile
fehlerhaft war; 2, wenn DATEI nicht geöffnet oder gelesen werden kann, die Ausgabe
nicht geschrieben werden kann oder der Aufruf falsch ist.
)";

CommandLine readCommandLine(std::span<const std::string_view> arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    bool haveFile = false;
    for (const std::string_view argument : arguments) {
        if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            line.help = true;
        } else if (!optionsEnded && argument == "--sequence") {
            line.sequence = true;
        } else if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            if (line.error.empty())
                line.error = "Unbekannte Option \"" + std::string(argument) + "\".";
        } else if (haveFile) {
            if (line.error.empty())
                line.error = "Es kann nur eine Datei gelesen werden.";
        } else {
            line.file = argument;
            haveFile = true;
        }
    }
    return line;
}

namespace {

std::string openFailure(const std::string& file, int error)
{
    std::string reason;
    switch (error) {
    case ENOENT:
        reason = "die Datei gibt es nicht";
        break;
    case EACCES:
        reason = "keine Leseberechtigung";
        break;
    case EISDIR:
        reason = "das ist ein Verzeichnis";
        break;
    default:
        reason = std::strerror(error);
        break;
    }
    return "svpflicht-batch: Die Datei \"" + file + "\" kann nicht geöffnet werden: " + reason + ".\n";
}

} // namespace

int batchMain(int argc, const char* const* argv, std::istream& standardInput, std::ostream& out,
              std::ostream& err)
{
    try {
        const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        const CommandLine line = readCommandLine(arguments);
        if (!line.help && asksForRecordFile(arguments))
            return recordFileMain(arguments, out, err);
        if (line.help) {
            out << HelpText;
            out.flush();
            return ExitAllDetermined;
        }
        if (!line.error.empty()) {
            err << "svpflicht-batch: " << line.error << "\n"
                << "Aufruf: svpflicht-batch [--sequence] [DATEI]; mehr mit --help.\n";
            return ExitNoInput;
        }
        const BatchOptions options{line.sequence};
        auto run = [&](std::istream& in, const std::string& name) {
            const int status = runBatch(in, out, options);
            if (in.bad())
                err << "svpflicht-batch: " << name << " kann nicht gelesen werden.\n";
            if (!out) {
                // Results that never arrived are no success, whatever the lines said.
                err << "svpflicht-batch: Die Ausgabe kann nicht geschrieben werden.\n";
                return ExitNoOutput;
            }
            return status;
        };
        if (line.file.empty() || line.file == "-")
            return run(standardInput, "Die Standardeingabe");

        std::error_code ec;
        if (std::filesystem::is_directory(line.file, ec)) {
            err << openFailure(line.file, EISDIR);
            return ExitNoInput;
        }
        std::vector<char> buffer(64 * 1024);
        std::ifstream file;
        file.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        errno = 0;
        file.open(line.file, std::ios::binary);
        if (!file.is_open()) {
            err << openFailure(line.file, errno != 0 ? errno : ENOENT);
            return ExitNoInput;
        }
        return run(file, "Die Datei \"" + line.file + "\"");
    } catch (const std::exception& e) {
        err << "svpflicht-batch: Abbruch: " << e.what() << "\n";
        return ExitNoInput;
    }
}

} // namespace svp::cli
