#include "ratetable/IRTU.h"

const char* CompoundMethodName(int code) {
    switch (code) {
    case kOldIrsMethod: return "Old IRS Method";
    case kSimple: return "Simple";
    case kDaily: return "Daily";
    case kMonthlyPlusDays: return "Monthly (+ days)";
    case kSumOfFactors: return "Sum of Factors";
    case kMonthlyWholeMonths: return "Monthly (wh mnths)";
    default: return "";
    }
}
