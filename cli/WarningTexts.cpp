#include "WarningTexts.h"

#include "automation/EngineRun.h"

namespace {

const char* const kSentences[CEngineRun::kWarnings] = {
    // TableEndWarning
    "the settlement date is after the rate table's end date, so interest after that date was computed at the "
    "table's last rates; check for a newer table (--tables) or settle on or before its end date",
    // PaymentPenaltyError
    "a payment could not be placed on the penalties it was meant for (more than was assessed for them), so "
    "penalty interest may be overstated; check the payment dates and amounts against the penalties assessed",
    // GattTaxEvent
    "a tax was added after GATT interest had already accrued, so the GATT figures after it cover both; check "
    "whether the tax belongs to this account and period",
    // ExcessDeposits
    "a deposit is larger than what could be allocated from it; the rest stays on the account as a credit; "
    "check the deposit amounts",
    // RefundAndPenalty
    "penalties are owed while the account is in a refund position; check whether they should be set off "
    "against the refund",
    // NonDailyUsed
    "GATT is on and refund interest was computed with a method other than daily compounding, for which the "
    "GATT rates are not meant; check the rate table's methods for the refund period",
    // HotError
    "the 6621(c) 30-day letter or applicable date is before the tax due date, so 6621(c) interest may start "
    "too early; check the 6621(c) dates",
    // MotivatedTaxAfter1990
    "a motivated-tax event is dated on or after 1990-01-01, when the tax-motivated rate no longer applied, "
    "yet it was charged at that rate; check the event's type",
    // MotivatedTaxUnder1000
    "a motivated-tax event before 1990 is $1,000 or less, an amount the tax-motivated rate did not reach, "
    "yet it was charged at that rate; check the event's type",
    // JurisdictionNotFound
    "no rate table was found for the jurisdiction, so nothing was computed; check \"jurisdiction\" "
    "(--tables lists the tables)",
    // NoEvents
    "the account has no events, so nothing was computed; add them to \"events\"",
    // EventBeforeTableStart
    "the first event is dated before the rate table starts, so nothing was computed; check the first "
    "event's date and the jurisdiction",
    // ComputeDateBeforeEvents
    "the settlement date is before the first event, so nothing was computed; check \"settlement_date\"",
    // AccuracyPenalty
    "the amounts subject to the accuracy-related penalties add up to more than the total tax, so those "
    "penalties are overstated; check each cyAmountSubject of the 6662 entries",
    // OverRefundError
    "a tax was added while refund interest was outstanding under a non-compounding method, and that refund "
    "interest was not set against the new tax; check the interest around the tax's date",
    // ComputeBeforeLastEvent
    "the settlement date is before the last event, so the events after it are not counted; check "
    "\"settlement_date\"",
    // HotUnder100K
    "6621(c) interest was charged although the tax is $100,000 or less; check the 6621(c) dates",
    // PenaltyAfterPayment
    "refund interest is owed and a user penalty comes after the payments, so the penalty was not paid from "
    "them; check the user penalty's date",
    // NoHotInterestOver100K
    "the underpayment is over $100,000 after 1990 but 6621(c) interest is off, so the debit interest may be "
    "understated; if a 30-day letter was sent, set \"lcu\" with its dates",
    // GattDoublePayment
    "GATT interest accrued and the account has more than one payment; the GATT threshold is applied across "
    "all of them, so check the GATT interest by hand",
    // GattAndNotDaily
    "GATT is on and refund interest was computed with a method other than daily compounding; the GATT rates "
    "are meant for daily compounding; check the rate table's methods for the refund period",
    // FedPensWithNonFedTable
    "federal penalties are enabled with a rate table that is not federal; check that the penalties belong "
    "to this jurisdiction",
    // Penalty6651a3ExceedsTax
    "the 6651(a)(3) assessments exceed the net tax due on the first notice, so that penalty is computed on "
    "more than was owed; check its cyAmount",
    // Penalties6651a2and3ExceedTax
    "the 6651(a)(2) tax shown and the 6651(a)(3) assessments together exceed the total tax, so the "
    "failure-to-pay penalties may be overstated; check both cyAmount values",
};

}  // namespace

const char* WarningSentence(int i) { return i >= 0 && i < CEngineRun::kWarnings ? kSentences[i] : ""; }

const char kAmountOutOfRangeName[] = "AmountOutOfRange";

const char* AmountOutOfRangeSentence() {
    return "a figure exceeds $90,071,992,547,409.92 (2^53 cents), past which amounts are not exact to the cent, "
           "so the results are not usable; check the amounts and dates for a typing slip";
}
