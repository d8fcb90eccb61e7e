#include "monatsliste.h"

#include "dateigrund.h"
#include "engine/bestimmung.h"
#include "meldungs_anzeige.h"
#include "params/mini.h"
#include "tabellentext.h"

#include <cerrno>

#include <QBrush>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

namespace svp::ui {

namespace {

const char* const Titel[Monatslistenmodell::AnzahlSpalten] = {
    "Name",
    "Personalnummer",
    "Satz",
    "Zu prüfen",
    "Entgelt HB",
    "Mini-Job 1 Monatslohn",
    "Mini-Jobs 2 Monatslohn",
    "Gesamtentgelt",
    "Gleitzone",
    "Beiträge AN",
    "Beiträge AG",
    "Arbeitgeberkosten",
    "Ergebnis Hauptbeschäftigung",
    "Ergebnis zeitgeringfügig",
    "Ergebnis Mini-Job 1",
    "Ergebnis Mini-Jobs 2",
};

const char* const DruckTitel = "Monatsliste drucken";

QString betrag(params::Currency wert)
{
    return QString::fromStdString(wert.formatFixed(2));
}

bool betragsspalte(int spalte)
{
    return (spalte >= Monatslistenmodell::Entgelt && spalte <= Monatslistenmodell::Gesamtentgelt) ||
           (spalte >= Monatslistenmodell::BeitragAN && spalte <= Monatslistenmodell::Arbeitgeberkosten);
}

// Whether the total shown in `spalte` leaves out items not computed.
bool zzgl(const engine::Summe& s, int spalte)
{
    return spalte == Monatslistenmodell::BeitragAN ? s.anZzgl : s.agZzgl;
}

QString zeitraum(int jahr, int monat)
{
    return monatsname(monat) + QLatin1Char(' ') + QString::number(jahr);
}

// What needs a look, in words.
QString marken(const engine::Monatszeile& z)
{
    if (!z.fehler.empty())
        return QStringLiteral("Fehler: ") + QString::fromStdString(z.fehler);
    QStringList m;
    if (z.gleitzone)
        m << QStringLiteral("Gleitzone");
    if (z.ueberGrenze)
        m << QStringLiteral("Mini-Job über 400,00 €");
    if (z.beschaedigt)
        m << QStringLiteral("Satz beschädigt");
    else if (z.nieGespeichert)
        m << QStringLiteral("nie gespeichert");
    return m.join(QStringLiteral(", "));
}

} // namespace

Monatslistenmodell::Monatslistenmodell(QObject* eltern) : QAbstractTableModel(eltern) {}

bool Monatslistenmodell::laden(const store::Arbeitnehmerverzeichnis& wurzel, int jahr, int monat)
{
    beginResetModel();
    m_jahr = jahr;
    m_monat = monat;
    m_fehler.clear();
    m_zeilen.clear();
    auto liste = wurzel.auflisten();
    if (const auto* f = std::get_if<store::Ordnerfehler>(&liste))
        m_fehler = QString::fromStdString(f->meldung()) + QLatin1Char('.');
    else
        m_zeilen =
            engine::monatslisteBilden(std::get<std::vector<store::Arbeitnehmereintrag>>(liste), jahr, monat);
    filtern();
    endResetModel();
    return m_fehler.isEmpty();
}

void Monatslistenmodell::setNurZuPruefende(bool nur)
{
    beginResetModel();
    m_nur = nur;
    filtern();
    endResetModel();
}

void Monatslistenmodell::filtern()
{
    m_sichtbar.clear();
    for (std::size_t i = 0; i < m_zeilen.size(); ++i)
        if (!m_nur || m_zeilen[i].zuPruefen())
            m_sichtbar.push_back(static_cast<int>(i));
}

const engine::Monatszeile& Monatslistenmodell::zeile(int row) const
{
    return m_zeilen[static_cast<std::size_t>(m_sichtbar[static_cast<std::size_t>(row)])];
}

int Monatslistenmodell::rowCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : static_cast<int>(m_sichtbar.size());
}

int Monatslistenmodell::columnCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : AnzahlSpalten;
}

QStringList Monatslistenmodell::ergebniszeilen(const engine::Monatszeile& z, int spalte) const
{
    return z.fall ? ui::ergebniszeilen(z.fall->ansicht, spalte - Ergebnis0) : QStringList();
}

QString Monatslistenmodell::klartext(int row, int spalte) const
{
    const engine::Monatszeile& z = zeile(row);
    switch (spalte) {
    case Name:
        return QString::fromStdString(z.name);
    case Personalnummer:
        return QString::fromStdString(z.personalnummer);
    case Satz:
        return z.fall ? QString::fromUtf8(engine::satzstandText(z.stand())) : QStringLiteral("nicht lesbar");
    case Pruefen:
        return marken(z);
    default:
        break;
    }
    if (!z.fall)
        return {};
    const engine::Fall& f = z.fall->fall;
    const auto entgelte = z.entgelte();
    switch (spalte) {
    case Entgelt:
        return betrag(entgelte[0]);
    case Lohn1:
        return betrag(entgelte[1]);
    case Lohn2:
        return betrag(entgelte[2]);
    case Gesamtentgelt:
        return betrag(f.Gesamtentgelt);
    case Gleitzone:
        return QString::fromStdString(engine::gleitzoneInWorten(f));
    case BeitragAN:
    case BeitragAG:
    case Arbeitgeberkosten: {
        // Outside the years of the rates table nothing is computed.
        const engine::Beitraege& b = z.fall->beitraege;
        if (b.saetze == nullptr)
            return {};
        return betrag(spalte == BeitragAN   ? b.summe.an.wert
                      : spalte == BeitragAG ? b.summe.ag.wert
                                            : b.summe.kosten.wert);
    }
    default:
        return ergebniszeilen(z, spalte).join(QStringLiteral(" | "));
    }
}

QVariant Monatslistenmodell::data(const QModelIndex& index, int rolle) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= AnzahlSpalten)
        return {};
    const engine::Monatszeile& z = zeile(index.row());
    const int spalte = index.column();
    switch (rolle) {
    case Qt::DisplayRole:
        if (spalte >= Ergebnis0 && spalte <= Ergebnis3)
            return ergebniszeilen(z, spalte).join(QLatin1Char('\n'));
        if (spalte == Pruefen && z.zuPruefen())
            return QStringLiteral("▲ ") + klartext(index.row(), spalte);
        return klartext(index.row(), spalte);
    case Qt::ToolTipRole:
        if (spalte >= Ergebnis0 && spalte <= Ergebnis3)
            return ergebniszeilen(z, spalte).join(QLatin1Char('\n'));
        if (spalte == Pruefen)
            return klartext(index.row(), spalte);
        if (spalte >= BeitragAN && spalte <= Arbeitgeberkosten && z.fall && z.fall->beitraege.saetze &&
            zzgl(z.fall->beitraege.summe, spalte))
            return QString::fromUtf8(engine::ZzglText);
        return {};
    case Qt::ForegroundRole:
        if (!z.fehler.empty() || z.beschaedigt)
            return QBrush(QColor(farbe::Fehler));
        if (z.nieGespeichert)
            return QBrush(QColor(farbe::NieGespeichert));
        return {};
    case Qt::BackgroundRole:
        if (spalte == Pruefen && z.zuPruefen())
            return QBrush(QColor(z.fehler.empty() ? farbe::HintergrundPruefen : farbe::HintergrundFehler));
        return {};
    case Qt::TextAlignmentRole:
        if (betragsspalte(spalte))
            return QVariant(Qt::AlignRight | Qt::AlignTop);
        return QVariant(Qt::AlignLeft | Qt::AlignTop);
    default:
        return {};
    }
}

QVariant Monatslistenmodell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const
{
    if (rolle != Qt::DisplayRole || richtung != Qt::Horizontal || abschnitt < 0 || abschnitt >= AnzahlSpalten)
        return QAbstractTableModel::headerData(abschnitt, richtung, rolle);
    QString titel = QString::fromUtf8(Titel[abschnitt]);
    const qsizetype trenner = titel.startsWith(QLatin1String("Mini-Job"))
                                  ? titel.indexOf(QLatin1Char(' '), 10)
                                  : titel.indexOf(QLatin1Char(' '));
    if (trenner > 0 && titel.size() > 12)
        titel[trenner] = QLatin1Char('\n');
    return titel;
}

QByteArray Monatslistenmodell::csv() const
{
    QStringList zeilen;
    QStringList kopf;
    for (const char* t : Titel)
        kopf << csvFeld(QString::fromUtf8(t));
    zeilen << kopf.join(QLatin1Char(';'));
    for (int z = 0; z < rowCount(); ++z) {
        QStringList felder;
        for (int s = 0; s < AnzahlSpalten; ++s)
            felder << csvFeld(klartext(z, s));
        zeilen << felder.join(QLatin1Char(';'));
    }
    return QByteArray("\xEF\xBB\xBF") + zeilen.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

QString Monatslistenmodell::druckseite(const QDateTime& zeitpunkt) const
{
    QString html = QStringLiteral("<html><head><meta charset='utf-8'><style>") + belegstil() +
                   QStringLiteral("td.grau { color: #808080; } td.mark { background-color: #ffd8a8; }"
                                  "</style></head><body>");
    html += QStringLiteral("<h1>Monatsliste %1: Bestimmung der Sozialversicherungspflicht%2</h1>")
                .arg(zeitraum(m_jahr, m_monat), m_nur ? QStringLiteral(" (nur zu prüfende)") : QString());
    if (!m_fehler.isEmpty()) {
        html += QStringLiteral("<p>%1</p>").arg(m_fehler.toHtmlEscaped());
    } else {
        // The header row in <thead> repeats on every printed page.
        html += QStringLiteral("<table width='100%' cellspacing='0' cellpadding='2' border='1'><thead><tr>");
        for (const char* t : Titel)
            html += QStringLiteral("<th>%1</th>").arg(QString::fromUtf8(t).toHtmlEscaped());
        html += QStringLiteral("</tr></thead><tbody>");
        for (int z = 0; z < rowCount(); ++z) {
            const engine::Monatszeile& zeile = this->zeile(z);
            html += QStringLiteral("<tr>");
            for (int s = 0; s < AnzahlSpalten; ++s) {
                QString klasse = zeile.nieGespeichert ? QStringLiteral("grau") : QString();
                if (s == Pruefen && zeile.zuPruefen())
                    klasse = QStringLiteral("mark");
                const QString text = data(index(z, s), Qt::DisplayRole)
                                         .toString()
                                         .toHtmlEscaped()
                                         .replace(QLatin1Char('\n'), QStringLiteral("<br>"));
                const bool rechts = betragsspalte(s);
                html += QStringLiteral("<td class='%1'%2>%3</td>")
                            .arg(klasse, rechts ? QStringLiteral(" align='right'") : QString(), text);
            }
            html += QStringLiteral("</tr>");
        }
        html +=
            QStringLiteral("</tbody></table><p>Grau: nie gespeicherte Monate (Vorgaben). ▲ zu prüfen.</p>");
    }
    return html + belegfuss(m_jahr, zeitpunkt) + QStringLiteral("</body></html>");
}

// ---------------------------------------------------------------------------------------------

Monatsliste::Monatsliste(store::Arbeitnehmerverzeichnis wurzel, int jahr, int monat, Wahl wahl,
                         MeldungsAnzeige& anzeige, QWidget* eltern)
    : QWidget(eltern, Qt::Window), m_wurzel(std::move(wurzel)), m_wahl(std::move(wahl)), m_anzeige(anzeige),
      m_druckerwahl(druckdialog(QString::fromUtf8(DruckTitel), this))
{
    setObjectName(QStringLiteral("Monatsliste"));
    m_dateiwahl = [this](const QString& vorschlag) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Monatsliste als CSV speichern"), vorschlag,
                                            QStringLiteral("CSV-Dateien (*.csv)"));
    };
    m_jahr = new QComboBox;
    m_jahr->setObjectName(QStringLiteral("MonatslisteJahr"));
    for (int j = params::ErstesJahr; j <= params::LetztesJahr; ++j)
        m_jahr->addItem(QString::number(j));
    m_monat = new QComboBox;
    m_monat->setObjectName(QStringLiteral("MonatslisteMonat"));
    for (int m = 0; m < params::AnzahlMonate; ++m)
        m_monat->addItem(monatsname(m));
    m_filter = new QCheckBox(QStringLiteral("&nur zu prüfende"));
    m_filter->setObjectName(QStringLiteral("NurZuPruefende"));
    m_filter->setToolTip(
        QStringLiteral("Nur Arbeitnehmer mit Gleitzone, einem Mini-Job über 400,00 €, einem nie "
                       "gespeicherten oder beschädigten Monat oder unlesbaren Dateien."));
    auto* csv = new QPushButton(QStringLiteral("Als &CSV speichern…"));
    csv->setObjectName(QStringLiteral("MonatslisteCSV"));
    auto* druck = new QPushButton(QStringLiteral("&Drucken…"));
    druck->setObjectName(QStringLiteral("MonatslisteDrucken"));
    auto* schliessen = new QPushButton(QStringLiteral("Schl&ießen"));
    for (auto* k : {csv, druck, schliessen})
        k->setAutoDefault(false);
    auto* oben = new QHBoxLayout;
    oben->addWidget(new QLabel(QStringLiteral("Jahr:")));
    oben->addWidget(m_jahr);
    oben->addWidget(new QLabel(QStringLiteral("Monat:")));
    oben->addWidget(m_monat);
    oben->addWidget(m_filter);
    oben->addStretch(1);
    oben->addWidget(csv);
    oben->addWidget(druck);
    oben->addWidget(schliessen);

    m_meldung = new QLabel;
    m_meldung->setObjectName(QStringLiteral("MonatslisteMeldung"));
    m_meldung->setWordWrap(true);
    m_tabelle = new QTableView;
    m_tabelle->setObjectName(QStringLiteral("MonatslisteTabelle"));
    m_tabelle->setModel(&m_modell);
    m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabelle->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabelle->setWordWrap(true);
    m_tabelle->verticalHeader()->setVisible(false);
    // Column widths from the first rows: measuring a thousand rows of result lines would take
    // longer than reading them.
    m_tabelle->horizontalHeader()->setResizeContentsPrecision(50);
    m_tabelle->setToolTip(QStringLiteral("Doppelklick: Arbeitnehmer und Monat im Hauptfenster zeigen."));

    auto* seite = new QVBoxLayout(this);
    seite->addLayout(oben);
    seite->addWidget(m_meldung);
    seite->addWidget(m_tabelle, 1);
    resize(1200, 600);

    connect(m_jahr, &QComboBox::activated, this, [this] { neuLaden(); });
    connect(m_monat, &QComboBox::activated, this, [this] { neuLaden(); });
    connect(m_filter, &QCheckBox::toggled, this, [this](bool nur) {
        m_modell.setNurZuPruefende(nur);
        m_tabelle->resizeRowsToContents();
    });
    connect(csv, &QPushButton::clicked, this, &Monatsliste::csvSpeichern);
    connect(druck, &QPushButton::clicked, this, &Monatsliste::drucken);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(m_tabelle, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid() || !m_wahl)
            return;
        const engine::Monatszeile& z = m_modell.zeile(index.row());
        m_wahl(z.wurzel ? std::string() : z.ordnername, m_modell.jahr(), m_modell.monat());
    });
    zeigen(jahr, monat);
}

void Monatsliste::zeigen(int jahr, int monat)
{
    m_frisch = !isActiveWindow();
    m_jahr->setCurrentIndex(jahr - params::ErstesJahr);
    m_monat->setCurrentIndex(monat);
    neuLaden();
}

void Monatsliste::neuLaden()
{
    const int jahr = m_jahr->currentIndex() + params::ErstesJahr;
    const int monat = m_monat->currentIndex();
    m_modell.laden(m_wurzel, jahr, monat);
    m_meldung->setText(m_modell.fehler());
    m_meldung->setVisible(!m_modell.fehler().isEmpty());
    setWindowTitle(QStringLiteral("Monatsliste %1").arg(zeitraum(jahr, monat)));
    m_tabelle->resizeColumnsToContents();
    for (int s = Monatslistenmodell::Ergebnis0; s <= Monatslistenmodell::Ergebnis3; ++s)
        m_tabelle->setColumnWidth(s, std::max(m_tabelle->columnWidth(s), 215));
    // Rows as high as their result lines: for a long list only what is on screen is measured.
    if (m_modell.rowCount() <= 200)
        m_tabelle->resizeRowsToContents();
}

void Monatsliste::changeEvent(QEvent* ereignis)
{
    QWidget::changeEvent(ereignis);
    // Months saved in the main window meanwhile appear when the user comes back.
    if (ereignis->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (m_frisch)
            m_frisch = false; // read just now, when it was opened
        else
            neuLaden();
    }
}

void Monatsliste::csvSpeichern()
{
    const QString datei = m_dateiwahl(QDir(csvOrdner())
                                          .filePath(QStringLiteral("Monatsliste_%1-%2.csv")
                                                        .arg(m_modell.jahr())
                                                        .arg(m_modell.monat() + 1, 2, 10, QLatin1Char('0'))));
    if (datei.isEmpty())
        return;
    const QString fehler = csvSchreiben(datei, m_modell.csv());
    if (!fehler.isEmpty())
        m_anzeige.zeigen(
            {"Monatsliste", {"Die Monatsliste wurde nicht als CSV gespeichert.", fehler.toStdString()}},
            this);
}

void Monatsliste::drucken()
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(QStringLiteral("Monatsliste_%1-%2").arg(m_modell.jahr()).arg(m_modell.monat() + 1));
    drucker.setPageSize(QPageSize(QPageSize::A4));
    drucker.setPageOrientation(QPageLayout::Landscape);
    if (!m_druckerwahl(drucker))
        return;
    // Page after page; the table's header row repeats on each.
    QTextDocument dokument;
    dokument.setHtml(m_modell.druckseite(QDateTime::currentDateTime()));
    dokument.print(&drucker);
    if (drucker.printerState() == QPrinter::Error || drucker.printerState() == QPrinter::Aborted) {
        Druckfehler fehler;
        fehler.pdf = drucker.outputFormat() == QPrinter::PdfFormat;
        fehler.ziel = fehler.pdf ? drucker.outputFileName() : drucker.printerName();
        m_anzeige.zeigen(
            druckmeldung(QString::fromUtf8(DruckTitel), QStringLiteral("Die Monatsliste"), fehler), this);
    }
}

} // namespace svp::ui
