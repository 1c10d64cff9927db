#include "PenaltyZeroReason.h"

#include <cstring>

#include "DollarText.h"
#include "PenaltyDetail.h"

namespace {

struct Threshold {
    int slot;
    double cents;
    bool inclusive;  // the base may equal the threshold
};

// The slots whose penalty needs a base beyond a threshold.
const Threshold kThresholds[] = {
    {kPenalty6659, 100000, true},   {kPenalty6659A, 100000, true},  {kPenalty6660, 100000, true},
    {kPenalty6661, 500000, false},  {kPenalty6662d, 500000, false}, {kPenalty6662e, 500000, false},
    {kPenalty6662f, 100000, false}, {kPenalty6662g, 500000, false},
};

// "$12,345.67": the amount with thousands separators, for reading.
std::string Dollars(double cents) {
    const std::string text = FormatCents(cents);
    const size_t point = text.find('.');
    std::string shown = "$";
    for (size_t i = 0; i < text.size(); ++i) {
        shown += text[i];
        const size_t left = point - i - 1;  // digits still before the point
        if (i < point && text[i] != '-' && left > 0 && left % 3 == 0) shown += ',';
    }
    return shown;
}

}  // namespace

std::string PenaltyZeroReason(CQRTCompute& c, int slot) {
    const char* footer = slot >= 0 && slot < CQRTCompute::kPenaltySlots ? c.PenFooter(slot) : nullptr;
    if (footer == nullptr || c.RealPenalty(slot) != 0) return "";
    if (std::strcmp(footer, "R6662DD.DM") != 0 && std::strcmp(footer, "R6662FF.DM") != 0) return "";
    for (const Threshold& t : kThresholds) {
        if (t.slot != slot) continue;
        const double base = c.GetBaseAmount(slot);
        const std::string code = PenaltySectionCode(slot);
        const bool below = t.inclusive ? base < t.cents : !(base > t.cents);
        if (below)
            return "no penalty: " + code + " applies only to a base " + (t.inclusive ? "of at least " : "above ") +
                   Dollars(t.cents) + ", and this base is " + Dollars(base);
        // The base is large enough: the date condition of the section failed.
        const char* from = slot == kPenalty6659A ? "1986-10-23" : "1983-01-01";
        return "no penalty: " + code + " applies only to tax due from " + from +
               " on, and the account's tax due date is " +
               (c.TaxDueDate().isValid() ? IsoDate(c.TaxDueDate()) : std::string("not one date"));
    }
    return "";
}
