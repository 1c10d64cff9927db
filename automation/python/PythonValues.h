// Python values as the interface's tagged variants and back:
//   int/bool -> I4 (a CY parameter: whole dollars as CY), float -> R8,
//   decimal.Decimal -> CY (exact to 1/10000 dollar), datetime.date/datetime ->
//   DATE, None -> EMPTY (a DATE parameter: no date), str -> BSTR (UTF-8).
// Results: I4 -> int, R8 -> float, CY -> Decimal (two places when whole
// cents), DATE -> date (datetime when it has a time; None for no date),
// BSTR -> str, EMPTY -> None.
// The dispatch call, not this file, decides which tags a parameter accepts.
#pragma once

#include <pybind11/pybind11.h>

#include <string>

#include "QRTCom.h"

// A variant that owns its BSTR copy (the Python string's UTF-8 bytes).
struct OwnedVariant {
    QRTVariant value{};
    std::string text;
};

// false and *why (a short reason) when the value has no variant form, or is
// out of the type's range (*overflow set then).
bool ToVariant(const pybind11::handle& value, const char* paramType, OwnedVariant& out, std::string* why,
               bool* overflow);

// Takes the variant's BSTR (freed by the caller through the component).
pybind11::object FromVariant(const QRTVariant& value);
