#include "case_input.h"

#include "engine/feld.h"

#include <charconv>
#include <limits>
#include <nlohmann/json.hpp>

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

} // namespace

const std::array<KeyRule, KeyCount> Keys = KeyTable;

const KeyRule& ruleOf(Key key)
{
    return Keys[static_cast<std::size_t>(key)];
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

KennungStatus checkKennung(std::string_view text)
{
    // Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80; // bounds of the second byte
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return KennungStatus::NotUtf8;
        }
        if (text.size() - i < length)
            return KennungStatus::NotUtf8;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
                return KennungStatus::NotUtf8;
        }
        i += length;
    }
    return characters > KennungMaxLength ? KennungStatus::TooLong : KennungStatus::Ok;
}

std::string kennungFault(KennungStatus status)
{
    if (status == KennungStatus::NotUtf8)
        return "kein Text in UTF-8.";
    return "länger als " + std::to_string(KennungMaxLength) + " Zeichen.";
}

CaseInput defaultInput()
{
    CaseInput input;
    for (const KeyRule& rule : Keys)
        input.set(rule.key, rule.defaults);
    return input;
}

NumberStatus exactAmount(std::string_view text, Currency& result)
{
    // JSON number grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative)
        ++i;
    // All digits as one integer D; the value is D * 10^(exponent - fractionDigits).
    constexpr std::int64_t Limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t digits = 0;
    bool overflow = false;
    auto take = [&](char c) {
        const int d = c - '0';
        if (digits > (Limit - d) / 10)
            overflow = true;
        else
            digits = digits * 10 + d;
    };
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        take(text[i]);
    std::int64_t fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            take(text[i]);
            ++fractionDigits;
        }
    }
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            if (exponent < 1'000'000)
                exponent = exponent * 10 + (text[i] - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    // Decimals as the number is written, once the exponent has moved the point: "400.00000"
    // has five, like the text "400.00000" that the amount strings refuse.
    const std::int64_t decimals = fractionDigits - exponent;
    if (decimals > 4)
        return NumberStatus::TooManyDecimals;
    if (overflow)
        return NumberStatus::OutOfRange;
    for (std::int64_t shift = decimals; shift < 4 && digits != 0; ++shift) {
        if (digits > Limit / 10)
            return NumberStatus::OutOfRange;
        digits *= 10;
    }
    result = Currency::fromRaw(negative ? -digits : digits);
    return NumberStatus::Ok;
}

namespace {

using Json = nlohmann::json;

// What a JSON value is, in the words of the messages.
enum class Found { Null, Flag, Number, FractionalNumber, Text, List, Object };

const char* foundName(Found found)
{
    switch (found) {
    case Found::Null:
        return "null";
    case Found::Flag:
        return "Wahrheitswert";
    case Found::Number:
        return "Zahl";
    case Found::FractionalNumber:
        return "Zahl mit Nachkommastellen";
    case Found::Text:
        return "Text";
    case Found::List:
        return "Liste";
    case Found::Object:
        return "Objekt";
    }
    return "";
}

const char* withArticle(Found found)
{
    switch (found) {
    case Found::Null:
        return "null";
    case Found::Flag:
        return "ein Wahrheitswert";
    case Found::Number:
    case Found::FractionalNumber:
        return "eine Zahl";
    case Found::Text:
        return "ein Text";
    case Found::List:
        return "eine Liste";
    case Found::Object:
        return "ein Objekt";
    }
    return "";
}

std::string entryExpectedName(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Integer:
        return "ganze Zahl";
    case ValueKind::Flag:
        return "true oder false";
    case ValueKind::Amount:
        return "Betrag (Zahl oder Text wie \"400.005\")";
    }
    return "";
}

std::string expectedName(const KeyRule& rule)
{
    if (rule.count == 1)
        return entryExpectedName(rule.kind);
    return "Liste aus " + std::to_string(rule.count) +
           (rule.kind == ValueKind::Amount ? " Beträgen" : " Wahrheitswerten");
}

// A JSON number or decimal text taken as an entry of the given kind.
struct Entry {
    enum Status { Ok, WrongType, OutOfRange, TooManyDecimals, NotDecimal } status = Ok;
    std::int64_t value = 0;
};

Entry checked(Entry entry, const KeyRule& rule, int index)
{
    const Bounds b = rule.bounds[static_cast<std::size_t>(index)];
    if (entry.status == Entry::Ok && rule.kind != ValueKind::Flag &&
        (entry.value < b.min || entry.value > b.max))
        entry.status = Entry::OutOfRange;
    return entry;
}

Entry fromWhole(std::int64_t v, const KeyRule& rule, int index)
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

Entry fromNumberText(std::string_view text, const KeyRule& rule, int index)
{
    if (rule.kind == ValueKind::Flag)
        return {Entry::WrongType};
    Currency amount;
    const NumberStatus status = exactAmount(text, amount);
    if (rule.kind == ValueKind::Integer) {
        if (status == NumberStatus::TooManyDecimals ||
            (status == NumberStatus::Ok && amount.raw() % Scale != 0))
            return {Entry::WrongType};
        if (status == NumberStatus::OutOfRange)
            return {Entry::OutOfRange};
        return checked({Entry::Ok, amount.raw() / Scale}, rule, index);
    }
    if (status == NumberStatus::TooManyDecimals)
        return {Entry::TooManyDecimals};
    if (status == NumberStatus::OutOfRange)
        return {Entry::OutOfRange};
    return checked({Entry::Ok, amount.raw()}, rule, index);
}

Entry fromText(std::string_view text, const KeyRule& rule, int index)
{
    if (rule.kind != ValueKind::Amount)
        return {Entry::WrongType};
    // Sign, digits, '.' or ',' and digits: the decimal text of an amount.
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digitCount = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        ++digitCount;
    std::size_t decimals = 0;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            ++decimals;
    }
    if (i != text.size() || digitCount + decimals == 0)
        return {Entry::NotDecimal};
    if (decimals > 4)
        return {Entry::TooManyDecimals};
    const std::optional<Currency> amount = Currency::parse(text);
    if (!amount)
        return {Entry::OutOfRange};
    return checked({Entry::Ok, amount->raw()}, rule, index);
}

// Reads the events of one line. Depth 1 is the line's object, depth 2 the list of a key;
// anything deeper, and anything under an unknown or already failed value, is passed over.
class LineReader
{
public:
    LineReader(CaseInput& input, std::size_t lineLength) : m_input(input), m_lineLength(lineLength) {}

    // The fault to report, or false when the line can be taken.
    bool failed(LineError& error)
    {
        if (m_syntaxError) {
            error = std::move(m_first);
            return true;
        }
        if (m_topLevel != Found::Object) {
            error = {LineErrorKind::NotObject,
                     std::string("Die Zeile ist kein JSON-Objekt, sondern ") + withArticle(m_topLevel) + "."};
            return true;
        }
        // The fault met first; a key given again later counts with its last occurrence only.
        Fault* first = m_unknown.set ? &m_unknown : nullptr;
        if (m_kennungFault.set && (first == nullptr || m_kennungFault.ordinal < first->ordinal))
            first = &m_kennungFault;
        for (Fault& fault : m_faults)
            if (fault.set && (first == nullptr || fault.ordinal < first->ordinal))
                first = &fault;
        if (first == nullptr)
            return false;
        error = {first->kind, std::move(first->message)};
        return true;
    }

    // Interface of the event parser.
    bool null()
    {
        return scalar(Found::Null, [](const KeyRule&, int) { return Entry{Entry::WrongType}; });
    }
    bool boolean(bool v)
    {
        return scalar(Found::Flag, [v](const KeyRule& rule, int) {
            return rule.kind == ValueKind::Flag ? Entry{Entry::Ok, v ? 1 : 0} : Entry{Entry::WrongType};
        });
    }
    bool number_integer(Json::number_integer_t v)
    {
        return scalar(Found::Number,
                      [v](const KeyRule& rule, int index) { return fromWhole(v, rule, index); });
    }
    bool number_unsigned(Json::number_unsigned_t v)
    {
        return scalar(Found::Number, [v](const KeyRule& rule, int index) {
            if (v > static_cast<Json::number_unsigned_t>(std::numeric_limits<std::int64_t>::max()))
                return rule.kind == ValueKind::Flag ? Entry{Entry::WrongType} : Entry{Entry::OutOfRange};
            return fromWhole(static_cast<std::int64_t>(v), rule, index);
        });
    }
    bool number_float(Json::number_float_t, const std::string& text)
    {
        const bool fractional = text.find_first_of(".eE") != std::string::npos;
        return scalar(fractional ? Found::FractionalNumber : Found::Number,
                      [&text](const KeyRule& rule, int index) { return fromNumberText(text, rule, index); });
    }
    bool string(std::string& text)
    {
        if (m_kennung && m_depth == 1) {
            // The parser has checked the UTF-8 already; only the length is left.
            const KennungStatus status = checkKennung(text);
            if (status == KennungStatus::Ok)
                m_input.setKennung(text);
            else
                failKennung(kennungLabel() + ": " + kennungFault(status));
            return true;
        }
        return scalar(Found::Text,
                      [&text](const KeyRule& rule, int index) { return fromText(text, rule, index); });
    }
    bool binary(Json::binary_t&) { return true; }

    bool start_object(std::size_t) { return open(Found::Object); }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(Found::List); }
    bool end_array() { return close(); }

    bool key(std::string& name)
    {
        if (m_depth != 1)
            return true;
        ++m_ordinal;
        m_rule = nullptr;
        m_kennung = name == KennungKey;
        if (m_kennung) {
            // Given again, the case key replaces what the earlier occurrence said.
            m_kennungFault.set = false;
            m_input.clearKennung();
            return true;
        }
        for (const KeyRule& rule : Keys)
            if (rule.name == name)
                m_rule = &rule;
        if (m_rule == nullptr) {
            if (!m_unknown.set)
                m_unknown = {true, m_ordinal, LineErrorKind::UnknownKey,
                             "Unbekannter Schlüssel \"" + name + "\"."};
            return true;
        }
        // A key given again replaces what the earlier occurrence said, fault included.
        fault().set = false;
        m_input.clear(m_rule->key);
        return true;
    }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex)
    {
        // A number too large for any representation is a value out of range, not a broken line;
        // the reading stops there.
        constexpr int NumberOverflow = 406;
        if (ex.id == NumberOverflow) {
            if (m_depth == 0)
                m_topLevel = Found::Number;
            else if (m_kennung && m_depth == 1)
                failKennung(wrongType(kennungLabel(), "Text", Found::Number));
            else if (m_rule != nullptr && !fault().set)
                numberOverflow();
            return false;
        }
        m_syntaxError = true;
        // The position counts bytes from 1; one past the last byte means the line ended too early.
        m_first = {LineErrorKind::NotJson,
                   position > m_lineLength
                       ? std::string("Die Zeile ist kein gültiges JSON (sie endet vorzeitig).")
                       : "Die Zeile ist kein gültiges JSON (Fehler an Stelle " + std::to_string(position) +
                             ")."};
        return false;
    }

private:
    struct Fault {
        bool set = false;
        int ordinal = 0;
        LineErrorKind kind = LineErrorKind::WrongType;
        std::string message;
    };

    Fault& fault() { return m_faults[static_cast<std::size_t>(m_rule->key)]; }

    // The key in quotes, with the index when an entry of its list is meant: "Monatslohn"[1].
    std::string keyLabel() const
    {
        std::string text(1, '"');
        text += m_rule->name;
        text += '"';
        return text;
    }
    static std::string kennungLabel() { return "\"" + std::string(KennungKey) + "\""; }
    std::string label(int entry) const
    {
        return m_rule->count > 1 ? keyLabel() + "[" + std::to_string(entry) + "]" : keyLabel();
    }
    std::string wrongType(const std::string& what, const std::string& expected, Found found) const
    {
        return what + ": " + expected + " erwartet, gefunden " + foundName(found) + ".";
    }

    std::string outOfRangeMessage(int entry) const
    {
        return label(entry) + ": " + rangeFault(*m_rule, entry);
    }

    // The value of the current key is a number beyond every range.
    void numberOverflow()
    {
        const bool flags = m_rule->kind == ValueKind::Flag;
        if (m_depth == 1 && m_rule->count == 1) {
            if (flags)
                fail(LineErrorKind::WrongType, wrongType(keyLabel(), expectedName(*m_rule), Found::Number));
            else
                fail(LineErrorKind::OutOfRange, outOfRangeMessage(0));
        } else if (m_depth == 1) {
            fail(LineErrorKind::WrongType, wrongType(keyLabel(), expectedName(*m_rule), Found::Number));
        } else if (m_depth == 2 && m_entry < m_rule->count) {
            if (flags)
                fail(LineErrorKind::WrongType,
                     wrongType(label(m_entry), entryExpectedName(m_rule->kind), Found::Number));
            else
                fail(LineErrorKind::OutOfRange, outOfRangeMessage(m_entry));
        } else {
            fail(LineErrorKind::WrongType,
                 keyLabel() + ": " + expectedName(*m_rule) + " erwartet, gefunden längere Liste.");
        }
    }

    void failKennung(std::string message)
    {
        if (!m_kennungFault.set)
            m_kennungFault = {true, m_ordinal, LineErrorKind::BadKennung, std::move(message)};
    }

    void fail(LineErrorKind kind, std::string message)
    {
        Fault& f = fault();
        if (f.set)
            return;
        f = {true, m_ordinal, kind, std::move(message)};
    }

    template <typename Take> bool scalar(Found found, Take take)
    {
        if (m_depth == 0) {
            m_topLevel = found;
            return true;
        }
        if (m_kennung) {
            if (m_depth == 1)
                failKennung(wrongType(kennungLabel(), "Text", found));
            return true;
        }
        if (m_rule == nullptr || m_depth > 2 || fault().set)
            return true;
        const bool isEntry = m_depth == 2;
        if (!isEntry && m_rule->count > 1) {
            fail(LineErrorKind::WrongType, wrongType(keyLabel(), expectedName(*m_rule), found));
            return true;
        }
        const int index = isEntry ? m_entry : 0;
        if (isEntry && m_entry >= m_rule->count) {
            ++m_entry; // the length is reported when the list closes
            return true;
        }
        const Entry entry = take(*m_rule, index);
        switch (entry.status) {
        case Entry::Ok:
            m_values[static_cast<std::size_t>(index)] = entry.value;
            break;
        case Entry::WrongType:
            fail(LineErrorKind::WrongType,
                 wrongType(label(index), isEntry ? entryExpectedName(m_rule->kind) : expectedName(*m_rule),
                           found));
            break;
        case Entry::NotDecimal:
            fail(LineErrorKind::WrongType,
                 label(index) + ": der Text ist kein Dezimalbetrag wie \"400.005\".");
            break;
        case Entry::OutOfRange:
            fail(LineErrorKind::OutOfRange, outOfRangeMessage(index));
            break;
        case Entry::TooManyDecimals:
            fail(LineErrorKind::TooManyDecimals, label(index) + ": mehr als vier Nachkommastellen.");
            break;
        }
        if (isEntry)
            ++m_entry;
        else if (!fault().set)
            m_input.set(m_rule->key, m_values);
        return true;
    }

    bool open(Found found)
    {
        if (m_depth == 0)
            m_topLevel = found;
        else if (m_kennung && m_depth == 1)
            failKennung(wrongType(kennungLabel(), "Text", found));
        else if (m_rule != nullptr && !fault().set) {
            if (m_depth == 1 && found == Found::List && m_rule->count > 1) {
                m_entry = 0;
                m_values = {};
            } else if (m_depth == 1) {
                fail(LineErrorKind::WrongType, wrongType(keyLabel(), expectedName(*m_rule), found));
            } else if (m_depth == 2) {
                if (m_entry < m_rule->count)
                    fail(LineErrorKind::WrongType,
                         wrongType(label(m_entry), entryExpectedName(m_rule->kind), found));
                ++m_entry;
            }
        }
        ++m_depth;
        return true;
    }

    bool close()
    {
        --m_depth;
        if (m_depth == 1 && m_rule != nullptr && m_rule->count > 1 && !fault().set) {
            // The list of the current key is complete.
            if (m_entry != m_rule->count) {
                fail(LineErrorKind::WrongType,
                     keyLabel() + ": " + expectedName(*m_rule) + " erwartet, gefunden Liste aus " +
                         std::to_string(m_entry) + (m_entry == 1 ? " Eintrag." : " Einträgen."));
            } else {
                m_input.set(m_rule->key, m_values);
            }
        }
        return true;
    }

    CaseInput& m_input;
    std::size_t m_lineLength;
    int m_depth = 0;
    Found m_topLevel = Found::Null;
    int m_ordinal = 0;
    const KeyRule* m_rule = nullptr; // key of the value being read; null for an unknown key
    bool m_kennung = false;          // the value being read is the case key
    int m_entry = 0;                 // index of the next list entry
    std::array<std::int64_t, 3> m_values{};
    std::array<Fault, KeyCount> m_faults{};
    Fault m_unknown;
    Fault m_kennungFault;
    bool m_syntaxError = false;
    LineError m_first;
};

// Reads the shape nearly every line has, in one pass over its bytes: an object of known keys
// whose values are numbers without exponent, true or false, texts of printable ASCII without
// escapes, or lists of these; every value of the right type and in range. It takes each value
// through the same conversions as the general reader, so a line it takes is taken alike by
// both; at anything else it gives up and leaves the line to the general reader.
class PlainReader
{
public:
    PlainReader(std::string_view line, CaseInput& input)
        : m_p(line.data()), m_end(line.data() + line.size()), m_input(input)
    {
    }

    bool read()
    {
        space();
        if (!take('{'))
            return false;
        space();
        if (take('}'))
            return atEnd();
        for (;;) {
            if (!member())
                return false;
            space();
            if (take('}'))
                return atEnd();
            if (!take(','))
                return false;
            space();
        }
    }

private:
    static bool digit(char c) { return c >= '0' && c <= '9'; }

    void space()
    {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\r' || *m_p == '\n'))
            ++m_p;
    }
    bool take(char c)
    {
        if (m_p == m_end || *m_p != c)
            return false;
        ++m_p;
        return true;
    }
    bool word(std::string_view w)
    {
        if (static_cast<std::size_t>(m_end - m_p) < w.size() || std::string_view(m_p, w.size()) != w)
            return false;
        m_p += w.size();
        return true;
    }
    bool atEnd()
    {
        space();
        return m_p == m_end;
    }

    // A text whose bytes are its characters; the view points into the line.
    bool text(std::string_view& out)
    {
        if (!take('"'))
            return false;
        const char* start = m_p;
        for (; m_p != m_end && *m_p != '"'; ++m_p) {
            const auto c = static_cast<unsigned char>(*m_p);
            if (c < 0x20 || c > 0x7E || c == '\\')
                return false;
        }
        if (m_p == m_end)
            return false;
        out = std::string_view(start, static_cast<std::size_t>(m_p - start));
        ++m_p;
        return true;
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)? as JSON writes it.
    bool number(std::string_view& out, bool& whole)
    {
        const char* start = m_p;
        take('-');
        if (m_p == m_end || !digit(*m_p))
            return false;
        if (*m_p++ != '0')
            while (m_p != m_end && digit(*m_p))
                ++m_p;
        whole = !take('.');
        if (!whole) {
            if (m_p == m_end || !digit(*m_p))
                return false;
            while (m_p != m_end && digit(*m_p))
                ++m_p;
        }
        if (m_p != m_end && (*m_p == 'e' || *m_p == 'E'))
            return false;
        out = std::string_view(start, static_cast<std::size_t>(m_p - start));
        return true;
    }

    bool entry(const KeyRule& rule, int index, std::int64_t& value)
    {
        if (m_p == m_end)
            return false;
        Entry entry;
        std::string_view token;
        if (*m_p == 't' || *m_p == 'f') {
            const bool flag = *m_p == 't';
            if (rule.kind != ValueKind::Flag || !word(flag ? "true" : "false"))
                return false;
            entry = {Entry::Ok, flag ? 1 : 0};
        } else if (*m_p == '"') {
            if (!text(token))
                return false;
            entry = fromText(token, rule, index);
        } else {
            bool whole = false;
            if (!number(token, whole))
                return false;
            if (whole) {
                // The general reader has the integer; one beyond 64 bits it has otherwise.
                std::int64_t v = 0;
                const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
                if (ec != std::errc() || end != token.data() + token.size())
                    return false;
                entry = fromWhole(v, rule, index);
            } else {
                entry = fromNumberText(token, rule, index);
            }
        }
        if (entry.status != Entry::Ok)
            return false;
        value = entry.value;
        return true;
    }

    bool member()
    {
        std::string_view name;
        if (!text(name))
            return false;
        space();
        if (!take(':'))
            return false;
        space();
        if (name == KennungKey) {
            std::string_view kennung;
            if (!text(kennung) || kennung.size() > KennungMaxLength)
                return false;
            m_input.setKennung(kennung);
            return true;
        }
        const KeyRule* rule = nullptr;
        for (const KeyRule& candidate : Keys)
            if (candidate.name == name)
                rule = &candidate;
        if (rule == nullptr)
            return false;
        std::array<std::int64_t, 3> values{};
        if (rule->count == 1) {
            if (!entry(*rule, 0, values[0]))
                return false;
        } else {
            if (!take('['))
                return false;
            for (int i = 0; i < rule->count; ++i) {
                space();
                if (i > 0) {
                    if (!take(','))
                        return false;
                    space();
                }
                if (!entry(*rule, i, values[static_cast<std::size_t>(i)]))
                    return false;
            }
            space();
            if (!take(']'))
                return false;
        }
        m_input.set(rule->key, values);
        return true;
    }

    const char* m_p;
    const char* m_end;
    CaseInput& m_input;
};

} // namespace

bool parseCaseLineGeneral(std::string_view line, CaseInput& input, LineError& error)
{
    input.reset();
    // The JSON reader would take a NUL byte for the end of the text and the rest for nothing.
    if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos) {
        error = {LineErrorKind::NulByte,
                 "Die Zeile enthält ein NUL-Byte (an Stelle " + std::to_string(nul + 1) + ")."};
        return false;
    }
    LineReader reader(input, line.size());
    Json::sax_parse(line.begin(), line.end(), &reader);
    return !reader.failed(error);
}

bool parseCaseLinePlain(std::string_view line, CaseInput& input)
{
    input.reset();
    return PlainReader(line, input).read();
}

bool parseCaseLine(std::string_view line, CaseInput& input, LineError& error)
{
    return parseCaseLinePlain(line, input) || parseCaseLineGeneral(line, input, error);
}

} // namespace svp::cli
