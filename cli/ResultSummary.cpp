#include "ResultSummary.h"

#include <cstdio>

#include "AccountFields.h"
#include "AccountReader.h"
#include "DollarText.h"
#include "PenaltyDetail.h"

namespace {

const char* const kExplanations[CEngineRun::kWarnings] = {
    "the settlement date lies after the end date of the rate table",
    "a payment designated for a penalty exceeds what has been assessed for it",
    "a tax was added to the GATT principal after GATT interest had accrued",
    "a deposit is larger than what could be allocated from it",
    "penalties are owed while the account is in a refund position",
    "an interest period was computed with a method other than daily compounding (GATT refund interest)",
    "the 6621(c) 30-day letter or applicable date is before the tax due date",
    "a motivated-tax event is dated on or after 1990-01-01",
    "a motivated-tax event before 1990 is $1,000 or less",
    "no rate table was found for the jurisdiction",
    "the account has no events",
    "the first event is dated before the rate table starts",
    "the settlement date is before the first event",
    "accuracy-related penalties have been applied to more than the total tax",
    "a tax was added while refund interest was outstanding under a non-compounding method",
    "the settlement date is before the last event; later events are not counted",
    "6621(c) interest is on but the total tax is $100,000 or less",
    "refund interest is owed and a user penalty comes after a payment",
    "an underpayment of more than $100,000 after 1990 suggests 6621(c) interest, which is off",
    "GATT interest accrued and the account has more than one payment",
    "GATT is on, refund interest accrued and a non-daily method was used",
    "federal penalties are enabled with a rate table that is not federal",
    "the 6651(a)(3) assessments exceed the net tax due on the first notice",
    "the 6651(a)(2) and 6651(a)(3) amounts together exceed the total tax",
};

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string DateText(Date d) { return d.isValid() ? IsoDate(d) : "-"; }

}  // namespace

const char kAmountOutOfRangeName[] = "AmountOutOfRange";
const char kAmountOutOfRangeText[] =
    "a figure exceeds $90,071,992,547,409.92 (2^53 cents), past which amounts are not exact to the cent; "
    "the results are not usable";

const char* WarningExplanation(int i) { return i >= 0 && i < CEngineRun::kWarnings ? kExplanations[i] : ""; }

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
            for (const PenaltyDrop& d : r.drops)
                out << "        assessed " << IsoDate(d.date) << "  " << FormatCents(d.amount) << "\n";
        }
        out << "  (Check: the engine's date and amount check of the slot's inputs; 0 = nothing found)\n\n";
    }

    int set = 0;
    for (int i = 0; i < CEngineRun::kWarnings; ++i) set += run.Warning(i) != 0;
    set += run.AmountOutOfRange() != 0;
    if (set == 0) {
        out << "Warnings: none\n";
        return;
    }
    out << "Warnings\n";
    for (int i = 0; i < CEngineRun::kWarnings; ++i)
        if (run.Warning(i) != 0)
            out << "  " << CEngineRun::kWarningPropertyNames[i] << ": " << kExplanations[i] << "\n";
    if (run.AmountOutOfRange() != 0) out << "  " << kAmountOutOfRangeName << ": " << kAmountOutOfRangeText << "\n";
}
