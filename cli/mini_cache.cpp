#include "mini_cache.h"

namespace svp::cli {

params::Mini MiniCache::load(int year, int month)
{
    params::Mini mini;
    mini.Auswahl[params::AuswahlSteuer] = 1;
    mini.Auswahl[params::AuswahlZeile] = 1;
    mini.AktJahr = static_cast<std::int16_t>(year);
    mini.Auswahl[params::AuswahlMonat] = static_cast<std::int16_t>(month);
    mini.beitragstafelLaden();
    mini.jahreswerte();
    mini.textefuellen();
    return mini;
}

params::Mini& MiniCache::prepared(int year, int month)
{
    auto& slot = m_minis[static_cast<std::size_t>((year - params::FirstYear) * params::MonthCount + month)];
    if (!slot)
        slot = std::make_unique<params::Mini>(load(year, month));
    return *slot;
}

} // namespace svp::cli
