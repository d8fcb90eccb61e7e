#include "line_source.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <streambuf>

namespace svp::cli {

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

} // namespace

LineSource::LineSource(std::istream& in, std::size_t maxLength, std::int64_t firstNumber,
                       std::optional<char> csvSeparator)
    : m_in(in), m_maxLength(maxLength), m_nextNumber(firstNumber), m_buffer(BufferSize)
{
    if (csvSeparator)
        m_scanner.emplace(*csvSeparator);
}

bool LineSource::refill()
{
    if (m_replaying) {
        m_replaying = false;
        m_replay.clear();
        m_pos = m_end = nullptr;
    }
    if (m_ended)
        return false;
    std::streambuf* buffer = m_in.rdbuf();
    try {
        std::streamsize available = buffer != nullptr ? buffer->in_avail() : -1;
        if (available <= 0) {
            // Nothing at hand: wait for at least one byte.
            if (buffer == nullptr || std::streambuf::traits_type::eq_int_type(
                                         buffer->sgetc(), std::streambuf::traits_type::eof())) {
                m_ended = true;
                return false;
            }
            available = std::max<std::streamsize>(buffer->in_avail(), 1);
        }
        const std::streamsize got = buffer->sgetn(
            m_buffer.data(), std::min(available, static_cast<std::streamsize>(m_buffer.size())));
        if (got <= 0) {
            m_ended = true;
            return false;
        }
        m_pos = m_buffer.data();
        m_end = m_pos + got;
        return true;
    } catch (...) {
        // The stream buffer reports a failed read by throwing; the stream owns the verdict.
        m_ended = true;
        m_in.setstate(std::ios::badbit);
        return false;
    }
}

bool LineSource::waiting()
{
    if (m_pos != m_end)
        return false;
    if (m_ended || m_in.rdbuf() == nullptr)
        return true;
    try {
        return m_in.rdbuf()->in_avail() <= 0;
    } catch (...) {
        return true;
    }
}

void LineSource::cutAtFirstLine(std::string& text, InputRecord& record, std::size_t firstLine,
                                InputRecord::OpenQuote why, std::string_view rest)
{
    const std::size_t after = record.offset + firstLine + 1;
    std::string again;
    again.reserve(text.size() - std::min(after, text.size()) + rest.size());
    if (after < text.size())
        again.append(text, after, std::string::npos);
    again.append(rest);
    text.resize(record.offset + firstLine);
    record.length = firstLine;
    record.openQuote = why;
    m_replay = std::move(again); // `rest` may have pointed into the old replay: copied first
    m_replaying = true;
    m_pos = m_replay.data();
    m_end = m_pos + m_replay.size();
    m_nextNumber = record.number + 1;
    m_scanner->restart();
}

bool LineSource::next(std::string& text, InputRecord& record)
{
    record = {m_nextNumber, text.size(), 0, false};
    constexpr std::size_t None = std::string::npos;
    std::size_t firstLine = None; // CSV: the length of the first line, once a quote spans it
    bool any = false;             // a byte of this record was seen, or its line feed
    for (;;) {
        if (m_pos == m_end && !refill())
            break;
        any = true;
        const char* stop =
            m_scanner
                ? m_scanner->find(m_pos, m_end)
                : static_cast<const char*>(std::memchr(m_pos, '\n', static_cast<std::size_t>(m_end - m_pos)));
        const bool ended = stop != nullptr && stop != m_end;
        if (!ended)
            stop = m_end;
        if (m_scanner && firstLine == None) {
            // A line feed before the end of the record stands inside quotes.
            const auto* feed =
                static_cast<const char*>(std::memchr(m_pos, '\n', static_cast<std::size_t>(stop - m_pos)));
            if (feed != nullptr) {
                const std::size_t length = record.length + static_cast<std::size_t>(feed - m_pos);
                if (record.tooLong || length > m_maxLength) {
                    record.tooLong = true;
                    text.resize(record.offset);
                    record.length = 0;
                    m_pos = feed + 1;
                    m_scanner->restart();
                    ++m_nextNumber;
                    return true;
                }
                firstLine = length;
            }
        }
        const auto piece = static_cast<std::size_t>(stop - m_pos);
        if (!record.tooLong && record.length + piece > m_maxLength) {
            if (firstLine != None) {
                // The first line may end in this piece: taken whole, it is cut off again at once.
                text.append(m_pos, piece);
                cutAtFirstLine(text, record, firstLine, InputRecord::OpenQuote::BeyondTheLimit,
                               std::string_view(stop, static_cast<std::size_t>(m_end - stop)));
                return true;
            }
            record.tooLong = true;
            text.resize(record.offset);
            record.length = 0;
        }
        if (m_scanner) // lines inside quotes count as lines of the input
            m_nextNumber += std::count(m_pos, stop, '\n');
        if (!record.tooLong) {
            text.append(m_pos, piece);
            record.length += piece;
        }
        m_pos = ended ? stop + 1 : stop;
        if (ended) {
            ++m_nextNumber;
            return true;
        }
    }
    if (!any)
        return false;
    if (m_scanner) {
        if (firstLine != None && m_scanner->inQuotes()) {
            cutAtFirstLine(text, record, firstLine, InputRecord::OpenQuote::ToTheEnd, {});
            return true;
        }
        m_scanner->restart();
    }
    // The last line of the input needs no line feed.
    ++m_nextNumber;
    return true;
}

} // namespace svp::cli
