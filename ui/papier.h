#pragma once

#include "engine/meldungen.h"

#include <array>
#include <functional>
#include <optional>

#include <QDateTime>
#include <QString>

class QPrinter;
class QWidget;

namespace svp::ui {

// What the program's printed pages share, the Prüfbeleg of a month and the year overview:
// names, the style and foot of the page, and the way to the printer.

// The branches of the result rows 36 to 41, in row order: the names of the rows in the window
// and on paper.
extern const std::array<const char*, 6> Zweige;

// The program's version, as the build names it.
QString programmversion();

// The German name of month index 0..11 ("August").
QString monatsname(int monat);

// The style sheet of the printed pages.
QString belegstil();

// The foot of every printed page: program and rule year, time of printing and three fields for
// the clerk's check ("Geprüft von", "Datum", "Unterschrift"), as HTML.
QString belegfuss(int rechenjahr, const QDateTime& zeitpunkt);

// Why a page did not reach the printer or its PDF file.
struct Druckfehler {
    enum class Art {
        NichtBegonnen, // the printer or the file could not be opened for the page
        Abgebrochen,   // the printer refused the page, or the file was not written to its end
    };
    Art art = Art::NichtBegonnen;
    bool pdf = false;
    QString ziel;  // the PDF file, or the printer's name
    QString grund; // the system's reason for a file, where one is known
};

// Prints the HTML page `html` on one page of `drucker` (A4, landscape when `quer`): a page too
// long for the sheet is drawn smaller rather than cut or spread. Nothing when it is printed.
std::optional<Druckfehler> aufEineSeiteDrucken(QPrinter& drucker, const QString& html, bool quer);

// Prints the HTML page `html` on as many pages of `drucker` as it takes (A4, landscape when
// `quer`), at its own point sizes: a table wider than the sheet is drawn smaller, but never
// below 8 pt. Table rows are not split; a table's head (<thead>) stands on every page.
// `seiten`, where given, receives the number of pages. Nothing when it is printed.
std::optional<Druckfehler> seitenweiseDrucken(QPrinter& drucker, const QString& html, bool quer,
                                              int* seiten = nullptr);

// The message box of a print that failed: `titel` is the print's ("Prüfbeleg drucken"), `was`
// what was printed ("Der Prüfbeleg").
engine::Meldung druckmeldung(const QString& titel, const QString& was, const Druckfehler& fehler);

// How the user chooses the printer, or a PDF file, for a print: true to print.
using Druckerwahl = std::function<bool(QPrinter& drucker)>;

// The print dialog, titled `titel`, over `eltern`.
Druckerwahl druckdialog(const QString& titel, QWidget* eltern);

} // namespace svp::ui
