// One table row per Enable... method: its parameters (names and types in
// interface order) and a call that passes them on.
#include "PenaltyMethods.h"

#include <vector>

#include "DollarText.h"

namespace {

enum class ArgType { Cy, Date, I4, R8 };

struct Param {
    const char* name;
    ArgType type;
};

// Converted arguments in parameter order; each slot holds the value of its type.
struct Args {
    CY cy[24] = {};
    DATE date[24] = {};
    int32_t i4[24] = {};
    double r8[24] = {};
};

using Call = HRESULT (*)(CPenaltySettings&, const Args&);

struct Method {
    const char* name;
    int slot;  // the penalty slot the method fills
    std::vector<Param> params;
    Call call;
};

constexpr ArgType C = ArgType::Cy, D = ArgType::Date, I = ArgType::I4, R = ArgType::R8;

std::vector<Param> NoticeGroups(std::vector<Param> head, std::vector<Param> tail) {
    static const char* const kOrdinals[4] = {"1st", "2nd", "3rd", "4th"};
    static std::vector<std::string> names;  // keeps the generated names alive
    if (names.empty()) {
        for (const char* o : kOrdinals) {
            names.push_back(std::string("d") + o + "Notice");
            names.push_back(std::string("b") + o + "IsFirstNoticeOfLevy");
            names.push_back(std::string("b") + o + "IsFirstJeopardy");
            names.push_back(std::string("i") + o + "GracePeriod");
        }
    }
    for (size_t k = 0; k < 16; ++k) head.push_back({names[k].c_str(), k % 4 == 0 ? D : I});
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const std::vector<Method>& Methods() {
    static const std::vector<Method> methods = {
        {"Enable6651A1PenaltyAlt1", 23,
         {{"cyAmount", C}, {"dReturnDue", D}, {"dNotice", D}, {"dReceivedByIRS", D}, {"bUse100Minimum", I}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6651A1PenaltyAlt1(1, a.cy[0], a.date[1], a.date[2], a.date[3], a.i4[4]);
         }},
        {"Enable6651A1PenaltyAlt2", 23,
         {{"cyAmount", C}, {"dReturnDue", D}, {"dReceivedByIRS", D}, {"bUse100Minimum", I}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6651A1PenaltyAlt2(1, a.cy[0], a.date[1], a.date[2], a.i4[3]);
         }},
        {"Enable6651A1PenaltyAlt3", 23,
         {{"cyAmount", C}, {"dReturnDue", D}, {"dReceivedByIRS", D}, {"bUse100Minimum", I}, {"bFraud", I}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6651A1PenaltyAlt3(1, a.cy[0], a.date[1], a.date[2], a.i4[3], a.i4[4]);
         }},
        {"Enable6651A2PenaltyAlt1", 1, {{"cyAmount", C}, {"dTaxDue", D}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6651A2PenaltyAlt1(1, a.cy[0], a.date[1]); }},
        {"Enable6651A2PenaltyAlt2", 1,
         NoticeGroups({{"cyAmount", C}, {"dTaxDue", D}},
                      {{"dReducePenaltyAfter", D}, {"dReinstatePenaltyAfter", D}, {"bTimelyFiled", I}}),
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6651A2PenaltyAlt2(1, a.cy[0], a.date[1], a.date[2], a.i4[3], a.i4[4], a.i4[5],
                                              a.date[6], a.i4[7], a.i4[8], a.i4[9], a.date[10], a.i4[11],
                                              a.i4[12], a.i4[13], a.date[14], a.i4[15], a.i4[16], a.i4[17],
                                              a.date[18], a.date[19], a.i4[20]);
         }},
        {"Enable6651A3PenaltyAlt1", 2, {{"cyAmount", C}, {"d1stNotice", D}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6651A3PenaltyAlt1(1, a.cy[0], a.date[1]); }},
        {"Enable6651A3PenaltyAlt2", 2,
         NoticeGroups({{"cyAmount", C}},
                      {{"dReducePenaltyAfter", D}, {"dReinstatePenaltyAfter", D}, {"bTimelyFiled", I}}),
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6651A3PenaltyAlt2(1, a.cy[0], a.date[1], a.i4[2], a.i4[3], a.i4[4], a.date[5],
                                              a.i4[6], a.i4[7], a.i4[8], a.date[9], a.i4[10], a.i4[11],
                                              a.i4[12], a.date[13], a.i4[14], a.i4[15], a.i4[16], a.date[17],
                                              a.date[18], a.i4[19]);
         }},
        {"Enable6653APenaltyAlt1", 3, {{"cyAmountSubject", C}, {"dTaxDue", D}, {"dNotice", D}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6653APenaltyAlt1(1, a.cy[0], a.date[1], a.date[2]);
         }},
        {"Enable6653APenaltyAlt2", 3,
         {{"cyAmountSubject", C}, {"cyAmountDueToNeg", C}, {"cyMotivated", C}, {"dNotice", D},
          {"dAssessment", D}, {"bUseIRSPmtAlloc", I}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6653APenaltyAlt2(1, a.cy[0], a.cy[1], a.cy[2], a.date[3], a.date[4], a.i4[5]);
         }},
        {"Enable6653APenaltyAlt3", 3, {{"cyAmountSubject", C}, {"dReturnDue", D}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6653APenaltyAlt3(1, a.cy[0], a.date[1]); }},
        {"Enable6653BPenaltyAlt1", 4, {{"cyAmountSubject", C}, {"dTaxDue", D}, {"dNotice", D}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6653BPenaltyAlt1(1, a.cy[0], a.date[1], a.date[2]);
         }},
        {"Enable6653BPenaltyAlt2", 4,
         {{"cyAmountSubject", C}, {"cyAmountDueToFraud", C}, {"cyMotivated", C}, {"dTaxDue", D},
          {"dNotice", D}, {"dAssessment", D}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6653BPenaltyAlt2(1, a.cy[0], a.cy[1], a.cy[2], a.date[3], a.date[4], a.date[5]);
         }},
        {"Enable6653BPenaltyAlt3", 4, {{"cyAmountSubject", C}, {"dTaxDue", D}, {"dReturnDue", D}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6653BPenaltyAlt3(1, a.cy[0], a.date[1], a.date[2]);
         }},
        {"Enable6659PenaltyAlt1", 7, {{"cyAmountSubject", C}, {"dReturnDue", D}, {"dPercent", R}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6659PenaltyAlt1(1, a.cy[0], a.date[1], a.r8[2]);
         }},
        {"Enable6659PenaltyAlt2", 7, {{"cyAmountSubject", C}, {"dReturnDue", D}, {"dNotice", D}, {"dPercent", R}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6659PenaltyAlt2(1, a.cy[0], a.date[1], a.date[2], a.r8[3]);
         }},
        {"Enable6659APenalty", 8, {{"cyAmountSubject", C}, {"dNotice", D}, {"dPercent", R}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6659APenalty(1, a.cy[0], a.date[1], a.r8[2]); }},
        {"Enable6660PenaltyAlt1", 9, {{"cyAmountSubject", C}, {"dReturnDue", D}, {"dPercent", R}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6660PenaltyAlt1(1, a.cy[0], a.date[1], a.r8[2]);
         }},
        {"Enable6660PenaltyAlt2", 9, {{"cyAmountSubject", C}, {"dReturnDue", D}, {"dNotice", D}, {"dPercent", R}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6660PenaltyAlt2(1, a.cy[0], a.date[1], a.date[2], a.r8[3]);
         }},
        {"Enable6661PenaltyAlt1", 10, {{"cyAmountSubject", C}, {"dReturnDue", D}, {"dAssessment", D}},
         [](CPenaltySettings& s, const Args& a) {
             return s.Enable6661PenaltyAlt1(1, a.cy[0], a.date[1], a.date[2]);
         }},
        {"Enable6661PenaltyAlt2", 10, {{"cyAmountSubject", C}, {"dReturnDue", D}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6661PenaltyAlt2(1, a.cy[0], a.date[1]); }},
        {"Enable6662CPenalty", 11, {{"cyAmountSubject", C}, {"dReturnDue", D}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6662CPenalty(1, a.cy[0], a.date[1]); }},
        {"Enable6662DPenalty", 12, {{"cyAmountSubject", C}, {"dReturnDue", D}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6662DPenalty(1, a.cy[0], a.date[1]); }},
        {"Enable6662EPenalty", 13, {{"cyAmountSubject", C}, {"dReturnDue", D}, {"dPercent", R}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6662EPenalty(1, a.cy[0], a.date[1], a.r8[2]); }},
        {"Enable6662FPenalty", 14, {{"cyAmountSubject", C}, {"dReturnDue", D}, {"dPercent", R}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6662FPenalty(1, a.cy[0], a.date[1], a.r8[2]); }},
        {"Enable6662GPenalty", 15, {{"cyAmountSubject", C}, {"dReturnDue", D}, {"dPercent", R}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6662GPenalty(1, a.cy[0], a.date[1], a.r8[2]); }},
        {"Enable6663Penalty", 16, {{"cyAmountSubject", C}, {"dReturnDue", D}},
         [](CPenaltySettings& s, const Args& a) { return s.Enable6663Penalty(1, a.cy[0], a.date[1]); }},
    };
    return methods;
}

const Method* FindMethod(const std::string& name) {
    for (const Method& m : Methods())
        if (name == m.name) return &m;
    return nullptr;
}

const char* TypeWord(ArgType t) {
    switch (t) {
        case ArgType::Cy: return "a dollar amount";
        case ArgType::Date: return "a date or null";
        case ArgType::I4: return "true, false or a whole number";
        case ArgType::R8: return "a number";
    }
    return "a value";
}

}  // namespace

int ApplyPenaltyEntry(const JsonValue& entry, const std::string& place, CPenaltySettings& settings,
                      AccountProblem& problem, PenaltyEntryEcho* echo) {
    if (entry.type != JsonValue::Type::Object || entry.members.size() != 1)
        return Problem(problem, place,
                       "expected an object with one key, the name of an Enable... method such as "
                       "\"Enable6662CPenalty\", got " + Describe(entry) +
                           (entry.type == JsonValue::Type::Object
                                ? " with " + std::to_string(entry.members.size()) + " keys"
                                : std::string()));
    const std::string& name = entry.members[0].first;
    const JsonValue& body = entry.members[0].second;
    const Method* method = FindMethod(name);
    if (method == nullptr)
        return Problem(problem, place, "unknown penalty method \"" + Printable(name) +
                                           "\"; expected the name of an Enable... method such as "
                                           "\"Enable6651A1PenaltyAlt3\" or \"Enable6662CPenalty\"");
    const std::string methodPlace = place + "." + name;
    if (body.type != JsonValue::Type::Object)
        return Problem(problem, methodPlace, "expected an object of " + name + "'s parameters, got " + Describe(body));

    for (const auto& member : body.members) {
        bool known = false;
        for (const Param& p : method->params) known = known || member.first == p.name;
        if (!known) {
            std::string list;
            for (const Param& p : method->params) list += (list.empty() ? "" : ", ") + std::string(p.name);
            return Problem(problem, methodPlace,
                           "unknown parameter \"" + Printable(member.first) + "\" of " + name + "; its parameters are " + list);
        }
    }

    Args args;
    for (size_t i = 0; i < method->params.size(); ++i) {
        const Param& p = method->params[i];
        const JsonValue* v = body.Find(p.name);
        const std::string argPlace = methodPlace + "." + p.name;
        if (v == nullptr) {
            if (p.type == ArgType::Cy || p.type == ArgType::R8)
                return Problem(problem, methodPlace,
                               "missing parameter \"" + std::string(p.name) + "\" (" + TypeWord(p.type) + ")");
            args.date[i] = -1.0;
            continue;
        }
        int ok = 1;
        switch (p.type) {
            case ArgType::Cy: ok = ReadAmount(*v, argPlace, args.cy[i], problem); break;
            case ArgType::Date: ok = ReadDate(*v, argPlace, true, args.date[i], problem); break;
            case ArgType::I4: ok = ReadI4(*v, argPlace, args.i4[i], problem); break;
            case ArgType::R8: ok = ReadR8(*v, argPlace, args.r8[i], problem); break;
        }
        if (!ok) return 0;
    }
    if (method->call(settings, args) != S_OK) {
        std::string argument = settings.RefusedArgument();
        const JsonValue* v = body.Find(argument);
        std::string found = v != nullptr ? ", got " + Describe(*v) : std::string(", which was not given");
        return Problem(problem, methodPlace + "." + argument,
                       name + " refused argument " + argument + ": it " + settings.RefusalReason() + found);
    }
    if (echo != nullptr) {
        echo->method = name;
        echo->slot = method->slot;
        echo->parameters.clear();
        for (size_t i = 0; i < method->params.size(); ++i) {
            const Param& p = method->params[i];
            EchoedParameter e{p.name, 'C', "", 0};
            switch (p.type) {
                case ArgType::Cy: e.text = FormatCurrency(args.cy[i]); break;
                case ArgType::Date: {
                    Date d;
                    DateFromAutomation(args.date[i], d);
                    e.type = 'D';
                    e.text = IsoDate(d);
                    break;
                }
                case ArgType::I4: e.type = 'I'; e.number = args.i4[i]; break;
                case ArgType::R8: e.type = 'R'; e.number = args.r8[i]; break;
            }
            echo->parameters.push_back(e);
        }
    }
    return 1;
}

int PenaltyMethodSlot(const std::string& name) {
    const Method* method = FindMethod(name);
    return method != nullptr ? method->slot : -1;
}
