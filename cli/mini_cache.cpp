#include "mini_cache.h"

namespace svp::cli {

params::Mini MiniCache::load(int year, int month)
{
    params::Mini mini;
    mini.monatVorbereiten(year, month);
    return mini;
}

params::Mini& MiniCache::prepared(int year, int month)
{
    auto& slot =
        m_minis[static_cast<std::size_t>((year - params::ErstesJahr) * params::AnzahlMonate + month)];
    if (!slot)
        slot = std::make_unique<params::Mini>(load(year, month));
    return *slot;
}

} // namespace svp::cli
