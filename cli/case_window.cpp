#include "case_window.h"

#include "engine/bestimmung.h"

namespace svp::cli {

CaseWindow::CaseWindow()
{
    apply(defaultInput());
}

void CaseWindow::apply(const CaseInput& in)
{
    auto& f = fall;
    auto& a = ansicht;
    // Index 0 of a pair of the input is the first minor employment, index 1 of the case.
    auto pair = [&](Key key, std::array<Currency, 3>& values, std::array<engine::NumberField, 3>& fields) {
        for (int i = 0; i < 2; ++i)
            if (in.has(key, i))
                values[i + 1] = fields[i + 1].value = in.amount(key, i);
    };

    if (in.has(Key::AktJahr))
        AktJahr = in.integer(Key::AktJahr);
    if (in.has(Key::Monat))
        Monat = in.integer(Key::Monat);
    if (in.has(Key::Land))
        Land = in.integer(Key::Land);
    if (in.has(Key::HBStatus)) {
        f.HBStatus = in.integer(Key::HBStatus);
        a.HBOpt.selected = f.HBStatus;
    }
    if (in.has(Key::SchuelerArt)) {
        f.SchuelerArt = in.integer(Key::SchuelerArt);
        a.Schueler.selected = f.SchuelerArt;
    }
    if (in.has(Key::KVStatus)) { // both groups always show the same choice
        f.KVStatus = in.integer(Key::KVStatus);
        a.HBKV.selected = a.GBKV.selected = f.KVStatus;
    }
    if (in.has(Key::HBUeber20))
        f.HBUeber20 = a.HBCheck.checked = in.flag(Key::HBUeber20);
    if (in.has(Key::RVVoll)) // HR and GBCheck(1) are twins
        f.RVVoll = a.HR.checked = a.GBCheck[1].checked = in.flag(Key::RVVoll);
    if (in.has(Key::HBEntgelt))
        f.HBEntgelt = a.HBEuro.value = in.amount(Key::HBEntgelt);
    if (in.has(Key::KBArt)) {
        f.KBArt = in.integer(Key::KBArt);
        a.KBopt.selected = f.KBArt;
    }
    for (int i = 0; i < 3; ++i) // the boxes the determination reads and the remembered clicks
        if (in.has(Key::KBCheck, i))
            f.KBMerker[i] = a.KBCheck[i].checked = in.flag(Key::KBCheck, i);
    pair(Key::Monatslohn, f.Monatslohn, a.loh);
    pair(Key::Monate, f.Monate, a.Mon);
    pair(Key::Urlaubsgeld, f.Urlaubsgeld, a.Url);
    pair(Key::Weihnachtsgeld, f.Weihnachtsgeld, a.Wei);
    for (int i = 0; i < 2; ++i)
        if (in.has(Key::Privathaushalt, i))
            f.Privathaushalt[i + 1] = a.priv[i + 1].checked = in.flag(Key::Privathaushalt, i);
}

void CaseWindow::determine(MiniCache& cache)
{
    params::Mini& mini = cache.prepared(AktJahr, Monat);
    mini.Auswahl[params::AuswahlLand] = Land;
    mini.AktBesch = 0;
    engine::Bestimmung(mini, fall, ansicht).svzentrum();
}

} // namespace svp::cli
