#include "case_window.h"

#include "engine/bestimmung.h"
#include "engine/wiederherstellung.h"

#include <array>
#include <optional>

namespace svp::cli {

namespace {

using engine::Eingabe;

// The entry of a key that names each input of the case; entry 0 of a pair is the first minor
// employment (index 1 of the case).
struct InputOf {
    Key key;
    int entry;
    Eingabe eingabe;
};

// clang-format off
constexpr std::array<InputOf, engine::AnzahlEingaben> Inputs = {{
    {Key::HBStatus, 0, Eingabe::HBStatus},
    {Key::KVStatus, 0, Eingabe::KVStatus},
    {Key::SchuelerArt, 0, Eingabe::SchuelerArt},
    {Key::HBUeber20, 0, Eingabe::HBUeber20},
    {Key::RVVoll, 0, Eingabe::RVVoll},
    {Key::HBEntgelt, 0, Eingabe::HBEntgelt},
    {Key::KBArt, 0, Eingabe::KBArt},
    {Key::KBCheck, 0, Eingabe::KBMerker0},
    {Key::KBCheck, 1, Eingabe::KBMerker1},
    {Key::KBCheck, 2, Eingabe::KBMerker2},
    {Key::Privathaushalt, 0, Eingabe::Privathaushalt1},
    {Key::Monatslohn, 0, Eingabe::Monatslohn1},
    {Key::Monate, 0, Eingabe::Monate1},
    {Key::Urlaubsgeld, 0, Eingabe::Urlaubsgeld1},
    {Key::Weihnachtsgeld, 0, Eingabe::Weihnachtsgeld1},
    {Key::Privathaushalt, 1, Eingabe::Privathaushalt2},
    {Key::Monatslohn, 1, Eingabe::Monatslohn2},
    {Key::Monate, 1, Eingabe::Monate2},
    {Key::Urlaubsgeld, 1, Eingabe::Urlaubsgeld2},
    {Key::Weihnachtsgeld, 1, Eingabe::Weihnachtsgeld2},
}};
// clang-format on

// An optional flag of the line: "nicht angegeben", yes or no.
void takeFlag(const CaseInput& in, Key key, std::optional<bool>& ziel)
{
    if (!in.has(key))
        return;
    const std::int64_t v = in.value(key);
    ziel = v == NichtAngegeben ? std::nullopt : std::optional<bool>(v != 0);
}

void takeEmployeeData(const CaseInput& in, params::Arbeitnehmerdaten& an)
{
    if (in.has(Key::Geburtsdatum)) {
        const std::int64_t v = in.value(Key::Geburtsdatum);
        if (v == NichtAngegeben)
            an.Geburtsdatum.reset();
        else
            an.Geburtsdatum = params::Datum{static_cast<int>(v / 10000), static_cast<int>(v / 100 % 100),
                                            static_cast<int>(v % 100)};
    }
    if (in.has(Key::KVSatzKasse)) {
        const std::int64_t v = in.value(Key::KVSatzKasse);
        an.KVSatzKasse = v == NichtAngegeben ? std::nullopt : std::optional(Currency::fromRaw(v));
    }
    takeFlag(in, Key::Kinderlos, an.Kinderlos);
    takeFlag(in, Key::KVErmaessigt, an.KVErmaessigt);
    takeFlag(in, Key::RechtskreisOst, an.RechtskreisOst);
    takeFlag(in, Key::U1, an.U1);
}

} // namespace

CaseWindow::CaseWindow()
{
    apply(defaultInput());
}

engine::Eingabewerte inputsOf(const CaseInput& in)
{
    engine::Eingabewerte werte;
    for (const InputOf& i : Inputs)
        if (in.has(i.key, i.entry))
            werte.setzen(i.eingabe, in.value(i.key, i.entry));
    return werte;
}

void CaseWindow::apply(const CaseInput& in)
{
    if (in.has(Key::AktJahr))
        AktJahr = in.integer(Key::AktJahr);
    if (in.has(Key::Monat))
        Monat = in.integer(Key::Monat);
    if (in.has(Key::Land))
        Land = in.integer(Key::Land);
    takeEmployeeData(in, arbeitnehmer);
    engine::wiederherstellen(inputsOf(in), fall, ansicht);
}

void CaseWindow::determine(MiniCache& cache, engine::Beitraege* beitraege)
{
    params::Mini& mini = cache.prepared(AktJahr, Monat);
    mini.Auswahl[params::AuswahlLand] = Land;
    mini.AktBesch = 0;
    engine::Bestimmung bestimmung(mini, fall, ansicht);
    bestimmung.setArbeitnehmerdaten(arbeitnehmer);
    // The amounts by the same computation as the determination's last step, straight into
    // their place.
    bestimmung.setBeitraegeRechnen(false);
    const bool entgeltGegeben = fall.HBEntgelt > params::Currency();
    bestimmung.svzentrum();
    if (beitraege != nullptr)
        engine::beitraegeBerechnen(mini, fall, arbeitnehmer, *beitraege);
    m_entgeltGeloescht = entgeltGegeben && fall.HBEntgelt == params::Currency();
}

std::string_view CaseWindow::hinweis() const
{
    const engine::Control& ueberlagerung = ansicht.vielleicht[0];
    if (!m_entgeltGeloescht || !ueberlagerung.visible)
        return {};
    return ueberlagerung.caption;
}

} // namespace svp::cli
