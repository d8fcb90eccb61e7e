#pragma once

#include "engine/ansicht.h"

#include <QString>
#include <QStringList>

namespace svp::ui {

// Texts of the rows of the year overview and the month list, which show cases as tables.

// The result lines of column `spalte` (0..3) as shown: none where the column is covered, the
// message where an overlay gives one, else the non-empty result texts without their padding.
QStringList ergebniszeilen(const engine::Ansicht& a, int spalte);

// A cell of a German CSV export: trimmed, and quoted where it holds ';', '"' or a line break.
QString csvFeld(QString text);

} // namespace svp::ui
