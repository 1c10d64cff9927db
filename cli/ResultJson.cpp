#include "ResultJson.h"

#include <nlohmann/json.hpp>

#include "DollarText.h"
#include "PenaltyDetail.h"

namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json DateOrNull(Date d) { return d.isValid() ? ordered_json(IsoDate(d)) : ordered_json(nullptr); }

ordered_json Periods(const ComputeResults* head) {
    ordered_json list = ordered_json::array();
    for (const ComputeResults* r = head; r != nullptr; r = r->m_next) {
        ordered_json period;
        period["start"] = DateOrNull(r->m_start);
        period["end"] = DateOrNull(r->m_end);
        period["kind"] = r->m_kind;
        period["principal"] = FormatCents(r->m_principal);
        period["rate"] = r->m_rate;
        period["factor"] = r->m_factor;
        period["interest"] = FormatCents(r->m_interest);
        list.push_back(period);
    }
    return list;
}

}  // namespace

void WriteResultJson(const CEngineRun& run, std::ostream& out) { out << ResultDocument(run).dump(2) << "\n"; }

nlohmann::ordered_json ResultDocument(const CEngineRun& run) {
    CQRTCompute& c = *run.ComputeObject();
    ordered_json doc;
    struct Total {
        const char* key;
        HRESULT (CEngineRun::*get)(CY*) const;
    };
    const Total totals[] = {
        {"Taxes", &CEngineRun::Taxes},
        {"Payments", &CEngineRun::Payments},
        {"Penalties", &CEngineRun::Penalties},
        {"DebitInterest", &CEngineRun::DebitInterest},
        {"NormalCreditInterest", &CEngineRun::NormalCreditInterest},
        {"GATTInterest", &CEngineRun::GATTInterest},
        {"PenaltyInterest", &CEngineRun::PenaltyInterest},
        {"Balance", &CEngineRun::Balance},
    };
    for (const Total& t : totals) {
        CY value = 0;
        (run.*t.get)(&value);
        doc[t.key] = FormatCurrency(value);
    }
    doc["ErrorsDetected"] = run.ErrorsDetected() != 0;
    ordered_json warnings = ordered_json::object();
    for (int i = 0; i < CEngineRun::kWarnings; ++i)
        warnings[CEngineRun::kWarningPropertyNames[i]] = run.Warning(i) != 0;
    doc["Warnings"] = warnings;

    ordered_json periods;
    periods["normal"] = Periods(c.NormalBase());
    periods["motivated"] = Periods(c.MotivatedBase());
    periods["penalty"] = Periods(c.PenaltyBase());
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
        ordered_json drops = ordered_json::array();
        for (const PenaltyDrop& d : row.drops) drops.push_back({{"Date", DateOrNull(d.date)}, {"Amount", FormatCents(d.amount)}});
        slot["Drops"] = drops;
        detail.push_back(slot);
    }
    doc["PenaltyDetail"] = detail;
    return doc;
}
