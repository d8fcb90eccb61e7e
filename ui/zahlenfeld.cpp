#include "zahlenfeld.h"

#include <QKeyEvent>

namespace svp::ui {

namespace {

constexpr int Vorkommastellen = 5; // "####0": up to five integer digits

} // namespace

std::optional<Currency> textwert(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    if (t.endsWith(QLatin1Char(',')))
        t.chop(1);
    if (t.isEmpty() || t == QLatin1String("-"))
        return Currency();
    return Currency::parse(t.toStdString());
}

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
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    qsizetype i = 0;
    if (i < text.size() && text[i] == QLatin1Char('-')) {
        if (m_minimum >= Currency())
            return Invalid;
        ++i;
    }
    int vorne = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        ++vorne;
        ++i;
    }
    if (vorne > Vorkommastellen)
        return Invalid;
    if (i < text.size() && text[i] == QLatin1Char(',')) {
        if (m_nachkommastellen == 0)
            return Invalid;
        ++i;
        int hinten = 0;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
            ++hinten;
            ++i;
        }
        if (hinten > m_nachkommastellen)
            return Invalid;
    }
    if (i != text.size())
        return Invalid;
    const std::optional<Currency> wert = textwert(text);
    if (!wert || *wert < m_minimum || *wert > m_maximum)
        return Invalid;
    return Acceptable;
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
    // Room for the widest value of the format: "-99999,00", or "-99999" for months; a computed
    // sum of twelve months has seven digits.
    QString muster = m_format.nachkommastellen > 0 ? QStringLiteral("-99999,00") : QStringLiteral("-99999");
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

Currency Zahlenfeld::wert() const
{
    return textwert(text()).value_or(Currency());
}

void Zahlenfeld::wertZeigen(Currency wert, bool inBearbeitung)
{
    if (inBearbeitung) {
        const std::optional<Currency> jetzt = textwert(text());
        if (jetzt && *jetzt == wert)
            return;
    }
    const QString neu = anzeigetext(wert, m_format.nachkommastellen);
    if (text() == neu)
        return;
    setText(neu);
    if (inBearbeitung)
        selectAll();
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
        // Entering a field sets it to 0; what the user types replaces that at once.
        m_mausfokus = false;
        selectAll();
    }
}

} // namespace svp::ui
