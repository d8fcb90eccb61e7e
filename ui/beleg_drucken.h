#pragma once

#include "druckbeleg.h"
#include "engine/meldungen.h"
#include "papier.h"

#include <optional>

#include <QString>

class QPrinter;

namespace svp::ui {

// The title of the print of a record: of the print dialog and of its messages.
inline constexpr const char* BelegDruckTitel = "Prüfbeleg drucken";

// Prepares the printer for a record: the printer used last time, or, when the last record
// went into a PDF file (or none was printed yet), that file proposed as
// "Pruefbeleg_<name>_<year>-<MM>.pdf" in the folder used last, at first the user's documents
// folder.
void druckerVorbereiten(QPrinter& drucker, const Druckbeleg& beleg);

// The folder a PDF file is proposed in: the one used last while it exists, else the documents
// folder of the desktop (made when it is missing), else the home folder.
QString pdfOrdnerVorschlagen(const QString& zuletzt, const QString& dokumente, const QString& heim);

// After printing: a PDF file gets its document information, and the choice of printer or PDF
// folder is remembered for the next record. Nothing when the information is added or the
// record went to a printer.
std::optional<PdfInfoFehler> nachDemDrucken(const QPrinter& drucker, const Druckbeleg& beleg);

// The whole print of a record: the printer prepared, the user's choice (`wahl`, at first the
// print dialog), printing when the user agrees, and what nachDemDrucken does. The German
// message for the user when the print failed or its PDF file did not get its information;
// nothing when it was printed or the user cancelled.
std::optional<engine::Meldung> belegDrucken(const Druckbeleg& beleg, const Druckerwahl& wahl);

} // namespace svp::ui
