#include "automation/server/HresultError.h"

#include <cstdio>

namespace {

struct Kind {
    HRESULT hr;
    const char* name;
    const char* meaning;
};

constexpr Kind kKinds[] = {
    {E_INVALIDARG, "InvalidArg", "invalid argument"},
    {E_FAIL, "Fail", "failed"},
    {E_PENDING, "Pending", "no computation yet"},
    {E_OPEN_FAILED, "OpenFailed", "the file cannot be opened"},
    {DISP_E_OVERFLOW, "Overflow", "the amount is past the currency range"},
};

const Kind& KindOf(HRESULT hr) {
    for (const Kind& kind : kKinds)
        if (kind.hr == hr) return kind;
    return kKinds[1];
}

}  // namespace

std::string HresultErrorName(HRESULT hr) { return std::string("com.veltrin.QRTEngine.Error.") + KindOf(hr).name; }

sdbus::Error HresultError(HRESULT hr) {
    char message[80];
    std::snprintf(message, sizeof message, "HRESULT 0x%08X: %s", static_cast<unsigned>(hr),
                  KindOf(hr).hr == hr ? KindOf(hr).meaning : "failed");
    return sdbus::Error(HresultErrorName(hr), message);
}
