#include "jahresuebersicht.h"

#include "dateigrund.h"
#include "meldungs_anzeige.h"

#include <cerrno>

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace svp::ui {

namespace {

const char* const Titel = "Jahresübersicht";
const char* const DruckTitel = "Jahresübersicht drucken";

} // namespace

Jahresuebersicht::Jahresuebersicht(const QString& ordner, int jahr, MonatWahl monatWahl,
                                   MeldungsAnzeige& anzeige, QWidget* eltern, Datenquelle daten)
    : QWidget(eltern, Qt::Window), m_ordner(ordner), m_monatWahl(std::move(monatWahl)),
      m_daten(std::move(daten)), m_anzeige(anzeige),
      m_druckerwahl(druckdialog(QString::fromUtf8(DruckTitel), this))
{
    setObjectName(QStringLiteral("Jahresuebersicht"));
    setWindowTitle(QString::fromUtf8(Titel));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_meldung = new QLabel;
    m_meldung->setObjectName(QStringLiteral("UebersichtMeldung"));
    m_meldung->setWordWrap(true);
    m_meldung->setStyleSheet(QStringLiteral("color: #a00000;"));
    m_meldung->hide();

    auto* legende =
        new QLabel(QStringLiteral("Grau: Monat nie gespeichert (Vorgaben). ◆ Monatsdurchschnitt eines "
                                  "Mini-Jobs in der Gleitzone, ▲ über 800,00 €. Doppelklick zeigt den "
                                  "Monat im Hauptfenster."));
    legende->setWordWrap(true);

    auto* seite = new QVBoxLayout(this);
    seite->addLayout(leisteBauen());
    seite->addWidget(m_meldung);
    seite->addWidget(tabelleBauen(), 1);
    m_summe = new QLabel;
    m_summe->setObjectName(QStringLiteral("Jahressumme"));
    m_summe->setTextInteractionFlags(Qt::TextSelectableByMouse);
    seite->addWidget(m_summe);
    seite->addWidget(legende);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this,
            &Jahresuebersicht::drucken);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    m_dateiwahl = [this](const QString& vorschlag) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Jahresübersicht als CSV speichern"),
                                            vorschlag, QStringLiteral("CSV-Dateien (*.csv)"));
    };

    jahrZeigen(jahr);
    resize(1340, 700);
}

QLayout* Jahresuebersicht::leisteBauen()
{
    m_jahr = new QComboBox;
    m_jahr->setObjectName(QStringLiteral("UebersichtJahr"));
    m_jahr->setAccessibleName(QStringLiteral("Jahr"));
    for (int j = params::ErstesJahr; j <= params::LetztesJahr; ++j)
        m_jahr->addItem(QString::number(j), j);
    auto* jahrLabel = new QLabel(QStringLiteral("&Jahr:"));
    jahrLabel->setBuddy(m_jahr);

    auto* csv = new QPushButton(QStringLiteral("Als &CSV speichern…"));
    csv->setObjectName(QStringLiteral("CSV"));
    auto* druck = new QPushButton(QStringLiteral("&Drucken…"));
    druck->setObjectName(QStringLiteral("UebersichtDrucken"));
    auto* schliessen = new QPushButton(QStringLiteral("Schl&ießen"));
    schliessen->setObjectName(QStringLiteral("UebersichtSchliessen"));
    for (auto* k : {csv, druck, schliessen})
        k->setAutoDefault(false);

    auto* oben = new QHBoxLayout;
    oben->addWidget(jahrLabel);
    oben->addWidget(m_jahr);
    oben->addStretch(1);
    oben->addWidget(csv);
    oben->addWidget(druck);
    oben->addWidget(schliessen);

    connect(m_jahr, &QComboBox::currentIndexChanged, this, [this] { neuLaden(); });
    connect(csv, &QPushButton::clicked, this, &Jahresuebersicht::csvSpeichern);
    connect(druck, &QPushButton::clicked, this, &Jahresuebersicht::drucken);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    return oben;
}

QTableView* Jahresuebersicht::tabelleBauen()
{
    m_tabelle = new QTableView;
    m_tabelle->setObjectName(QStringLiteral("Monate"));
    m_tabelle->setAccessibleName(QStringLiteral("Monate des Jahres"));
    m_tabelle->setModel(&m_modell);
    m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabelle->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabelle->setWordWrap(true);
    m_tabelle->verticalHeader()->hide();
    m_tabelle->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A double-click on a month, or Enter on it, shows it in the main window.
    connect(m_tabelle, &QTableView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid() && m_monatWahl)
            m_monatWahl(m_modell.jahr(), index.row());
    });
    return m_tabelle;
}

void Jahresuebersicht::jahrZeigen(int jahr)
{
    const int index = m_jahr->findData(jahr);
    if (index < 0)
        return;
    if (index == m_jahr->currentIndex())
        neuLaden();
    else
        m_jahr->setCurrentIndex(index);
}

void Jahresuebersicht::ordnerZeigen(const QString& ordner, int jahr)
{
    m_ordner = ordner;
    jahrZeigen(jahr);
}

void Jahresuebersicht::neuLaden()
{
    const int jahr = m_jahr->currentData().toInt();
    m_modell.laden(m_ordner, jahr, m_daten ? m_daten() : params::Arbeitnehmerdaten{});
    m_meldung->setText(m_modell.fehler());
    m_meldung->setVisible(!m_modell.fehler().isEmpty());
    m_summe->setText(m_modell.jahressummeText());
    m_summe->setVisible(!m_summe->text().isEmpty());
    setWindowTitle(QStringLiteral("Jahresübersicht %1").arg(jahr));
    m_tabelle->resizeColumnsToContents();
    for (int s = Jahresmodell::Ergebnis0; s <= Jahresmodell::Ergebnis3; ++s)
        m_tabelle->setColumnWidth(s, std::max(m_tabelle->columnWidth(s), 215));
    m_tabelle->resizeRowsToContents();
}

void Jahresuebersicht::changeEvent(QEvent* ereignis)
{
    QWidget::changeEvent(ereignis);
    // Months saved in the main window meanwhile appear when the user comes back.
    if (ereignis->type() == QEvent::ActivationChange && isActiveWindow())
        neuLaden();
}

void Jahresuebersicht::melden(const QString& zeile1, const QString& zeile2)
{
    m_anzeige.zeigen({Titel, {zeile1.toStdString(), zeile2.toStdString()}}, this);
}

void Jahresuebersicht::csvSpeichern()
{
    QSettings s;
    QString ordner = s.value(QStringLiteral("Jahresuebersicht/CsvOrdner")).toString();
    if (ordner.isEmpty() || !QDir(ordner).exists())
        ordner = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString datei =
        m_dateiwahl(QDir(ordner).filePath(QStringLiteral("Jahresuebersicht_%1.csv").arg(m_modell.jahr())));
    if (datei.isEmpty())
        return;
    QSaveFile ziel(datei);
    const QByteArray inhalt = m_modell.csv();
    errno = 0;
    if (!ziel.open(QIODevice::WriteOnly) || ziel.write(inhalt) != inhalt.size() || !ziel.commit()) {
        const QString grund = schreibgrund(datei, errno);
        melden(QStringLiteral("Die Jahresübersicht wurde nicht als CSV gespeichert."),
               schreibmeldung(datei, grund));
        return;
    }
    s.setValue(QStringLiteral("Jahresuebersicht/CsvOrdner"), QFileInfo(datei).absolutePath());
}

void Jahresuebersicht::drucken()
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(QStringLiteral("Jahresuebersicht_%1").arg(m_modell.jahr()));
    drucker.setPageOrientation(QPageLayout::Landscape);
    if (!m_druckerwahl(drucker))
        return;
    if (const auto fehler =
            aufEineSeiteDrucken(drucker, m_modell.druckseite(QDateTime::currentDateTime()), true))
        m_anzeige.zeigen(
            druckmeldung(QString::fromUtf8(DruckTitel), QStringLiteral("Die Jahresübersicht"), *fehler),
            this);
}

} // namespace svp::ui
