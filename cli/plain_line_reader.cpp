#include "plain_line_reader.h"

#include <charconv>

namespace svp::cli {

namespace {

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
            entry = entryFromText(token, rule, index);
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
                entry = entryFromWhole(v, rule, index);
            } else {
                entry = entryFromNumberText(token, rule, index);
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
        const KeyRule* rule = findKey(name);
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

bool parseCaseLinePlain(std::string_view line, CaseInput& input)
{
    input.reset();
    return PlainReader(line, input).read();
}

} // namespace svp::cli
