#pragma once

#include "engine/ansicht.h"
#include "engine/fall.h"
#include "params/mini.h"

#include <array>

#include <QDate>
#include <QString>

class QPrinter;
class QTextDocument;

namespace svp::ui {

// The branches of the result rows 36 to 41, in row order: the names of the rows in the window
// and on the printed record.
extern const std::array<const char*, 6> Zweige;

// The printable record of a check for the personnel file: the period and state, every
// column that the window does not cover with its employer, the inputs the window shows for
// it and its six result lines, the messages of the visible overlays, the date of printing and
// a line for the signature of the clerk. It is built from the controller's state alone, in
// the window's own words and formats, and changes nothing.
class Druckbeleg
{
public:
    Druckbeleg(const engine::Ansicht& ansicht, const params::Mini& mini, QDate datum);

    // The page as HTML, for a QTextDocument.
    QString html() const;

    // Lays the page out for `drucker` (A4 portrait, one page) and prints it.
    void drucken(QPrinter& drucker) const;

private:
    QString kopf() const;
    QString spalte(int k) const;
    QString eingaben(int k) const;

    const engine::Ansicht& m_ansicht;
    const params::Mini& m_mini;
    QDate m_datum;
};

} // namespace svp::ui
