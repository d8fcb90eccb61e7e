#include "ergebnistafel.h"

#include "bausteine.h"
#include "papier.h"
#include "umbruch_knopf.h"

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSettings>
#include <QStyle>
#include <QToolButton>

namespace svp::ui {

namespace {

// Where the user's choice to see the amounts is kept.
const QString Schalterschluessel = QStringLiteral("Fenster/BeitraegeInEuro");

// Result labels of the four columns.
constexpr std::array<const char*, 4> Ergebnisnamen = {"SVH", "SVK", "SV1", "SVW"};

} // namespace

// A result row narrower than its text ends it with "…" and shows the whole text as its
// tooltip; the screen reader reads the whole text anyway.
class Ergebniszeile : public QLabel
{
public:
    void setzen(const QString& text)
    {
        textSetzen(this, text);
        tippAbgleichen();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter maler(this);
        style()->drawItemText(&maler, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                              gekuerzt(), foregroundRole());
    }
    void resizeEvent(QResizeEvent* ereignis) override
    {
        QLabel::resizeEvent(ereignis);
        tippAbgleichen();
    }

private:
    // The tables pad their texts with blanks; only what is written counts.
    QString geschrieben() const
    {
        QString t = text();
        while (t.endsWith(QLatin1Char(' ')))
            t.chop(1);
        return t;
    }
    QString gekuerzt() const
    {
        return fontMetrics().elidedText(geschrieben(), Qt::ElideRight, contentsRect().width());
    }
    void tippAbgleichen()
    {
        const QString ganz = geschrieben();
        const QString tipp = gekuerzt() == ganz ? QString() : ganz.trimmed();
        if (toolTip() != tipp)
            setToolTip(tipp);
    }
};

namespace {

// A screen reader reads the row and its result in one: "Lohnsteuer: Pauschalsteuer AG=2%,
// AN=0%"; the text alone is the description.
void zeileZeigen(Ergebniszeile* zeile, std::size_t r, const QString& text)
{
    zeile->setzen(text);
    const QString ergebnis = text.simplified();
    const QString zweig = QString::fromUtf8(Zweige[r]);
    nameSetzen(zeile, zweig + QStringLiteral(": ") +
                          (ergebnis.isEmpty() ? QStringLiteral("keine Angabe") : ergebnis));
    if (zeile->accessibleDescription() != ergebnis)
        zeile->setAccessibleDescription(ergebnis);
}

} // namespace

Ergebnistafel::Ergebnistafel()
{
    setObjectName(QStringLiteral("Ergebnisse"));
    m_ssPanel1 = beschriftung(QStringLiteral("SSPanel1"), QString::fromUtf8(engine::caption::Ergebnisse));
    m_ssPanel1->setAlignment(Qt::AlignCenter);
    m_ssPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_ssPanel1->setLineWidth(2);
    fettSetzen(m_ssPanel1);
    m_ssPanel1->setMargin(2);
    // The heading over the whole width, then the panels in one row, or in two (anordnen).
    m_raster = new QGridLayout(this);
    m_raster->setContentsMargins(Rand, 0, Rand, Rand);
    m_raster->addWidget(m_ssPanel1, 0, 0);
    // The switch of the amounts sits at the right end of the heading.
    m_schalter = new QCheckBox(QStringLiteral("Beit&räge in Euro"));
    m_schalter->setObjectName(QStringLiteral("BeitraegeInEuro"));
    m_schalter->setAccessibleName(QStringLiteral("Beiträge in Euro"));
    m_schalter->setChecked(QSettings().value(Schalterschluessel, true).toBool());
    m_raster->addWidget(m_schalter, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    for (std::size_t z = 0; z < m_reihen.size(); ++z) {
        m_reihen[z] = new QHBoxLayout;
        m_reihen[z]->setSpacing(Abstand);
        m_raster->addLayout(m_reihen[z], 1 + static_cast<int>(z), 0);
    }
    for (int spalte = 0; spalte < engine::Spalten; ++spalte)
        m_reihen[0]->addWidget(spalteBauen(spalte));
    m_reihen[0]->addStretch(1);
    beitraegeEinblenden(m_schalter->isChecked());
    QObject::connect(m_schalter, &QCheckBox::toggled, this, [this](bool an) {
        QSettings().setValue(Schalterschluessel, an);
        beitraegeEinblenden(an);
        if (m_umgeschaltet)
            m_umgeschaltet();
    });
}

void Ergebnistafel::beitraegeEinblenden(bool sichtbar)
{
    for (Beitragszeilen& b : m_beitraege)
        b.einblenden(sichtbar);
    // A panel covered by its message keeps the room of its rows; its grid, hidden, does not
    // hear of cells shown or hidden inside it.
    for (Spalte& s : m_spalten) {
        s.raster->invalidate();
        s.zeilenflaeche->updateGeometry();
        s.panel->layout()->invalidate();
    }
}

bool Ergebnistafel::beitraegeSichtbar() const
{
    return m_schalter->isChecked();
}

void Ergebnistafel::beitraegeZeigen(const engine::Beitraege& b)
{
    if (!m_schalter->isChecked())
        return; // drawn when the box is switched on
    for (Beitragszeilen& zeilen : m_beitraege)
        zeilen.zeigen(b);
}

QFrame* Ergebnistafel::spalteBauen(int spalte)
{
    Spalte& s = m_spalten[static_cast<std::size_t>(spalte)];
    s.panel = new QFrame;
    s.panel->setObjectName(gruppenname("Ergebnis", spalte));
    s.panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    s.zeilenflaeche = new QWidget;
    platzHalten(s.zeilenflaeche);
    s.raster = new QGridLayout(s.zeilenflaeche);
    s.raster->setContentsMargins(4, 1, 4, 1);
    s.raster->setVerticalSpacing(0);
    s.raster->setHorizontalSpacing(Beitragszeilen::Zellenabstand);
    for (int r = 0; r < engine::Zeilen; ++r) {
        const auto z = static_cast<std::size_t>(r);
        auto* label = new Ergebniszeile;
        label->setObjectName(
            gruppenname(Ergebnisnamen[static_cast<std::size_t>(spalte)], engine::ErsteZeile + r));
        label->setAccessibleName(QString::fromUtf8(Zweige[z]));
        label->setTextFormat(Qt::PlainText);
        // Where an amount needs more room than its cell, the text gives way, not the amount.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        s.zeilen[z] = label;
        // The text of a row may use the room of the icon beside the first row; in the panel
        // of the short-term employment, which has no amounts beside its rows, the room of the
        // amounts too.
        const int breite = spalte == 1 ? (r == 0 ? 3 : 4) : (r == 0 && spalte == 2 ? 1 : 2);
        s.raster->addWidget(label, Beitragszeilen::ErsteErgebniszeile + r, 0, 1, breite);
    }
    s.raster->setColumnStretch(0, 1);
    if (spalte == 1) {
        m_lstKurz = infoknopf(QStringLiteral("Lstkurz"), QStringLiteral("Erläuterung Lohnsteuerklasse"));
        s.raster->addWidget(m_lstKurz, Beitragszeilen::ErsteErgebniszeile, 3);
    } else if (spalte == 2) {
        m_lstInfo = infoknopf(QStringLiteral("LSTinfo"), QStringLiteral("Erläuterung Lohnsteuer"));
        // Hidden, the icon lends its room to the tax text beside the amounts.
        QSizePolicy politik = m_lstInfo->sizePolicy();
        politik.setRetainSizeWhenHidden(false);
        m_lstInfo->setSizePolicy(politik);
        s.raster->addWidget(m_lstInfo, Beitragszeilen::ErsteErgebniszeile, 1);
    }
    // The icons no higher than their icon: the tax row stays as high as the others.
    for (QToolButton* knopf : {m_lstKurz, m_lstInfo})
        if (knopf != nullptr)
            knopf->setMaximumHeight(knopf->iconSize().height() + 2);
    // The case's totals under the rows of the short-term employment, outside its message.
    QGridLayout* fallRaster = nullptr;
    QWidget* fall = nullptr;
    if (spalte == 1) {
        fall = new QWidget;
        fall->setObjectName(QStringLiteral("BeitraegeFall"));
        fallRaster = new QGridLayout(fall);
        fallRaster->setContentsMargins(4, 0, 4, 1);
        fallRaster->setVerticalSpacing(0);
        fallRaster->setHorizontalSpacing(Beitragszeilen::Zellenabstand);
        fallRaster->setColumnStretch(0, 1);
    }
    m_beitraege[static_cast<std::size_t>(spalte)].bauen(s.raster, spalte, fallRaster);

    auto* stapel = new QGridLayout(s.panel);
    stapel->setContentsMargins(1, 1, 1, 1);
    stapel->addWidget(s.zeilenflaeche, 0, 0);
    s.vielleicht = ueberlagerung(gruppenname("vielleicht", spalte));
    stapel->addWidget(s.vielleicht, 0, 0);
    if (fall != nullptr) {
        stapel->setVerticalSpacing(0);
        stapel->addWidget(fall, 1, 0);
    }
    return s.panel;
}

int Ergebnistafel::mindestbreite(int spalte, bool mitBeitraegen) const
{
    // The widest texts a result row of the column may show: the short-term column only its
    // exemptions and the tax classes, every other column any text of the tables. The icon
    // beside the first row of the short-term and the first mini-job column takes its room too.
    static const std::vector<const char*> Kurzfristig = {
        "ggfl. Zusatzbeitr. zu KV und PV", "Befreit von der KV-Pflicht", "Lohnsteuer Kl. I - III"};
    static const std::vector<const char*> Jede = {
        "AV-Gleitzone bei einziger Beschäftig", "PV-Gleitzone bei einziger Beschäft.",
        "RV-Gleitz.-einzige Besch.RV gekürzt", "Pfl.V. Sachs.AG-Zusch. 0,35 % von 1"};
    const QWidget* panel = m_spalten[static_cast<std::size_t>(spalte)].panel;
    int breite = 0;
    for (const char* text : spalte == 1 ? Kurzfristig : Jede)
        breite = std::max(breite, panel->fontMetrics().horizontalAdvance(QString::fromUtf8(text)));
    if (spalte == 1)
        return breite + 16 + 24;
    // Beside the first mini-job's icon stands only a tax text; the longer texts of the other
    // rows use the icon's room. The amounts take theirs whether shown or not: the window keeps
    // its width when they are switched on.
    if (spalte == 2)
        breite = std::max(
            breite,
            panel->fontMetrics().horizontalAdvance(QStringLiteral("Pauschalsteuer AG=2%, AN=0%")) + 24);
    return breite + 12 + (mitBeitraegen ? Beitragszeilen::breite(*panel) : 0);
}

void Ergebnistafel::ausrichten(const std::array<int, 4>& spaltenbreiten, int seitenbreite, int sichtbreite)
{
    std::array<int, 4> breiten = spaltenbreiten;
    if (sichtbreite <= 0) {
        anordnen(engine::Spalten);
    } else {
        const QMargins rand = m_raster->contentsMargins();
        const int innen = sichtbreite - rand.left() - rand.right();
        std::array<int, 4> mindest{};
        int nebeneinander = (engine::Spalten - 1) * Abstand;
        for (std::size_t k = 0; k < mindest.size(); ++k) {
            mindest[k] = std::max(mindestbreite(static_cast<int>(k), beitraegeSichtbar()), 1);
            nebeneinander += mindest[k];
        }
        anordnen(nebeneinander <= innen ? engine::Spalten : 2);
        // Each row shares the width in view in proportion to what its panels need.
        const int platz = innen - (m_jeZeile - 1) * Abstand;
        for (std::size_t erste = 0; erste < breiten.size(); erste += static_cast<std::size_t>(m_jeZeile)) {
            const std::size_t ende = erste + static_cast<std::size_t>(m_jeZeile);
            int summe = 0;
            for (std::size_t k = erste; k < ende; ++k)
                summe += mindest[k];
            int rest = platz;
            for (std::size_t k = erste; k + 1 < ende; ++k) {
                breiten[k] = platz * mindest[k] / summe;
                rest -= breiten[k];
            }
            breiten[ende - 1] = rest;
        }
        seitenbreite = sichtbreite;
    }
    for (std::size_t k = 0; k < m_spalten.size(); ++k)
        if (m_spalten[k].panel->width() != breiten[k] || m_spalten[k].panel->minimumWidth() != breiten[k])
            m_spalten[k].panel->setFixedWidth(breiten[k]);
    if (minimumWidth() != seitenbreite)
        setMinimumWidth(seitenbreite);
}

void Ergebnistafel::anordnen(int jeZeile)
{
    if (jeZeile == m_jeZeile)
        return;
    m_jeZeile = jeZeile;
    zeilenLeeren(m_reihen);
    for (int spalte = 0; spalte < engine::Spalten; ++spalte)
        m_reihen[static_cast<std::size_t>(spalte / jeZeile)]->addWidget(
            m_spalten[static_cast<std::size_t>(spalte)].panel);
    for (QHBoxLayout* reihe : m_reihen)
        if (reihe->count() > 0)
            reihe->addStretch(1);
}

void Ergebnistafel::zeigen(const engine::Ansicht& a)
{
    for (std::size_t c = 0; c < m_spalten.size(); ++c) {
        Spalte& s = m_spalten[c];
        nameSetzen(s.panel, QStringLiteral("Ergebnisse ") + qtext(a.HB[c].caption));
        const QString meldung = qtext(a.vielleicht[c].caption);
        textSetzen(s.vielleicht, umbruchtext(meldung));
        nameSetzen(s.vielleicht, meldung.isEmpty() ? QStringLiteral("Keine Angaben") : meldung);
        sichtbarSetzen(s.vielleicht, a.vielleicht[c].visible);
        // What an overlay covers is neither seen nor read out nor reached with Tab.
        sichtbarSetzen(s.zeilenflaeche, !a.vielleicht[c].visible);
        for (std::size_t r = 0; r < s.zeilen.size(); ++r)
            zeileZeigen(s.zeilen[r], r, qtext(a.Ergebnistext[c][r]));
    }
    sichtbarSetzen(m_lstInfo, a.LSTinfo.visible);
    sichtbarSetzen(m_lstKurz, a.Lstkurz.visible);
}

} // namespace svp::ui
