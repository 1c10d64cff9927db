// Helpers of the report tests: the lines of a generator's buffer, a scratch
// folder made the current folder and the engine folder for one test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "report/CRepGen.h"

namespace reporttest {

// The buffer's lines (each ends in a NUL byte).
inline std::vector<std::string> Lines(CRepGen& gen)
{
    unsigned char* text = nullptr;
    long n = 0;
    gen.GetReport(&text, &n);
    std::vector<std::string> lines;
    std::string current;
    for (long i = 0; i < n; ++i) {
        if (text[i] == 0) {
            lines.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(text[i]);
        }
    }
    EXPECT_TRUE(current.empty()) << "the buffer ends inside a line";
    return lines;
}

inline std::string Bytes(CRepGen& gen)
{
    unsigned char* text = nullptr;
    long n = 0;
    gen.GetReport(&text, &n);
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(n));
}

// A fresh folder that is the current folder and QRT_ENGINE_DIR for a test.
class ScratchDir {
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/qrt-report-XXXXXX";
        m_path = mkdtemp(pattern) != nullptr ? pattern : "";
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path);
        setenv("QRT_ENGINE_DIR", m_path.c_str(), 1);
    }
    ~ScratchDir()
    {
        std::filesystem::current_path(m_previous);
        unsetenv("QRT_ENGINE_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return m_path; }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_path + "/" + name, std::ios::binary) << bytes;
    }

private:
    std::string m_path;
    std::filesystem::path m_previous;
};

}  // namespace reporttest
