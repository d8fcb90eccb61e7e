#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

namespace svp::ui {

// The document information of a PDF file: what a viewer shows as its properties and what a
// document archive indexes.
struct PdfInfo {
    QString titel;
    QString autor;
    QString thema;
    QString ersteller; // the program that made the content
    QDateTime erstellt;
};

// Why the document information could not be added to a PDF file.
struct PdfInfoFehler {
    enum class Art {
        Lesen,     // the file could not be opened or read
        Aufbau,    // the file is not laid out as a printed one (no classic cross-reference table)
        Schreiben, // the file could not be opened for appending or the appendix not written
    };
    Art art = Art::Lesen;
    QString grund; // the system's German reason, where one is known

    // "Die Datei kann nicht ergänzt werden: Datenträger voll"
    QString meldung() const;
};

// Gives the PDF file `datei`, as Qt writes it, the document information `info`: an
// incremental update appended to the file (a new information dictionary, a cross-reference
// section and a trailer pointing back to the old one), which leaves every byte written before
// as it was. Nothing when it is added; otherwise the failure, and the file is unchanged.
std::optional<PdfInfoFehler> pdfInfoSetzen(const QString& datei, const PdfInfo& info);

} // namespace svp::ui
