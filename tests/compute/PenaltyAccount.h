// Test helper: one account on disk and in a compute object, computed as the
// automation component does (events, penalties, table, options, the payment
// allocations, then MainCompute through the settlement date).
//
// The rate table is written into a fresh temporary folder, which becomes the
// engine folder (QRT_ENGINE_DIR) while the account lives, so the computation
// finds the table by its bare name as it does for every run of the
// allocation. One entry from
// 1 January 1980, Simple method, 365 days a year, 10 % normal, 12 % motivated
// and 8 % refund, so that interest on a constant balance is
// balance x 0.10 x days / 365, rounded to the cent. Its name begins with
// "FED" so GATT handling applies when switched on.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "compute/CQRTCompute.h"
#include "ratetable/InterestRateTable.h"

namespace penaltytest {

// A temporary folder removed with its files at the end of the test.
class ScratchFolder {
public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/qrt_penalty_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made != nullptr) m_path = made;
    }
    ~ScratchFolder()
    {
        if (!m_path.empty()) std::system(("rm -rf '" + m_path + "'").c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

struct TableEntry {
    Date start;
    int method;
    double normal, motivated, refund;
    int dpy;
};

// Writes a table file <folder>/<name>.TB3; returns the name to give
// SetTableName (the path without extension), or "" when it could not be saved.
inline std::string WriteTable(const std::string& folder, const std::string& name,
                              std::initializer_list<TableEntry> entries)
{
    InterestRateTable t;
    int i = 0;
    for (const TableEntry& e : entries) {
        t.SetStartingDate(i, e.start);
        t.SetMethod(i, e.method);
        t.SetNRate(i, e.normal);
        t.SetMRate(i, e.motivated);
        t.SetRRate(i, e.refund);
        t.SetDPY(i, e.dpy);
        ++i;
    }
    t.SetTableEndDate(Date(12, 31, 2040));
    std::string path = folder + "/" + name;
    std::string file = path;
    return t.Save(file) ? path : std::string();
}

struct Options {
    int wholeDollars = 0;
    int gatt = 0;
    double gattThreshold = 1000000;  // $10,000
    int hot = 0, hotRestart = 0;
    Date hot30Day, hotApplicable, hot30Day2, hotApplicable2;
};

class Account {
public:
    Account() : Account({{Date(1, 1, 1980), 1, 10, 12, 8, 365}}) {}
    // An account on a table of the given entries.
    explicit Account(std::initializer_list<TableEntry> table)
    {
        if (!WriteTable(m_folder.path(), "FEDTEST", table).empty()) m_table = "FEDTEST";
        const char* old = std::getenv("QRT_ENGINE_DIR");
        m_hadEngineDir = old != nullptr;
        if (old != nullptr) m_oldEngineDir = old;
        setenv("QRT_ENGINE_DIR", m_folder.path().c_str(), 1);
    }
    ~Account()
    {
        for (CEvent& e : m_events) e.Reset();
        if (m_hadEngineDir)
            setenv("QRT_ENGINE_DIR", m_oldEngineDir.c_str(), 1);
        else
            unsetenv("QRT_ENGINE_DIR");
    }
    Account(const Account&) = delete;
    Account& operator=(const Account&) = delete;

    // Adds an event; a payment may designate `designated` cents to category
    // `category`.
    void Add(int kind, Date date, double cents, int category = -1, double designated = 0)
    {
        CEvent& e = m_events[m_count++];
        e.m_type = static_cast<uint16_t>(kind);
        e.m_date = date;
        e.m_amount = cents;
        if (category >= 0) e.EnsureAllocation()->m_specific[category] = designated;
    }

    // The record of a penalty slot, switched on.
    Penalties& Enable(int slot)
    {
        m_penalties[slot].Enable(1);
        return m_penalties[slot];
    }

    Options& options() { return m_options; }
    const std::string& tableName() const { return m_table; }

    // Computes through `settle`; the result of MainCompute in *ran.
    std::unique_ptr<CQRTCompute> Compute(Date settle, int* ran = nullptr)
    {
        auto c = std::make_unique<CQRTCompute>();
        c->SetEvents(m_events);
        c->SetPenalties(m_penalties);
        c->SetTableName(m_table);
        c->WholeDollarMode(m_options.wholeDollars);
        c->SetTaxDueDate();
        c->GATTOn(m_options.gatt);
        c->GATTAmount(m_options.gattThreshold);
        c->HotInterest(m_options.hot);
        c->HotInterest2(m_options.hotRestart);
        c->Hot30Day(m_options.hot30Day);
        c->Hot30Day2(m_options.hot30Day2);
        c->HotApplicable(m_options.hotApplicable);
        c->HotApplicable2(m_options.hotApplicable2);
        c->ReallocPayments(CQRTCompute::kMaxEvents);
        const int result = c->MainCompute(settle, -1, 0);
        if (ran != nullptr) *ran = result;
        return c;
    }

private:
    ScratchFolder m_folder;
    std::string m_table;
    bool m_hadEngineDir = false;
    std::string m_oldEngineDir;
    CEvent m_events[CQRTCompute::kMaxEvents];
    Penalties m_penalties[CQRTCompute::kPenaltySlots];
    int m_count = 0;
    Options m_options;
};

}  // namespace penaltytest
