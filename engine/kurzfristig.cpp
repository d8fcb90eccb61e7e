// The rules of the short-term employment (column 1).
#include "bestimmung.h"

namespace svp::engine {

using namespace grenze;
namespace lst = params::lst;
namespace kv = params::kv;
namespace pv = params::pv;
namespace rv = params::rv;
namespace av = params::av;

namespace {

constexpr const char* KeineKurzfristigeHaupt =
    "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte bewerten Sie die Beschäftigung in der "
    "Spalte HAUPTBESCHÄFTIGUNG.";
constexpr const char* KeineKurzfristigeRechts =
    "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte prüfen Sie in der Spalte rechts, ob eine "
    "entgeltgeringfügige Beschäftigung vorliegt.";

} // namespace

void Bestimmung::kurzfristigeBeschaeftigung()
{
    auto& a = m_ansicht;
    m_mini.AktBesch = 1;
    switch (m_fall.KBArt) {
    case kbart::ZweiMonate:
    case kbart::FuenfzigTage:
        // Short-term only if not regular, and above 400 Euro only if not taken up as a
        // profession; "berufsmäßig" is asked only then.
        a.KBCheck[0].visible = true;
        a.KBCheckB[0].visible = true;
        if (a.KBCheck[0].checked) {
            pflichtig();
        } else if (a.KBCheck[1].checked) {
            a.KBCheck[2].visible = true;
            a.KBCheckB[2].visible = true;
            if (a.KBCheck[2].checked)
                pflichtig();
            else
                kurzfristig();
        } else {
            a.KBCheck[2].visible = false;
            a.KBCheckB[2].visible = false;
            kurzfristig();
        }
        break;
    case kbart::Laenger:
        a.KBCheck[0].visible = false;
        a.KBCheck[2].visible = false;
        a.KBCheckB[0].visible = false;
        a.KBCheckB[2].visible = false;
        pflichtig();
        break;
    default:
        break;
    }
}

void Bestimmung::kurzfristig()
{
    m_ansicht.vielleicht[1].visible = false;
    befreit(1);
}

void Bestimmung::pflichtig()
{
    auto& ueberlagerung = m_ansicht.vielleicht[1];
    ueberlagerung.caption = m_ansicht.KBCheck[1].checked ? KeineKurzfristigeHaupt : KeineKurzfristigeRechts;
    ueberlagerung.visible = true;
}

} // namespace svp::engine
