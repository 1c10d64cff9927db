// Failure-to-pay helpers shared by the 6651(a)(2) and 6651(a)(3)
// computations and by ComputeMaximumPenalty: the monthly rate rule, the
// grace start of an assessment, the payment windows and the month walk that
// builds the F2Fs pieces and assesses them at the notice dates.
//
// Money in cents; rates in quarter-percent units (2 = 0.5 % a month).
// Tests: through Compute6651a1a2 and Compute6651a3 on computed accounts.
#pragma once

#include "calendar/Date.h"

class CQRTCompute;
struct F2Fs;
struct Penalties;

namespace ftp {

// Rate units of the month starting on `monthStart`: 4 (1 %) from the levy
// notice date + 10 days or from the jeopardy notice date on; 1 (0.25 %) for
// a timely filed return under an installment agreement (reduce date before
// the month, reinstate date missing or not before it) in a month starting
// after 31 December 1999; else 2 (0.5 %).
int MonthUnits(const Penalties& rec, Date monthStart, Date levy, Date jeopardy);

// First day of the failure to pay an assessment noticed on `notice`: 10 days
// after it before 1997, else 14 days with the short-grace bit, 21 without.
// No date when `notice` is not valid.
Date AssessmentGraceStart(Date notice, int shortGrace);

// 1 when the payments made up to and including `start` (the last day of an
// assessment's grace period) reach the total liability: nothing is due.
int AssessmentPaidInGrace(CQRTCompute& c, Date start);

// Tax-shown part that payments first go to before they reduce an assessed
// amount: the slot-1 tax shown less the payments made up to its due date or,
// when later, up to the day the assessment's penalty starts (0 when slot 1 is
// off).
double AssessmentPaymentThreshold(CQRTCompute& c);

// Payments applied to tax in month n of a walk that starts on `start`: from
// the day after the month start (first month) or two days after it, to two
// days after the next month start, that day excluded.
double MonthPayments(CQRTCompute& c, Date start, int n);

// One failure-to-pay month walk.
struct Walk {
    int slot = 1;               // 1 tax shown, 2 assessment
    Date start;                 // first month start
    Date through;               // the walk ends when the next month start reaches it
    double balance = 0.0;       // unpaid balance at the start
    int levyIndex = 5;          // record date index of the levy notice
    int jeopardyIndex = 6;      // record date index of the jeopardy notice
    int firstNotice = 1;        // record date indexes of the notices the walk assesses at
    int lastNotice = 4;
    int noticeAddsAmount = 0;   // slot 2: notice k also adds amount k to the balance
    int firstMarker = 0;        // slot 2: a zero first piece marks the grace start
    int noDrops = 0;            // build pieces only, assess nothing
    double threshold = 0.0;     // slot 2: payments reduce the balance only beyond this
    double assessCap = -1.0;    // upper bound on everything assessed (< 0: none)
    int monthsWalked = 0;       // written: months walked
};

// Runs the walk: appends one piece a month to `list` (which the caller has
// freed), at most 25 % in all, and assesses the not yet assessed penalty at
// each notice reached with DropPenalty.
void RunWalk(CQRTCompute& c, Walk& w, F2Fs*& list);

}  // namespace ftp
