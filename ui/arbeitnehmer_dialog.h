#pragma once

#include "params/arbeitnehmer.h"
#include "store/betriebsdatei.h"

#include <functional>
#include <optional>

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace svp::ui {

// The employee's data, to add an employee or to edit the one shown: every value of the data
// file, each with a line on what it changes. Accepting checks the values (a German message in
// the dialog names the field) and hands them to `speichern`, which answers with the reason why
// they cannot be saved, or nothing; the dialog closes only once they are saved.
class ArbeitnehmerDialog : public QDialog
{
    Q_OBJECT

public:
    using Speichern = std::function<std::optional<QString>(const params::Arbeitnehmerdaten&)>;

    // `neu`: the dialog adds an employee; otherwise it edits `daten`. `hinweis`: a message to
    // show from the start, e.g. that the data file was damaged and defaults are shown.
    ArbeitnehmerDialog(const params::Arbeitnehmerdaten& daten, bool neu, Speichern speichern,
                       const QString& hinweis = QString(), QWidget* eltern = nullptr);

    // The values as entered; a German message when one of them cannot be read.
    std::optional<params::Arbeitnehmerdaten> daten(QString* fehler = nullptr) const;

    void accept() override;

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_personalnummer = nullptr;
    QLineEdit* m_geburtsdatum = nullptr;
    QComboBox* m_kinderlos = nullptr;
    QLineEdit* m_kvSatz = nullptr;
    QCheckBox* m_kvErmaessigt = nullptr;
    QCheckBox* m_ost = nullptr;
    QCheckBox* m_u1 = nullptr;
    QLineEdit* m_versicherungsnummer = nullptr;
    QLineEdit* m_krankenkasse = nullptr;
    QLabel* m_meldung = nullptr;
    params::Arbeitnehmerdaten m_anfang;
    Speichern m_speichern;
};

// The clerk's own company as the Prüfbeleg names it (betrieb.json in the data root).
class BetriebDialog : public QDialog
{
    Q_OBJECT

public:
    using Speichern = std::function<std::optional<QString>(const store::Betriebsdaten&)>;

    BetriebDialog(const store::Betriebsdaten& daten, Speichern speichern, const QString& hinweis = QString(),
                  QWidget* eltern = nullptr);

    store::Betriebsdaten daten() const;
    void accept() override;

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_nummer = nullptr;
    QLabel* m_meldung = nullptr;
    Speichern m_speichern;
};

// "TT.MM.JJJJ" (or "JJJJ-MM-TT") read as a calendar date; nothing for anything else.
std::optional<params::Datum> datumLesen(const QString& text);

} // namespace svp::ui
