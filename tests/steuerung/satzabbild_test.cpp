// The case and the record: every field of a month's record goes into the case and the window
// and comes back out unchanged.
#include "engine/satzabbild.h"

#include <gtest/gtest.h>

namespace svp::engine {
namespace {

using params::Currency;

// Sets the controls as the program does, without handlers.
struct Anzeige : Steuerelemente {
    Ansicht& a;
    explicit Anzeige(Ansicht& ansicht) : a(ansicht) {}
    void optionWaehlen(Optionsgruppe gruppe, int index) override
    {
        OptionGroup* g[] = {&a.HBOpt, &a.HBKV, &a.Schueler, &a.KBopt, &a.GBKV};
        g[static_cast<int>(gruppe)]->selected = index;
    }
    void kaestchenSetzen(Kaestchen kaestchen, int i, bool checked) override
    {
        const auto k = static_cast<std::size_t>(i);
        CheckBox* c[] = {&a.HBCheck, &a.HR, &a.KBCheck[k], &a.GBCheck[k], &a.priv[k]};
        c[static_cast<int>(kaestchen)]->checked = checked;
    }
};

TEST(Satzabbild, jedes_feld_kommt_unveraendert_zurueck)
{
    store::Eintrag e;
    e.Arbeitgeber = {"Müller GmbH", "Saisonbetrieb", "Bäckerei", "Haushalt Weiß"};
    e.HBStatus = 4;
    e.HBKV = 2;
    e.SchuelerArt = 3;
    e.HBCheck = true;
    e.HR = true;
    e.HBEntgelt = Currency::fromCents(123456);
    e.KBArt = 1;
    e.KBCheck = {true, false, true};
    e.GBKV = 1; // twins apart, as only a foreign record holds them
    e.GBCheck = false;
    e.priv = {false, true, false};
    e.Monatslohn = {Currency(), Currency::fromCents(38000), Currency::fromCents(-1250)};
    e.Monate = {Currency(), Currency::fromWhole(11), Currency::fromWhole(-3)};
    e.Urlaubsgeld = {Currency(), Currency::fromCents(4001), Currency::fromCents(7)};
    e.Weihnachtsgeld = {Currency(), Currency::fromCents(20000), Currency::fromCents(-99)};
    e.Reserviert274 = 9;

    Fall fall;
    Ansicht ansicht;
    Anzeige anzeige(ansicht);
    eintragZeigen(e, fall, ansicht, anzeige);
    EXPECT_EQ(eintragAus(fall, ansicht), e);
    // Of each pair of twins the later one gives the case its value.
    EXPECT_EQ(fall.KVStatus, 1);
    EXPECT_FALSE(fall.RVVoll);
    EXPECT_EQ(ansicht.loh[2].value, Currency::fromCents(-1250));
}

} // namespace
} // namespace svp::engine
