#include "automation/inproc/DispatchArgs.h"

#include <cstdlib>
#include <cstring>

bool ArgI4(const QRTVariant& value, int32_t& out) {
    if (value.vt != QRT_VT_I4) return false;
    out = value.lVal;
    return true;
}

bool ArgR8(const QRTVariant& value, double& out) {
    if (value.vt == QRT_VT_R8) out = value.dblVal;
    else if (value.vt == QRT_VT_I4) out = value.lVal;
    else if (value.vt == QRT_VT_CY) out = static_cast<double>(value.cyVal) / 10000.0;
    else return false;
    return true;
}

bool ArgCy(const QRTVariant& value, CY& out) {
    if (value.vt == QRT_VT_CY) out = value.cyVal;
    else if (value.vt == QRT_VT_I4) out = static_cast<CY>(value.lVal) * 10000;
    else return false;
    return true;
}

bool ArgDate(const QRTVariant& value, DATE& out) {
    if (value.vt == QRT_VT_DATE) out = value.date;
    else if (value.vt == QRT_VT_EMPTY) out = -1.0;
    else return false;
    return true;
}

bool ArgBstr(const QRTVariant& value, std::string& out) {
    if (value.vt != QRT_VT_BSTR) return false;
    out = value.bstrVal == nullptr ? std::string() : std::string(value.bstrVal);
    return true;
}

bool SetI4(QRTVariant* result, int32_t value) {
    if (result == nullptr) return true;
    result->vt = QRT_VT_I4;
    result->lVal = value;
    return true;
}

bool SetR8(QRTVariant* result, double value) {
    if (result == nullptr) return true;
    result->vt = QRT_VT_R8;
    result->dblVal = value;
    return true;
}

bool SetCy(QRTVariant* result, CY value) {
    if (result == nullptr) return true;
    result->vt = QRT_VT_CY;
    result->cyVal = value;
    return true;
}

bool SetDate(QRTVariant* result, DATE value) {
    if (result == nullptr) return true;
    result->vt = QRT_VT_DATE;
    result->date = value;
    return true;
}

bool SetBstr(QRTVariant* result, const std::string& value) {
    if (result == nullptr) return true;
    char* copy = static_cast<char*>(std::malloc(value.size() + 1));
    if (copy == nullptr) {
        result->vt = QRT_VT_EMPTY;
        return false;
    }
    std::memcpy(copy, value.c_str(), value.size() + 1);
    result->vt = QRT_VT_BSTR;
    result->bstrVal = copy;
    return true;
}

HRESULT Mismatch(int32_t* argErr, int32_t index) {
    if (argErr != nullptr) *argErr = index;
    return static_cast<HRESULT>(QRT_DISP_E_TYPEMISMATCH);
}
