// Restoring a stored case: each input by one rule, and every control that shows an input is
// set by exactly one of them.
#include "engine/wiederherstellung.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace svp::engine {
namespace {

// A control that shows an input of the case, with what it shows.
struct Steuerelement {
    const char* name;
    std::int64_t (*zeigt)(const Ansicht&);
};

// clang-format off
const std::vector<Steuerelement> Eingabesteuerelemente = {
    {"HBOpt", [](const Ansicht& a) -> std::int64_t { return a.HBOpt.selected; }},
    {"HBKV", [](const Ansicht& a) -> std::int64_t { return a.HBKV.selected; }},
    {"GBKV", [](const Ansicht& a) -> std::int64_t { return a.GBKV.selected; }},
    {"Schueler", [](const Ansicht& a) -> std::int64_t { return a.Schueler.selected; }},
    {"HBCheck", [](const Ansicht& a) -> std::int64_t { return a.HBCheck.checked; }},
    {"HR", [](const Ansicht& a) -> std::int64_t { return a.HR.checked; }},
    {"GBCheck(1)", [](const Ansicht& a) -> std::int64_t { return a.GBCheck[1].checked; }},
    {"HBEuro", [](const Ansicht& a) { return a.HBEuro.value.raw(); }},
    {"KBopt", [](const Ansicht& a) -> std::int64_t { return a.KBopt.selected; }},
    {"KBCheck(0)", [](const Ansicht& a) -> std::int64_t { return a.KBCheck[0].checked; }},
    {"KBCheck(1)", [](const Ansicht& a) -> std::int64_t { return a.KBCheck[1].checked; }},
    {"KBCheck(2)", [](const Ansicht& a) -> std::int64_t { return a.KBCheck[2].checked; }},
    {"priv(1)", [](const Ansicht& a) -> std::int64_t { return a.priv[1].checked; }},
    {"priv(2)", [](const Ansicht& a) -> std::int64_t { return a.priv[2].checked; }},
    {"loh(1)", [](const Ansicht& a) { return a.loh[1].value.raw(); }},
    {"loh(2)", [](const Ansicht& a) { return a.loh[2].value.raw(); }},
    {"Mon(1)", [](const Ansicht& a) { return a.Mon[1].value.raw(); }},
    {"Mon(2)", [](const Ansicht& a) { return a.Mon[2].value.raw(); }},
    {"Url(1)", [](const Ansicht& a) { return a.Url[1].value.raw(); }},
    {"Url(2)", [](const Ansicht& a) { return a.Url[2].value.raw(); }},
    {"Wei(1)", [](const Ansicht& a) { return a.Wei[1].value.raw(); }},
    {"Wei(2)", [](const Ansicht& a) { return a.Wei[2].value.raw(); }},
};
// clang-format on

// The inputs of the case, in the order of Eingabe.
std::array<std::int64_t, AnzahlEingaben> eingabenVon(const Fall& f)
{
    return {f.HBStatus,
            f.KVStatus,
            f.SchuelerArt,
            f.HBUeber20,
            f.RVVoll,
            f.HBEntgelt.raw(),
            f.KBArt,
            f.KBMerker[0],
            f.KBMerker[1],
            f.KBMerker[2],
            f.Privathaushalt[1],
            f.Monatslohn[1].raw(),
            f.Monate[1].raw(),
            f.Urlaubsgeld[1].raw(),
            f.Weihnachtsgeld[1].raw(),
            f.Privathaushalt[2],
            f.Monatslohn[2].raw(),
            f.Monate[2].raw(),
            f.Urlaubsgeld[2].raw(),
            f.Weihnachtsgeld[2].raw()};
}

TEST(Wiederherstellung, jede_eingabe_eine_regel_jedes_steuerelement_genau_einmal)
{
    std::vector<int> gesetzt(Eingabesteuerelemente.size(), 0);
    for (std::size_t i = 0; i < AnzahlEingaben; ++i) {
        const auto eingabe = static_cast<Eingabe>(i);
        Fall fall;
        Ansicht ansicht;
        Eingabewerte werte;
        werte.setzen(eingabe, 1); // every input and control of a fresh window is 0
        wiederherstellen(werte, fall, ansicht);

        // The input itself and no other input of the case.
        const auto eingaben = eingabenVon(fall);
        for (std::size_t k = 0; k < AnzahlEingaben; ++k)
            EXPECT_EQ(eingaben[k], k == i ? 1 : 0) << "Eingabe " << i << ", Feld des Falls " << k;

        int zeigen = 0;
        for (std::size_t s = 0; s < Eingabesteuerelemente.size(); ++s)
            if (Eingabesteuerelemente[s].zeigt(ansicht) != 0) {
                ++gesetzt[s];
                ++zeigen;
            }
        EXPECT_GE(zeigen, 1) << "Eingabe " << i << " zeigt kein Steuerelement";
    }
    for (std::size_t s = 0; s < Eingabesteuerelemente.size(); ++s)
        EXPECT_EQ(gesetzt[s], 1) << Eingabesteuerelemente[s].name;
}

TEST(Wiederherstellung, nicht_gegebene_eingaben_behalten_ihren_wert)
{
    Fall fall;
    Ansicht ansicht;
    Eingabewerte alle;
    for (std::size_t i = 0; i < AnzahlEingaben; ++i)
        alle.setzen(static_cast<Eingabe>(i), 1);
    wiederherstellen(alle, fall, ansicht);

    Eingabewerte eine;
    eine.setzen(Eingabe::Monate2, 0);
    wiederherstellen(eine, fall, ansicht);
    auto erwartet = eingabenVon(Fall{});
    erwartet.fill(1);
    erwartet[static_cast<std::size_t>(Eingabe::Monate2)] = 0;
    EXPECT_EQ(eingabenVon(fall), erwartet);
    EXPECT_EQ(ansicht.Mon[2].value.raw(), 0);
    EXPECT_EQ(ansicht.Mon[1].value.raw(), 1);
}

} // namespace
} // namespace svp::engine
