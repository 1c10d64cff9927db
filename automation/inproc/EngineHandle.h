// The object behind a QRTEngine* handle of the C interface: a reference count
// and the automation object; and the wrappers the generated per-member
// functions (QRTComMembers.cpp) call, which keep exceptions from crossing
// the C boundary and turn strings into the interface's UTF-8 forms.
#pragma once

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "automation/CQRTEngine.h"
#include "automation/inproc/QRTCom.h"

struct QRTEngine {
    std::atomic<uint32_t> references{1};
    CQRTEngine object;
};

// The live objects, counted for DllCanUnloadNow (ClassFactory.cpp).
void CountObject(int delta);

// A malloc'd copy of text (QRTCom_FreeString / QRTVariant_Clear free it); null when out of memory.
char* CopyOutString(const std::string& text);

inline std::string InString(const char* text) { return text == nullptr ? std::string() : std::string(text); }

template <typename Member>
QRTHRESULT Call(QRTEngine* self, Member member) {
    if (self == nullptr) return E_INVALIDARG;
    try {
        return member(self->object);
    } catch (const std::bad_alloc&) {
        return QRT_E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// For a member whose retval is a string: *out receives the copy (or null on failure).
template <typename Member>
QRTHRESULT CallForString(QRTEngine* self, char** out, Member member) {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    std::string text;
    const QRTHRESULT hr = Call(self, [&](CQRTEngine& o) { return member(o, text); });
    if (hr < 0) return hr;
    *out = CopyOutString(text);
    return *out == nullptr ? QRT_E_OUTOFMEMORY : hr;
}
