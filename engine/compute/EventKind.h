// EventKind: the 16-bit kind codes of input events (0 to 11) and the special
// kinds that only result periods carry (100 rate change, 200 month-end break,
// 500 final period; the driver also uses 33, 35 and 101), the kind sets the
// engine tests against, and the fixed-width names the dumps and reports print.
// 65535 marks an empty event slot.
// Tests: the kind sets and names of every code, unknown codes included.
#pragma once

#include <cstdint>

enum EventKind : uint16_t {
    kEventTax = 0,             // tax assessed (normal tax)
    kEventMotivatedTax = 1,    // tax-motivated transaction, motivated rate
    kEventPayment = 2,
    kEventDeposit = 3,
    kEventUserPenalty = 4,     // penalty amount entered by the user
    kEventStopInterest = 5,
    kEventStartInterest = 6,
    kEventDebit = 7,
    kEventCredit = 8,
    kEventIRSCheck = 9,        // refund check; its principal is the second amount
    kEventUserNamedPenalty = 10,
    kEventPenaltyType = 11,
    kEventHotStart = 33,       // 6621(c) start or restart split (result periods)
    kEventHotStop = 35,        // 6621(c) stop split (result periods)
    kEventRateChange = 100,    // result periods only
    kEventMotivatedRateChange = 101,
    kEventMonthEnd = 200,      // monthly accrual break (result periods only)
    kEventFinal = 500,         // final period (result periods only)
    kEventNone = 65535,        // empty slot / no kind
};

// Payment kinds: 2, 3, 8.
inline int IsPaymentKind(int k) { return k == 2 || k == 3 || k == 8; }
// Liability kinds: 0, 1, 4, 7, 9.
inline int IsLiabilityKind(int k) { return k == 0 || k == 1 || k == 4 || k == 7 || k == 9; }
// Tax kinds: 0, 1, 7, 9.
inline int IsTaxKind(int k) { return k == 0 || k == 1 || k == 7 || k == 9; }
// First-liability kinds: 0, 1, 7.
inline int IsFirstLiabilityKind(int k) { return k == 0 || k == 1 || k == 7; }
// User-penalty kinds: 4, 10.
inline int IsUserPenaltyKind(int k) { return k == 4 || k == 10; }

// 10-character name of an input kind for the event dump ("NORMAL TAX");
// "UNKNOWN   " for any other code.
const char* EventDumpName(int kind);
// 11-character name for the result-period dump ("NORMALTAX  ", "RATE CHANGE");
// null for a code without a name (the dump then prints "<unk %2.2d>").
const char* ResultDumpName(int kind);
// Short report label ("Tax", "Payment"); "" for a code without one.
const char* EventReportLabel(int kind);
