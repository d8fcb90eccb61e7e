#include "folgemonate.h"

#include "params/mini.h"
#include "sv.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace svp::ui {

namespace {

QString monatsname(int monat, int jahr)
{
    return QString::fromUtf8(params::MonatNamen[static_cast<std::size_t>(monat)]) + QLatin1Char(' ') +
           QString::number(jahr);
}

Abweichende abweichendeFragen(const QStringList& monate, QWidget* fenster)
{
    QMessageBox frage(fenster);
    frage.setWindowTitle(QStringLiteral("In Folgemonate übernehmen"));
    frage.setText(QStringLiteral("Diese Monate sind schon mit einem anderen Fall gespeichert:\n%1\n\n"
                                 "Sollen sie mit dem Fall dieses Monats überschrieben werden?")
                      .arg(monate.join(QStringLiteral(", "))));
    auto* ueberschreiben = frage.addButton(QStringLiteral("Ü&berschreiben"), QMessageBox::DestructiveRole);
    auto* ueberspringen = frage.addButton(QStringLiteral("Übe&rspringen"), QMessageBox::AcceptRole);
    frage.addButton(QStringLiteral("&Abbrechen"), QMessageBox::RejectRole);
    frage.setDefaultButton(ueberspringen);
    frage.exec();
    if (frage.clickedButton() == ueberschreiben)
        return Abweichende::Ueberschreiben;
    if (frage.clickedButton() == ueberspringen)
        return Abweichende::Ueberspringen;
    return Abweichende::Abbrechen;
}

} // namespace

FolgemonateDialog::FolgemonateDialog(int von, int jahr, QWidget* eltern) : QDialog(eltern), m_von(von)
{
    setObjectName(QStringLiteral("Folgemonate"));
    setWindowTitle(QStringLiteral("In Folgemonate übernehmen"));
    m_bis = new QComboBox(this);
    m_bis->setObjectName(QStringLiteral("Bis"));
    for (int monat = von + 1; monat < params::AnzahlMonate; ++monat)
        m_bis->addItem(monatsname(monat, jahr));
    m_bis->setCurrentIndex(m_bis->count() - 1);
    auto* text =
        new QLabel(QStringLiteral("Der Fall von %1 wird gespeichert und, so wie er jetzt gespeichert "
                                  "würde, in jeden folgenden Monat bis zum gewählten übernommen. Jeder "
                                  "Monat wird mit seinen eigenen Regeln bestimmt.")
                       .arg(monatsname(von, jahr)));
    text->setWordWrap(true);
    auto* formular = new QFormLayout;
    formular->addRow(QStringLiteral("&bis einschließlich:"), m_bis);
    auto* knoepfe = new QDialogButtonBox;
    knoepfe->addButton(QStringLiteral("&Übernehmen"), QDialogButtonBox::AcceptRole)->setDefault(true);
    knoepfe->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* seite = new QVBoxLayout(this);
    seite->addWidget(text);
    seite->addLayout(formular);
    seite->addWidget(knoepfe);
    resize(420, sizeHint().height());
}

int FolgemonateDialog::bis() const
{
    return m_von + 1 + m_bis->currentIndex();
}

bool folgemonateUebernehmen(SV& fenster, const Folgemonatsfragen& fragen)
{
    const int jahr = fenster.steuerung().mini().AktJahr;
    const int von = fenster.steuerung().mini().Auswahl[params::AuswahlMonat];
    if (von < 0 || von + 1 >= params::AnzahlMonate) {
        fenster.anzeige().zeigen(
            {"In Folgemonate übernehmen",
             {"Der Dezember ist der letzte Monat des Jahres; es gibt keine Folgemonate."}},
            &fenster);
        return false;
    }
    std::optional<int> bis;
    if (fragen.bis) {
        bis = fragen.bis(von, jahr);
    } else {
        FolgemonateDialog dialog(von, jahr, &fenster);
        if (dialog.exec() == QDialog::Accepted)
            bis = dialog.bis();
    }
    if (!bis || *bis <= von)
        return false;

    std::vector<int> abweichend;
    fenster.handeln([&](engine::Steuerung& s) { abweichend = s.folgemonateAbweichend(*bis); });
    bool behalten = false;
    if (!abweichend.empty()) {
        QStringList monate;
        for (const int m : abweichend)
            monate << monatsname(m, jahr);
        const Abweichende antwort =
            fragen.abweichende ? fragen.abweichende(monate) : abweichendeFragen(monate, &fenster);
        if (antwort == Abweichende::Abbrechen)
            return false;
        behalten = antwort == Abweichende::Ueberspringen;
    }
    bool gespeichert = false;
    fenster.handeln([&](engine::Steuerung& s) { gespeichert = s.folgemonateUebernehmen(*bis, behalten); });
    if (gespeichert)
        fenster.uebersichtAktualisieren();
    return gespeichert;
}

} // namespace svp::ui
