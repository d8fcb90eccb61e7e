#pragma once

#include "engine/ansicht.h"
#include "engine/bestimmung.h"
#include "engine/fall.h"
#include "params/betrag_text.h"
#include "params/fixed_text.h"
#include "params/mini.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <string_view>

namespace svp::engine::test {

using params::Currency;

// An amount written as in a numeric field: "400.01", "800,0001".
inline Currency eur(std::string_view text)
{
    const params::Lesung value = params::betragLesen(text, params::schreibweise::Stapeltext);
    if (!value.ok())
        throw std::invalid_argument("no amount: " + std::string(text));
    return value.wert;
}

// Names each row of a table after the behaviour it shows.
struct ZeilenName {
    template <class T> std::string operator()(const testing::TestParamInfo<T>& info) const
    {
        return info.param.name;
    }
};

// Codes of rows 36 (tax) to 40 (AV) of one column.
using Codes = std::array<int, 5>;

// A window without a toolkit: the module state, the case and the view of the controls, with
// the determination built on them. Each setter writes the value of the case and the control
// that mirrors it, as the input handlers do, so that svzentrum sees what a user would have
// entered. A fresh window shows August 2008 in Baden-Württemberg (general KV rate 14.5 %,
// code 90) with the start-up presets Auswahl(33) = Auswahl(46) = 1.
struct Fenster {
    params::Mini mini;
    Fall fall;
    Ansicht ansicht;
    Bestimmung bestimmung{mini, fall, ansicht};

    explicit Fenster(int jahr = 2008, int monat = 7, int land = 0) { periode(jahr, monat, land); }

    // Year, month and state with their tables, as the recalculation cycle loads them.
    void periode(int jahr, int monat, int land)
    {
        mini.monatVorbereiten(jahr, monat);
        mini.Auswahl[params::AuswahlLand] = static_cast<std::int16_t>(land);
    }

    void haupt(int status, std::string_view entgelt, int schuelerArt = 0)
    {
        fall.HBStatus = static_cast<std::int16_t>(status);
        fall.SchuelerArt = static_cast<std::int16_t>(schuelerArt);
        ansicht.HBOpt.selected = status;
        ansicht.Schueler.selected = schuelerArt;
        fall.HBEntgelt = ansicht.HBEuro.value = eur(entgelt);
    }

    // Minor employment i (1 or 2). With one month the wage is the monthly average.
    void minijob(int i, std::string_view lohn, std::string_view monate = "1",
                 std::string_view weihnachtsgeld = "0", std::string_view urlaubsgeld = "0")
    {
        fall.Monatslohn[i] = ansicht.loh[i].value = eur(lohn);
        fall.Monate[i] = ansicht.Mon[i].value = eur(monate);
        fall.Weihnachtsgeld[i] = ansicht.Wei[i].value = eur(weihnachtsgeld);
        fall.Urlaubsgeld[i] = ansicht.Url[i].value = eur(urlaubsgeld);
    }

    void kv(int status)
    {
        fall.KVStatus = static_cast<std::int16_t>(status);
        ansicht.HBKV.selected = ansicht.GBKV.selected = status;
    }

    void rvVoll(bool voll) { fall.RVVoll = ansicht.HR.checked = ansicht.GBCheck[1].checked = voll; }
    void ueber20(bool ja) { fall.HBUeber20 = ansicht.HBCheck.checked = ja; }
    void privathaushalt(int i, bool ja) { fall.Privathaushalt[i] = ansicht.priv[i].checked = ja; }

    void kurz(int art, bool regelmaessig, bool ueber400, bool berufsmaessig)
    {
        fall.KBArt = static_cast<std::int16_t>(art);
        ansicht.KBopt.selected = art;
        const std::array<bool, 3> haken{regelmaessig, ueber400, berufsmaessig};
        for (std::size_t i = 0; i < 3; ++i)
            fall.KBMerker[i] = ansicht.KBCheck[i].checked = haken[i];
    }

    // The case that a new record holds: an employee with 1000 Euro, a mini job of
    // 380 x 12 + 200 Christmas bonus + 40 holiday pay (400.00 a month), no later mini jobs.
    void standardfall()
    {
        haupt(0, "1000");
        kv(0);
        rvVoll(false);
        ueber20(false);
        minijob(1, "380", "12", "200", "40");
        minijob(2, "0", "12");
        kurz(0, false, false, false);
    }

    void bestimmen() { bestimmung.svzentrum(); }

    int code(int spalte, int zeile) const { return fall.ergebnis(spalte, zeile); }
    Codes codes(int spalte) const
    {
        Codes c{};
        for (int r = ZeileLSt; r <= ZeileAV; ++r)
            c[static_cast<std::size_t>(r - ZeileLSt)] = fall.ergebnis(spalte, r);
        return c;
    }
    void setzeCodes(int spalte, const Codes& c)
    {
        for (int r = ZeileLSt; r <= ZeileAV; ++r)
            fall.ergebnis(spalte, r) = static_cast<std::int16_t>(c[static_cast<std::size_t>(r - ZeileLSt)]);
    }
    const std::string& label(int spalte, int zeile) const
    {
        return ansicht
            .Ergebnistext[static_cast<std::size_t>(spalte)][static_cast<std::size_t>(zeile - ZeileLSt)];
    }
};

// A text as a result label shows it: padded to 35 characters.
inline std::string text35(std::string_view text)
{
    return params::fixedText(text, params::TextWidth);
}

} // namespace svp::engine::test
