#include "fensterbindung.h"

#include "ergebnistafel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace svp::ui {

namespace {

// Connects one kind of control; `handler` names the controller's handler.
struct Binder {
    QObject* kontext;
    const Ausloeser& ausloesen;

    // A list: the handler with the index the user chose.
    void liste(QComboBox* combo, void (engine::Steuerung::*handler)(int)) const
    {
        QObject::connect(combo, &QComboBox::activated, kontext, [a = ausloesen, handler](int index) {
            a([handler, index](engine::Steuerung& s) { (s.*handler)(index); });
        });
    }

    // An option changed by the user in any way (mouse, Space, arrow keys, the accessibility
    // action of a screen reader or of voice control) raises its handler once.
    void optionen(const Optionsgruppe& gruppe, void (engine::Steuerung::*handler)(int)) const
    {
        QObject::connect(gruppe.gruppe, &QButtonGroup::idToggled, kontext,
                         [a = ausloesen, handler](int i, bool gewaehlt) {
                             if (gewaehlt)
                                 a([handler, i](engine::Steuerung& s) { (s.*handler)(i); });
                         });
    }

    // A check box the same way, with its new state.
    void kasten(QCheckBox* kasten, std::function<void(engine::Steuerung&, bool)> handler) const
    {
        QObject::connect(kasten, &QCheckBox::toggled, kontext,
                         [a = ausloesen, handler = std::move(handler)](bool an) {
                             a([&handler, an](engine::Steuerung& s) { handler(s, an); });
                         });
    }

    void knopf(QAbstractButton* knopf, Handler handler) const
    {
        QObject::connect(knopf, &QAbstractButton::clicked, kontext,
                         [a = ausloesen, handler = std::move(handler)] { a(handler); });
    }

    void feld(Zahlenfeld* feld) const
    {
        const engine::Feld f = feld->feld();
        QObject::connect(feld, &Zahlenfeld::tasteGedrueckt, kontext, [a = ausloesen, f](int zeichen) {
            a([f, zeichen](engine::Steuerung& s) { s.Taste(f, zeichen); });
        });
        QObject::connect(feld, &QLineEdit::textEdited, kontext, [a = ausloesen, f](const QString& text) {
            a([f, &text](engine::Steuerung& s) { s.eingeben(f, text.toStdString()); });
        });
    }

    void name(QLineEdit* name, int i) const
    {
        QObject::connect(name, &QLineEdit::textEdited, kontext, [a = ausloesen, i](const QString& text) {
            a([i, &text](engine::Steuerung& s) { s.Arbeitgeber_Change(i, text.toStdString()); });
        });
    }
};

} // namespace

void verbinden(const Kopfelemente& kopf, const Spaltenelemente& e, const Ergebnistafel& ergebnisse,
               QObject* kontext, const Ausloeser& ausloesen)
{
    using S = engine::Steuerung;
    const Binder b{kontext, ausloesen};
    b.liste(kopf.jahr, &S::Jahr_Click);
    b.liste(kopf.monat, &S::Monat_Click);
    b.liste(kopf.land, &S::Land_Click);

    b.optionen(e.hbOpt, &S::HBOpt_Click);
    b.optionen(e.hbKV, &S::HBKV_Click);
    b.optionen(e.gbKV, &S::GBKV_Click);
    b.optionen(e.schueler, &S::Schueler_Click);
    b.optionen(e.kbOpt, &S::KBopt_Click);

    b.kasten(e.hbCheck, [](S& s, bool an) { s.HBCheck_Click(an); });
    b.kasten(e.hr, [](S& s, bool an) { s.HR_Click(an); });
    b.kasten(e.gbCheck1, [](S& s, bool an) { s.GBCheck_Click(1, an); });
    for (int i = 1; i <= 2; ++i)
        b.kasten(e.priv[static_cast<std::size_t>(i)], [i](S& s, bool an) { s.priv_Click(i, an); });
    for (int i = 0; i < 3; ++i)
        b.kasten(e.kbCheck[static_cast<std::size_t>(i)], [i](S& s, bool an) { s.KBCheck_Click(i, an); });

    for (Zahlenfeld* feld : e.felder)
        b.feld(feld);
    for (int i = 0; i < 4; ++i)
        b.name(e.arbeitgeber[static_cast<std::size_t>(i)], i);

    b.knopf(e.image1, [](S& s) { s.Image1_Click(); });
    b.knopf(ergebnisse.lstInfo(), [](S& s) { s.LSTinfo_Click(); });
    b.knopf(ergebnisse.lstKurz(), [](S& s) { s.Lstkurz_Click(); });
    for (int i : {0, 2})
        b.knopf(e.kbCheckB[static_cast<std::size_t>(i)], [i](S& s) { s.KBCheckB_Click(i); });

    b.knopf(kopf.speichern, [](S& s) { s.Speichern_Click(); });
    b.knopf(kopf.schliessen, [](S& s) { s.Schliessen_Click(); });
}

void tabfolgeSetzen(const Kopfelemente& kopf, const Spaltenelemente& e, const Ergebnistafel& ergebnisse)
{
    std::vector<QWidget*> folge = {kopf.jahr,       kopf.monat,      kopf.land,    kopf.hilfe,
                                   kopf.speichern,  kopf.schliessen, kopf.drucken, kopf.jahresuebersicht,
                                   e.arbeitgeber[0]};
    auto gruppe = [&folge](const Optionsgruppe& g) {
        folge.insert(folge.end(), g.knoepfe.begin(), g.knoepfe.end());
    };
    gruppe(e.hbOpt);
    gruppe(e.hbKV);
    gruppe(e.schueler);
    folge.insert(folge.end(), {e.image1, e.hr, e.hbCheck, e.hbEuro, e.arbeitgeber[1]});
    gruppe(e.kbOpt);
    folge.insert(folge.end(), {e.kbCheck[0], e.kbCheckB[0], e.kbCheck[1], e.kbCheck[2], e.kbCheckB[2]});
    gruppe(e.gbKV);
    folge.push_back(e.gbCheck1);
    for (std::size_t i = 1; i <= 2; ++i)
        folge.insert(folge.end(), {e.arbeitgeber[i + 1], e.priv[i], e.loh[i], e.mon[i], e.allMo[i], e.url[i],
                                   e.wei[i], e.jasum[i], e.modurch[i]});
    folge.insert(folge.end(), {ergebnisse.lstKurz(), ergebnisse.lstInfo()});
    for (std::size_t i = 1; i < folge.size(); ++i)
        QWidget::setTabOrder(folge[i - 1], folge[i]);
}

} // namespace svp::ui
