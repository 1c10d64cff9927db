// Member lookup and the checks every dispatched call passes before its
// generated invoker runs.
#include <strings.h>

#include "automation/IQRTEngineDescription.h"
#include "automation/inproc/DispatchTable.h"

int FindDispatchMember(int32_t dispId, int32_t flags) {
    int found = -1;
    for (int i = 0; i < kInterfaceMemberCount; ++i) {
        const InterfaceMember& m = kInterfaceMembers[i];
        if (m.dispId != dispId) continue;
        if (m.kind == MemberKind::Put) {
            if ((flags & QRT_DISPATCH_PROPERTYPUT) != 0) return i;
        } else if ((flags & QRT_DISPATCH_PROPERTYPUT) == 0) {
            const int32_t wanted = m.kind == MemberKind::Get ? (QRT_DISPATCH_PROPERTYGET | QRT_DISPATCH_METHOD)
                                                             : QRT_DISPATCH_METHOD;
            if ((flags & wanted) != 0) found = i;
        }
    }
    return found;
}

bool FindDispId(const char* name, int32_t& dispId) {
    if (name == nullptr) return false;
    for (const InterfaceMember& m : kInterfaceMembers) {
        if (strcasecmp(m.name, name) == 0) {
            dispId = m.dispId;
            return true;
        }
    }
    return false;
}

int InParamCount(int memberIndex) {
    const InterfaceMember& m = kInterfaceMembers[memberIndex];
    int count = 0;
    for (int p = 0; p < m.paramCount; ++p)
        if (kInterfaceParams[m.firstParam + p].direction == ParamDirection::In) ++count;
    return count;
}

HRESULT InvokeMember(CQRTEngine& object, int32_t dispId, int32_t flags, const QRTVariant* args, int32_t argCount,
                     QRTVariant* result, int32_t* argErr) {
    if (result != nullptr) result->vt = QRT_VT_EMPTY;
    const int index = FindDispatchMember(dispId, flags);
    if (index < 0) return static_cast<HRESULT>(QRT_DISP_E_MEMBERNOTFOUND);
    if (argCount != InParamCount(index) || (argCount > 0 && args == nullptr))
        return static_cast<HRESULT>(QRT_DISP_E_BADPARAMCOUNT);
    return kDispatchInvokers[index](object, args, result, argErr);
}
