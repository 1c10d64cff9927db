#include "automation/EngineInputs.h"

#include <cstring>

CEngineInputs::CEngineInputs() { Init(); }

CEngineInputs::~CEngineInputs() {
    for (int i = 0; i < m_eventCount; ++i) m_events[i].ReleaseOwned();
}

void CEngineInputs::ResetEvents() {
    for (int i = 0; i < m_eventCount; ++i) m_events[i].Reset();
    m_eventCount = 0;
}

void CEngineInputs::Init() {
    ResetEvents();
    m_penalties.Reset();
    m_jurisdiction = "FEDERAL";
    m_wholeDollars = 0;
    m_gattEnabled = 0;
    m_gattThreshold = 10000LL * 10000;  // $10,000
    m_lcuEnabled = 0;
    m_lcuRestartEnabled = 0;
    m_lcu30Day = m_lcuApplicable = m_lcuRestart30Day = m_lcuRestartApplicable = Date();
    m_useEventDescriptions = 0;
    m_refusedArgument = m_refusalReason = "";
}

HRESULT CEngineInputs::Refuse(const char* argument, const char* reason) {
    m_refusedArgument = argument;
    m_refusalReason = reason;
    return E_INVALIDARG;
}

HRESULT CEngineInputs::PutDate(DATE value, Date& member, const char* name) {
    Date d;
    if (!DateFromAutomation(value, d)) return Refuse(name, "is not a date of the engine (1954 to June 2133)");
    member = d;
    m_refusedArgument = m_refusalReason = "";
    return S_OK;
}

HRESULT CEngineInputs::AddEvent(int32_t eType, DATE dDate, CY cyAmount, CY cyGattAmount) {
    return AddNamedEvent(eType, dDate, cyAmount, cyGattAmount, "");
}

HRESULT CEngineInputs::AddNamedEvent(int32_t eType, DATE dDate, CY cyAmount, CY cyGattAmount,
                                     const char* bsEventName) {
    const bool known = (eType >= kEventTax && eType <= kEventStartInterest) || eType == kEventIRSCheck;
    if (!known) return Refuse("eType", "must be 0 to 6 or 9");
    if (eType == kEventIRSCheck && cyGattAmount < 0) return Refuse("cyGattAmount", "must be 0 or more");
    if ((eType <= kEventUserPenalty || eType == kEventIRSCheck) && cyAmount < 0)
        return Refuse("cyAmount", "must be 0 or more");
    Date date;
    if (!DateFromAutomation(dDate, date) || !date.isValid())
        return Refuse("dDate", "must be a date of the engine (1954 to June 2133)");
    // The table has room for 1000 events; refuse the next one rather than
    // write past it.
    if (m_eventCount >= kMaxEvents) return Refuse("eType", "would be event 1001; at most 1000 events fit");

    CEvent& event = m_events[m_eventCount++];
    event.m_type = static_cast<uint16_t>(eType);
    event.m_amount = CyToCents(cyAmount);
    event.m_gattAmount = event.m_amount;
    event.m_date = date;
    if (eType == kEventIRSCheck) event.m_gattAmount = CyToCents(cyGattAmount);
    if (bsEventName != nullptr && bsEventName[0] != '\0') {
        event.SetUserName(CutToCharacters(bsEventName, kNameChars).c_str());
        m_useEventDescriptions = 1;
    }
    m_refusedArgument = m_refusalReason = "";
    return S_OK;
}

std::string CutToCharacters(const char* text, size_t maxBytes) {
    size_t length = std::strlen(text);
    if (length <= maxBytes) return text;
    size_t cut = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the start of the
    // character that would be split, and drop that character.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text, cut);
}
