// The rate tables that the engine folder holds, read through the engine's own
// table reader: ListRateTables (--tables) prints one line per .TB3 file (name,
// description, first entry, end date); PrintRateTable (--rates NAME) prints a
// table's entries (date, method, normal, motivated and refund rates, days per
// year). EngineFolderText names the folder for messages.
// Tests: through the program (the shipped FEDERAL table, an unknown name).
#pragma once

#include <ostream>
#include <string>

// The engine folder as the engine resolves it ("the current folder" when
// QRT_ENGINE_DIR is unset).
std::string EngineFolderText();

// Returns 0 when listed; 2 with why filled when the folder cannot be read.
int ListRateTables(std::ostream& out, std::string& why);

// Returns 0 when printed; 2 with why filled when no such table can be read.
int PrintRateTable(const std::string& name, std::ostream& out, std::string& why);
