// Crash safety of every writer (CrashWriters.h): qrt_crash_writer repeats the
// write in a loop and is killed with SIGKILL at a random moment, 100 times;
// after each kill the folder must hold a complete version and nothing the
// next run trips over (the next run is the next kill's child, which starts
// on what the last one left). And each writer on a full file system must
// report the failure and keep the old file.
//
// The random moments come from one seed: QRT_CRASH_SEED=<n> repeats a run;
// every failure names the seed.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <thread>

#include "crash/CrashWriters.h"
#include "ratetable/ScratchFolder.h"

extern char** environ;

namespace crash {
// Test names and messages show the writer's name.
void PrintTo(const Writer& w, std::ostream* out) { *out << w.name; }
}  // namespace crash

namespace {

constexpr int kKills = 100;
constexpr int kLongestWaitUs = 6000;  // kills fall within the first few writes

// A scratch folder in memory when there is one (/dev/shm): the flushes to disk
// cost nothing there, so the child makes many writes in the time a kill may
// come, and a kill only stops the process, whose writes the kernel keeps.
class MemoryFolder {
public:
    MemoryFolder() {
        std::error_code ec;
        const bool shm = std::filesystem::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0;
        m_path = (shm ? std::string("/dev/shm") : std::filesystem::temp_directory_path().string()) +
                 "/qrt-crash-XXXXXX";
        if (mkdtemp(m_path.data()) == nullptr) m_path.clear();
    }
    ~MemoryFolder() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    MemoryFolder(const MemoryFolder&) = delete;
    MemoryFolder& operator=(const MemoryFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string Dir() const { return m_path + "/"; }

private:
    std::string m_path;
};

unsigned Seed() {
    if (const char* s = std::getenv("QRT_CRASH_SEED")) return static_cast<unsigned>(std::strtoul(s, nullptr, 10));
    return std::random_device{}();
}

struct Child {
    pid_t pid = -1;
    int out = -1;  // the read end of its standard output
};

Child Start(std::initializer_list<std::string> args) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    std::vector<std::string> all{QRT_CRASH_WRITER};
    all.insert(all.end(), args);
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    Child c;
    if (posix_spawn(&c.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) c.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    c.out = pipeFds[0];
    return c;
}

// Reads what is there (waiting up to timeoutMs for the first byte).
std::string ReadSome(int fd, int timeoutMs) {
    std::string text;
    char buffer[4096];
    for (pollfd p{fd, POLLIN, 0}; poll(&p, 1, text.empty() ? timeoutMs : 0) > 0;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

// The files and folders under folder.
size_t Count(const std::string& folder) {
    size_t n = 0;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec); !ec && it != decltype(it)(); it.increment(ec)) ++n;
    return n;
}

// Sets QRT_ENGINE_DIR and XDG_DATA_HOME as qrt_crash_writer does, for the
// prepare and check steps that run here.
struct WriterEnvironment {
    EngineDirScope engine;
    explicit WriterEnvironment(const std::string& folder) : engine(folder) {
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    ~WriterEnvironment() { unsetenv("XDG_DATA_HOME"); }
};

class CrashSafety : public ::testing::TestWithParam<crash::Writer> {};

TEST_P(CrashSafety, EveryKillLeavesACompleteVersion) {
    const crash::Writer& w = GetParam();
    const unsigned seed = Seed();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> waitUs(0, kLongestWaitUs);
    MemoryFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    WriterEnvironment environment(folder.Dir());
    w.prepare(folder.Dir());
    const size_t files = Count(folder.Path());

    std::map<std::string, int> states;
    long writes = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE(std::string(w.name) + " kill " + std::to_string(kill) + ", QRT_CRASH_SEED=" + std::to_string(seed));
        // Every run starts from the old version, beside what earlier kills left.
        if (kill > 0) w.prepare(folder.Dir());
        Child c = Start({w.name, folder.Path()});
        ASSERT_GT(c.pid, 0);
        const std::string ready = ReadSome(c.out, 20000);
        std::this_thread::sleep_for(std::chrono::microseconds(waitUs(random)));
        ::kill(c.pid, SIGKILL);
        int status = 0;
        waitpid(c.pid, &status, 0);
        writes += static_cast<long>((ready + ReadSome(c.out, 0)).size());
        close(c.out);
        ASSERT_TRUE(!ready.empty() && ready[0] == 'R') << "the writer did not start on the folder the last kill left";
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer stopped by itself";
        std::string why;
        const char* state = w.check(folder.Dir(), &why);
        ASSERT_NE(state, nullptr) << why;
        ++states[state];
    }
    std::string figures;
    for (const auto& [state, count] : states) figures += " " + state + " " + std::to_string(count);
    std::printf("%s: %d kills, %ld writes done in all; states:%s; %zu files left over (seed %u)\n", w.name,
                kKills, writes, figures.c_str(), Count(folder.Path()) - files, seed);
}

TEST_P(CrashSafety, AFullFileSystemFailsTheWriteAndKeepsTheOldFile) {
    const crash::Writer& w = GetParam();
    ScratchFolder folder;  // a tmpfs is mounted on it inside the child's own namespace
    Child c = Start({"--disk-full", w.name, folder.Path()});
    ASSERT_GT(c.pid, 0);
    std::string said;
    for (std::string part; !(part = ReadSome(c.out, 20000)).empty();) said += part;
    close(c.out);
    int status = 0;
    waitpid(c.pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << said;
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << said;
    EXPECT_EQ(WEXITSTATUS(status), 0) << said;
}

INSTANTIATE_TEST_SUITE_P(Writers, CrashSafety, ::testing::ValuesIn(crash::Writers()),
                         [](const ::testing::TestParamInfo<crash::Writer>& info) { return std::string(info.param.name); });

}  // namespace
