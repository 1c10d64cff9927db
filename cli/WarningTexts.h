// Plain sentences for the warning properties of a computation: what each
// set warning means for the figures and what to check. Indexed like
// CEngineRun::kWarningPropertyNames (interface order).
// Tests: through the program's summary (one row per warning class).
#pragma once

#include <string>

// The sentence for warning property i; "" outside 0 to 23.
const char* WarningSentence(int i);

// The sentence for the result flag of an amount beyond what the engine
// computes exactly; shown under the name "AmountOutOfRange".
const char* AmountOutOfRangeSentence();
