#include "fensterzeichnung.h"

#include "bausteine.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <QToolButton>

namespace svp::ui {

namespace {

// The letters of the panels HB(0) to HB(3).
constexpr std::array<char, 4> SpaltenKuerzel = {'b', 'Z', 'M', 'p'};

void listeZeigen(QComboBox* combo, const engine::ListBox& zustand)
{
    const QSignalBlocker sperre(combo);
    QStringList eintraege;
    for (const std::string& e : zustand.entries)
        eintraege << qtext(e);
    bool gleich = combo->count() == eintraege.size();
    for (int i = 0; gleich && i < combo->count(); ++i)
        gleich = combo->itemText(i) == eintraege[i];
    if (!gleich) {
        combo->clear();
        combo->addItems(eintraege);
    }
    if (combo->currentIndex() != zustand.selected)
        combo->setCurrentIndex(zustand.selected);
}

void optionenZeigen(const Optionsgruppe& gruppe, const engine::OptionGroup& zustand)
{
    const int anzahl = static_cast<int>(gruppe.knoepfe.size());
    const bool gewaehlt = zustand.selected >= 0 && zustand.selected < anzahl;
    for (int i = 0; i < anzahl; ++i) {
        UmbruchOption* knopf = gruppe.knoepfe[static_cast<std::size_t>(i)];
        const QSignalBlocker sperre(knopf);
        if (static_cast<std::size_t>(i) < zustand.captions.size()) {
            const QString caption = qtext(zustand.captions[static_cast<std::size_t>(i)]);
            if (knopf->text() != caption) {
                knopf->setText(caption);
                knopf->setAccessibleName(caption);
            }
        }
        // Tab reaches a group at its selected option, as in any dialog of the desktop; the
        // arrow keys choose within the group.
        const bool stop = gewaehlt ? i == zustand.selected : i == 0;
        knopf->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    const QSignalBlocker sperre(gruppe.gruppe);
    if (gewaehlt) {
        UmbruchOption* knopf = gruppe.knoepfe[static_cast<std::size_t>(zustand.selected)];
        const QSignalBlocker knopfsperre(knopf);
        if (!knopf->isChecked())
            knopf->setChecked(true);
    } else if (gruppe.gruppe->checkedButton() != nullptr) {
        QAbstractButton* knopf = gruppe.gruppe->checkedButton();
        const QSignalBlocker knopfsperre(knopf);
        gruppe.gruppe->setExclusive(false);
        knopf->setChecked(false);
        gruppe.gruppe->setExclusive(true);
    }
}

void kastenZeigen(UmbruchKasten* kasten, const engine::CheckBox& zustand)
{
    const QSignalBlocker sperre(kasten);
    const QString caption = qtext(zustand.caption);
    if (kasten->text() != caption) {
        kasten->setText(caption);
        kasten->setAccessibleName(caption);
    }
    if (kasten->isChecked() != zustand.checked)
        kasten->setChecked(zustand.checked);
    sichtbarSetzen(kasten, zustand.visible);
}

// The numeric fields and employer names of the columns and the choices of the top row.
struct Zeichner {
    const engine::Ansicht& a;
    std::optional<engine::Feld> fokus;
    const QWidget* eingabe;

    void feld(Zahlenfeld* feld, const engine::NumberField& zustand) const
    {
        const QSignalBlocker sperre(feld);
        // The user types in the field that has the focus, for the controller or for Qt (a field
        // the controller's focus could not reach, under a cover, leaves Qt's focus where it was).
        const bool inBearbeitung = fokus == feld->feld() || feld == eingabe;
        feld->zeigen(zustand, inBearbeitung);
        sichtbarSetzen(feld, zustand.visible);
    }

    void spalte(const Spaltenelemente& e, std::size_t k) const
    {
        const QString titel = qtext(a.HB[k].caption);
        titelSetzen(e.hb[k], titel, SpaltenKuerzel[k]);
        sichtbarSetzen(e.hb[k], a.HB[k].visible);

        // The name is stored blank-padded; the field shows it without the padding. While the
        // user types in it, the field keeps its own text.
        QLineEdit* name = e.arbeitgeber[k];
        if (name == eingabe)
            return;
        const QSignalBlocker sperre(name);
        QString text = qtext(a.Arbeitgeber[k]);
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        if (name->text() != text)
            name->setText(text);
    }

    void hauptbeschaeftigung(const Spaltenelemente& e) const
    {
        optionenZeigen(e.hbOpt, a.HBOpt);
        titelSetzen(e.kvTafel, qtext(a.KVTafel.caption), QLatin1Char('K'));
        sichtbarSetzen(e.kvTafel, a.KVTafel.visible);
        optionenZeigen(e.hbKV, a.HBKV);
        titelSetzen(e.schuelerTafel, qtext(a.Schuelertafel.caption), QLatin1Char('A'));
        sichtbarSetzen(e.schuelerTafel, a.Schuelertafel.visible);
        optionenZeigen(e.schueler, a.Schueler);
        kastenZeigen(e.hr, a.HR);
        kastenZeigen(e.hbCheck, a.HBCheck);
        sichtbarSetzen(e.svEntgelt, a.SVEntgelt.visible);
        feld(e.hbEuro, a.HBEuro);
    }

    void kurzfristige(const Spaltenelemente& e) const
    {
        optionenZeigen(e.kbOpt, a.KBopt);
        for (std::size_t i = 0; i < 3; ++i) {
            kastenZeigen(e.kbCheck[i], a.KBCheck[i]);
            if (e.kbCheckB[i] != nullptr)
                sichtbarSetzen(e.kbCheckB[i], a.KBCheckB[i].visible);
        }
    }

    void minijobs(const Spaltenelemente& e) const
    {
        sichtbarSetzen(e.gkvTraeger, a.GKVtraeger.visible);
        optionenZeigen(e.gbKV, a.GBKV);
        kastenZeigen(e.gbCheck1, a.GBCheck[1]);
        for (std::size_t i = 1; i <= 2; ++i) {
            kastenZeigen(e.priv[i], a.priv[i]);
            textSetzen(e.gbGrenze[i], qtext(a.GBGrenze[i].caption));
            sichtbarSetzen(e.gbGrenze[i], a.GBGrenze[i].visible);
            feld(e.loh[i], a.loh[i]);
            feld(e.mon[i], a.Mon[i]);
            feld(e.url[i], a.Url[i]);
            feld(e.wei[i], a.Wei[i]);
            feld(e.allMo[i], a.AllMo[i]);
            feld(e.jasum[i], a.Jasum[i]);
            feld(e.modurch[i], a.Modurch[i]);
        }
        textSetzen(e.deckel2, umbruchtext(qtext(a.deckel2.caption)));
        sichtbarSetzen(e.deckel2, a.deckel2.visible);
        sichtbarSetzen(e.eingaben3, !a.deckel2.visible);
    }
};

} // namespace

void zeichnen(const Kopfelemente& kopf, const Spaltenelemente& spalten, const engine::Ansicht& a,
              std::optional<engine::Feld> fokus, const QWidget* eingabe)
{
    listeZeigen(kopf.jahr, a.Jahr);
    listeZeigen(kopf.monat, a.Monat);
    listeZeigen(kopf.land, a.Land);

    const Zeichner zeichner{a, fokus, eingabe};
    for (std::size_t k = 0; k < spalten.hb.size(); ++k)
        zeichner.spalte(spalten, k);
    zeichner.hauptbeschaeftigung(spalten);
    zeichner.kurzfristige(spalten);
    zeichner.minijobs(spalten);
}

} // namespace svp::ui
