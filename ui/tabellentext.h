#pragma once

#include "engine/ansicht.h"

#include <QString>
#include <QStringList>

namespace svp::ui {

// Texts of the rows of the year overview and the month list, which show cases as tables.

// The result lines of column `spalte` (0..3) as shown: none where the column is covered, the
// message where an overlay gives one, else the non-empty result texts without their padding.
QStringList ergebniszeilen(const engine::Ansicht& a, int spalte);

// The colours of the marks in both tables: text of a fault or of a month over the zone, of a
// month in the zone, of a month never saved; background of a row to check, in the zone or at
// fault.
namespace farbe {
constexpr unsigned Fehler = 0xa00000;
constexpr unsigned Gleitzone = 0x7a4a00;
constexpr unsigned NieGespeichert = 0x808080;
constexpr unsigned HintergrundPruefen = 0xffe8b0;
constexpr unsigned HintergrundFehler = 0xffc8c8;
} // namespace farbe

// A cell of a German CSV export: trimmed, and quoted where it holds ';', '"' or a line break.
QString csvFeld(QString text);

} // namespace svp::ui
