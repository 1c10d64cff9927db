#include "report/ReportRows.h"

#include <algorithm>
#include <cstring>

#include "report/CRepGen.h"
#include "report/FieldCodesInternal.h"
#include "report/ReportTemplate.h"

namespace report {

std::string PatternLine(int width, std::initializer_list<int> columns)
{
    std::string line(width > 0 ? static_cast<size_t>(width) : 0, ' ');
    for (int column : columns)
        if (column >= 0 && column < width) line[static_cast<size_t>(column)] = static_cast<char>(kFieldMark);
    return line;
}

std::string FillPattern(const std::string& pattern, std::initializer_list<std::string> values)
{
    const char mark = static_cast<char>(kFieldMark);
    // The positions are taken from the pattern, never from the line being
    // filled, so a value is never read as a field position itself.
    std::string line = pattern;
    for (char& ch : line)
        if (ch == mark) ch = ' ';
    auto value = values.begin();
    for (size_t i = 0; i < pattern.size() && value != values.end(); ++i) {
        if (pattern[i] != mark) continue;
        const std::string& v = *value++;
        if (line.size() < i + v.size()) line.resize(i + v.size(), ' ');
        line.replace(i, v.size(), v);
    }
    const size_t end = line.find_last_not_of(' ');
    if (end == std::string::npos) return " ";
    line.resize(end + 1);
    return line;
}

int MergeAndOutput(CRepGen& gen, const std::string& text, int penaltyKind)
{
    char work[CRepGen::kWorkLineSize] = {};
    std::memcpy(work, text.data(), std::min(text.size(), sizeof work - 1));
    return gen.MergeTemplateLine(work, penaltyKind, 1, CRepGen::kWorkLineSize);
}

void PrintHeadingLines(CRepGen& gen, const ReportTemplate& lines, int count)
{
    int stored = 0;
    for (int i = 0; i < count && i < lines.LineCount(); ++i) {
        const std::string& text = lines.Line(i);
        MergeAndOutput(gen, text, -1);
        if (stored < CRepGen::kMaxHeadings) gen.m_headings[stored++] = text;
    }
    gen.m_headingCount = stored;
}

std::string RowDate(Date d)
{
    char text[16];
    d.ToString(text, 0);
    return text;
}

}  // namespace report
