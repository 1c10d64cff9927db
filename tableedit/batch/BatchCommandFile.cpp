#include "BatchCommandFile.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ratetable/IRTU.h"

namespace {

// Check messages, in the order in which the checks run on a line.
const char kBadTableFile[] = "Invalid table file name";
const char kBadEndDate[] = "Invalid table end date";
const char kBadStartDate[] = "Invalid rate start date";
const char kBadNormalRate[] = "Invalid Normal Underpay Rate";
const char kBadMotivatedRate[] = "Invalid Motivated Underpay Rate";
const char kBadRefundRate[] = "Invalid NormalRefund Rate";
const char kBadMethod[] = "Invalid compute method";
const char kBadDpy[] = "Invalid days per year";
const char kLongDescription[] = "Description longer than 93 characters";
const char kLongNotes[] = "Notes longer than 65535 bytes";
const char kExtraField[] = "Unexpected field after the notes";

int Fail(BatchLineError* err, const char* check, const std::string& field, int line,
         const std::string& text) {
    err->m_check = check;
    err->m_field = field;
    err->m_line = line;
    err->m_text = text;
    return 0;
}

}  // namespace

int IsValidBatchTableFile(const std::string& name) {
    static const char kForbidden[] = "\"/\\[]:+|<>=;,*?";
    for (unsigned char c : name) {
        if (c < 0x20 || std::strchr(kForbidden, c) != nullptr) return 0;
    }
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return 0;
    const std::string ext = name.substr(dot);
    if (ext.size() != 4) return 0;
    const char want[] = ".TB3";
    for (size_t i = 0; i < 4; ++i) {
        char c = ext[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != want[i]) return 0;
    }
    return 1;
}

std::string BatchTableFileName(const std::string& tableFile) {
    const size_t dot = tableFile.rfind('.');
    return (dot == std::string::npos ? tableFile : tableFile.substr(0, dot)) + ".TB3";
}

namespace {

// A decimal number that fills the whole text; empty reads 0. Locale-free, so
// a program that sets a locale with a decimal comma reads the same file.
bool ParseNumber(const std::string& text, double* value) {
    if (text.empty()) {
        *value = 0.0;
        return true;
    }
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') {
        ++first;
        if (first == last || *first == '-' || *first == '+') return false;
    }
    double v = 0.0;
    const auto res = std::from_chars(first, last, v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != last || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

// A rate field: only the characters of "+-0123456789.Ee", and one number.
bool ParseRate(const std::string& text, double* value) {
    if (text.find_first_not_of("+-0123456789.Ee") != std::string::npos) return false;
    return ParseNumber(text, value);
}

bool ParseDate(const std::string& text, Date* d) {
    Date parsed;
    if (!parsed.FromString(text.c_str()) || text.find('\0') != std::string::npos) return false;
    *d = parsed;
    return true;
}

// Each two-character sequence \n becomes a line break, CR LF.
std::string ExpandLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string BatchLineError::Message() const {
    if (m_line == 0) return m_check;
    return m_check + ": " + m_field + " in Line " + std::to_string(m_line) + "\n\n" + m_text;
}

int IsSkippedBatchLine(const std::string& line) {
    if (line.compare(0, 3, "***") == 0) return 1;
    return line.find_first_not_of(',') == std::string::npos ? 1 : 0;
}

std::vector<std::string> SplitBatchFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t pos = 0;
    for (;;) {
        std::string field;
        size_t next;  // position of the comma that ends this field, or npos
        if (pos < line.size() && line[pos] == '"') {
            const size_t close = line.find('"', pos + 1);
            if (close == std::string::npos) {
                field = line.substr(pos + 1);
                next = std::string::npos;
            } else {
                field = line.substr(pos + 1, close - pos - 1);
                next = line.find(',', close + 1);  // text after the quote is dropped
            }
        } else {
            next = line.find(',', pos);
            field = line.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
        }
        fields.push_back(field);
        if (next == std::string::npos) break;
        pos = next + 1;
    }
    return fields;
}

int BatchMethodCode(const std::string& text) {
    std::string up = text;
    for (char& c : up) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    auto has = [&up](const char* word) { return up.find(word) != std::string::npos; };
    if (has("SIMPLE")) return kSimple;
    if (has("DAILY")) return kDaily;
    if (has("MONTHLYWM")) return kMonthlyWholeMonths;
    if (has("MONTHLY")) return kMonthlyPlusDays;
    if (has("OLD") || has("IRS")) return kOldIrsMethod;
    if (has("FACTORSUM")) return kSumOfFactors;
    return -1;
}

int ParseBatchLine(const std::string& line, int lineNumber, BatchCommand* cmd,
                   BatchLineError* err) {
    std::vector<std::string> f = SplitBatchFields(line);
    // Trailing empty fields (a spreadsheet pads lines with commas) are
    // harmless; text beyond the notes would be lost, so it is refused.
    for (size_t i = kBatchFieldCount; i < f.size(); ++i) {
        if (!f[i].empty()) return Fail(err, kExtraField, f[i], lineNumber, line);
    }
    f.resize(kBatchFieldCount);

    BatchCommand c;
    c.m_line = lineNumber;
    c.m_text = line;
    if (!IsValidBatchTableFile(f[0])) return Fail(err, kBadTableFile, f[0], lineNumber, line);
    c.m_tableFile = f[0];
    if (!f[1].empty() && !ParseDate(f[1], &c.m_endDate))
        return Fail(err, kBadEndDate, f[1], lineNumber, line);
    if (!ParseDate(f[2], &c.m_start)) return Fail(err, kBadStartDate, f[2], lineNumber, line);
    if (!ParseRate(f[4], &c.m_normalRate))
        return Fail(err, kBadNormalRate, f[4], lineNumber, line);
    if (!ParseRate(f[5], &c.m_motivatedRate))
        return Fail(err, kBadMotivatedRate, f[5], lineNumber, line);
    if (!ParseRate(f[6], &c.m_refundRate))
        return Fail(err, kBadRefundRate, f[6], lineNumber, line);
    c.m_method = BatchMethodCode(f[3]);
    if (c.m_method < 0) return Fail(err, kBadMethod, f[3], lineNumber, line);

    double dpy = 0.0;
    const size_t dpyFirst = f[7].find_first_not_of(" \t");
    const size_t dpyLast = f[7].find_last_not_of(" \t");
    const std::string dpyText =
        dpyFirst == std::string::npos ? "" : f[7].substr(dpyFirst, dpyLast - dpyFirst + 1);
    if (dpyText.empty() || !ParseNumber(dpyText, &dpy))
        return Fail(err, kBadDpy, f[7], lineNumber, line);
    if (dpy == 365.0) {
        c.m_dpy = 365;
    } else if (dpy == 366.0) {
        c.m_dpy = 366;
    } else if (dpy == 365.25) {
        c.m_dpy = 100;
    } else {
        return Fail(err, kBadDpy, f[7], lineNumber, line);
    }

    // The table keeps at most 93 characters of description and stops its
    // notes at a NUL byte: refuse what would be cut short.
    if (f[8].size() > static_cast<size_t>(kMaxDescriptionLength) ||
        f[8].find('\0') != std::string::npos)
        return Fail(err, kLongDescription, f[8], lineNumber, line);
    c.m_description = f[8];
    c.m_notes = ExpandLineBreaks(f[9]);
    if (c.m_notes.size() > static_cast<size_t>(kMaxNotesLength) ||
        c.m_notes.find('\0') != std::string::npos)
        return Fail(err, kLongNotes, f[9], lineNumber, line);

    *cmd = std::move(c);
    return 1;
}

int ReadBatchLines(const std::string& path, std::vector<BatchLine>* lines, BatchLineError* err) {
    lines->clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int cause = errno;
        *err = BatchLineError{};
        err->m_check = "Batch file open failed with error " + std::to_string(cause);
        return 0;
    }
    std::vector<BatchLine> out;
    std::string text;
    int lineNumber = 0;
    while (std::getline(in, text)) {
        ++lineNumber;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (lineNumber == 1 || IsSkippedBatchLine(text)) continue;
        out.push_back(BatchLine{lineNumber, std::move(text)});
        text.clear();
    }
    if (in.bad()) {
        const int cause = errno;
        *err = BatchLineError{};
        err->m_check = "Batch file read failed with error " + std::to_string(cause);
        return 0;
    }
    *lines = std::move(out);
    return 1;
}
