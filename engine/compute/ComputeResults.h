// ComputeResults: one interest period (a principal constant between two
// dates under one rate table entry), a node of a doubly linked list. A compute
// object keeps three such lists (normal, motivated, penalty interest), owns
// their nodes and frees them with FreeResultsList.
//
// Money in cents, rates in percent per year, factors as fractions. m_kind is
// the EventKind of the step that ended the period (or 33, 35, 100, 101, 200,
// 500); m_event the index of that event, 65535 when the step is no event.
// Every member has an initialiser: a recycled node is rebuilt from them.
// Tests: AnyInterestInStream over a list; the four dump lines.
#pragma once

#include <cstdint>

#include "calendar/Date.h"

struct ComputeResults {
    Date m_start;                   // first day of the period
    Date m_end;                     // end of the period
    uint16_t m_years = 0;           // whole years (Old IRS method only)
    uint16_t m_months = 0;          // months counted by the method
    uint16_t m_days = 0;            // days counted by the method
    uint16_t m_method = 0;          // compounding method code
    uint16_t m_kind = 65535;        // kind of the step that ended the period
    uint16_t m_event = 65535;       // index of that event, 65535 if none
    int32_t m_hot = 0;              // 1 when the 6621(c) increase applied
    double m_principal = 0.0;       // normal (or motivated) principal
    double m_interest = 0.0;        // interest of the period, rounded
    double m_rate = 0.0;            // rate shown, percent
    double m_factor = 0.0;          // interest factor
    double m_gattPrincipal = 0.0;
    double m_gattInterest = 0.0;    // rounded
    double m_gattRate = 0.0;        // GATT rate shown, percent
    double m_gattFactor = 0.0;
    double m_paid = 0.0;            // penalty stream: payments applied at the period's event
    double m_amount = 0.0;          // penalty stream: penalty assessed at the period's drop
    double m_balance = 0.0;         // balance after the period
    double m_gattPrincipalWas = 0.0;  // GATT principal before the period's GATT adjustment
    double m_gattInterestWas = 0.0;   // GATT interest before that adjustment
    ComputeResults* m_next = nullptr;
    ComputeResults* m_prev = nullptr;

    // Writes the record to the engine trace in four lines; with `all` nonzero
    // every following record of the list too.
    void Dump(int all) const { Dump(this, all); }
    // The same for a record that may be null (a null record dumps nothing).
    static void Dump(const ComputeResults* r, int all);

    // 1 when this record or a later one has a nonzero interest or GATT
    // interest, else 0.
    int AnyInterestInStream() const { return AnyInterestInStream(this); }
    // The same for a list head that may be null (0 then).
    static int AnyInterestInStream(const ComputeResults* r);
};

// 8-character method name of the result dump ("DAILY   "); null for the
// methods the dump prints as "<unk %2.2d>".
const char* MethodDumpName(int method);

// Frees `head` and every record after it.
void FreeComputeResultsChain(ComputeResults* head);
