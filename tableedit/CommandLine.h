// How the editor reads its command line (the arguments after the program
// name, joined by blanks): the main window, a batch edit or one table.
// Tests: -X and empty in any case; -B with quoted and unquoted paths, with
// and without a folder; a table path.
#pragma once

#include <string>

namespace tableedit {

struct EditorCommand {
    enum Kind { MainWindow, BatchEdit, OpenTable } kind = MainWindow;
    std::string folder;  // BatchEdit: the command file's folder ("" or ending in "/")
    std::string file;    // BatchEdit: the command file's name; OpenTable: the table's path
};

// Empty text or "-X..." (either case): the main window. "-B<path>" (either
// case): batch edit of <path>, double quotes removed and blanks trimmed, split
// after its last "/". Anything else: the path of a table to open (double
// quotes removed and blanks trimmed the same way).
EditorCommand ParseCommandLine(const std::string& text);

// The text with every double quote removed and blanks trimmed at both ends.
std::string Unquote(const std::string& text);

}  // namespace tableedit
