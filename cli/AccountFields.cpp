#include "AccountFields.h"

#include <cmath>
#include <cstdlib>

#include "DollarText.h"

std::string Printable(const std::string& text) {
    std::string shown = text;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return shown;
}

std::string Describe(const JsonValue& v) {
    switch (v.type) {
        case JsonValue::Type::String: {
            std::string shown = v.text.size() > 40 ? v.text.substr(0, 40) + "..." : v.text;
            return "\"" + Printable(shown) + "\"";
        }
        case JsonValue::Type::Number: return v.text;
        case JsonValue::Type::Boolean: return v.boolean ? "true" : "false";
        default: return JsonTypeName(v.type);
    }
}

int Problem(AccountProblem& problem, const std::string& place, const std::string& message) {
    problem.place = place;
    problem.message = message;
    return 0;
}

int CheckObject(const JsonValue& v, const std::string& place, std::initializer_list<const char*> allowed,
                AccountProblem& problem) {
    if (v.type != JsonValue::Type::Object)
        return Problem(problem, place, std::string("expected an object, got ") + Describe(v));
    for (const auto& member : v.members) {
        bool known = false;
        for (const char* key : allowed) known = known || member.first == key;
        if (!known) {
            std::string list;
            for (const char* key : allowed) list += (list.empty() ? "" : ", ") + std::string("\"") + key + "\"";
            return Problem(problem, place,
                           "unknown key \"" + Printable(member.first) + "\"; expected one of " + list);
        }
    }
    return 1;
}

int ReadAmount(const JsonValue& v, const std::string& place, CY& amount, AccountProblem& problem) {
    int64_t cents = 0;
    const bool text = v.type == JsonValue::Type::Number || v.type == JsonValue::Type::String;
    if (!text || !ParseDollarText(v.text, cents))
        return Problem(problem, place,
                       "expected a dollar amount with at most two decimals (a number or a string such as "
                       "\"1234.56\", at most 999999999999.99), got " + Describe(v));
    amount = cents * 100;
    return 1;
}

int ReadDateValue(const JsonValue& v, const std::string& place, Date& date, AccountProblem& problem) {
    if (v.type != JsonValue::Type::String || !ParseIsoDate(v.text, date))
        return Problem(problem, place,
                       "expected a date \"YYYY-MM-DD\" " + DateRangeText() + ", got " + Describe(v));
    return 1;
}

int ReadDate(const JsonValue& v, const std::string& place, bool allowNull, DATE& date, AccountProblem& problem) {
    if (allowNull && v.type == JsonValue::Type::Null) {
        date = -1.0;
        return 1;
    }
    Date d;
    if (v.type != JsonValue::Type::String || !ParseIsoDate(v.text, d))
        return Problem(problem, place,
                       "expected a date \"YYYY-MM-DD\" " + DateRangeText() +
                           (allowNull ? " or null" : "") + ", got " + Describe(v));
    date = DateToAutomation(d);
    return 1;
}

int ReadBoolean(const JsonValue& v, const std::string& place, int32_t& flag, AccountProblem& problem) {
    if (v.type != JsonValue::Type::Boolean)
        return Problem(problem, place, "expected true or false, got " + Describe(v));
    flag = v.boolean ? 1 : 0;
    return 1;
}

int ReadI4(const JsonValue& v, const std::string& place, int32_t& value, AccountProblem& problem) {
    if (v.type == JsonValue::Type::Boolean) {
        value = v.boolean ? 1 : 0;
        return 1;
    }
    if (v.type != JsonValue::Type::Number || !ParseWholeNumber(v.text, value))
        return Problem(problem, place, "expected true, false or a whole number, got " + Describe(v));
    return 1;
}

int ReadR8(const JsonValue& v, const std::string& place, double& value, AccountProblem& problem) {
    if (v.type != JsonValue::Type::Number)
        return Problem(problem, place, "expected a number, got " + Describe(v));
    double d = std::strtod(v.text.c_str(), nullptr);
    if (!std::isfinite(d)) return Problem(problem, place, "expected a finite number, got " + Describe(v));
    value = d;
    return 1;
}
