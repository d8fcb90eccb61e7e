#pragma once

#include "engine/feld.h"

#include <optional>

#include <QLineEdit>
#include <QValidator>

namespace svp::ui {

using params::Currency;

// The text of a numeric field as an exact amount: German decimal comma (a point is taken as
// the comma), an empty text or a lone sign is 0, a trailing comma is ignored. Nothing when the
// text is no number.
std::optional<Currency> textwert(const QString& text);

// The display formats "####0.00" (two decimals) and "####0" (none), with a decimal comma.
QString anzeigetext(Currency wert, int nachkommastellen);

// Refuses what a numeric field does not take: more than five integer digits, more decimals than
// its format shows, a sign where the field has no negative values, a value outside its range.
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

    // The value that the text means (0 while it means nothing).
    Currency wert() const;

    // Shows `wert`. While the user is typing in the field (`inBearbeitung`), a text that means
    // the same value keeps its spelling, so "15" is not turned into "15,00" under the cursor; a
    // value the program put there instead is selected, so that the next key replaces it.
    void wertZeigen(Currency wert, bool inBearbeitung);

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
