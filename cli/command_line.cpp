#include "command_line.h"

#include "batch.h"
#include "employees.h"
#include "record_file.h"
#include "store/datei.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <exception>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

namespace svp::cli {

namespace {

// The text of --help before the options.
constexpr std::string_view HelpIntro = R"(Aufruf: svpflicht-batch [OPTIONEN] [DATEI]
       svpflicht-batch --satzdatei SV<Jahr>.xyz
       svpflicht-batch --arbeitnehmer WURZEL --jahr JAHR --monat MONAT [--format csv]

Bestimmt ohne Fenster, wie die Beschäftigungen eines Arbeitnehmers in einem Monat
von der Lohnsteuer und der Kranken-, Pflege-, Renten- und Arbeitslosenversicherung
(KV, PV, RV, AV) behandelt werden: Hauptbeschäftigung, zeitgeringfügige Beschäftigung,
zuerst aufgenommener Mini-Job und später aufgenommene Mini-Jobs (summiert).

Gelesen wird ein Fall je Zeile, als JSON-Objekt (mit --format csv als Zeile einer
Tabelle, siehe unten), aus DATEI oder, ohne DATEI oder mit "-", von der
Standardeingabe. Für jede nicht leere Zeile wird eine Zeile JSON auf die
Standardausgabe geschrieben, in derselben Reihenfolge. Leere Zeilen ergeben keine
Ausgabe, werden aber mitgezählt.

Optionen:
)";

// The text of --help after the options.
constexpr std::string_view HelpKeys = R"(
Schlüssel (alle wahlfrei; ein unbekannter Schlüssel ist ein Fehler; steht ein
Schlüssel zweimal in einer Zeile, gilt der letzte). Ein Schlüssel, den die Zeile
nicht nennt, hat den Startwert eines neuen Monats im Fenster (Vorgabe): eine
Hauptbeschäftigung mit 1000 Euro und ein Mini-Job mit 380 Euro, 40 Euro
Urlaubsgeld und 200 Euro Weihnachtsgeld. Wer das nicht meint, nennt die Beträge
(etwa "Monatslohn":[0,0]).
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
Daten des Arbeitnehmers (für die Beiträge; je Vorgabe null, "nicht angegeben"; mit
--sequence gelten sie weiter, bis eine Zeile sie ändert, null setzt zurück):
  Geburtsdatum    Text "JJJJ-MM-TT" (auch "TT.MM.JJJJ"), 1900 bis 2099
  Kinderlos       true oder false: keine Elterneigenschaft nachgewiesen
  KVSatzKasse     allgemeiner Beitragssatz der Krankenkasse in Prozent ohne die
                  0,9 des Arbeitnehmers, 5 bis 20, höchstens zwei Nachkommastellen
                  (gilt 2006 bis 2008; ab 2009 gilt der einheitliche Satz)
  KVErmaessigt    true oder false: ermäßigter Beitragssatz (ohne Krankengeld)
  RechtskreisOst  true oder false: Berlin, Rechtskreis Ost
  U1              true oder false: der Arbeitgeber nimmt an der U1-Umlage teil
  Kennung         Text, höchstens 64 Zeichen: ein Schlüssel des Falls, etwa die
                  Personalnummer; er gilt nur für seine Zeile und wird unverändert
                  zurückgegeben, damit sich Ergebnisse auch nach Sortieren, Filtern
                  oder einem geteilten Lauf zuordnen lassen
Der erste Eintrag eines Paares gehört zum zuerst aufgenommenen Mini-Job, der zweite
zu den später aufgenommenen. Ein Betrag ist eine JSON-Zahl (400.005) oder ein Text
in deutscher Schreibweise wie im Fenster: der Punkt trennt Tausender in
Dreiergruppen, das Komma die Nachkommastellen ("1.500" ist 1500, "1.500,50",
"400,005"); höchstens vier Nachkommastellen, exakt übernommen. Ein Text, der so
nicht zu lesen ist ("1.50"), macht die Zeile fehlerhaft.

Ausgabe je Fall, in dieser Reihenfolge: Kennung (nur wenn die Zeile eine nennt),
Ergebniscode (je Spalte die Codes der Zeilen 36 bis 41), Ergebnistext (die 35
Zeichen langen Texte), Gesamtentgelt, Gleitfall, LStHinweis, Werte (die Beträge des
Falls nach der Bestimmung), Sichtbar und Beschriftung. Beträge stehen als Text mit
vier Nachkommastellen ("325.0000"). Setzt die Bestimmung ein angegebenes Entgelt der
Hauptbeschäftigung auf 0 (bis 400,00 Euro ist es keine Hauptbeschäftigung), folgt
"Hinweis" mit dem Text, den das Fenster über der Spalte zeigt.
Mit --beitraege folgt zuletzt "Beitraege": je Beschäftigung "HB", "KB", "MJ1", "MJ2" ein
Objekt mit "LSt", "KV", "PV", "RV", "AV", je {"AN":a,"AG":b,"Grundlage":c}
(Grundlage: das Entgelt bis zur Beitragsbemessungsgrenze, in der Gleitzone die
beitragspflichtige Einnahme, unter 155 Euro bei der Aufstockung 155), "Umlagen"
{"U1","U2","Insolvenzgeld","UV"} (nur Arbeitgeber) und "Summe" {"AN","AG"}; danach
"Summe" {"AN","AG"} und "Arbeitgeberkosten" (Entgelt und alle AG-Beträge) des
Falls. Zahlen mit zwei Nachkommastellen (35.00); null, wo ein Betrag nicht
berechnet wird (Lohnsteuer nach Steuerklasse, "laut Eingabe", Umlagen nach dem
Satz der Krankenkasse, Berufsgenossenschaft, private Versicherung, Beitrag des
Versicherten bei einem Zuschuss, die zeitgeringfügige Beschäftigung ohne
Entgeltangabe); in den Summen zählt null als 0. Grundlage sind das laufende
Entgelt des Monats und die Daten des Arbeitnehmers (fehlt eine Angabe, gilt die
Regel des Gesetzes: Zuschlag für Kinderlose, Satz laut Tabelle, U1 ja).
Eine fehlerhafte Zeile ergibt {"Zeile":N,"Fehler":"..."}, mit der Kennung vorn, wenn
die Zeile bis zu ihr lesbar war; die Bearbeitung geht mit der nächsten Zeile weiter.
Eine Zeile mit einem NUL-Byte ist fehlerhaft. Eine Zeile länger als 1048576 Bytes
(--max-zeilenlaenge) ergibt {"Zeile":N,"Fehler":"Zeile länger als 1048576 Bytes"};
ihr Rest wird übergangen, ohne ihn zu speichern.
Sieht die erste Zeile nach CSV aus (ein BOM oder "Kennung;" am Anfang), nennt ihr
Fehler --format csv.

CSV (--format csv):
Die erste Zeile benennt die Spalten: die Schlüssel oben, die Einträge eines Paares
als eigene Spalten Monatslohn_1 und Monatslohn_2 (ebenso Monate, Urlaubsgeld,
Weihnachtsgeld, Privathaushalt), KBCheck_1 bis KBCheck_3, dazu Kennung; jede Spalte
ist wahlfrei, steht höchstens einmal da, die Reihenfolge ist frei. Trennzeichen ist
";" wie in deutschen Tabellenkalkulationen, Beträge dann wie "1.500,50" oder
"1500,5" (der Punkt trennt nur Tausender, in Dreiergruppen); mit --trennzeichen ,
ist es das Komma, Beträge dann wie "1500.50". Felder dürfen in Anführungszeichen
stehen (innere Anführungszeichen verdoppelt, auch über Zeilen hinweg; ein
Anführungszeichen, das bis zum Ende der Eingabe oder über --max-zeilenlaenge
hinaus offen bleibt, macht nur seine Zeile fehlerhaft, gelesen wird mit der
Zeile danach weiter), Zeilen
enden mit CRLF oder LF, ein UTF-8-BOM am Anfang wird übergangen. Wahrheitswerte:
ja/nein, wahr/falsch, true/false, 1/0, gleich ob groß oder klein geschrieben. Ein
leeres Betragsfeld ist 0 (auch mit --sequence). Jedes andere leere Feld (auch
Monate_1, Monate_2) heißt "nicht angegeben": es gilt die Vorgabe, mit --sequence
der Wert der vorigen Zeile; eine fehlende Spalte ebenso. Ein Wert, der so nicht lesbar ist, macht die Zeile fehlerhaft;
geraten wird nie. Eine Kopfzeile mit unbekannten, doppelten oder leeren Namen wird
abgewiesen (Rückgabewert 2).
Ausgegeben wird dieselbe Art CSV, mit BOM und CRLF: eine Kopfzeile, dann je Zeile
der Eingabe eine Zeile mit Kennung, Fehler (leer, wenn keiner), Gesamtentgelt,
Gleitfall, LStHinweis, danach je Beschäftigung (HB Hauptbeschäftigung, KB
zeitgeringfügige Beschäftigung, MJ1 zuerst aufgenommener Mini-Job, MJ2 später
aufgenommene Mini-Jobs) und je Ergebniszeile (Lohnsteuer, KV, PV, RV, AV, Hinweis)
Code und Text: HB_Lohnsteuer_Code, HB_Lohnsteuer, HB_KV_Code, ... MJ2_Hinweis_Code,
MJ2_Hinweis, dann Hinweis (leer, außer die Bestimmung setzt das Entgelt der
Hauptbeschäftigung auf 0, siehe oben). Mit --beitraege dazu je Beschäftigung
HB_KV_AN, HB_KV_AG, HB_PV_AN, ... HB_AV_AG, HB_LSt_AN, HB_LSt_AG, HB_Summe_AN,
HB_Summe_AG, HB_Umlagen_AG (bis MJ2_Umlagen_AG), zuletzt Summe_AN, Summe_AG und
Arbeitgeberkosten; zwei Nachkommastellen, ein leeres Feld, wo ein Betrag nicht
berechnet wird. Die Daten des Arbeitnehmers sind Spalten wie die übrigen
Schlüssel; "nicht angegeben" setzt einen Wert zurück. Eine fehlerhafte Zeile ergibt
eine Zeile mit Kennung (wenn ihr Feld lesbar ist) und Fehler, der mit der
Zeilennummer beginnt ("Zeile 7: ..."), eine leere Zeile (nur leere Felder) eine
leere Zeile: die Zeilen bleiben neben denen der Eingabe.
Beispiel (eine längere Tabelle liegt den Quellen als docs/beispiel.csv bei):
  Kennung;AktJahr;Monat;HBStatus;HBEntgelt;Monatslohn_1;Urlaubsgeld_1;Weihnachtsgeld_1;Monatslohn_2
  4711;2008;0;0;1.500,50;400,00;0,00;0,00;0,00
  "Meier; Anna";2008;5;7;0,00;450,00;0,00;0,00;120,50
  svpflicht-batch --format csv faelle.csv > ergebnisse.csv

Mehrere Arbeitnehmer (--arbeitnehmer WURZEL --jahr JAHR --monat MONAT):
WURZEL ist der Arbeitsordner des Fensters; jeder Ordner darunter mit einer Datei
arbeitnehmer.json ist ein Arbeitnehmer, der Arbeitsordner selbst einer, wenn er
eigene Satzdateien hat. MONAT zählt von 1 (Januar) bis 12 (Dezember). Je
Arbeitnehmer eine Zeile, zuerst der Arbeitsordner, dann nach Ordnernamen: das
Ergebnisobjekt des gespeicherten Monats wie mit --satzdatei, vorn "Ordner" (leer
für den Arbeitsordner), "Name", "Personalnummer" und "Kennung" (die
Personalnummer). Sind die Daten oder die Satzdatei eines Arbeitnehmers nicht
lesbar, steht in seiner Zeile "Fehler", und es geht mit dem nächsten weiter
(Rückgabewert 1). Mit --format csv eine Tabelle: Ordner, Name, Personalnummer,
die Spalten der CSV-Ausgabe, dann Monat, Land, gespeichert und beschaedigt (ja
oder nein). Ein leerer Ordner ergibt keine Zeile (Rückgabewert 0); ist WURZEL
nicht lesbar: 2. Keine Datei wird angelegt oder verändert.

Rückgabewert: 0, wenn jede Zeile bestimmt wurde; 1, wenn mindestens eine Zeile
fehlerhaft war; 2, wenn DATEI nicht geöffnet oder gelesen werden kann, die
Kopfzeile einer CSV-Eingabe unbrauchbar ist, die Ausgabe nicht geschrieben werden
kann oder der Aufruf falsch ist.
)";

// A whole number from min to max, written with digits only.
std::optional<std::int64_t> wholeNumber(std::string_view text, std::int64_t min, std::int64_t max)
{
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text[0] == '-' || text[0] == '+' || ec != std::errc() ||
        end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

std::string notWhole(std::string_view name, std::string_view value, std::int64_t min, std::int64_t max)
{
    return std::string(name) + " erwartet eine ganze Zahl von " + std::to_string(min) + " bis " +
           std::to_string(max) + ", nicht \"" + std::string(value) + "\".";
}

constexpr std::int64_t MaxJobs = 256;
constexpr std::int64_t MaxFirstLine = 999'999'999'999'999;
constexpr std::int64_t MaxLineLengthLimit = 1024 * 1024 * 1024;

// clang-format off
constexpr std::array<Option, 9> OptionTable = {{
    {"--sequence", "", "",
     "Alle Zeilen wirken nacheinander auf dasselbe Fenster: die\n"
     "Schlüssel einer Zeile ersetzen nur ihre Werte, alles andere\n"
     "bleibt, wie die vorige Zeile es hinterlassen hat (auch Werte,\n"
     "die die Bestimmung überschrieben hat, Sichtbarkeiten und\n"
     "Beschriftungen). Eine fehlerhafte Zeile ändert nichts. Ohne\n"
     "--sequence wird jede Zeile in einem frisch geöffneten Fenster\n"
     "mit den Vorgaben bestimmt.",
     [](CommandLine& line, std::string_view) {
         line.options.sequence = true;
         return std::string();
     }},
    {"--jobs", "-j", "N",
     "Bestimmt die Zeilen mit N Threads zugleich (1 bis 256;\n"
     "Vorgabe: so viele, wie der Rechner Kerne hat). Die Ausgabe\n"
     "ist Byte für Byte dieselbe wie mit einem. Mit --sequence\n"
     "arbeitet immer einer.",
     [](CommandLine& line, std::string_view value) {
         const auto jobs = wholeNumber(value, 1, MaxJobs);
         if (!jobs)
             return notWhole("--jobs", value, 1, MaxJobs);
         line.options.jobs = static_cast<int>(*jobs);
         line.jobsGiven = true;
         return std::string();
     }},
    {"--format", "", "FORMAT",
     "json (Vorgabe): JSON Lines, ein Objekt je Zeile;\n"
     "csv: eine Tabelle mit Kopfzeile, siehe unten.",
     [](CommandLine& line, std::string_view value) {
         if (value == "json")
             line.options.format = Format::JsonLines;
         else if (value == "csv")
             line.options.format = Format::Csv;
         else
             return "--format erwartet json oder csv, nicht \"" + std::string(value) + "\".";
         return std::string();
     }},
    {"--trennzeichen", "", "Z",
     "Trennzeichen der CSV-Felder: ; (Vorgabe, Beträge mit\n"
     "Dezimalkomma) oder , (Beträge mit Dezimalpunkt).",
     [](CommandLine& line, std::string_view value) {
         if (value != ";" && value != ",")
             return "--trennzeichen erwartet ; oder , nicht \"" + std::string(value) + "\".";
         line.options.separator = value[0];
         line.separatorGiven = true;
         return std::string();
     }},
    {"--erste-zeile", "", "N",
     "Die Zeilennummern der Fehlerzeilen zählen ab N statt ab 1:\n"
     "für einen Teil eines geteilten Laufs, der die Zeilen ab N\n"
     "bekommt.",
     [](CommandLine& line, std::string_view value) {
         const auto first = wholeNumber(value, 1, MaxFirstLine);
         if (!first)
             return notWhole("--erste-zeile", value, 1, MaxFirstLine);
         line.options.firstLine = *first;
         return std::string();
     }},
    {"--max-zeilenlaenge", "", "BYTES",
     "Längste zulässige Zeile (Vorgabe 1048576); eine längere ist\n"
     "fehlerhaft und wird übergangen, ohne sie zu speichern.",
     [](CommandLine& line, std::string_view value) {
         const auto length = wholeNumber(value, 1, MaxLineLengthLimit);
         if (!length)
             return notWhole("--max-zeilenlaenge", value, 1, MaxLineLengthLimit);
         line.options.maxLineLength = static_cast<std::size_t>(*length);
         return std::string();
     }},
    {"--beitraege", "", "",
     "Dazu die Beiträge in Euro: was jede Beschäftigung den\n"
     "Arbeitnehmer (AN) und den Arbeitgeber (AG) im Monat kostet,\n"
     "siehe \"Beiträge in Euro\" unten. Ohne --beitraege bleibt die\n"
     "Ausgabe, wie sie ist.",
     [](CommandLine& line, std::string_view) {
         line.options.beitraege = true;
         return std::string();
     }},
    {"--satzdatei", "", "DATEI",
     "Statt Zeilen die zwölf Monate einer Satzdatei des Fensters\n"
     "(SV2006.xyz bis SV2010.xyz), jeder so, wie das Fenster ihn\n"
     "nach dem Wechsel zu diesem Monat zeigt: zwölf Zeilen, je das\n"
     "Ergebnisobjekt mit \"Monat\" (0 bis 11), \"Land\", \"gespeichert\"\n"
     "(false für einen nie gespeicherten Monat), \"beschaedigt\" und\n"
     "\"Arbeitgeber\" (die vier Namen). Die Daten des Arbeitnehmers\n"
     "kommen aus arbeitnehmer.json im Ordner der Satzdatei. Mit\n"
     "--beitraege auch die Beiträge. Mit --format csv als CSV: die\n"
     "Spalten der CSV-Ausgabe (Kennung ist der Monat, etwa 2008-01),\n"
     "dann Monat, Land, gespeichert, beschaedigt, Arbeitgeber_HB bis\n"
     "Arbeitgeber_MJ2. Die Datei wird nicht verändert; ist sie nicht\n"
     "lesbar: 2.",
     [](CommandLine& line, std::string_view value) {
         line.recordFile = value;
         return std::string();
     }},
    {"--help", "-h", "", "Diese Hilfe.",
     [](CommandLine& line, std::string_view) {
         line.help = true;
         return std::string();
     }},
}};
// clang-format on

// Where the help column of the options begins.
constexpr std::size_t HelpColumn = 28;

} // namespace

std::span<const Option> options()
{
    return OptionTable;
}

std::string helpText()
{
    std::string text(HelpIntro);
    for (const Option& option : OptionTable) {
        std::string left = "  ";
        if (!option.shortName.empty())
            left += std::string(option.shortName) + ", ";
        left += option.name;
        if (!option.valueName.empty())
            left += " " + std::string(option.valueName);
        left.resize(std::max(left.size() + 1, HelpColumn), ' ');
        text += left;
        for (const char c : option.help) {
            text += c;
            if (c == '\n')
                text.append(HelpColumn, ' ');
        }
        text += '\n';
    }
    text += HelpKeys;
    return text;
}

CommandLine readCommandLine(std::span<const std::string_view> arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    bool haveFile = false;
    auto fault = [&](std::string message) {
        if (line.error.empty())
            line.error = std::move(message);
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (haveFile)
                fault("Es kann nur eine Datei gelesen werden.");
            line.file = argument;
            haveFile = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const Option* option = nullptr;
        for (const Option& candidate : OptionTable)
            if (name == candidate.name || (!candidate.shortName.empty() && name == candidate.shortName))
                option = &candidate;
        if (option == nullptr) {
            fault("Unbekannte Option \"" + std::string(argument) + "\".");
            continue;
        }
        std::string_view value;
        if (option->valueName.empty()) {
            if (equals != std::string_view::npos) {
                fault(std::string(name) + " nimmt keinen Wert.");
                continue;
            }
        } else if (equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            fault(std::string(name) + " braucht einen Wert (" + std::string(option->valueName) + ").");
            continue;
        }
        std::string message = option->take(line, value);
        if (!message.empty())
            fault(std::move(message));
    }
    if (line.separatorGiven && line.options.format != Format::Csv)
        fault("--trennzeichen gilt nur mit --format csv.");
    return line;
}

namespace {

// The reasons are those of the record files, in German whatever the system's language.
std::string openFailure(const std::string& file, int error)
{
    return "svpflicht-batch: Die Datei \"" + file +
           "\" kann nicht geöffnet werden: " + store::fehlergrund(error) + ".\n";
}

} // namespace

int batchMain(int argc, const char* const* argv, std::istream& standardInput, std::ostream& out,
              std::ostream& err)
{
    try {
        const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        const CommandLine line = readCommandLine(arguments);
        if (!line.help && asksForEmployees(arguments) && !asksForRecordFile(arguments))
            return employeesMain(arguments, out, err);
        if (!line.help && asksForRecordFile(arguments))
            return recordFileMain(arguments, out, err);
        if (line.help) {
            out << helpText();
            out.flush();
            return ExitAllDetermined;
        }
        if (!line.error.empty()) {
            err << "svpflicht-batch: " << line.error << "\n"
                << "Aufruf: svpflicht-batch [OPTIONEN] [DATEI]; mehr mit --help.\n";
            return ExitNoInput;
        }
        BatchOptions options = line.options;
        if (!line.jobsGiven)
            options.jobs =
                static_cast<int>(std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, MaxJobs));
        auto run = [&](std::istream& in, const std::string& name) {
            std::string inputFault;
            const int status = runBatch(in, out, options, &inputFault);
            if (!inputFault.empty())
                err << "svpflicht-batch: " << name << ": " << inputFault << "\n";
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
