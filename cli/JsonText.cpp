// JsonText: see JsonText.h.
#include "JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "DollarText.h"

namespace {

using ordered_json = nlohmann::ordered_json;

// The texts of recent doubles, per thread: a batch writes the same rates and
// factors line after line, and the shortest round-trip conversion is the
// costliest part of a period's output. A slot holds one double's text.
class DoubleTexts {
public:
    void Append(std::string& out, double x)
    {
        uint64_t bits = 0;
        std::memcpy(&bits, &x, sizeof bits);
        Slot& slot = m_slots[(bits * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits)];
        if (slot.length == 0 || slot.bits != bits) {
            char buffer[64];
            const char* end = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, x);
            const size_t length = static_cast<size_t>(end - buffer);
            if (length > sizeof slot.text) {
                out.append(buffer, length);
                return;
            }
            std::memcpy(slot.text, buffer, length);
            slot.length = static_cast<uint8_t>(length);
            slot.bits = bits;
        }
        out.append(slot.text, slot.length);
    }

private:
    static constexpr int kSlotBits = 8;
    struct Slot {
        uint64_t bits = 0;
        uint8_t length = 0;   // 0: empty
        char text[40];
    };
    Slot m_slots[1 << kSlotBits];
};

}  // namespace

std::string CompactJson(const ordered_json& doc)
{
    return doc.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

// A string as the dump writes it: plain printable ASCII as it is, anything
// else (escapes, UTF-8, bad bytes) through the library's own writer.
void AppendJsonString(std::string& out, const std::string& text)
{
    for (const char ch : text) {
        const unsigned char u = static_cast<unsigned char>(ch);
        if (u < 0x20 || u >= 0x7f || ch == '"' || ch == '\\') {
            out += CompactJson(ordered_json(text));
            return;
        }
    }
    out += '"';
    out += text;
    out += '"';
}

void AppendJsonKey(std::string& out, const char* key)
{
    out += '"';
    out += key;
    out += "\":";
}

void AppendJsonDate(std::string& out, Date d)
{
    if (d.isValid()) AppendJsonString(out, IsoDate(d));
    else out += "null";
}

// A double as the dump writes it: null when not finite, else the library's
// shortest round-trip form ("4.0", "0.02890135725458509", "1e-05").
void AppendJsonDouble(std::string& out, double x)
{
    if (!std::isfinite(x)) {
        out += "null";
        return;
    }
    thread_local DoubleTexts texts;
    texts.Append(out, x);
}

void AppendJsonInt(std::string& out, long long v)
{
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, end);
}

void AppendJsonBool(std::string& out, bool b)
{
    out += b ? "true" : "false";
}
