// The automation object through its interface members: the checks of the
// event and penalty methods, DATE puts, E_PENDING before a computation, Init,
// the report members and what the object says about its component.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "automation/CQRTEngine.h"
#include "tests/automation/EngineObjectTest.h"

namespace {

using enginetest::AddSmallAccount;
using enginetest::Dollars;
using enginetest::EngineFolder;
using enginetest::Ole;

TEST(QRTEngine, AddEventChecksTheKindAndItsAmounts) {
    const DATE day = Ole(4, 15, 2021);
    struct {
        int32_t kind;
        CY amount, gatt;
        HRESULT result;
    } rows[] = {
        {7, 100, 0, E_INVALIDARG},
        {8, 100, 0, E_INVALIDARG},
        {10, 100, 0, E_INVALIDARG},
        {-1, 100, 0, E_INVALIDARG},
        {0, -1, 0, E_INVALIDARG},
        {1, -1, 0, E_INVALIDARG},
        {2, -1, 0, E_INVALIDARG},
        {3, -1, 0, E_INVALIDARG},
        {4, -1, 0, E_INVALIDARG},
        {9, -1, 0, E_INVALIDARG},
        {9, 100, -1, E_INVALIDARG},
        // Stop and start of interest carry no amount check.
        {5, -1, 0, S_OK},
        {6, -1, 0, S_OK},
        {9, 100, 50, S_OK},
    };
    for (const auto& r : rows) {
        CQRTEngine e;
        EXPECT_EQ(e.AddEvent(r.kind, day, r.amount, r.gatt), r.result) << "kind " << r.kind << " amount " << r.amount;
        EXPECT_EQ(e.Inputs().EventCount(), r.result == S_OK ? 1 : 0) << "kind " << r.kind;
    }
    CQRTEngine e;
    EXPECT_EQ(e.AddEvent(0, -1.0, 100, 0), E_INVALIDARG) << "an event needs a date";
    EXPECT_EQ(e.Inputs().EventCount(), 0);
}

TEST(QRTEngine, NamedEventKeepsFortyCharactersAndSwitchesDescriptionsOn) {
    CQRTEngine e;
    const std::string fifty = "Payment with the return, check 1234, first install";
    ASSERT_EQ(fifty.size(), 50u);
    ASSERT_EQ(e.AddNamedEvent(2, Ole(4, 15, 2021), Dollars(10), 0, fifty), S_OK);
    EXPECT_STREQ(e.Inputs().Events()[0].m_userName, fifty.substr(0, 40).c_str());
    int32_t on = 0;
    e.get_UseEventDescriptions(&on);
    EXPECT_EQ(on, 1);
}

TEST(QRTEngine, TheThousandAndFirstEventIsRefused) {
    CQRTEngine e;
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(e.AddNamedEvent(0, Ole(1, 1, 2000) + i, 100, 0, "tax"), S_OK);
    EXPECT_EQ(e.AddNamedEvent(0, Ole(1, 1, 2005), 100, 0, "one too many"), E_INVALIDARG);
    EXPECT_EQ(e.Inputs().EventCount(), 1000);
}

TEST(QRTEngine, Enable6659RefusesOtherPercentsAndReturnsDueFrom1990) {
    struct {
        DATE returnDue;
        double percent;
        HRESULT result;
    } rows[] = {
        {Ole(4, 15, 1988), 25.0, E_INVALIDARG},
        {Ole(1, 1, 1990), 20.0, E_INVALIDARG},
        {Ole(12, 31, 1989), 20.0, S_OK},
    };
    for (const auto& r : rows) {
        CQRTEngine e;
        EXPECT_EQ(e.Enable6659PenaltyAlt1(1, Dollars(1000), r.returnDue, r.percent), r.result) << r.percent;
        EXPECT_EQ(e.Inputs().PenaltySettings().Record(7).Flag(kPenaltyEnabled), r.result == S_OK ? 1 : 0);
    }
}

TEST(QRTEngine, DatePutsTakeNoDateAndRefuseWhatIsNotAnEngineDate) {
    CQRTEngine e;
    DATE d = 0;
    EXPECT_EQ(e.put_LCU30DayLetterDate(Ole(3, 1, 2020)), S_OK);
    EXPECT_EQ(e.put_LCU30DayLetterDate(1.0e9), E_INVALIDARG);
    EXPECT_EQ(e.put_LCU30DayLetterDate(19724.0), E_INVALIDARG);  // 31 December 1953
    e.get_LCU30DayLetterDate(&d);
    EXPECT_EQ(d, Ole(3, 1, 2020)) << "a refused put changes nothing";
    EXPECT_EQ(e.put_LCU30DayLetterDate(-5.0), S_OK);
    e.get_LCU30DayLetterDate(&d);
    EXPECT_LT(d, 0.0) << "a negative DATE stores no date";
}

TEST(QRTEngine, ResultsAndFlagsArePendingUntilACompute) {
    EngineFolder folder;
    CQRTEngine e;
    AddSmallAccount(e);
    CY cy = 0;
    int32_t flag = 0;
    using Get = HRESULT (CQRTEngine::*)(CY*);
    const Get results[] = {&CQRTEngine::get_Taxes,
                           &CQRTEngine::get_Payments,
                           &CQRTEngine::get_Penalties,
                           &CQRTEngine::get_DebitInterest,
                           &CQRTEngine::get_NormalCreditInterest,
                           &CQRTEngine::get_GATTInterest,
                           &CQRTEngine::get_PenaltyInterest,
                           &CQRTEngine::get_Balance};
    for (Get g : results) EXPECT_EQ((e.*g)(&cy), E_PENDING);
    EXPECT_EQ(e.get_ErrorsDetected(&flag), E_PENDING);
    EXPECT_EQ(e.get_Penalties6651a2and3ExceedTax(&flag), E_PENDING);

    ASSERT_EQ(e.Compute(Ole(12, 31, 2021)), S_OK);
    for (Get g : results) EXPECT_EQ((e.*g)(&cy), S_OK);
    // The amounts put in come back: $5,000 of tax, $1,000 paid.
    e.get_Taxes(&cy);
    EXPECT_EQ(cy, Dollars(5000));
    e.get_Payments(&cy);
    EXPECT_EQ(cy, Dollars(1000));
    EXPECT_EQ(e.get_ErrorsDetected(&flag), S_OK);
    EXPECT_EQ(flag, 0);

    EXPECT_EQ(e.Compute(1.0e9), E_INVALIDARG);
    EXPECT_EQ(e.get_Taxes(&cy), S_OK) << "a refused Compute keeps the last results";
    e.Init();
    EXPECT_EQ(e.get_Taxes(&cy), E_PENDING);
    EXPECT_EQ(e.get_TableEndWarning(&flag), E_PENDING);
}

TEST(QRTEngine, InitKeepsTheReportStringsAndResetsEverythingElse) {
    CQRTEngine e;
    const std::string texts[] = {"Header one", "Header two", "Header three", "Footer", "J. Q. Taxpayer", "123-45-6789"};
    e.put_Header1(texts[0]);
    e.put_Header2(texts[1]);
    e.put_Header3(texts[2]);
    e.put_Footer(texts[3]);
    e.put_TaxpayerName(texts[4]);
    e.put_TaxpayerId(texts[5]);
    e.put_Jurisdiction("STATE");
    e.put_IncludeHeader(1);
    e.put_LinesPerPage(40);
    e.put_GattThreshold(0);
    e.AddEvent(0, Ole(4, 15, 2021), Dollars(1), 0);
    ASSERT_EQ(e.Init(), S_OK);

    using GetText = HRESULT (CQRTEngine::*)(std::string*);
    const GetText gets[] = {&CQRTEngine::get_Header1, &CQRTEngine::get_Header2,      &CQRTEngine::get_Header3,
                            &CQRTEngine::get_Footer,  &CQRTEngine::get_TaxpayerName, &CQRTEngine::get_TaxpayerId};
    for (size_t i = 0; i < std::size(gets); ++i) {
        std::string value;
        (e.*gets[i])(&value);
        EXPECT_EQ(value, texts[i]);
    }
    std::string jurisdiction;
    int32_t includeHeader = -1, lines = 0;
    CY threshold = 0;
    e.get_Jurisdiction(&jurisdiction);
    e.get_IncludeHeader(&includeHeader);
    e.get_LinesPerPage(&lines);
    e.get_GattThreshold(&threshold);
    EXPECT_EQ(jurisdiction, "FEDERAL");
    EXPECT_EQ(includeHeader, 0);
    EXPECT_EQ(lines, 60);
    EXPECT_EQ(threshold, Dollars(10000));
    EXPECT_EQ(e.Inputs().EventCount(), 0);
}

TEST(QRTEngine, ReportBeforeAnyComputeComputesAsOfToday) {
    EngineFolder folder;
    CQRTEngine e;
    AddSmallAccount(e);
    std::string report;
    ASSERT_EQ(e.get_Report(&report), S_OK);
    EXPECT_FALSE(report.empty());
    Date today;
    today.Today();
    EXPECT_EQ(e.Run().SettlementDate().serial, today.serial);
    CY taxes = 0;
    EXPECT_EQ(e.get_Taxes(&taxes), S_OK) << "the report's computation is the object's";
}

TEST(QRTEngine, ReportIsBuiltOnceAndItsPagesIndexTheText) {
    EngineFolder folder;
    CQRTEngine e;
    AddSmallAccount(e);
    ASSERT_EQ(e.Compute(Ole(12, 31, 2021)), S_OK);
    std::string first, again;
    int32_t pages = 0, start = -1;
    ASSERT_EQ(e.get_Report(&first), S_OK);
    ASSERT_EQ(e.get_NumPages(&pages), S_OK);
    ASSERT_GE(pages, 1);
    ASSERT_EQ(first.back(), '\n');
    long previous = -1;
    for (int32_t page = 0; page < pages; ++page) {
        ASSERT_EQ(e.get_PageStart(page, &start), S_OK);
        EXPECT_GT(start, previous);
        EXPECT_TRUE(start == 0 || first[static_cast<size_t>(start) - 1] == '\n') << "page " << page;
        previous = start;
    }
    EXPECT_EQ(e.get_PageStart(pages, &start), E_INVALIDARG);
    EXPECT_EQ(e.get_PageStart(-1, &start), E_INVALIDARG);

    // Options set after the report was built do not change it ...
    e.put_IncludeHeader(1);
    e.put_Header1("Prepared for the examiner");
    ASSERT_EQ(e.get_Report(&again), S_OK);
    EXPECT_EQ(again, first);
    // ... the next Compute builds it anew with them.
    ASSERT_EQ(e.Compute(Ole(12, 31, 2021)), S_OK);
    ASSERT_EQ(e.get_Report(&again), S_OK);
    EXPECT_NE(again.find("Prepared for the examiner"), std::string::npos);
}

// 60 payments make an event summary and interest detail of several pages:
// each page start is where that page's general heading begins.
TEST(QRTEngine, LongAccountReportHasPagesWhoseStartsMatchTheText) {
    EngineFolder folder;
    CQRTEngine e;
    e.AddEvent(0, Ole(4, 15, 2015), Dollars(100000), 0);
    for (int month = 1; month <= 60; ++month)
        e.AddEvent(2, Ole((month - 1) % 12 + 1, 10, 2016 + (month - 1) / 12), Dollars(1000), 0);
    ASSERT_EQ(e.Compute(Ole(12, 31, 2021)), S_OK);
    std::string text;
    int32_t pages = 0, start = -1;
    ASSERT_EQ(e.get_Report(&text), S_OK);
    ASSERT_EQ(e.get_NumPages(&pages), S_OK);
    EXPECT_GT(pages, 2);
    for (int32_t page = 0; page < pages; ++page) {
        ASSERT_EQ(e.get_PageStart(page, &start), S_OK);
        const std::string top = text.substr(static_cast<size_t>(start), text.find('\n', start) - start);
        EXPECT_EQ(top.rfind("INTEREST AND PENALTY DETAIL REPORT", 0), 0u) << page << ": " << top;
        EXPECT_NE(top.find("Page " + std::to_string(page + 1)), std::string::npos) << top;
    }
}

TEST(QRTEngine, ReportTextEndsEveryLineOfTheBuffer) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> rows[] = {
        {"", ""},
        {"a\0"s, "a\n"},
        {"a\0 \0b\0"s, "a\n \nb\n"},
        {"a\0b"s, "a\nb\n"},  // a last line without its NUL still ends
    };
    for (const auto& [buffer, text] : rows) EXPECT_EQ(ReportTextOfBuffer(buffer), text);
}

TEST(QRTEngine, ObjectTellsItsVersionBuildTimeAndFolder) {
    CQRTEngine e;
    int32_t version = 0;
    std::string built, folder;
    EXPECT_EQ(e.get_ObjectVersion(&version), S_OK);
    EXPECT_EQ(version, 10400);
    EXPECT_EQ(e.get_ObjectBuildTime(&built), S_OK);
    EXPECT_TRUE(std::regex_match(built, std::regex("(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 0-3][0-9] "
                                                   "[0-9]{4} [0-2][0-9]:[0-5][0-9]:[0-6][0-9]")))
        << built;
    // The object is linked into this test program, so its module is the program.
    EXPECT_EQ(e.get_DefaultDirectory(&folder), S_OK);
    EXPECT_EQ(folder, std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/");
}

TEST(QRTEngine, NullOutPointersAreRefused) {
    CQRTEngine e;
    EXPECT_EQ(e.get_Jurisdiction(nullptr), E_INVALIDARG);
    EXPECT_EQ(e.get_ObjectVersion(nullptr), E_INVALIDARG);
    EXPECT_EQ(e.get_Report(nullptr), E_INVALIDARG);
    EXPECT_EQ(e.get_PageStart(0, nullptr), E_INVALIDARG);
    CY cy = 0;
    EXPECT_EQ(e.get_Balance(&cy), E_PENDING);
}

}  // namespace
