// Feeds arbitrary Python values to the Python module's conversion into the
// interface's tagged variants, the path of every argument a script passes:
// Decimals of any digits and exponent (and NaN, infinities), ints of any
// size, bools, floats, dates and datetimes, str with any code points
// (lone surrogates too), None, bytes and lists, each against a parameter
// type. A conversion must either refuse with a reason or give a variant that
// converts back to the same value; it must never raise or crash. Arbitrary
// variants go through the conversion back to Python as well.
#include <pybind11/embed.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzBytes.h"
#include "PythonValues.h"

namespace py = pybind11;

// The embedded interpreter lives for the whole process and keeps its caches
// (interned strings, type caches, module state) until exit, which
// LeakSanitizer would report at the end of the run.
extern "C" int __lsan_is_turned_off() { return 1; }

namespace {

using fuzz::Bytes;

// The next `most` bytes (fewer at the end) as a Python bytes object.
py::bytes TakeBytes(Bytes& in, size_t most) {
    size_t n = 0;
    const uint8_t* start = in.Take(most, &n);
    return py::bytes(reinterpret_cast<const char*>(start), n);
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "python_values: %s\n", what);
    std::abort();
}

const char* const kTypes[] = {"CY", "I4", "R8", "DATE", "BSTR"};

// A Python value built from the bytes; py::error_already_set when the bytes
// describe no valid value (a 31 February), which the caller skips.
py::object MakeValue(Bytes& in) {
    const py::module_ decimal = py::module_::import("decimal");
    const py::module_ datetime = py::module_::import("datetime");
    switch (in.Byte() % 10) {
        case 0: {  // Decimal((sign, digits, exponent))
            const int sign = in.Byte() & 1;
            const size_t count = in.Byte() % 48;
            py::tuple digits(count);
            for (size_t i = 0; i < count; ++i) digits[i] = py::int_(in.Byte() % 10);
            const uint8_t scale = in.Byte() % 8;
            const int64_t exponent = int64_t{in.Value<int8_t>()} * (scale == 0 ? 1000 : scale == 1 ? 100000000 : 1);
            return decimal.attr("Decimal")(py::make_tuple(sign, digits, exponent));
        }
        case 1: {  // Decimal from text: specials and whatever the bytes say
            static const char* const kSpecial[] = {"NaN", "-sNaN", "Infinity", "-0", "0E-30", "-922337203685477.5808"};
            if (in.Byte() % 2 == 0) return decimal.attr("Decimal")(kSpecial[in.Byte() % 6]);
            return decimal.attr("Decimal")(TakeBytes(in, 40).attr("decode")("latin-1"));
        }
        case 2:  // int of up to 16 bytes, signed
            return py::module_::import("builtins").attr("int").attr("from_bytes")(TakeBytes(in, in.Byte() % 17), "little",
                                                                                     py::arg("signed") = true);
        case 3:
            return py::bool_(in.Byte() & 1);
        case 4:
            return py::float_(in.Value<double>());
        case 5:
            return datetime.attr("date")(1 + in.Value<uint16_t>() % 9999, 1 + in.Byte() % 12, 1 + in.Byte() % 31);
        case 6:
            return datetime.attr("datetime")(1 + in.Value<uint16_t>() % 9999, 1 + in.Byte() % 12, 1 + in.Byte() % 31,
                                             in.Byte() % 24, in.Byte() % 60, in.Byte() % 60,
                                             in.Value<uint32_t>() % 1000000);
        case 7: {  // str of arbitrary code points, lone surrogates included
            std::u32string points;
            for (size_t n = in.Byte() % 16; n > 0; --n) points += static_cast<char32_t>(in.Value<uint32_t>() % 0x110000);
            PyObject* text = PyUnicode_FromKindAndData(PyUnicode_4BYTE_KIND, points.data(),
                                                       static_cast<Py_ssize_t>(points.size()));
            if (text == nullptr) throw py::error_already_set();
            return py::reinterpret_steal<py::object>(text);
        }
        case 8:
            return py::none();
        default:
            return in.Byte() % 2 == 0 ? py::object(TakeBytes(in, 8)) : py::object(py::list());
    }
}

// The value, given back by FromVariant, equals what went in.
void CheckRoundTrip(const py::handle& value, const char* type, const QRTVariant& v) {
    const py::module_ datetime = py::module_::import("datetime");
    const py::object back = FromVariant(v);
    const bool isDate = py::isinstance(value, datetime.attr("date"));
    const bool isDateTime = py::isinstance(value, datetime.attr("datetime"));
    if (value.is_none()) {
        if (v.vt != QRT_VT_EMPTY || !back.is_none()) Fail("None did not stay None");
    } else if (py::isinstance<py::int_>(value)) {
        const bool currency = std::strcmp(type, "CY") == 0;
        if (v.vt != (currency ? QRT_VT_CY : QRT_VT_I4)) Fail("an int took the wrong tag");
        if (!back.equal(value)) Fail("an int changed on its way through");
    } else if (isDateTime) {
        // Kept to the second; a datetime at midnight comes back as a date.
        py::object expected = value.attr("replace")(py::arg("microsecond") = 0);
        if (expected.attr("time")().equal(datetime.attr("time")())) expected = expected.attr("date")();
        if (v.vt != QRT_VT_DATE || !back.equal(expected)) Fail("a datetime changed on its way through");
    } else if (isDate) {
        if (v.vt != QRT_VT_DATE || !back.equal(value)) Fail("a date changed on its way through");
    } else if (py::isinstance<py::str>(value)) {
        if (v.vt != QRT_VT_BSTR || !back.equal(value)) Fail("a str changed on its way through");
    } else if (py::isinstance<py::float_>(value)) {
        const double given = value.cast<double>();
        if (v.vt != QRT_VT_R8 || std::memcmp(&v.dblVal, &given, sizeof given) != 0) Fail("a float changed on its way through");
    } else if (v.vt == QRT_VT_CY) {  // a Decimal: exact, not rounded
        if (!back.equal(value)) Fail("a Decimal was accepted but not kept exactly");
    } else {
        Fail("a value of no automation type was accepted");
    }
}

// An arbitrary variant to Python; a CY comes back to the same CY.
void CheckFromVariant(Bytes& in) {
    QRTVariant v{};
    static const int32_t kTags[] = {QRT_VT_EMPTY, QRT_VT_I4, QRT_VT_R8, QRT_VT_CY, QRT_VT_DATE, QRT_VT_BSTR};
    v.vt = kTags[in.Byte() % 6];
    std::string text;
    switch (v.vt) {
        case QRT_VT_I4: v.lVal = in.Value<int32_t>(); break;
        case QRT_VT_R8: v.dblVal = in.Value<double>(); break;
        case QRT_VT_CY: v.cyVal = in.Value<int64_t>(); break;
        // Dates as the engine gives them: whole days and seconds within 1899-9999.
        case QRT_VT_DATE: v.date = (in.Value<uint32_t>() % 2958466) + (in.Value<uint32_t>() % 86400) / 86400.0; break;
        case QRT_VT_BSTR:
            text = TakeBytes(in, 32).cast<std::string>();
            v.bstrVal = text.data();
            break;
        default: break;
    }
    const py::object value = FromVariant(v);
    if (v.vt != QRT_VT_CY) return;
    OwnedVariant again;
    std::string why;
    bool overflow = false;
    if (!ToVariant(value, "CY", again, &why, &overflow)) Fail(("a currency result did not convert back: " + why).c_str());
    if (again.value.vt != QRT_VT_CY || again.value.cyVal != v.cyVal) Fail("a currency result came back different");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static py::scoped_interpreter interpreter;
    Bytes in{data, size};
    if (in.Byte() % 4 == 0) {
        CheckFromVariant(in);
        return 0;
    }
    for (int round = 0; round < 8 && in.size > 0; ++round) {
        const char* type = kTypes[in.Byte() % 5];
        py::object value;
        try {
            value = MakeValue(in);
        } catch (const py::error_already_set&) {
            continue;  // the bytes named no valid Python value
        }
        OwnedVariant out;
        std::string why;
        bool overflow = false;
        if (!ToVariant(value, type, out, &why, &overflow)) {
            if (why.empty()) Fail("a refusal without a reason");
            continue;
        }
        CheckRoundTrip(value, type, out.value);
    }
    return 0;
}
