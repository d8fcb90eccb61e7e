#pragma once

#include <QCheckBox>
#include <QRadioButton>
#include <QString>

namespace svp::ui {

// Option buttons and check boxes whose captions wrap. The captions of the window are long and
// some carry a run of blanks where the caption is meant to break ("b)  nicht länger als 50
// [blanks] Arbeitstage."); the button keeps its caption unchanged as its text and shows it
// broken at such a run and wrapped at the width the layout gives it.
template <typename Basis> class UmbruchKnopf : public Basis
{
public:
    explicit UmbruchKnopf(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int breite) const override;

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    // The whole button, both lines of a wrapped caption included, takes the click.
    bool hitButton(const QPoint& stelle) const override;

private:
    int textbeginn() const; // indicator and spacing in front of the caption
    int indikatorhoehe() const;
};

using UmbruchOption = UmbruchKnopf<QRadioButton>;
using UmbruchKasten = UmbruchKnopf<QCheckBox>;

extern template class UmbruchKnopf<QRadioButton>;
extern template class UmbruchKnopf<QCheckBox>;

// How a caption is shown: a run of three or more blanks becomes a line break.
QString umbruchtext(const QString& caption);

} // namespace svp::ui
