#include "PythonValues.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace py = pybind11;

namespace {

py::object Module(const char* name) { return py::module_::import(name); }

// Days from the OLE epoch, 30 December 1899, to a date.
double OleDays(const py::handle& value) {
    const py::object epoch = Module("datetime").attr("date")(1899, 12, 30);
    const py::object day = Module("datetime").attr("date")(value.attr("year"), value.attr("month"),
                                                            value.attr("day"));
    return (day - epoch).attr("days").cast<double>();
}

// Decimal -> CY exactly, from the digits and exponent of as_tuple(): no
// arithmetic under the caller's decimal context, which would round a value
// with more than its precision's digits (and could trap on a huge exponent)
// instead of refusing it.
bool DecimalToCy(const py::handle& value, QRTVariant& out, std::string* why, bool* overflow) {
    if (!value.attr("is_finite")().cast<bool>()) {
        *why = "is not a finite amount";
        return false;
    }
    const py::tuple parts = value.attr("as_tuple")();
    const bool negative = parts[0].cast<int>() != 0;
    const py::tuple digitTuple = parts[1].cast<py::tuple>();
    py::int_ exponent = parts[2].cast<py::int_>();
    std::string digits;
    digits.reserve(digitTuple.size());
    for (const py::handle digit : digitTuple) digits += static_cast<char>('0' + digit.cast<int>());
    // Trailing zeros only move the exponent: 1.50000 is 1.5.
    std::size_t end = digits.size();
    while (end > 1 && digits[end - 1] == '0') --end;
    if (end < digits.size()) exponent = py::int_(exponent + py::int_(digits.size() - end));
    digits.resize(end);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {  // zero, with any exponent
        out.vt = QRT_VT_CY;
        out.cyVal = 0;
        return true;
    }
    digits.erase(0, first);
    if (exponent < py::int_(-4)) {
        *why = "has more than four decimal places (currency is exact to 1/10000 dollar)";
        return false;
    }
    // Units of 1/10000: the digits followed by exponent + 4 zeros. Nineteen
    // digits or more of units may be out of range; more than that surely are.
    const py::int_ shift = py::int_(exponent + py::int_(4));
    if (shift > py::int_(19) || digits.size() + shift.cast<std::size_t>() > 19) {
        *why = "is outside the currency range";
        *overflow = true;
        return false;
    }
    digits.append(shift.cast<std::size_t>(), '0');
    const unsigned long long magnitude = std::stoull(digits);
    const unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<int64_t>::max()) + (negative ? 1u : 0u);
    if (magnitude > limit) {
        *why = "is outside the currency range";
        *overflow = true;
        return false;
    }
    out.vt = QRT_VT_CY;
    out.cyVal = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

py::object CyToDecimal(int64_t cy) {
    // Digits of |cy| without overflow at the minimum.
    const uint64_t magnitude = cy < 0 ? 0 - static_cast<uint64_t>(cy) : static_cast<uint64_t>(cy);
    const uint64_t fraction = magnitude % 10000;
    std::string text = (cy < 0 ? "-" : "") + std::to_string(magnitude / 10000) + ".";
    const std::string digits = std::to_string(10000 + fraction).substr(1);
    text += fraction % 100 == 0 ? digits.substr(0, 2) : digits;
    return Module("decimal").attr("Decimal")(text);
}

py::object DateFromOle(double value) {
    if (value < 0 || !std::isfinite(value)) return py::none();
    const py::object datetime = Module("datetime");
    const double days = std::floor(value);
    const py::object day = datetime.attr("date")(1899, 12, 30) + datetime.attr("timedelta")(days);
    const double seconds = std::round((value - days) * 86400.0);
    if (seconds == 0) return day;
    return datetime.attr("datetime").attr("combine")(day, datetime.attr("time")()) +
           datetime.attr("timedelta")(0, seconds);
}

}  // namespace

bool ToVariant(const py::handle& value, const char* paramType, OwnedVariant& out, std::string* why,
               bool* overflow) {
    QRTVariant& v = out.value;
    *overflow = false;
    const py::object datetime = Module("datetime");
    if (value.is_none()) {
        v.vt = QRT_VT_EMPTY;
    } else if (py::isinstance<py::bool_>(value) || py::isinstance<py::int_>(value)) {
        const bool currency = std::strcmp(paramType, "CY") == 0;
        const py::int_ number = py::reinterpret_borrow<py::int_>(value);
        const py::int_ scaled = currency ? py::int_(number * py::int_(10000)) : number;
        const py::int_ low(currency ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int32_t>::min());
        const py::int_ high(currency ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int32_t>::max());
        if (scaled < low || scaled > high) {
            *why = currency ? "is outside the currency range" : "is outside the 32-bit integer range";
            *overflow = true;
            return false;
        }
        if (currency) {
            v.vt = QRT_VT_CY;
            v.cyVal = scaled.cast<int64_t>();
        } else {
            v.vt = QRT_VT_I4;
            v.lVal = scaled.cast<int32_t>();
        }
    } else if (py::isinstance<py::float_>(value)) {
        v.vt = QRT_VT_R8;
        v.dblVal = value.cast<double>();
    } else if (py::isinstance(value, Module("decimal").attr("Decimal"))) {
        return DecimalToCy(value, v, why, overflow);
    } else if (py::isinstance(value, datetime.attr("date"))) {
        double days = OleDays(value);
        if (days < 0) {
            *why = "is before 30 December 1899, which has no DATE value here";
            *overflow = true;
            return false;
        }
        if (py::isinstance(value, datetime.attr("datetime"))) {
            const double seconds = value.attr("hour").cast<double>() * 3600 + value.attr("minute").cast<double>() * 60 +
                                   value.attr("second").cast<double>();
            days += seconds / 86400.0;
        }
        v.vt = QRT_VT_DATE;
        v.date = days;
    } else if (py::isinstance<py::str>(value)) {
        // A str with lone surrogates has no UTF-8 form.
        PyObject* encoded = PyUnicode_AsUTF8String(value.ptr());
        if (encoded == nullptr) {
            PyErr_Clear();
            *why = "is not valid Unicode text (it holds a lone surrogate)";
            return false;
        }
        out.text = py::reinterpret_steal<py::bytes>(encoded).cast<std::string>();
        if (out.text.find('\0') != std::string::npos) {
            *why = "holds a NUL character";
            return false;
        }
        v.vt = QRT_VT_BSTR;
        v.bstrVal = out.text.data();
    } else {
        *why = std::string("is a ") + py::str(value.get_type().attr("__name__")).cast<std::string>() +
               ", which has no automation type";
        return false;
    }
    return true;
}

py::object FromVariant(const QRTVariant& value) {
    switch (value.vt) {
        case QRT_VT_I4:
            return py::int_(value.lVal);
        case QRT_VT_R8:
            return py::float_(value.dblVal);
        case QRT_VT_CY:
            return CyToDecimal(value.cyVal);
        case QRT_VT_DATE:
            return DateFromOle(value.date);
        case QRT_VT_BSTR: {
            const char* text = value.bstrVal == nullptr ? "" : value.bstrVal;
            PyObject* decoded = PyUnicode_DecodeUTF8(text, static_cast<Py_ssize_t>(std::strlen(text)), "replace");
            if (decoded == nullptr) throw py::error_already_set();
            return py::reinterpret_steal<py::object>(decoded);
        }
        default:
            return py::none();
    }
}
