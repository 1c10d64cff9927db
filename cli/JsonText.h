// JsonText: pieces of compact JSON text written straight into a string, in
// the forms a compact dump of a document gives them (the batch output and
// the account echo are written this way instead of built as documents).
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "calendar/Date.h"

// The compact dump of a document (invalid UTF-8 replaced by U+FFFD).
std::string CompactJson(const nlohmann::ordered_json& doc);

// A string: plain printable ASCII as it is, anything else through the dump.
void AppendJsonString(std::string& out, const std::string& text);
// "key": (the key is plain ASCII).
void AppendJsonKey(std::string& out, const char* key);
// The ISO date as a string, null for no date.
void AppendJsonDate(std::string& out, Date d);
// Null when not finite, else the shortest round-trip form ("4.0", "1e-05").
void AppendJsonDouble(std::string& out, double x);
void AppendJsonInt(std::string& out, long long v);
void AppendJsonBool(std::string& out, bool b);
