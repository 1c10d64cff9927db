// qrtcalc refuses every class of bad input with exit status 2 and one message
// on stderr naming the file, the place in it and what was expected; it prints
// nothing on stdout. Computation input errors exit 1 naming the table or dates.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "RunQrtcalc.h"

namespace {

// A small valid account with one replaceable part.
std::string Account(const std::string& events, const std::string& extra = "") {
    return "{\"settlement_date\": \"2023-06-30\"" + extra + ", \"events\": [" + events + "]}";
}

const std::string kTax = R"({"type": "Tax", "date": "2022-04-18", "amount": "1000.00"})";

struct BadInput {
    const char* what;
    std::string text;          // file contents
    int status;                // expected exit status
    std::vector<std::string> mentions;  // each must appear in stderr
};

std::string ThousandAndOneEvents() {
    std::string events;
    for (int i = 0; i < 1001; ++i) events += (i ? "," : "") + kTax;
    return Account(events);
}

std::string PenaltyAccount(const std::string& penalty) {
    return Account(kTax, ", \"penalties\": [" + penalty + "]");
}

TEST(QrtcalcInput, EachClassOfBadInputGivesItsMessageAndStatus) {
    const std::vector<BadInput> cases = {
        {"bad JSON", "{\"settlement_date\": }", 2, {"not valid JSON", "line 1, column 21"}},
        {"empty file", "", 2, {"not valid JSON"}},
        {"not an object", "[1, 2]", 2, {"the top level", "expected an object"}},
        {"unknown top-level key", Account(kTax, ", \"settlement\": 1"), 2, {"unknown key \"settlement\""}},
        {"unknown event key", Account(R"({"type": "Tax", "date": "2022-04-18", "amount": 1, "amt": 2})"), 2,
         {"events[0]", "unknown key \"amt\""}},
        {"duplicate key", Account(R"({"type": "Tax", "type": "Payment", "date": "2022-04-18", "amount": 1})"), 2,
         {"duplicate key \"type\"", "events[0]"}},
        {"missing settlement date", "{\"events\": []}", 2, {"missing key \"settlement_date\""}},
        {"impossible date", R"({"settlement_date": "2023-02-29", "events": []})", 2,
         {"settlement_date", "YYYY-MM-DD", "\"2023-02-29\""}},
        {"date in another shape", Account(R"({"type": "Tax", "date": "04/18/2022", "amount": 1})"), 2,
         {"events[0].date", "YYYY-MM-DD"}},
        {"amount below a cent", Account(R"({"type": "Tax", "date": "2022-04-18", "amount": "12.345"})"), 2,
         {"events[0].amount", "at most two decimals", "\"12.345\""}},
        {"amount as a float with a fraction of a cent", Account(R"({"type": "Tax", "date": "2022-04-18", "amount": 0.001})"), 2,
         {"events[0].amount"}},
        {"amount that is not a number", Account(R"({"type": "Tax", "date": "2022-04-18", "amount": "12,50"})"), 2,
         {"events[0].amount"}},
        {"amount too large", Account(R"({"type": "Tax", "date": "2022-04-18", "amount": 1e13})"), 2,
         {"events[0].amount", "999999999999.99"}},
        {"unknown event type", Account(R"({"type": "Refund", "date": "2022-04-18", "amount": 1})"), 2,
         {"events[0].type", "\"IRSCheck\"", "\"Refund\""}},
        {"negative payment", Account(kTax + R"(, {"type": "Payment", "date": "2022-05-01", "amount": -5})"), 2,
         {"events[1].amount", "0 or more"}},
        {"negative check principal",
         Account(kTax + R"(, {"type": "IRSCheck", "date": "2022-05-01", "amount": 5, "gatt_amount": "-1.00"})"), 2,
         {"events[1].gatt_amount", "0 or more"}},
        {"check principal on a tax", Account(R"({"type": "Tax", "date": "2022-04-18", "amount": 1, "gatt_amount": 1})"),
         2, {"events[0].gatt_amount", "IRSCheck"}},
        {"1001 events", ThousandAndOneEvents(), 2, {"events", "at most 1000 events", "1001"}},
        {"gatt switch not a boolean", Account(kTax, ", \"gatt\": {\"enabled\": 1}"), 2, {"gatt.enabled", "true or false"}},
        {"lcu date", Account(kTax, ", \"lcu\": {\"enabled\": true, \"applicable\": \"soon\"}"), 2,
         {"lcu.applicable", "or null"}},
        // Refusals of the Enable... methods name the method and the argument.
        {"bad percent",
         PenaltyAccount(R"({"Enable6659PenaltyAlt1": {"cyAmountSubject": 5000, "dReturnDue": "1986-04-15", "dPercent": 25}})"),
         2, {"Enable6659PenaltyAlt1", "dPercent", "10, 20 or 30", "25"}},
        {"6659 return due in 1990",
         PenaltyAccount(R"({"Enable6659PenaltyAlt1": {"cyAmountSubject": 5000, "dReturnDue": "1990-01-01", "dPercent": 20}})"),
         2, {"Enable6659PenaltyAlt1", "dReturnDue", "before 1990-01-01"}},
        {"6660 return due in 1990",
         PenaltyAccount(R"({"Enable6660PenaltyAlt2": {"cyAmountSubject": 5000, "dReturnDue": "1991-04-15", "dNotice": null, "dPercent": 20}})"),
         2, {"Enable6660PenaltyAlt2", "dReturnDue"}},
        {"notices out of order",
         PenaltyAccount(R"({"Enable6651A2PenaltyAlt2": {"cyAmount": 1000, "dTaxDue": "2022-04-18",
             "d1stNotice": "2022-08-01", "d2ndNotice": "2022-07-01"}})"),
         2, {"Enable6651A2PenaltyAlt2", "d2ndNotice", "before the notice ahead of it"}},
        {"notice after a missing one",
         PenaltyAccount(R"({"Enable6651A3PenaltyAlt2": {"cyAmount": 1000, "d1stNotice": "2022-08-01",
             "d3rdNotice": "2022-09-01"}})"),
         2, {"Enable6651A3PenaltyAlt2", "d3rdNotice", "missing notice"}},
        {"reinstate before reduce",
         PenaltyAccount(R"({"Enable6651A2PenaltyAlt2": {"cyAmount": 1000, "dTaxDue": "2022-04-18",
             "dReducePenaltyAfter": "2022-09-01", "dReinstatePenaltyAfter": "2022-08-01", "bTimelyFiled": true}})"),
         2, {"Enable6651A2PenaltyAlt2", "dReinstatePenaltyAfter", "before dReducePenaltyAfter"}},
        {"negative penalty amount",
         PenaltyAccount(R"({"Enable6662CPenalty": {"cyAmountSubject": "-1.00", "dReturnDue": "2022-04-18"}})"), 2,
         {"Enable6662CPenalty", "cyAmountSubject", "0 or more"}},
        {"unknown penalty method", PenaltyAccount(R"({"Enable6662ZPenalty": {}})"), 2,
         {"penalties[0]", "unknown penalty method \"Enable6662ZPenalty\""}},
        {"unknown penalty parameter",
         PenaltyAccount(R"({"Enable6662CPenalty": {"cyAmountSubject": 1, "dReturnDue": "2022-04-18", "bEnable": 1}})"),
         2, {"Enable6662CPenalty", "unknown parameter \"bEnable\""}},
        {"missing penalty amount", PenaltyAccount(R"({"Enable6662CPenalty": {"dReturnDue": "2022-04-18"}})"), 2,
         {"Enable6662CPenalty", "missing parameter \"cyAmountSubject\""}},
        // Two entries for one penalty slot: the later would replace the earlier.
        {"one method twice",
         PenaltyAccount(R"({"Enable6662CPenalty": {"cyAmountSubject": 1, "dReturnDue": "2022-04-18"}},
             {"Enable6662CPenalty": {"cyAmountSubject": 2, "dReturnDue": "2022-04-18"}})"),
         2, {"penalties[1]", "penalties[0]", "Enable6662CPenalty", "same penalty (6662(c))"}},
        {"two variants of one penalty",
         PenaltyAccount(R"({"Enable6651A2PenaltyAlt1": {"cyAmount": 1, "dTaxDue": "2022-04-18"}},
             {"Enable6663Penalty": {"cyAmountSubject": 1, "dReturnDue": "2022-04-18"}},
             {"Enable6651A2PenaltyAlt2": {"cyAmount": 1, "dTaxDue": "2022-04-18"}})"),
         2, {"penalties[2]: Enable6651A2PenaltyAlt2", "(6651(a)(2)) as Enable6651A2PenaltyAlt1 in penalties[0]"}},
        {"6621(c) on without a date", Account(kTax, ", \"lcu\": {\"enabled\": true}"), 2,
         {"lcu:", "\"enabled\" is true", "\"thirty_day_letter\" nor \"applicable\""}},
        {"6621(c) restart without a date",
         Account(kTax, ", \"lcu\": {\"enabled\": true, \"applicable\": \"2022-06-01\", \"restart_enabled\": true}"), 2,
         {"lcu:", "\"restart_enabled\" is true", "\"restart_thirty_day_letter\" nor \"restart_applicable\""}},
        {"a zero third decimal", Account(R"({"type": "Tax", "date": "2022-04-18", "amount": "10000.100"})"), 2,
         {"events[0].amount", "at most two decimals", "\"10000.100\""}},
        {"a third decimal in a penalty amount",
         PenaltyAccount(R"({"Enable6662CPenalty": {"cyAmountSubject": 0.000, "dReturnDue": "2022-04-18"}})"), 2,
         {"Enable6662CPenalty.cyAmountSubject", "at most two decimals"}},
        {"two methods in one entry",
         PenaltyAccount(R"({"Enable6662CPenalty": {}, "Enable6663Penalty": {}})"), 2, {"penalties[0]", "one key"}},
        // Input errors found by the computation itself.
        {"no table for the jurisdiction", Account(kTax, ", \"jurisdiction\": \"NOWHERE\""), 1,
         {"no rate table", "\"NOWHERE\""}},
        {"no events", Account(""), 1, {"the computation stopped on an input error", "nothing was computed", "no events"}},
        {"control characters are not echoed", Account(kTax, ", \"jurisdiction\": \"X\\u001b[2J\""), 1,
         {"\"X?[2J\""}},
        {"settlement before the events", R"({"settlement_date": "2021-12-31", "events": [)" + kTax + "]}", 1,
         {"2021-12-31", "before the first event", "2022-04-18"}},
    };
    for (const BadInput& c : cases) {
        ScratchFolder folder;
        std::string file = folder.Write("account.json", c.text);
        ProgramRun run = RunQrtcalc({file}, folder);
        EXPECT_EQ(run.status, c.status) << c.what << "\nstderr: " << run.err;
        EXPECT_TRUE(run.out.empty()) << c.what << "\nstdout: " << run.out;
        EXPECT_NE(run.err.find(file), std::string::npos) << c.what << ": message must name the file\n" << run.err;
        for (const std::string& m : c.mentions)
            EXPECT_NE(run.err.find(m), std::string::npos) << c.what << ": expected \"" << m << "\" in\n" << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.what << ": one line\n" << run.err;
    }
}

TEST(QrtcalcInput, MissingFileAndBadCommandLinesExitTwo) {
    ScratchFolder folder;
    ProgramRun missing = RunQrtcalc({folder.Path() + "/nothing.json"}, folder);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("nothing.json: cannot open"), std::string::npos) << missing.err;

    ProgramRun folderAsFile = RunQrtcalc({folder.Path()}, folder);
    EXPECT_EQ(folderAsFile.status, 2) << folderAsFile.err;
    EXPECT_NE(folderAsFile.err.find("this is a folder, not an account file"), std::string::npos) << folderAsFile.err;
    EXPECT_EQ(folderAsFile.err.find("16 MiB"), std::string::npos) << folderAsFile.err;

    EXPECT_EQ(RunQrtcalc({"--bogus", "x.json"}, folder).status, 2);
    EXPECT_EQ(RunQrtcalc({}, folder).status, 2);
    ProgramRun help = RunQrtcalc({"--help"}, folder);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: qrtcalc"), std::string::npos);
}

TEST(QrtcalcInput, AnEventBeforeTheTableStartsNamesTheTableAndBothDates) {
    ScratchFolder folder;
    // A one-entry table of our own that starts on 1 January 2000, found
    // through QRT_ENGINE_DIR.
    ASSERT_EQ(folder.SaveRateTable("LATESTART", Date(1, 1, 2000), 365), 1);

    std::string file = folder.Write("account.json", R"({"jurisdiction": "LATESTART", "settlement_date": "2001-06-30",
        "events": [{"type": "Tax", "date": "1999-04-15", "amount": 100}]})");
    ProgramRun run = RunQrtcalc({file}, folder, folder.Path() + "/");
    EXPECT_EQ(run.status, 1) << run.err;
    for (const char* m : {"1999-04-15", "\"LATESTART\"", "2000-01-01"})
        EXPECT_NE(run.err.find(m), std::string::npos) << m << " in\n" << run.err;

    // The same table serves an account that starts inside it.
    std::string inside = folder.Write("inside.json", R"({"jurisdiction": "LATESTART", "settlement_date": "2001-06-30",
        "events": [{"type": "Tax", "date": "2000-04-15", "amount": 100}]})");
    EXPECT_EQ(RunQrtcalc({"--json", inside}, folder, folder.Path() + "/").status, 0);
}

}  // namespace
