// Helpers of the report kinds that build their lines column by column.
#pragma once

#include <string>

#include "calendar/Date.h"

namespace report {

// Overwrites line from column `at` with text, padding with spaces first when
// the line is shorter.
inline void PutAt(std::string& line, size_t at, const std::string& text)
{
    if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
    line.replace(at, text.size(), text);
}

// "MM/DD/YY", or "" for no date.
inline std::string ShortDate(Date d)
{
    char text[16] = "";
    d.ToString(text, 0);
    return text;
}

// Drops trailing spaces (a line of spaces becomes one space, the buffer's
// blank line).
inline std::string Trimmed(std::string line)
{
    const size_t end = line.find_last_not_of(' ');
    line.resize(end == std::string::npos ? 0 : end + 1);
    return line.empty() ? " " : line;
}

}  // namespace report
