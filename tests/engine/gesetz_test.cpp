// The rules where they follow the statute of 2006-2010: employed pensioners, working students,
// household mini-jobs and later mini-jobs beside a main employment.
#include "fenster.h"
#include "gesetzesfaelle.h"

#include <gtest/gtest.h>
#include <string>

namespace svp::engine::test {
namespace {

class Gesetz : public testing::TestWithParam<svp::test::Gesetzesfall>
{
};

TEST_P(Gesetz, codes_und_texte_nach_dem_gesetz)
{
    const auto& row = GetParam();
    Fenster f(row.jahr, row.monat, row.land);
    f.haupt(row.status, std::to_string(row.hbEntgelt));
    f.kv(row.kvStatus);
    f.ueber20(row.ueber20);
    f.rvVoll(row.rvVoll);
    for (int i = 1; i <= 2; ++i) {
        f.minijob(i, std::to_string(row.minijob[i - 1]));
        f.privathaushalt(i, row.haushalt[i - 1]);
    }
    f.bestimmen();
    EXPECT_EQ(f.codes(row.spalte), row.codes);
    if (row.text) {
        EXPECT_EQ(f.label(row.spalte, row.textZeile), text35(row.text));
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, Gesetz, testing::ValuesIn(svp::test::Gesetzesfaelle), ZeilenName());

} // namespace
} // namespace svp::engine::test
