// The editor's messages to the user, by their resource numbers.
#pragma once

namespace tableedit {

inline constexpr const char kMsgBadDate[] = "Please enter a valid date.\n(e.g., 03/15/05)";  // 102
inline constexpr const char kMsgBadRate[] = "Bad Rate";                                       // 103
inline constexpr const char kMsgSaveChanges[] = "Save Changes?";                              // 104
inline constexpr const char kMsgBadEndDate[] = "Invalid Table End Date";                      // 105
inline constexpr const char kMsgEndBeforeLast[] =
    "WARNING\nTable end date is before the last event date in table.";                        // 106
inline constexpr const char kMsgDeleteLine[] = "Delete current line?";                        // 107

// Beyond the numbered messages: a row with a date but an empty list would be
// stored with a code no computation knows, and a save that fails must say so.
inline constexpr const char kMsgChooseLists[] =
    "Please choose the computation mode and the days per year of every dated line.";
inline constexpr const char kMsgNotesTooLong[] = "The notes may hold at most 65535 characters.";

// The rate table file filter of the open and save dialogs.
inline constexpr const char kTableFilter[] = "Rate Tables (*.TB3) |*.TB3||All Files|*.*||";

}  // namespace tableedit
