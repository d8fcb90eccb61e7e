#include "key_table.h"

#include "engine/feld.h"
#include "params/betrag_text.h"

#include <limits>

namespace svp::cli {

namespace {

constexpr std::int64_t Scale = Currency::Scale;
constexpr Bounds whole(std::int64_t min, std::int64_t max)
{
    return {min, max};
}
using engine::Feldart;
// An amount key takes what the numeric field of the window takes.
constexpr Bounds field(Feldart art, int index)
{
    const params::Wertebereich range = engine::wertebereich({art, index});
    return {range.min.raw(), range.max.raw()};
}

// The accepted input: one row per key, in the order of the enumeration.
// clang-format off
constexpr std::array<KeyRule, KeyCount> KeyTable = {{
    {Key::AktJahr, "AktJahr", ValueKind::Integer, 1, {whole(params::ErstesJahr, params::LetztesJahr)}, {params::Stammjahr}},
    {Key::Monat, "Monat", ValueKind::Integer, 1, {whole(0, params::AnzahlMonate - 1)}, {0}},
    {Key::Land, "Land", ValueKind::Integer, 1, {whole(0, params::AnzahlLaender - 1)}, {0}},
    {Key::HBStatus, "HBStatus", ValueKind::Integer, 1, {whole(0, params::LetzterHBStatus)}, {0}},
    {Key::SchuelerArt, "SchuelerArt", ValueKind::Integer, 1, {whole(0, params::LetzteSchuelerArt)}, {0}},
    {Key::KVStatus, "KVStatus", ValueKind::Integer, 1, {whole(0, params::LetzterKVStatus)}, {0}},
    {Key::HBUeber20, "HBUeber20", ValueKind::Flag, 1, {}, {0}},
    {Key::RVVoll, "RVVoll", ValueKind::Flag, 1, {}, {0}},
    {Key::HBEntgelt, "HBEntgelt", ValueKind::Amount, 1, {field(Feldart::HBEuro, 0)}, {1000 * Scale}},
    {Key::KBArt, "KBArt", ValueKind::Integer, 1, {whole(0, params::LetzteKBArt)}, {0}},
    {Key::KBCheck, "KBCheck", ValueKind::Flag, 3, {}, {0, 0, 0}},
    {Key::Monatslohn, "Monatslohn", ValueKind::Amount, 2, {field(Feldart::loh, 1), field(Feldart::loh, 2)}, {380 * Scale, 0}},
    {Key::Monate, "Monate", ValueKind::Amount, 2, {field(Feldart::Mon, 1), field(Feldart::Mon, 2)}, {12 * Scale, 12 * Scale}},
    {Key::Urlaubsgeld, "Urlaubsgeld", ValueKind::Amount, 2, {field(Feldart::Url, 1), field(Feldart::Url, 2)}, {40 * Scale, 0}},
    {Key::Weihnachtsgeld, "Weihnachtsgeld", ValueKind::Amount, 2, {field(Feldart::Wei, 1), field(Feldart::Wei, 2)}, {200 * Scale, 0}},
    {Key::Privathaushalt, "Privathaushalt", ValueKind::Flag, 2, {}, {0, 0}},
}};
// clang-format on

constexpr bool inKeyOrder()
{
    for (std::size_t i = 0; i < KeyTable.size(); ++i)
        if (static_cast<std::size_t>(KeyTable[i].key) != i)
            return false;
    return true;
}
static_assert(inKeyOrder(), "the key table is indexed by Key");

Entry checked(Entry entry, const KeyRule& rule, int index)
{
    const Bounds b = rule.bounds[static_cast<std::size_t>(index)];
    if (entry.status == Entry::Ok && rule.kind != ValueKind::Flag &&
        (entry.value < b.min || entry.value > b.max))
        entry.status = Entry::OutOfRange;
    return entry;
}

// An amount as read from the text of the line; `keineZahl` is what a text that spells no
// amount is.
Entry amountEntry(const params::Lesung& amount, Entry::Status keineZahl, const KeyRule& rule, int index)
{
    switch (amount.status) {
    case params::Lesestatus::Ok:
        break;
    case params::Lesestatus::KeineZahl:
        return {keineZahl};
    case params::Lesestatus::ZuVieleNachkommastellen:
        return {Entry::TooManyDecimals};
    case params::Lesestatus::AusserhalbDesBereichs:
        return {Entry::OutOfRange};
    }
    return checked({Entry::Ok, amount.wert.raw()}, rule, index);
}

} // namespace

const std::array<KeyRule, KeyCount> Keys = KeyTable;

const KeyRule& ruleOf(Key key)
{
    return Keys[static_cast<std::size_t>(key)];
}

const KeyRule* findKey(std::string_view name)
{
    for (const KeyRule& rule : Keys)
        if (rule.name == name)
            return &rule;
    return nullptr;
}

std::string rangeFault(const KeyRule& rule, int entry)
{
    const Bounds b = rule.bounds[static_cast<std::size_t>(entry)];
    auto text = [&](std::int64_t bound) {
        return rule.kind == ValueKind::Amount ? Currency::fromRaw(bound).formatGeneral()
                                              : std::to_string(bound);
    };
    return "Wert außerhalb von " + text(b.min) + " bis " + text(b.max) + ".";
}

Entry entryFromWhole(std::int64_t v, const KeyRule& rule, int index)
{
    if (rule.kind == ValueKind::Flag)
        return {Entry::WrongType};
    if (rule.kind == ValueKind::Amount) {
        if (v > std::numeric_limits<std::int64_t>::max() / Scale ||
            v < -std::numeric_limits<std::int64_t>::max() / Scale)
            return {Entry::OutOfRange};
        v *= Scale;
    }
    return checked({Entry::Ok, v}, rule, index);
}

Entry entryFromNumberText(std::string_view text, const KeyRule& rule, int index)
{
    if (rule.kind == ValueKind::Flag)
        return {Entry::WrongType};
    const params::Lesung amount = params::betragLesen(text, params::schreibweise::JsonZahl);
    if (rule.kind == ValueKind::Integer) {
        if (amount.status == params::Lesestatus::ZuVieleNachkommastellen ||
            amount.status == params::Lesestatus::KeineZahl || (amount.ok() && amount.wert.raw() % Scale != 0))
            return {Entry::WrongType};
        if (!amount.ok())
            return {Entry::OutOfRange};
        return checked({Entry::Ok, amount.wert.raw() / Scale}, rule, index);
    }
    return amountEntry(amount, Entry::WrongType, rule, index);
}

Entry entryFromText(std::string_view text, const KeyRule& rule, int index)
{
    if (rule.kind != ValueKind::Amount)
        return {Entry::WrongType};
    // A text is read as the window reads a typed amount: "1.500" is fifteen hundred, never 1,50.
    return amountEntry(params::betragLesen(text, params::schreibweise::Fenster), Entry::NotDecimal, rule, index);
}

} // namespace svp::cli
