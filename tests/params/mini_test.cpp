#include "params/betrag_text.h"
#include "params/fixed_text.h"
#include "params/mini.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace svp::params {
namespace {

struct ZeilenName {
    template <class T> std::string operator()(const testing::TestParamInfo<T>& info) const
    {
        return info.param.name;
    }
};

// The whole recalculation of the tables for a year and month, in the order of the cycle.
void laden(Mini& mini, int jahr, int monat)
{
    mini.AktJahr = static_cast<std::int16_t>(jahr);
    mini.Auswahl[AuswahlMonat] = static_cast<std::int16_t>(monat);
    mini.periodeLaden();
}

std::string gepolstert(const std::string& text)
{
    return text + std::string(TextWidth - characterCount(text), ' ');
}

// General KV rates by state and year in hundredths of a percent (2009 column also for 2010),
// and the two changes within a year.
constexpr std::array<std::array<int, 4>, AnzahlLaender> Saetze = {{
    {1390, 1450, 1450, 1450},
    {1360, 1450, 1450, 1450},
    {1460, 1580, 1580, 1580},
    {1460, 1580, 1580, 1580},
    {1360, 1490, 1490, 1490},
    {1360, 1430, 1430, 1430},
    {1400, 1430, 1430, 1430},
    {1440, 1490, 1490, 1490},
    {1400, 1500, 1580, 1580},
    {1350, 1410, 1410, 1410},
    {1300, 1380, 1380, 1380},
    {1330, 1550, 1550, 1550},
    {1460, 1580, 1580, 1580},
    {1200, 1290, 1290, 1290},
    {1350, 1480, 1480, 1480},
    {1440, 1530, 1530, 1530},
}};

int erwarteterSatz(int jahr, int land, int monat)
{
    if (jahr == 2006 && land == 11 && monat >= 5)
        return 1390; // Saarland from June 2006
    if (jahr == 2007 && land == 8 && monat >= 6)
        return 1580; // Niedersachsen from July 2007
    return Saetze[static_cast<std::size_t>(land)][static_cast<std::size_t>(std::min(jahr, 2009) - 2006)];
}

TEST(MiniNeu, alles_null_und_texte_leer)
{
    const Mini mini;
    EXPECT_EQ(mini.AktJahr, 0);
    EXPECT_EQ(mini.PVSatzAN, Currency());
    for (const auto& zeile : mini.Beitragstafel)
        for (const auto& monat : zeile)
            for (auto zelle : monat)
                ASSERT_EQ(zelle, 0);
    for (const auto& text : mini.KVText)
        EXPECT_EQ(text, std::string(TextWidth, ' '));
}

TEST(Beitragstafel, jede_zelle_jedes_jahres_und_monats)
{
    Mini mini;
    // Years in an order that would reveal values surviving from a previous loader.
    for (int jahr : {2009, 2006, 2008, 2007, 2010, 2006}) {
        mini.AktJahr = static_cast<std::int16_t>(jahr);
        mini.beitragstafelLaden();
        for (int land = 0; land < AnzahlLaender; ++land)
            for (int monat = 0; monat < AnzahlMonate; ++monat)
                ASSERT_EQ(mini.Beitragstafel[land][monat][0], erwarteterSatz(jahr, land, monat))
                    << jahr << " " << LandNamen[static_cast<std::size_t>(land)] << " " << monat;
    }
}

struct Wechsel {
    const char* name;
    int jahr, land, monat;
    int satz;
    int kvCode; // (R - 1000) / 5, the employee-half line of the rate
};

class Periodenwechsel : public testing::TestWithParam<Wechsel>
{
};

TEST_P(Periodenwechsel, satz_und_textcode_folgen_dem_monat)
{
    const auto& row = GetParam();
    Mini mini;
    laden(mini, row.jahr, row.monat);
    const int satz = mini.Beitragstafel[row.land][row.monat][0];
    EXPECT_EQ(satz, row.satz);
    EXPECT_EQ((satz - 1000) % 5, 0);
    EXPECT_EQ((satz - 1000) / 5, row.kvCode);
    EXPECT_EQ(mini.KVText[row.kvCode].substr(0, 10), "KV-Beitrag");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Saetze, Periodenwechsel,
    testing::Values(
        Wechsel{"saarland_2006_mai_alt", 2006, 11, 4, 1330, 66},
        Wechsel{"saarland_2006_juni_neu", 2006, 11, 5, 1390, 78},
        Wechsel{"niedersachsen_2007_juni_alt", 2007, 8, 5, 1500, 100},
        Wechsel{"niedersachsen_2007_juli_neu", 2007, 8, 6, 1580, 116},
        Wechsel{"niedersachsen_2008_januar_schon_neu", 2008, 8, 0, 1580, 116},
        Wechsel{"niedrigster_satz_sachsen_anhalt_2006", 2006, 13, 0, 1200, 40},
        Wechsel{"berlin_2006", 2006, 2, 11, 1460, 92},
        Wechsel{"berlin_2010", 2010, 2, 0, 1580, 116}),
    ZeilenName());
// clang-format on

TEST(Beitragstafel, jahr_ausserhalb_laedt_nichts)
{
    Mini mini;
    mini.AktJahr = 2007;
    mini.beitragstafelLaden();
    const Mini::Tafel vorher = mini.Beitragstafel;
    for (int jahr : {2005, 2011, 0, -1}) {
        mini.AktJahr = static_cast<std::int16_t>(jahr);
        mini.beitragstafelLaden();
        EXPECT_EQ(mini.Beitragstafel, vorher) << jahr;
    }
}

struct Anteile {
    const char* name;
    int jahr, monat;
    const char *pv, *rv, *av;
};

class Jahreswerte : public testing::TestWithParam<Anteile>
{
};

TEST_P(Jahreswerte, setzt_die_arbeitnehmeranteile)
{
    const auto& row = GetParam();
    Mini mini;
    mini.AktJahr = static_cast<std::int16_t>(row.jahr);
    mini.Auswahl[AuswahlMonat] = static_cast<std::int16_t>(row.monat);
    mini.jahreswerte();
    EXPECT_EQ(mini.PVSatzAN, betragLesen(row.pv, schreibweise::TabellePunkt).wert);
    EXPECT_EQ(mini.RVSatzAN, betragLesen(row.rv, schreibweise::TabellePunkt).wert);
    EXPECT_EQ(mini.AVSatzAN, betragLesen(row.av, schreibweise::TabellePunkt).wert);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Jahre, Jahreswerte,
    testing::Values(
        Anteile{"jahr_2006", 2006, 0, "0.85", "9.75", "3.25"},
        Anteile{"jahr_2006_dezember", 2006, 11, "0.85", "9.75", "3.25"},
        Anteile{"jahr_2007", 2007, 3, "0.85", "9.95", "2.1"},
        Anteile{"jahr_2008_juni_alte_pflege", 2008, 5, "0.85", "9.95", "1.65"},
        Anteile{"jahr_2008_juli_neue_pflege", 2008, 6, "0.975", "9.95", "1.65"},
        Anteile{"jahr_2008_dezember", 2008, 11, "0.975", "9.95", "1.65"},
        Anteile{"jahr_2009", 2009, 0, "0.975", "9.95", "1.4"},
        Anteile{"jahr_2010_wie_2009", 2010, 11, "0.975", "9.95", "1.4"}),
    ZeilenName());
// clang-format on

TEST(JahreswerteAusserhalb, behaelt_die_letzten_werte)
{
    Mini mini;
    mini.AktJahr = 2005;
    mini.jahreswerte();
    EXPECT_EQ(mini.PVSatzAN, Currency());
    EXPECT_EQ(mini.RVSatzAN, Currency());
    EXPECT_EQ(mini.AVSatzAN, Currency());

    mini.AktJahr = 2007;
    mini.jahreswerte();
    for (int jahr : {2005, 2011}) {
        mini.AktJahr = static_cast<std::int16_t>(jahr);
        mini.jahreswerte();
        EXPECT_EQ(mini.PVSatzAN, Currency::fromRaw(8500));
        EXPECT_EQ(mini.RVSatzAN, Currency::fromRaw(99500));
        EXPECT_EQ(mini.AVSatzAN, Currency::fromRaw(21000));
    }
}

// Every entry of every table is 35 characters in every period the year list offers.
TEST(Textefuellen, jeder_eintrag_hat_35_zeichen)
{
    Mini mini;
    for (int jahr = ErstesJahr; jahr <= LetztesJahr; ++jahr) {
        for (int monat = 0; monat < AnzahlMonate; ++monat) {
            laden(mini, jahr, monat);
            auto pruefen = [&](const auto& tabelle, const char* name) {
                for (std::size_t code = 0; code < tabelle.size(); ++code)
                    ASSERT_EQ(characterCount(tabelle[code]), TextWidth)
                        << name << "(" << code << ") " << jahr << "/" << monat << ": " << tabelle[code];
            };
            pruefen(mini.LStText, "LStText");
            pruefen(mini.KVText, "KVText");
            pruefen(mini.PVText, "PVText");
            pruefen(mini.RVText, "RVText");
            pruefen(mini.AVText, "AVText");
            pruefen(mini.HinweisText, "HinweisText");
        }
    }
}

// The contribution line that a stored rate selects shows that very rate, in every state,
// year and month; its successor is the employer's subsidy line of the same rate.
TEST(Textefuellen, satzcode_zeigt_den_satz_der_tafel)
{
    Mini mini;
    for (int jahr = ErstesJahr; jahr <= LetztesJahr; ++jahr) {
        for (int monat = 0; monat < AnzahlMonate; ++monat) {
            laden(mini, jahr, monat);
            for (int land = 0; land < AnzahlLaender; ++land) {
                const int satz = mini.Beitragstafel[land][monat][0];
                const int code = (satz - 1000) / 5;
                ASSERT_GE(code, 0);
                ASSERT_LE(code + 1, kv::Max);
                const std::string prozent = Currency::fromRaw(satz * 100).formatGeneral();
                ASSERT_EQ(mini.KVText[code], gepolstert("KV-Beitrag           " + prozent + " % / 2"));
                ASSERT_EQ(mini.KVText[code + 1], gepolstert("KV-AG-Zuschuß " + prozent + " % / 2"));
            }
        }
    }
}

enum class Tabelle { LSt, KV, PV, RV, AV, Hinweis };

struct Text {
    const char* name;
    int jahr, monat;
    Tabelle tabelle;
    int code;
    std::string text; // as stored, before padding
};

class Texte : public testing::TestWithParam<Text>
{
};

const std::string& eintrag(const Mini& mini, Tabelle tabelle, int code)
{
    const auto c = static_cast<std::size_t>(code);
    switch (tabelle) {
    case Tabelle::LSt:
        return mini.LStText.at(c);
    case Tabelle::KV:
        return mini.KVText.at(c);
    case Tabelle::PV:
        return mini.PVText.at(c);
    case Tabelle::RV:
        return mini.RVText.at(c);
    case Tabelle::AV:
        return mini.AVText.at(c);
    case Tabelle::Hinweis:
        break;
    }
    return mini.HinweisText.at(c);
}

TEST_P(Texte, eintrag_ist_exakt)
{
    const auto& row = GetParam();
    Mini mini;
    laden(mini, row.jahr, row.monat);
    EXPECT_EQ(eintrag(mini, row.tabelle, row.code), gepolstert(row.text));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Tabellen, Texte,
    testing::Values(
        Text{"lst_0_leer", 2008, 7, Tabelle::LSt, 0, ""},
        Text{"lst_1_klasse_eins_bis_drei", 2008, 7, Tabelle::LSt, 1, "Lohnsteuer Kl. I - III"},
        Text{"lst_4_klasse_sechs", 2008, 7, Tabelle::LSt, 4, "Lohnsteuer Kl. VI"},
        Text{"lst_47_leer", 2008, 7, Tabelle::LSt, 47, ""},
        Text{"lst_48_leer", 2008, 7, Tabelle::LSt, 48, ""},
        Text{"lst_52_nichtveranlagung", 2008, 7, Tabelle::LSt, 52, "Nichtveranlagungsbescheinigung"},
        Text{"lst_53_pauschal_ag", 2008, 7, Tabelle::LSt, 53, "Pauschalsteuer AG=2%, AN=0%"},
        Text{"lst_54_pauschal_an", 2008, 7, Tabelle::LSt, 54, "Pauschalsteuer AG=0%, AN=2%"},
        Text{"kv_0_ganze_zehn", 2008, 7, Tabelle::KV, 0, "KV-Beitrag           10 % / 2"},
        Text{"kv_1_zuschuss_zehn", 2008, 7, Tabelle::KV, 1, "KV-AG-Zuschuß 10 % / 2"},
        Text{"kv_2_zehn_komma_eins", 2008, 7, Tabelle::KV, 2, "KV-Beitrag           10,1 % / 2"},
        Text{"kv_78_dreizehn_neun", 2008, 7, Tabelle::KV, 78, "KV-Beitrag           13,9 % / 2"},
        Text{"kv_79_zuschuss_dreizehn_neun", 2008, 7, Tabelle::KV, 79, "KV-AG-Zuschuß 13,9 % / 2"},
        Text{"kv_120_ganze_sechzehn", 2008, 7, Tabelle::KV, 120, "KV-Beitrag           16 % / 2"},
        Text{"kv_121_zuschuss_sechzehn", 2008, 7, Tabelle::KV, 121, "KV-AG-Zuschuß 16 % / 2"},
        Text{"kv_122", 2008, 7, Tabelle::KV, 122, "KV. AN=0%, AG=10%"},
        Text{"kv_123_befreit", 2008, 7, Tabelle::KV, 123, "Befreit von der KV-Pflicht"},
        Text{"kv_125_zuschuss_eingabe", 2008, 7, Tabelle::KV, 125, "KV-AG-Zuschuß laut Eingabe"},
        Text{"kv_126_juni_2006_elf", 2006, 5, Tabelle::KV, 126, "KV. AN=0%, AG=11%"},
        Text{"kv_126_juli_2006_dreizehn", 2006, 6, Tabelle::KV, 126, "KV. AN=0%, AG=13%"},
        Text{"kv_126_2007_dreizehn", 2007, 0, Tabelle::KV, 126, "KV. AN=0%, AG=13%"},
        Text{"kv_127_haushalt", 2008, 7, Tabelle::KV, 127, "KV. AN=0%, AG=5%"},
        Text{"kv_128_gekappt", 2008, 7, Tabelle::KV, 128, "KV-Gleitzone - einzige Beschäftigun"},
        Text{"kv_129", 2008, 7, Tabelle::KV, 129, "KV-Gleitzone lt. bes. Berechnung"},
        Text{"pv_0_2006", 2006, 0, Tabelle::PV, 0, "Pflegevers. 1,7 % / 2"},
        Text{"pv_0_juni_2008_alt", 2008, 5, Tabelle::PV, 0, "Pflegevers. 1,7 % / 2"},
        Text{"pv_0_juli_2008_neu", 2008, 6, Tabelle::PV, 0, "Pflegevers. 1,95 % / 2"},
        Text{"pv_0_2009", 2009, 0, Tabelle::PV, 0, "Pflegevers. 1,95 % / 2"},
        Text{"pv_0_2010", 2010, 11, Tabelle::PV, 0, "Pflegevers. 1,95 % / 2"},
        Text{"pv_1_ohne_blank", 2006, 0, Tabelle::PV, 1, "Pflegevers.AG-Zusch.1,7 % / 2"},
        Text{"pv_2_sachsen_juni_2008", 2008, 5, Tabelle::PV, 2, "Pfl.vers.Sachsen 1,35 % von 1,7"},
        Text{"pv_2_sachsen_juli_2008", 2008, 6, Tabelle::PV, 2, "Pfl.vers.Sachsen 1,475 % von 1,95"},
        Text{"pv_3_gekappt_2006", 2006, 0, Tabelle::PV, 3, "Pfl.V. Sachs.AG-Zusch. 0,35 % von 1"},
        Text{"pv_3_kurz_juli_2008", 2008, 6, Tabelle::PV, 3, "Pfl.V.Sachs.AG-Zus. 0,475 % v. 1,95"},
        Text{"pv_3_kurz_2009", 2009, 0, Tabelle::PV, 3, "Pfl.V.Sachs.AG-Zus. 0,475 % v. 1,95"},
        Text{"pv_7_genau_35", 2008, 7, Tabelle::PV, 7, "PV-Gleitzone bei einziger Beschäft."},
        Text{"pv_8", 2008, 7, Tabelle::PV, 8, "PV-Gleitzone lt.bes. Berechnung"},
        Text{"rv_0_2006", 2006, 0, Tabelle::RV, 0, "Rentenvers. 19,5 % / 2"},
        Text{"rv_0_2007", 2007, 0, Tabelle::RV, 0, "Rentenvers. 19,9 % / 2"},
        Text{"rv_0_2009", 2009, 0, Tabelle::RV, 0, "Rentenvers. 19,9 % / 2"},
        Text{"rv_2_juni_2006", 2006, 5, Tabelle::RV, 2, "RV. AN=0%, AG=12%"},
        Text{"rv_2_juli_2006", 2006, 6, Tabelle::RV, 2, "RV. AN=0%, AG=15%"},
        Text{"rv_3_juni_2006", 2006, 5, Tabelle::RV, 3, "RV. AN=7,5 %, AG = 12 %"},
        Text{"rv_3_juli_2006", 2006, 6, Tabelle::RV, 3, "RV. AN=4,5 %, AG = 15 %"},
        Text{"rv_3_2007", 2007, 0, Tabelle::RV, 3, "RV. AN=4,9 %, AG = 15 %"},
        Text{"rv_5_zuschuss", 2008, 7, Tabelle::RV, 5, "Rentenvers. AG-Zuschuß 19,9 % / 2"},
        Text{"rv_6_rentner", 2006, 0, Tabelle::RV, 6, "Rentenvers. AN=0 / AG=19,5 % / 2"},
        Text{"rv_7_gekuerzt", 2008, 7, Tabelle::RV, 7, "RV-Gleitz.-einzige Besch.RV gekürzt"},
        Text{"rv_10_voll", 2008, 7, Tabelle::RV, 10, "RV-Gleitz. lt.bes.Ber. RV voll"},
        Text{"rv_11_haushaltsscheck", 2008, 7, Tabelle::RV, 11, "Haushaltsscheckverfahren"},
        Text{"rv_12_haushalt_aufstockung_juli_2006", 2006, 6, Tabelle::RV, 12, "RV. AN=14,5 %, AG = 5 %"},
        Text{"rv_12_haushalt_aufstockung_2008", 2008, 7, Tabelle::RV, 12, "RV. AN=14,9 %, AG = 5 %"},
        Text{"av_0_2006", 2006, 0, Tabelle::AV, 0, "Arbeitslosenvers. 6,5 % / 2"},
        Text{"av_0_2007", 2007, 0, Tabelle::AV, 0, "Arbeitslosenvers. 4,2 % / 2"},
        Text{"av_0_2008", 2008, 11, Tabelle::AV, 0, "Arbeitslosenvers. 3,3 % / 2"},
        Text{"av_0_2009", 2009, 0, Tabelle::AV, 0, "Arbeitslosenvers. 2,8 % / 2"},
        Text{"av_0_2010", 2010, 11, Tabelle::AV, 0, "Arbeitslosenvers. 2,8 % / 2"},
        Text{"av_1", 2008, 7, Tabelle::AV, 1, "Arbeitslosenversich. lt.Eingabe"},
        Text{"av_3_gekappt", 2008, 7, Tabelle::AV, 3, "AV-Gleitzone bei einziger Beschäfti"},
        Text{"av_5_2006", 2006, 11, Tabelle::AV, 5, "AV, AN = 0 %, AG = 6,5 %"},
        Text{"av_5_2007", 2007, 0, Tabelle::AV, 5, "AV, AN = 0 %, AG = 4,2 %"},
        Text{"av_5", 2008, 7, Tabelle::AV, 5, "AV, AN = 0 %, AG = 3,3 %"},
        Text{"av_5_2010", 2010, 0, Tabelle::AV, 5, "AV, AN = 0 %, AG = 2,8 %"},
        Text{"av_6_mit_paragraf_2006", 2006, 0, Tabelle::AV, 6, "AV, AN = 0 %, AG = 3,25 %§"},
        Text{"av_6_mit_paragraf", 2008, 7, Tabelle::AV, 6, "AV, AN = 0 %, AG = 1,65 %§"},
        Text{"av_6_2009", 2009, 0, Tabelle::AV, 6, "AV, AN = 0 %, AG = 1,4 %§"},
        Text{"hinweis_0", 2008, 7, Tabelle::Hinweis, 0, "ggfl. Zusatzbeitr. zu KV und PV"},
        Text{"hinweis_1_leer", 2008, 7, Tabelle::Hinweis, 1, ""},
        Text{"hinweis_6_leer", 2008, 7, Tabelle::Hinweis, 6, ""}),
    ZeilenName());
// clang-format on

// Before 2006 the period texts are not set: they keep what the last run put there.
TEST(Textefuellen, jahr_vor_2006_behaelt_periodentexte)
{
    Mini neu;
    laden(neu, 2005, 0);
    EXPECT_EQ(neu.KVText[126], std::string(TextWidth, ' '));
    EXPECT_EQ(neu.RVText[2], std::string(TextWidth, ' '));
    EXPECT_EQ(neu.RVText[3], std::string(TextWidth, ' '));

    Mini mini;
    laden(mini, 2006, 2);
    laden(mini, 2005, 8);
    EXPECT_EQ(mini.KVText[126], gepolstert("KV. AN=0%, AG=11%"));
    EXPECT_EQ(mini.RVText[2], gepolstert("RV. AN=0%, AG=12%"));
    EXPECT_EQ(mini.RVText[3], gepolstert("RV. AN=7,5 %, AG = 12 %"));
    // The shares of 2006 stay, so do the texts built from them.
    EXPECT_EQ(mini.RVText[0], gepolstert("Rentenvers. 19,5 % / 2"));
}

// A rebuild for another period replaces the rate texts of the previous one.
TEST(Textefuellen, neuer_zeitraum_ueberschreibt)
{
    Mini mini;
    laden(mini, 2006, 0);
    laden(mini, 2009, 0);
    EXPECT_EQ(mini.RVText[0], gepolstert("Rentenvers. 19,9 % / 2"));
    EXPECT_EQ(mini.AVText[0], gepolstert("Arbeitslosenvers. 2,8 % / 2"));
    EXPECT_EQ(mini.RVText[2], gepolstert("RV. AN=0%, AG=15%"));
    EXPECT_EQ(mini.KVText[126], gepolstert("KV. AN=0%, AG=13%"));
}

} // namespace
} // namespace svp::params
