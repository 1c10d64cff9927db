// Plain sentences for the warning properties of a computation: what each
// set warning means for the figures and what to check. Indexed like
// CEngineRun::kWarningPropertyNames (interface order).
// Tests: through the program's summary (one row per warning class).
#pragma once

#include <string>

// The sentence for warning property i; "" outside 0 to 23.
const char* WarningSentence(int i);

// The engine's AmountOutOfRange flag (a figure past 2^53 cents), kept apart
// from the 24 warnings: its name and sentence. It follows the warnings in both
// outputs and makes qrtcalc exit with 1.
extern const char kAmountOutOfRangeName[];
const char* AmountOutOfRangeSentence();
