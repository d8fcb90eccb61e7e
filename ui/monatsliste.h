#pragma once

#include "engine/monatsliste.h"
#include "papier.h"
#include "store/arbeitnehmerverzeichnis.h"

#include <functional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QDateTime>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;

namespace svp::ui {

class MeldungsAnzeige;

// The month list as a table: one row per employee for one year and month, the month's pay per
// column, the total pay, the sliding zone, the case's amounts (employee, employer, the
// employer's cost) as that employee's own data give them, the result lines per column, the record's state and
// the marks of what needs a look. "nur zu prüfende" leaves only the marked rows.
class Monatslistenmodell : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Spalte {
        Name,
        Personalnummer,
        Satz,
        Pruefen, // the marks
        Entgelt,
        Lohn1,
        Lohn2,
        Gesamtentgelt,
        Gleitzone,
        BeitragAN,         // the case's contribution amounts with the employee's own data: employee's share
        BeitragAG,         // the employer's share and levies
        Arbeitgeberkosten, // pay plus the employer's amounts
        Ergebnis0,
        Ergebnis1,
        Ergebnis2,
        Ergebnis3,
        AnzahlSpalten
    };

    explicit Monatslistenmodell(QObject* eltern = nullptr);

    // Lists the employees of `wurzel` and reads month `monat` of `jahr` of each. False with a
    // German message in fehler() when the root cannot be listed.
    bool laden(const store::Arbeitnehmerverzeichnis& wurzel, int jahr, int monat);
    void setNurZuPruefende(bool nur);
    bool nurZuPruefende() const { return m_nur; }
    int jahr() const { return m_jahr; }
    int monat() const { return m_monat; }
    QString fehler() const { return m_fehler; }
    const std::vector<engine::Monatszeile>& alleZeilen() const { return m_zeilen; }
    const engine::Monatszeile& zeile(int row) const;

    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    int columnCount(const QModelIndex& eltern = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
    QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle = Qt::DisplayRole) const override;

    // A cell as plain text; several result lines joined by " | ".
    QString klartext(int row, int spalte) const;
    // The rows shown as CSV, as the year overview writes it: UTF-8 with byte-order mark, ";",
    // decimal comma, a header row, CR LF.
    QByteArray csv() const;
    // The rows shown as an HTML document for A4 landscape; the header row repeats on every page.
    QString druckseite(const QDateTime& zeitpunkt) const;

private:
    void filtern();
    QStringList ergebniszeilen(const engine::Monatszeile& z, int spalte) const;

    int m_jahr = 0;
    int m_monat = 0;
    bool m_nur = false;
    QString m_fehler;
    std::vector<engine::Monatszeile> m_zeilen;
    std::vector<int> m_sichtbar; // indexes into m_zeilen
};

// The window "Monatsliste" (Ctrl+L): the month list of all employees for a chosen year and
// month, a filter "nur zu prüfende", CSV and print. A double-click shows that employee and
// month in the main window. It reads the files anew when it is activated and changes none.
class Monatsliste : public QWidget
{
    Q_OBJECT

public:
    // Called with the employee's folder name (empty for the root), year and month index.
    using Wahl = std::function<void(const std::string& ordner, int jahr, int monat)>;

    Monatsliste(store::Arbeitnehmerverzeichnis wurzel, int jahr, int monat, Wahl wahl,
                MeldungsAnzeige& anzeige, QWidget* eltern = nullptr);

    void zeigen(int jahr, int monat);
    const Monatslistenmodell& modell() const { return m_modell; }
    QTableView* tabelle() const { return m_tabelle; }
    QCheckBox* filter() const { return m_filter; }
    void setDateiwahl(std::function<QString(const QString& vorschlag)> wahl)
    {
        m_dateiwahl = std::move(wahl);
    }
    void setDruckerwahl(Druckerwahl wahl) { m_druckerwahl = std::move(wahl); }

    void csvSpeichern();
    void drucken();

protected:
    void changeEvent(QEvent* ereignis) override;

private:
    void neuLaden();

    store::Arbeitnehmerverzeichnis m_wurzel;
    Wahl m_wahl;
    MeldungsAnzeige& m_anzeige;
    std::function<QString(const QString&)> m_dateiwahl;
    Druckerwahl m_druckerwahl;
    Monatslistenmodell m_modell;
    QComboBox* m_jahr = nullptr;
    QComboBox* m_monat = nullptr;
    QCheckBox* m_filter = nullptr;
    QLabel* m_meldung = nullptr;
    QTableView* m_tabelle = nullptr;
    bool m_frisch = false; // read for being shown; the activation that follows reads nothing
};

} // namespace svp::ui
