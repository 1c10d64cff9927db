// The entry points of one loaded in-process component that the Python module
// calls: taken from the library the module links (qrtcom.QRTEngine()) or from
// a registered library it loads with dlopen (qrtcom.Dispatch), so both go
// through the class factory and the dispatch call, as any client does.
#pragma once

#include <string>

#include "QRTCom.h"

struct ComponentApi {
    decltype(&DllGetClassObject) getClassObject = nullptr;
    decltype(&QRTEngine_Invoke) invoke = nullptr;
    decltype(&QRTEngine_Release) release = nullptr;
    decltype(&QRTVariant_Clear) clear = nullptr;
};

// The component the module is linked with.
ComponentApi LinkedComponent();

// The component at path, loaded with dlopen (and kept loaded); false and
// *error when it cannot be loaded or lacks an entry point.
bool LoadComponent(const std::string& path, ComponentApi& api, std::string* error);
