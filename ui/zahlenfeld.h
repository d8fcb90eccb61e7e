#pragma once

#include "engine/ansicht.h"
#include "engine/feld.h"

#include <optional>

#include <QLineEdit>
#include <QValidator>

namespace svp::ui {

using params::Currency;

// The display formats "####0.00" (two decimals) and "####0" (none), with a decimal comma.
QString anzeigetext(Currency wert, int nachkommastellen);

// Refuses the keys a numeric field does not take: characters other than digits, "." and ",", a
// sign where the field has no negative values, more than five integer digits, more decimals than
// its format shows, a value outside its range. A text that may still become an amount in German
// spelling ("1.", "1.5" on the way to "1.500") is let through; whether it is one is decided when
// it is taken.
class Zahlenpruefer : public QValidator
{
public:
    Zahlenpruefer(int nachkommastellen, Currency minimum, Currency maximum, QObject* parent = nullptr);
    State validate(QString& text, int& stelle) const override;

private:
    int m_nachkommastellen;
    Currency m_minimum;
    Currency m_maximum;
};

// A numeric field of the window: an amount or a month count, right-aligned in its display
// format. A computed field (wage sum, annual sum, average) cannot be typed into; it still takes
// the focus, which the controller passes on at once.
class Zahlenfeld : public QLineEdit
{
    Q_OBJECT

public:
    struct Format {
        int nachkommastellen = 2;
        Currency minimum;
        Currency maximum;
        bool berechnet = false;
    };

    Zahlenfeld(engine::Feld feld, const Format& format, QWidget* parent = nullptr);

    engine::Feld feld() const { return m_feld; }
    bool berechnet() const { return m_format.berechnet; }

    // As wide as the widest value of the format, not as a text field.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Shows the field's state: the text the user is typing as typed, otherwise the value in the
    // display format; a text that is not taken with a red frame and the reason as its tooltip.
    // A value the program put into the field the user works in is selected, so that the next
    // key replaces it.
    void zeigen(const engine::NumberField& zustand, bool inBearbeitung);

signals:
    // A character key (13 for Enter) pressed in the field, before the field takes it.
    void tasteGedrueckt(int zeichen);

protected:
    void keyPressEvent(QKeyEvent* ereignis) override;
    void focusInEvent(QFocusEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;

private:
    engine::Feld m_feld;
    Format m_format;
    bool m_mausfokus = false; // the focus came with a mouse press: select all on its release
};

} // namespace svp::ui
