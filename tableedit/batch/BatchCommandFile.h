// BatchCommandFile: reads the batch-edit command file of the rate table
// editor, a CSV text in which every line adds one entry to one table file.
//
// BatchCommand: one parsed line (the new entry and the table-wide fields it
// sets). BatchLineError: why a line was refused (check message, offending
// field text, 1-based line number counting the heading, whole line).
// Line format, after the heading line:
//   table file (*.TB3), table end date (optional), rate start date, compute
//   method, normal, motivated and refund rates (percent), days per year
//   (365, 366, 365.25), description (optional), notes (optional, \n = line
//   break).
// Empty lines, lines made only of commas and lines starting "***" are
// skipped. Nothing here touches a table: the batch edit (BatchEdit.h)
// applies the commands.
// Plain functions and values; any thread may use its own.
// Tests: every check message with its field and line, quoting rules, skipped
// lines, method keywords, CRLF input, malformed numbers.
#pragma once

#include <string>
#include <vector>

#include "calendar/Date.h"

struct BatchCommand {
    int m_line = 0;              // line number in the file (heading = 1)
    std::string m_text;          // the whole line, for messages
    std::string m_tableFile;     // field 1, e.g. "FEDERAL.TB3"
    Date m_endDate;              // field 2; no date when the field is empty
    Date m_start;                // field 3
    int m_method = 0;            // field 4 as a CompoundMethod code
    double m_normalRate = 0.0;   // field 5, percent per year
    double m_motivatedRate = 0.0;// field 6
    double m_refundRate = 0.0;   // field 7
    int m_dpy = 0;               // field 8 as a code: 365, 366 or 100
    std::string m_description;   // field 9; empty = leave the table's as is
    std::string m_notes;         // field 10 with \n made CR LF; empty = leave
};

struct BatchLineError {
    std::string m_check;  // "Invalid rate start date", ...
    std::string m_field;  // text of the field that failed
    int m_line = 0;       // 0 when the error is not about one line
    std::string m_text;   // the whole line

    // "<check>: <field> in Line <n>\n\n<line>", or the check alone when the
    // error concerns no line (the file could not be read).
    std::string Message() const;
};

// The command file's fields in order, and how many a line may hold.
constexpr int kBatchFieldCount = 10;
// Longest description and notes a table holds.
constexpr int kMaxDescriptionLength = 93;
constexpr int kMaxNotesLength = 65535;

// One line of the command file as read: its number (heading = 1) and text.
struct BatchLine {
    int m_line = 0;
    std::string m_text;
};

// 1 if the line is skipped without a message: empty, only commas, or
// starting with "***".
int IsSkippedBatchLine(const std::string& line);

// 1 if name may be the table file of a line: a non-empty base, the extension
// ".TB3" in any case, and none of the characters "/\[]:+|<>=;,*? nor a
// double quote nor a control character, so it names a file in the command
// file's own folder.
int IsValidBatchTableFile(const std::string& name);

// The file a line's table file names once ".TB3" is forced on it, as Read
// and Save do: FEDERAL.tb3 and FEDERAL.TB3 are both FEDERAL.TB3.
std::string BatchTableFileName(const std::string& tableFile);

// Splits a line at commas. A field that begins with a double quote runs to
// the next double quote (commas inside are kept, a doubled quote is not an
// escape) and what follows the closing quote up to the next comma is
// dropped. Returns every field, so a line may give more or fewer than 10.
std::vector<std::string> SplitBatchFields(const std::string& line);

// Compute method keyword search on the upper-cased text: SIMPLE 1, DAILY 2,
// MONTHLYWM 5, MONTHLY 3, OLD or IRS 0, FACTORSUM 4, in that order. Returns
// -1 when none is found.
int BatchMethodCode(const std::string& text);

// Parses one line (not the heading, not a skipped line). Returns 1 and fills
// *cmd, or 0 and fills *err; the checks run in the order of the fields'
// messages and the first failure is reported.
int ParseBatchLine(const std::string& line, int lineNumber, BatchCommand* cmd,
                   BatchLineError* err);

// Reads the command file's lines after the heading, less the skipped ones,
// in order; a trailing carriage return (CR LF files) is dropped. Returns 1
// with the lines in *lines, or 0 with *err holding "Batch file open failed
// with error <errno>" (or "... read failed ...") and *lines empty.
int ReadBatchLines(const std::string& path, std::vector<BatchLine>* lines, BatchLineError* err);
