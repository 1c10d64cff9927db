// The combined report: event summary, interest detail and penalty detail.
#include "report/CRepGen.h"

int CRepGen::GenerateInterestAndPenaltyReport() {
    return GenerateMainScreenReport(0) + GenerateInterestDetail(0) + GeneratePenaltyDetailReport();
}
