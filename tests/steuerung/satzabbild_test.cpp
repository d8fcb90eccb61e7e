// The case and the record: every field of a month's record goes into the case and the window
// and comes back out unchanged.
#include "engine/satzabbild.h"

#include <gtest/gtest.h>

namespace svp::engine {
namespace {

using params::Currency;

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
    e.GBKV = 2;
    e.GBCheck = true;
    e.priv = {false, true, false};
    e.Monatslohn = {Currency(), Currency::fromCents(38000), Currency::fromCents(-1250)};
    e.Monate = {Currency(), Currency::fromWhole(11), Currency::fromWhole(-3)};
    e.Urlaubsgeld = {Currency(), Currency::fromCents(4001), Currency::fromCents(7)};
    e.Weihnachtsgeld = {Currency(), Currency::fromCents(20000), Currency::fromCents(-99)};
    e.Reserviert274 = 9;

    Fall fall;
    Ansicht ansicht;
    eintragZeigen(e, fall, ansicht);
    EXPECT_EQ(eintragAus(fall, ansicht), e);
    EXPECT_EQ(ansicht.loh[2].value, Currency::fromCents(-1250));

    // Twins apart, as only a foreign record holds them: the later one gives the case its value,
    // and both controls show it, as their handlers keep them.
    e.GBKV = 1;
    e.GBCheck = false;
    eintragZeigen(e, fall, ansicht);
    EXPECT_EQ(fall.KVStatus, 1);
    EXPECT_EQ(ansicht.HBKV.selected, 1);
    EXPECT_FALSE(fall.RVVoll);
    EXPECT_FALSE(ansicht.HR.checked);
}

} // namespace
} // namespace svp::engine
