// ReportTemplate: one report template file (.DM) read into at most 100 lines.
//
// A template is a plain single-byte text file that users may edit; its field
// markers are the byte 0xAD followed by a field code (see CRepGen). Loading
// removes /* ... */ comments (across lines too), keeps only lines that a line
// feed ends and takes at most 100 of them. Each use loads a fresh object.
// Tests: final line feed, 100-line cap, comments across lines, the folder
// search order; the loader is fuzzed.
#pragma once

#include <string>

class ReportTemplate {
public:
    static constexpr int kMaxLines = 100;

    // Reads `name`: first as given (a relative name resolves against the
    // current folder), then with EngineDirectory() in front. Returns 1 when a
    // file was read (even one without lines), 0 when neither could be opened;
    // on 0 the template has no lines.
    int Load(const char* name);
    int Load(const std::string& name) { return Load(name.c_str()); }

    // Loads from text already in memory (the bytes of a file), with the same
    // comment and line rules. Always returns 1.
    int LoadText(const std::string& text);

    int LineCount() const { return m_count; }
    // Line i for 0 <= i < 100 (empty past LineCount), else an empty string.
    const std::string& Line(int i) const;

private:
    int m_count = 0;
    std::string m_lines[kMaxLines];
};
