// The dispatch half on a CQRTEngine: member choice by DISPID and kind, the
// argument tags each parameter type accepts, and the checks made before a
// member is called.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "automation/CQRTEngine.h"
#include "automation/IQRTEngineDescription.h"
#include "automation/inproc/DispatchTable.h"

namespace {

QRTVariant V(int32_t vt, double number = 0, const char* text = nullptr) {
    QRTVariant v{};
    v.vt = vt;
    if (vt == QRT_VT_I4) v.lVal = static_cast<int32_t>(number);
    if (vt == QRT_VT_R8) v.dblVal = number;
    if (vt == QRT_VT_CY) v.cyVal = static_cast<int64_t>(number);
    if (vt == QRT_VT_DATE) v.date = number;
    if (vt == QRT_VT_BSTR) v.bstrVal = const_cast<char*>(text);
    return v;
}

constexpr int32_t kGet = QRT_DISPATCH_PROPERTYGET, kPut = QRT_DISPATCH_PROPERTYPUT, kMethod = QRT_DISPATCH_METHOD;

TEST(Dispatch, EveryDescribedMemberIsReachedByItsDispIdAndKind) {
    for (int i = 0; i < kInterfaceMemberCount; ++i) {
        const InterfaceMember& m = kInterfaceMembers[i];
        const int32_t flags = m.kind == MemberKind::Put ? kPut : m.kind == MemberKind::Get ? kGet : kMethod;
        EXPECT_EQ(FindDispatchMember(m.dispId, flags), i) << m.name;
        int32_t dispId = 0;
        ASSERT_TRUE(FindDispId(m.name, dispId));
        EXPECT_EQ(dispId, m.dispId);
    }
    int32_t dispId = 0;
    EXPECT_TRUE(FindDispId("balance", dispId) && dispId == 51);
    EXPECT_FALSE(FindDispId("Balanc", dispId));
    EXPECT_FALSE(FindDispId(nullptr, dispId));
}

struct Row {
    const char* what;
    int32_t dispId;
    int32_t flags;
    std::vector<QRTVariant> args;
    HRESULT hr;
    int32_t argErr;  // -1: not set
};

TEST(Dispatch, RefusesWhatItCannotCallAndCallsNothingThen) {
    const std::vector<Row> rows = {
        {"put of a read-only property", 51, kPut, {V(QRT_VT_CY, 1)}, QRT_DISP_E_MEMBERNOTFOUND, -1},
        {"a method asked as a get", 1, kGet, {}, QRT_DISP_E_MEMBERNOTFOUND, -1},
        {"no such DISPID", 999, kMethod, {}, QRT_DISP_E_MEMBERNOTFOUND, -1},
        {"too few arguments", 29, kMethod, {}, QRT_DISP_E_BADPARAMCOUNT, -1},
        {"too many arguments", 1, kMethod, {V(QRT_VT_I4)}, QRT_DISP_E_BADPARAMCOUNT, -1},
        {"R8 for an I4", 90, kPut, {V(QRT_VT_R8, 60)}, QRT_DISP_E_TYPEMISMATCH, 0},
        {"BSTR for a DATE", 2, kMethod, {V(QRT_VT_I4, 0), V(QRT_VT_BSTR, 0, "2021-04-15"), V(QRT_VT_CY), V(QRT_VT_CY)},
         QRT_DISP_E_TYPEMISMATCH, 1},
        {"R8 for a CY", 2, kMethod, {V(QRT_VT_I4, 0), V(QRT_VT_DATE, 44301), V(QRT_VT_R8, 1), V(QRT_VT_CY)},
         QRT_DISP_E_TYPEMISMATCH, 2},
        {"EMPTY for a BSTR", 31, kPut, {V(QRT_VT_EMPTY)}, QRT_DISP_E_TYPEMISMATCH, 0},
        {"the object's own refusal", 2, kMethod, {V(QRT_VT_I4, 7), V(QRT_VT_DATE, 44301), V(QRT_VT_CY), V(QRT_VT_CY)},
         E_INVALIDARG, -1},
    };
    for (const Row& row : rows) {
        CQRTEngine engine;
        QRTVariant result = V(QRT_VT_I4, 5);
        int32_t argErr = -1;
        EXPECT_EQ(InvokeMember(engine, row.dispId, row.flags, row.args.data(), static_cast<int32_t>(row.args.size()),
                               &result, &argErr),
                  row.hr)
            << row.what;
        EXPECT_EQ(argErr, row.argErr) << row.what;
        EXPECT_EQ(result.vt, QRT_VT_EMPTY) << row.what;
        int32_t linesPerPage = 0;
        engine.get_LinesPerPage(&linesPerPage);
        EXPECT_EQ(linesPerPage, 60) << row.what;
    }
}

TEST(Dispatch, WidensArgumentsAsDescribedAndReturnsTheRetval) {
    CQRTEngine engine;
    QRTVariant result{};
    const QRTVariant fiveDollars = V(QRT_VT_I4, 5), noDate = V(QRT_VT_EMPTY), name = V(QRT_VT_BSTR, 0, "STATE");
    ASSERT_EQ(InvokeMember(engine, 33, kPut, &fiveDollars, 1, nullptr, nullptr), S_OK);
    ASSERT_EQ(InvokeMember(engine, 33, kGet | kMethod, nullptr, 0, &result, nullptr), S_OK);
    EXPECT_TRUE(result.vt == QRT_VT_CY && result.cyVal == 50000);  // I4 dollars as CY
    ASSERT_EQ(InvokeMember(engine, 36, kPut, &noDate, 1, nullptr, nullptr), S_OK);
    ASSERT_EQ(InvokeMember(engine, 36, kGet, nullptr, 0, &result, nullptr), S_OK);
    EXPECT_TRUE(result.vt == QRT_VT_DATE && result.date < 0);  // EMPTY as no date
    ASSERT_EQ(InvokeMember(engine, 31, kPut, &name, 1, nullptr, nullptr), S_OK);
    ASSERT_EQ(InvokeMember(engine, 31, kMethod, nullptr, 0, &result, nullptr), S_OK);  // a get called as a method
    ASSERT_EQ(result.vt, QRT_VT_BSTR);
    EXPECT_STREQ(result.bstrVal, "STATE");
    std::free(result.bstrVal);
    // dPercent (R8) as CY 20.0000; return due before 1990, as 6659 needs.
    const QRTVariant penalty[] = {V(QRT_VT_I4, 1), V(QRT_VT_CY, 1000000), V(QRT_VT_DATE, 31517), V(QRT_VT_CY, 200000)};
    EXPECT_EQ(InvokeMember(engine, 16, kMethod, penalty, 4, &result, nullptr), S_OK);
    EXPECT_EQ(result.vt, QRT_VT_EMPTY);
}

}  // namespace
