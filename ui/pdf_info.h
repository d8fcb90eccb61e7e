#pragma once

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

// Gives the PDF file `datei`, as Qt writes it, the document information `info`: an
// incremental update appended to the file (a new information dictionary, a cross-reference
// section and a trailer pointing back to the old one), which leaves every byte written before
// as it was. False, and the file unchanged, when the file cannot be read or written or is not
// laid out with a classic cross-reference table.
bool pdfInfoSetzen(const QString& datei, const PdfInfo& info);

} // namespace svp::ui
