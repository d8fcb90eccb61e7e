#pragma once

#include "steuerelemente.h"

#include <array>

#include <QWidget>

class QHBoxLayout;

namespace svp::ui {

// The window's top row: the lists of year, month and state on the left, the buttons on the
// right; where the window is too narrow for both in one line, the buttons move under the
// lists. The notice of a month never saved (leisteAufnehmen) stands in a line under them, or
// right of the buttons where these take a line of their own and it has room there.
class Kopfzeile : public QWidget
{
public:
    Kopfzeile();

    const Kopfelemente& elemente() const { return m_elemente; }

    // The width of the lists and the buttons in one line.
    int einzeiligeBreite() const;
    // Lays the row out for a window `fensterbreite` wide.
    void umbrechen(int fensterbreite);
    // Puts `w` in front of the lists (the employee list).
    void vorneEinfuegen(QWidget* w);
    // Takes the notice of a month never saved into the row; it shows and hides itself.
    void leisteAufnehmen(QWidget* leiste);

private:
    enum class Anordnung { Unbestimmt, EineZeile, LeisteNebenKnoepfen, DreiZeilen };
    void anordnen(Anordnung anordnung);

    Kopfelemente m_elemente;
    std::array<QHBoxLayout*, 3> m_zeilen{};
    QWidget* m_listen = nullptr;
    QWidget* m_knoepfe = nullptr;
    QWidget* m_leiste = nullptr;
    Anordnung m_anordnung = Anordnung::Unbestimmt;
};

} // namespace svp::ui
