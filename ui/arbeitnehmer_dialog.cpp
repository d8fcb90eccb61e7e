#include "arbeitnehmer_dialog.h"

#include "arbeitnehmerangaben.h"
#include "params/betrag_text.h"
#include "store/arbeitnehmerdatei.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace svp::ui {

namespace {

QLineEdit* textfeld(QWidget* eltern, const QString& name, const QString& wert, int laenge)
{
    auto* f = new QLineEdit(wert, eltern);
    f->setObjectName(name);
    f->setAccessibleName(name);
    f->setMaxLength(laenge);
    f->setMinimumWidth(300);
    return f;
}

// A field with the line under it that says what it changes.
QWidget* mitHilfe(QWidget* feld, const QString& hilfe)
{
    auto* rahmen = new QWidget;
    auto* spalte = new QVBoxLayout(rahmen);
    spalte->setContentsMargins(0, 0, 0, 2);
    spalte->setSpacing(1);
    spalte->addWidget(feld);
    auto* text = new QLabel(hilfe);
    text->setObjectName(feld->objectName() + QStringLiteral("_Hilfe"));
    text->setWordWrap(true);
    QFont klein = text->font();
    klein.setPointSizeF(klein.pointSizeF() * 0.9);
    text->setFont(klein);
    text->setStyleSheet(QStringLiteral("color: palette(mid);"));
    spalte->addWidget(text);
    feld->setToolTip(hilfe);
    return rahmen;
}

QLabel* meldungszeile()
{
    auto* m = new QLabel;
    m->setObjectName(QStringLiteral("Meldung"));
    m->setWordWrap(true);
    m->setStyleSheet(QStringLiteral("color: #b00000;"));
    m->setVisible(false);
    return m;
}

void melden(QLabel* zeile, const QString& text)
{
    zeile->setText(text);
    zeile->setVisible(!text.isEmpty());
}

QDialogButtonBox* knoepfe(QDialog* dialog, const QString& ok)
{
    auto* k = new QDialogButtonBox;
    auto* speichern = k->addButton(ok, QDialogButtonBox::AcceptRole);
    speichern->setObjectName(QStringLiteral("Speichern"));
    speichern->setDefault(true);
    k->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Abbrechen"));
    QObject::connect(k, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(k, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return k;
}

QString kvSatzText(const std::optional<params::Currency>& satz)
{
    if (!satz)
        return {};
    return QString::fromStdString(params::betragText(*satz, params::zahlformat::Allgemein));
}

} // namespace

std::optional<params::Datum> datumLesen(const QString& text)
{
    static const QRegularExpression deutsch(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    int jahr = 0, monat = 0, tag = 0;
    if (const auto m = deutsch.match(text.trimmed()); m.hasMatch()) {
        tag = m.captured(1).toInt();
        monat = m.captured(2).toInt();
        jahr = m.captured(3).toInt();
    } else if (const auto i = iso.match(text.trimmed()); i.hasMatch()) {
        jahr = i.captured(1).toInt();
        monat = i.captured(2).toInt();
        tag = i.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    if (!QDate::isValid(jahr, monat, tag))
        return std::nullopt;
    return params::Datum{jahr, monat, tag};
}

ArbeitnehmerDialog::ArbeitnehmerDialog(const params::Arbeitnehmerdaten& daten, bool neu, Speichern speichern,
                                       const QString& hinweis, QWidget* eltern)
    : QDialog(eltern), m_anfang(daten), m_speichern(std::move(speichern))
{
    setObjectName(QStringLiteral("ArbeitnehmerDialog"));
    setWindowTitle(neu ? QStringLiteral("Neuer Arbeitnehmer") : QStringLiteral("Daten des Arbeitnehmers"));

    using store::Arbeitnehmerdatei;
    m_name = textfeld(this, QStringLiteral("Name"), QString::fromStdString(daten.Name),
                      static_cast<int>(Arbeitnehmerdatei::NameHoechstens));
    m_name->setPlaceholderText(QStringLiteral("Meier, Anna"));
    m_personalnummer =
        textfeld(this, QStringLiteral("Personalnummer"), QString::fromStdString(daten.Personalnummer),
                 static_cast<int>(Arbeitnehmerdatei::PersonalnummerHoechstens));
    m_geburtsdatum = textfeld(this, QStringLiteral("Geburtsdatum"), datumText(daten.Geburtsdatum), 10);
    m_geburtsdatum->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
    m_kinderlos = new QComboBox(this);
    m_kinderlos->setObjectName(QStringLiteral("Kinderlos"));
    m_kinderlos->addItems({QStringLiteral("nicht angegeben"), QStringLiteral("ja, kinderlos"),
                           QStringLiteral("nein, Elterneigenschaft nachgewiesen")});
    m_kinderlos->setCurrentIndex(!daten.Kinderlos ? 0 : (*daten.Kinderlos ? 1 : 2));
    m_kvSatz = textfeld(this, QStringLiteral("KVSatzKasse"), kvSatzText(daten.KVSatzKasse), 6);
    m_kvSatz->setPlaceholderText(QStringLiteral("Satz der Tabelle"));
    m_kvErmaessigt =
        new QCheckBox(QStringLiteral("ermäßigter Beitragssatz (kein Anspruch auf Krankengeld)"), this);
    m_kvErmaessigt->setObjectName(QStringLiteral("KVErmaessigt"));
    m_kvErmaessigt->setChecked(daten.KVErmaessigt.value_or(false));
    m_ost = new QCheckBox(QStringLiteral("Rechtskreis Ost (nur Berlin)"), this);
    m_ost->setObjectName(QStringLiteral("RechtskreisOst"));
    m_ost->setChecked(daten.RechtskreisOst.value_or(false));
    m_u1 = new QCheckBox(QStringLiteral("Der Betrieb nimmt an der Umlage U1 teil"), this);
    m_u1->setObjectName(QStringLiteral("U1"));
    m_u1->setChecked(daten.U1.value_or(true));
    m_versicherungsnummer = textfeld(this, QStringLiteral("Versicherungsnummer"),
                                     QString::fromStdString(daten.Versicherungsnummer), 12);
    m_versicherungsnummer->setPlaceholderText(QStringLiteral("12 Zeichen, z. B. 65170839J003"));
    m_krankenkasse =
        textfeld(this, QStringLiteral("Krankenkasse"), QString::fromStdString(daten.Krankenkasse),
                 static_cast<int>(Arbeitnehmerdatei::KrankenkasseHoechstens));

    auto* formular = new QFormLayout;
    formular->addRow(
        QStringLiteral("&Name:"),
        mitHilfe(m_name, QStringLiteral("Nachname, Vorname; so steht der Arbeitnehmer in der Liste, "
                                        "im Fenstertitel und auf dem Prüfbeleg (höchstens 60 Zeichen).")));
    formular->addRow(
        QStringLiteral("&Personalnummer:"),
        mitHilfe(m_personalnummer,
                 QStringLiteral("Ihre Nummer für den Arbeitnehmer; Liste, Prüfbeleg, Monatsliste und "
                                "Stapellauf nennen sie (höchstens 20 Zeichen).")));
    formular->addRow(
        QStringLiteral("&Geburtsdatum:"),
        mitHilfe(m_geburtsdatum, QStringLiteral("Steht auf dem Prüfbeleg; das Alter entscheidet über "
                                                "den Zuschlag zur Pflegeversicherung (ab 23 Jahren).")));
    formular->addRow(
        QStringLiteral("&Kinderlos:"),
        mitHilfe(m_kinderlos,
                 QStringLiteral("Ohne Nachweis der Elterneigenschaft ist der Beitragszuschlag für "
                                "Kinderlose zur Pflegeversicherung fällig; „nicht angegeben“ gilt so.")));
    formular->addRow(
        QStringLiteral("KV-Satz der &Kasse (%):"),
        mitHilfe(m_kvSatz, QStringLiteral("Allgemeiner Beitragssatz der Krankenkasse in Prozent für "
                                          "2006 bis 2008, z. B. 14,5; leer: der Satz der Tabelle. "
                                          "Ab 2009 gilt ein Satz für alle Kassen.")));
    formular->addRow(QString(),
                     mitHilfe(m_kvErmaessigt, QStringLiteral("Ohne Anspruch auf Krankengeld gilt der "
                                                             "ermäßigte Beitragssatz der KV.")));
    formular->addRow(QString(), mitHilfe(m_ost, QStringLiteral("Nur in Berlin: die Beschäftigung gehört zum "
                                                               "Rechtskreis Ost der Rentenversicherung.")));
    formular->addRow(QString(),
                     mitHilfe(m_u1, QStringLiteral("Bei Teilnahme an der Umlage U1 (Entgeltfortzahlung "
                                                   "im Krankheitsfall) wird sie bei Mini-Jobs "
                                                   "berechnet.")));
    formular->addRow(
        QStringLiteral("&Versicherungsnummer:"),
        mitHilfe(m_versicherungsnummer,
                 QStringLiteral("Die Rentenversicherungsnummer; sie wird auf ihre Form geprüft und "
                                "steht auf dem Prüfbeleg.")));
    formular->addRow(QStringLiteral("K&rankenkasse:"),
                     mitHilfe(m_krankenkasse, QStringLiteral("Die Krankenkasse des Arbeitnehmers, für den "
                                                             "Prüfbeleg (höchstens 60 Zeichen).")));

    m_meldung = meldungszeile();
    melden(m_meldung, hinweis);
    auto* seite = new QVBoxLayout(this);
    seite->addLayout(formular);
    seite->addWidget(m_meldung);
    seite->addWidget(knoepfe(this, neu ? QStringLiteral("&Anlegen") : QStringLiteral("&Speichern")));
    m_name->setFocus();
}

std::optional<params::Arbeitnehmerdaten> ArbeitnehmerDialog::daten(QString* fehler) const
{
    auto fehlt = [fehler](const QString& text) {
        if (fehler != nullptr)
            *fehler = text;
        return std::nullopt;
    };
    // What the dialog does not show (nothing today) stays as it was.
    params::Arbeitnehmerdaten d = m_anfang;
    d.Name = m_name->text().trimmed().toStdString();
    d.Personalnummer = m_personalnummer->text().trimmed().toStdString();
    const QString datum = m_geburtsdatum->text().trimmed();
    d.Geburtsdatum.reset();
    if (!datum.isEmpty()) {
        d.Geburtsdatum = datumLesen(datum);
        if (!d.Geburtsdatum)
            return fehlt(QStringLiteral("Geburtsdatum: „%1“ ist kein Datum der Form TT.MM.JJJJ.").arg(datum));
    }
    switch (m_kinderlos->currentIndex()) {
    case 1:
        d.Kinderlos = true;
        break;
    case 2:
        d.Kinderlos = false;
        break;
    default:
        d.Kinderlos.reset();
    }
    const QString satz = m_kvSatz->text().trimmed();
    d.KVSatzKasse.reset();
    if (!satz.isEmpty()) {
        const params::Lesung l = params::betragLesen(satz.toStdString(), params::schreibweise::Fenster);
        if (!l.ok())
            return fehlt(QStringLiteral("KV-Satz der Kasse: „%1“ ist keine Zahl wie 14,5.").arg(satz));
        d.KVSatzKasse = l.wert;
    }
    // A box left as a new employee has it stays "nicht angegeben" in the file.
    d.KVErmaessigt = m_kvErmaessigt->isChecked() || m_anfang.KVErmaessigt
                         ? std::optional<bool>(m_kvErmaessigt->isChecked())
                         : std::nullopt;
    d.RechtskreisOst = m_ost->isChecked() || m_anfang.RechtskreisOst ? std::optional<bool>(m_ost->isChecked())
                                                                     : std::nullopt;
    d.U1 = !m_u1->isChecked() || m_anfang.U1 ? std::optional<bool>(m_u1->isChecked()) : std::nullopt;
    d.Versicherungsnummer = m_versicherungsnummer->text().trimmed().toStdString();
    d.Krankenkasse = m_krankenkasse->text().trimmed().toStdString();
    if (const store::Grund g = store::Arbeitnehmerdatei::pruefen(d))
        return fehlt(QString::fromStdString(*g));
    return d;
}

void ArbeitnehmerDialog::accept()
{
    QString fehler;
    const std::optional<params::Arbeitnehmerdaten> d = daten(&fehler);
    if (!d) {
        melden(m_meldung, fehler);
        return;
    }
    if (m_speichern)
        if (const std::optional<QString> grund = m_speichern(*d)) {
            melden(m_meldung, *grund);
            return;
        }
    QDialog::accept();
}

BetriebDialog::BetriebDialog(const store::Betriebsdaten& daten, Speichern speichern, const QString& hinweis,
                             QWidget* eltern)
    : QDialog(eltern), m_speichern(std::move(speichern))
{
    setObjectName(QStringLiteral("BetriebDialog"));
    setWindowTitle(QStringLiteral("Betrieb"));
    m_name = textfeld(this, QStringLiteral("Name"), QString::fromStdString(daten.Name),
                      static_cast<int>(store::Betriebsdatei::NameHoechstens));
    m_nummer =
        textfeld(this, QStringLiteral("Betriebsnummer"), QString::fromStdString(daten.Betriebsnummer), 8);
    m_nummer->setPlaceholderText(QStringLiteral("8 Ziffern"));
    auto* formular = new QFormLayout;
    formular->addRow(QStringLiteral("&Name des Betriebs:"),
                     mitHilfe(m_name, QStringLiteral("Ihr Betrieb, wie ihn der Prüfbeleg nennt.")));
    formular->addRow(
        QStringLiteral("&Betriebsnummer:"),
        mitHilfe(m_nummer, QStringLiteral("Die Betriebsnummer der Bundesagentur für Arbeit, 8 Ziffern; "
                                          "sie steht auf dem Prüfbeleg.")));
    m_meldung = meldungszeile();
    melden(m_meldung, hinweis);
    auto* seite = new QVBoxLayout(this);
    seite->addLayout(formular);
    seite->addWidget(m_meldung);
    seite->addWidget(knoepfe(this, QStringLiteral("&Speichern")));
}

store::Betriebsdaten BetriebDialog::daten() const
{
    return {m_name->text().trimmed().toStdString(), m_nummer->text().trimmed().toStdString()};
}

void BetriebDialog::accept()
{
    const store::Betriebsdaten d = daten();
    if (const store::Grund g = store::Betriebsdatei::pruefen(d)) {
        melden(m_meldung, QString::fromStdString(*g));
        return;
    }
    if (m_speichern)
        if (const std::optional<QString> grund = m_speichern(d)) {
            melden(m_meldung, *grund);
            return;
        }
    QDialog::accept();
}

} // namespace svp::ui
