// The dispatch half of IQRTEngine: a member chosen by DISPID (or name) and
// kind, called on a CQRTEngine with tagged variant arguments. The invokers
// are generated from the interface description (kDispatchInvokers, parallel
// to kInterfaceMembers), so the dispatch cannot drift from it. Used by the C
// interface's QRTEngine_Invoke; usable by any host of a CQRTEngine.
#pragma once

#include <cstdint>

#include "automation/AutomationTypes.h"
#include "automation/inproc/QRTCom.h"

class CQRTEngine;

// Converts args[...] to the member's parameters (DispatchArgs.h) and calls
// it; a failing conversion returns DISP_E_TYPEMISMATCH with *argErr set.
using DispatchInvoker = HRESULT (*)(CQRTEngine& object, const QRTVariant* args, QRTVariant* result,
                                    int32_t* argErr);
extern const DispatchInvoker kDispatchInvokers[];

// The index in kInterfaceMembers of the member dispId as flags asks
// (QRT_DISPATCH_...; a get answers METHOD too), or -1.
int FindDispatchMember(int32_t dispId, int32_t flags);
// The DISPID of a member name, letter case ignored; false when none.
bool FindDispId(const char* name, int32_t& dispId);
// The member's "In" parameter count.
int InParamCount(int memberIndex);

// The whole call: DISP_E_MEMBERNOTFOUND, DISP_E_BADPARAMCOUNT, a mismatch,
// or the member's HRESULT. result, when given, is set to EMPTY first (its old
// contents are not freed) and holds the retval after a success.
HRESULT InvokeMember(CQRTEngine& object, int32_t dispId, int32_t flags, const QRTVariant* args, int32_t argCount,
                     QRTVariant* result, int32_t* argErr);
