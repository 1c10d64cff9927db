// ComputationError: see ComputationError.h.
#include "ComputationError.h"

#include <cstdlib>

#include "AccountFields.h"
#include "DollarText.h"

std::string ComputationError(const CEngineRun& run, const CEngineInputs& inputs) {
    CQRTCompute& c = *run.ComputeObject();
    const std::string settle = IsoDate(run.SettlementDate());
    const std::string first = IsoDate(c.GetEvent(0)->m_date);
    if (c.NoTableLoaded()) {
        const char* dir = std::getenv("QRT_ENGINE_DIR");
        return "no rate table found for the jurisdiction \"" + Printable(inputs.Jurisdiction()) + "\" (looked in " +
               (dir != nullptr && dir[0] != '\0' ? std::string(dir) : std::string("the current folder")) + ")";
    }
    if (c.NoEvents()) return "the account has no events; add at least one to \"events\"";
    if (c.EventBeforeTable())
        return "the first event (" + first + ") is dated before the rate table \"" + Printable(c.GetTableName()) +
               "\" starts (" + IsoDate(c.GetTable()->GetStartingDate(0)) + ")";
    if (c.ComputeBeforeEvents())
        return "the settlement date " + settle + " is before the first event (" + first + ")";
    return "";
}

