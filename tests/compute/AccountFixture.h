// AccountFixture: a scratch folder made the current folder for one test, rate
// table files written there byte by byte in the .TB3 layout (so the tables do
// not depend on the table writer under test elsewhere), and a compute object
// filled with events. Money in cents.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "compute/CQRTCompute.h"

struct TableRow {
    Date start;
    int method;   // 1 Simple, 2 Daily, ...
    double normal, motivated, refund;
    int dpy;
};

struct EventRow {
    int kind;
    Date date;
    double amount;
};

class AccountFixture : public ::testing::Test {
public:
    void SetUp() override
    {
        char templ[] = "/tmp/qrt-account-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        m_folder = templ;
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_folder);
        c = std::make_unique<CQRTCompute>();
    }

    void TearDown() override
    {
        c.reset();
        std::filesystem::current_path(m_previous);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    // Writes name.TB3 into the scratch folder: the 136-byte header (type 3,
    // version 4, "SAck") and one 30-byte little-endian record per row.
    static void WriteTable(const std::string& name, const std::vector<TableRow>& rows,
                           Date end = Date(12, 31, 2040))
    {
        std::vector<unsigned char> bytes(136, 0);
        bytes[0] = 3;
        bytes[1] = 4;
        const uint16_t count = static_cast<uint16_t>(rows.size());
        std::memcpy(&bytes[2], &count, 2);
        std::memcpy(&bytes[24], &end.serial, 2);
        std::memcpy(&bytes[26], "SAck", 4);
        bytes[30] = 1;
        std::snprintf(reinterpret_cast<char*>(&bytes[38]), 94, "Test table %s", name.c_str());
        bytes[134] = 1;
        for (const TableRow& row : rows) {
            unsigned char rec[30];
            const uint16_t method = static_cast<uint16_t>(row.method);
            const uint16_t dpy = static_cast<uint16_t>(row.dpy);
            std::memcpy(rec, &row.start.serial, 2);
            std::memcpy(rec + 2, &method, 2);
            std::memcpy(rec + 4, &row.normal, 8);
            std::memcpy(rec + 12, &row.motivated, 8);
            std::memcpy(rec + 20, &row.refund, 8);
            std::memcpy(rec + 28, &dpy, 2);
            bytes.insert(bytes.end(), rec, rec + 30);
        }
        FILE* f = std::fopen((name + ".TB3").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        std::fclose(f);
    }

    // Fills the events from slot 0 in the order given (not sorted).
    static void SetAccount(CQRTCompute& target, std::initializer_list<EventRow> rows)
    {
        int i = 0;
        for (const EventRow& row : rows) {
            CEvent* e = target.GetEvent(i++);
            e->m_type = static_cast<uint16_t>(row.kind);
            e->m_date = row.date;
            e->m_amount = row.amount;
        }
    }

    // The automation component's order: allocate every payment, then compute
    // through the settlement date.
    static int Compute(CQRTCompute& target, Date through, int monthly = 0)
    {
        target.ReallocPayments(1000);
        return target.MainCompute(through, -1, monthly);
    }

    static std::vector<const ComputeResults*> Records(const ComputeResults* head)
    {
        std::vector<const ComputeResults*> out;
        for (const ComputeResults* r = head; r != nullptr; r = r->m_next) out.push_back(r);
        return out;
    }

    // A table of three periods, 2020-2021, for hand-derived figures:
    //   1 Jan 2020  Simple  normal 5 %  motivated 7 %  refund 4 %  366 days
    //   1 Jul 2020  Daily   normal 6 %  motivated 8 %  refund 5 %  366 days
    //   1 Jan 2021  Daily   normal 6 %  motivated 8 %  refund 5 %  365 days
    static void WriteHandTable(const std::string& name)
    {
        WriteTable(name, {{Date(1, 1, 2020), 1, 5.0, 7.0, 4.0, 366},
                          {Date(7, 1, 2020), 2, 6.0, 8.0, 5.0, 366},
                          {Date(1, 1, 2021), 2, 6.0, 8.0, 5.0, 365}});
    }

    std::unique_ptr<CQRTCompute> c;

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_previous;
};

// Everything a caller can read after a computation, as text.
inline std::string Snapshot(CQRTCompute& account)
{
    std::string out;
    char line[256];
    for (const ComputeResults* head : {account.NormalBase(), account.MotivatedBase(), account.PenaltyBase()}) {
        for (const ComputeResults* r = head; r != nullptr; r = r->m_next) {
            std::snprintf(line, sizeof line, "%d %d %d %d %d %.6f %.6f %.6f %.9f %.6f %.6f\n", r->m_start.serial,
                          r->m_end.serial, r->m_kind, r->m_event, r->m_hot, r->m_principal, r->m_interest, r->m_rate,
                          r->m_factor, r->m_balance, r->m_gattInterest);
            out += line;
        }
        out += "--\n";
    }
    for (int i = 0; i < 1000 && account.GetEvent(i)->m_date.isValid(); ++i) {
        const CEvent* e = account.GetEvent(i);
        std::snprintf(line, sizeof line, "event %d %d %.2f %.2f:", e->m_type, e->m_date.serial, e->m_amount,
                      e->m_balof);
        out += line;
        if (e->m_allocation != nullptr)
            for (int k = 0; k < 50; ++k)
                if (e->m_allocation->m_payment[k] != 0.0) {
                    std::snprintf(line, sizeof line, " %d=%.2f", k, e->m_allocation->m_payment[k]);
                    out += line;
                }
        out += "\n";
    }
    std::snprintf(line, sizeof line, "%.4f %.4f %.4f %.4f %.4f %.4f\n", account.InterestNormal(),
                  account.InterestMotivated(), account.InterestRefund(), account.InterestPenalty(),
                  account.InterestGATT(), account.BalanceDue());
    out += line;
    for (int f = 0; f < 24; ++f) out += std::to_string(account.Flag(f));
    for (const CashFlow* n = account.GetCashFlow(); n != nullptr; n = n->m_next)
        out += " cf" + std::to_string(n->m_date.serial) + ":" + std::to_string(n->m_direction);
    return out;
}
