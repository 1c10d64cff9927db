// CReportFile: the file that WriteReport writes. Replacing: the text goes to
// a temporary file in the target's folder that Commit renames over the
// target, so a failed write never leaves half a report over an old one.
// Appending: the text goes to the end of the file, created when missing.
// A file whose Commit was not reached is left as it was (the temporary file
// is removed). Tests: through CQRTEngine::WriteReport.
#pragma once

#include <cstdio>
#include <string>

class CReportFile {
public:
    CReportFile() = default;
    ~CReportFile();
    CReportFile(const CReportFile&) = delete;
    CReportFile& operator=(const CReportFile&) = delete;

    // 0 when the file could not be opened for writing: an empty name, a
    // folder, a missing or unwritable folder, an existing file without
    // write permission.
    int Open(const std::string& path, bool append);
    int Write(const std::string& text);
    // Flushes to disk, closes and (when replacing) renames into place.
    int Commit();

private:
    void Abandon();

    std::FILE* m_file = nullptr;
    std::string m_target;
    std::string m_temporary;  // empty when appending
    bool m_ok = true;
};
