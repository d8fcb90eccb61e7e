#include "befehlszeile.h"

#include "arbeitnehmerangaben.h"
#include "dateigrund.h"
#include "druckbeleg.h"
#include "engine/jahresauswertung.h"
#include "params/eingaben.h"
#include "params/utf8.h"
#include "store/arbeitnehmerdatei.h"
#include "store/betriebsdatei.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <iostream>
#include <ostream>
#include <system_error>

#include <QGuiApplication>

namespace svp::ui {

namespace {

// The text of --help before the arguments.
constexpr std::string_view HilfeAnfang = R"(Aufruf: svpflicht
       svpflicht --pruefbeleg DATEI.pdf --jahr JAHR --monat MONAT
                 [--ordner ORDNER] [--name NAME] [--personalnummer NUMMER]
       svpflicht --help | --version

Ohne Argumente öffnet svpflicht das Fenster zur Bestimmung der
Sozialversicherungspflicht; die Satzdateien SV2006.xyz bis SV2010.xyz liegen im
aktuellen Verzeichnis.

)";

// The text of --help after the arguments.
constexpr std::string_view HilfeEnde = R"(
Keiner dieser Aufrufe legt eine Satzdatei an oder ändert sie.

Rückgabewert: 0 bei Erfolg; 2, wenn der Aufruf falsch ist, die Satzdatei nicht
gelesen oder die PDF-Datei nicht geschrieben werden kann.
)";

const char* const Programm = "svpflicht: ";

bool zahl(std::string_view text, int& wert)
{
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
    return fehler == std::errc() && ende == text.data() + text.size();
}

// What the arguments have said so far: the call, and which of them stood there.
struct Lesestand {
    Aufruf aufruf;
    bool hilfe = false;
    bool version = false;
    bool pruefbeleg = false;
    bool jahr = false;
    bool monat = false;
};

// One argument of the window program, as the batch's options are: its names, the value it
// takes, its line of --help, and how its value is taken. A value is written "--name Wert" or
// "--name=Wert"; an argument without a value ignores one given with "=".
struct Argument {
    std::string_view name;     // "--jahr"
    std::string_view kurzname; // "-h", or empty
    std::string_view wertname; // "JAHR" as --help shows it; empty for an argument without value
    std::string_view hilfe;    // German; a line feed starts the next line of the help column
    // Takes the value; a German message when it makes no sense.
    std::string (*nehmen)(Lesestand& stand, std::string_view wert);
};

std::string belegangabe(std::string& ziel, std::string_view wert, const char* was)
{
    ziel = wert;
    if (params::utf8::zeichenzahlHoechstens(wert) > static_cast<std::size_t>(BelegangabeLaenge))
        return std::string(was) + " darf höchstens 60 Zeichen lang sein.";
    return {};
}

// clang-format off
constexpr std::array<Argument, 8> Argumente = {{
    {"--pruefbeleg", "", "DATEI.pdf",
     "Schreibt ohne Fenster den Prüfbeleg des gespeicherten\n"
     "Falls eines Monats als PDF-Datei, so wie ihn das Fenster\n"
     "nach dem Wechsel zu diesem Monat druckt.",
     [](Lesestand& s, std::string_view wert) {
         s.aufruf.pdf = wert;
         s.pruefbeleg = true;
         return wert.empty() ? std::string("Zu --pruefbeleg fehlt der Name der PDF-Datei.") : std::string();
     }},
    {"--jahr", "", "JAHR", "Das Jahr, 2006 bis 2010 (Pflicht mit --pruefbeleg).",
     [](Lesestand& s, std::string_view wert) {
         s.jahr = true;
         int& jahr = s.aufruf.jahr;
         if (!zahl(wert, jahr) || jahr < params::ErstesJahr || jahr > params::LetztesJahr)
             return "Das Jahr muss zwischen 2006 und 2010 liegen, nicht \"" + std::string(wert) + "\".";
         return std::string();
     }},
    {"--monat", "", "MONAT",
     "Der Monat, 1 (Januar) bis 12 (Dezember) (Pflicht mit\n"
     "--pruefbeleg).",
     [](Lesestand& s, std::string_view wert) {
         s.monat = true;
         int& monat = s.aufruf.monat;
         if (!zahl(wert, monat) || monat < 1 || monat > 12)
             return "Der Monat muss zwischen 1 und 12 liegen, nicht \"" + std::string(wert) + "\".";
         return std::string();
     }},
    {"--ordner", "", "ORDNER",
     "Der Ordner des Arbeitnehmers (Vorgabe: das aktuelle\n"
     "Verzeichnis); Name, Personalnummer, Geburtsdatum,\n"
     "Versicherungsnummer und Krankenkasse kommen aus seiner\n"
     "arbeitnehmer.json, der Betrieb aus betrieb.json.",
     [](Lesestand& s, std::string_view wert) {
         s.aufruf.ordner = wert;
         return wert.empty() ? std::string("Zu --ordner fehlt der Ordner.") : std::string();
     }},
    {"--name", "", "NAME",
     "Name des Arbeitnehmers auf dem Beleg (wahlfrei,\n"
     "höchstens 60 Zeichen).",
     [](Lesestand& s, std::string_view wert) { return belegangabe(s.aufruf.name, wert, "Der Name"); }},
    {"--personalnummer", "", "NUMMER",
     "Personalnummer auf dem Beleg (wahlfrei, höchstens\n"
     "60 Zeichen).",
     [](Lesestand& s, std::string_view wert) {
         return belegangabe(s.aufruf.personalnummer, wert, "Die Personalnummer");
     }},
    {"--help", "-h", "", "Diese Hilfe.",
     [](Lesestand& s, std::string_view) {
         s.hilfe = true;
         return std::string();
     }},
    {"--version", "", "", "Die Version des Programms.",
     [](Lesestand& s, std::string_view) {
         s.version = true;
         return std::string();
     }},
}};
// clang-format on

// Where the help column of the arguments begins.
constexpr std::size_t Hilfespalte = 26;

const Argument* argumentNamens(std::string_view name)
{
    for (const Argument& argument : Argumente)
        if (name == argument.name || (!argument.kurzname.empty() && name == argument.kurzname))
            return &argument;
    return nullptr;
}

// What the arguments together ask for, once each has been taken.
void entscheiden(Lesestand& s, const std::function<void(std::string)>& fehler)
{
    if (s.aufruf.art == Aufruf::Art::Fehler)
        return;
    if (s.hilfe)
        s.aufruf.art = Aufruf::Art::Hilfe;
    else if (s.version)
        s.aufruf.art = Aufruf::Art::Version;
    else if (!s.pruefbeleg)
        fehler("--jahr, --monat, --ordner, --name und --personalnummer gelten nur mit --pruefbeleg.");
    else if (!s.jahr || !s.monat)
        fehler("--pruefbeleg braucht --jahr und --monat.");
    else
        s.aufruf.art = Aufruf::Art::Pruefbeleg;
}

} // namespace

std::string hilfetext()
{
    std::string text(HilfeAnfang);
    for (const Argument& argument : Argumente) {
        std::string links = "  ";
        if (!argument.kurzname.empty())
            links += std::string(argument.kurzname) + ", ";
        links += argument.name;
        if (!argument.wertname.empty())
            links += " " + std::string(argument.wertname);
        links.resize(std::max(links.size() + 1, Hilfespalte), ' ');
        text += links;
        for (const char c : argument.hilfe) {
            text += c;
            if (c == '\n')
                text.append(Hilfespalte, ' ');
        }
        text += '\n';
    }
    return text + std::string(HilfeEnde);
}

Aufruf aufrufLesen(const std::vector<std::string_view>& argumente)
{
    Lesestand s;
    if (argumente.empty())
        return s.aufruf;
    const std::function<void(std::string)> fehler = [&s](std::string text) {
        if (s.aufruf.art != Aufruf::Art::Fehler) {
            s.aufruf.art = Aufruf::Art::Fehler;
            s.aufruf.fehler = std::move(text);
        }
    };
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        std::string_view name = argumente[i];
        std::string_view wert;
        bool mitWert = false;
        if (name.substr(0, 2) == "--") {
            if (const auto gleich = name.find('='); gleich != std::string_view::npos) {
                wert = name.substr(gleich + 1);
                name = name.substr(0, gleich);
                mitWert = true;
            }
        }
        const Argument* argument = argumentNamens(name);
        if (argument == nullptr) {
            fehler("Unbekanntes Argument \"" + std::string(argumente[i]) + "\".");
            continue;
        }
        if (!argument->wertname.empty() && !mitWert) {
            if (i + 1 >= argumente.size()) {
                fehler("Zu " + std::string(name) + " fehlt der Wert.");
                break;
            }
            wert = argumente[++i];
        }
        if (std::string meldung = argument->nehmen(s, wert); !meldung.empty())
            fehler(std::move(meldung));
    }
    entscheiden(s, fehler);
    return s.aufruf;
}

int ohneFensterAntworten(const Aufruf& aufruf, std::ostream& aus, std::ostream& fehler)
{
    switch (aufruf.art) {
    case Aufruf::Art::Hilfe:
        aus << hilfetext();
        aus.flush();
        return ExitErfolg;
    case Aufruf::Art::Version:
        aus << "svpflicht " << programmversion().toStdString() << "\n";
        aus.flush();
        return ExitErfolg;
    default:
        fehler << Programm << aufruf.fehler << "\n"
               << "Aufruf: svpflicht [--pruefbeleg DATEI.pdf --jahr JAHR --monat MONAT]; mehr mit --help.\n";
        return ExitFehler;
    }
}

int pruefbelegSchreiben(const Aufruf& aufruf, const std::filesystem::path& ordner, const QDateTime& zeitpunkt,
                        std::ostream& fehler)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(ordner, ec)) {
        fehler << Programm << "Den Ordner \"" << ordner.string() << "\" gibt es nicht.\n";
        return ExitFehler;
    }
    const std::string datei = store::Ablage::dateiname(aufruf.jahr);
    const auto daten = store::Arbeitnehmerdatei(ordner).lesen();
    if (daten.fehler)
        fehler << Programm << "Hinweis: " << daten.fehler->meldung()
               << "; der Beleg zeigt den Fall ohne die Daten des Arbeitnehmers.\n";
    const auto betrieb = store::Betriebsdatei(betriebsordnerFuer(ordner)).lesen();
    if (betrieb.fehler)
        fehler << Programm << "Hinweis: " << betrieb.fehler->meldung() << ".\n";
    auto ergebnis = engine::jahrAuswerten(ordner, aufruf.jahr, daten.daten);
    if (const auto* f = std::get_if<store::Fehler>(&ergebnis)) {
        fehler << Programm << f->meldung() << ".\n";
        return ExitFehler;
    }
    const auto& jahr = std::get<engine::Jahresauswertung>(ergebnis);
    if (!jahr.dateiVorhanden) {
        // A record for the personnel file of a month that was never entered would mislead.
        fehler << Programm << "Die Datei " << datei << " gibt es im Ordner \"" << ordner.string()
               << "\" nicht; für " << aufruf.jahr << " ist kein Fall gespeichert.\n";
        return ExitFehler;
    }
    const engine::Monatsfall& m = jahr.monat(aufruf.monat - 1);
    if (m.beschaedigt)
        fehler << Programm << "Hinweis: Der Satz des Monats in " << datei
               << " ist beschädigt; ungültige Werte wurden durch die Vorgaben ersetzt.\n";
    else if (!m.gespeichert)
        fehler << Programm
               << "Hinweis: Für diesen Monat wurde nie ein Fall gespeichert; der Beleg zeigt die "
                  "Vorgaben eines neuen Fensters.\n";

    Belegangaben angaben = belegangabenAus(daten.daten, betrieb.daten);
    if (!aufruf.name.empty())
        angaben.name = QString::fromStdString(aufruf.name);
    if (!aufruf.personalnummer.empty())
        angaben.personalnummer = QString::fromStdString(aufruf.personalnummer);
    angaben.zeitpunkt = zeitpunkt;
    const Druckbeleg beleg(m.ansicht, m.fall, m.mini, angaben, &m.beitraege);
    const QString pdf = QString::fromStdString(aufruf.pdf);
    // Tried first, so that an unwritable place is told before a page is laid out for it.
    if (!schreibgrund(pdf).isEmpty() || !beleg.alsPdf(pdf)) {
        fehler << Programm << "Die Datei \"" << aufruf.pdf << "\" kann nicht geschrieben werden.\n";
        return ExitFehler;
    }
    return ExitErfolg;
}

int ohneFenster(const Aufruf& aufruf, int argc, char** argv)
{
    if (aufruf.art != Aufruf::Art::Pruefbeleg)
        return ohneFensterAntworten(aufruf, std::cout, std::cerr);
    // Printing needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::error_code fehler;
    std::filesystem::path ordner = aufruf.ordner;
    if (ordner.empty()) {
        ordner = std::filesystem::current_path(fehler);
        if (fehler)
            ordner = ".";
    }
    return pruefbelegSchreiben(aufruf, ordner, QDateTime::currentDateTime(), std::cerr);
}

} // namespace svp::ui
