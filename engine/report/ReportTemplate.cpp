#include "report/ReportTemplate.h"

#include <cstdio>

#include "ratetable/TablePaths.h"

namespace {

// The whole file, or false when it cannot be opened.
bool ReadFile(const std::string& path, std::string& out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    out.clear();
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.append(chunk, got);
    std::fclose(f);
    return true;
}

}  // namespace

int ReportTemplate::Load(const char* name)
{
    for (std::string& line : m_lines) line.clear();
    m_count = 0;
    if (name == nullptr || name[0] == '\0') return 0;
    std::string text;
    if (!ReadFile(name, text) && !ReadFile(EngineDirectory() + name, text)) return 0;
    return LoadText(text);
}

int ReportTemplate::LoadText(const std::string& text)
{
    for (std::string& line : m_lines) line.clear();
    m_count = 0;

    // One pass: "/*" opens a comment, "*/" closes it; a comment and its
    // delimiters are dropped, line feeds inside it included. An unclosed
    // comment runs to the end of the file.
    std::string kept;
    kept.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const size_t open = text.find("/*", at);
        kept.append(text, at, open == std::string::npos ? std::string::npos : open - at);
        if (open == std::string::npos) break;
        const size_t close = text.find("*/", open + 2);
        if (close == std::string::npos) break;
        at = close + 2;
    }

    // Only text that a line feed ends is a line. A carriage return before
    // the line feed (a file saved with CR LF line ends) is not part of it.
    size_t start = 0;
    for (size_t lf = kept.find('\n'); lf != std::string::npos && m_count < kMaxLines;
         lf = kept.find('\n', start)) {
        size_t end = lf;
        if (end > start && kept[end - 1] == '\r') --end;
        m_lines[m_count++] = kept.substr(start, end - start);
        start = lf + 1;
    }
    return 1;
}

const std::string& ReportTemplate::Line(int i) const
{
    static const std::string empty;
    return i >= 0 && i < kMaxLines ? m_lines[i] : empty;
}
