#include "compute/ComputeResults.h"

#include <cstdint>
#include <cstdio>

#include "compute/EventKind.h"
#include "trace/Trace.h"

const char* MethodDumpName(int method)
{
    switch (method) {
    case 0:
        return "OLDIRS  ";
    case 1:
        return "SIMPLE  ";
    case 2:
        return "DAILY   ";
    case 3:
        return "MONTHLY ";
    default:
        return nullptr;
    }
}

namespace {

unsigned long long Address(const void* p)
{
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p));
}

}  // namespace

void ComputeResults::Dump(const ComputeResults* r, int all)
{
    if (!QrtTraceActive())
        return;
    for (; r != nullptr; r = r->m_next) {
        char start[16] = "";
        char end[16] = "";
        r->m_start.ToString(start, 1);
        r->m_end.ToString(end, 1);
        // Addresses are printed in full: 64-bit pointers do not fit 8 digits.
        QrtTrace("ComputeResults (0X%8.8llX)    Next: 0X%8.8llX, Prev: 0X%8.8llX    Start: %s, "
                 "End: %s  (%2.2d yrs, %2.2d mos, %2.2d dys)\n",
                 Address(r), Address(r->m_next), Address(r->m_prev), start, end, r->m_years,
                 r->m_months, r->m_days);
        char kind[16];
        const char* kindName = ResultDumpName(r->m_kind);
        if (kindName == nullptr) {
            std::snprintf(kind, sizeof kind, "<unk %2.2d>", r->m_kind);
            kindName = kind;
        }
        char method[16];
        const char* methodName = MethodDumpName(r->m_method);
        if (methodName == nullptr) {
            std::snprintf(method, sizeof method, "<unk %2.2d>", r->m_method);
            methodName = method;
        }
        QrtTrace("    Evt: %2.2d Type: %s Comp: %s Hot? %s\n", r->m_event, kindName, methodName,
                 r->m_hot ? "Y" : "N");
        QrtTrace("    Norm Prin: %7.2f Int: %7.2f Rate: %4.2f Fact %7.5f Amt:  %7.2f Bal:  %7.2f\n",
                 r->m_principal, r->m_interest, r->m_rate, r->m_factor, r->m_amount,
                 r->m_balance);
        QrtTrace("    GATT Prin: %7.2f Int: %7.2f Rate: %4.2f Fact %7.5f PWas: %7.2f IWas: %7.2f\n",
                 r->m_gattPrincipal, r->m_gattInterest, r->m_gattRate, r->m_gattFactor,
                 r->m_gattPrincipalWas, r->m_gattInterestWas);
        if (!all)
            break;
    }
}

int ComputeResults::AnyInterestInStream(const ComputeResults* r)
{
    for (; r != nullptr; r = r->m_next)
        if (r->m_interest != 0.0 || r->m_gattInterest != 0.0)
            return 1;
    return 0;
}

void FreeComputeResultsChain(ComputeResults* head)
{
    while (head != nullptr) {
        ComputeResults* next = head->m_next;
        delete head;
        head = next;
    }
}
