#include "ResultJson.h"

#include <nlohmann/json.hpp>

#include "AccountEcho.h"
#include "DollarText.h"
#include "PenaltyDetail.h"
#include "PenaltyZeroReason.h"
#include "PeriodLabels.h"
#include "WarningTexts.h"

namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json DateOrNull(Date d) { return d.isValid() ? ordered_json(IsoDate(d)) : ordered_json(nullptr); }

ordered_json Periods(const ComputeResults* head, PeriodStream stream) {
    ordered_json list = ordered_json::array();
    for (const ComputeResults* r = head; r != nullptr; r = r->m_next) {
        ordered_json period;
        period["start"] = DateOrNull(r->m_start);
        period["end"] = DateOrNull(r->m_end);
        period["kind"] = r->m_kind;
        period["label"] = PeriodKindLabel(r->m_kind, stream);
        period["rate_label"] = PeriodRateLabel(*r);
        period["principal"] = FormatCents(r->m_principal);
        period["rate"] = r->m_rate;
        period["factor"] = r->m_factor;
        period["interest"] = FormatCents(r->m_interest);
        list.push_back(period);
    }
    return list;
}

}  // namespace

const ResultTotal kResultTotals[8] = {
    {"Taxes", &CEngineRun::Taxes},
    {"Payments", &CEngineRun::Payments},
    {"Penalties", &CEngineRun::Penalties},
    {"DebitInterest", &CEngineRun::DebitInterest},
    {"NormalCreditInterest", &CEngineRun::NormalCreditInterest},
    {"GATTInterest", &CEngineRun::GATTInterest},
    {"PenaltyInterest", &CEngineRun::PenaltyInterest},
    {"Balance", &CEngineRun::Balance},
};

void WriteResultJson(const CEngineRun& run, std::ostream& out) { WriteResultJson(run, nullptr, {}, out); }

void WriteResultJson(const CEngineRun& run, const CEngineInputs* inputs, const std::vector<PenaltyEntryEcho>& penalties,
                     std::ostream& out) {
    // Names from the file are not checked for UTF-8; show a bad byte as U+FFFD
    // rather than fail.
    out << ResultDocument(run, inputs, penalties).dump(2, ' ', false, ordered_json::error_handler_t::replace) << "\n";
}

ordered_json ResultDocument(const CEngineRun& run, const CEngineInputs* inputs,
                            const std::vector<PenaltyEntryEcho>& penalties) {
    CQRTCompute& c = *run.ComputeObject();
    ordered_json doc;
    if (inputs != nullptr) doc["Account"] = AccountEchoJson(run, *inputs, penalties);
    for (const ResultTotal& t : kResultTotals) {
        CY value = 0;
        // A total without a currency value (AmountOutOfRange) has no figure.
        if ((run.*t.get)(&value) == S_OK)
            doc[t.key] = FormatCurrency(value);
        else
            doc[t.key] = nullptr;
    }
    doc["ErrorsDetected"] = run.ErrorsDetected() != 0;
    ordered_json warnings = ordered_json::object();
    for (int i = 0; i < CEngineRun::kWarnings; ++i)
        warnings[CEngineRun::kWarningPropertyNames[i]] = run.Warning(i) != 0;
    warnings[kAmountOutOfRangeName] = run.AmountOutOfRange() != 0;
    doc["Warnings"] = warnings;

    ordered_json periods;
    periods["normal"] = Periods(c.NormalBase(), PeriodStream::Normal);
    periods["motivated"] = Periods(c.MotivatedBase(), PeriodStream::Motivated);
    periods["penalty"] = Periods(c.PenaltyBase(), PeriodStream::Penalty);
    doc["Periods"] = periods;

    ordered_json detail = ordered_json::array();
    for (const PenaltyDetailRow& row : CollectPenaltyDetail(c)) {
        ordered_json slot;
        slot["Slot"] = row.slot;
        slot["Code"] = row.code;
        slot["GetBaseAmount"] = FormatCents(row.baseAmount);
        slot["MaximumBase"] = FormatCents(row.maximumBase);
        slot["TotalPenalty"] = FormatCents(row.totalPenalty);
        slot["TotalPenalty2"] = FormatCents(row.totalPenalty2);
        slot["Reduction"] = FormatCents(row.reduction);
        slot["Reduction2"] = FormatCents(row.reduction2);
        slot["PenaltyMinimum"] = FormatCents(row.penaltyMinimum);
        slot["PenaltyMaximum"] = FormatCents(row.penaltyMaximum);
        slot["RealPenalty"] = FormatCents(row.realPenalty);
        slot["PenaltyAddedAmt"] = FormatCents(row.penaltyAddedAmt);
        slot["PenaltyAddedDate"] = DateOrNull(row.penaltyAddedDate);
        slot["CheckPenaltyDates"] = row.checkPenaltyDates;
        const std::string reason = PenaltyZeroReason(c, row.slot);
        slot["NoPenaltyReason"] = reason.empty() ? ordered_json(nullptr) : ordered_json(reason);
        ordered_json drops = ordered_json::array();
        for (const PenaltyDrop& d : row.drops) drops.push_back({{"Date", DateOrNull(d.date)}, {"Amount", FormatCents(d.amount)}});
        slot["Drops"] = drops;
        detail.push_back(slot);
    }
    doc["PenaltyDetail"] = detail;
    return doc;
}
