// qrtcalc --batch: many accounts, one JSON object per line in and out.
// BatchRequested tells main whether the command line asks for batch mode;
// RunBatch then owns the whole run (options, reading, computing on several
// threads, writing in input order, progress on a terminal) and returns the
// exit status.
#pragma once

bool BatchRequested(int argc, char** argv);
int RunBatch(int argc, char** argv);
