#pragma once

#include <span>
#include <string>

#include <QString>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QToolButton;
class QWidget;

namespace svp::ui {

// The small pieces that the parts of the window are built and drawn with.

// Margin of the window's pages and the space between two columns, in pixels.
inline constexpr int Rand = 4;
inline constexpr int Abstand = 4;
inline constexpr int Innenrand = 4; // inside a column's panel

// A text of the controller (UTF-8) as Qt shows it.
QString qtext(const std::string& text);

// The object name of a member of a control group: "loh(1)", "HBOpt(4)", "SVH(36)".
QString gruppenname(const char* name, int index);

// A control the determination hides keeps its place, so that the window does not jump while
// the user works in it.
void platzHalten(QWidget* w);

// Takes every item out of the row layouts `zeilen`; their widgets stay where they belong, to be
// laid out anew.
void zeilenLeeren(std::span<QHBoxLayout* const> zeilen);

// Showing, naming and labelling only when something changes: every change costs a layout
// pass, and screen readers announce every change of a name.
void sichtbarSetzen(QWidget* w, bool sichtbar);
void nameSetzen(QWidget* w, const QString& name);
void textSetzen(QLabel* label, const QString& text);

// A heading with the letter that Alt chooses underlined: Alt and the letter move the focus into
// the panel. The letters of the panels and the buttons of the top row do not clash.
void titelSetzen(QGroupBox* panel, const QString& titel, QChar buchstabe);

void fettSetzen(QWidget* w);

QLabel* beschriftung(const QString& name, const QString& text);

// An overlay over another control in the same cell of a grid: opaque, raised, the caption
// centred and wrapped.
QLabel* ueberlagerung(const QString& name);

// The small information icon beside a control; a click shows the explanation `zugaenglich`
// names.
QToolButton* infoknopf(const QString& name, const QString& zugaenglich);

} // namespace svp::ui
