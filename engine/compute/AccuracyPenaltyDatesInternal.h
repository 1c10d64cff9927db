// Input checks of the accuracy-related and fraud penalty records (slots 3, 4,
// 7 to 16) against the account, and the percent tests those slots use.
// CQRTCompute::CheckPenaltyDates hands these slots here. Codes: 0 = no
// finding, else the code of the last finding (some are returned at once).
// Tests: each code of each slot, the percent range edges.
#pragma once

class CQRTCompute;

// The percent test of 6659, 6659A, 6660 and of 6662(e) to (g) for tax due
// before 1990: 1 for a value within 9.9999999-10.001, 19.999-20.001 or
// 29.999-30.001 (closed ranges), else 0.
int IsPercent10to30(double percent);
// The percent test of 6662(e) to (g) for tax due from 1990 on: 1 for a value
// within 19.9999999-20.001 or 39.999-40.001, else 0.
int IsPercent20or40(double percent);

// The check code of slot 3, 4 or 7 to 16; 0 for any other slot. The caller
// has made sure the account's tax due date is valid.
int CheckAccuracyPenaltyDates(CQRTCompute& c, int slot);
