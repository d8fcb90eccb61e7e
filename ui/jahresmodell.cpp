#include "jahresmodell.h"

#include "beitragstafel.h"
#include "engine/bestimmung.h"
#include "papier.h"
#include "tabellentext.h"

#include <array>

#include <QBrush>
#include <QColor>
#include <QDir>

namespace svp::ui {

namespace {

namespace grenze = engine::grenze;

const char* const Titel[Jahresmodell::AnzahlSpalten] = {
    "Monat",
    "Satz",
    "Bundesland",
    "Hauptbeschäftigung",
    "Entgelt HB",
    "Mini-Job 1 Monatslohn",
    "Mini-Job 1 Monate",
    "Mini-Job 1 Monatsdurchschnitt",
    "Mini-Jobs 2 Monatslohn",
    "Mini-Jobs 2 Monate",
    "Mini-Jobs 2 Monatsdurchschnitt",
    "Gesamtentgelt",
    "Gleitzone",
    "Beiträge AN",
    "Beiträge AG",
    "Ergebnis Hauptbeschäftigung",
    "Ergebnis zeitgeringfügig",
    "Ergebnis Mini-Job 1",
    "Ergebnis Mini-Jobs 2",
};

// The column titles on screen: short, so that the twelve months fit a 1366 pixel wide screen
// beside each other; the full title is the header's tooltip.
const char* const Kurztitel[Jahresmodell::AnzahlSpalten] = {
    "Monat",
    "Satz",
    "Land",
    "Haupt-\nbeschäftigung",
    "Entgelt\nHB",
    "MJ 1\nLohn",
    "MJ 1\nMon.",
    "MJ 1\nØ Monat",
    "MJ 2\nLohn",
    "MJ 2\nMon.",
    "MJ 2\nØ Monat",
    "Gesamt-\nentgelt",
    "Gleit-\nzone",
    "Beiträge\nAN",
    "Beiträge\nAG",
    "Ergebnis\nHauptbesch.",
    "Ergebnis\nzeitgeringfügig",
    "Ergebnis\nMini-Job 1",
    "Ergebnis\nMini-Jobs 2",
};

QString betrag(params::Currency wert)
{
    return QString::fromStdString(wert.formatFixed(2));
}

bool betragsspalte(int spalte)
{
    return (spalte >= Jahresmodell::Entgelt && spalte <= Jahresmodell::Gesamtentgelt) ||
           spalte == Jahresmodell::BeitragAN || spalte == Jahresmodell::BeitragAG;
}

bool zzgl(const engine::Beitraege& b)
{
    return b.summe.anZzgl || b.summe.agZzgl;
}

} // namespace

Jahresmodell::Jahresmodell(QObject* eltern) : QAbstractTableModel(eltern) {}

bool Jahresmodell::laden(const QString& ordner, int jahr, const params::Arbeitnehmerdaten& daten)
{
    beginResetModel();
    m_jahr = jahr;
    m_fehler.clear();
    m_auswertung.reset();
    auto ergebnis = engine::jahrAuswerten(QDir(ordner).absolutePath().toStdString(), jahr, daten);
    if (auto* f = std::get_if<store::Fehler>(&ergebnis))
        m_fehler = QString::fromStdString(f->meldung()) + QLatin1Char('.');
    else
        m_auswertung = std::move(std::get<engine::Jahresauswertung>(ergebnis));
    endResetModel();
    return m_auswertung.has_value();
}

int Jahresmodell::rowCount(const QModelIndex& eltern) const
{
    return eltern.isValid() || !m_auswertung ? 0 : params::AnzahlMonate;
}

int Jahresmodell::columnCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : AnzahlSpalten;
}

bool Jahresmodell::ueberGrenze(int zeile, int j) const
{
    const engine::Monatsfall& m = m_auswertung->monat(zeile);
    return m.gespeichert && m.fall.Monatsdurchschnitt[static_cast<std::size_t>(j)] > grenze::MiniGrenze;
}

QStringList Jahresmodell::ergebniszeilen(int zeile, int spalte) const
{
    const engine::Monatsfall& m = m_auswertung->monat(zeile);
    // The start values of a new file are no case: no results for them.
    return m.gespeichert ? ui::ergebniszeilen(m.ansicht, spalte - Ergebnis0) : QStringList();
}

QString Jahresmodell::klartext(int zeile, int spalte) const
{
    const engine::Monatsfall& m = m_auswertung->monat(zeile);
    const engine::Fall& f = m.fall;
    // A month never saved holds the start values of a new file, not a case: no figures.
    if (!m.gespeichert && spalte >= Status)
        return QString();
    switch (spalte) {
    case Monat:
        return monatsname(zeile);
    case Satz:
        return m.beschaedigt
                   ? QStringLiteral("beschädigt")
                   : (m.gespeichert ? QStringLiteral("gespeichert") : QStringLiteral("nicht gespeichert"));
    case Land:
        return QString::fromUtf8(params::LandNamen[static_cast<std::size_t>(m.land)]);
    case Status: {
        const auto& g = m.ansicht.HBOpt;
        return QString::fromStdString(g.captions[static_cast<std::size_t>(g.selected)]).simplified();
    }
    case Entgelt:
        return betrag(f.HBEntgelt);
    case Lohn1:
    case Lohn2:
        return betrag(f.Monatslohn[spalte == Lohn1 ? 1 : 2]);
    case Monate1:
    case Monate2:
        return QString::fromStdString(f.Monate[spalte == Monate1 ? 1 : 2].formatFixed(0));
    case Durchschnitt1:
    case Durchschnitt2:
        return betrag(f.Monatsdurchschnitt[spalte == Durchschnitt1 ? 1 : 2]);
    case Gesamtentgelt:
        return betrag(f.Gesamtentgelt);
    case Gleitzone:
        return QString::fromStdString(engine::gleitzoneInWorten(f));
    case BeitragAN:
    case BeitragAG:
        if (m.beitraege.saetze == nullptr)
            return QString();
        return betrag(spalte == BeitragAN ? m.beitraege.summe.an.wert : m.beitraege.summe.ag.wert);
    default:
        return ergebniszeilen(zeile, spalte).join(QStringLiteral(" | "));
    }
}

QVariant Jahresmodell::data(const QModelIndex& index, int rolle) const
{
    if (!m_auswertung || !index.isValid() || index.row() >= rowCount() || index.column() >= AnzahlSpalten)
        return {};
    const int zeile = index.row();
    const int spalte = index.column();
    const engine::Monatsfall& m = m_auswertung->monat(zeile);
    const bool durchschnitt = spalte == Durchschnitt1 || spalte == Durchschnitt2;
    const int j = spalte == Durchschnitt1 ? 1 : 2;
    const bool markiert = durchschnitt && ueberGrenze(zeile, j);
    const bool gleit =
        markiert && m.fall.Monatsdurchschnitt[static_cast<std::size_t>(j)] <= grenze::GleitEnde;

    switch (rolle) {
    case Qt::DisplayRole:
        // On screen the result lines run on in one paragraph, wrapped in the compact row and
        // cut with "…" where they do not fit; the tooltip has them line by line.
        if (spalte >= Ergebnis0)
            return ergebniszeilen(zeile, spalte).join(QStringLiteral("; "));
        if (markiert)
            return (gleit ? QStringLiteral("◆ ") : QStringLiteral("▲ ")) + klartext(zeile, spalte);
        return klartext(zeile, spalte);
    case Qt::ToolTipRole:
        if (spalte >= Ergebnis0)
            return ergebniszeilen(zeile, spalte).join(QLatin1Char('\n'));
        if (markiert)
            return gleit ? QStringLiteral(
                               "Monatsdurchschnitt über 400,00 €: in der Gleitzone (400,01 bis 800,00 €)")
                         : QStringLiteral("Monatsdurchschnitt über 400,00 €: über der Gleitzone");
        if ((spalte == BeitragAN || spalte == BeitragAG) && zzgl(m.beitraege))
            return QString::fromUtf8(engine::ZzglText);
        if (spalte == Satz && m.beschaedigt)
            return QStringLiteral(
                "Der Satz enthielt ungültige Werte; sie wurden durch die Vorgaben ersetzt.");
        if (spalte == Satz && !m.gespeichert)
            return QStringLiteral("Für diesen Monat wurde nie ein Fall gespeichert: er zeigt die Vorgaben.");
        return {};
    case Qt::ForegroundRole:
        if (markiert)
            return QBrush(QColor(gleit ? farbe::Gleitzone : farbe::Fehler));
        if (m.beschaedigt && spalte == Satz)
            return QBrush(QColor(farbe::Fehler));
        if (!m.gespeichert)
            return QBrush(QColor(farbe::NieGespeichert));
        return {};
    case Qt::BackgroundRole:
        if (markiert)
            return QBrush(QColor(gleit ? farbe::HintergrundPruefen : farbe::HintergrundFehler));
        return {};
    case Qt::TextAlignmentRole:
        if (betragsspalte(spalte))
            return QVariant(Qt::AlignRight | Qt::AlignTop);
        return QVariant(Qt::AlignLeft | Qt::AlignTop);
    default:
        return {};
    }
}

QVariant Jahresmodell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const
{
    if (richtung != Qt::Horizontal || abschnitt < 0 || abschnitt >= AnzahlSpalten)
        return QAbstractTableModel::headerData(abschnitt, richtung, rolle);
    if (rolle == Qt::DisplayRole)
        return QString::fromUtf8(Kurztitel[abschnitt]);
    if (rolle == Qt::ToolTipRole)
        return QString::fromUtf8(Titel[abschnitt]);
    return QAbstractTableModel::headerData(abschnitt, richtung, rolle);
}

QByteArray Jahresmodell::csv() const
{
    QStringList zeilen;
    // Year and employee lead every row, so that the rows of several years and employees can
    // stand in one table.
    const QStringList vorne{QString::number(m_jahr), csvFeld(m_name), csvFeld(m_personalnummer)};
    QStringList kopf{QStringLiteral("Jahr"), QStringLiteral("Name"), QStringLiteral("Personalnummer")};
    for (const char* t : Titel)
        kopf << csvFeld(QString::fromUtf8(t));
    zeilen << kopf.join(QLatin1Char(';'));
    for (int z = 0; z < rowCount(); ++z) {
        QStringList felder = vorne;
        for (int s = 0; s < AnzahlSpalten; ++s)
            felder << csvFeld(klartext(z, s));
        zeilen << felder.join(QLatin1Char(';'));
    }
    if (m_auswertung) {
        const Jahressumme summe = jahressumme();
        QStringList felder = vorne;
        for (int s = 0; s < AnzahlSpalten; ++s)
            felder << (s == Monat       ? QStringLiteral("Summe %1").arg(m_jahr)
                       : s == Satz      ? QStringLiteral("gespeicherte Monate")
                       : s == BeitragAN ? betrag(summe.an)
                       : s == BeitragAG ? betrag(summe.ag)
                                        : QString());
        zeilen << felder.join(QLatin1Char(';'));
    }
    // Spreadsheets on Windows expect CR LF.
    return QByteArray("\xEF\xBB\xBF") + zeilen.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

Jahresmodell::Jahressumme Jahresmodell::jahressumme() const
{
    Jahressumme summe;
    if (!m_auswertung)
        return summe;
    for (int z = 0; z < params::AnzahlMonate; ++z) {
        const engine::Monatsfall& m = m_auswertung->monat(z);
        if (!m.gespeichert || m.beitraege.saetze == nullptr)
            continue;
        summe.an += m.beitraege.summe.an.wert;
        summe.ag += m.beitraege.summe.ag.wert;
        summe.zzgl = summe.zzgl || zzgl(m.beitraege);
        ++summe.monate;
    }
    return summe;
}

QString Jahresmodell::jahressummeText() const
{
    if (!m_auswertung)
        return QString();
    const Jahressumme summe = jahressumme();
    QString text = QStringLiteral("Beiträge %1 (%2 gespeicherte Monate): Arbeitnehmer %3, Arbeitgeber %4")
                       .arg(m_jahr)
                       .arg(summe.monate)
                       .arg(euroText(summe.an), euroText(summe.ag));
    if (summe.zzgl)
        text += QStringLiteral(", ") + QString::fromUtf8(engine::ZzglText);
    return text;
}

QString Jahresmodell::druckseite(const QDateTime& zeitpunkt) const
{
    QString html = QStringLiteral("<html><head><meta charset='utf-8'><style>") + belegstil() +
                   QStringLiteral("td.grau { color: #808080; } td.mark { background-color: #ffd8a8; }"
                                  "</style></head><body>");
    html +=
        QStringLiteral("<h1>Jahresübersicht %1: Bestimmung der Sozialversicherungspflicht</h1>").arg(m_jahr);
    QString wer = QStringLiteral("Arbeitnehmer: ") +
                  (m_name.isEmpty() ? QStringLiteral("ohne Namen") : m_name.toHtmlEscaped());
    if (!m_personalnummer.isEmpty())
        wer += QStringLiteral(", Personalnummer ") + m_personalnummer.toHtmlEscaped();
    html += QStringLiteral("<p><b>%1</b></p>").arg(wer);
    if (!m_auswertung) {
        html += QStringLiteral("<p>%1</p>").arg(m_fehler.toHtmlEscaped());
    } else {
        // Two rows per month, so that the table fits the sheet's width at 8.5 pt: the figures
        // under the short titles of the screen, below them the four results side by side. The
        // head stands on every sheet.
        constexpr int Zahlen = Ergebnis0;                   // the columns of the figures
        constexpr std::array<int, 4> Breite = {4, 4, 4, 3}; // the figures' columns a result spans
        auto zelle = [](const QString& text) {
            return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        };
        html += QStringLiteral("<table width='100%' cellspacing='0' cellpadding='2' border='1'><thead><tr>");
        // Percent of the sheet's width: the texts wider, the amounts as wide as "1500,00".
        auto anteil = [](int s) {
            switch (s) {
            case Monat:
                return 6;
            case Satz:
            case Land:
                return 8;
            case Status:
                return 10;
            case Gleitzone:
            case Monate1:
            case Monate2:
                return 4;
            case Durchschnitt1:
            case Durchschnitt2:
                return 7;
            default:
                return 6;
            }
        };
        for (int s = 0; s < Zahlen; ++s)
            html += QStringLiteral("<th width='%1%'>%2</th>")
                        .arg(anteil(s))
                        .arg(zelle(QString::fromUtf8(Kurztitel[s])));
        html += QStringLiteral("</tr><tr>");
        for (int s = Ergebnis0; s < AnzahlSpalten; ++s)
            html += QStringLiteral("<th colspan='%1'>%2</th>")
                        .arg(Breite[static_cast<std::size_t>(s - Ergebnis0)])
                        .arg(zelle(QString::fromUtf8(Titel[s])));
        html += QStringLiteral("</tr></thead>");
        for (int z = 0; z < rowCount(); ++z) {
            const QString grau = m_auswertung->monat(z).gespeichert ? QString() : QStringLiteral("grau");
            html += QStringLiteral("<tr>");
            for (int s = 0; s < Zahlen; ++s) {
                QString klasse = grau;
                if ((s == Durchschnitt1 && ueberGrenze(z, 1)) || (s == Durchschnitt2 && ueberGrenze(z, 2)))
                    klasse = QStringLiteral("mark");
                const bool rechts = betragsspalte(s);
                html += QStringLiteral("<td class='%1'%2>%3</td>")
                            .arg(klasse, rechts ? QStringLiteral(" align='right'") : QString(),
                                 zelle(data(index(z, s), Qt::DisplayRole).toString()));
            }
            html += QStringLiteral("</tr><tr>");
            for (int s = Ergebnis0; s < AnzahlSpalten; ++s)
                html += QStringLiteral("<td class='%1' colspan='%2'>%3</td>")
                            .arg(grau)
                            .arg(Breite[static_cast<std::size_t>(s - Ergebnis0)])
                            .arg(zelle(ergebniszeilen(z, s).join(QLatin1Char('\n'))));
            html += QStringLiteral("</tr>");
        }
        const Jahressumme summe = jahressumme();
        html += QStringLiteral("<tr><td colspan='%1'><b>Summe der gespeicherten Monate</b>%4</td>"
                               "<td align='right'><b>%2</b></td><td align='right'><b>%3</b></td></tr>")
                    .arg(BeitragAN)
                    .arg(betrag(summe.an), betrag(summe.ag))
                    .arg(summe.zzgl
                             ? QStringLiteral(" (") + QString::fromUtf8(engine::ZzglText) + QLatin1Char(')')
                             : QString());
        html += QStringLiteral("</table><p>MJ 1: Mini-Job 1, MJ 2: Mini-Jobs 2, Ø Monat: Monatsdurchschnitt. "
                               "Grau: nie gespeicherte Monate (Vorgaben). ◆ Monatsdurchschnitt in der "
                               "Gleitzone, ▲ über 800,00 €.</p>");
    }
    return html + belegfuss(m_jahr, zeitpunkt) + QStringLiteral("</body></html>");
}

} // namespace svp::ui
