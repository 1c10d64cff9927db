#include "AccountEcho.h"

#include "AccountReader.h"
#include "DollarText.h"

namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json DateOrNull(Date d) { return d.isValid() ? ordered_json(IsoDate(d)) : ordered_json(nullptr); }

ordered_json EventsJson(CQRTCompute& c) {
    ordered_json events = ordered_json::array();
    for (int i = 0; i < CQRTCompute::kMaxEvents; ++i) {
        const CEvent* e = c.GetEvent(i);
        if (!e->m_date.isValid()) break;
        ordered_json event;
        event["type"] = EventTypeName(e->m_type);
        event["date"] = IsoDate(e->m_date);
        // Stop and start of interest carry no amount.
        if (e->m_type != kEventStopInterest && e->m_type != kEventStartInterest)
            event["amount"] = FormatCents(e->m_amount);
        if (e->m_type == kEventIRSCheck) event["gatt_amount"] = FormatCents(e->m_gattAmount);
        if (e->m_userName != nullptr && e->m_userName[0] != '\0') event["name"] = e->m_userName;
        events.push_back(event);
    }
    return events;
}

ordered_json PenaltiesJson(const std::vector<PenaltyEntryEcho>& penalties) {
    ordered_json list = ordered_json::array();
    for (const PenaltyEntryEcho& entry : penalties) {
        ordered_json parameters = ordered_json::object();
        for (const EchoedParameter& p : entry.parameters) {
            switch (p.type) {
                case 'C': parameters[p.name] = p.text; break;
                case 'D': parameters[p.name] = p.text.empty() ? ordered_json(nullptr) : ordered_json(p.text); break;
                case 'I': parameters[p.name] = static_cast<int32_t>(p.number); break;
                default: parameters[p.name] = p.number; break;
            }
        }
        list.push_back({{entry.method, parameters}});
    }
    return list;
}

}  // namespace

ordered_json AccountEchoJson(const CEngineRun& run, const CEngineInputs& inputs,
                             const std::vector<PenaltyEntryEcho>& penalties) {
    ordered_json account;
    // Names of the file's own keys; a jurisdiction is echoed byte for byte
    // as JSON escapes it.
    account["jurisdiction"] = inputs.Jurisdiction();
    account["settlement_date"] = IsoDate(run.SettlementDate());
    account["whole_dollars"] = inputs.WholeDollarModeEnabled() != 0;
    account["gatt"] = {{"enabled", inputs.GattEnabled() != 0}, {"threshold", FormatCurrency(inputs.GattThreshold())}};
    account["lcu"] = {{"enabled", inputs.LCUEnabled() != 0},
                      {"thirty_day_letter", DateOrNull(inputs.Lcu30Day())},
                      {"applicable", DateOrNull(inputs.LcuApplicable())},
                      {"restart_enabled", inputs.LCURestartEnabled() != 0},
                      {"restart_thirty_day_letter", DateOrNull(inputs.LcuRestart30Day())},
                      {"restart_applicable", DateOrNull(inputs.LcuRestartApplicable())}};
    account["events"] = EventsJson(*run.ComputeObject());
    account["penalties"] = PenaltiesJson(penalties);
    return account;
}
