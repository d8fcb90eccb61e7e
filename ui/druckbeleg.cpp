#include "druckbeleg.h"

#include "beitragsbeleg.h"
#include "engine/bestimmung.h"
#include "engine/jahresauswertung.h"
#include "params/eingaben.h"

#include <algorithm>
#include <vector>

#include <QPrinter>
#include <QRegularExpression>

namespace svp::ui {

namespace {

const char* const Titel = "Prüfbeleg: Bestimmung der Sozialversicherungspflicht";

QString text(const std::string& s)
{
    return QString::fromStdString(s).trimmed().toHtmlEscaped();
}

QString betrag(params::Currency wert)
{
    return QString::fromStdString(wert.formatFixed(2)) + QStringLiteral(" €");
}

QString anzahl(params::Currency wert)
{
    return QString::fromStdString(wert.formatFixed(0));
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

// An overlay that shows a message in place of the column's results.
bool meldung(const engine::Control& ueberlagerung)
{
    return ueberlagerung.visible && !verdeckt(ueberlagerung);
}

bool benannt(const std::string& arbeitgeber)
{
    return params::arbeitgeberBenannt(arbeitgeber);
}

using Zeile = std::pair<QString, QString>;
using Zeilen = std::vector<Zeile>;

// The inputs of a column as the window shows them, each with its caption.
void hauptbeschaeftigung(const engine::Ansicht& a, const engine::Fall& f, Zeilen& z)
{
    z.emplace_back(QStringLiteral("Status"), option(a.HBOpt));
    if (a.KVTafel.visible)
        z.emplace_back(QStringLiteral("Krankenversicherung"), option(a.HBKV));
    if (a.Schuelertafel.visible)
        z.emplace_back(QStringLiteral("Arbeitsumfang"), option(a.Schueler));
    if (a.HBCheck.visible)
        z.emplace_back(text(a.HBCheck.caption), kaestchen(a.HBCheck));
    if (a.HR.visible)
        z.emplace_back(text(a.HR.caption).simplified(), kaestchen(a.HR));
    if (a.SVEntgelt.visible)
        z.emplace_back(QStringLiteral("Sozialvers.pflichtiges Entgelt"), betrag(f.HBEntgelt));
}

void kurzfristige(const engine::Ansicht& a, Zeilen& z)
{
    z.emplace_back(QStringLiteral("Dauer"), option(a.KBopt));
    for (const auto& kasten : a.KBCheck)
        if (kasten.visible)
            z.emplace_back(text(kasten.caption), kaestchen(kasten));
}

// Column 2 or 3.
void minijob(const engine::Ansicht& a, const engine::Fall& f, int k, Zeilen& z)
{
    const auto i = static_cast<std::size_t>(k - 1);
    if (a.GKVtraeger.visible) {
        z.emplace_back(QStringLiteral("Krankenversicherung"), option(a.GBKV));
        if (a.GBCheck[1].visible)
            z.emplace_back(text(a.GBCheck[1].caption).simplified(), kaestchen(a.GBCheck[1]));
    }
    if (a.priv[i].visible)
        z.emplace_back(text(a.priv[i].caption), kaestchen(a.priv[i]));
    if (k == 3 && a.deckel2.visible)
        return; // the inputs of the later mini-jobs are covered
    // The amounts the determination used, in the formats of the window's fields.
    z.emplace_back(QStringLiteral("Monatslohn x Monate"), betrag(f.Monatslohn[i]) + QStringLiteral(" x ") +
                                                              anzahl(f.Monate[i]) + QStringLiteral(" = ") +
                                                              betrag(f.Lohnsumme[i]));
    z.emplace_back(QStringLiteral("Urlaubsgeld"), betrag(f.Urlaubsgeld[i]));
    z.emplace_back(QStringLiteral("Weihnachtsgeld"), betrag(f.Weihnachtsgeld[i]));
    z.emplace_back(QStringLiteral("Jahresgehalt"), betrag(f.Jahressumme[i]));
    z.emplace_back(QStringLiteral("Monatsdurchschnitt"), betrag(f.Monatsdurchschnitt[i]));
}

// One table of a column: the inputs on the left, the six result lines (or the message in
// their place) on the right, row by row.
QString tabellenzeilen(const Zeilen& z, const engine::Control& ueberlagerung,
                       const std::array<std::string, 6>& ergebnisse)
{
    const std::size_t zeilen = std::max(z.size(), Zweige.size());
    QString html;
    for (std::size_t r = 0; r < zeilen; ++r) {
        html += QStringLiteral("<tr>");
        if (r < z.size())
            html += QStringLiteral("<td class='was'>%1</td><td class='wert'>%2</td>")
                        .arg(z[r].first, z[r].second);
        else
            html += QStringLiteral("<td></td><td></td>");
        if (meldung(ueberlagerung)) {
            if (r == 0)
                html += QStringLiteral("<td class='meldung' colspan='2' rowspan='%1'>%2</td>")
                            .arg(zeilen)
                            .arg(text(ueberlagerung.caption).simplified());
        } else if (r < Zweige.size()) {
            html += QStringLiteral("<td class='was'>%1</td><td class='ergebnis'>%2</td>")
                        .arg(QString::fromUtf8(Zweige[r]), text(ergebnisse[r]));
        } else {
            html += QStringLiteral("<td></td><td></td>");
        }
        html += QStringLiteral("</tr>");
    }
    return html;
}

} // namespace

Druckbeleg::Druckbeleg(const engine::Ansicht& ansicht, const engine::Fall& fall, const params::Mini& mini,
                       Belegangaben angaben, const engine::Beitraege* beitraege)
    : m_ansicht(ansicht), m_fall(fall), m_mini(mini), m_angaben(std::move(angaben)), m_beitraege(beitraege)
{
}

QString Druckbeleg::titel() const
{
    return QString::fromUtf8(Titel);
}

QString Druckbeleg::zeitraum() const
{
    return QStringLiteral("%1 %2").arg(monatsname(m_mini.Auswahl[params::AuswahlMonat])).arg(m_mini.AktJahr);
}

QString Druckbeleg::kopf() const
{
    QString land;
    const auto& l = m_ansicht.Land;
    if (l.selected >= 0 && l.selected < static_cast<int>(l.entries.size()))
        land = text(l.entries[static_cast<std::size_t>(l.selected)]);
    auto angabe = [](const QString& wert) {
        return wert.trimmed().isEmpty() ? QStringLiteral("<span class='leer'>nicht angegeben</span>")
                                        : QStringLiteral("<b>%1</b>").arg(wert.trimmed().toHtmlEscaped());
    };
    QString weitere;
    if (m_angaben.weitereAngaben()) {
        // The company with its number in one cell: "Muster GmbH, Betriebsnummer 12345678".
        QString betrieb = m_angaben.betrieb.trimmed();
        if (!m_angaben.betriebsnummer.trimmed().isEmpty())
            betrieb += (betrieb.isEmpty() ? QString() : QStringLiteral(", ")) +
                       QStringLiteral("Betriebsnummer ") + m_angaben.betriebsnummer.trimmed();
        weitere = QStringLiteral("<tr><td class='was'>Geburtsdatum</td><td>%1</td>"
                                 "<td class='was'>Vers.-Nr.</td><td>%2</td></tr>"
                                 "<tr><td class='was'>Krankenkasse</td><td>%3</td>"
                                 "<td class='was'>Betrieb</td><td>%4</td></tr>")
                      .arg(angabe(m_angaben.geburtsdatum), angabe(m_angaben.versicherungsnummer),
                           angabe(m_angaben.krankenkasse), angabe(betrieb));
    }
    return QStringLiteral("<h1>%1</h1>"
                          "<table class='kopf' width='100%' cellspacing='0' cellpadding='3' border='1'>"
                          "<tr><td class='was' width='19%'>Arbeitnehmer</td><td width='40%'>%2</td>"
                          "<td class='was' width='14%'>Monat</td><td width='27%'><b>%3</b></td></tr>"
                          "<tr><td class='was'>Personalnummer</td><td>%4</td>"
                          "<td class='was'>Bundesland</td><td><b>%5</b></td></tr>%6</table>%7")
        .arg(titel().toHtmlEscaped(), angabe(m_angaben.name), zeitraum(), angabe(m_angaben.personalnummer),
             land, weitere,
             m_nichtGespeichert
                 ? QStringLiteral(
                       "<p><b>nicht gespeichert</b> – für diesen Monat wurde kein Fall gespeichert; "
                       "der Beleg zeigt die Werte, wie sie im Fenster stehen.</p>")
                 : QString());
}

QString Druckbeleg::eingaben(int k) const
{
    const auto& a = m_ansicht;
    const auto s = static_cast<std::size_t>(k);
    Zeilen z;
    if (benannt(a.Arbeitgeber[s]))
        z.emplace_back(QStringLiteral("Arbeitgeber"), text(a.Arbeitgeber[s]));
    if (k == 0)
        hauptbeschaeftigung(a, m_fall, z);
    else if (k == 1)
        kurzfristige(a, z);
    else
        minijob(a, m_fall, k, z);
    return tabellenzeilen(z, a.vielleicht[s], a.Ergebnistext[s]);
}

QString Druckbeleg::spalte(int k) const
{
    return QStringLiteral("<h2>%1</h2>"
                          "<table class='spalte' width='100%' cellspacing='0' cellpadding='2' border='1'>"
                          "<tr><th width='24%'>Angabe</th><th width='19%'>Wert</th>"
                          "<th width='24%'>Zweig</th><th width='33%'>Ergebnis</th></tr>%2</table>")
        .arg(text(m_ansicht.HB[static_cast<std::size_t>(k)].caption), eingaben(k));
}

QString Druckbeleg::kennzahlen() const
{
    namespace grenze = engine::grenze;
    const QString gleitfall = QString::fromStdString(engine::gleitzoneInWorten(m_fall));
    const QString jahr = QString::number(m_mini.AktJahr);
    auto anteil = [](const std::string& t) { return text(t); };
    QString html = QStringLiteral("<h2>Entscheidende Werte</h2>"
                                  "<table class='werte' width='100%' cellspacing='0' cellpadding='2' "
                                  "border='1'>");
    html += QStringLiteral("<tr><td class='was' width='24%'>Gesamtentgelt</td><td width='19%'><b>%1</b></td>"
                           "<td class='was' width='24%'>Gleitfall</td><td width='33%'>%2</td></tr>")
                .arg(betrag(m_fall.Gesamtentgelt), gleitfall);
    html +=
        QStringLiteral("<tr><td class='was'>Geringfügigkeitsgrenze %1</td><td>%2</td>"
                       "<td class='was'>Gleitzone %1</td><td>%3 bis %4</td></tr>")
            .arg(jahr, betrag(grenze::MiniGrenze), betrag(grenze::GleitBeginn), betrag(grenze::GleitEnde));
    html += QStringLiteral("<tr><td class='was'>Anteile %1</td><td colspan='3'>%2 &nbsp;&middot;&nbsp; %3 "
                           "&nbsp;&middot;&nbsp; %4</td></tr>")
                .arg(jahr, anteil(m_mini.PVText[params::pv::Beitrag]),
                     anteil(m_mini.RVText[params::rv::Beitrag]), anteil(m_mini.AVText[params::av::Beitrag]));
    for (std::size_t k = 0; k < m_ansicht.vielleicht.size(); ++k) {
        const auto& ueberlagerung = m_ansicht.vielleicht[k];
        if (meldung(ueberlagerung))
            html += QStringLiteral(
                        "<tr><td class='was'>Meldung: %1</td><td colspan='3' class='meldung'>%2</td></tr>")
                        .arg(text(m_ansicht.HB[k].caption), text(ueberlagerung.caption).simplified());
    }
    return html + QStringLiteral("</table>");
}

QString Druckbeleg::fuss() const
{
    return belegfuss(m_mini.AktJahr, m_angaben.zeitpunkt);
}

QString Druckbeleg::html() const
{
    QString html = QStringLiteral("<html><head><meta charset='utf-8'><style>") + belegstil() +
                   QStringLiteral("</style></head><body>");
    html += kopf();
    bool eineSpalte = false;
    std::vector<int> gezeigt;
    std::vector<QString> namen;
    for (int k = 0; k < engine::Spalten; ++k) {
        const auto s = static_cast<std::size_t>(k);
        if (verdeckt(m_ansicht.vielleicht[s]) || !engine::spalteErfasst(m_fall, m_ansicht, k))
            continue;
        html += spalte(k);
        eineSpalte = true;
        // A column whose results a message replaces shows no amounts either.
        if (!meldung(m_ansicht.vielleicht[s])) {
            gezeigt.push_back(k);
            namen.push_back(QString::fromStdString(m_ansicht.HB[s].caption).trimmed());
        }
    }
    if (!eineSpalte)
        html +=
            QStringLiteral("<p class='keine'>Keine Beschäftigung erfasst: alle Spalten zeigen die Vorgaben "
                           "eines neuen Fensters.</p>");
    html += kennzahlen();
    if (m_beitraege != nullptr)
        html += beitragsbeleg(*m_beitraege, gezeigt, namen);
    html += fuss();
    html += QStringLiteral("</body></html>");
    return html;
}

QString Druckbeleg::dateiname() const
{
    QString wer = m_angaben.name.trimmed();
    if (wer.isEmpty())
        wer = m_angaben.personalnummer.trimmed();
    // What a file name on any common system cannot hold, and blanks, become "_".
    static const QRegularExpression unsicher(QStringLiteral("[\\\\/:*?\"<>|\\s\\x00-\\x1f\\x7f]+"));
    wer.replace(unsicher, QStringLiteral("_"));
    while (wer.startsWith(QLatin1Char('_')))
        wer.remove(0, 1);
    while (wer.endsWith(QLatin1Char('_')))
        wer.chop(1);
    const int monat = m_mini.Auswahl[params::AuswahlMonat] + 1;
    const QString zeit = QStringLiteral("%1-%2").arg(m_mini.AktJahr).arg(monat, 2, 10, QLatin1Char('0'));
    return wer.isEmpty() ? QStringLiteral("Pruefbeleg_%1.pdf").arg(zeit)
                         : QStringLiteral("Pruefbeleg_%1_%2.pdf").arg(wer, zeit);
}

std::optional<Druckfehler> Druckbeleg::drucken(QPrinter& drucker) const
{
    if (drucker.docName().isEmpty())
        drucker.setDocName(titel());
    drucker.setCreator(QStringLiteral("svpflicht ") + programmversion());
    return aufEineSeiteDrucken(drucker, html(), false);
}

std::optional<PdfInfoFehler> Druckbeleg::pdfInfoErgaenzen(const QString& datei) const
{
    QString thema = QStringLiteral("Sozialversicherungspflicht");
    for (const QString& wer : {m_angaben.name.trimmed(), m_angaben.personalnummer.trimmed()})
        if (!wer.isEmpty())
            thema += QStringLiteral(", ") + wer;
    thema += QStringLiteral(", ") + zeitraum();
    const QString programm = QStringLiteral("svpflicht ") + programmversion();
    return pdfInfoSetzen(datei, {titel(), programm, thema, programm, m_angaben.zeitpunkt});
}

bool Druckbeleg::alsPdf(const QString& datei) const
{
    {
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(datei);
        if (drucken(drucker))
            return false;
    } // the file is complete once the printer is gone
    return !pdfInfoErgaenzen(datei);
}

} // namespace svp::ui
