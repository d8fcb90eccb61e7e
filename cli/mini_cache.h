#pragma once

#include "params/mini.h"

#include <array>
#include <memory>

namespace svp::cli {

// The module state of each year and month, loaded once. The monthly KV table, the yearly
// shares and the result texts depend on the year and the month only, so a batch loads them
// once per month it meets rather than once per line. The determination itself writes nothing
// there but the column under evaluation (`AktBesch`), which it sets before every use; the
// state (`Auswahl`(2)) is set by whoever borrows the object.
class MiniCache
{
public:
    // A Mini as a freshly created window has it after loading `year` (2006..2010) and month
    // index `month` (0..11): the presets `Auswahl`(33) = `Auswahl`(46) = 1, the table of the
    // year, `jahreswerte` and `textefuellen`.
    params::Mini& prepared(int year, int month);

    // The same, built from nothing on every call: what the cache stands for.
    static params::Mini load(int year, int month);

private:
    static constexpr int Years = params::LetztesJahr - params::ErstesJahr + 1;
    std::array<std::unique_ptr<params::Mini>, Years * params::AnzahlMonate> m_minis;
};

} // namespace svp::cli
