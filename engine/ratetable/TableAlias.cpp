#include "ratetable/TableAlias.h"

#include "ratetable/FileReplaceInternal.h"
#include "ratetable/TextCaseInternal.h"
#include "ratetable/TablePaths.h"
#include "ratetable/TimeStampedLog.h"

#include <cctype>
#include <cerrno>

namespace {

// The date a field gives: none for an empty field or a text that is not a date.
Date DateField(const std::string& field)
{
    Date d;
    if (!field.empty() && !d.FromString(field.c_str())) d.Invalidate();
    return d;
}

// Splits the text into its lines (a final line without "\n" counts too).
std::vector<std::string> Lines(const std::string& content)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

} // namespace

CTableAlias::CTableAlias()
{
    LoadAliases();
}

void CTableAlias::LoadAliases()
{
    const std::string path = EngineDirectory() + "TableAlias.csv";
    std::vector<CTAEntry> loaded;
    std::string content;
    int count = 0;
    if (!ReadWholeFile(path, &content)) {
        // No alias file is the usual state of an installation, not a fault:
        // only a file that exists and cannot be read is logged.
        const int cause = errno;
        if (cause != ENOENT)
            AliasLog("Failed to open csv file \"" + path + "\" Cause = " + std::to_string(cause) + "\n");
    } else {
        const std::vector<std::string> lines = Lines(content);
        count = static_cast<int>(lines.size());
        for (const std::string& line : lines) {
            // Fields 1-3 end at the next comma; field 4 is the rest of the line.
            std::string field[4];
            size_t start = 0;
            for (int f = 0; f < 3 && start <= line.size(); ++f) {
                size_t comma = line.find(',', start);
                if (comma == std::string::npos) comma = line.size();
                field[f] = line.substr(start, comma - start);
                start = comma + 1;
            }
            if (start <= line.size()) field[3] = line.substr(start);

            if (field[0].empty()) {
                AliasLog("Line format error in token 1 of line: \n   \"" + line + "\"\n");
                break;
            }
            CTAEntry entry;
            entry.m_from = DateField(field[1]);
            entry.m_to = DateField(field[2]);
            if (field[3].empty()) {
                AliasLog("Line format error in token 4 of line: \n   \"" + line + "\"\n");
                break;
            }
            entry.m_aliasName = field[0];
            entry.m_tableName = field[3];
            loaded.push_back(std::move(entry));
        }
    }
    std::lock_guard<std::mutex> hold(m_lock);
    m_aliases = std::move(loaded);
    m_count = count;
}

std::string CTableAlias::Lookup(const std::string& name, Date date) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (const CTAEntry& e : m_aliases) {
        if (!SameIgnoringCase(e.m_aliasName, name)) continue;
        if (e.m_from.isValid() && !(e.m_from <= date)) continue;
        if (e.m_to.isValid() && !(e.m_to >= date)) continue;
        return e.m_tableName;
    }
    return std::string();
}

void CTableAlias::AliasLog(const std::string& message) const
{
    WriteTimeStampedLog(EngineDirectory() + "TableAliasLog.txt", message);
}

int CTableAlias::Count() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_count;
}

int CTableAlias::UsableCount() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return static_cast<int>(m_aliases.size());
}
