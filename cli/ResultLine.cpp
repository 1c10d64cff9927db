// ResultLine: see ResultLine.h.
#include "ResultLine.h"

#include <charconv>
#include <cmath>

#include "AccountEcho.h"
#include "DollarText.h"
#include "PenaltyDetail.h"
#include "PeriodLabels.h"
#include "ResultJson.h"
#include "WarningTexts.h"

namespace {

using ordered_json = nlohmann::ordered_json;

// A string as the dump writes it: plain printable ASCII as it is, anything
// else (escapes, UTF-8, bad bytes) through the library's own writer.
void AppendString(std::string& out, const std::string& text)
{
    for (const char ch : text) {
        const unsigned char u = static_cast<unsigned char>(ch);
        if (u < 0x20 || u >= 0x7f || ch == '"' || ch == '\\') {
            out += CompactJson(ordered_json(text));
            return;
        }
    }
    out += '"';
    out += text;
    out += '"';
}

void AppendKey(std::string& out, const char* key)
{
    out += '"';
    out += key;
    out += "\":";
}

void AppendDate(std::string& out, Date d)
{
    if (d.isValid()) AppendString(out, IsoDate(d));
    else out += "null";
}

// A double as the dump writes it: null when not finite, else the library's
// shortest round-trip form ("4.0", "0.02890135725458509", "1e-05").
void AppendDouble(std::string& out, double x)
{
    if (!std::isfinite(x)) {
        out += "null";
        return;
    }
    char buffer[64];
    char* end = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, x);
    out.append(buffer, end);
}

void AppendInt(std::string& out, long long v)
{
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, end);
}

void AppendPeriods(std::string& out, const ComputeResults* head, PeriodStream stream)
{
    out += '[';
    for (const ComputeResults* r = head; r != nullptr; r = r->m_next) {
        if (r != head) out += ',';
        out += "{\"start\":";
        AppendDate(out, r->m_start);
        out += ",\"end\":";
        AppendDate(out, r->m_end);
        out += ",\"kind\":";
        AppendInt(out, r->m_kind);
        out += ",\"label\":";
        AppendString(out, PeriodKindLabel(r->m_kind, stream));
        out += ",\"rate_label\":";
        AppendString(out, PeriodRateLabel(*r));
        out += ",\"principal\":";
        AppendString(out, FormatCents(r->m_principal));
        out += ",\"rate\":";
        AppendDouble(out, r->m_rate);
        out += ",\"factor\":";
        AppendDouble(out, r->m_factor);
        out += ",\"interest\":";
        AppendString(out, FormatCents(r->m_interest));
        out += '}';
    }
    out += ']';
}

}  // namespace

std::string CompactJson(const ordered_json& doc)
{
    return doc.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

std::string ResultLine(const CEngineRun& run, const CEngineInputs& inputs, const std::vector<PenaltyEntryEcho>& penalties,
                       const ordered_json& id)
{
    CQRTCompute& c = *run.ComputeObject();
    if (!CollectPenaltyDetail(c).empty()) {
        ordered_json doc;
        if (!id.is_null()) doc["id"] = id;
        doc.update(ResultDocument(run, &inputs, penalties));
        return CompactJson(doc);
    }

    std::string out;
    out.reserve(512 + 256 * 24);
    out += '{';
    if (!id.is_null()) {
        AppendKey(out, "id");
        out += CompactJson(id);
        out += ',';
    }
    AppendKey(out, "Account");
    out += CompactJson(AccountEchoJson(run, inputs, penalties));
    for (const ResultTotal& t : kResultTotals) {
        out += ',';
        AppendKey(out, t.key);
        CY value = 0;
        if ((run.*t.get)(&value) == S_OK) AppendString(out, FormatCurrency(value));
        else out += "null";
    }
    out += ",\"ErrorsDetected\":";
    out += run.ErrorsDetected() != 0 ? "true" : "false";
    out += ",\"Warnings\":{";
    for (int i = 0; i < CEngineRun::kWarnings; ++i) {
        AppendKey(out, CEngineRun::kWarningPropertyNames[i]);
        out += run.Warning(i) != 0 ? "true," : "false,";
    }
    AppendKey(out, kAmountOutOfRangeName);
    out += run.AmountOutOfRange() != 0 ? "true" : "false";
    out += "},\"Periods\":{\"normal\":";
    AppendPeriods(out, c.NormalBase(), PeriodStream::Normal);
    out += ",\"motivated\":";
    AppendPeriods(out, c.MotivatedBase(), PeriodStream::Motivated);
    out += ",\"penalty\":";
    AppendPeriods(out, c.PenaltyBase(), PeriodStream::Penalty);
    out += "},\"PenaltyDetail\":[]}";
    return out;
}
