#pragma once

#include "druckbeleg.h"

#include <QString>

class QPrinter;
class QWidget;

namespace svp::ui {

// Prepares the printer for a record: the printer used last time, or, when the last record
// went into a PDF file (or none was printed yet), that file proposed as
// "Pruefbeleg_<name>_<year>-<MM>.pdf" in the folder used last, at first the user's documents
// folder.
void druckerVorbereiten(QPrinter& drucker, const Druckbeleg& beleg);

// After printing: a PDF file gets its document information, and the choice of printer or PDF
// folder is remembered for the next record.
void nachDemDrucken(const QPrinter& drucker, const Druckbeleg& beleg);

// The whole print of a record: the print dialog (German title), printing when the user
// agrees, and what nachDemDrucken does.
void belegDrucken(const Druckbeleg& beleg, QWidget* eltern);

} // namespace svp::ui
