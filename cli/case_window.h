#pragma once

#include "case_input.h"
#include "engine/ansicht.h"
#include "engine/beitraege.h"
#include "engine/fall.h"
#include "engine/wiederherstellung.h"
#include "mini_cache.h"
#include "params/arbeitnehmer.h"

#include <cstdint>
#include <string_view>

namespace svp::cli {

// The inputs of the case that a line names.
engine::Eingabewerte inputsOf(const CaseInput& input);

// One window of the batch: the selected year, month and state, the case and what the window
// shows. A new CaseWindow is a freshly created window showing the default case: every
// control visible, the captions of the layout, the fields and check boxes showing the
// default values.
//
// A line shows its case as the window shows a stored month after switching to it, control by
// control (the same restorer, then one determination). What the batch's contract keeps
// different: a line need not name every input; those it does not name keep their values, the
// defaults on a fresh window, with --sequence the values of the line before. The year, month
// and state are the line's own rather than the record's, and a line has no employer names.
class CaseWindow
{
public:
    CaseWindow();

    // The keys of a line replace their values in the case and in the controls that show them,
    // as the window restores a stored case (engine::wiederherstellen); keys (and entries of a
    // pair) the line does not name keep their values.
    void apply(const CaseInput& input);

    // Loads the year's tables and texts for the month and runs `svzentrum` once; with
    // `beitraege` the contribution amounts as its last step, into `*beitraege` (kept apart from
    // the window, so that a fresh window's copy does not carry them along).
    void determine(MiniCache& cache, engine::Beitraege* beitraege = nullptr);

    // The notice of the last determination when it set the pay of the main employment, given
    // above 0, to 0 (a pay up to 400,00 € is no main employment of its own): the text the window
    // shows over the column. Empty otherwise.
    std::string_view hinweis() const;

    std::int16_t AktJahr = 0;
    std::int16_t Monat = 0; // month index, `Auswahl`(20)
    std::int16_t Land = 0;  // state index, `Auswahl`(2)
    engine::Fall fall;
    engine::Ansicht ansicht;
    // The employee's data the determination reads beside the case: the line's keys
    // Geburtsdatum, Kinderlos, KVSatzKasse, KVErmaessigt, RechtskreisOst and U1.
    params::Arbeitnehmerdaten arbeitnehmer;

private:
    bool m_entgeltGeloescht = false;
};

} // namespace svp::cli
