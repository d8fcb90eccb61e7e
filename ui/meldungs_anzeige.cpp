#include "meldungs_anzeige.h"

#include <QMessageBox>
#include <QStringList>

namespace svp::ui {

QString meldungstext(const engine::Meldung& meldung)
{
    QStringList zeilen;
    zeilen.reserve(static_cast<qsizetype>(meldung.zeilen.size()));
    for (const std::string& zeile : meldung.zeilen)
        zeilen << QString::fromStdString(zeile);
    return zeilen.join(QLatin1Char('\n'));
}

void Meldungsfenster::zeigen(const engine::Meldung& meldung, QWidget* fenster)
{
    QMessageBox box(fenster);
    box.setObjectName(QStringLiteral("Meldung"));
    box.setWindowTitle(QString::fromStdString(meldung.titel));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(meldungstext(meldung));
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

} // namespace svp::ui
