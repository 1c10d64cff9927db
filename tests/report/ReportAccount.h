// A computed account for the report tests and the template fuzzer: the
// shipped FEDERAL table (QRT_ENGINE_DIR points at the source data folder, so
// the shipped templates are found there too), a 2019 return filed late and
// paid in two parts, with failure to file, failure to pay and a 6662(c)
// penalty. Money in cents.
#pragma once

#include <cstdlib>
#include <memory>

#include "compute/CQRTCompute.h"

namespace reporttest {

inline void UseShippedData() { setenv("QRT_ENGINE_DIR", QRT_DATA_DIR "/", 1); }

// Tax of $10,000 due 15 April 2020, the return received 1 July 2020,
// payments of $4,000 on 1 October 2020 and $6,000 on 1 June 2021; failure to
// file and to pay on the $10,000, 6662(c) on $4,000; computed through
// 31 December 2021.
inline std::unique_ptr<CQRTCompute> ComputedAccount()
{
    UseShippedData();
    auto c = std::make_unique<CQRTCompute>();
    struct Row { int kind; Date date; double cents; };
    const Row rows[] = {{kEventTax, Date(4, 15, 2020), 1000000.0},
                        {kEventPayment, Date(10, 1, 2020), 400000.0},
                        {kEventPayment, Date(6, 1, 2021), 600000.0}};
    int i = 0;
    for (const Row& r : rows) {
        CEvent* e = c->GetEvent(i++);
        e->m_type = static_cast<uint16_t>(r.kind);
        e->m_date = r.date;
        e->m_amount = r.cents;
        e->m_gattAmount = r.cents;
    }
    Penalties* file = c->GetPenalty(23);
    file->Enable(1);
    file->m_dates[0] = Date(4, 15, 2020);
    file->m_dates[2] = Date(7, 1, 2020);
    file->m_amounts[0] = 1000000.0;
    Penalties* pay = c->GetPenalty(1);
    pay->Enable(1);
    pay->m_dates[0] = Date(4, 15, 2020);
    pay->m_dates[1] = Date(8, 10, 2020);
    pay->m_amounts[0] = 1000000.0;
    Penalties* negligence = c->GetPenalty(11);
    negligence->Enable(1);
    negligence->m_dates[0] = Date(4, 15, 2020);
    negligence->m_amounts[0] = 400000.0;
    c->SetTableName("FEDERAL");
    c->SetTaxDueDate();
    c->ReallocPayments(1000);
    c->MainCompute(Date(12, 31, 2021), -1, 0);
    return c;
}

}  // namespace reporttest
