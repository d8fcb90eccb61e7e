#pragma once

#include "engine/beitraege.h"

#include <array>
#include <vector>

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;

namespace svp::ui {

// An amount as the window and the printed pages show it: "1.234,56 €", the whole euros grouped
// by points, two decimals. `euroZahl` without the sign, for cells under a heading "AN €".
QString euroZahl(params::Currency wert);
QString euroText(params::Currency wert);

// A rate in percent as the amounts name it: "7,45 %".
QString prozentText(params::Currency satz);

// The hints of a line, one text a line; empty without hints.
QString hinweistexte(const engine::Hinweise& hinweise);

// The contribution amounts inside one result panel: beside each result line of a branch its
// employee's (AN) and employer's (AG) share, under the lines the employer's levies, the
// column's totals and what the employment costs the employer. The panel of the short-term
// employment, which has no pay and no amounts, shows the totals of the case there.
//
// An amount that is not computed reads "—", its tooltip and its description say why; an
// amount for which a default stood in for a missing employee datum carries a "*", the text of
// the hint in its tooltip and description, and the panel says so under its lines. A screen
// reader reads every amount with its branch and share: "Krankenversicherung, Arbeitnehmer:
// 35,24 €".
class Beitragszeilen
{
public:
    // Grid rows of the panel: the heading of the amounts, then the result rows 36 to 41, then
    // the rows of the amounts alone.
    static constexpr int Kopfzeile = 0;
    static constexpr int ErsteErgebniszeile = 1;
    static constexpr int Umlagenzeile = ErsteErgebniszeile + engine::Zeilen;
    static constexpr int Summenzeile = Umlagenzeile + 1;
    static constexpr int Kostenzeile = Summenzeile + 1;
    // Grid columns of the two shares, right of the result text and its icon.
    static constexpr int SpalteAN = 2;
    static constexpr int SpalteAG = 3;
    // The space between the cells of the panel's grid.
    static constexpr int Zellenabstand = 3;

    // Puts the labels of panel `spalte` (0..3) into its grid; those of the case's totals in
    // the panel of the short-term employment into `fallRaster`, where given.
    void bauen(QGridLayout* raster, int spalte, QGridLayout* fallRaster = nullptr);

    // The amounts of the last determination; `gueltig` false (no determination yet, or a month
    // outside the years of the rates) leaves the cells empty.
    void zeigen(const engine::Beitraege& beitraege);

    void einblenden(bool sichtbar);

    // The width the two share columns take beside the result texts.
    static int breite(const QWidget& panel);

private:
    struct Zelle {
        QLabel* label = nullptr;
        QString zweig;  // "Krankenversicherung"
        QString anteil; // "Arbeitnehmer", "Arbeitgeber"
    };

    Zelle zelle(QGridLayout* raster, int zeile, int spalte, const QString& name, const QString& zweig,
                const QString& anteil);
    QLabel* text(QGridLayout* raster, int zeile, const QString& name, const QString& text,
                 bool nurAG = false);
    void setzen(Zelle& z, const engine::Betrag& betrag, engine::Grund grund, const QString& erlaeuterung,
                const QString& hinweis, bool zzgl = false);
    void leeren(Zelle& z);
    void spalteZeigen(const engine::Beitraege& b);
    void fallZeigen(const engine::Beitraege& b);

    int m_spalte = 0;
    std::vector<QWidget*> m_alle; // shown and hidden together
    std::array<Zelle, engine::AnzahlPosten> m_an{}, m_ag{};
    QLabel* m_hinweis = nullptr; // under the lines: that some carry a hint
    Zelle m_umlagen, m_summeAN, m_summeAG, m_kosten;
};

} // namespace svp::ui
