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
// Dates of birth as JJJJMMTT, the years of the employee's data file.
constexpr std::int64_t ErstesDatum = 19000101;
constexpr std::int64_t LetztesDatum = 20991231;
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
    // The employee's data, each "nicht angegeben" until a line names it; ranges as the
    // employee's data file takes them.
    {Key::Geburtsdatum, "Geburtsdatum", ValueKind::Date, 1, {whole(ErstesDatum, LetztesDatum)}, {NichtAngegeben}, 4, true},
    {Key::Kinderlos, "Kinderlos", ValueKind::Flag, 1, {}, {NichtAngegeben}, 4, true},
    {Key::KVSatzKasse, "KVSatzKasse", ValueKind::Amount, 1, {whole(5 * Scale, 20 * Scale)}, {NichtAngegeben}, 2, true},
    {Key::KVErmaessigt, "KVErmaessigt", ValueKind::Flag, 1, {}, {NichtAngegeben}, 4, true},
    {Key::RechtskreisOst, "RechtskreisOst", ValueKind::Flag, 1, {}, {NichtAngegeben}, 4, true},
    {Key::U1, "U1", ValueKind::Flag, 1, {}, {NichtAngegeben}, 4, true},
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

// 10 to the power of the decimals an amount of the rule may not have.
std::int64_t decimalsUnit(const KeyRule& rule)
{
    std::int64_t unit = 1;
    for (int d = rule.decimals; d < 4; ++d)
        unit *= 10;
    return unit;
}

Entry checked(Entry entry, const KeyRule& rule, int index)
{
    const Bounds b = rule.bounds[static_cast<std::size_t>(index)];
    if (entry.status == Entry::Ok && rule.kind == ValueKind::Amount && !withinDecimals(rule, entry.value))
        entry.status = Entry::TooManyDecimals;
    else if (entry.status == Entry::Ok && rule.kind != ValueKind::Flag &&
             (entry.value < b.min || entry.value > b.max))
        entry.status = Entry::OutOfRange;
    return entry;
}

int daysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> Days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : Days[static_cast<std::size_t>(month - 1)];
}

// "1980-05-15" as the data file writes it, or "15.05.1980" as a German form does.
Entry dateEntry(std::string_view text, const KeyRule& rule, int index)
{
    auto digits = [&](std::size_t from, std::size_t count, int& value) {
        value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    int year = 0, month = 0, day = 0;
    bool form = false;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        form = digits(0, 4, year) && digits(5, 2, month) && digits(8, 2, day);
    else if (text.size() == 10 && text[2] == '.' && text[5] == '.')
        form = digits(0, 2, day) && digits(3, 2, month) && digits(6, 4, year);
    if (!form)
        return {Entry::NotDate};
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return {Entry::NotCalendarDate};
    return checked({Entry::Ok, static_cast<std::int64_t>(year) * 10000 + month * 100 + day}, rule, index);
}

std::string dateText(std::int64_t value)
{
    auto two = [](std::int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return std::to_string(value / 10000) + "-" + two(value / 100 % 100) + "-" + two(value % 100);
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
        if (rule.kind == ValueKind::Date)
            return dateText(bound);
        return rule.kind == ValueKind::Amount ? Currency::fromRaw(bound).formatGeneral()
                                              : std::to_string(bound);
    };
    return "Wert außerhalb von " + text(b.min) + " bis " + text(b.max) + ".";
}

bool withinDecimals(const KeyRule& rule, std::int64_t raw)
{
    return raw % decimalsUnit(rule) == 0;
}

std::string decimalsFault(const KeyRule& rule)
{
    static constexpr std::array<std::string_view, 5> Words = {"null", "einer", "zwei", "drei", "vier"};
    return "mehr als " + std::string(Words[static_cast<std::size_t>(rule.decimals)]) + " Nachkommastellen.";
}

std::string dateFault(Entry::Status status)
{
    return status == Entry::NotCalendarDate ? "kein Kalenderdatum."
                                            : "ein Datum wie \"1980-05-15\" erwartet.";
}

Entry entryFromNull(const KeyRule& rule)
{
    return rule.optional ? Entry{Entry::Ok, NichtAngegeben} : Entry{Entry::WrongType};
}

Entry entryFromWhole(std::int64_t v, const KeyRule& rule, int index)
{
    if (rule.kind == ValueKind::Flag || rule.kind == ValueKind::Date)
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
    if (rule.kind == ValueKind::Flag || rule.kind == ValueKind::Date)
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
    if (rule.kind == ValueKind::Date)
        return dateEntry(text, rule, index);
    if (rule.kind != ValueKind::Amount)
        return {Entry::WrongType};
    // A text is read as the window reads a typed amount: "1.500" is fifteen hundred, never 1,50.
    return amountEntry(params::betragLesen(text, params::schreibweise::Fenster), Entry::NotDecimal, rule,
                       index);
}

} // namespace svp::cli
