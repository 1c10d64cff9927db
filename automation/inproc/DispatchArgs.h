// Tagged variant arguments as the automation object's C++ types, and its
// results as variants: what the generated dispatch invokers
// (DispatchTable.cpp) call. Each Arg... returns false when the variant cannot
// be the parameter's type; the accepted tags:
//   I4 <- I4;  R8 <- R8, I4, CY;  CY <- CY, I4 (whole dollars);
//   DATE <- DATE, EMPTY (no date);  BSTR <- BSTR (a null string is empty).
#pragma once

#include <string>

#include "automation/AutomationTypes.h"
#include "automation/inproc/QRTCom.h"

bool ArgI4(const QRTVariant& value, int32_t& out);
bool ArgR8(const QRTVariant& value, double& out);
bool ArgCy(const QRTVariant& value, CY& out);
bool ArgDate(const QRTVariant& value, DATE& out);
bool ArgBstr(const QRTVariant& value, std::string& out);

// Each leaves a null result alone; false only when a string cannot be copied
// (the result stays EMPTY).
bool SetI4(QRTVariant* result, int32_t value);
bool SetR8(QRTVariant* result, double value);
bool SetCy(QRTVariant* result, CY value);
bool SetDate(QRTVariant* result, DATE value);
bool SetBstr(QRTVariant* result, const std::string& value);

// DISP_E_TYPEMISMATCH, with *argErr = index (argErr may be null).
HRESULT Mismatch(int32_t* argErr, int32_t index);
