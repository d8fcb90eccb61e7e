#pragma once

#include "beitragstafel.h"
#include "engine/ansicht.h"
#include "engine/fall.h"

#include <array>
#include <functional>

#include <QWidget>

class QCheckBox;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QToolButton;

namespace svp::ui {

class Ergebniszeile;

// The results under the four columns: the heading "Ergebnisse" and one panel per column, each
// as wide as its column. A panel holds one row per branch (Lohnsteuer, KV, PV, RV, AV,
// Hinweis: the result rows 36 to 41 of the rules) in a grid whose first column is the result
// text; what else is shown per branch goes into the same row further right: the amounts in
// euro (Beitragszeilen) with their heading in a row above and their totals in rows below. The two
// information icons of the tax row stand right of its text, in the short-term and the first
// mini-job column. A message in place of the results ("vielleicht(k)") covers the rows.
class Ergebnistafel : public QWidget
{
public:
    Ergebnistafel();

    // Shows the results, the messages and the icons of the view state.
    void zeigen(const engine::Ansicht& a);

    // The contribution amounts beside and under the results (Beitragszeilen), shown while the
    // check box "Beiträge in Euro" in the heading is on; the box keeps its state in the
    // user's settings.
    void beitraegeZeigen(const engine::Beitraege& b);
    bool beitraegeSichtbar() const;
    QCheckBox* beitraegeSchalter() const { return m_schalter; }
    // Called after the box showed or hid the amounts, when the panels' height changed.
    void setUmschaltung(std::function<void()> umgeschaltet) { m_umgeschaltet = std::move(umgeschaltet); }

    // The width the panel of `spalte` needs for the widest text a row of it may show, with the
    // room of the amounts beside it or without.
    int mindestbreite(int spalte, bool mitBeitraegen = true) const;

    // Each panel as wide as its column, the whole as wide as the page of the columns. Where the
    // columns scroll sideways (`sichtbreite` > 0, the width in view), the four panels stay in
    // view instead: side by side where their texts and amounts fit, else two above two, each
    // row sharing the width in proportion to what its panels need; a text cut short shows its
    // whole in the tooltip.
    void ausrichten(const std::array<int, 4>& spaltenbreiten, int seitenbreite, int sichtbreite = 0);

    QToolButton* lstKurz() const { return m_lstKurz; }
    QToolButton* lstInfo() const { return m_lstInfo; }

private:
    struct Spalte {
        QFrame* panel = nullptr;
        QWidget* zeilenflaeche = nullptr; // the rows, under the message
        QGridLayout* raster = nullptr;    // one row per branch
        QLabel* vielleicht = nullptr;
        std::array<Ergebniszeile*, 6> zeilen{}; // [row - 36]
    };

    QFrame* spalteBauen(int spalte);
    void beitraegeEinblenden(bool sichtbar);
    void anordnen(int jeZeile);

    QLabel* m_ssPanel1 = nullptr;
    std::array<Spalte, 4> m_spalten{};
    QToolButton* m_lstKurz = nullptr;
    QToolButton* m_lstInfo = nullptr;
    std::array<Beitragszeilen, 4> m_beitraege{};
    QCheckBox* m_schalter = nullptr;
    std::function<void()> m_umgeschaltet;
    QGridLayout* m_raster = nullptr;
    std::array<QHBoxLayout*, 2> m_reihen{}; // the panels, side by side or two above two
    int m_jeZeile = engine::Spalten;        // panels side by side: 4, or 2 where the columns scroll
};

} // namespace svp::ui
