#pragma once

#include "jahresmodell.h"
#include "papier.h"
#include "params/arbeitnehmer.h"

#include <functional>

#include <QWidget>

class QComboBox;
class QLayout;
class QLabel;
class QTableView;

namespace svp::ui {

class MeldungsAnzeige;

// The window "Jahresübersicht": the twelve months of a year file of the working folder at a
// glance, a year list to change the year, and buttons to save the table as CSV and to print
// it. A double-click on a month shows that month in the main window. It reads the record files
// anew whenever it is activated, and never creates or changes one. A CSV file or a print that
// fails is reported through the main window's message boxes.
class Jahresuebersicht : public QWidget
{
    Q_OBJECT

public:
    // Called with year and month index when the user double-clicks a month.
    using MonatWahl = std::function<void(int jahr, int monat)>;

    // The data of the employee shown, asked anew whenever the months are read: the overview
    // determines them as the window does. None: the defaults.
    using Datenquelle = std::function<params::Arbeitnehmerdaten()>;

    // `anzeige` shows the messages; it outlives the overview.
    Jahresuebersicht(const QString& ordner, int jahr, MonatWahl monatWahl, MeldungsAnzeige& anzeige,
                     QWidget* eltern = nullptr, Datenquelle daten = {});

    void jahrZeigen(int jahr);
    // The year files of another working folder.
    void ordnerZeigen(const QString& ordner, int jahr);
    const Jahresmodell& modell() const { return m_modell; }
    QTableView* tabelle() const { return m_tabelle; }

    // Where "Als CSV speichern…" asks for the file; by default a file dialog. An empty name
    // cancels.
    void setDateiwahl(std::function<QString(const QString& vorschlag)> wahl)
    {
        m_dateiwahl = std::move(wahl);
    }
    // Whose months the folder holds: asked anew with every reading of the year file.
    void setArbeitnehmerquelle(Datenquelle quelle)
    {
        m_daten = std::move(quelle);
        neuLaden();
    }
    // How the printer is chosen; by default the print dialog.
    void setDruckerwahl(Druckerwahl wahl) { m_druckerwahl = std::move(wahl); }

protected:
    void changeEvent(QEvent* ereignis) override;

private:
    QLayout* leisteBauen();
    QTableView* tabelleBauen();
    void neuLaden();
    void csvSpeichern();
    void drucken();
    void melden(const QString& zeile1, const QString& zeile2);

    QString m_ordner;
    MonatWahl m_monatWahl;
    Datenquelle m_daten;
    MeldungsAnzeige& m_anzeige;
    std::function<QString(const QString&)> m_dateiwahl;
    Druckerwahl m_druckerwahl;
    Jahresmodell m_modell;
    QComboBox* m_jahr = nullptr;
    QLabel* m_meldung = nullptr;
    QLabel* m_summe = nullptr; // the year's sums of the amounts
    QTableView* m_tabelle = nullptr;
};

} // namespace svp::ui
