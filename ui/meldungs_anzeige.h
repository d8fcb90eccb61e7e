#pragma once

#include "engine/meldungen.h"

#include <QString>

class QWidget;

namespace svp::ui {

// Shows the message boxes of the window: the controller's information texts and failures of
// the record files, and the window's own failures (a print, a PDF file's information, a CSV
// file of the year overview). The window hands every pending message to one of these; tests
// put in one that records instead of showing.
class MeldungsAnzeige
{
public:
    virtual ~MeldungsAnzeige() = default;
    // Shows `meldung` modal over `fenster` and returns when the user has closed it.
    virtual void zeigen(const engine::Meldung& meldung, QWidget* fenster) = 0;
    // Asks whether the changed case is to be saved; the user answers "Speichern", "Verwerfen"
    // or "Abbrechen" (a question of the kind NurVerwerfen: "Verwerfen und beenden" or
    // "Abbrechen"). A provider that asks nothing leaves the case unsaved.
    virtual engine::Antwort fragen(const engine::Meldung& frage, QWidget* fenster);
};

// The platform's message box: the title, the lines one under the other, one OK button and
// no icon.
class Meldungsfenster final : public MeldungsAnzeige
{
public:
    void zeigen(const engine::Meldung& meldung, QWidget* fenster) override;
    engine::Antwort fragen(const engine::Meldung& frage, QWidget* fenster) override;
};

// The text of a message box: its lines joined by line breaks, blanks kept as they are.
QString meldungstext(const engine::Meldung& meldung);

} // namespace svp::ui
