#include "zahlenfeld.h"

#include "params/betrag_text.h"

#include <QKeyEvent>

namespace svp::ui {

namespace {

constexpr int Vorkommastellen = 5; // "####0": up to five integer digits

} // namespace

QString anzeigetext(Currency wert, int nachkommastellen)
{
    return QString::fromStdString(wert.formatFixed(nachkommastellen));
}

Zahlenpruefer::Zahlenpruefer(int nachkommastellen, Currency minimum, Currency maximum, QObject* parent)
    : QValidator(parent), m_nachkommastellen(nachkommastellen), m_minimum(minimum), m_maximum(maximum)
{
}

QValidator::State Zahlenpruefer::validate(QString& text, int&) const
{
    qsizetype i = 0;
    if (i < text.size() && text[i] == QLatin1Char('-')) {
        if (m_minimum >= Currency())
            return Invalid;
        ++i;
    }
    int vorne = 0;
    int hinten = 0;
    int kommas = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            if (kommas == 0)
                ++vorne;
            else if (kommas == 1)
                ++hinten;
        } else if (c == QLatin1Char(',')) {
            if (m_nachkommastellen == 0)
                return Invalid;
            ++kommas;
        } else if (c != QLatin1Char('.')) {
            return Invalid;
        }
    }
    if (vorne > Vorkommastellen || hinten > m_nachkommastellen)
        return Invalid;
    if (text.isEmpty())
        return Acceptable;
    const params::Lesung wert = params::betragLesen(text.toStdString(), params::schreibweise::Fenster);
    if (!wert.ok())
        return Intermediate;
    return wert.wert < m_minimum || wert.wert > m_maximum ? Invalid : Acceptable;
}

Zahlenfeld::Zahlenfeld(engine::Feld feld, const Format& format, QWidget* parent)
    : QLineEdit(parent), m_feld(feld), m_format(format)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    if (format.berechnet) {
        setReadOnly(true);
        // Not a stop of the Tab key: the controller would send the focus straight back to the
        // wage field. A click still enters it and is passed on.
        setFocusPolicy(Qt::ClickFocus);
    } else {
        setValidator(new Zahlenpruefer(format.nachkommastellen, format.minimum, format.maximum, this));
    }
    setText(anzeigetext(Currency(), format.nachkommastellen));
}

QSize Zahlenfeld::sizeHint() const
{
    // Room for the widest value of the format: "-99999,00"; for months a count of three digits
    // (a year has twelve); a computed sum of twelve months has seven digits.
    QString muster = m_format.nachkommastellen > 0 ? QStringLiteral("-99999,00") : QStringLiteral("-999");
    if (m_format.berechnet)
        muster = QStringLiteral("9999999,00");
    const QSize basis = QLineEdit::sizeHint();
    const QSize ohneText = QLineEdit::minimumSizeHint();
    return {fontMetrics().horizontalAdvance(muster) + ohneText.width() + 4, basis.height()};
}

QSize Zahlenfeld::minimumSizeHint() const
{
    // A narrow window still shows the usual amounts whole.
    const QString muster = m_format.nachkommastellen > 0 ? QStringLiteral("99999,00") : QStringLiteral("999");
    return {fontMetrics().horizontalAdvance(muster) + QLineEdit::minimumSizeHint().width() + 4,
            QLineEdit::minimumSizeHint().height()};
}

void Zahlenfeld::zeigen(const engine::NumberField& zustand, bool inBearbeitung)
{
    const QString soll = zustand.eingabe ? QString::fromStdString(*zustand.eingabe)
                                         : anzeigetext(zustand.value, m_format.nachkommastellen);
    if (text() != soll) {
        setText(soll);
        if (inBearbeitung)
            selectAll();
    }
    const QString fehler = QString::fromStdString(zustand.fehler);
    if (toolTip() != fehler) {
        setToolTip(fehler);
        setAccessibleDescription(fehler);
        // A text that is not taken stands in a red frame until it is corrected or left.
        setStyleSheet(fehler.isEmpty() ? QString()
                                       : QStringLiteral("QLineEdit { border: 2px solid #c00000; }"));
    }
}

void Zahlenfeld::keyPressEvent(QKeyEvent* ereignis)
{
    if (ereignis->key() == Qt::Key_Escape) {
        // Escape belongs to the window: it closes it.
        ereignis->ignore();
        return;
    }
    int zeichen = 0;
    if (ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter)
        zeichen = engine::TasteEnter;
    else if (ereignis->key() == Qt::Key_Backspace)
        zeichen = 8;
    else if (!ereignis->text().isEmpty() && ereignis->text().at(0).isPrint())
        zeichen = ereignis->text().at(0).unicode();

    if (zeichen != 0)
        emit tasteGedrueckt(zeichen);
    if (zeichen == engine::TasteEnter) {
        // Where Enter keeps the focus (the pay of the main employment), the next typing
        // replaces the value instead of adding to it.
        if (hasFocus())
            selectAll();
        ereignis->accept();
        return;
    }
    QLineEdit::keyPressEvent(ereignis);
}

void Zahlenfeld::focusInEvent(QFocusEvent* ereignis)
{
    m_mausfokus = ereignis->reason() == Qt::MouseFocusReason;
    QLineEdit::focusInEvent(ereignis);
}

void Zahlenfeld::mouseReleaseEvent(QMouseEvent* ereignis)
{
    QLineEdit::mouseReleaseEvent(ereignis);
    if (m_mausfokus && !berechnet()) {
        // A click into a field selects its value, so that what the user types replaces it.
        m_mausfokus = false;
        selectAll();
    }
}

} // namespace svp::ui
