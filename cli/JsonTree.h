// JsonValue: one parsed JSON value that keeps every number exactly as it was
// written (its text), so that an amount such as 1234.56 can become cents
// without passing through binary floating point.
// ParseJsonDocument: reads a whole document into a JsonValue; refuses
// duplicate keys within one object and nesting deeper than kMaxJsonDepth.
// Tests: duplicate keys, depth limit, number text kept, error positions.
#pragma once

#include <string>
#include <vector>

struct JsonMember;

struct JsonValue {
    enum class Type { Null, Boolean, Number, String, Array, Object };

    Type type = Type::Null;
    bool boolean = false;
    std::string text;                                        // number text or string value
    std::vector<JsonValue> items;                            // array elements
    std::vector<JsonMember> members;                         // object members, in order

    // The member named key of an object, or null when there is none.
    const JsonValue* Find(const std::string& key) const;
};

// One key and value of an object.
struct JsonMember {
    std::string first;
    JsonValue second;
};

constexpr int kMaxJsonDepth = 32;

// Returns 1 and fills out when text is one well-formed JSON value; else 0
// with error saying where ("line 3, column 7: ...") and what was expected.
int ParseJsonDocument(const std::string& text, JsonValue& out, std::string& error);

// Name of a JSON type for messages: "null", "a boolean", "a number", ...
const char* JsonTypeName(JsonValue::Type type);
