#include "umbruch_knopf.h"

#include <algorithm>
#include <type_traits>

#include <QFontMetrics>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace svp::ui {

namespace {

constexpr int TextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
// A caption wraps at about this many average characters when the layout has room to spare.
constexpr int BevorzugteZeichen = 30;
constexpr int Rand = 2; // above and below the caption

template <typename Basis> constexpr bool istOption = std::is_same_v<Basis, QRadioButton>;

} // namespace

QString umbruchtext(const QString& caption)
{
    static const QRegularExpression lauf(QStringLiteral(" {3,}"));
    QString text = caption;
    return text.replace(lauf, QStringLiteral("\n"));
}

template <typename Basis>
UmbruchKnopf<Basis>::UmbruchKnopf(const QString& text, QWidget* parent) : Basis(text, parent)
{
    QSizePolicy politik(QSizePolicy::Preferred, QSizePolicy::Preferred);
    politik.setHeightForWidth(true);
    this->setSizePolicy(politik);
}

template <typename Basis> int UmbruchKnopf<Basis>::textbeginn() const
{
    const QStyle* stil = this->style();
    if constexpr (istOption<Basis>)
        return stil->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this) +
               stil->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, this);
    else
        return stil->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
               stil->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
}

template <typename Basis> int UmbruchKnopf<Basis>::indikatorhoehe() const
{
    const auto metrik = istOption<Basis> ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight;
    return this->style()->pixelMetric(metrik, nullptr, this);
}

template <typename Basis> int UmbruchKnopf<Basis>::heightForWidth(int breite) const
{
    const int textbreite = std::max(1, breite - textbeginn());
    const QRect text = this->fontMetrics().boundingRect(QRect(0, 0, textbreite, 100000), TextFlags,
                                                        umbruchtext(this->text()));
    return std::max(indikatorhoehe(), text.height()) + 2 * Rand;
}

template <typename Basis> QSize UmbruchKnopf<Basis>::sizeHint() const
{
    const QFontMetrics fm = this->fontMetrics();
    int natuerlich = 0;
    for (const QString& zeile : umbruchtext(this->text()).split(QLatin1Char('\n')))
        natuerlich = std::max(natuerlich, fm.horizontalAdvance(zeile));
    const int breite = textbeginn() + std::min(natuerlich, BevorzugteZeichen * fm.averageCharWidth()) + Rand;
    return {breite, heightForWidth(breite)};
}

template <typename Basis> QSize UmbruchKnopf<Basis>::minimumSizeHint() const
{
    // Narrow enough to wrap at every blank; the height follows from the width given.
    const QFontMetrics fm = this->fontMetrics();
    int wort = 0;
    for (const QString& teil : this->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        wort = std::max(wort, fm.horizontalAdvance(teil));
    return {textbeginn() + wort + Rand, std::max(indikatorhoehe(), fm.height()) + 2 * Rand};
}

template <typename Basis> void UmbruchKnopf<Basis>::paintEvent(QPaintEvent*)
{
    QStylePainter maler(this);
    QStyleOptionButton option;
    this->initStyleOption(&option);
    const bool fokus = option.state & QStyle::State_HasFocus;
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus;
    maler.drawControl(istOption<Basis> ? QStyle::CE_RadioButton : QStyle::CE_CheckBox, option);

    QRect textfeld = this->rect().adjusted(textbeginn(), 0, 0, 0);
    const QString text = umbruchtext(this->text());
    this->style()->drawItemText(&maler, textfeld, TextFlags, this->palette(), this->isEnabled(), text,
                                QPalette::WindowText);
    if (fokus) {
        QStyleOptionFocusRect rahmen;
        rahmen.initFrom(this);
        rahmen.rect = this->fontMetrics().boundingRect(textfeld, TextFlags, text).adjusted(-1, -1, 1, 1);
        maler.drawPrimitive(QStyle::PE_FrameFocusRect, rahmen);
    }
}

template <typename Basis> bool UmbruchKnopf<Basis>::hitButton(const QPoint& stelle) const
{
    return this->rect().contains(stelle);
}

template class UmbruchKnopf<QRadioButton>;
template class UmbruchKnopf<QCheckBox>;

} // namespace svp::ui
