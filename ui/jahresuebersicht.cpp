#include "jahresuebersicht.h"

#include "dateigrund.h"
#include "meldungs_anzeige.h"

#include <algorithm>
#include <cerrno>

#include <QApplication>
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
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextLayout>
#include <QVBoxLayout>

namespace svp::ui {

namespace {

const char* const Titel = "Jahresübersicht";

// Draws a cell's text in at most the two lines of the compact row: wrapped at the cell's
// width, the second line cut with "…" where the text goes on (the tooltip has it whole).
class ZweiZeilen final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QStyle* stil = option->widget ? option->widget->style() : QApplication::style();
        const int rand = 2 * (stil->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1);
        const int breite = option->rect.width() - rand;
        if (breite <= 0 || option->text.isEmpty())
            return;
        QString text = option->text;
        // The delegate hands on line breaks as line separators.
        text.replace(QChar::LineSeparator, QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        QTextLayout satz(text, option->font);
        satz.beginLayout();
        QTextLine erste = satz.createLine();
        erste.setLineWidth(breite);
        satz.endLayout();
        const int ende = erste.textStart() + erste.textLength();
        const QString rest = text.mid(ende).trimmed();
        option->text = text.left(ende).trimmed();
        if (!rest.isEmpty())
            option->text +=
                QChar::LineSeparator + option->fontMetrics.elidedText(rest, Qt::ElideRight, breite);
        option->features &= ~QStyleOptionViewItem::WrapText;
    }
};
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
    // Fits a screen of 1366 × 768 with its task bar and the window's frame.
    resize(1340, 660);
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
    m_tabelle->setWordWrap(false);
    m_tabelle->setTextElideMode(Qt::ElideRight);
    m_tabelle->setItemDelegate(new ZweiZeilen(m_tabelle));
    m_tabelle->verticalHeader()->hide();
    // Compact rows of two lines, so that the twelve months stand one under the other on a
    // screen of 768 pixels; what a row cannot hold ends in "…" and stands in the tooltip.
    m_tabelle->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tabelle->verticalHeader()->setDefaultSectionSize(2 * m_tabelle->fontMetrics().lineSpacing() + 6);
    auto* kopf = m_tabelle->horizontalHeader();
    kopf->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    kopf->setMinimumSectionSize(30);
    // The result columns share what the others leave of the width: no sideways scrolling.
    for (int s = Jahresmodell::Ergebnis0; s <= Jahresmodell::Ergebnis3; ++s)
        kopf->setSectionResizeMode(s, QHeaderView::Stretch);
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
    const params::Arbeitnehmerdaten daten = m_daten ? m_daten() : params::Arbeitnehmerdaten{};
    if (m_daten)
        m_modell.setArbeitnehmer(QString::fromStdString(daten.Name),
                                 QString::fromStdString(daten.Personalnummer));
    m_modell.laden(m_ordner, jahr, daten);
    m_meldung->setText(m_modell.fehler());
    m_meldung->setVisible(!m_modell.fehler().isEmpty());
    m_summe->setText(m_modell.jahressummeText());
    m_summe->setVisible(!m_summe->text().isEmpty());
    setWindowTitle(QStringLiteral("Jahresübersicht %1").arg(jahr));
    // The columns before the results as wide as their contents, the long texts (employment,
    // sliding zone) at most as wide as a short title, wrapped into the row's two lines.
    const QFontMetrics masse = m_tabelle->fontMetrics();
    const int textbreite = masse.horizontalAdvance(QStringLiteral("beschäftigung")) + 12;
    for (int s = 0; s < Jahresmodell::Ergebnis0; ++s) {
        m_tabelle->resizeColumnToContents(s);
        if (s == Jahresmodell::Satz || s == Jahresmodell::Status || s == Jahresmodell::Gleitzone ||
            s == Jahresmodell::Land)
            m_tabelle->setColumnWidth(s, std::min(m_tabelle->columnWidth(s), textbreite));
    }
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
    const QString datei = m_dateiwahl(
        QDir(csvOrdner()).filePath(QStringLiteral("Jahresuebersicht_%1.csv").arg(m_modell.jahr())));
    if (datei.isEmpty())
        return;
    const QString fehler = csvSchreiben(datei, m_modell.csv());
    if (!fehler.isEmpty())
        melden(QStringLiteral("Die Jahresübersicht wurde nicht als CSV gespeichert."), fehler);
}

void Jahresuebersicht::drucken()
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(QStringLiteral("Jahresuebersicht_%1").arg(m_modell.jahr()));
    drucker.setPageOrientation(QPageLayout::Landscape);
    if (!m_druckerwahl(drucker))
        return;
    if (const auto fehler =
            seitenweiseDrucken(drucker, m_modell.druckseite(QDateTime::currentDateTime()), true))
        m_anzeige.zeigen(
            druckmeldung(QString::fromUtf8(DruckTitel), QStringLiteral("Die Jahresübersicht"), *fehler),
            this);
}

} // namespace svp::ui
