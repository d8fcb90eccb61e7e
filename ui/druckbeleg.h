#pragma once

#include "engine/ansicht.h"
#include "engine/beitraege.h"
#include "engine/fall.h"
#include "papier.h"
#include "params/mini.h"
#include "pdf_info.h"

#include <optional>

#include <QDateTime>
#include <QString>

class QPrinter;

namespace svp::ui {

// Who the record is for and when it was printed. Name and personnel number are optional; the
// further facts come from the employee's data and the company's file, and the record names
// them only when one of them is given.
struct Belegangaben {
    QString name;
    QString personalnummer;
    QDateTime zeitpunkt;
    QString geburtsdatum{};        // "TT.MM.JJJJ"
    QString versicherungsnummer{}; // the social-insurance number
    QString krankenkasse{};
    QString betrieb{};        // the clerk's own company
    QString betriebsnummer{}; // its number with the Bundesagentur für Arbeit

    bool weitereAngaben() const
    {
        return !(geburtsdatum.isEmpty() && versicherungsnummer.isEmpty() && krankenkasse.isEmpty() &&
                 betrieb.isEmpty() && betriebsnummer.isEmpty());
    }
};

// The longest name or personnel number the record takes.
inline constexpr int BelegangabeLaenge = 60;

// The printable record of a check for the personnel file, one A4 page laid out as a form:
// whose case and which month and state; every column that holds a case, with its employer,
// the inputs the window shows for it and its six result lines; the figures the determination
// decided on (total pay, sliding zone, the limits and shares of the year, the messages); and
// the program, rule year, time of printing and three fields for the clerk's check. It is built
// from the window's state alone, in the window's own words and formats, and changes nothing.
class Druckbeleg
{
public:
    // With `beitraege`, the contribution amounts of the case stand on the page too (its tables
    // of amounts, the values of the period and the legal basis).
    Druckbeleg(const engine::Ansicht& ansicht, const engine::Fall& fall, const params::Mini& mini,
               Belegangaben angaben, const engine::Beitraege* beitraege = nullptr);

    // The page as HTML, for a QTextDocument.
    QString html() const;

    // The proposed file name: "Pruefbeleg_<name or personnel number>_<year>-<MM>.pdf", with the
    // characters that a file name cannot hold replaced.
    QString dateiname() const;

    // Lays the page out for `drucker` (A4 portrait, one page) and prints it; the document
    // carries title and program. Nothing when it is printed.
    std::optional<Druckfehler> drucken(QPrinter& drucker) const;

    // Prints the page into the PDF file `datei` with its full document information. False
    // when the file cannot be written.
    bool alsPdf(const QString& datei) const;
    // The document information of a printed PDF file (title, author, subject), added after
    // printing; nothing when it is added.
    std::optional<PdfInfoFehler> pdfInfoErgaenzen(const QString& datei) const;

    // The month was never saved: the record says so ("nicht gespeichert") above its columns,
    // which it lists as they stand.
    void setNichtGespeichert(bool nicht) { m_nichtGespeichert = nicht; }

private:
    QString kopf() const;
    QString spalte(int k) const;
    QString eingaben(int k) const;
    QString kennzahlen() const;
    QString fuss() const;
    QString titel() const;
    QString zeitraum() const;

    const engine::Ansicht& m_ansicht;
    const engine::Fall& m_fall;
    const params::Mini& m_mini;
    Belegangaben m_angaben;
    const engine::Beitraege* m_beitraege;
    bool m_nichtGespeichert = false;
};

} // namespace svp::ui
