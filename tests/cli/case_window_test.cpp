// One case, three ways into the window: the controller opening a stored month, the year
// evaluation behind --satzdatei, and a batch line. All three must show it alike, control by
// control, as the batch writes a result line.
#include "cli/case_window.h"
#include "cli/result_writer.h"
#include "engine/jahresauswertung.h"
#include "engine/steuerung.h"
#include "store/datensatz.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace svp::cli {
namespace {

using params::Currency;
using test::TempDir;

constexpr int August = 7; // the window opens on August: a case stored there is shown at once

// A random case, its amounts near the limits of the rules.
struct Zufallsfall {
    int jahr, land;
    store::Eintrag eintrag;
};

Zufallsfall zufallsfall(std::mt19937& zufall)
{
    auto bis = [&](int n) { return static_cast<int>(zufall() % static_cast<unsigned>(n + 1)); };
    auto ja = [&] { return zufall() % 2 == 0; };
    constexpr std::int64_t Betraege[] = {0,       3000000,  3999900,  4000000,  4000050,
                                         4000100, 4500000,  6005000,  7999900,  8000000,
                                         8000100, 10000000, 18504000, 25000000, -200000};
    auto betrag = [&](bool negativErlaubt) {
        std::int64_t raw = Betraege[zufall() % std::size(Betraege)];
        return Currency::fromRaw(raw < 0 && !negativErlaubt ? -raw : raw);
    };
    constexpr int Monate[] = {0, 1, 2, 5, 6, 11, 12, 13, -1};
    auto monate = [&] { return Currency::fromWhole(Monate[zufall() % std::size(Monate)]); };

    Zufallsfall z{params::ErstesJahr + bis(4), bis(15), {}};
    store::Eintrag& e = z.eintrag;
    e.Arbeitgeber.fill(params::ArbeitgeberPlatzhalter);
    e.HBStatus = static_cast<std::int16_t>(bis(params::LetzterHBStatus));
    e.HBKV = e.GBKV = static_cast<std::int16_t>(bis(params::LetzterKVStatus));
    e.SchuelerArt = static_cast<std::int16_t>(bis(params::LetzteSchuelerArt));
    e.HBCheck = ja();
    e.HR = e.GBCheck = ja();
    e.HBEntgelt = betrag(false);
    e.KBArt = static_cast<std::int16_t>(bis(params::LetzteKBArt));
    e.KBCheck = {ja(), ja(), ja()};
    e.priv = {false, ja(), ja()};
    e.Monatslohn = {Currency(), betrag(false), betrag(true)};
    e.Monate = {Currency(), monate(), monate()};
    e.Urlaubsgeld = {Currency(), betrag(true), betrag(true)};
    e.Weihnachtsgeld = {Currency(), betrag(true), betrag(true)};
    e.Reserviert274 = 5;
    return z;
}

// The case as the month's record, in a year file that names August as shown last, with the
// master file naming the year.
store::Datensatz alsSatz(const Zufallsfall& z)
{
    store::Datensatz satz = store::Datensatz::standard(store::Datensatz(), z.jahr, August, z.land);
    satz.uebernehmen(z.eintrag);
    satz.setLand(static_cast<std::int16_t>(z.land));
    satz.setJahr(static_cast<std::int16_t>(z.jahr));
    return satz;
}

void dateienSchreiben(const TempDir& dir, const Zufallsfall& z)
{
    auto datei = [&](int jahr, bool mitFall) {
        std::vector<unsigned char> bytes;
        for (int monat = 0; monat < store::SaetzeProDatei; ++monat) {
            store::Datensatz satz = mitFall && monat == August
                                        ? alsSatz(z)
                                        : store::Datensatz::standard(store::Datensatz(), jahr, monat, 0);
            if (monat == 0) {
                satz.setMonat(August);
                satz.setJahr(static_cast<std::int16_t>(z.jahr));
            }
            bytes.insert(bytes.end(), satz.bytes().begin(), satz.bytes().end());
        }
        test::writeFile(dir / store::Ablage::dateiname(jahr), bytes);
    };
    datei(z.jahr, true);
    if (z.jahr != params::Stammjahr)
        datei(params::Stammjahr, false);
}

CaseInput alsZeile(const Zufallsfall& z)
{
    const store::Eintrag& e = z.eintrag;
    CaseInput in;
    in.set(Key::AktJahr, {z.jahr});
    in.set(Key::Monat, {August});
    in.set(Key::Land, {z.land});
    in.set(Key::HBStatus, {e.HBStatus});
    in.set(Key::SchuelerArt, {e.SchuelerArt});
    in.set(Key::KVStatus, {e.GBKV});
    in.set(Key::HBUeber20, {e.HBCheck});
    in.set(Key::RVVoll, {e.GBCheck});
    in.set(Key::HBEntgelt, {e.HBEntgelt.raw()});
    in.set(Key::KBArt, {e.KBArt});
    in.set(Key::KBCheck, {e.KBCheck[0], e.KBCheck[1], e.KBCheck[2]});
    in.set(Key::Monatslohn, {e.Monatslohn[1].raw(), e.Monatslohn[2].raw()});
    in.set(Key::Monate, {e.Monate[1].raw(), e.Monate[2].raw()});
    in.set(Key::Urlaubsgeld, {e.Urlaubsgeld[1].raw(), e.Urlaubsgeld[2].raw()});
    in.set(Key::Weihnachtsgeld, {e.Weihnachtsgeld[1].raw(), e.Weihnachtsgeld[2].raw()});
    in.set(Key::Privathaushalt, {e.priv[1], e.priv[2]});
    return in;
}

// Where two result lines part, with some of what comes before: empty when they are alike.
std::string ersterUnterschied(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    if (i == a.size() && i == b.size())
        return {};
    const std::size_t von = i < 60 ? 0 : i - 60;
    return "..." + a.substr(von, 80) + "\n..." + b.substr(von, 80);
}

TEST(Fallfenster, steuerung_jahresauswertung_und_stapelzeile_zeigen_denselben_fall_gleich)
{
    std::mt19937 zufall(24);
    MiniCache cache;
    for (int n = 0; n < 300; ++n) {
        const Zufallsfall z = zufallsfall(zufall);
        TempDir dir;
        dateienSchreiben(dir, z);

        engine::Steuerung sv(dir.path());
        sv.Form_Load();
        ASSERT_TRUE(sv.nimmMeldungen().empty());
        ASSERT_EQ(sv.fall().HBStatus, z.eintrag.HBStatus);
        std::string fenster;
        appendResult(fenster, sv.fall(), sv.ansicht());

        const auto monat = engine::monatAuswerten(alsSatz(z), z.jahr, August);
        std::string satzdatei;
        appendResult(satzdatei, monat->fall, monat->ansicht);

        CaseWindow zeile;
        zeile.apply(alsZeile(z));
        zeile.determine(cache);
        std::string stapel;
        appendResult(stapel, zeile.fall, zeile.ansicht);

        ASSERT_EQ(ersterUnterschied(stapel, fenster), "") << "Fall " << n << ", Fenster";
        ASSERT_EQ(ersterUnterschied(stapel, satzdatei), "") << "Fall " << n << ", Satzdatei";
    }
}

} // namespace
} // namespace svp::cli
