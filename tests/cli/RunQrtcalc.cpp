#include "RunQrtcalc.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ratetable/InterestRateTable.h"

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qrtcalc-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& text) const {
    std::string path = m_path + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

int ScratchFolder::SaveRateTable(const std::string& name, Date start, int dpy, const char* description,
                                 Date end) const {
    InterestRateTable table;
    table.SetStartingDate(0, start);
    table.SetNRate(0, 8.0);
    table.SetMRate(0, 9.6);
    table.SetRRate(0, 7.0);
    table.SetDPY(0, dpy);
    table.SetMethod(0, 2);
    table.SetTableName(name);
    table.SetDescription(description);
    table.SetTableEndDate(end);
    std::string path = m_path + "/" + name + ".TB3";
    return table.Save(path);
}

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

ProgramRun RunQrtcalc(const std::vector<std::string>& args, const ScratchFolder& folder,
                      const std::string& engineDir, const std::string& workDir,
                      const std::string& stdinPath) {
    const std::string outPath = folder.Path() + "/stdout.txt";
    const std::string errPath = folder.Path() + "/stderr.txt";
    ProgramRun run;
    pid_t pid = fork();
    if (pid == 0) {
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0) _exit(127);
        dup2(out, 1);
        dup2(err, 2);
        if (!stdinPath.empty()) {
            int in = open(stdinPath.c_str(), O_RDONLY);
            if (in < 0) _exit(127);
            dup2(in, 0);
        }
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(126);
        if (engineDir.empty())
            unsetenv("QRT_ENGINE_DIR");
        else
            setenv("QRT_ENGINE_DIR", engineDir.c_str(), 1);
        std::vector<char*> argv;
        std::string program = QRT_QRTCALC;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (auto& a : copies) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadAll(outPath);
    run.err = ReadAll(errPath);
    return run;
}
