#include "beitragsbeleg.h"

#include "beitragstafel.h"
#include "papier.h"
#include "params/betrag_text.h"

#include <array>

namespace svp::ui {

using engine::Betrag;
using params::Currency;

const char* const Rechtsgrundlage =
    "Rechtsgrundlage: §§ 20 Abs. 2 und 3, 22 Abs. 2 SGB IV; §§ 241, 249, 249b, 257 SGB V; §§ 55, 58, 61 "
    "SGB XI; §§ 163, 168, 172 SGB VI; §§ 341, 346 SGB III; § 358 SGB III (Insolvenzgeldumlage); "
    "§ 40a Abs. 2 EStG; §§ 1, 2 Beitragsverfahrensverordnung; Umlagen U1/U2 nach dem "
    "Aufwendungsausgleichsgesetz. Zitiert nach dem Gesetzestext (Stand 2012); Sätze und Grenzen der "
    "Jahre 2006 bis 2010 aus den Rechengrößen des jeweiligen Zeitraums.";

namespace {

QString zelle(const Betrag& b)
{
    return b.berechnet ? euroText(b.wert) : QStringLiteral("—");
}

QString anmerkung(engine::Grund grund, const engine::Hinweise& hinweise)
{
    QStringList teile;
    if (grund != engine::Grund::Keiner)
        teile << QString::fromUtf8(engine::text(grund)).toHtmlEscaped();
    const QString h = hinweistexte(hinweise);
    if (!h.isEmpty())
        teile << h.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("; "));
    return teile.join(QStringLiteral("; "));
}

bool mitGrundlage(engine::Art art)
{
    return art != engine::Art::Offen && art != engine::Art::Keine && art != engine::Art::Frei;
}

QString zeile(const QString& was, const QString& grundlage, const QString& satz, const QString& an,
              const QString& ag, const QString& bemerkung)
{
    return QStringLiteral("<tr><td class='was'>%1</td><td>%2</td><td>%3</td><td align='right'>%4</td>"
                          "<td align='right'>%5</td><td>%6</td></tr>")
        .arg(was, grundlage, satz, an, ag, bemerkung);
}

QString monatText(int nummer)
{
    return QStringLiteral("%1 %2").arg(monatsname(nummer % 12)).arg(nummer / 12);
}

QString spaltentabelle(const engine::Spalte& s, const QString& name)
{
    QString html =
        QStringLiteral("<h2>Beiträge in Euro: %1</h2>"
                       "<table class='spalte' width='100%' cellspacing='0' cellpadding='2' border='1'>"
                       "<tr><th width='17%'>Zweig</th><th width='22%'>Grundlage</th>"
                       "<th width='14%'>Satz</th><th width='11%'>AN</th><th width='11%'>AG</th>"
                       "<th width='25%'>Anmerkung</th></tr>")
            .arg(name.toHtmlEscaped());
    for (int p = 0; p < engine::AnzahlPosten; ++p) {
        const engine::Posten& posten = s.posten[static_cast<std::size_t>(p)];
        QString grundlage, satz;
        if (mitGrundlage(posten.art)) {
            grundlage = euroText(posten.grundlage);
            if (posten.be != posten.grundlage)
                grundlage += QStringLiteral(" (Bemessung %1)").arg(euroText(posten.be));
            satz = prozentText(posten.satz);
            if (posten.zuschlagAN != Currency())
                satz += QStringLiteral(" + %1 AN").arg(prozentText(posten.zuschlagAN));
        }
        html += zeile(QString::fromUtf8(Zweige[static_cast<std::size_t>(p)]), grundlage, satz,
                      zelle(posten.an), zelle(posten.ag), anmerkung(posten.grund, posten.hinweise));
    }
    static constexpr std::array<const char*, engine::AnzahlUmlagen> Umlagen = {
        "Umlage U1", "Umlage U2", "Insolvenzgeldumlage", "Unfallversicherung"};
    for (std::size_t u = 0; u < s.umlagen.size(); ++u) {
        const engine::Umlage& umlage = s.umlagen[u];
        const bool berechnet = umlage.ag.berechnet;
        html += zeile(QString::fromUtf8(Umlagen[u]), berechnet ? euroText(umlage.grundlage) : QString(),
                      berechnet ? prozentText(umlage.satz) : QString(), QString(), zelle(umlage.ag),
                      anmerkung(umlage.grund, umlage.hinweise));
    }
    const QString zzgl = QString::fromUtf8(engine::ZzglText);
    html += zeile(QStringLiteral("<b>Summe</b>"), QString(), QString(),
                  QStringLiteral("<b>%1</b>").arg(zelle(s.summe.an)),
                  QStringLiteral("<b>%1</b>").arg(zelle(s.summe.ag)),
                  s.summe.anZzgl || s.summe.agZzgl ? zzgl : QString());
    html +=
        zeile(QStringLiteral("Arbeitgeberkosten"), QStringLiteral("Entgelt %1").arg(euroText(s.entgelt)),
              QString(), QString(), zelle(s.summe.kosten), QStringLiteral("Entgelt und Arbeitgeberanteile"));
    return html + QStringLiteral("</table>");
}

// Where the general KV rate of the ordinary and zone lines came from.
QString kvHerkunft(engine::KVQuelle quelle)
{
    switch (quelle) {
    case engine::KVQuelle::Einheitssatz:
        return QStringLiteral("einheitlicher allgemeiner Beitragssatz (§ 241 SGB V)");
    case engine::KVQuelle::Kasse:
        return QStringLiteral("Satz der Krankenkasse laut Mitarbeiterdaten");
    case engine::KVQuelle::Ergebnistext:
        break;
    }
    return QStringLiteral("Satz der Kasse nicht angegeben: Satz laut Tabelle des Ergebnistextes");
}

// The KV rate the ordinary or zone lines used, from the first column that has one.
QString kvSatz(const engine::Beitraege& b, const std::vector<int>& spalten)
{
    for (int c : spalten) {
        const engine::Posten& kv = b.posten(c, engine::ZeileKV);
        if (kv.art == engine::Art::Ordentlich || kv.art == engine::Art::Gleitzone ||
            kv.art == engine::Art::Zuschuss || kv.art == engine::Art::NurAG)
            return prozentText(kv.satz) + QStringLiteral(" + ") + prozentText(kv.zuschlagAN) +
                   QStringLiteral(" Arbeitnehmer");
    }
    if (b.saetze->kvSatz)
        return prozentText(*b.saetze->kvSatz) + QStringLiteral(" + ") + prozentText(b.saetze->kvNurAN) +
               QStringLiteral(" Arbeitnehmer");
    return QStringLiteral("kein Zweig mit allgemeinem Beitragssatz");
}

QString werte(const engine::Beitraege& b, const std::vector<int>& spalten)
{
    const params::Beitragssaetze& s = *b.saetze;
    const auto zeile = [](const QString& was, const QString& wert) {
        return QStringLiteral("<tr><td class='was' width='30%'>%1</td><td width='70%'>%2</td></tr>")
            .arg(was, wert);
    };
    QString html =
        QStringLiteral("<h2>Rechengrößen der Beiträge</h2>"
                       "<table class='werte' width='100%' cellspacing='0' cellpadding='2' border='1'>");
    html += zeile(QStringLiteral("Zeitraum der Werte"),
                  QStringLiteral("%1 bis %2").arg(monatText(s.von), monatText(s.bis)));
    html += zeile(QStringLiteral("Faktor F der Gleitzone"),
                  QString::fromStdString(params::betragText(s.gleitF, params::zahlformat::Allgemein)));
    html += zeile(QStringLiteral("Beitragsbemessungsgrenze KV/PV"), euroText(s.bbgKV));
    html += zeile(QStringLiteral("Beitragsbemessungsgrenze RV/AV"),
                  QStringLiteral("West %1, Ost %2; angewandt: %3")
                      .arg(euroText(s.bbgRVWest), euroText(s.bbgRVOst),
                           b.rechtskreisOst ? QStringLiteral("Ost") : QStringLiteral("West")));
    html += zeile(QStringLiteral("KV-Beitragssatz"),
                  kvSatz(b, spalten) + QStringLiteral("; ") + kvHerkunft(b.kvQuelle));
    html += zeile(
        QStringLiteral("PV-Beitragssatz"),
        QStringLiteral("%1; Zuschlag für Kinderlose %2 (Arbeitnehmer); Sachsen: %3 des Arbeitgeberanteils "
                       "beim Arbeitnehmer")
            .arg(prozentText(s.pvSatz), prozentText(s.pvZuschlagKinderlos), prozentText(s.pvSachsen)));
    html += zeile(QStringLiteral("RV- und AV-Beitragssatz"),
                  QStringLiteral("RV %1, AV %2").arg(prozentText(s.rvSatz), prozentText(s.avSatz)));
    html += zeile(QStringLiteral("Minijob-Pauschalen"),
                  QStringLiteral("KV %1, RV %2, Lohnsteuer %3; Privathaushalt KV %4, RV %5, UV %6")
                      .arg(prozentText(s.miniKV), prozentText(s.miniRV), prozentText(s.pauschsteuer),
                           prozentText(s.haushaltKV), prozentText(s.haushaltRV), prozentText(s.haushaltUV)));
    html +=
        zeile(QStringLiteral("Umlagen"),
              QStringLiteral("U1 %1, U2 %2 (Minijobs); Insolvenzgeldumlage %3")
                  .arg(prozentText(s.u1Mini), prozentText(s.u2Mini),
                       s.insolvenz ? prozentText(*s.insolvenz) : QStringLiteral("vor 2009 nicht monatlich")));
    static constexpr std::array<const char*, 4> Zweig = {"KV", "PV", "RV", "AV"};
    QStringList gleitzone;
    for (std::size_t z = 0; z < b.zweige.size(); ++z)
        if (b.zweige[z].gleitEntgelt != Currency())
            gleitzone << QStringLiteral("%1: Entgelte %2, Bemessung %3")
                             .arg(QLatin1String(Zweig[z]), euroText(b.zweige[z].gleitEntgelt),
                                  euroText(b.zweige[z].gleitBE));
    if (!gleitzone.isEmpty())
        html += zeile(QStringLiteral("Gleitzone"), gleitzone.join(QStringLiteral("; ")));
    html += QStringLiteral("</table>");
    return html +
           QStringLiteral("<p class='stand'>%1</p>").arg(QString::fromUtf8(Rechtsgrundlage).toHtmlEscaped());
}

} // namespace

QString beitragsbeleg(const engine::Beitraege& b, const std::vector<int>& spalten,
                      const std::vector<QString>& namen)
{
    if (b.saetze == nullptr)
        return QString();
    QString html;
    std::vector<int> mitBetraegen;
    for (std::size_t i = 0; i < spalten.size(); ++i) {
        if (spalten[i] == 1)
            continue; // the short-term employment has no pay and no amounts
        html += spaltentabelle(b.spalte(spalten[i]), namen[i]);
        mitBetraegen.push_back(spalten[i]);
    }
    if (mitBetraegen.empty())
        return QString();
    html += QStringLiteral(
                "<h2>Beiträge in Euro: alle Beschäftigungen</h2>"
                "<table class='werte' width='100%' cellspacing='0' cellpadding='2' border='1'>"
                "<tr><td class='was' width='24%'>Summe Arbeitnehmeranteile</td><td width='19%'><b>%1</b></td>"
                "<td class='was' width='24%'>Summe Arbeitgeberanteile</td><td width='33%'><b>%2</b></td></tr>"
                "<tr><td class='was'>Arbeitgeberkosten</td><td><b>%3</b></td><td colspan='2'>%4</td></tr>"
                "</table>")
                .arg(zelle(b.summe.an), zelle(b.summe.ag), zelle(b.summe.kosten),
                     b.summe.anZzgl || b.summe.agZzgl ? QString::fromUtf8(engine::ZzglText) : QString());
    return html + werte(b, mitBetraegen);
}

} // namespace svp::ui
