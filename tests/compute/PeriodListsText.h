// The complete results of a computation as text, for comparison with stored
// output: every normal, motivated and penalty record with all its fields,
// each event's amount, unpaid balance and payment split, the totals, the
// penalty totals, the flags and the cash-flow turns. Doubles are written
// with 17 significant digits, so that a change of the last bit shows.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "compute/CQRTCompute.h"

namespace period_lists {

// Every field of a record; doubles with 17 significant digits, so that any
// change of the last bit shows.
inline void AppendList(std::string& out, const char* title, const ComputeResults* head)
{
    char line[512];
    out += title;
    out += "\n";
    for (const ComputeResults* r = head; r != nullptr; r = r->m_next) {
        std::snprintf(line, sizeof line,
                      "%u %u y%u m%u d%u meth%u kind%u ev%u hot%d p=%.17g i=%.17g r=%.17g f=%.17g "
                      "gp=%.17g gi=%.17g gr=%.17g gf=%.17g paid=%.17g amt=%.17g bal=%.17g "
                      "pwas=%.17g iwas=%.17g\n",
                      r->m_start.serial, r->m_end.serial, r->m_years, r->m_months, r->m_days, r->m_method,
                      r->m_kind, r->m_event, r->m_hot, r->m_principal, r->m_interest, r->m_rate, r->m_factor,
                      r->m_gattPrincipal, r->m_gattInterest, r->m_gattRate, r->m_gattFactor, r->m_paid,
                      r->m_amount, r->m_balance, r->m_gattPrincipalWas, r->m_gattInterestWas);
        out += line;
    }
}

inline std::string Results(CQRTCompute& c)
{
    std::string out;
    char line[512];
    AppendList(out, "normal", c.NormalBase());
    AppendList(out, "motivated", c.MotivatedBase());
    AppendList(out, "penalty", c.PenaltyBase());
    out += "events\n";
    for (int i = 0; i < CQRTCompute::kMaxEvents && c.GetEvent(i)->m_date.isValid(); ++i) {
        const CEvent* e = c.GetEvent(i);
        std::snprintf(line, sizeof line, "%d k%u %u a=%.17g balof=%.17g:", i, e->m_type, e->m_date.serial,
                      e->m_amount, e->m_balof);
        out += line;
        if (e->m_allocation != nullptr) {
            for (int k = 0; k < 50; ++k) {
                if (e->m_allocation->m_payment[k] == 0.0) continue;
                std::snprintf(line, sizeof line, " %d=%.17g", k, e->m_allocation->m_payment[k]);
                out += line;
            }
        }
        out += "\n";
    }
    std::snprintf(line, sizeof line, "totals n=%.17g m=%.17g r=%.17g p=%.17g g=%.17g due=%.17g\n",
                  c.InterestNormal(), c.InterestMotivated(), c.InterestRefund(), c.InterestPenalty(),
                  c.InterestGATT(), c.BalanceDue());
    out += line;
    out += "penalties";
    for (int s = 0; s < CQRTCompute::kPenaltySlots; ++s) {
        std::snprintf(line, sizeof line, " %d:%.17g/%.17g", s, c.TotalPenalty(s), c.TotalPenalty2(s));
        out += line;
    }
    out += "\nflags ";
    for (int f = 0; f < CQRTCompute::kFlagCount; ++f) out += std::to_string(c.Flag(f));
    out += "\ncashflow";
    for (const CashFlow* n = c.GetCashFlow(); n != nullptr; n = n->m_next)
        out += " " + std::to_string(n->m_date.serial) + ":" + std::to_string(n->m_direction);
    out += "\n";
    return out;
}

// Compares text with the stored file line by line, so that a failure names
// the first line that moved and the account ("== name") it belongs to.
inline void ExpectStored(const std::string& actual, const std::string& storedPath)
{
    std::ifstream in(storedPath);
    ASSERT_TRUE(in.good()) << storedPath;
    std::stringstream expected;
    expected << in.rdbuf();
    std::istringstream want(expected.str());
    std::istringstream got(actual);
    std::string w, g, section;
    int line = 0;
    while (true) {
        const bool moreWant = static_cast<bool>(std::getline(want, w));
        const bool moreGot = static_cast<bool>(std::getline(got, g));
        ++line;
        if (!moreWant && !moreGot) break;
        if (moreGot && g.rfind("== ", 0) == 0) section = g;
        ASSERT_EQ(moreWant, moreGot) << "the lists differ in length at line " << line << " (" << section << ")";
        ASSERT_EQ(w, g) << "line " << line << " (" << section << ")";
    }
}

} // namespace period_lists
