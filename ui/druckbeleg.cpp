#include "druckbeleg.h"

#include <array>

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTextDocument>

namespace svp::ui {

namespace {

const std::array<const char*, 12> Monatsnamen = {"Januar",    "Februar", "März",     "April",
                                                 "Mai",       "Juni",    "Juli",     "August",
                                                 "September", "Oktober", "November", "Dezember"};

QString text(const std::string& s)
{
    return QString::fromStdString(s).trimmed().toHtmlEscaped();
}

QString betrag(params::Currency wert)
{
    return QString::fromStdString(wert.formatFixed(2)) + " €";
}

QString anzahl(params::Currency wert)
{
    return QString::fromStdString(wert.formatFixed(0));
}

QString zeile(const QString& was, const QString& wert)
{
    return QStringLiteral("<tr><td class='was'>%1</td><td class='wert'>%2</td></tr>").arg(was, wert);
}

QString option(const engine::OptionGroup& gruppe)
{
    if (gruppe.selected < 0 || gruppe.selected >= static_cast<int>(gruppe.captions.size()))
        return QString();
    return text(gruppe.captions[static_cast<std::size_t>(gruppe.selected)]).simplified();
}

QString kaestchen(const engine::CheckBox& k)
{
    return k.checked ? QStringLiteral("ja") : QStringLiteral("nein");
}

// A column is covered when its overlay lies over the results without a message.
bool verdeckt(const engine::Control& ueberlagerung)
{
    return ueberlagerung.visible && QString::fromStdString(ueberlagerung.caption).trimmed().isEmpty();
}

} // namespace

const std::array<const char*, 6> Zweige = {
    "Lohnsteuer",         "Krankenversicherung",      "Pflegeversicherung",
    "Rentenversicherung", "Arbeitslosenversicherung", "Hinweis"};

Druckbeleg::Druckbeleg(const engine::Ansicht& ansicht, const params::Mini& mini, QDate datum)
    : m_ansicht(ansicht), m_mini(mini), m_datum(datum)
{
}

QString Druckbeleg::kopf() const
{
    const int monat = m_mini.Auswahl[params::AuswahlMonat];
    const QString monatsname = monat >= 0 && monat < 12
                                   ? QString::fromUtf8(Monatsnamen[static_cast<std::size_t>(monat)])
                                   : QString();
    QString land;
    const auto& l = m_ansicht.Land;
    if (l.selected >= 0 && l.selected < static_cast<int>(l.entries.size()))
        land = text(l.entries[static_cast<std::size_t>(l.selected)]);
    return QStringLiteral("<h1>%1</h1><p class='zeitraum'>%2 %3 &nbsp;&middot;&nbsp; %4</p>")
        .arg(text(engine::caption::Fenster), monatsname, QString::number(m_mini.AktJahr), land);
}

QString Druckbeleg::eingaben(int k) const
{
    const auto& a = m_ansicht;
    QString z;
    switch (k) {
    case 0:
        z += zeile(QStringLiteral("Status"), option(a.HBOpt));
        if (a.KVTafel.visible)
            z += zeile(text(a.KVTafel.caption), option(a.HBKV));
        if (a.Schuelertafel.visible)
            z += zeile(text(a.Schuelertafel.caption), option(a.Schueler));
        if (a.HBCheck.visible)
            z += zeile(text(a.HBCheck.caption), kaestchen(a.HBCheck));
        if (a.HR.visible)
            z += zeile(text(a.HR.caption).simplified(), kaestchen(a.HR));
        if (a.SVEntgelt.visible)
            z += zeile(QStringLiteral("Sozialvers.pflichtiges Entgelt"), betrag(a.HBEuro.value));
        break;
    case 1:
        z += zeile(QStringLiteral("Dauer"), option(a.KBopt));
        for (const auto& k : a.KBCheck)
            if (k.visible)
                z += zeile(text(k.caption), kaestchen(k));
        break;
    default: {
        const auto i = static_cast<std::size_t>(k - 1);
        if (a.GKVtraeger.visible) {
            z += zeile(QStringLiteral("Krankenversicherung"), option(a.GBKV));
            if (a.GBCheck[1].visible)
                z += zeile(text(a.GBCheck[1].caption).simplified(), kaestchen(a.GBCheck[1]));
        }
        if (a.priv[i].visible)
            z += zeile(text(a.priv[i].caption), kaestchen(a.priv[i]));
        if (k == 3 && a.deckel2.visible)
            break; // the inputs of the later mini-jobs are covered
        z += zeile(QStringLiteral("Monatslohn"), betrag(a.loh[i].value));
        z += zeile(QStringLiteral("Monate"), anzahl(a.Mon[i].value));
        z += zeile(QStringLiteral("Monatslohn x Monate"), betrag(a.AllMo[i].value));
        z += zeile(QStringLiteral("Urlaubsgeld"), betrag(a.Url[i].value));
        z += zeile(QStringLiteral("Weihnachtsgeld"), betrag(a.Wei[i].value));
        z += zeile(QStringLiteral("Jahresgehalt"), betrag(a.Jasum[i].value));
        z += zeile(QStringLiteral("Monatsdurchschnitt"), betrag(a.Modurch[i].value));
        break;
    }
    }
    return z;
}

QString Druckbeleg::spalte(int k) const
{
    // The heading across the page, the inputs on the left, the six result lines on the right.
    const auto& a = m_ansicht;
    const auto s = static_cast<std::size_t>(k);
    QString html = QStringLiteral("<h2>%1</h2>").arg(text(a.HB[s].caption));
    html += QStringLiteral("<table width='100%' cellspacing='0' cellpadding='0'><tr>"
                           "<td width='50%' valign='top'><table class='eingaben'>");
    html += zeile(QStringLiteral("Arbeitgeber"), text(a.Arbeitgeber[s]));
    html += eingaben(k);
    html += QStringLiteral("</table></td><td width='50%' valign='top'><table class='ergebnis'>");
    for (std::size_t r = 0; r < Zweige.size(); ++r)
        html += zeile(QString::fromUtf8(Zweige[r]), text(a.Ergebnistext[s][r]));
    html += QStringLiteral("</table></td></tr></table>");
    return html;
}

QString Druckbeleg::html() const
{
    QString html =
        QStringLiteral("<html><head><meta charset='utf-8'><style>"
                       "body { font-family: sans-serif; font-size: 8pt; }"
                       "h1 { font-size: 14pt; margin-bottom: 2pt; }"
                       "h2 { font-size: 10pt; margin-top: 8pt; margin-bottom: 2pt; white-space: nowrap; }"
                       "td.was { color: #444444; padding-right: 8pt; }"
                       "td.wert { white-space: nowrap; }"
                       "table.ergebnis td { padding-top: 1pt; }"
                       "p.meldung { font-weight: bold; }"
                       "</style></head><body>");
    html += kopf();
    for (int k = 0; k < 4; ++k)
        if (!verdeckt(m_ansicht.vielleicht[static_cast<std::size_t>(k)]))
            html += spalte(k);
    // The messages of the columns in full, across the page.
    for (int k = 0; k < 4; ++k) {
        const auto& ueberlagerung = m_ansicht.vielleicht[static_cast<std::size_t>(k)];
        if (ueberlagerung.visible && !verdeckt(ueberlagerung))
            html += QStringLiteral("<p class='meldung'>%1: %2</p>")
                        .arg(text(m_ansicht.HB[static_cast<std::size_t>(k)].caption),
                             text(ueberlagerung.caption).simplified());
    }
    html += QStringLiteral("<p style='margin-top: 16pt'>Gedruckt am %1</p>")
                .arg(m_datum.toString(QStringLiteral("dd.MM.yyyy")));
    html += QStringLiteral("<p style='margin-top: 16pt'>Geprüft von: ____________</p>");
    html += QStringLiteral("</body></html>");
    return html;
}

void Druckbeleg::drucken(QPrinter& drucker) const
{
    drucker.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
    QTextDocument dokument;
    // Laid out at the printer's resolution, so that the point sizes are the printed ones.
    dokument.documentLayout()->setPaintDevice(&drucker);
    QFont schrift(QStringLiteral("Sans"));
    schrift.setPointSizeF(8);
    // Plain letters without ligatures, so that a filed PDF can be searched for "pflicht".
    schrift.setStyleStrategy(QFont::PreferNoShaping);
    dokument.setDefaultFont(schrift);
    dokument.setHtml(html());
    dokument.setPageSize(drucker.pageRect(QPrinter::DevicePixel).size());
    dokument.print(&drucker);
}

} // namespace svp::ui
