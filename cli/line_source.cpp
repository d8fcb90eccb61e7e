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

bool LineSource::next(std::string& text, InputRecord& record)
{
    record = {m_nextNumber, text.size(), 0, false};
    bool any = false; // a byte of this record was seen, or its line feed
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
        const auto piece = static_cast<std::size_t>(stop - m_pos);
        if (m_scanner) // lines inside quotes count as lines of the input
            m_nextNumber += std::count(m_pos, stop, '\n');
        if (!record.tooLong) {
            if (record.length + piece > m_maxLength) {
                record.tooLong = true;
                text.resize(record.offset);
            } else {
                text.append(m_pos, piece);
                record.length += piece;
            }
        }
        m_pos = ended ? stop + 1 : stop;
        if (ended) {
            ++m_nextNumber;
            return true;
        }
    }
    if (!any)
        return false;
    // The last line of the input needs no line feed.
    if (m_scanner)
        m_scanner->restart();
    ++m_nextNumber;
    return true;
}

} // namespace svp::cli
