// TimeStampedLog: the writer of the engine's log files (the alias log
// "TableAliasLog.txt" and the file update service's "FileUpdateLog.txt").
//
// Every message becomes one line: the local time as "%m/%d/%Y %H:%M:%S "
// followed by the message and "\n". Entries are kept for one year: when the
// first line of the log is stale (its date is not a month/day/year with a
// year from 2000, or midnight of that day one year later has passed), the
// leading stale lines are dropped through a temporary file with prefix "FUS"
// in the log's folder, renamed over the log.
//
// Failures are silent by design (a log cannot report its own failure): a log
// that cannot be opened loses the message; a pruning that fails leaves the
// log as it was and the message is still appended.
// Thread rule: any thread; writers within one process are serialised.
// Tests: line format, pruning of exactly the stale leading lines, the
// one-year boundary, a missing folder.
#pragma once

#include <string>

void WriteTimeStampedLog(const std::string& logPath, const std::string& message);
