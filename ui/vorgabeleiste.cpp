#include "vorgabeleiste.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace svp::ui {

Vorgabeleiste::Vorgabeleiste()
{
    setObjectName(QStringLiteral("Vorgabeleiste"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    // The colours of a tool tip: a notice that stands out without meaning a fault.
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    auto* text = new QLabel(QStringLiteral("Noch nicht erfasst – die Werte sind Vorgabewerte"));
    text->setObjectName(QStringLiteral("VorgabeText"));
    QFont fett = text->font();
    fett.setBold(true);
    text->setFont(fett);
    m_leeren = new QPushButton(QStringLiteral("Fall &leeren"));
    m_leeren->setObjectName(QStringLiteral("FallLeeren"));
    m_leeren->setAutoDefault(false);
    m_leeren->setAccessibleName(QStringLiteral("Fall leeren"));
    m_leeren->setToolTip(
        QStringLiteral("Setzt alle Beträge des Monats auf 0 und jede Auswahl auf ihren ersten "
                       "Eintrag; die Namen der Arbeitgeber bleiben."));
    setAccessibleName(text->text());
    auto* zeile = new QHBoxLayout(this);
    zeile->setContentsMargins(8, 1, 8, 1); // low: the window must still fit a 1366 x 768 screen
    zeile->addWidget(text);
    zeile->addStretch(1);
    zeile->addWidget(m_leeren);
}

} // namespace svp::ui
