#pragma once

#include "engine/steuerung.h"
#include "steuerelemente.h"

#include <functional>

class QObject;

namespace svp::ui {

class Ergebnistafel;

// A handler of the controller as a user event raises it, for whichever controller the window
// shows at that moment.
using Handler = std::function<void(engine::Steuerung&)>;
// Runs a handler on the window's controller and shows the outcome (SV::ausfuehren).
using Ausloeser = std::function<void(const Handler&)>;

// Binds every control of the top row, the columns and the results to the handler of the
// controller that the rules name for it: a list or option group with the index chosen, a
// check box with its new state, a numeric field with each key and each change of its text, an
// employer name with each change, an icon or button with its click. Only what the user does
// raises a handler; what drawing sets is set with the signals blocked. The connections end
// with `kontext`.
void verbinden(const Kopfelemente& kopf, const Spaltenelemente& spalten, const Ergebnistafel& ergebnisse,
               QObject* kontext, const Ausloeser& ausloesen);

// The Tab order in reading order: the top row, then each column from top to bottom, then the
// icons of the results. Only the selected option of a group is a stop of the Tab key (drawing
// sets which); the arrow keys choose within the group.
void tabfolgeSetzen(const Kopfelemente& kopf, const Spaltenelemente& spalten,
                    const Ergebnistafel& ergebnisse);

} // namespace svp::ui
