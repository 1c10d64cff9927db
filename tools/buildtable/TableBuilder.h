// TableBuilder: builds rate table files from a batch-edit command file
// (BatchCommandFile.h), each named table starting empty.
//
// ApplyBatchCommand adds one line's entry to a table held in memory.
// BuildTablesFromCommandFile reads the whole file, builds every table it
// names and only then writes them, so a bad line leaves every file as it was.
// Plain functions; the tables they build belong to the calling thread.
// Tests: the shipped FEDERAL table rebuilds byte for byte; a bad line, an
// entry out of date order or a 501st entry writes nothing.
#pragma once

#include <string>
#include <vector>

#include "BatchCommandFile.h"

class InterestRateTable;

// Appends the command's entry after the table's last valid entry and sets
// the end date, description and notes the command carries. Returns 1, or 0
// with *err filled and the table unchanged when the table already holds 500
// entries, the entry starts before the last one, or it repeats an existing
// entry byte for byte.
int ApplyBatchCommand(InterestRateTable* table, const BatchCommand& cmd, BatchLineError* err);

// The file name a table is saved under: the command's table file with its
// extension written ".TB3" (FEDERAL.tb3 and FEDERAL.TB3 are one table).
std::string BatchTableFileName(const std::string& tableFile);

// Builds every table named in the command file and writes each into
// outFolder (the command file's own folder when outFolder is empty),
// replacing any file of that name. Returns 1 with the paths written in
// *written, or 0 with a message in *error; on a failure before writing, no
// file has been changed.
int BuildTablesFromCommandFile(const std::string& commandFile, const std::string& outFolder,
                               std::vector<std::string>* written, std::string* error);
