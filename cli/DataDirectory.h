// Where qrtcalc finds the shipped data (rate tables such as FEDERAL.TB3, the
// alias list, the report templates) when the user has not set QRT_ENGINE_DIR:
// the source tree's data/ folder when the program runs from its build tree,
// else the installed folder <prefix>/share/duecalc beside <prefix>/bin.
// UseShippedDataUnlessSet points the engine there; qrtcalc calls it before
// its first engine call, so the engine starts up in that folder.
// Tests: the program computes the examples with QRT_ENGINE_DIR unset.
#pragma once

#include <string>

// The folder (ending in "/") that holds the shipped data for the program at
// exePath; empty when none can be found.
std::string ShippedDataDirectory(const std::string& exePath);

// When QRT_ENGINE_DIR is unset or empty: sets it to the shipped data folder.
// Returns the
// folder the engine now uses ("" = the current folder).
std::string UseShippedDataUnlessSet();
