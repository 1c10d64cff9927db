// The automation interface's value types on Linux and their conversions:
// HRESULT (int32_t; S_OK, E_INVALIDARG, E_FAIL, E_PENDING, DISP_E_OVERFLOW, E_OPEN_FAILED),
// CY (int64_t, dollars x 10000), DATE (double OLE date; negative = no date), I4 (int32_t).
// Engine amounts are cents held in doubles; engine dates are Date values.
// Tests: the currency and date conversions at their edges.
#pragma once

#include <cstdint>

#include "calendar/Date.h"

using HRESULT = int32_t;
using CY = int64_t;
using DATE = double;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_PENDING = static_cast<HRESULT>(0x8000000Au);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
// WriteReport's file could not be opened: Windows error 110 (open failed)
// as a failure HRESULT, so that a client testing for success sees a failure.
constexpr HRESULT E_OPEN_FAILED = static_cast<HRESULT>(0x8007006Eu);

// Currency to engine cents. One division (CY / 100) instead of (CY / 10000)
// x 100, so that every whole-cent amount arrives as an exact whole number.
inline double CyToCents(CY cy) { return static_cast<double>(cy) / 100.0; }

// Engine cents to currency, to the nearest 1/10000 dollar. Only for amounts
// that CentsFitCurrency accepts (others have no currency value).
CY CentsToCy(double cents);
// 1 when cents is finite and its currency value lies within the CY range.
int CentsFitCurrency(double cents);

// OLE date of 1 January 1954, the engine's day 0.
constexpr double kOleDateOfSerial0 = 19725.0;

// A DATE argument as an engine date: a negative value is "no date" (accepted,
// left invalid, returns 1); a day outside the engine's dates (serial 0 to 65533) is refused
// (returns 0, date unchanged). The time of day is dropped.
int DateFromAutomation(DATE value, Date& date);

// An engine date as DATE: -1.0 for no date.
DATE DateToAutomation(Date date);
