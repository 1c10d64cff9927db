// The fuzz programs' scratch folder: one per process under /tmp, removed with
// everything in it when the process exits; and writing an input into a file.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz {

class ScratchFolder {
public:
    explicit ScratchFolder(const char* pattern) {
        std::string tmpl = pattern;
        if (mkdtemp(tmpl.data()) == nullptr) std::abort();
        m_path = tmpl + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder with a trailing "/".
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The process's scratch folder, made on first use from pattern (ending in XXXXXX).
inline const std::string& Folder(const char* pattern) {
    static const ScratchFolder folder(pattern);
    return folder.Path();
}

// Writes the input bytes to path, replacing it; aborts the run when it cannot.
inline void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

}  // namespace fuzz
