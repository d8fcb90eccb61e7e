#pragma once

#include "params/eingaben.h"

namespace svp::engine {

// The numeric fields of the window. `index` is 1 or 2 for the fields of the minor
// employments and 0 for HBEuro.
enum class Feldart { HBEuro, loh, Mon, Url, Wei, AllMo, Jasum, Modurch };
struct Feld {
    Feldart art = Feldart::HBEuro;
    int index = 0;
    friend bool operator==(const Feld&, const Feld&) = default;
};

// The values a numeric input field takes; the field refuses any other. The batch program's
// amount keys take the same.
constexpr params::Wertebereich wertebereich(Feld feld)
{
    if (feld.art == Feldart::HBEuro || (feld.art == Feldart::loh && feld.index == 1))
        return params::Entgeltbereich;
    return params::Korrekturbereich;
}

// The character code of the Enter key, as a field's key handler receives it.
inline constexpr int TasteEnter = 13;

} // namespace svp::engine
