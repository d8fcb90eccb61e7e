#include "beitragstafel.h"

#include "bausteine.h"
#include "papier.h"
#include "params/betrag_text.h"

#include <algorithm>
#include <string>

#include <QGridLayout>
#include <QLabel>

namespace svp::ui {

using engine::Betrag;
using engine::Grund;
using engine::Hinweis;
using params::Currency;

namespace {

constexpr const char* Strich = "—";
constexpr const char* Stern = "*";

const QString AN = QStringLiteral("Arbeitnehmer");
const QString AG = QStringLiteral("Arbeitgeber");

// A hint about the employee's share alone: the childless surcharge of PV.
bool nurArbeitnehmer(Hinweis h)
{
    return h == Hinweis::ElternNichtAngegeben || h == Hinweis::GeburtsdatumFehlt;
}

engine::Hinweise auswahl(const engine::Hinweise& alle, bool arbeitnehmer)
{
    engine::Hinweise teil;
    for (int i = 0; i < engine::AnzahlHinweise; ++i) {
        const auto h = static_cast<Hinweis>(i);
        if (alle.hat(h) && (arbeitnehmer || !nurArbeitnehmer(h)))
            teil.setzen(h);
    }
    return teil;
}

int zellenbreite(const QWidget& w)
{
    return w.fontMetrics().horizontalAdvance(QStringLiteral("999,99"));
}

// A cell never narrower than its amount: the result text beside it gives way.
void breiteSetzen(QLabel* zelle)
{
    const int breite =
        std::max(zellenbreite(*zelle), zelle->fontMetrics().horizontalAdvance(zelle->text()) + 1);
    if (zelle->minimumWidth() != breite)
        zelle->setMinimumWidth(breite);
}

} // namespace

QString euroZahl(Currency wert)
{
    std::string t = params::betragText(wert, {',', 2, 2});
    const std::size_t anfang = t.front() == '-' ? 1 : 0;
    for (std::size_t i = t.find(','); i > anfang + 3; i -= 3)
        t.insert(i - 3, 1, '.');
    return QString::fromStdString(t);
}

QString euroText(Currency wert)
{
    return euroZahl(wert) + QStringLiteral(" €");
}

QString prozentText(Currency satz)
{
    return QString::fromStdString(params::betragText(satz, params::zahlformat::Allgemein)) +
           QStringLiteral(" %");
}

QString hinweistexte(const engine::Hinweise& hinweise)
{
    QStringList texte;
    for (int i = 0; i < engine::AnzahlHinweise; ++i)
        if (const auto h = static_cast<Hinweis>(i); hinweise.hat(h))
            texte << QString::fromUtf8(engine::text(h));
    return texte.join(QLatin1Char('\n'));
}

int Beitragszeilen::breite(const QWidget& panel)
{
    // Room for "999,99" in each share, as the window's grid spaces its columns; a wider
    // amount takes room from the result text.
    return 2 * (zellenbreite(panel) + Zellenabstand);
}

QLabel* Beitragszeilen::text(QGridLayout* raster, int zeile, const QString& name, const QString& text,
                             bool nurAG)
{
    QLabel* label = beschriftung(name, text);
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // A row with the employer's share alone lends its caption the employee's cell.
    raster->addWidget(label, zeile, 0, 1, nurAG ? SpalteAG : SpalteAN);
    m_alle.push_back(label);
    return label;
}

Beitragszeilen::Zelle Beitragszeilen::zelle(QGridLayout* raster, int zeile, int spalte, const QString& name,
                                            const QString& zweig, const QString& anteil)
{
    Zelle z{beschriftung(name, QString()), zweig, anteil};
    z.label->setTextFormat(Qt::PlainText);
    z.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    z.label->setMinimumWidth(zellenbreite(*z.label));
    raster->addWidget(z.label, zeile, spalte);
    m_alle.push_back(z.label);
    leeren(z);
    return z;
}

void Beitragszeilen::bauen(QGridLayout* raster, int spalte, QGridLayout* fallRaster)
{
    m_spalte = spalte;
    const auto name = [spalte](const char* wort) { return gruppenname(wort, spalte); };
    const auto kopf = [&](QGridLayout* ziel, int zeile, int sp, const QString& anteil, const char* wort) {
        QLabel* k = beschriftung(name(wort), QString::fromUtf8(anteil == AN ? "AN €" : "AG €"));
        k->setAccessibleName(anteil + QStringLiteral("anteil in Euro"));
        k->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fettSetzen(k);
        ziel->addWidget(k, zeile, sp);
        m_alle.push_back(k);
    };

    if (spalte == 1) {
        // The short-term employment has no pay: its panel shows the totals of the case, in a
        // grid of their own under the rows, which a message over the rows does not cover. An
        // empty heading keeps the rows level with the other panels'.
        QLabel* leer = beschriftung(name("KopfLeer"), QStringLiteral("\u00a0"));
        fettSetzen(leer);
        raster->addWidget(leer, Kopfzeile, 0);
        m_alle.push_back(leer);
        QGridLayout* fall = fallRaster != nullptr ? fallRaster : raster;
        const int erste = fallRaster != nullptr ? 0 : Umlagenzeile;
        if (fallRaster != nullptr && fallRaster->parentWidget() != nullptr)
            m_alle.push_back(fallRaster->parentWidget());
        QLabel* titel = text(fall, erste, name("BeitragFall"), QStringLiteral("Insgesamt"));
        titel->setAccessibleName(QStringLiteral("Alle Beschäftigungen zusammen"));
        fettSetzen(titel);
        kopf(fall, erste, SpalteAN, AN, "KopfAN");
        kopf(fall, erste, SpalteAG, AG, "KopfAG");
        text(fall, erste + 1, name("SummeText"), QStringLiteral("Summe"));
        m_summeAN =
            zelle(fall, erste + 1, SpalteAN, name("SummeAN"), QStringLiteral("Alle Beschäftigungen"), AN);
        m_summeAG =
            zelle(fall, erste + 1, SpalteAG, name("SummeAG"), QStringLiteral("Alle Beschäftigungen"), AG);
        text(fall, erste + 2, name("KostenText"), QStringLiteral("Arbeitgeberkosten"), true);
        m_kosten = zelle(fall, erste + 2, SpalteAG, name("Kosten"), QStringLiteral("Alle Beschäftigungen"),
                         QStringLiteral("Arbeitgeberkosten"));
        return;
    }

    kopf(raster, Kopfzeile, SpalteAN, AN, "KopfAN");
    kopf(raster, Kopfzeile, SpalteAG, AG, "KopfAG");
    for (int p = 0; p < engine::AnzahlPosten; ++p) {
        const auto i = static_cast<std::size_t>(p);
        const QString zweig = QString::fromUtf8(Zweige[i]);
        const int zeile = engine::ZeileLSt + p;
        m_an[i] = zelle(raster, ErsteErgebniszeile + p, SpalteAN,
                        QStringLiteral("BeitragAN(%1,%2)").arg(spalte).arg(zeile), zweig, AN);
        m_ag[i] = zelle(raster, ErsteErgebniszeile + p, SpalteAG,
                        QStringLiteral("BeitragAG(%1,%2)").arg(spalte).arg(zeile), zweig, AG);
    }
    m_hinweis = beschriftung(name("BeitragHinweis"), QString());
    m_hinweis->setTextFormat(Qt::PlainText);
    m_hinweis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_hinweis->setStyleSheet(QStringLiteral("color: #8a4b00;"));
    platzHalten(m_hinweis);
    raster->addWidget(m_hinweis, ErsteErgebniszeile + engine::Zeilen - 1, SpalteAN, 1, 2);
    m_alle.push_back(m_hinweis);

    text(raster, Umlagenzeile, name("UmlagenText"), QStringLiteral("Umlagen"), true);
    m_umlagen = zelle(raster, Umlagenzeile, SpalteAG, name("Umlagen"), QStringLiteral("Umlagen"), AG);
    text(raster, Summenzeile, name("SummeText"), QStringLiteral("Summe"));
    m_summeAN = zelle(raster, Summenzeile, SpalteAN, name("SummeAN"), QStringLiteral("Summe"), AN);
    m_summeAG = zelle(raster, Summenzeile, SpalteAG, name("SummeAG"), QStringLiteral("Summe"), AG);
    text(raster, Kostenzeile, name("KostenText"), QStringLiteral("Arbeitgeberkosten"), true);
    m_kosten = zelle(raster, Kostenzeile, SpalteAG, name("Kosten"), QStringLiteral("Arbeitgeberkosten"),
                     QStringLiteral("Arbeitgeber"));
}

void Beitragszeilen::einblenden(bool sichtbar)
{
    // While the amounts are shown, the hint keeps its room, so that nothing moves when it
    // comes and goes; hidden with them, it takes none from the result texts.
    if (m_hinweis != nullptr) {
        QSizePolicy politik = m_hinweis->sizePolicy();
        politik.setRetainSizeWhenHidden(sichtbar);
        m_hinweis->setSizePolicy(politik);
    }
    for (QWidget* w : m_alle)
        sichtbarSetzen(w, sichtbar);
}

void Beitragszeilen::leeren(Zelle& z)
{
    textSetzen(z.label, QString());
    z.label->setToolTip(QString());
    nameSetzen(z.label, z.zweig + QStringLiteral(", ") + z.anteil + QStringLiteral(": keine Angabe"));
    z.label->setAccessibleDescription(QString());
}

void Beitragszeilen::setzen(Zelle& z, const Betrag& betrag, Grund grund, const QString& erlaeuterung,
                            const QString& hinweis, bool zzgl)
{
    QString anzeige, gelesen, beschreibung;
    if (!betrag.berechnet) {
        anzeige = QString::fromUtf8(Strich);
        beschreibung = QString::fromUtf8(engine::text(grund));
        gelesen = QStringLiteral("nicht berechnet");
    } else {
        anzeige = euroZahl(betrag.wert);
        gelesen = euroText(betrag.wert);
        beschreibung = erlaeuterung;
        if (zzgl) {
            anzeige += QStringLiteral("+");
            gelesen += QStringLiteral(" ") + QString::fromUtf8(engine::ZzglText);
            beschreibung = QString::fromUtf8(engine::ZzglText);
        }
    }
    if (!hinweis.isEmpty()) {
        anzeige += QString::fromUtf8(Stern);
        beschreibung = beschreibung.isEmpty() ? hinweis : beschreibung + QLatin1Char('\n') + hinweis;
    }
    textSetzen(z.label, anzeige);
    breiteSetzen(z.label);
    if (z.label->toolTip() != beschreibung)
        z.label->setToolTip(beschreibung);
    nameSetzen(z.label, z.zweig + QStringLiteral(", ") + z.anteil + QStringLiteral(": ") + gelesen);
    if (z.label->accessibleDescription() != beschreibung)
        z.label->setAccessibleDescription(beschreibung);
}

void Beitragszeilen::zeigen(const engine::Beitraege& b)
{
    if (b.saetze == nullptr) {
        for (auto* zellen : {&m_an, &m_ag})
            for (Zelle& z : *zellen)
                if (z.label != nullptr)
                    leeren(z);
        for (Zelle* z : {&m_umlagen, &m_summeAN, &m_summeAG, &m_kosten})
            if (z->label != nullptr)
                leeren(*z);
        if (m_hinweis != nullptr)
            textSetzen(m_hinweis, QString());
        return;
    }
    if (m_spalte == 1)
        fallZeigen(b);
    else
        spalteZeigen(b);
}

void Beitragszeilen::fallZeigen(const engine::Beitraege& b)
{
    setzen(m_summeAN, b.summe.an, Grund::Keiner, QString(), QString(), b.summe.anZzgl);
    setzen(m_summeAG, b.summe.ag, Grund::Keiner, QString(), QString(), b.summe.agZzgl);
    setzen(m_kosten, b.summe.kosten, Grund::Keiner,
           QStringLiteral("Entgelte und Arbeitgeberanteile aller Beschäftigungen"), QString(),
           b.summe.agZzgl);
}

void Beitragszeilen::spalteZeigen(const engine::Beitraege& b)
{
    const engine::Spalte& s = b.spalte(m_spalte);
    bool hinweise = false;
    for (int p = 0; p < engine::AnzahlPosten; ++p) {
        const auto i = static_cast<std::size_t>(p);
        const engine::Posten& posten = s.posten[i];
        // What the share was computed from: the base, a sliding zone's reduced base, the rate.
        QString grundlage;
        if (posten.art != engine::Art::Offen && posten.art != engine::Art::Keine &&
            posten.art != engine::Art::Frei) {
            grundlage = QStringLiteral("Grundlage ") + euroText(posten.grundlage);
            if (posten.be != posten.grundlage)
                grundlage += QStringLiteral(", Beitragsbemessung ") + euroText(posten.be);
            grundlage += QStringLiteral(", Satz ") + prozentText(posten.satz);
        }
        const QString hinweisAN = hinweistexte(auswahl(posten.hinweise, true));
        const QString hinweisAG = hinweistexte(auswahl(posten.hinweise, false));
        hinweise = hinweise || !posten.hinweise.leer();
        setzen(m_an[i], posten.an, posten.grund, grundlage, hinweisAN);
        setzen(m_ag[i], posten.ag, posten.grund, grundlage, hinweisAG);
    }

    // The levies in one cell; the tooltip names each.
    Betrag umlagen{Currency(), false};
    QStringList einzeln;
    engine::Hinweise umlagenHinweise;
    Grund grund = Grund::Keiner;
    static constexpr std::array<const char*, engine::AnzahlUmlagen> Namen = {
        "U1", "U2", "Insolvenzgeldumlage", "Unfallversicherung"};
    for (std::size_t u = 0; u < s.umlagen.size(); ++u) {
        const engine::Umlage& umlage = s.umlagen[u];
        const QString name = QString::fromUtf8(Namen[u]);
        if (umlage.ag.berechnet) {
            umlagen.wert += umlage.ag.wert;
            umlagen.berechnet = true;
            einzeln << name + QStringLiteral(": ") + euroText(umlage.ag.wert);
        } else {
            if (grund == Grund::Keiner)
                grund = umlage.grund;
            einzeln << name + QStringLiteral(": ") + QString::fromUtf8(engine::text(umlage.grund));
        }
        for (int h = 0; h < engine::AnzahlHinweise; ++h)
            if (umlage.hinweise.hat(static_cast<Hinweis>(h)))
                umlagenHinweise.setzen(static_cast<Hinweis>(h));
    }
    hinweise = hinweise || !umlagenHinweise.leer();
    if (umlagen.berechnet)
        setzen(m_umlagen, umlagen, Grund::Keiner, einzeln.join(QLatin1Char('\n')),
               hinweistexte(umlagenHinweise));
    else
        setzen(m_umlagen, umlagen, grund, QString(), hinweistexte(umlagenHinweise));
    if (!umlagen.berechnet)
        m_umlagen.label->setToolTip(einzeln.join(QLatin1Char('\n')));

    setzen(m_summeAN, s.summe.an, Grund::Keiner, QString(), QString(), s.summe.anZzgl);
    setzen(m_summeAG, s.summe.ag, Grund::Keiner, QString(), QString(), s.summe.agZzgl);
    setzen(m_kosten, s.summe.kosten, Grund::Keiner,
           QStringLiteral("Entgelt ") + euroText(s.entgelt) + QStringLiteral(" und Arbeitgeberanteile"),
           QString(), s.summe.agZzgl);

    const QString hinweistext = hinweise ? QStringLiteral("* Hinweis") : QString();
    textSetzen(m_hinweis, hinweistext);
    nameSetzen(m_hinweis,
               hinweise ? QStringLiteral("Hinweis zu den Beiträgen") : QStringLiteral("Kein Hinweis"));
    QStringList alle;
    for (int p = 0; p < engine::AnzahlPosten; ++p)
        if (const engine::Posten& posten = s.posten[static_cast<std::size_t>(p)]; !posten.hinweise.leer())
            alle << QString::fromUtf8(Zweige[static_cast<std::size_t>(p)]) + QStringLiteral(": ") +
                        hinweistexte(posten.hinweise).replace(QLatin1Char('\n'), QStringLiteral("; "));
    if (!umlagenHinweise.leer())
        alle << QStringLiteral("Umlagen: ") + hinweistexte(umlagenHinweise);
    const QString liste = alle.join(QLatin1Char('\n'));
    if (m_hinweis->toolTip() != liste)
        m_hinweis->setToolTip(liste);
    if (m_hinweis->accessibleDescription() != liste)
        m_hinweis->setAccessibleDescription(liste);
}

} // namespace svp::ui
