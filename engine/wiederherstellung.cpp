#include "wiederherstellung.h"

#include "bestimmung.h"

namespace svp::engine {

namespace {

std::int16_t option(std::int64_t wert)
{
    return static_cast<std::int16_t>(wert);
}

// How one input is restored: the value into the case and every control that shows it.
struct Eingaberegel {
    Eingabe eingabe;
    void (*setzen)(Fall& f, Ansicht& a, std::int64_t w);
};

// One row per input, in the order of the enumeration (and of the record).
// clang-format off
constexpr std::array<Eingaberegel, AnzahlEingaben> Regeln = {{
    {Eingabe::HBStatus, [](Fall& f, Ansicht& a, std::int64_t w) { a.HBOpt.selected = f.HBStatus = option(w); }},
    {Eingabe::KVStatus, [](Fall& f, Ansicht& a, std::int64_t w) { a.HBKV.selected = a.GBKV.selected = f.KVStatus = option(w); }},
    {Eingabe::SchuelerArt, [](Fall& f, Ansicht& a, std::int64_t w) { a.Schueler.selected = f.SchuelerArt = option(w); }},
    {Eingabe::HBUeber20, [](Fall& f, Ansicht& a, std::int64_t w) { a.HBCheck.checked = f.HBUeber20 = w != 0; }},
    {Eingabe::RVVoll, [](Fall& f, Ansicht& a, std::int64_t w) { a.HR.checked = a.GBCheck[1].checked = f.RVVoll = w != 0; }},
    {Eingabe::HBEntgelt, [](Fall& f, Ansicht& a, std::int64_t w) { a.HBEuro.value = f.HBEntgelt = Currency::fromRaw(w); }},
    {Eingabe::KBArt, [](Fall& f, Ansicht& a, std::int64_t w) { a.KBopt.selected = f.KBArt = option(w); }},
    {Eingabe::KBMerker0, [](Fall& f, Ansicht& a, std::int64_t w) { a.KBCheck[0].checked = f.KBMerker[0] = w != 0; }},
    {Eingabe::KBMerker1, [](Fall& f, Ansicht& a, std::int64_t w) { a.KBCheck[1].checked = f.KBMerker[1] = w != 0; }},
    {Eingabe::KBMerker2, [](Fall& f, Ansicht& a, std::int64_t w) { a.KBCheck[2].checked = f.KBMerker[2] = w != 0; }},
    {Eingabe::Privathaushalt1, [](Fall& f, Ansicht& a, std::int64_t w) { a.priv[1].checked = f.Privathaushalt[1] = w != 0; }},
    {Eingabe::Monatslohn1, [](Fall& f, Ansicht& a, std::int64_t w) { a.loh[1].value = f.Monatslohn[1] = Currency::fromRaw(w); }},
    {Eingabe::Monate1, [](Fall& f, Ansicht& a, std::int64_t w) { a.Mon[1].value = f.Monate[1] = Currency::fromRaw(w); }},
    {Eingabe::Urlaubsgeld1, [](Fall& f, Ansicht& a, std::int64_t w) { a.Url[1].value = f.Urlaubsgeld[1] = Currency::fromRaw(w); }},
    {Eingabe::Weihnachtsgeld1, [](Fall& f, Ansicht& a, std::int64_t w) { a.Wei[1].value = f.Weihnachtsgeld[1] = Currency::fromRaw(w); }},
    {Eingabe::Privathaushalt2, [](Fall& f, Ansicht& a, std::int64_t w) { a.priv[2].checked = f.Privathaushalt[2] = w != 0; }},
    {Eingabe::Monatslohn2, [](Fall& f, Ansicht& a, std::int64_t w) { a.loh[2].value = f.Monatslohn[2] = Currency::fromRaw(w); }},
    {Eingabe::Monate2, [](Fall& f, Ansicht& a, std::int64_t w) { a.Mon[2].value = f.Monate[2] = Currency::fromRaw(w); }},
    {Eingabe::Urlaubsgeld2, [](Fall& f, Ansicht& a, std::int64_t w) { a.Url[2].value = f.Urlaubsgeld[2] = Currency::fromRaw(w); }},
    {Eingabe::Weihnachtsgeld2, [](Fall& f, Ansicht& a, std::int64_t w) { a.Wei[2].value = f.Weihnachtsgeld[2] = Currency::fromRaw(w); }},
}};
// clang-format on

constexpr bool inDerReihe()
{
    for (std::size_t i = 0; i < Regeln.size(); ++i)
        if (static_cast<std::size_t>(Regeln[i].eingabe) != i)
            return false;
    return true;
}
static_assert(inDerReihe(), "one rule per input, in the order of Eingabe");

} // namespace

void wiederherstellen(const Eingabewerte& werte, Fall& fall, Ansicht& ansicht)
{
    for (const Eingaberegel& regel : Regeln)
        if (werte.gegeben(regel.eingabe))
            regel.setzen(fall, ansicht, werte.wert(regel.eingabe));
    // What the handlers of the short-term check boxes leave behind when the boxes are set in
    // their order: "berufsmäßig" is asked only above 400 Euro and not regular. Where the
    // determination does not decide it (a regular employment), it stays so.
    berufsmaessigFragen(ansicht, 1);
}

} // namespace svp::engine
