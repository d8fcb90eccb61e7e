#include "satzabbild.h"

namespace svp::engine {

store::Eintrag eintragAus(const Fall& f, const Ansicht& a)
{
    store::Eintrag e;
    e.Arbeitgeber = a.Arbeitgeber;
    e.HBStatus = f.HBStatus;
    e.HBKV = static_cast<std::int16_t>(a.HBKV.selected);
    e.SchuelerArt = f.SchuelerArt;
    e.HBCheck = f.HBUeber20;
    e.HR = a.HR.checked;
    e.HBEntgelt = f.HBEntgelt;
    e.KBArt = f.KBArt;
    e.KBCheck = f.KBMerker;
    e.GBKV = static_cast<std::int16_t>(a.GBKV.selected);
    e.GBCheck = a.GBCheck[1].checked;
    e.priv = f.Privathaushalt;
    e.Monatslohn = f.Monatslohn;
    e.Monate = f.Monate;
    e.Urlaubsgeld = f.Urlaubsgeld;
    e.Weihnachtsgeld = f.Weihnachtsgeld;
    e.Reserviert274 = f.Reserviert274;
    return e;
}

std::array<std::int16_t, 16> ergebniscodesAus(const Ergebniscode& ergebnis)
{
    std::array<std::int16_t, 16> codes{};
    for (int c = 0; c < Spalten; ++c)
        for (int r = ZeileKV; r <= ZeileAV; ++r)
            codes[static_cast<std::size_t>(c + 4 * (r - ZeileKV))] = ergebnis(c, r);
    return codes;
}

void eintragZeigen(const store::Eintrag& e, Fall& f, Ansicht& a, Steuerelemente& s)
{
    a.Arbeitgeber = e.Arbeitgeber;
    f.HBStatus = e.HBStatus;
    s.optionWaehlen(Optionsgruppe::HBOpt, e.HBStatus);
    f.KVStatus = e.HBKV;
    s.optionWaehlen(Optionsgruppe::HBKV, e.HBKV);
    f.SchuelerArt = e.SchuelerArt;
    s.optionWaehlen(Optionsgruppe::Schueler, e.SchuelerArt);
    f.HBUeber20 = e.HBCheck;
    s.kaestchenSetzen(Kaestchen::HBCheck, 0, e.HBCheck);
    f.RVVoll = e.HR;
    s.kaestchenSetzen(Kaestchen::HR, 0, e.HR);
    f.HBEntgelt = e.HBEntgelt;
    a.HBEuro.value = e.HBEntgelt;
    f.KBArt = e.KBArt;
    s.optionWaehlen(Optionsgruppe::KBopt, e.KBArt);
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        f.KBMerker[k] = e.KBCheck[k];
        s.kaestchenSetzen(Kaestchen::KBCheck, i, e.KBCheck[k]);
    }
    f.KVStatus = e.GBKV;
    s.optionWaehlen(Optionsgruppe::GBKV, e.GBKV);
    f.RVVoll = e.GBCheck;
    s.kaestchenSetzen(Kaestchen::GBCheck, 1, e.GBCheck);
    for (std::size_t j = 1; j <= 2; ++j) {
        f.Privathaushalt[j] = e.priv[j];
        s.kaestchenSetzen(Kaestchen::priv, static_cast<int>(j), e.priv[j]);
        f.Monatslohn[j] = e.Monatslohn[j];
        a.loh[j].value = e.Monatslohn[j];
        f.Monate[j] = e.Monate[j];
        a.Mon[j].value = e.Monate[j];
        f.Urlaubsgeld[j] = e.Urlaubsgeld[j];
        a.Url[j].value = e.Urlaubsgeld[j];
        f.Weihnachtsgeld[j] = e.Weihnachtsgeld[j];
        a.Wei[j].value = e.Weihnachtsgeld[j];
    }
    f.Reserviert274 = e.Reserviert274;
}

} // namespace svp::engine
