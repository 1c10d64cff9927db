// The interface description (IQRTEngine.xml, as generated into
// IQRTEngineDescription.h) against the interface's own member table, written
// out here by hand: every member's DISPID, name, kind and parameters in
// vtable order, and the identifiers. A member renamed, renumbered, reordered
// or given another parameter in the description fails here, before any
// front end generated from it drifts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/IQRTEngineDescription.h"

namespace {

struct Expected {
    int32_t dispId;
    std::string name;
    MemberKind kind;
    std::string params;  // "TYPE name, ..." for in-parameters, then "retval TYPE"
};

std::vector<Expected> g_table;

void Method(int32_t id, const std::string& name, const std::string& params) {
    g_table.push_back({id, name, MemberKind::Method, params});
}
// A property with get and put: two members of one DISPID, the get first;
// the put's one parameter is unnamed.
void ReadWrite(int32_t id, const std::string& name, const std::string& type) {
    g_table.push_back({id, name, MemberKind::Get, "retval " + type});
    g_table.push_back({id, name, MemberKind::Put, type + " "});
}
void ReadOnly(int32_t id, const std::string& name, const std::string& type) {
    g_table.push_back({id, name, MemberKind::Get, "retval " + type});
}

std::string NoticeGroups() {
    std::string text;
    for (const char* n : {"1st", "2nd", "3rd", "4th"})
        text += std::string(", DATE d") + n + "Notice, I4 b" + n + "IsFirstNoticeOfLevy, I4 b" + n +
                "IsFirstJeopardy, I4 i" + n + "GracePeriod";
    return text;
}

// The member table of IQRTEngine, row by row.
const std::vector<Expected>& InterfaceTable() {
    if (!g_table.empty()) return g_table;
    const std::string event = "QRTEventType eType, DATE dDate, CY cyAmount, CY cyGattAmount";
    const std::string a1 = "I4 bEnable, CY cyAmount, DATE dReturnDue";
    const std::string reduce = ", DATE dReducePenaltyAfter, DATE dReinstatePenaltyAfter, I4 bTimelyFiled";
    const std::string subject = "I4 bEnable, CY cyAmountSubject";
    Method(1, "Init", "");
    Method(2, "AddEvent", event);
    Method(78, "AddNamedEvent", event + ", BSTR bsEventName");
    Method(3, "Enable6651A1PenaltyAlt1", a1 + ", DATE dNotice, DATE dReceivedByIRS, I4 bUse100Minimum");
    Method(4, "Enable6651A1PenaltyAlt2", a1 + ", DATE dReceivedByIRS, I4 bUse100Minimum");
    Method(5, "Enable6651A1PenaltyAlt3", a1 + ", DATE dReceivedByIRS, I4 bUse100Minimum, I4 bFraud");
    Method(6, "Enable6651A2PenaltyAlt1", "I4 bEnable, CY cyAmount, DATE dTaxDue");
    Method(7, "Enable6651A2PenaltyAlt2", "I4 bEnable, CY cyAmount, DATE dTaxDue" + NoticeGroups() + reduce);
    Method(8, "Enable6651A3PenaltyAlt1", "I4 bEnable, CY cyAmount, DATE d1stNotice");
    Method(9, "Enable6651A3PenaltyAlt2", "I4 bEnable, CY cyAmount" + NoticeGroups() + reduce);
    Method(10, "Enable6653APenaltyAlt1", subject + ", DATE dTaxDue, DATE dNotice");
    Method(11, "Enable6653APenaltyAlt2",
           subject +
               ", CY cyAmountDueToNeg, CY cyMotivated, DATE dNotice, "
               "DATE dAssessment, I4 bUseIRSPmtAlloc");
    Method(12, "Enable6653APenaltyAlt3", subject + ", DATE dReturnDue");
    Method(13, "Enable6653BPenaltyAlt1", subject + ", DATE dTaxDue, DATE dNotice");
    Method(14, "Enable6653BPenaltyAlt2",
           subject +
               ", CY cyAmountDueToFraud, CY cyMotivated, DATE dTaxDue, "
               "DATE dNotice, DATE dAssessment");
    Method(15, "Enable6653BPenaltyAlt3", subject + ", DATE dTaxDue, DATE dReturnDue");
    Method(16, "Enable6659PenaltyAlt1", subject + ", DATE dReturnDue, R8 dPercent");
    Method(17, "Enable6659PenaltyAlt2", subject + ", DATE dReturnDue, DATE dNotice, R8 dPercent");
    Method(18, "Enable6659APenalty", subject + ", DATE dNotice, R8 dPercent");
    Method(19, "Enable6660PenaltyAlt1", subject + ", DATE dReturnDue, R8 dPercent");
    Method(20, "Enable6660PenaltyAlt2", subject + ", DATE dReturnDue, DATE dNotice, R8 dPercent");
    Method(21, "Enable6661PenaltyAlt1", subject + ", DATE dReturnDue, DATE dAssessment");
    Method(22, "Enable6661PenaltyAlt2", subject + ", DATE dReturnDue");
    Method(23, "Enable6662CPenalty", subject + ", DATE dReturnDue");
    Method(24, "Enable6662DPenalty", subject + ", DATE dReturnDue");
    Method(25, "Enable6662EPenalty", subject + ", DATE dReturnDue, R8 dPercent");
    Method(26, "Enable6662FPenalty", subject + ", DATE dReturnDue, R8 dPercent");
    Method(27, "Enable6662GPenalty", subject + ", DATE dReturnDue, R8 dPercent");
    Method(28, "Enable6663Penalty", subject + ", DATE dReturnDue");
    Method(29, "Compute", "DATE dSettledate");
    Method(95, "WriteReport", "BSTR bsFileName, I4 bAppend");
    ReadWrite(30, "WholeDollarModeEnabled", "I4");
    ReadWrite(31, "Jurisdiction", "BSTR");
    ReadWrite(32, "GattEnabled", "I4");
    ReadWrite(33, "GattThreshold", "CY");
    ReadWrite(34, "LCUEnabled", "I4");
    ReadWrite(35, "LCU30DayLetterDate", "DATE");
    ReadWrite(36, "LCUApplicableDate", "DATE");
    ReadWrite(37, "LCURestartEnabled", "I4");
    ReadWrite(38, "LCURestart30DayLetterDate", "DATE");
    ReadWrite(39, "LCURestartApplicableDate", "DATE");
    ReadWrite(79, "UseEventDescriptions", "I4");
    ReadWrite(80, "IncludeHeader", "I4");
    ReadWrite(81, "Header1", "BSTR");
    ReadWrite(82, "Header2", "BSTR");
    ReadWrite(83, "Header3", "BSTR");
    ReadWrite(84, "IncludeFooter", "I4");
    ReadWrite(85, "Footer", "BSTR");
    ReadWrite(86, "TaxpayerName", "BSTR");
    ReadWrite(87, "TaxpayerId", "BSTR");
    ReadWrite(88, "IncludeDate", "I4");
    ReadWrite(89, "IncludeTime", "I4");
    ReadWrite(90, "LinesPerPage", "I4");
    ReadWrite(91, "Printing", "I4");
    ReadOnly(40, "ObjectVersion", "I4");
    ReadOnly(41, "ObjectBuildTime", "BSTR");
    ReadOnly(43, "DefaultDirectory", "BSTR");
    int32_t id = 44;
    for (const char* n : {"Taxes", "Payments", "Penalties", "DebitInterest", "NormalCreditInterest", "GATTInterest",
                          "PenaltyInterest", "Balance"})
        ReadOnly(id++, n, "CY");
    ReadOnly(52, "ErrorsDetected", "I4");
    id = 54;
    for (const char* n : {"TableEndWarning",
                          "PaymentPenaltyError",
                          "GattTaxEvent",
                          "ExcessDeposits",
                          "RefundAndPenalty",
                          "NonDailyUsed",
                          "HotError",
                          "MotivatedTaxAfter1990",
                          "MotivatedTaxUnder1000",
                          "JurisdictionNotFound",
                          "NoEvents",
                          "EventBeforeTableStart",
                          "ComputeDateBeforeEvents",
                          "AccuracyPenalty",
                          "OverRefundError",
                          "ComputeBeforeLastEvent",
                          "HotUnder100K",
                          "PenaltyAfterPayment",
                          "NoHotInterestOver100K",
                          "GattDoublePayment",
                          "GattAndNotDaily",
                          "FedPensWithNonFedTable",
                          "Penalty6651a3ExceedsTax",
                          "Penalties6651a2and3ExceedTax"})
        ReadOnly(id++, n, "I4");
    EXPECT_EQ(id, 78);
    ReadOnly(92, "Report", "BSTR");
    ReadOnly(93, "NumPages", "I4");
    g_table.push_back({94, "PageStart", MemberKind::Get, "I4 iPageNum, retval I4"});
    return g_table;
}

// A described member's parameters in the table's notation.
std::string DescribedParams(const InterfaceMember& m) {
    std::string text;
    for (int i = 0; i < m.paramCount; ++i) {
        const InterfaceParam& p = kInterfaceParams[m.firstParam + i];
        if (!text.empty()) text += ", ";
        text += p.direction == ParamDirection::Retval ? std::string("retval ") + p.type
                                                      : std::string(p.type) + " " + p.name;
    }
    return text;
}

const char* KindName(MemberKind k) { return k == MemberKind::Method ? "method" : k == MemberKind::Get ? "get" : "put"; }

TEST(InterfaceDescription, EveryMemberMatchesTheInterfaceTableInVtableOrder) {
    const auto& table = InterfaceTable();
    ASSERT_EQ(kInterfaceMemberCount, static_cast<int>(table.size()));
    for (size_t i = 0; i < table.size(); ++i) {
        const InterfaceMember& m = kInterfaceMembers[i];
        const Expected& e = table[i];
        SCOPED_TRACE("member " + std::to_string(i) + " (" + e.name + ")");
        EXPECT_EQ(m.name, e.name);
        EXPECT_EQ(m.dispId, e.dispId);
        EXPECT_STREQ(KindName(m.kind), KindName(e.kind));
        EXPECT_EQ(DescribedParams(m), e.params);
        EXPECT_GT(std::string(m.helpString).size(), 10u) << "every member explains itself";
    }
    int params = 0;
    for (int i = 0; i < kInterfaceMemberCount; ++i) params += kInterfaceMembers[i].paramCount;
    EXPECT_EQ(params, kInterfaceParamCount);
}

TEST(InterfaceDescription, IdentifiersAndEnumerationAreThoseOfTheTypeLibrary) {
    const InterfaceIdentifiers& ids = kInterfaceIdentifiers;
    const std::vector<std::pair<std::string, std::string>> rows = {
        {ids.libraryName, "QRTCOMLib"},
        {ids.libraryId, "{F2A24516-C1A3-49CA-AECE-FB7EEE8B6BE8}"},
        {ids.libraryVersion, "1.0"},
        {std::to_string(ids.libraryLcid), "1033"},
        {ids.libraryHelpString, "QRTCom 1.0 Type Library"},
        {ids.serverLibraryName, "QRTCOMSERVERLib"},
        {ids.serverLibraryHelpString, "QRTComServer 1.0 Type Library"},
        {ids.coclassName, "QRTEngine"},
        {ids.coclassId, "{47EF5C1C-DE75-428C-9DFC-9EBE3117D1EE}"},
        {ids.coclassHelpString, "QRTEngine Class"},
        {ids.progId, "QRTCom.QRTEngine.1"},
        {ids.versionIndependentProgId, "QRTCom.QRTEngine"},
        {ids.threadingModel, "Apartment"},
        {ids.appId, "{1AE03D43-7E28-4B9A-8F9C-3B662C433A01}"},
        {ids.appIdName, "QRTComServer"},
        {ids.interfaceName, "IQRTEngine"},
        {ids.interfaceId, "{1BF575F2-F653-4136-BEDF-7F71731A4BA5}"},
        {ids.interfaceHelpString, "IQRTEngine Interface"},
        {ids.dbusInterfaceName, "com.veltrin.IQRTEngine"},
        {ids.enumName, "QRTEventType"},
        {ids.enumId, "{E7175FE6-075E-41C6-AEB4-B664F19BAA8F}"},
    };
    for (const auto& [described, expected] : rows) EXPECT_EQ(described, expected);

    const std::vector<std::pair<std::string, int32_t>> values = {
        {"QRTEventTypeTax", 0},           {"QRTEventTypeMotivatedTax", 1}, {"QRTEventTypePayment", 2},
        {"QRTEventTypeDeposit", 3},       {"QRTEventTypeUserPenalty", 4},  {"QRTEventTypeStopInterest", 5},
        {"QRTEventTypeStartInterest", 6}, {"QRTEventTypeIRSCheck", 9},
    };
    ASSERT_EQ(kInterfaceEnumValueCount, static_cast<int>(values.size()));
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(kInterfaceEnumValues[i].name, values[i].first);
        EXPECT_EQ(kInterfaceEnumValues[i].value, values[i].second);
    }
}

}  // namespace
