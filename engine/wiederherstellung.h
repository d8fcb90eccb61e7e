#pragma once

#include "ansicht.h"
#include "fall.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace svp::engine {

// The inputs of a case that a stored case brings back into the window: each one value of the
// case, shown by one control or by a pair of twin controls. A month's record holds all of them,
// a line of svpflicht-batch those it names. Arrays of the minor employments: 1 the first
// mini-job, 2 the later ones, as in the case.
enum class Eingabe : std::uint8_t {
    HBStatus,
    KVStatus,
    SchuelerArt,
    HBUeber20,
    RVVoll,
    HBEntgelt,
    KBArt,
    KBMerker0,
    KBMerker1,
    KBMerker2,
    Privathaushalt1,
    Monatslohn1,
    Monate1,
    Urlaubsgeld1,
    Weihnachtsgeld1,
    Privathaushalt2,
    Monatslohn2,
    Monate2,
    Urlaubsgeld2,
    Weihnachtsgeld2,
};
inline constexpr std::size_t AnzahlEingaben = 20;

// Values of the inputs, each given or not: option indexes as they are, flags 0 or 1, amounts
// and month counts raw on the currency scale.
class Eingabewerte
{
public:
    void setzen(Eingabe eingabe, std::int64_t wert)
    {
        m_gegeben |= 1u << index(eingabe);
        m_werte[index(eingabe)] = wert;
    }
    bool gegeben(Eingabe eingabe) const { return (m_gegeben >> index(eingabe) & 1u) != 0; }
    std::int64_t wert(Eingabe eingabe) const { return m_werte[index(eingabe)]; }

private:
    static std::size_t index(Eingabe eingabe) { return static_cast<std::size_t>(eingabe); }
    std::uint32_t m_gegeben = 0;
    std::array<std::int64_t, AnzahlEingaben> m_werte{};
};

// Restoring a stored case (`svreinholen`): every given value into the case and into the
// controls that show it, each input by the one rule of its row in the table of
// wiederherstellung.cpp. The twin groups of the health insurance (HBKV, GBKV) and the twin
// boxes of the pension waiver (HR, GBCheck(1)) show the one value of the case, as their
// handlers keep them; "berufsmäßig" (KBCheck(2) and its icon) is shown as its handlers leave
// it (berufsmaessigFragen). Values not given keep what the case and its controls show. The
// determination is not run; the callers run it.
void wiederherstellen(const Eingabewerte& werte, Fall& fall, Ansicht& ansicht);

} // namespace svp::engine
