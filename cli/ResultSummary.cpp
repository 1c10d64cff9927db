#include "ResultSummary.h"

#include <cstdio>

#include "AccountFields.h"
#include "AccountReader.h"
#include "DollarText.h"
#include "PenaltyDetail.h"
#include "PenaltyZeroReason.h"
#include "WarningTexts.h"

namespace {

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string DateText(Date d) { return d.isValid() ? IsoDate(d) : "-"; }

}  // namespace

void WriteResultSummary(const std::string& fileName, const CEngineInputs& inputs, const CEngineRun& run,
                        std::ostream& out) {
    CQRTCompute& c = *run.ComputeObject();
    out << "Account " << fileName << "\n";
    out << "  Rate table:       " << Printable(inputs.Jurisdiction()) << "\n";
    out << "  Settlement date:  " << IsoDate(run.SettlementDate()) << "\n";
    out << "  Tax due date:     " << DateText(c.TaxDueDate()) << "\n";
    out << "  Whole dollars:    " << (inputs.WholeDollarModeEnabled() ? "on" : "off") << "\n";
    out << "  GATT:             "
        << (inputs.GattEnabled() ? "on, threshold " + FormatCurrency(inputs.GattThreshold()) : std::string("off"))
        << "\n";
    out << "  6621(c):          ";
    if (inputs.LCUEnabled()) {
        out << "on, 30-day letter " << DateText(inputs.Lcu30Day()) << ", applicable "
            << DateText(inputs.LcuApplicable());
        if (inputs.LCURestartEnabled())
            out << "; restart 30-day letter " << DateText(inputs.LcuRestart30Day()) << ", applicable "
                << DateText(inputs.LcuRestartApplicable());
    } else {
        out << "off";
    }
    out << "\n\n";

    out << "Events (" << inputs.EventCount() << ", in date order)\n";
    out << "  " << Padded("Date", 12) << Padded("Type", 15) << RightAligned("Amount", 16) << "  Name\n";
    for (int i = 0; i < CQRTCompute::kMaxEvents; ++i) {
        const CEvent* e = c.GetEvent(i);
        if (!e->m_date.isValid()) break;
        std::string note = e->m_userName != nullptr ? Printable(e->m_userName) : "";
        if (e->m_type == kEventIRSCheck)
            note = "(principal " + FormatCents(e->m_gattAmount) + ")" + (note.empty() ? "" : " " + note);
        out << "  " << Padded(IsoDate(e->m_date), 12) << Padded(EventTypeName(e->m_type), 15)
            << RightAligned(FormatCents(e->m_amount), 16) << "  " << note << "\n";
    }
    out << "\n";

    struct Total {
        const char* label;
        HRESULT (CEngineRun::*get)(CY*) const;
    };
    const Total totals[] = {
        {"Taxes", &CEngineRun::Taxes},
        {"Payments", &CEngineRun::Payments},
        {"Penalties", &CEngineRun::Penalties},
        {"Debit interest", &CEngineRun::DebitInterest},
        {"Credit interest", &CEngineRun::NormalCreditInterest},
        {"GATT interest", &CEngineRun::GATTInterest},
        {"Penalty interest", &CEngineRun::PenaltyInterest},
        {"Balance", &CEngineRun::Balance},
    };
    out << "Totals through " << IsoDate(run.SettlementDate()) << "\n";
    for (const Total& t : totals) {
        CY value = 0;
        const bool has = (run.*t.get)(&value) == S_OK;
        out << "  " << Padded(t.label, 20) << RightAligned(has ? FormatCurrency(value) : "out of range", 16) << "\n";
    }
    out << "\n";

    std::vector<PenaltyDetailRow> rows = CollectPenaltyDetail(c);
    if (!rows.empty()) {
        out << "Penalties\n";
        out << "  " << Padded("Slot", 5) << Padded("Code", 21) << RightAligned("Base", 14) << RightAligned("Computed", 14)
            << RightAligned("Reduction", 14) << RightAligned("Penalty", 14) << RightAligned("Assessed", 14)
            << "  " << Padded("First drop", 11) << "  Check\n";
        for (const PenaltyDetailRow& r : rows) {
            out << "  " << Padded(std::to_string(r.slot), 5) << Padded(r.code, 21)
                << RightAligned(FormatCents(r.baseAmount), 14) << RightAligned(FormatCents(r.totalPenalty), 14)
                << RightAligned(FormatCents(r.reduction), 14) << RightAligned(FormatCents(r.realPenalty), 14)
                << RightAligned(FormatCents(r.penaltyAddedAmt), 14) << "  " << Padded(DateText(r.penaltyAddedDate), 11)
                << "  " << r.checkPenaltyDates << "\n";
            const std::string reason = PenaltyZeroReason(c, r.slot);
            if (!reason.empty()) out << "        " << reason << "\n";
            for (const PenaltyDrop& d : r.drops)
                out << "        assessed " << IsoDate(d.date) << "  " << FormatCents(d.amount) << "\n";
        }
        out << "  (Check: the engine's date and amount check of the slot's inputs; 0 = nothing found,\n"
               "   other codes are listed in the README under \"CheckPenaltyDates codes\")\n\n";
    }

    int set = 0;
    for (int i = 0; i < CEngineRun::kWarnings; ++i) set += run.Warning(i) != 0;
    set += run.AmountOutOfRange() != 0;
    out << "ErrorsDetected: " << (run.ErrorsDetected() != 0 ? "yes" : "no") << "\n";
    if (set == 0) {
        out << "Warnings: none\n";
        return;
    }
    out << "Warnings (" << set << "; check what each says)\n";
    for (int i = 0; i < CEngineRun::kWarnings; ++i)
        if (run.Warning(i) != 0)
            out << "  " << CEngineRun::kWarningPropertyNames[i] << ": " << WarningSentence(i) << "\n";
    if (run.AmountOutOfRange() != 0) out << "  " << kAmountOutOfRangeName << ": " << AmountOutOfRangeSentence() << "\n";
}
