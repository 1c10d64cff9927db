// ScratchFolder: a fresh folder under /tmp for one test, removed with its
// content afterwards, plus small file helpers for the tests of the engine's
// files. EngineDirScope points QRT_ENGINE_DIR at a folder for its lifetime.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qrt-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without and with a trailing "/".
    const std::string& Path() const { return m_path; }
    std::string Dir() const { return m_path + "/"; }
    std::string Path(const std::string& name) const { return Dir() + name; }

    void Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(Path(name), std::ios::binary) << content;
    }
    void WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes) const
    {
        std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::string ReadText(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<unsigned char> ReadBytes(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }
    bool Exists(const std::string& name) const
    {
        return std::filesystem::exists(Path(name));
    }
    // Names of the files in the folder.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path))
            names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::string m_path;
};

// Sets QRT_ENGINE_DIR for the lifetime of the object, then restores it.
class EngineDirScope {
public:
    explicit EngineDirScope(const std::string& dir)
    {
        const char* old = std::getenv("QRT_ENGINE_DIR");
        m_had = old != nullptr;
        if (old) m_old = old;
        setenv("QRT_ENGINE_DIR", dir.c_str(), 1);
    }
    ~EngineDirScope()
    {
        if (m_had)
            setenv("QRT_ENGINE_DIR", m_old.c_str(), 1);
        else
            unsetenv("QRT_ENGINE_DIR");
    }
    EngineDirScope(const EngineDirScope&) = delete;
    EngineDirScope& operator=(const EngineDirScope&) = delete;

private:
    bool m_had = false;
    std::string m_old;
};

// The lines of a text ("\n" separated; no empty last element for a final "\n").
inline std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}
