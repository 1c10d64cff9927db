// Helpers of the report tests: the lines of a generator's buffer, a scratch
// folder made the current folder and the engine folder for one test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ratetable/ScratchFolder.h"
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
    ScratchDir() : m_engine(m_folder.Path()), m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(m_folder.Path());
    }
    ~ScratchDir() { std::filesystem::current_path(m_previous); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return m_folder.Path(); }
    void Write(const std::string& name, const std::string& bytes) const { m_folder.Write(name, bytes); }

private:
    ScratchFolder m_folder;
    EngineDirScope m_engine;
    std::filesystem::path m_previous;
};

}  // namespace reporttest
