// The result as a whole: a fresh window, the new-record case with its texts, what a run
// resets and what it leaves, and properties of random cases.
#include "fenster.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace svp::engine::test {
namespace {

TEST(NeuesFenster, alles_sichtbar_und_ergebnis_null)
{
    const Ansicht a;
    for (const Control* c :
         {&a.KVTafel, &a.Schuelertafel, &a.GKVtraeger, &a.SVEntgelt, &a.deckel2, &a.LSTinfo, &a.Lstkurz,
          &a.KBCheckB[0], &a.KBCheckB[2], &a.GBGrenze[1], &a.GBGrenze[2], &a.vielleicht[0], &a.vielleicht[1],
          &a.vielleicht[2], &a.vielleicht[3]})
        EXPECT_TRUE(c->visible);
    for (const CheckBox* c :
         {&a.HBCheck, &a.HR, &a.GBCheck[1], &a.priv[1], &a.priv[2], &a.KBCheck[0], &a.KBCheck[2]})
        EXPECT_TRUE(c->visible);
    EXPECT_EQ(a.HB[0].caption, "Hauptbeschäftigung");
    EXPECT_EQ(a.HB[1].caption, "Zeitgeringfügige Beschäftigung");
    EXPECT_EQ(a.HB[3].caption, "Später aufgenommene Mini-Jobs (summiert)");
    EXPECT_EQ(a.GBCheck[1].caption, "Verzicht auf Befreiung in der RV");
    EXPECT_EQ(a.HBKV.captions.at(3), "privat oder nicht KV-versich.");
    EXPECT_EQ(a.GBKV.captions.at(3), "privat oder nicht KV-versichert");
    EXPECT_EQ(Fall().ergebnis, Ergebniscode());
    for (int c = 0; c < Spalten; ++c)
        for (int r = ErsteZeile; r <= LetzteZeile; ++r)
            EXPECT_EQ(Fall().ergebnis(c, r), 0);
}

// The case of a new record, August 2008, Baden-Württemberg: every code and every label.
TEST(Standardfall, codes_und_texte_aller_spalten)
{
    Fenster f;
    f.standardfall();
    f.bestimmen();
    EXPECT_EQ(f.fall.Gesamtentgelt, eur("1000"));
    EXPECT_EQ(f.fall.Gleitfall, 1);
    EXPECT_EQ(f.codes(0), (Codes{1, 90, 0, 0, 0}));
    EXPECT_EQ(f.codes(1), (Codes{48, 123, 4, 1, 2}));
    EXPECT_EQ(f.codes(2), (Codes{53, 126, 4, 2, 2}));
    EXPECT_EQ(f.codes(3), (Codes{48, 0, 0, 0, 0}));
    EXPECT_EQ(f.mini.AktBesch, 3);

    const std::vector<std::vector<std::string>> texte = {
        {"Lohnsteuer Kl. I - III", "KV-Beitrag           14,5 % / 2", "Pflegevers. 1,95 % / 2",
         "Rentenvers. 19,9 % / 2", "Arbeitslosenvers. 3,3 % / 2", "ggfl. Zusatzbeitr. zu KV und PV"},
        {"", "Befreit von der KV-Pflicht", "Befreit von der PV-Pflicht", "Befreit von der RV-Pflicht",
         "Befreit von der AV-Pflicht", "ggfl. Zusatzbeitr. zu KV und PV"},
        {"Pauschalsteuer AG=2%, AN=0%", "KV. AN=0%, AG=13%", "Befreit von der PV-Pflicht",
         "RV. AN=0%, AG=15%", "Befreit von der AV-Pflicht", "ggfl. Zusatzbeitr. zu KV und PV"},
        // Code 0 is not empty: the undetermined column shows the ordinary lines (KV at 10 %).
        {"", "KV-Beitrag           10 % / 2", "Pflegevers. 1,95 % / 2", "Rentenvers. 19,9 % / 2",
         "Arbeitslosenvers. 3,3 % / 2", "ggfl. Zusatzbeitr. zu KV und PV"},
    };
    for (int c = 0; c < Spalten; ++c)
        for (int r = ErsteZeile; r <= LetzteZeile; ++r)
            EXPECT_EQ(f.label(c, r), text35(texte[c][r - ErsteZeile])) << c << "/" << r;
}

TEST(Standardfall, erstes_halbjahr_2006_alte_pauschalsaetze)
{
    Fenster f(2006, 5, 11);
    f.standardfall();
    f.bestimmen();
    EXPECT_EQ(f.codes(0), (Codes{1, 78, 0, 0, 0}));
    EXPECT_EQ(f.label(0, ZeileKV), text35("KV-Beitrag           13,9 % / 2"));
    EXPECT_EQ(f.label(2, ZeileKV), text35("KV. AN=0%, AG=11%"));
    EXPECT_EQ(f.label(2, ZeileRV), text35("RV. AN=0%, AG=12%"));
}

TEST(Zuruecksetzen, zeile_41_bleibt_zeilen_36_bis_40_werden_geleert)
{
    Fenster f;
    f.standardfall();
    f.fall.ergebnis(0, ZeileHinweis) = 3;
    f.fall.ergebnis(3, ZeileHinweis) = 6;
    f.setzeCodes(3, {54, 129, 8, 12, 6});
    f.bestimmen();
    EXPECT_EQ(f.code(0, ZeileHinweis), 3);
    EXPECT_EQ(f.code(3, ZeileHinweis), 6);
    EXPECT_EQ(f.code(1, ZeileHinweis), 0);
    EXPECT_EQ(f.label(0, ZeileHinweis), std::string(params::TextWidth, ' '));
    EXPECT_EQ(f.codes(3), (Codes{48, 0, 0, 0, 0}));
}

// Every control that the first step resets, set the other way by an earlier run; the case
// (an apprentice with 1000 Euro, nothing else) touches none of them later.
TEST(Zuruecksetzen, sichtbarkeit_des_vorigen_laufs)
{
    Fenster f;
    f.haupt(3, "1000");
    auto& a = f.ansicht;
    for (Control* c : {&a.KVTafel, &a.GKVtraeger, &a.SVEntgelt})
        c->visible = false;
    for (CheckBox* c : {&a.GBCheck[1], &a.priv[1], &a.priv[2]})
        c->visible = false;
    for (Control* c : {&a.Schuelertafel, &a.vielleicht[0], &a.LSTinfo, &a.Lstkurz})
        c->visible = true;
    a.HBCheck.visible = a.HR.visible = true;
    a.HB[1].caption = "anders";
    f.bestimmen();
    for (const Control* c : {&a.KVTafel, &a.GKVtraeger, &a.SVEntgelt})
        EXPECT_TRUE(c->visible);
    for (const CheckBox* c : {&a.GBCheck[1], &a.priv[1], &a.priv[2]})
        EXPECT_TRUE(c->visible);
    for (const Control* c : {&a.Schuelertafel, &a.vielleicht[0], &a.LSTinfo, &a.Lstkurz})
        EXPECT_FALSE(c->visible);
    EXPECT_FALSE(a.HBCheck.visible);
    EXPECT_FALSE(a.HR.visible);
    EXPECT_EQ(a.HB[1].caption, "Zeitgeringfügige Beschäftigung");
}

// What a run overwrites stays in the case: the next run does not see the old input again.
TEST(UeberschriebeneEingaben, entgelt_unter_grenze_bleibt_null)
{
    Fenster f;
    f.haupt(0, "399.99");
    f.bestimmen();
    ASSERT_EQ(f.fall.HBEntgelt, Currency());
    f.fall.HBStatus = 3; // the option handler changes the status only
    f.bestimmen();
    EXPECT_EQ(f.fall.HBEntgelt, Currency());
    EXPECT_EQ(f.codes(0), (Codes{1, 90, 0, 0, 0}));
}

TEST(UeberschriebeneEingaben, zweiter_minijob_bleibt_geloescht)
{
    Fenster f;
    f.haupt(0, "1000");
    f.minijob(1, "0", "12");
    f.minijob(2, "300", "12");
    f.bestimmen();
    ASSERT_EQ(f.fall.Monatslohn[2], Currency());
    f.minijob(1, "300", "12");
    f.bestimmen();
    EXPECT_EQ(f.fall.Monatslohn[2], Currency());
    EXPECT_EQ(f.fall.Monate[2], Currency());
    EXPECT_EQ(f.fall.Monatsdurchschnitt[2], Currency());
    EXPECT_TRUE(f.ansicht.vielleicht[3].visible);
    EXPECT_FALSE(f.ansicht.deckel2.visible);
}

TEST(UeberschriebeneEingaben, beamter_verliert_entgelt_auch_nach_wechsel)
{
    Fenster f;
    f.haupt(1, "1000");
    f.bestimmen();
    f.fall.HBStatus = 0;
    f.bestimmen();
    EXPECT_EQ(f.fall.HBEntgelt, Currency());
    EXPECT_TRUE(f.ansicht.vielleicht[0].visible);
}

// Random cases with every input inside the range of its field, in every status, one window
// for all of them as a user would change input after input.
class Zufallsfaelle : public testing::Test
{
protected:
    std::mt19937 zufall{20080801};

    int zahl(int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall); }
    bool haken() { return zahl(0, 1) == 1; }

    // An amount in cents between `von` and `bis` Euro, often one of the thresholds.
    Currency betrag(int von, int bis)
    {
        static const std::vector<const char*> schwellen = {
            "0",   "0.01",   "0.99",   "1",     "50",  "100", "150",    "200", "300",    "380",  "399.99",
            "400", "400.01", "400.09", "400.1", "450", "600", "799.99", "800", "800.01", "1000", "1500"};
        if (zahl(0, 2) > 0) {
            const Currency c = eur(schwellen[static_cast<std::size_t>(zahl(0, int(schwellen.size()) - 1))]);
            if (c >= Currency::fromWhole(von) && c <= Currency::fromWhole(bis))
                return zahl(0, 4) == 0 && von < 0 ? -c : c;
        }
        const std::int64_t cents = std::uniform_int_distribution<std::int64_t>(
            std::int64_t{von} * 100, std::int64_t{bis} * 100)(zufall);
        return Currency::fromCents(zahl(0, 3) == 0 ? cents : cents / 100 * 100); // whole Euro mostly
    }
    Currency monate()
    {
        static const std::vector<int> ueblich = {-1, 0, 1, 2, 3, 6, 11, 12, 13};
        if (zahl(0, 3) > 0)
            return Currency::fromWhole(ueblich[static_cast<std::size_t>(zahl(0, int(ueblich.size()) - 1))]);
        return Currency::fromWhole(zahl(-99999, 99999));
    }

    void zufallsfall(Fenster& f)
    {
        if (zahl(0, 9) == 0)
            f.periode(zahl(2006, 2010), zahl(0, 11), zahl(0, 15));
        f.mini.Auswahl[params::AuswahlSteuer] = static_cast<std::int16_t>(zahl(0, 3) == 0 ? zahl(0, 54) : 1);
        f.fall.HBStatus = static_cast<std::int16_t>(zahl(0, 12));
        f.fall.SchuelerArt = static_cast<std::int16_t>(zahl(0, 3));
        f.kv(zahl(0, 3));
        f.rvVoll(haken());
        f.ueber20(haken());
        f.fall.HBEntgelt = f.ansicht.HBEuro.value = betrag(0, 99999);
        f.kurz(zahl(0, 2), haken(), haken(), haken());
        for (int i = 1; i <= 2; ++i) {
            f.fall.Monatslohn[i] = f.ansicht.loh[i].value = betrag(i == 1 ? 0 : -99999, 99999);
            f.fall.Monate[i] = f.ansicht.Mon[i].value = monate();
            f.fall.Weihnachtsgeld[i] = f.ansicht.Wei[i].value =
                zahl(0, 2) == 0 ? betrag(-99999, 99999) : Currency();
            f.fall.Urlaubsgeld[i] = f.ansicht.Url[i].value =
                zahl(0, 2) == 0 ? betrag(-99999, 99999) : Currency();
            f.privathaushalt(i, haken());
        }
    }
};

TEST_F(Zufallsfaelle, codes_im_bereich_und_texte_ihrer_codes)
{
    Fenster f;
    const std::array<int, Zeilen> hoechster = {params::lst::Max, params::kv::Max, params::pv::Max,
                                               params::rv::Max,  params::av::Max, params::hinweis::Max};
    for (int fall = 0; fall < 5000; ++fall) {
        zufallsfall(f);
        f.bestimmen();
        for (int c = 0; c < Spalten; ++c) {
            for (int r = ErsteZeile; r <= LetzteZeile; ++r) {
                const int code = f.code(c, r);
                ASSERT_GE(code, 0) << "Fall " << fall << ", Spalte " << c << ", Zeile " << r;
                ASSERT_LE(code, hoechster[static_cast<std::size_t>(r - ErsteZeile)])
                    << "Fall " << fall << ", Spalte " << c << ", Zeile " << r;
                const auto k = static_cast<std::size_t>(code);
                const std::string& text = r == ZeileLSt  ? f.mini.LStText[k]
                                          : r == ZeileKV ? f.mini.KVText[k]
                                          : r == ZeilePV ? f.mini.PVText[k]
                                          : r == ZeileRV ? f.mini.RVText[k]
                                          : r == ZeileAV ? f.mini.AVText[k]
                                                         : f.mini.HinweisText[k];
                ASSERT_EQ(f.label(c, r), text) << "Fall " << fall << ", Spalte " << c << ", Zeile " << r;
                ASSERT_EQ(params::characterCount(f.label(c, r)), params::TextWidth);
            }
        }
    }
}

// A run keeps only what it has already used: determining the same case again changes no
// code, no sum and no input.
TEST_F(Zufallsfaelle, zweiter_lauf_aendert_nichts)
{
    Fenster f;
    for (int fall = 0; fall < 3000; ++fall) {
        zufallsfall(f);
        f.bestimmen();
        const Fall erster = f.fall;
        f.bestimmen();
        ASSERT_EQ(f.fall.ergebnis, erster.ergebnis) << "Fall " << fall << ", Status " << erster.HBStatus;
        ASSERT_EQ(f.fall.Gesamtentgelt, erster.Gesamtentgelt) << "Fall " << fall;
        ASSERT_EQ(f.fall.Gleitfall, erster.Gleitfall) << "Fall " << fall;
        ASSERT_EQ(f.fall.HBEntgelt, erster.HBEntgelt) << "Fall " << fall;
        ASSERT_EQ(f.fall.Monatsdurchschnitt, erster.Monatsdurchschnitt) << "Fall " << fall;
    }
}

} // namespace
} // namespace svp::engine::test
