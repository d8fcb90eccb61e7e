#pragma once

#include "engine/jahresauswertung.h"

#include <optional>

#include <QAbstractTableModel>
#include <QString>

namespace svp::ui {

// The twelve months of a year as a table: one row per month, the inputs that decide the
// year's limits, the total pay, the sliding zone and the result lines of every column, each
// as the window shows it after switching to that month. Months never saved are greyed; a
// mini-job whose monthly average lies above 400,00 € is marked with colour and a symbol.
class Jahresmodell : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Spalte {
        Monat,
        Satz, // saved, never saved, damaged
        Land,
        Status,
        Entgelt,
        Lohn1,
        Monate1,
        Durchschnitt1,
        Lohn2,
        Monate2,
        Durchschnitt2,
        Gesamtentgelt,
        Gleitzone,
        BeitragAN, // the contribution amounts of the case: the employee's share
        BeitragAG, // the employer's share and levies
        Ergebnis0, // main employment
        Ergebnis1, // short-term
        Ergebnis2, // first mini-job
        Ergebnis3, // later mini-jobs
        AnzahlSpalten
    };

    explicit Jahresmodell(QObject* eltern = nullptr);

    // Reads the year file of `jahr` in `ordner` anew; creates nothing. The months are determined
    // with the employee's data `daten`, as the window determines them, so that their amounts are
    // the window's. False with a German message in fehler() when the file cannot be read (the
    // table is then empty).
    bool laden(const QString& ordner, int jahr, const params::Arbeitnehmerdaten& daten = {});
    int jahr() const { return m_jahr; }
    // Whose months these are: named in the CSV rows and on the printed page.
    void setArbeitnehmer(const QString& name, const QString& personalnummer)
    {
        m_name = name.trimmed();
        m_personalnummer = personalnummer.trimmed();
    }
    QString fehler() const { return m_fehler; }
    const engine::Jahresauswertung* auswertung() const { return m_auswertung ? &*m_auswertung : nullptr; }

    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    int columnCount(const QModelIndex& eltern = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
    QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle = Qt::DisplayRole) const override;

    // The contribution amounts of the saved months together (never saved months show the
    // defaults of a new window and count not); `zzgl` where a month has items not computed.
    struct Jahressumme {
        params::Currency an, ag;
        bool zzgl = false;
        int monate = 0;
    };
    Jahressumme jahressumme() const;
    // "Beiträge 2010 (gespeicherte Monate): Arbeitnehmer 1.234,56 €, Arbeitgeber 2.345,67 €".
    QString jahressummeText() const;

    // The text of a cell without marks: amounts with a decimal comma and no currency sign,
    // several result lines joined by " | ".
    QString klartext(int zeile, int spalte) const;

    // The table as CSV the way German spreadsheets read it: UTF-8 with byte-order mark, ";"
    // between the fields, decimal comma, a header row, one row per month, texts trimmed; a
    // last row with the year's sums of the amounts. Every row begins with the year, the
    // employee's name and personnel number.
    QByteArray csv() const;

    // The table as an HTML page for printing on A4 in landscape (a second sheet where the
    // months need it), naming the employee, with the foot of the printed records.
    QString druckseite(const QDateTime& zeitpunkt) const;

private:
    // The average of mini-job `j` (1, 2) is above the mini-job limit.
    bool ueberGrenze(int zeile, int j) const;
    QStringList ergebniszeilen(int zeile, int spalte) const;

    int m_jahr = 0;
    QString m_name, m_personalnummer;
    QString m_fehler;
    std::optional<engine::Jahresauswertung> m_auswertung;
};

} // namespace svp::ui
