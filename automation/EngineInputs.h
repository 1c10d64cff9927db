// CEngineInputs: everything a client of the automation interface sets before
// Compute: up to 1000 events (CEvent), the 24 penalty records
// (CPenaltySettings), the jurisdiction (a rate table name) and the options
// (whole dollars, GATT and its threshold, the 6621(c) switches and dates).
// Amounts arrive as CY, dates as DATE (negative = no date). Methods return
// S_OK or E_INVALIDARG; a refusal changes nothing and names the argument
// (RefusedArgument, RefusalReason). Owns the events' name buffers.
// Not thread-safe (the automation object is apartment-threaded).
// Tests: AddNamedEvent's checks per kind, the 1001st event, name cutting,
// Init's defaults.
#pragma once

#include <cstdint>
#include <string>

#include "automation/AutomationTypes.h"
#include "automation/PenaltySettings.h"
#include "compute/CEvent.h"

class CEngineInputs {
public:
    static constexpr int kMaxEvents = 1000;
    static constexpr int kNameChars = 40;

    CEngineInputs();
    ~CEngineInputs();
    CEngineInputs(const CEngineInputs&) = delete;
    CEngineInputs& operator=(const CEngineInputs&) = delete;

    // Back to the state after construction: no events, every penalty record
    // reset, jurisdiction "FEDERAL", options off, GATT threshold $10,000,
    // no 6621(c) dates.
    void Init();

    // AddNamedEvent with no name.
    HRESULT AddEvent(int32_t eType, DATE dDate, CY cyAmount, CY cyGattAmount);
    // Appends one event. Kinds 0-6 and 9 only (the QRTEventType values); kinds
    // 0-4 need cyAmount >= 0; kind 9 needs both amounts >= 0; the date must
    // be valid; at most kMaxEvents events. A name keeps its first 40 bytes,
    // cut back to a whole UTF-8 character, and sets UseEventDescriptions.
    HRESULT AddNamedEvent(int32_t eType, DATE dDate, CY cyAmount, CY cyGattAmount, const char* bsEventName);

    int32_t EventCount() const { return m_eventCount; }
    // The 1000 event slots (used ones first, the rest empty).
    const CEvent* Events() const { return m_events; }

    CPenaltySettings& PenaltySettings() { return m_penalties; }
    const CPenaltySettings& PenaltySettings() const { return m_penalties; }

    const std::string& Jurisdiction() const { return m_jurisdiction; }
    void Jurisdiction(const std::string& name) { m_jurisdiction = name; }
    int32_t WholeDollarModeEnabled() const { return m_wholeDollars; }
    void WholeDollarModeEnabled(int32_t on) { m_wholeDollars = on; }
    int32_t GattEnabled() const { return m_gattEnabled; }
    void GattEnabled(int32_t on) { m_gattEnabled = on; }
    CY GattThreshold() const { return m_gattThreshold; }
    void GattThreshold(CY amount) { m_gattThreshold = amount; }
    int32_t LCUEnabled() const { return m_lcuEnabled; }
    void LCUEnabled(int32_t on) { m_lcuEnabled = on; }
    int32_t LCURestartEnabled() const { return m_lcuRestartEnabled; }
    void LCURestartEnabled(int32_t on) { m_lcuRestartEnabled = on; }
    int32_t UseEventDescriptions() const { return m_useEventDescriptions; }
    void UseEventDescriptions(int32_t on) { m_useEventDescriptions = on; }

    // DATE properties: a negative DATE stores no date; a DATE outside the
    // engine's range is refused with E_INVALIDARG and changes nothing.
    DATE LCU30DayLetterDate() const { return DateToAutomation(m_lcu30Day); }
    HRESULT LCU30DayLetterDate(DATE d) { return PutDate(d, m_lcu30Day, "LCU30DayLetterDate"); }
    DATE LCUApplicableDate() const { return DateToAutomation(m_lcuApplicable); }
    HRESULT LCUApplicableDate(DATE d) { return PutDate(d, m_lcuApplicable, "LCUApplicableDate"); }
    DATE LCURestart30DayLetterDate() const { return DateToAutomation(m_lcuRestart30Day); }
    HRESULT LCURestart30DayLetterDate(DATE d) { return PutDate(d, m_lcuRestart30Day, "LCURestart30DayLetterDate"); }
    DATE LCURestartApplicableDate() const { return DateToAutomation(m_lcuRestartApplicable); }
    HRESULT LCURestartApplicableDate(DATE d) {
        return PutDate(d, m_lcuRestartApplicable, "LCURestartApplicableDate");
    }

    // The same dates as engine Dates (for handing to the compute object).
    Date Lcu30Day() const { return m_lcu30Day; }
    Date LcuApplicable() const { return m_lcuApplicable; }
    Date LcuRestart30Day() const { return m_lcuRestart30Day; }
    Date LcuRestartApplicable() const { return m_lcuRestartApplicable; }

    const char* RefusedArgument() const { return m_refusedArgument; }
    const char* RefusalReason() const { return m_refusalReason; }

private:
    HRESULT PutDate(DATE value, Date& member, const char* name);
    HRESULT Refuse(const char* argument, const char* reason);
    void ResetEvents();

    // Only AddEvent fills a slot, the next one: the slots from m_eventCount
    // on are always empty, so resetting and releasing stop there.
    CEvent m_events[kMaxEvents];
    int32_t m_eventCount = 0;
    CPenaltySettings m_penalties;
    std::string m_jurisdiction;
    int32_t m_wholeDollars = 0;
    int32_t m_gattEnabled = 0;
    CY m_gattThreshold = 0;
    int32_t m_lcuEnabled = 0;
    int32_t m_lcuRestartEnabled = 0;
    Date m_lcu30Day, m_lcuApplicable, m_lcuRestart30Day, m_lcuRestartApplicable;
    int32_t m_useEventDescriptions = 0;
    const char* m_refusedArgument = "";
    const char* m_refusalReason = "";
};

// The longest prefix of text of at most maxBytes bytes that does not end
// inside a UTF-8 character.
std::string CutToCharacters(const char* text, size_t maxBytes);
