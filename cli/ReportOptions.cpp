#include "ReportOptions.h"

#include <cstdint>

namespace {

// The longest texts the report layout has room for: header and footer lines
// of a 79-column page, the name and id beside the general heading's fields.
constexpr size_t kMaxLineText = 79;
constexpr size_t kMaxName = 60;
constexpr size_t kMaxId = 40;
constexpr int32_t kMinLinesPerPage = 20;
constexpr int32_t kMaxLinesPerPage = 1000;

int ReadText(const JsonValue& v, const std::string& place, size_t limit, std::string& text, AccountProblem& problem)
{
    if (v.type != JsonValue::Type::String)
        return Problem(problem, place, "expected a string, got " + Describe(v));
    if (v.text.size() > limit)
        return Problem(problem, place, "expected at most " + std::to_string(limit) + " characters, got " +
                                           std::to_string(v.text.size()));
    for (const char c : v.text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return Problem(problem, place, "expected printable text, got control characters in " + Describe(v));
    text = v.text;
    return 1;
}

int ReadFlag(const JsonValue& report, const char* key, HRESULT (CQRTEngine::*put)(int32_t), CQRTEngine& engine,
             AccountProblem& problem)
{
    const JsonValue* v = report.Find(key);
    if (v == nullptr) return 1;
    int32_t on = 0;
    if (!ReadBoolean(*v, std::string("report.") + key, on, problem)) return 0;
    (engine.*put)(on);
    return 1;
}

int ReadWhole(const JsonValue& report, const char* key, int32_t low, int32_t high, int32_t& value,
              AccountProblem& problem)
{
    const JsonValue* v = report.Find(key);
    if (v == nullptr) return 1;
    const std::string place = std::string("report.") + key;
    if (v->type != JsonValue::Type::Number || !ReadI4(*v, place, value, problem) || value < low || value > high)
        return Problem(problem, place, "expected a whole number from " + std::to_string(low) + " to " +
                                           std::to_string(high) + ", got " + Describe(*v));
    return 2;
}

}  // namespace

int ReadReportOptions(const JsonValue& document, CQRTEngine& engine, AccountProblem& problem)
{
    const JsonValue* report = document.Find("report");
    if (report == nullptr) return 1;
    if (!CheckObject(*report, "report",
                     {"include_header", "header", "include_footer", "footer", "taxpayer_name", "taxpayer_id",
                      "lines_per_page", "for_print", "use_event_descriptions", "fiscal_year_end", "include_date",
                      "include_time"},
                     problem))
        return 0;
    if (!ReadFlag(*report, "include_header", &CQRTEngine::put_IncludeHeader, engine, problem) ||
        !ReadFlag(*report, "include_footer", &CQRTEngine::put_IncludeFooter, engine, problem) ||
        !ReadFlag(*report, "for_print", &CQRTEngine::put_Printing, engine, problem) ||
        !ReadFlag(*report, "use_event_descriptions", &CQRTEngine::put_UseEventDescriptions, engine, problem) ||
        !ReadFlag(*report, "include_date", &CQRTEngine::put_IncludeDate, engine, problem) ||
        !ReadFlag(*report, "include_time", &CQRTEngine::put_IncludeTime, engine, problem))
        return 0;

    if (const JsonValue* h = report->Find("header")) {
        if (h->type != JsonValue::Type::Array || h->items.size() > 3)
            return Problem(problem, "report.header", "expected an array of up to three lines, got " + Describe(*h));
        for (size_t i = 0; i < h->items.size(); ++i) {
            std::string line;
            if (!ReadText(h->items[i], "report.header[" + std::to_string(i) + "]", kMaxLineText, line, problem))
                return 0;
            if (i == 0) engine.put_Header1(line);
            if (i == 1) engine.put_Header2(line);
            if (i == 2) engine.put_Header3(line);
        }
    }
    struct TextKey {
        const char* key;
        size_t limit;
        HRESULT (CQRTEngine::*put)(const std::string&);
    };
    const TextKey texts[] = {{"footer", kMaxLineText, &CQRTEngine::put_Footer},
                             {"taxpayer_name", kMaxName, &CQRTEngine::put_TaxpayerName},
                             {"taxpayer_id", kMaxId, &CQRTEngine::put_TaxpayerId}};
    for (const TextKey& t : texts)
        if (const JsonValue* v = report->Find(t.key)) {
            std::string text;
            if (!ReadText(*v, std::string("report.") + t.key, t.limit, text, problem)) return 0;
            (engine.*t.put)(text);
        }

    int32_t lines = 0, month = 0;
    int read = ReadWhole(*report, "lines_per_page", kMinLinesPerPage, kMaxLinesPerPage, lines, problem);
    if (read == 0) return 0;
    if (read == 2) engine.put_LinesPerPage(lines);
    // A month number, 1 January to 12 December; the generator counts from 0.
    read = ReadWhole(*report, "fiscal_year_end", 1, 12, month, problem);
    if (read == 0) return 0;
    if (read == 2) engine.FiscalYearEnd(month - 1);
    return 1;
}

std::string ReportOutputText(const std::string& text, const std::vector<long>& pageStarts, bool forPrint)
{
    if (!forPrint) return text;
    std::string out;
    size_t from = 0;
    for (const long start : pageStarts) {
        if (start <= 0 || static_cast<size_t>(start) < from || static_cast<size_t>(start) > text.size()) continue;
        out.append(text, from, static_cast<size_t>(start) - from);
        out += '\f';
        from = static_cast<size_t>(start);
    }
    out.append(text, from, std::string::npos);
    return out;
}
