// Accuracy and fraud penalties on whole accounts computed through
// ReallocPayments and MainCompute with rate tables written in the test: the
// negligence interest part reduced by a payment (with and without the
// authority's allocation), its assessment and penalty interest, the 6662 base
// limited by fraud, and the accuracy caution flag.
#include "AccountFixture.h"

namespace {

class AccuracyAccount : public AccountFixture {
protected:
    // Simple interest throughout (factor = days x rate / 365), so every
    // figure can be worked out by hand: 10 % normal, 12 % motivated until
    // 2020, 3 % from then on.
    static void WriteSimpleTable()
    {
        WriteTable("FEDSIMPLE", {{Date(1, 1, 1980), 1, 10.0, 12.0, 10.0, 365},
                                 {Date(1, 1, 2020), 1, 3.0, 3.0, 3.0, 365}});
    }
};

TEST_F(AccuracyAccount, NegligenceInterestIsReducedByPaymentsBeyondTheOtherTax)
{
    // Tax 1,000,000 due 15 April 1985; 700,000 paid 15 October 1985 (183
    // days later), all of it to tax. Negligence on 400,000, assessed 15 April
    // 1986 (182 days after the payment), notice 1 May 1986.
    //
    // Interest on the 400,000 at 10 %:
    //   15 Apr - 15 Oct 1985: 400,000 x 0.10 x 183/365 = 20,054.79 -> 20,055
    // With the authority's allocation the payment first pays the 600,000 of
    // tax that is not negligent; only the 100,000 beyond it reduces the
    // amount:
    //   15 Oct 1985 - 15 Apr 1986: 300,000 x 0.10 x 182/365 = 14,958.90 -> 14,959
    //   half of 35,014 = 17,507; with 5 % of 400,000 = 20,000: 37,507.
    // Without it the whole payment reduces the amount to nothing:
    //   half of 20,055 = 10,027.5 -> 10,028; with 20,000: 30,028.
    // The penalty is assessed on 1 May 1986 and earns 10 % to 1 May 1987
    // (365 days, no grace payment): 37,507 -> 3,750.70 -> 3,751;
    // 30,028 -> 3,002.80 -> 3,003.
    struct Row {
        int authorityAllocation;
        double half, real, penaltyInterest;
    };
    const Row rows[] = {{1, 17507, 37507, 3751}, {0, 10028, 30028, 3003}};
    WriteSimpleTable();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.authorityAllocation);
        c = std::make_unique<CQRTCompute>();
        c->SetTableName("FEDSIMPLE");
        SetAccount(*c, {{kEventTax, Date(4, 15, 1985), 1000000}, {kEventPayment, Date(10, 15, 1985), 700000}});
        Penalties* p = c->GetPenalty(kPenalty6653a);
        p->Enable(1);
        p->m_amounts[0] = 400000;
        p->m_amounts[1] = 400000;
        p->m_dates[1] = Date(5, 1, 1986);
        p->m_dates[2] = Date(4, 15, 1986);
        p->SetFlag(kPenaltyFraud, r.authorityAllocation);
        c->SetTaxDueDate();
        ASSERT_EQ(1, Compute(*c, Date(5, 1, 1987)));

        EXPECT_DOUBLE_EQ(700000, c->GetEvent(1)->m_allocation->m_payment[kCategoryTax]);
        EXPECT_DOUBLE_EQ(20000, c->TotalPenalty(kPenalty6653a));
        EXPECT_DOUBLE_EQ(r.half, c->TotalPenalty2(kPenalty6653a));
        EXPECT_DOUBLE_EQ(r.real, c->RealPenalty(kPenalty6653a));
        EXPECT_EQ(Date(5, 1, 1986), c->PenaltyAddedDate(kPenalty6653a));
        EXPECT_DOUBLE_EQ(r.real, c->PenaltyAddedAmt(kPenalty6653a));
        EXPECT_DOUBLE_EQ(r.penaltyInterest, c->InterestPenalty());
        EXPECT_EQ(0, c->AccuracyPenalty());
    }
}

TEST_F(AccuracyAccount, FraudLimitsTheAccuracyBaseAndBothAreAssessedAtTheReturnDueDate)
{
    // Tax 2,000,000 due 15 April 2021. Fraud (6663) on 1,500,000: 75 % =
    // 1,125,000. Negligence (6662(c)) on 1,000,000, limited to the tax less
    // the fraud amount, 500,000: 20 % = 100,000. Substantial understatement
    // (6662(d)) on 1,200,000, limited to 500,000, which is exactly $5,000:
    // no penalty. The accuracy bases (1,000,000 + 1,200,000) exceed the tax:
    // the caution flag. Both penalties, 1,225,000, are assessed on 15 April
    // 2021 and earn 3 % simple interest to 15 April 2022 (365 days): 36,750.
    WriteSimpleTable();
    c->SetTableName("FEDSIMPLE");
    SetAccount(*c, {{kEventTax, Date(4, 15, 2021), 2000000}});
    auto enable = [this](int slot, double amount, double percent) {
        Penalties* p = c->GetPenalty(slot);
        p->Enable(1);
        p->m_amounts[0] = amount;
        p->m_dates[0] = Date(4, 15, 2021);
        p->SetValue(percent);
    };
    enable(kPenalty6663, 1500000, 0);
    enable(kPenalty6662c, 1000000, 0);
    enable(kPenalty6662d, 1200000, 20);
    c->SetTaxDueDate();
    ASSERT_EQ(1, Compute(*c, Date(4, 15, 2022)));

    EXPECT_DOUBLE_EQ(1125000, c->RealPenalty(kPenalty6663));
    EXPECT_DOUBLE_EQ(500000, c->GetBaseAmount(kPenalty6662c));
    EXPECT_DOUBLE_EQ(100000, c->RealPenalty(kPenalty6662c));
    EXPECT_DOUBLE_EQ(500000, c->GetBaseAmount(kPenalty6662d));
    EXPECT_DOUBLE_EQ(0, c->RealPenalty(kPenalty6662d));
    EXPECT_STREQ("R6662DD.DM", c->PenFooter(kPenalty6662d));
    EXPECT_EQ(1, c->AccuracyPenalty());
    EXPECT_EQ(1, c->AccuracyError());
    EXPECT_DOUBLE_EQ(1225000, c->AllPenalties(Date(4, 15, 2022)));
    EXPECT_DOUBLE_EQ(36750, c->InterestPenalty());
    // Tax 2,000,000 at 3 % for 365 days = 60,000; the balance adds the
    // penalties and their interest.
    EXPECT_DOUBLE_EQ(60000, c->InterestNormal());
    EXPECT_DOUBLE_EQ(2000000 + 60000 + 1225000 + 36750, c->BalanceDue());
}

}  // namespace
