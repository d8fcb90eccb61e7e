#include "batch.h"

#include "case_input.h"
#include "case_window.h"
#include "csv_columns.h"
#include "csv_writer.h"
#include "line_source.h"
#include "mini_cache.h"
#include "result_writer.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <istream>
#include <mutex>
#include <ostream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace svp::cli {

namespace {

// Whitespace as JSON knows it; a line of nothing else is blank.
bool blank(std::string_view line)
{
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A chunk ends after this many records or bytes of input, or when the input has nothing more
// at hand. Small enough that a few chunks in flight keep memory small, large enough that
// handing them between threads costs nothing worth measuring.
constexpr std::size_t ChunkRecords = 64;
constexpr std::size_t ChunkBytes = 16 * 1024;
// Buffers that a very long line has grown are given back once the chunk is written; a chunk
// of ordinary lines stays below these.
constexpr std::size_t KeptInput = 4 * ChunkBytes;
constexpr std::size_t KeptOutput = 1024 * 1024;
// A line longer than this is determined by one thread at a time: reading it may take several
// times its length in memory (a key of a megabyte is copied into the message that names it),
// and that must not add up over the threads.
constexpr std::size_t LongLine = 64 * 1024;

// Consecutive records of the input, determined by one thread, written in turn. Each on cache
// lines of its own, so that threads filling neighbouring chunks do not slow each other down.
struct alignas(64) Chunk {
    std::string text; // the bytes of its records
    std::vector<InputRecord> records;
    std::string output;
    bool flushAfter = false; // the input had nothing more at hand after it
    bool anyFailed = false;
    bool done = false; // determined and waiting to be written
};

// The first line of a CSV file, read as JSON Lines: a byte order mark, or the header row of
// the case key.
bool looksLikeCsv(std::string_view line)
{
    return line.starts_with(csv::ByteOrderMark) || line.starts_with("Kennung;") ||
           line.starts_with("Kennung,") || line.starts_with("\"Kennung\";") ||
           line.starts_with("\"Kennung\",");
}

constexpr const char* CsvHint = " Die Eingabe sieht nach CSV aus: dafür gibt es --format csv.";

// What one thread needs to determine lines: its own year tables and windows.
class Worker
{
public:
    Worker(const BatchOptions& options, const CsvColumns* columns, std::mutex& longLines)
        : m_options(options), m_columns(columns), m_longLines(longLines)
    {
    }

    void determine(Chunk& chunk)
    {
        chunk.output.clear();
        chunk.anyFailed = false;
        for (const InputRecord& record : chunk.records) {
            const std::string_view line(chunk.text.data() + record.offset, record.length);
            std::unique_lock<std::mutex> oneAtATime;
            if (record.length > LongLine)
                oneAtATime = std::unique_lock(m_longLines);
            if (record.tooLong) {
                refuse(chunk, record, m_tooLong);
                continue;
            }
            if (m_columns == nullptr) {
                if (blank(line))
                    continue;
                if (parseCaseLine(line, m_input, m_error))
                    take(chunk);
                else if (record.number == 1 && looksLikeCsv(line))
                    refuse(chunk, record, m_error.message + CsvHint);
                else
                    refuse(chunk, record, m_error.message);
                continue;
            }
            const CsvColumns::Row row = m_columns->readRow(line, m_input, m_error, m_cells);
            if (record.openQuote != InputRecord::OpenQuote::None) {
                refuse(chunk, record, openQuoteFault(record, row));
                continue;
            }
            switch (row) {
            case CsvColumns::Row::Blank:
                appendCsvBlank(chunk.output, m_options.separator, m_options.beitraege);
                break;
            case CsvColumns::Row::Taken:
                take(chunk);
                break;
            case CsvColumns::Row::Refused:
                refuse(chunk, record, m_error.message);
                break;
            }
        }
    }

private:
    void take(Chunk& chunk)
    {
        if (!m_options.sequence)
            m_window = m_freshWindow;
        m_window.apply(m_input);
        engine::Beitraege* beitraege = m_options.beitraege ? &m_beitraege : nullptr;
        m_window.determine(m_cache, beitraege);
        if (m_columns == nullptr)
            appendResult(chunk.output, m_window.fall, m_window.ansicht, m_input.kennung(), m_window.hinweis(),
                         beitraege);
        else
            appendCsvResult(chunk.output, m_options.separator, m_window.fall, m_window.ansicht,
                            m_input.kennung(), m_window.hinweis(), beitraege);
    }

    // A refused line leaves the window as it was. A CSV row has no column of its own for the
    // number of its (first) line: the message begins with it.
    void refuse(Chunk& chunk, const InputRecord& record, std::string_view message)
    {
        const std::string* kennung = record.tooLong ? nullptr : m_input.kennung();
        if (m_columns == nullptr)
            appendError(chunk.output, record.number, message, kennung);
        else
            appendCsvError(chunk.output, m_options.separator,
                           "Zeile " + std::to_string(record.number) + ": " + std::string(message), kennung,
                           m_options.beitraege);
        chunk.anyFailed = true;
    }

    // A row whose quote stays open: what is wrong with its first line, and how reading goes on.
    std::string openQuoteFault(const InputRecord& record, CsvColumns::Row row) const
    {
        std::string message = row == CsvColumns::Row::Refused
                                  ? m_error.message
                                  : "Das Anführungszeichen wird nicht geschlossen.";
        if (record.openQuote == InputRecord::OpenQuote::ToTheEnd)
            message += " Es bleibt bis zum Ende der Eingabe offen;";
        else
            message += " Es ist nach " + std::to_string(m_options.maxLineLength) + " Bytes noch offen;";
        return message + " gelesen wird mit der nächsten Zeile weiter.";
    }

    const BatchOptions& m_options;
    const CsvColumns* m_columns; // null for JSON Lines
    std::mutex& m_longLines;
    const std::string m_tooLong = "Zeile länger als " + std::to_string(m_options.maxLineLength) + " Bytes";
    MiniCache m_cache;
    const CaseWindow m_freshWindow;
    CaseWindow m_window;           // a fresh one to begin with
    engine::Beitraege m_beitraege; // of the line just determined, with --beitraege
    CaseInput m_input;
    LineError m_error;
    std::vector<std::string> m_cells;
};

// The run: every thread in turn reads a chunk, determines it, and writes whatever chunks are
// next in input order. A ring of one chunk more than threads keeps memory flat; a thread that
// runs ahead waits until the oldest chunk is written.
class Pipeline
{
public:
    Pipeline(LineSource& source, std::ostream& out, const BatchOptions& options, const CsvColumns* columns)
        : m_source(source), m_out(out), m_options(options), m_columns(columns),
          m_threads(options.sequence ? 1 : std::max(1, options.jobs)),
          m_slots(static_cast<std::size_t>(m_threads + 1))
    {
    }

    // Returns whether a line was refused; rethrows what a thread could not handle.
    bool run()
    {
        std::vector<std::thread> helpers;
        try {
            for (int i = 1; i < m_threads; ++i)
                helpers.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            // Fewer threads than asked for do the same work, only slower.
        }
        work();
        for (std::thread& helper : helpers)
            helper.join();
        if (m_failure)
            std::rethrow_exception(m_failure);
        return m_anyFailed;
    }

private:
    void work()
    {
        try {
            Worker worker(m_options, m_columns, m_longLines);
            while (Chunk* chunk = nextChunk())
                finish(worker, *chunk);
        } catch (...) {
            const std::lock_guard lock(m_outputMutex);
            if (!m_failure)
                m_failure = std::current_exception();
            m_stop = true;
            m_room.notify_all();
        }
    }

    // The next chunk of the input in a free slot, or null when the run is over.
    Chunk* nextChunk()
    {
        const std::lock_guard inputLock(m_inputMutex);
        if (m_inputEnded || m_stop)
            return nullptr;
        {
            std::unique_lock outputLock(m_outputMutex);
            m_room.wait(outputLock, [&] { return m_nextRead - m_nextWrite < m_slots.size() || m_stop; });
            if (m_stop)
                return nullptr;
        }
        Chunk& chunk = m_slots[m_nextRead++ % m_slots.size()];
        chunk.text.clear();
        chunk.records.clear();
        chunk.flushAfter = false;
        InputRecord record;
        while (chunk.records.size() < ChunkRecords && chunk.text.size() < ChunkBytes) {
            if (!m_source.next(chunk.text, record)) {
                m_inputEnded = true;
                break;
            }
            chunk.records.push_back(record);
            if (m_source.waiting()) {
                chunk.flushAfter = true;
                break;
            }
        }
        return &chunk;
    }

    void finish(Worker& worker, Chunk& chunk)
    {
        worker.determine(chunk);
        if (chunk.text.capacity() > KeptInput) // not needed any more
            std::string().swap(chunk.text);
        const std::lock_guard lock(m_outputMutex);
        chunk.done = true;
        // Write every chunk that is next in order; the others wait for the thread that
        // determines the one before them.
        for (;;) {
            Chunk& next = m_slots[m_nextWrite % m_slots.size()];
            if (!next.done)
                break;
            if (!m_stop) {
                m_out.write(next.output.data(), static_cast<std::streamsize>(next.output.size()));
                if (next.flushAfter)
                    m_out.flush();
                if (!m_out)
                    m_stop = true; // the rest would be lost all the same
            }
            if (next.anyFailed)
                m_anyFailed = true;
            next.done = false;
            if (next.output.capacity() > KeptOutput)
                std::string().swap(next.output);
            ++m_nextWrite;
        }
        m_room.notify_all();
    }

    LineSource& m_source;
    std::ostream& m_out;
    const BatchOptions& m_options;
    const CsvColumns* m_columns;
    const int m_threads;

    std::mutex m_longLines;
    std::mutex m_inputMutex; // the source, m_nextRead, m_inputEnded
    std::uint64_t m_nextRead = 0;
    bool m_inputEnded = false;

    std::mutex m_outputMutex; // the output, the slots' `done`, m_nextWrite, m_failure
    std::condition_variable m_room;
    std::uint64_t m_nextWrite = 0;
    std::vector<Chunk> m_slots;
    bool m_anyFailed = false;
    std::atomic<bool> m_stop{false};
    std::exception_ptr m_failure;
};

} // namespace

int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options, std::string* inputFault)
{
    const bool csv = options.format == Format::Csv;
    LineSource source(in, options.maxLineLength, options.firstLine,
                      csv ? std::optional<char>(options.separator) : std::nullopt);

    std::optional<CsvColumns> columns;
    if (csv) {
        std::string header;
        InputRecord record;
        if (source.next(header, record)) {
            std::string fault;
            if (record.tooLong)
                fault = "Die Kopfzeile ist länger als " + std::to_string(options.maxLineLength) + " Bytes.";
            else {
                if (header.starts_with(csv::ByteOrderMark))
                    header.erase(0, csv::ByteOrderMark.size());
                columns.emplace(options.separator);
                fault = columns->readHeader(header);
            }
            if (!fault.empty()) {
                if (inputFault != nullptr)
                    *inputFault = fault;
                return ExitNoInput;
            }
            std::string head;
            appendCsvHeader(head, options.separator, options.beitraege);
            out.write(head.data(), static_cast<std::streamsize>(head.size()));
            if (source.waiting())
                out.flush();
        }
    }

    bool anyFailed = false;
    if (!csv || columns)
        anyFailed = Pipeline(source, out, options, csv ? &*columns : nullptr).run();
    out.flush();
    if (in.bad())
        return ExitNoInput;
    return anyFailed ? ExitLineFailed : ExitAllDetermined;
}

} // namespace svp::cli
