#include "bausteine.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace svp::ui {

QString qtext(const std::string& text)
{
    return QString::fromStdString(text);
}

QString gruppenname(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

void platzHalten(QWidget* w)
{
    QSizePolicy politik = w->sizePolicy();
    politik.setRetainSizeWhenHidden(true);
    w->setSizePolicy(politik);
}

void zeilenLeeren(std::span<QHBoxLayout* const> zeilen)
{
    for (QHBoxLayout* zeile : zeilen)
        while (QLayoutItem* teil = zeile->takeAt(0))
            delete teil; // the item only, not its widget
}

void sichtbarSetzen(QWidget* w, bool sichtbar)
{
    if (w->isHidden() == sichtbar)
        w->setVisible(sichtbar);
}

void nameSetzen(QWidget* w, const QString& name)
{
    if (w->accessibleName() != name)
        w->setAccessibleName(name);
}

void textSetzen(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

void titelSetzen(QGroupBox* panel, const QString& titel, QChar buchstabe)
{
    QString mitKuerzel = titel;
    const qsizetype stelle = titel.indexOf(buchstabe);
    if (stelle >= 0)
        mitKuerzel.insert(stelle, QLatin1Char('&'));
    if (panel->title() != mitKuerzel)
        panel->setTitle(mitKuerzel);
    nameSetzen(panel, titel);
}

void fettSetzen(QWidget* w)
{
    QFont fett = w->font();
    fett.setBold(true);
    w->setFont(fett);
}

QLabel* beschriftung(const QString& name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

QLabel* ueberlagerung(const QString& name)
{
    auto* deckel = new QLabel;
    deckel->setObjectName(name);
    deckel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    deckel->setLineWidth(2);
    deckel->setAutoFillBackground(true);
    deckel->setAlignment(Qt::AlignCenter);
    deckel->setWordWrap(true);
    deckel->setTextFormat(Qt::PlainText);
    deckel->setMargin(6);
    // The cover takes the size of what it covers; its wrapped message asks for none of its own.
    deckel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return deckel;
}

QToolButton* infoknopf(const QString& name, const QString& zugaenglich)
{
    auto* knopf = new QToolButton;
    knopf->setObjectName(name);
    knopf->setIcon(knopf->style()->standardIcon(QStyle::SP_MessageBoxInformation));
    knopf->setText(QStringLiteral("i"));
    knopf->setIconSize(QSize(16, 16));
    knopf->setAutoRaise(true);
    knopf->setAccessibleName(zugaenglich);
    knopf->setToolTip(zugaenglich);
    platzHalten(knopf);
    return knopf;
}

} // namespace svp::ui
