#pragma once

class QWidget;

namespace svp::ui {

// Places a window of its own (the help, the year overview) beside `haupt` rather than over it:
// right of it where the screen has room, else left of it, else as far to the side as the screen
// allows; at the height of `haupt`, within the screen.
void danebenStellen(QWidget* fenster, const QWidget* haupt);

} // namespace svp::ui
