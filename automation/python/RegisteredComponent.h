// qrtcom.Dispatch's part: the in-process component registered for a ProgID,
// found through the registration records and loaded with dlopen.
#pragma once

#include <string>

#include "ComponentApi.h"

constexpr QRTHRESULT kClassNotRegistered = static_cast<QRTHRESULT>(0x80040154u);  // REGDB_E_CLASSNOTREG
constexpr QRTHRESULT kLibraryNotLoaded = static_cast<QRTHRESULT>(0x800401F8u);    // CO_E_DLLNOTFOUND

// Raises qrtcom.Error (REGDB_E_CLASSNOTREG: not registered; CO_E_DLLNOTFOUND:
// the registered library cannot be loaded), with the reason.
ComponentApi RegisteredComponent(const std::string& progId);
