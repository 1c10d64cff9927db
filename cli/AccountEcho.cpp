#include "AccountEcho.h"

#include "AccountReader.h"
#include "DollarText.h"
#include "JsonText.h"

namespace {

void AppendEvents(std::string& out, CQRTCompute& c)
{
    out += '[';
    for (int i = 0; i < CQRTCompute::kMaxEvents; ++i) {
        const CEvent* e = c.GetEvent(i);
        if (!e->m_date.isValid()) break;
        if (i > 0) out += ',';
        out += "{\"type\":";
        AppendJsonString(out, EventTypeName(e->m_type));
        out += ",\"date\":";
        AppendJsonDate(out, e->m_date);
        // Stop and start of interest carry no amount.
        if (e->m_type != kEventStopInterest && e->m_type != kEventStartInterest) {
            out += ",\"amount\":";
            AppendJsonString(out, FormatCents(e->m_amount));
        }
        if (e->m_type == kEventIRSCheck) {
            out += ",\"gatt_amount\":";
            AppendJsonString(out, FormatCents(e->m_gattAmount));
        }
        if (e->m_userName != nullptr && e->m_userName[0] != '\0') {
            out += ",\"name\":";
            AppendJsonString(out, e->m_userName);
        }
        out += '}';
    }
    out += ']';
}

// Each entry is {"method": {parameters}}; a parameter's names are the
// interface's own (plain ASCII, each once).
void AppendPenalties(std::string& out, const std::vector<PenaltyEntryEcho>& penalties)
{
    out += '[';
    for (size_t n = 0; n < penalties.size(); ++n) {
        const PenaltyEntryEcho& entry = penalties[n];
        if (n > 0) out += ',';
        out += '{';
        AppendJsonString(out, entry.method);
        out += ":{";
        for (size_t k = 0; k < entry.parameters.size(); ++k) {
            const EchoedParameter& p = entry.parameters[k];
            if (k > 0) out += ',';
            AppendJsonKey(out, p.name);
            switch (p.type) {
                case 'C': AppendJsonString(out, p.text); break;
                case 'D':
                    if (p.text.empty()) out += "null";
                    else AppendJsonString(out, p.text);
                    break;
                case 'I': AppendJsonInt(out, static_cast<int32_t>(p.number)); break;
                default: AppendJsonDouble(out, p.number); break;
            }
        }
        out += "}}";
    }
    out += ']';
}

}  // namespace

void AppendAccountEcho(std::string& out, const CEngineRun& run, const CEngineInputs& inputs,
                       const std::vector<PenaltyEntryEcho>& penalties) {
    // Names of the file's own keys; a jurisdiction is echoed byte for byte
    // as JSON escapes it.
    out += "{\"jurisdiction\":";
    AppendJsonString(out, inputs.Jurisdiction());
    out += ",\"settlement_date\":";
    AppendJsonDate(out, run.SettlementDate());
    out += ",\"whole_dollars\":";
    AppendJsonBool(out, inputs.WholeDollarModeEnabled() != 0);
    out += ",\"gatt\":{\"enabled\":";
    AppendJsonBool(out, inputs.GattEnabled() != 0);
    out += ",\"threshold\":";
    AppendJsonString(out, FormatCurrency(inputs.GattThreshold()));
    out += "},\"lcu\":{\"enabled\":";
    AppendJsonBool(out, inputs.LCUEnabled() != 0);
    out += ",\"thirty_day_letter\":";
    AppendJsonDate(out, inputs.Lcu30Day());
    out += ",\"applicable\":";
    AppendJsonDate(out, inputs.LcuApplicable());
    out += ",\"restart_enabled\":";
    AppendJsonBool(out, inputs.LCURestartEnabled() != 0);
    out += ",\"restart_thirty_day_letter\":";
    AppendJsonDate(out, inputs.LcuRestart30Day());
    out += ",\"restart_applicable\":";
    AppendJsonDate(out, inputs.LcuRestartApplicable());
    out += "},\"events\":";
    AppendEvents(out, *run.ComputeObject());
    out += ",\"penalties\":";
    AppendPenalties(out, penalties);
    out += '}';
}

nlohmann::ordered_json AccountEchoJson(const CEngineRun& run, const CEngineInputs& inputs,
                                       const std::vector<PenaltyEntryEcho>& penalties) {
    std::string text;
    AppendAccountEcho(text, run, inputs, penalties);
    return nlohmann::ordered_json::parse(text);
}
