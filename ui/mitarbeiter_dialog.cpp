#include "mitarbeiter_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QUrl>
#include <QVBoxLayout>

namespace svp::ui {

QString einstellungsgruppe(const QString& ordner)
{
    // The folder's path as one key: "/" would open subgroups.
    return QStringLiteral("Pruefbeleg/") +
           QString::fromLatin1(QUrl::toPercentEncoding(QDir(ordner).absolutePath()));
}

MitarbeiterDialog::MitarbeiterDialog(const QString& ordner, QWidget* eltern)
    : QDialog(eltern), m_schluessel(einstellungsgruppe(ordner))
{
    setObjectName(QStringLiteral("Mitarbeiter"));
    setWindowTitle(QStringLiteral("Prüfbeleg drucken"));

    QSettings einstellungen;
    einstellungen.beginGroup(m_schluessel);
    auto feld = [this](const QString& name, const QString& wert) {
        auto* f = new QLineEdit(wert.left(BelegangabeLaenge), this);
        f->setObjectName(name);
        f->setAccessibleName(name);
        f->setMaxLength(BelegangabeLaenge);
        f->setMinimumWidth(320);
        return f;
    };
    m_name = feld(QStringLiteral("Name"), einstellungen.value(QStringLiteral("Name")).toString());
    m_personalnummer = feld(QStringLiteral("Personalnummer"),
                            einstellungen.value(QStringLiteral("Personalnummer")).toString());

    auto* hinweis = new QLabel(QStringLiteral("Für wen ist der Prüfbeleg? Beide Angaben sind freiwillig und "
                                              "erscheinen im Kopf des Belegs."));
    hinweis->setWordWrap(true);
    auto* formular = new QFormLayout;
    formular->addRow(QStringLiteral("&Name des Arbeitnehmers:"), m_name);
    formular->addRow(QStringLiteral("&Personalnummer:"), m_personalnummer);

    auto* knoepfe = new QDialogButtonBox;
    auto* weiter = knoepfe->addButton(QStringLiteral("&Weiter zum Drucken"), QDialogButtonBox::AcceptRole);
    weiter->setObjectName(QStringLiteral("Weiter"));
    weiter->setDefault(true);
    knoepfe->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Abbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* seite = new QVBoxLayout(this);
    seite->addWidget(hinweis);
    seite->addLayout(formular);
    seite->addWidget(knoepfe);
    m_name->setFocus();
    m_name->selectAll();
}

QString MitarbeiterDialog::name() const
{
    return m_name->text().trimmed();
}

QString MitarbeiterDialog::personalnummer() const
{
    return m_personalnummer->text().trimmed();
}

void MitarbeiterDialog::accept()
{
    QSettings einstellungen;
    einstellungen.beginGroup(m_schluessel);
    einstellungen.setValue(QStringLiteral("Name"), name());
    einstellungen.setValue(QStringLiteral("Personalnummer"), personalnummer());
    QDialog::accept();
}

std::optional<Belegangaben> belegangabenErfragen(const QString& ordner, QWidget* eltern)
{
    MitarbeiterDialog dialog(ordner, eltern);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Belegangaben{dialog.name(), dialog.personalnummer(), QDateTime()};
}

} // namespace svp::ui
