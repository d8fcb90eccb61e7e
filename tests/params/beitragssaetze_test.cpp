// The legal parameter table against the machine-readable copy kept with the amount rules:
// every key, every month from January 2006 to December 2010, value by value.
#include "params/beitragssaetze.h"
#include "params/betrag_text.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace svp::params {
namespace {

using Wert = std::optional<Currency>;

// The keys of the copy and where the table holds each; the top-ups are derived, and the copy
// carries them to check just that.
struct Schluessel {
    const char* name;
    Wert (*wert)(const Beitragssaetze&);
};
const Schluessel Schluessel[] = {
    {"kv_employee_only", [](const Beitragssaetze& s) -> Wert { return s.kvNurAN; }},
    {"kv_rate", [](const Beitragssaetze& s) -> Wert { return s.kvSatz; }},
    {"kv_rate_reduced", [](const Beitragssaetze& s) -> Wert { return s.kvSatzErmaessigt; }},
    {"pv_rate", [](const Beitragssaetze& s) -> Wert { return s.pvSatz; }},
    {"pv_childless", [](const Beitragssaetze& s) -> Wert { return s.pvZuschlagKinderlos; }},
    {"pv_sachsen_shift", [](const Beitragssaetze& s) -> Wert { return s.pvSachsen; }},
    {"rv_rate", [](const Beitragssaetze& s) -> Wert { return s.rvSatz; }},
    {"av_rate", [](const Beitragssaetze& s) -> Wert { return s.avSatz; }},
    {"gleit_f", [](const Beitragssaetze& s) -> Wert { return s.gleitF; }},
    {"mini_kv_flat", [](const Beitragssaetze& s) -> Wert { return s.miniKV; }},
    {"mini_rv_flat", [](const Beitragssaetze& s) -> Wert { return s.miniRV; }},
    {"hh_kv_flat", [](const Beitragssaetze& s) -> Wert { return s.haushaltKV; }},
    {"hh_rv_flat", [](const Beitragssaetze& s) -> Wert { return s.haushaltRV; }},
    {"kv_flat_122", [](const Beitragssaetze& s) -> Wert { return s.kvPauschal122; }},
    {"flat_tax", [](const Beitragssaetze& s) -> Wert { return s.pauschsteuer; }},
    {"rv_topup_comm", [](const Beitragssaetze& s) -> Wert { return s.aufstockung(); }},
    {"rv_topup_hh", [](const Beitragssaetze& s) -> Wert { return s.aufstockungHaushalt(); }},
    {"rv_min_base", [](const Beitragssaetze& s) -> Wert { return s.rvMindestgrundlage; }},
    {"geringverdiener", [](const Beitragssaetze& s) -> Wert { return s.geringverdienergrenze; }},
    {"u1_mini", [](const Beitragssaetze& s) -> Wert { return s.u1Mini; }},
    {"u2_mini", [](const Beitragssaetze& s) -> Wert { return s.u2Mini; }},
    {"insolvenz", [](const Beitragssaetze& s) -> Wert { return s.insolvenz; }},
    {"hh_uv", [](const Beitragssaetze& s) -> Wert { return s.haushaltUV; }},
    {"bbg_kv", [](const Beitragssaetze& s) -> Wert { return s.bbgKV; }},
    {"bbg_rv_west", [](const Beitragssaetze& s) -> Wert { return s.bbgRVWest; }},
    {"bbg_rv_ost", [](const Beitragssaetze& s) -> Wert { return s.bbgRVOst; }},
};

std::string zeigen(const Wert& w)
{
    return w ? betragText(*w, zahlformat::Punkt) : "—";
}

// "2006-01" as a month number.
int monat(const std::string& text)
{
    return monatsnummer(std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)) - 1);
}

TEST(Beitragssaetze, gleich_der_maschinenlesbaren_kopie)
{
    std::ifstream datei(SVP_BEITRAEGE_REFERENZ);
    if (!datei)
        GTEST_SKIP() << "Die Beitragsreferenz " << SVP_BEITRAEGE_REFERENZ
                     << " fehlt; Vergleich übersprungen.";
    std::stringstream inhalt;
    inhalt << datei.rdbuf();
    const std::string text = inhalt.str();
    const std::string kopf = "```csv\nfrom,to,key,value\n";
    const auto anfang = text.find(kopf);
    ASSERT_NE(anfang, std::string::npos) << "kein CSV-Block in der Referenz";
    const auto block = anfang + kopf.size();
    std::istringstream zeilen(text.substr(block, text.find("```", block) - block));

    std::map<std::pair<int, std::string>, Currency> soll;
    for (std::string zeile; std::getline(zeilen, zeile);) {
        std::istringstream felder(zeile);
        std::string von, bis, name, wert;
        std::getline(felder, von, ',');
        std::getline(felder, bis, ',');
        std::getline(felder, name, ',');
        std::getline(felder, wert);
        const Lesung betrag = betragLesen(wert, schreibweise::JsonZahl);
        ASSERT_TRUE(betrag.ok()) << zeile;
        for (int m = monat(von); m <= monat(bis); ++m)
            EXPECT_TRUE(soll.emplace(std::pair{m, name}, betrag.wert).second) << "doppelt: " << zeile;
    }
    ASSERT_GT(soll.size(), 300u) << "CSV-Block unvollständig gelesen";
    std::size_t verglichen = 0;
    for (int m = monatsnummer(2006, 0); m <= monatsnummer(2010, 11); ++m) {
        const Beitragssaetze* s = beitragssaetze(m / 12, m % 12);
        ASSERT_NE(s, nullptr) << m / 12 << "-" << m % 12 + 1;
        for (const auto& k : Schluessel) {
            const auto it = soll.find({m, k.name});
            const Wert erwartet = it == soll.end() ? Wert() : Wert(it->second);
            verglichen += erwartet.has_value();
            EXPECT_EQ(zeigen(k.wert(*s)), zeigen(erwartet)) << k.name << " " << m / 12 << "-" << m % 12 + 1;
        }
    }
    EXPECT_EQ(verglichen, soll.size()) << "Schlüssel der Referenz, die die Tabelle nicht kennt";
}

TEST(Beitragssaetze, ausserhalb_2006_bis_2010_keine_werte)
{
    EXPECT_EQ(beitragssaetze(2005, 11), nullptr);
    EXPECT_EQ(beitragssaetze(2011, 0), nullptr);
    EXPECT_EQ(beitragssaetze(2008, 12), nullptr);
    EXPECT_EQ(beitragssaetze(2008, 6)->pvSatz, Currency::fromCents(195));
    EXPECT_EQ(beitragssaetze(2008, 5)->pvSatz, Currency::fromCents(170));
}

} // namespace
} // namespace svp::params
