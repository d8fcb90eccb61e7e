#include "meldungs_anzeige.h"

#include <QMessageBox>
#include <QPushButton>
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
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

engine::Antwort MeldungsAnzeige::fragen(const engine::Meldung&, QWidget*)
{
    return engine::Antwort::Verwerfen;
}

engine::Antwort Meldungsfenster::fragen(const engine::Meldung& frage, QWidget* fenster)
{
    QMessageBox box(fenster);
    box.setObjectName(QStringLiteral("Frage"));
    box.setWindowTitle(QString::fromStdString(frage.titel));
    box.setIcon(QMessageBox::Question);
    box.setTextFormat(Qt::PlainText);
    box.setText(meldungstext(frage));
    if (frage.art == engine::Frageart::NurVerwerfen) {
        auto* verwerfen =
            box.addButton(QStringLiteral("&Verwerfen und beenden"), QMessageBox::DestructiveRole);
        verwerfen->setObjectName(QStringLiteral("Verwerfen"));
        auto* abbrechen = box.addButton(QStringLiteral("&Abbrechen"), QMessageBox::RejectRole);
        abbrechen->setObjectName(QStringLiteral("Abbrechen"));
        // Nothing is lost by a key pressed in haste: Enter and Escape keep the case.
        box.setDefaultButton(abbrechen);
        box.setEscapeButton(abbrechen);
        box.exec();
        return box.clickedButton() == verwerfen ? engine::Antwort::Verwerfen : engine::Antwort::Abbrechen;
    }
    auto* speichern = box.addButton(QStringLiteral("&Speichern"), QMessageBox::AcceptRole);
    auto* verwerfen = box.addButton(QStringLiteral("&Verwerfen"), QMessageBox::DestructiveRole);
    auto* abbrechen = box.addButton(QStringLiteral("&Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(speichern);
    box.setEscapeButton(abbrechen);
    box.exec();
    if (box.clickedButton() == speichern)
        return engine::Antwort::Speichern;
    if (box.clickedButton() == verwerfen)
        return engine::Antwort::Verwerfen;
    return engine::Antwort::Abbrechen;
}

} // namespace svp::ui
