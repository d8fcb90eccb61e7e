#pragma once

#include "steuerelemente.h"

#include <QWidget>

class QGridLayout;

namespace svp::ui {

// The window's top row: the lists of year, month and state on the left, the buttons on the
// right; where the window is too narrow for both in one line, the buttons move under the
// lists.
class Kopfzeile : public QWidget
{
public:
    Kopfzeile();

    const Kopfelemente& elemente() const { return m_elemente; }

    // The width of the row in one line.
    int einzeiligeBreite() const;
    // The height the buttons take when they stand under the lists.
    int knopfzeilenhoehe() const;
    // Lays the row out for a window `fensterbreite` wide.
    void umbrechen(int fensterbreite);
    // Puts `w` in front of the lists (the employee list).
    void vorneEinfuegen(QWidget* w);

private:
    Kopfelemente m_elemente;
    QGridLayout* m_raster = nullptr;
    QWidget* m_listen = nullptr;
    QWidget* m_knoepfe = nullptr;
    bool m_knoepfeRechts = true;
};

} // namespace svp::ui
