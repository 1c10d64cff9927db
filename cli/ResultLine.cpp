// ResultLine: see ResultLine.h.
#include "ResultLine.h"

#include "AccountEcho.h"
#include "JsonText.h"
#include "DollarText.h"
#include "PenaltyDetail.h"
#include "PeriodLabels.h"
#include "ResultJson.h"
#include "WarningTexts.h"

namespace {

using ordered_json = nlohmann::ordered_json;

void AppendPeriods(std::string& out, const ComputeResults* head, PeriodStream stream)
{
    out += '[';
    for (const ComputeResults* r = head; r != nullptr; r = r->m_next) {
        if (r != head) out += ',';
        out += "{\"start\":";
        AppendJsonDate(out, r->m_start);
        out += ",\"end\":";
        AppendJsonDate(out, r->m_end);
        out += ",\"kind\":";
        AppendJsonInt(out, r->m_kind);
        out += ",\"label\":";
        AppendJsonString(out, PeriodKindLabel(r->m_kind, stream));
        out += ",\"rate_label\":";
        AppendJsonString(out, PeriodRateLabel(*r));
        out += ",\"principal\":";
        AppendJsonString(out, FormatCents(r->m_principal));
        out += ",\"rate\":";
        AppendJsonDouble(out, r->m_rate);
        out += ",\"factor\":";
        AppendJsonDouble(out, r->m_factor);
        out += ",\"interest\":";
        AppendJsonString(out, FormatCents(r->m_interest));
        out += '}';
    }
    out += ']';
}

}  // namespace

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
        AppendJsonKey(out, "id");
        out += CompactJson(id);
        out += ',';
    }
    AppendJsonKey(out, "Account");
    AppendAccountEcho(out, run, inputs, penalties);
    for (const ResultTotal& t : kResultTotals) {
        out += ',';
        AppendJsonKey(out, t.key);
        CY value = 0;
        if ((run.*t.get)(&value) == S_OK) AppendJsonString(out, FormatCurrency(value));
        else out += "null";
    }
    out += ",\"ErrorsDetected\":";
    out += run.ErrorsDetected() != 0 ? "true" : "false";
    out += ",\"Warnings\":{";
    for (int i = 0; i < CEngineRun::kWarnings; ++i) {
        AppendJsonKey(out, CEngineRun::kWarningPropertyNames[i]);
        out += run.Warning(i) != 0 ? "true," : "false,";
    }
    AppendJsonKey(out, kAmountOutOfRangeName);
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
