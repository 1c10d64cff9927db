// The D-Bus error that a failing HRESULT of the engine object becomes:
// com.veltrin.QRTEngine.Error.<Kind>, the HRESULT in hexadecimal in the message.
// Tests: tests/automation/server (each kind seen by a real client).
#pragma once

#include <string>

#include <sdbus-c++/Error.h>

#include "automation/AutomationTypes.h"

// "com.veltrin.QRTEngine.Error.InvalidArg", ".Fail", ".Pending", ".OpenFailed"
// (WriteReport's file), ".Overflow" (a total past the currency range); any other
// failure code is ".Fail".
std::string HresultErrorName(HRESULT hr);

// The error to throw from a D-Bus member for a failing hr, e.g.
// [com.veltrin.QRTEngine.Error.Pending] "HRESULT 0x8000000A: no computation yet".
sdbus::Error HresultError(HRESULT hr);
