#include "befehlszeile.h"

#include "druckbeleg.h"
#include "engine/jahresauswertung.h"
#include "params/eingaben.h"

#include <charconv>
#include <iostream>
#include <ostream>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace svp::ui {

const std::string_view Hilfetext = R"(Aufruf: svpflicht
       svpflicht --pruefbeleg DATEI.pdf --jahr JAHR --monat MONAT
                 [--name NAME] [--personalnummer NUMMER]
       svpflicht --help | --version

Ohne Argumente öffnet svpflicht das Fenster zur Bestimmung der
Sozialversicherungspflicht; die Satzdateien SV2006.xyz bis SV2010.xyz liegen im
aktuellen Verzeichnis.

  --pruefbeleg DATEI.pdf  Schreibt ohne Fenster den Prüfbeleg des gespeicherten
                          Falls eines Monats als PDF-Datei, so wie ihn das Fenster
                          nach dem Wechsel zu diesem Monat druckt.
  --jahr JAHR             Das Jahr, 2006 bis 2010 (Pflicht mit --pruefbeleg).
  --monat MONAT           Der Monat, 1 (Januar) bis 12 (Dezember) (Pflicht mit
                          --pruefbeleg).
  --name NAME             Name des Arbeitnehmers auf dem Beleg (wahlfrei,
                          höchstens 60 Zeichen).
  --personalnummer NUMMER Personalnummer auf dem Beleg (wahlfrei, höchstens
                          60 Zeichen).
  -h, --help              Diese Hilfe.
  --version               Die Version des Programms.

Keiner dieser Aufrufe legt eine Satzdatei an oder ändert sie.

Rückgabewert: 0 bei Erfolg; 2, wenn der Aufruf falsch ist, die Satzdatei nicht
gelesen oder die PDF-Datei nicht geschrieben werden kann.
)";

namespace {

const char* const Programm = "svpflicht: ";

// The number of Unicode characters of a UTF-8 text.
std::size_t zeichen(std::string_view utf8)
{
    std::size_t n = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

bool zahl(std::string_view text, int& wert)
{
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
    return fehler == std::errc() && ende == text.data() + text.size();
}

} // namespace

Aufruf aufrufLesen(const std::vector<std::string_view>& argumente)
{
    Aufruf a;
    if (argumente.empty())
        return a;
    auto fehler = [&a](std::string text) {
        if (a.art != Aufruf::Art::Fehler) {
            a.art = Aufruf::Art::Fehler;
            a.fehler = std::move(text);
        }
    };

    bool hilfe = false, version = false, pruefbeleg = false, jahr = false, monat = false;
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        std::string_view arg = argumente[i];
        std::string_view wert;
        bool mitWert = false;
        // "--name=Wert" and "--name Wert" alike.
        if (arg.substr(0, 2) == "--") {
            if (const auto gleich = arg.find('='); gleich != std::string_view::npos) {
                wert = arg.substr(gleich + 1);
                arg = arg.substr(0, gleich);
                mitWert = true;
            }
        }
        auto nimmWert = [&]() -> bool {
            if (mitWert)
                return true;
            if (i + 1 >= argumente.size()) {
                fehler("Zu " + std::string(arg) + " fehlt der Wert.");
                return false;
            }
            wert = argumente[++i];
            return true;
        };

        if (arg == "--help" || arg == "-h") {
            hilfe = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--pruefbeleg") {
            if (!nimmWert())
                break;
            if (wert.empty())
                fehler("Zu --pruefbeleg fehlt der Name der PDF-Datei.");
            a.pdf = wert;
            pruefbeleg = true;
        } else if (arg == "--jahr") {
            if (!nimmWert())
                break;
            if (!zahl(wert, a.jahr) || a.jahr < params::ErstesJahr || a.jahr > params::LetztesJahr)
                fehler("Das Jahr muss zwischen 2006 und 2010 liegen, nicht \"" + std::string(wert) + "\".");
            jahr = true;
        } else if (arg == "--monat") {
            if (!nimmWert())
                break;
            if (!zahl(wert, a.monat) || a.monat < 1 || a.monat > 12)
                fehler("Der Monat muss zwischen 1 und 12 liegen, nicht \"" + std::string(wert) + "\".");
            monat = true;
        } else if (arg == "--name" || arg == "--personalnummer") {
            if (!nimmWert())
                break;
            if (zeichen(wert) > static_cast<std::size_t>(BelegangabeLaenge))
                fehler(std::string(arg == "--name" ? "Der Name" : "Die Personalnummer") +
                       " darf höchstens 60 Zeichen lang sein.");
            (arg == "--name" ? a.name : a.personalnummer) = wert;
        } else {
            fehler("Unbekanntes Argument \"" + std::string(argumente[i]) + "\".");
        }
    }
    if (a.art == Aufruf::Art::Fehler)
        return a;
    if (hilfe) {
        a.art = Aufruf::Art::Hilfe;
    } else if (version) {
        a.art = Aufruf::Art::Version;
    } else if (pruefbeleg) {
        if (!jahr || !monat)
            fehler("--pruefbeleg braucht --jahr und --monat.");
        else
            a.art = Aufruf::Art::Pruefbeleg;
    } else {
        // --jahr, --monat, --name or --personalnummer alone.
        fehler("--jahr, --monat, --name und --personalnummer gelten nur mit --pruefbeleg.");
    }
    return a;
}

int ohneFensterAntworten(const Aufruf& aufruf, std::ostream& aus, std::ostream& fehler)
{
    switch (aufruf.art) {
    case Aufruf::Art::Hilfe:
        aus << Hilfetext;
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
    const std::string datei = store::Ablage::dateiname(aufruf.jahr);
    auto ergebnis = engine::jahrAuswerten(ordner, aufruf.jahr);
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

    const Druckbeleg beleg(
        m.ansicht, m.fall, m.mini,
        {QString::fromStdString(aufruf.name), QString::fromStdString(aufruf.personalnummer), zeitpunkt});
    const QString pdf = QString::fromStdString(aufruf.pdf);
    // Tried first, so that an unwritable place gives its own message rather than a half page.
    {
        QFile probe(pdf);
        const bool neu = !probe.exists();
        if (QFileInfo(pdf).isDir() || !probe.open(QIODevice::WriteOnly)) {
            fehler << Programm << "Die Datei \"" << aufruf.pdf << "\" kann nicht geschrieben werden.\n";
            return ExitFehler;
        }
        probe.close();
        if (neu)
            probe.remove();
    }
    if (!beleg.alsPdf(pdf)) {
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
    std::filesystem::path ordner = std::filesystem::current_path(fehler);
    if (fehler)
        ordner = ".";
    return pruefbelegSchreiben(aufruf, ordner, QDateTime::currentDateTime(), std::cerr);
}

} // namespace svp::ui
