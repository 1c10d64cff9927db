// qrtcalc --batch: see BatchMode.h.
//
// The input is read line by line on the main thread into a window of slots;
// worker threads compute the lines in turn, each with its own engine run, and
// the worker that completes the next line in order writes it and the done
// lines after it, so the output keeps input order. The reader waits
// while the window is full, so memory stays bounded whatever the input length.
#include "BatchMode.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BatchAccount.h"
#include "DataDirectory.h"

namespace {

const char kBatchUsage[] =
    "Usage: qrtcalc --batch [FILE|-] [--threads N]\n"
    "\n"
    "Reads JSON Lines from FILE (or standard input when FILE is - or missing): one\n"
    "account object per line, with the keys of an account file (qrtcalc --help) and\n"
    "an optional \"id\" (a string or a number). Writes one JSON object per line, in\n"
    "input order: the --json keys with the \"id\" first, or for a refused account\n"
    "{\"id\", \"line\", \"error\": {\"message\", \"exit\"}} (exit 2: bad input, 1: the\n"
    "computation found an input error); a refused line never stops the run. Blank\n"
    "lines are skipped.\n"
    "\n"
    "  --threads N   compute N accounts at a time (default: the number of cores)\n"
    "\n"
    "On a terminal, progress goes to standard error.\n"
    "Exit status: 0 every account computed; 1 or 2 the worst class of a refused\n"
    "account; 2 bad command line or unreadable input, nothing written; 3 the output\n"
    "could not be written.\n";

constexpr size_t kMaxLineBytes = 16 * 1024 * 1024;   // as an account file
constexpr int kMaxThreads = 256;

// Lines of a stream, each at most kMaxLineBytes; a longer one is skipped to
// its end and reported as too long.
class LineReader {
public:
    explicit LineReader(FILE* in) : m_in(in) {}

    // False at the end of the input (or on a read error, see Failed).
    bool Next(std::string& line, bool& tooLong)
    {
        line.clear();
        tooLong = false;
        bool any = false;
        for (;;) {
            if (m_pos == m_end && !Fill()) return any;
            any = true;
            const char* start = m_buffer + m_pos;
            const void* nl = std::memchr(start, '\n', m_end - m_pos);
            const size_t take = nl != nullptr ? static_cast<const char*>(nl) - start : m_end - m_pos;
            if (!tooLong && line.size() + take <= kMaxLineBytes) line.append(start, take);
            else {
                tooLong = true;
                line.clear();
            }
            m_pos += take;
            if (nl != nullptr) {
                ++m_pos;
                return true;
            }
        }
    }
    bool Failed() const { return std::ferror(m_in) != 0; }
    long long BytesRead() const { return m_bytes - static_cast<long long>(m_end - m_pos); }

private:
    bool Fill()
    {
        m_pos = 0;
        m_end = std::fread(m_buffer, 1, sizeof m_buffer, m_in);
        m_bytes += static_cast<long long>(m_end);
        return m_end > 0;
    }

    FILE* m_in;
    char m_buffer[1 << 16];
    size_t m_pos = 0;
    size_t m_end = 0;
    long long m_bytes = 0;
};

struct Slot {
    std::string input;
    long line = 0;
    bool tooLong = false;
    bool ready = false;
    BatchLineResult result;
};

// Progress on standard error: accounts done, accounts per second and, when
// the input's size is known, the time left. Only used on a terminal.
class Progress {
public:
    explicit Progress(long long inputBytes) : m_inputBytes(inputBytes), m_start(Clock::now()), m_last(m_start) {}

    void Tick(long done, long long bytesRead, bool last)
    {
        const Clock::time_point now = Clock::now();
        if (!last && now - m_last < std::chrono::milliseconds(250)) return;
        m_last = now;
        const double seconds = std::chrono::duration<double>(now - m_start).count();
        const double rate = seconds > 0.0 ? done / seconds : 0.0;
        char text[160];
        int n = std::snprintf(text, sizeof text, "\rqrtcalc: %ld accounts, %.0f per second", done, rate);
        if (!last && m_inputBytes > 0 && bytesRead > 0 && bytesRead <= m_inputBytes) {
            const double left = seconds * static_cast<double>(m_inputBytes - bytesRead) / static_cast<double>(bytesRead);
            n += std::snprintf(text + n, sizeof text - n, ", about %.0f s left", left);
        }
        std::snprintf(text + n, sizeof text - n, last ? "\033[K\n" : "\033[K");
        std::fputs(text, stderr);
    }

private:
    using Clock = std::chrono::steady_clock;
    long long m_inputBytes;
    Clock::time_point m_start;
    Clock::time_point m_last;
};

class BatchRun {
public:
    BatchRun(FILE* in, int threads, long long inputBytes)
        : m_reader(in), m_threads(threads), m_slots(static_cast<size_t>(threads) * 16),
          m_progress(isatty(STDERR_FILENO) ? new Progress(inputBytes) : nullptr)
    {
    }
    ~BatchRun() { delete m_progress; }
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    int Run()
    {
        std::vector<std::thread> workers;
        for (int t = 0; t < m_threads; ++t) workers.emplace_back([this] { Work(); });
        Read();
        for (std::thread& t : workers) t.join();
        if (m_progress != nullptr) m_progress->Tick(m_written, m_reader.BytesRead(), true);
        if (m_outputFailed || std::fflush(stdout) != 0) {
            std::cerr << "qrtcalc: cannot write the output\n";
            return 3;
        }
        if (m_reader.Failed()) {
            std::cerr << "qrtcalc: reading the input failed after " << m_lines << " lines\n";
            return 2;
        }
        return m_worst;
    }

private:
    Slot& At(long seq) { return m_slots[static_cast<size_t>(seq) % m_slots.size()]; }

    void Read()
    {
        // Lines are placed in the window a few at a time, so that the lock
        // is taken (and the workers woken) once per group, not per line.
        constexpr size_t kGroup = 8;
        std::vector<Slot> group(kGroup);
        size_t grouped = 0;
        bool more = true;
        while (more && !Stopped()) {
            grouped = 0;
            while (grouped < kGroup) {
                Slot& g = group[grouped];
                if (!m_reader.Next(g.input, g.tooLong)) {
                    more = false;
                    break;
                }
                ++m_lines;
                if (!g.tooLong && g.input.find_first_not_of(" \t\r") == std::string::npos) continue;
                g.line = m_lines;
                ++grouped;
            }
            if (grouped == 0) continue;
            std::unique_lock<std::mutex> hold(m_lock);
            for (size_t i = 0; i < grouped && !m_stop; ++i) {
                // A full window is refilled once half of it is written, not
                // line by line: one wake-up per half window instead of one
                // per line.
                const long size = static_cast<long>(m_slots.size());
                if (m_read - m_written >= size) {
                    m_work.notify_all();   // what is placed so far must be computed to make room
                    m_space.wait(hold, [this, size] { return m_read - m_written <= size / 2 || m_stop; });
                }
                if (m_stop) break;
                Slot& s = At(m_read);
                s.input.swap(group[i].input);
                s.line = group[i].line;
                s.tooLong = group[i].tooLong;
                s.ready = false;
                ++m_read;
            }
            m_work.notify_all();
        }
        std::lock_guard<std::mutex> hold(m_lock);
        m_endOfInput = true;
        m_work.notify_all();
    }

    bool Stopped()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_stop;
    }

    void Work()
    {
        // A worker takes up to kTake lines in a row and reports them done
        // together: one lock per few lines instead of two per line.
        constexpr long kTake = 4;
        CEngineRun run;
        std::vector<BatchLineResult> batch;
        BatchLineResult results[kTake];
        for (;;) {
            std::unique_lock<std::mutex> hold(m_lock);
            m_work.wait(hold, [this] { return m_taken < m_read || m_endOfInput || m_stop; });
            if (m_taken == m_read) return;   // the input has ended (or the run stopped)
            const long first = m_taken;
            const long count = std::min(kTake, m_read - m_taken);
            m_taken += count;
            hold.unlock();
            for (long i = 0; i < count; ++i) {
                Slot& s = At(first + i);
                results[i] = s.tooLong ? BatchLineTooLong(s.line) : BatchAccountLine(s.input, s.line, run);
                run.Release();
            }
            hold.lock();
            for (long i = 0; i < count; ++i) {
                Slot& s = At(first + i);
                s.result = std::move(results[i]);
                s.ready = true;
            }
            WriteInOrder(hold, batch);
        }
    }

    // The worker that finds the next line in order done (and no other worker
    // writing) writes it and every done line after it, outside the lock; the
    // others go back to computing. No thread waits to write, so no wake-up per
    // line is needed.
    void WriteInOrder(std::unique_lock<std::mutex>& hold, std::vector<BatchLineResult>& batch)
    {
        while (!m_writing && !m_outputFailed && m_written < m_read && At(m_written).ready) {
            m_writing = true;
            batch.clear();
            for (long seq = m_written; seq < m_read && At(seq).ready; ++seq) {
                batch.push_back(std::move(At(seq).result));
                At(seq).ready = false;
            }
            hold.unlock();
            bool failed = false;
            for (BatchLineResult& result : batch) {
                m_worst = std::max(m_worst, result.exitClass);   // only the writing worker touches it
                result.json += '\n';
                if (!failed && std::fwrite(result.json.data(), 1, result.json.size(), stdout) != result.json.size())
                    failed = true;
            }
            hold.lock();
            m_writing = false;
            m_written += static_cast<long>(batch.size());
            // Output that cannot be written ends the run: nothing more is read.
            if (failed) {
                m_outputFailed = true;
                m_stop = true;
                m_work.notify_all();
            }
            if (m_read - m_written <= static_cast<long>(m_slots.size()) / 2) m_space.notify_one();
            if (m_progress != nullptr) {
                const long done = m_written;
                hold.unlock();
                m_progress->Tick(done, m_reader.BytesRead(), false);
                hold.lock();
            }
        }
    }

    LineReader m_reader;
    const int m_threads;
    std::vector<Slot> m_slots;
    Progress* m_progress;

    // One lock; the reader and the workers each have their own condition,
    // woken only for what they wait for (a wake-up of every thread per line
    // cost more system time than the computation).
    std::mutex m_lock;
    std::condition_variable m_space;    // the reader: a free slot in the window
    std::condition_variable m_work;     // the workers: a line to compute, or the end
    bool m_writing = false;             // a worker is writing done lines (WriteInOrder)
    long m_lines = 0;     // lines read, blank ones included (the line numbers)
    long m_read = 0;      // accounts placed in the window
    long m_taken = 0;     // accounts a worker has taken
    long m_written = 0;   // accounts written
    bool m_endOfInput = false;
    bool m_stop = false;
    bool m_outputFailed = false;
    int m_worst = 0;
};

int Usage(const std::string& message)
{
    std::cerr << "qrtcalc: " << message << "\n" << kBatchUsage;
    return 2;
}

}  // namespace

bool BatchRequested(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--batch") == 0) return true;
    return false;
}

int RunBatch(int argc, char** argv)
{
    std::string file;
    bool haveFile = false;
    unsigned cores = std::thread::hardware_concurrency();
    int threads = cores > 0 ? static_cast<int>(std::min<unsigned>(cores, kMaxThreads)) : 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--batch" || arg == "--json") continue;   // --json is what batch mode writes anyway
        if (arg == "--help" || arg == "-h") {
            std::cout << kBatchUsage;
            return std::cout.flush() ? 0 : 3;
        }
        if (arg == "--threads") {
            if (i + 1 >= argc) return Usage("--threads needs a number");
            const std::string value = argv[++i];
            char* end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || n < 1 || n > kMaxThreads)
                return Usage("--threads takes a whole number from 1 to " + std::to_string(kMaxThreads) + " (got \"" + value + "\")");
            threads = static_cast<int>(n);
        } else if (arg != "-" && !arg.empty() && arg[0] == '-') {
            return Usage("unknown option \"" + arg + "\"");
        } else if (haveFile) {
            return Usage("one input at a time (got \"" + file + "\" and \"" + arg + "\")");
        } else {
            file = arg;
            haveFile = true;
        }
    }

    FILE* in = stdin;
    long long inputBytes = 0;
    if (haveFile && file != "-") {
        in = std::fopen(file.c_str(), "rb");
        if (in == nullptr) {
            std::cerr << "qrtcalc: " << file << ": cannot open the file: " << std::strerror(errno) << "\n";
            return 2;
        }
        struct stat st {};
        if (fstat(fileno(in), &st) == 0 && S_ISDIR(st.st_mode)) {
            std::fclose(in);
            std::cerr << "qrtcalc: " << file << ": is a folder, not a file of accounts\n";
            return 2;
        }
        if (S_ISREG(st.st_mode)) inputBytes = st.st_size;
    }

    UseShippedDataUnlessSet();
    // Output to a file or a pipe goes out in large blocks (a result line is
    // some kilobytes; the default buffer meant a write per line or two). On a
    // terminal the lines stay as they are. Nothing has been written yet.
    static char outputBuffer[1 << 20];
    if (!isatty(STDOUT_FILENO)) std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    int status;
    {
        BatchRun run(in, threads, inputBytes);
        status = run.Run();
    }
    if (in != stdin) std::fclose(in);
    return status;
}
