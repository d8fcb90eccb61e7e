#include "json_line_reader.h"

#include <limits>
#include <nlohmann/json.hpp>

namespace svp::cli {

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
        return "Betrag (Zahl oder Text wie \"1.500,50\")";
    case ValueKind::Date:
        return "Datum (Text wie \"1980-05-15\")";
    }
    return "";
}

std::string expectedName(const KeyRule& rule)
{
    if (rule.count == 1 && rule.optional && rule.kind == ValueKind::Flag)
        return "true, false oder null";
    if (rule.count == 1 && rule.optional)
        return entryExpectedName(rule.kind) + " oder null";
    if (rule.count == 1)
        return entryExpectedName(rule.kind);
    return "Liste aus " + std::to_string(rule.count) +
           (rule.kind == ValueKind::Amount ? " Beträgen" : " Wahrheitswerten");
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
        return scalar(Found::Null, [](const KeyRule& rule, int) { return entryFromNull(rule); });
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
                      [v](const KeyRule& rule, int index) { return entryFromWhole(v, rule, index); });
    }
    bool number_unsigned(Json::number_unsigned_t v)
    {
        return scalar(Found::Number, [v](const KeyRule& rule, int index) {
            if (v > static_cast<Json::number_unsigned_t>(std::numeric_limits<std::int64_t>::max()))
                return rule.kind == ValueKind::Flag ? Entry{Entry::WrongType} : Entry{Entry::OutOfRange};
            return entryFromWhole(static_cast<std::int64_t>(v), rule, index);
        });
    }
    bool number_float(Json::number_float_t, const std::string& text)
    {
        const bool fractional = text.find_first_of(".eE") != std::string::npos;
        return scalar(
            fractional ? Found::FractionalNumber : Found::Number,
            [&text](const KeyRule& rule, int index) { return entryFromNumberText(text, rule, index); });
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
                      [&text](const KeyRule& rule, int index) { return entryFromText(text, rule, index); });
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
        m_rule = findKey(name);
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
        const bool flags = m_rule->kind == ValueKind::Flag || m_rule->kind == ValueKind::Date;
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
                 label(index) + ": der Text ist kein Betrag in deutscher Schreibweise wie \"1.500\" oder "
                                "\"1.500,50\" (Punkt vor den Tausendern, Komma vor den Nachkommastellen).");
            break;
        case Entry::OutOfRange:
            fail(LineErrorKind::OutOfRange, outOfRangeMessage(index));
            break;
        case Entry::TooManyDecimals:
            fail(LineErrorKind::TooManyDecimals, label(index) + ": " + decimalsFault(*m_rule));
            break;
        case Entry::NotDate:
        case Entry::NotCalendarDate:
            fail(LineErrorKind::WrongType, label(index) + ": " + dateFault(entry.status));
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

} // namespace

bool parseCaseLineGeneral(std::string_view line, CaseInput& input, LineError& error)
{
    input.reset();
    // The JSON reader would take a NUL byte for the end of the text and the rest for nothing.
    if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos) {
        error = nulByteError(nul);
        return false;
    }
    LineReader reader(input, line.size());
    Json::sax_parse(line.begin(), line.end(), &reader);
    return !reader.failed(error);
}

} // namespace svp::cli
