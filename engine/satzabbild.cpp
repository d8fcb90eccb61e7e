#include "satzabbild.h"

namespace svp::engine {

store::Eintrag eintragAus(const Fall& f, const Ansicht& a)
{
    store::Eintrag e;
    eintragAus(f, a, e);
    return e;
}

void eintragAus(const Fall& f, const Ansicht& a, store::Eintrag& e)
{
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
}

std::array<std::int16_t, 16> ergebniscodesAus(const Ergebniscode& ergebnis)
{
    std::array<std::int16_t, 16> codes{};
    for (int c = 0; c < Spalten; ++c)
        for (int r = ZeileKV; r <= ZeileAV; ++r)
            codes[static_cast<std::size_t>(c + 4 * (r - ZeileKV))] = ergebnis(c, r);
    return codes;
}

Eingabewerte eingabenAus(const store::Eintrag& e)
{
    Eingabewerte w;
    w.setzen(Eingabe::HBStatus, e.HBStatus);
    w.setzen(Eingabe::KVStatus, e.GBKV);
    w.setzen(Eingabe::SchuelerArt, e.SchuelerArt);
    w.setzen(Eingabe::HBUeber20, e.HBCheck);
    w.setzen(Eingabe::RVVoll, e.GBCheck);
    w.setzen(Eingabe::HBEntgelt, e.HBEntgelt.raw());
    w.setzen(Eingabe::KBArt, e.KBArt);
    w.setzen(Eingabe::KBMerker0, e.KBCheck[0]);
    w.setzen(Eingabe::KBMerker1, e.KBCheck[1]);
    w.setzen(Eingabe::KBMerker2, e.KBCheck[2]);
    w.setzen(Eingabe::Privathaushalt1, e.priv[1]);
    w.setzen(Eingabe::Monatslohn1, e.Monatslohn[1].raw());
    w.setzen(Eingabe::Monate1, e.Monate[1].raw());
    w.setzen(Eingabe::Urlaubsgeld1, e.Urlaubsgeld[1].raw());
    w.setzen(Eingabe::Weihnachtsgeld1, e.Weihnachtsgeld[1].raw());
    w.setzen(Eingabe::Privathaushalt2, e.priv[2]);
    w.setzen(Eingabe::Monatslohn2, e.Monatslohn[2].raw());
    w.setzen(Eingabe::Monate2, e.Monate[2].raw());
    w.setzen(Eingabe::Urlaubsgeld2, e.Urlaubsgeld[2].raw());
    w.setzen(Eingabe::Weihnachtsgeld2, e.Weihnachtsgeld[2].raw());
    return w;
}

void eintragZeigen(const store::Eintrag& e, Fall& f, Ansicht& a)
{
    a.Arbeitgeber = e.Arbeitgeber;
    wiederherstellen(eingabenAus(e), f, a);
    f.Reserviert274 = e.Reserviert274;
}

} // namespace svp::engine
