#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include <QDateTime>

namespace svp::ui {

// What the command line of the window program asks for. Without arguments the window opens;
// every other use runs without a window and without touching a record file.
struct Aufruf {
    enum class Art {
        Fenster,    // no arguments: the window
        Hilfe,      // --help, -h
        Version,    // --version
        Pruefbeleg, // --pruefbeleg DATEI.pdf --jahr J --monat M [--ordner O] [--name N] [--personalnummer P]
        Fehler,     // arguments that make no sense; `fehler` says why
    };
    Art art = Art::Fenster;
    std::string pdf;
    int jahr = 0;
    int monat = 0; // 1..12 as the user writes it
    std::string name;
    std::string personalnummer;
    std::string ordner; // --ordner: the employee's folder; empty for the current directory
    std::string fehler;
};

// The arguments after the program name (UTF-8).
Aufruf aufrufLesen(const std::vector<std::string_view>& argumente);

// The German usage text of --help, with a line for each argument.
std::string hilfetext();

// Exit statuses without a window.
inline constexpr int ExitErfolg = 0;
inline constexpr int ExitFehler = 2;

// --help, --version and a wrong call: the text to `aus` or `fehler`, and the exit status. No
// Qt application is needed.
int ohneFensterAntworten(const Aufruf& aufruf, std::ostream& aus, std::ostream& fehler);

// --pruefbeleg: the record of the stored month of the year file in `ordner`, printed into the
// PDF file, as the window prints it after switching to that month: determined with the
// employee's data of the folder, naming the employee and the company (--name and
// --personalnummer stand before what the data file says). Needs a QGuiApplication.
// Returns ExitErfolg, or ExitFehler with a German message on `fehler` when the record file
// cannot be read or the PDF file cannot be written. Creates or changes no record file.
int pruefbelegSchreiben(const Aufruf& aufruf, const std::filesystem::path& ordner, const QDateTime& zeitpunkt,
                        std::ostream& fehler);

// The program without its window: answers the call, starting a Qt application without a
// display where a page is to be printed. For main(): `argc` and `argv` as given.
int ohneFenster(const Aufruf& aufruf, int argc, char** argv);

} // namespace svp::ui
