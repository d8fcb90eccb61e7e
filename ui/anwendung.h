#pragma once

class QCoreApplication;

namespace svp::ui {

// What every Qt application of the program sets once at its start, the window program and the
// window's tests alike.

// The names the user's settings are kept under (QSettings without arguments): organisation
// and application "svpflicht", on Linux ~/.config/svpflicht/svpflicht.conf. Call it before
// the first QSettings; it needs no application object yet.
void anwendungBenennen();

// Qt's own dialogs and standard buttons (print dialog, file dialog, "Abbrechen") in German: loads
// Qt's German translation from the place the Qt installation keeps its translations. Returns
// false when it is not installed; the dialogs then stay in English.
bool qtAufDeutsch(QCoreApplication& anwendung);

} // namespace svp::ui
