#pragma once

#include "engine/ansicht.h"
#include "engine/feld.h"
#include "steuerelemente.h"

#include <optional>

class QWidget;

namespace svp::ui {

// Draws the controller's view state `a` on the top row and the columns: captions, choices,
// values, visibility and the names a screen reader reads. Every control is set with its
// signals blocked, so that drawing raises no handler, and only where it differs from the state.
// `fokus` is the numeric field the controller has the focus in; `eingabe` the control the user
// is typing in (the window's focus widget), whose employer name keeps the text being typed;
// with none, every text is drawn from the state.
void zeichnen(const Kopfelemente& kopf, const Spaltenelemente& spalten, const engine::Ansicht& a,
              std::optional<engine::Feld> fokus, const QWidget* eingabe);

} // namespace svp::ui
