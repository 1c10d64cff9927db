#include "ratetable/IniFile.h"

#include "ratetable/FileReplaceInternal.h"
#include "ratetable/TextCaseInternal.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <mutex>
#include <vector>

namespace {

// Serialises the read-modify-write of IniWriteString within the process.
std::mutex g_iniWriteLock;

struct Line {
    std::string text;  // without its "\n" and without a trailing "\r"
    bool cr = false;   // the line ended in "\r\n"
};

struct Parsed {
    std::vector<Line> lines;
    bool endsWithNewline = true;
};

Parsed SplitLines(const std::string& content)
{
    Parsed p;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = content.size();
        Line line;
        line.text = content.substr(start, end - start);
        if (!line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.cr = true;
        }
        p.lines.push_back(std::move(line));
        if (last) p.endsWithNewline = false;
        start = end + 1;
    }
    return p;
}

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

// Section name of a "[name]" line; false for any other line.
bool SectionOf(const std::string& text, std::string* name)
{
    const std::string t = Trim(text);
    if (t.empty() || t[0] != '[') return false;
    const size_t close = t.find(']');
    *name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// Key and value of a "key=value" line; false for comments and other lines.
bool KeyValueOf(const std::string& text, std::string* key, std::string* value)
{
    const std::string t = Trim(text);
    if (t.empty() || t[0] == ';' || t[0] == '[') return false;
    const size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    *key = Trim(t.substr(0, eq));
    *value = Trim(t.substr(eq + 1));
    return true;
}

struct Found {
    long sectionLine = -1;      // first "[section]" line of the wanted section
    long sectionLastLine = -1;  // last non-blank line of that section's block
    long keyLine = -1;          // line of the key inside the section
    std::string key;            // the key as written in the file
    std::string value;
};

Found Locate(const Parsed& p, const std::string& section, const std::string& key)
{
    Found f;
    bool inSection = false;
    bool firstBlock = false;
    for (size_t i = 0; i < p.lines.size(); ++i) {
        const std::string& text = p.lines[i].text;
        std::string name, k, v;
        if (SectionOf(text, &name)) {
            inSection = SameIgnoringCase(name, section);
            firstBlock = inSection && f.sectionLine < 0;
            if (firstBlock) {
                f.sectionLine = static_cast<long>(i);
                f.sectionLastLine = static_cast<long>(i);
            }
            continue;
        }
        if (!inSection) continue;
        if (firstBlock && !Trim(text).empty()) f.sectionLastLine = static_cast<long>(i);
        if (f.keyLine < 0 && KeyValueOf(text, &k, &v) && SameIgnoringCase(k, key)) {
            f.keyLine = static_cast<long>(i);
            f.key = k;
            f.value = v;
        }
    }
    return f;
}

bool HasLineBreak(const std::string& s)
{
    return s.find('\n') != std::string::npos || s.find('\r') != std::string::npos;
}

} // namespace

std::string IniGetString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& def)
{
    std::string content;
    if (!ReadWholeFile(path, &content)) return def;
    const Found f = Locate(SplitLines(content), section, key);
    return f.keyLine < 0 ? def : f.value;
}

int IniGetInt(const std::string& path, const std::string& section,
              const std::string& key, int def)
{
    static const std::string kMissing("\n");  // no stored value holds a line break
    const std::string text = IniGetString(path, section, key, kMissing);
    if (text == kMissing) return def;
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) n = -n;
    if (n > INT_MAX) n = INT_MAX;
    return static_cast<int>(n);
}

int IniWriteString(const std::string& path, const std::string& section,
                   const std::string& key, const std::string& value)
{
    if (Trim(section).empty() || Trim(key).empty()) return 0;
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return 0;
    if (section.find_first_of("[]") != std::string::npos) return 0;
    if (key.find_first_of("[]=") != std::string::npos || Trim(key)[0] == ';') return 0;

    std::lock_guard<std::mutex> hold(g_iniWriteLock);
    std::string content;
    if (!ReadWholeFile(path, &content) && errno != ENOENT) return 0;

    Parsed p = SplitLines(content);
    bool cr = false;
    for (const Line& l : p.lines) cr = cr || l.cr;

    const Found f = Locate(p, section, key);
    if (f.keyLine >= 0) {
        p.lines[static_cast<size_t>(f.keyLine)].text = f.key + "=" + value;
    } else if (f.sectionLine >= 0) {
        Line added{Trim(key) + "=" + value, cr};
        p.lines.insert(p.lines.begin() + f.sectionLastLine + 1, added);
        if (static_cast<size_t>(f.sectionLastLine + 1) == p.lines.size() - 1)
            p.endsWithNewline = true;  // appended after what was the last line
    } else {
        p.lines.push_back(Line{"[" + Trim(section) + "]", cr});
        p.lines.push_back(Line{Trim(key) + "=" + value, cr});
        p.endsWithNewline = true;
    }

    std::string out;
    for (size_t i = 0; i < p.lines.size(); ++i) {
        out += p.lines[i].text;
        if (p.lines[i].cr) out += '\r';
        if (i + 1 < p.lines.size() || p.endsWithNewline) out += '\n';
    }
    return ReplaceFileContents(path, out, "INI");
}
