#include "AccountReader.h"

#include "PenaltyDetail.h"

namespace {

struct EventTypeEntry {
    const char* name;
    int code;
};

const EventTypeEntry kEventTypes[] = {
    {"Tax", 0},        {"MotivatedTax", 1}, {"Payment", 2},       {"Deposit", 3},
    {"UserPenalty", 4}, {"StopInterest", 5}, {"StartInterest", 6}, {"IRSCheck", 9},
};

int ReadEvent(const JsonValue& v, const std::string& place, CEngineInputs& inputs, AccountProblem& problem) {
    if (!CheckObject(v, place, {"type", "date", "amount", "gatt_amount", "name"}, problem)) return 0;
    const JsonValue* type = v.Find("type");
    if (type == nullptr) return Problem(problem, place, "missing key \"type\"");
    int code = type->type == JsonValue::Type::String ? EventTypeCode(type->text) : -1;
    if (code < 0)
        return Problem(problem, place + ".type",
                       "expected one of \"Tax\", \"MotivatedTax\", \"Payment\", \"Deposit\", \"UserPenalty\", "
                       "\"StopInterest\", \"StartInterest\", \"IRSCheck\", got " + Describe(*type));
    const JsonValue* date = v.Find("date");
    if (date == nullptr) return Problem(problem, place, "missing key \"date\"");
    DATE when = -1;
    if (!ReadDate(*date, place + ".date", false, when, problem)) return 0;

    // Stop and start of interest carry no amount; every other kind needs one.
    CY amount = 0, gattAmount = 0;
    const JsonValue* a = v.Find("amount");
    if (a == nullptr && code != 5 && code != 6) return Problem(problem, place, "missing key \"amount\"");
    if (a != nullptr && !ReadAmount(*a, place + ".amount", amount, problem)) return 0;
    const JsonValue* g = v.Find("gatt_amount");
    if (g != nullptr) {
        if (code != 9)
            return Problem(problem, place + ".gatt_amount",
                           "\"gatt_amount\" (the principal in a check) belongs only to \"IRSCheck\" events");
        if (!ReadAmount(*g, place + ".gatt_amount", gattAmount, problem)) return 0;
    }
    std::string name;
    if (const JsonValue* n = v.Find("name")) {
        if (n->type != JsonValue::Type::String)
            return Problem(problem, place + ".name", "expected a string, got " + Describe(*n));
        name = n->text;
    }
    if (inputs.AddNamedEvent(code, when, amount, gattAmount, name.c_str()) != S_OK) {
        std::string argument = inputs.RefusedArgument();
        std::string key = argument == "cyAmount" ? "amount" : argument == "cyGattAmount" ? "gatt_amount"
                                                          : argument == "dDate"      ? "date"
                                                                                     : "type";
        return Problem(problem, place + "." + key,
                       "a \"" + type->text + "\" event's " + key + " " + inputs.RefusalReason());
    }
    return 1;
}

int ReadGatt(const JsonValue& v, CEngineInputs& inputs, AccountProblem& problem) {
    if (!CheckObject(v, "gatt", {"enabled", "threshold"}, problem)) return 0;
    if (const JsonValue* e = v.Find("enabled")) {
        int32_t on = 0;
        if (!ReadBoolean(*e, "gatt.enabled", on, problem)) return 0;
        inputs.GattEnabled(on);
    }
    if (const JsonValue* t = v.Find("threshold")) {
        CY threshold = 0;
        if (!ReadAmount(*t, "gatt.threshold", threshold, problem)) return 0;
        if (threshold < 0) return Problem(problem, "gatt.threshold", "expected an amount of 0 or more");
        inputs.GattThreshold(threshold);
    }
    return 1;
}

int ReadLcu(const JsonValue& v, CEngineInputs& inputs, AccountProblem& problem) {
    if (!CheckObject(v, "lcu",
                     {"enabled", "thirty_day_letter", "applicable", "restart_enabled", "restart_thirty_day_letter",
                      "restart_applicable"},
                     problem))
        return 0;
    struct Switch {
        const char* key;
        void (CEngineInputs::*put)(int32_t);
    };
    for (const Switch& s : {Switch{"enabled", &CEngineInputs::LCUEnabled},
                            Switch{"restart_enabled", &CEngineInputs::LCURestartEnabled}}) {
        if (const JsonValue* e = v.Find(s.key)) {
            int32_t on = 0;
            if (!ReadBoolean(*e, std::string("lcu.") + s.key, on, problem)) return 0;
            (inputs.*s.put)(on);
        }
    }
    struct DateKey {
        const char* key;
        HRESULT (CEngineInputs::*put)(DATE);
    };
    for (const DateKey& d : {DateKey{"thirty_day_letter", &CEngineInputs::LCU30DayLetterDate},
                             DateKey{"applicable", &CEngineInputs::LCUApplicableDate},
                             DateKey{"restart_thirty_day_letter", &CEngineInputs::LCURestart30DayLetterDate},
                             DateKey{"restart_applicable", &CEngineInputs::LCURestartApplicableDate}}) {
        if (const JsonValue* e = v.Find(d.key)) {
            DATE when = -1;
            std::string place = std::string("lcu.") + d.key;
            if (!ReadDate(*e, place, true, when, problem)) return 0;
            if ((inputs.*d.put)(when) != S_OK) return Problem(problem, place, "expected a date the engine can hold");
        }
    }
    // Switched on without a date, 6621(c) interest would silently never start.
    if (inputs.LCUEnabled() && !inputs.Lcu30Day().isValid() && !inputs.LcuApplicable().isValid())
        return Problem(problem, "lcu",
                       "\"enabled\" is true but neither \"thirty_day_letter\" nor \"applicable\" is given; "
                       "6621(c) interest starts from one of them");
    if (inputs.LCURestartEnabled() && !inputs.LcuRestart30Day().isValid() && !inputs.LcuRestartApplicable().isValid())
        return Problem(problem, "lcu",
                       "\"restart_enabled\" is true but neither \"restart_thirty_day_letter\" nor "
                       "\"restart_applicable\" is given; the restart of 6621(c) interest needs one of them");
    return 1;
}

// Applies the "penalties" entries; two entries for one slot are refused, since
// the later would silently replace the earlier.
int ReadPenalties(const JsonValue& list, CEngineInputs& inputs, AccountProblem& problem,
                  std::vector<PenaltyEntryEcho>* echoes) {
    if (list.type != JsonValue::Type::Array)
        return Problem(problem, "penalties", "expected an array of penalty settings, got " + Describe(list));
    int firstEntry[CPenaltySettings::kSlots];
    for (int& f : firstEntry) f = -1;
    if (echoes != nullptr) echoes->clear();
    for (size_t i = 0; i < list.items.size(); ++i) {
        const std::string place = "penalties[" + std::to_string(i) + "]";
        PenaltyEntryEcho echo;
        if (!ApplyPenaltyEntry(list.items[i], place, inputs.PenaltySettings(), problem, &echo)) return 0;
        int& first = firstEntry[echo.slot];
        if (first >= 0) {
            const std::string earlier = list.items[static_cast<size_t>(first)].members[0].first;
            return Problem(problem, place,
                           echo.method + " sets the same penalty (" + PenaltySectionCode(echo.slot) + ") as " +
                               earlier + " in penalties[" + std::to_string(first) +
                               "]; give one entry per penalty");
        }
        first = static_cast<int>(i);
        if (echoes != nullptr) echoes->push_back(echo);
    }
    return 1;
}

}  // namespace

int EventTypeCode(const std::string& name) {
    for (const auto& t : kEventTypes)
        if (name == t.name) return t.code;
    return -1;
}

const char* EventTypeName(int code) {
    for (const auto& t : kEventTypes)
        if (code == t.code) return t.name;
    return "";
}

int ReadAccount(const JsonValue& document, CEngineInputs& inputs, DATE& settlement, AccountProblem& problem,
                std::vector<PenaltyEntryEcho>* penalties) {
    inputs.Init();
    if (!CheckObject(document, "the top level",
                     {"jurisdiction", "settlement_date", "whole_dollars", "gatt", "lcu", "events", "penalties", "report"},
                     problem))
        return 0;
    if (const JsonValue* j = document.Find("jurisdiction")) {
        if (j->type != JsonValue::Type::String || j->text.empty() || j->text.size() > 200 ||
            j->text.find('\0') != std::string::npos)
            return Problem(problem, "jurisdiction", "expected the name of a rate table such as \"FEDERAL\", got " +
                                                        Describe(*j));
        inputs.Jurisdiction(j->text);
    }
    const JsonValue* s = document.Find("settlement_date");
    if (s == nullptr) return Problem(problem, "the top level", "missing key \"settlement_date\" (\"YYYY-MM-DD\")");
    if (!ReadDate(*s, "settlement_date", false, settlement, problem)) return 0;
    if (const JsonValue* w = document.Find("whole_dollars")) {
        int32_t on = 0;
        if (!ReadBoolean(*w, "whole_dollars", on, problem)) return 0;
        inputs.WholeDollarModeEnabled(on);
    }
    if (const JsonValue* g = document.Find("gatt"))
        if (!ReadGatt(*g, inputs, problem)) return 0;
    if (const JsonValue* l = document.Find("lcu"))
        if (!ReadLcu(*l, inputs, problem)) return 0;
    if (const JsonValue* events = document.Find("events")) {
        if (events->type != JsonValue::Type::Array)
            return Problem(problem, "events", "expected an array of events, got " + Describe(*events));
        if (events->items.size() > static_cast<size_t>(CEngineInputs::kMaxEvents))
            return Problem(problem, "events",
                           "expected at most 1000 events, got " + std::to_string(events->items.size()));
        for (size_t i = 0; i < events->items.size(); ++i)
            if (!ReadEvent(events->items[i], "events[" + std::to_string(i) + "]", inputs, problem)) return 0;
    }
    if (const JsonValue* list = document.Find("penalties"))
        if (!ReadPenalties(*list, inputs, problem, penalties)) return 0;
    return 1;
}
