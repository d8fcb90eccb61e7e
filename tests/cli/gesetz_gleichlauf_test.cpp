// The cases where the rules follow the statute of 2006-2010, run through svpflicht-batch and
// through the window's controller: both give the codes and texts of the determination.

#include "../engine/gesetzesfaelle.h"
#include "engine/steuerung.h"
#include "params/fixed_text.h"
#include "run_executable.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace svp::test {
namespace {

using engine::Feld;
using engine::Feldart;
using params::Currency;

std::string alsZeile(const Gesetzesfall& f)
{
    nlohmann::ordered_json j = {{"AktJahr", f.jahr},
                                {"Monat", f.monat},
                                {"Land", f.land},
                                {"HBStatus", f.status},
                                {"KVStatus", f.kvStatus},
                                {"HBUeber20", f.ueber20},
                                {"RVVoll", f.rvVoll},
                                {"HBEntgelt", f.hbEntgelt},
                                {"Monatslohn", f.minijob},
                                {"Monate", {1, 1}},
                                {"Urlaubsgeld", {0, 0}},
                                {"Weihnachtsgeld", {0, 0}},
                                {"Privathaushalt", f.haushalt}};
    return j.dump() + "\n";
}

// The case entered into a freshly started window as a user would: lists, options, boxes, and
// each amount typed and confirmed with Enter.
void eingeben(engine::Steuerung& sv, const Gesetzesfall& f)
{
    auto tippen = [&](Feld feld, int euro) {
        sv.fokusSetzen(feld);
        sv.eingeben(feld, Currency::fromWhole(euro));
        sv.Taste(feld, engine::TasteEnter);
    };
    sv.Jahr_Click(f.jahr - params::ErstesJahr);
    sv.Monat_Click(f.monat);
    sv.Land_Click(f.land);
    sv.HBOpt_Click(f.status);
    sv.HBKV_Click(f.kvStatus);
    sv.HBCheck_Click(f.ueber20);
    sv.HR_Click(f.rvVoll);
    tippen({Feldart::HBEuro, 0}, f.hbEntgelt);
    for (int i = 1; i <= 2; ++i) {
        tippen({Feldart::loh, i}, f.minijob[static_cast<std::size_t>(i - 1)]);
        tippen({Feldart::Mon, i}, 1);
        tippen({Feldart::Url, i}, 0);
        tippen({Feldart::Wei, i}, 0);
        sv.priv_Click(i, f.haushalt[static_cast<std::size_t>(i - 1)]);
    }
}

TEST(Gesetz, batch_und_fenster_wie_die_bestimmung)
{
    std::string eingabe;
    for (const auto& f : Gesetzesfaelle)
        eingabe += alsZeile(f);
    const Lauf lauf = batchAusfuehren({}, eingabe);
    ASSERT_EQ(lauf.status, 0) << lauf.err;
    ASSERT_EQ(lauf.zeilen.size(), Gesetzesfaelle.size());

    for (std::size_t k = 0; k < Gesetzesfaelle.size(); ++k) {
        const auto& f = Gesetzesfaelle[k];
        SCOPED_TRACE(f.name);
        const auto spalte = static_cast<std::size_t>(f.spalte);
        const auto batch = nlohmann::json::parse(lauf.zeilen[k]);
        TempDir dir;
        engine::Steuerung sv(dir.path());
        sv.Form_Load();
        eingeben(sv, f);
        for (std::size_t r = 0; r < f.codes.size(); ++r) {
            EXPECT_EQ(batch["Ergebniscode"][spalte][r], f.codes[r]) << "Batch, Zeile " << 36 + r;
            EXPECT_EQ(sv.fall().ergebnis(f.spalte, static_cast<int>(36 + r)), f.codes[r])
                << "Fenster, Zeile " << 36 + r;
        }
        if (f.text) {
            const auto r = static_cast<std::size_t>(f.textZeile - 36);
            const std::string text = params::fixedText(f.text, params::TextWidth);
            EXPECT_EQ(batch["Ergebnistext"][spalte][r], text);
            EXPECT_EQ(sv.ansicht().Ergebnistext[spalte][r], text);
        }
    }
}

} // namespace
} // namespace svp::test
