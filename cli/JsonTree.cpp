// Builds a JsonValue through the SAX interface of nlohmann-json, which hands
// over the original text of every floating-point number.
#include "JsonTree.h"

#include <nlohmann/json.hpp>

#include <cstdint>

namespace {

class TreeBuilder {
public:
    using json = nlohmann::json;

    explicit TreeBuilder(JsonValue& root) : m_root(root) {}

    bool null() { return Add(JsonValue{}); }
    bool boolean(bool b) {
        JsonValue v;
        v.type = JsonValue::Type::Boolean;
        v.boolean = b;
        return Add(std::move(v));
    }
    bool number_integer(json::number_integer_t n) { return Number(std::to_string(n)); }
    bool number_unsigned(json::number_unsigned_t n) { return Number(std::to_string(n)); }
    bool number_float(json::number_float_t, const json::string_t& s) { return Number(s); }
    bool string(json::string_t& s) {
        JsonValue v;
        v.type = JsonValue::Type::String;
        v.text = s;
        return Add(std::move(v));
    }
    bool binary(json::binary_t&) { return Fail("binary values are not JSON text"); }
    bool start_object(std::size_t) { return Open(JsonValue::Type::Object); }
    bool end_object() { return Close(); }
    bool start_array(std::size_t) { return Open(JsonValue::Type::Array); }
    bool end_array() { return Close(); }
    bool key(json::string_t& k) {
        JsonValue* object = m_stack.back();
        if (object->Find(k) != nullptr) return Fail("duplicate key \"" + k + "\" in " + OpenPath());
        m_pendingKey = k;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& ex) {
        std::string what = ex.what();
        // Drop the library's "[json.exception.parse_error.101] " prefix.
        size_t close = what.find("] ");
        if (what.rfind("[json.exception", 0) == 0 && close != std::string::npos) what.erase(0, close + 2);
        m_error = what;
        return false;
    }

    const std::string& Error() const { return m_error; }

private:
    bool Number(const std::string& text) {
        JsonValue v;
        v.type = JsonValue::Type::Number;
        v.text = text;
        return Add(std::move(v));
    }
    bool Fail(const std::string& why) {
        m_error = why;
        return false;
    }
    // Places a value in the open container (or as the root) and returns where it went.
    JsonValue* Place(JsonValue&& v) {
        if (m_stack.empty()) {
            m_root = std::move(v);
            return &m_root;
        }
        JsonValue* top = m_stack.back();
        if (top->type == JsonValue::Type::Array) {
            top->items.push_back(std::move(v));
            return &top->items.back();
        }
        top->members.push_back(JsonMember{m_pendingKey, std::move(v)});
        return &top->members.back().second;
    }
    bool Add(JsonValue&& v) {
        Place(std::move(v));
        return true;
    }
    // Path of the innermost open container, as "the top level" or "events[2]".
    std::string OpenPath() const {
        std::string path;
        for (size_t i = 1; i < m_stack.size(); ++i) {
            const JsonValue* parent = m_stack[i - 1];
            if (parent->type == JsonValue::Type::Array) {
                path += "[" + std::to_string(parent->items.size() - 1) + "]";
            } else {
                if (!path.empty()) path += ".";
                path += parent->members.back().first;
            }
        }
        return path.empty() ? "the top level" : path;
    }
    bool Open(JsonValue::Type type) {
        if (static_cast<int>(m_stack.size()) >= kMaxJsonDepth)
            return Fail("nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels in " + OpenPath());
        JsonValue v;
        v.type = type;
        // Containers of the open value never grow while a child is open, so
        // the pointer stays valid until Close.
        m_stack.push_back(Place(std::move(v)));
        return true;
    }
    bool Close() {
        m_stack.pop_back();
        return true;
    }

    JsonValue& m_root;
    std::vector<JsonValue*> m_stack;
    std::string m_pendingKey;
    std::string m_error;
};

}  // namespace

const JsonValue* JsonValue::Find(const std::string& key) const {
    for (const auto& member : members)
        if (member.first == key) return &member.second;
    return nullptr;
}

int ParseJsonDocument(const std::string& text, JsonValue& out, std::string& error) {
    out = JsonValue{};
    TreeBuilder builder(out);
    bool ok = nlohmann::json::sax_parse(text, &builder);
    if (ok) return 1;
    error = builder.Error();
    if (error.empty()) error = "the JSON text could not be read";
    out = JsonValue{};
    return 0;
}

const char* JsonTypeName(JsonValue::Type type) {
    switch (type) {
        case JsonValue::Type::Null: return "null";
        case JsonValue::Type::Boolean: return "a boolean";
        case JsonValue::Type::Number: return "a number";
        case JsonValue::Type::String: return "a string";
        case JsonValue::Type::Array: return "an array";
        case JsonValue::Type::Object: return "an object";
    }
    return "an unknown value";
}
