// Where the engine finds its files: the engine folder, the per-user table
// folder, and how a table name becomes an open .TB3 file.
// Folders carry "/" as separator; an empty folder means the current folder.
// No state of their own: any thread may call them.
// Tests: extension forcing; search order of the folders for bare names only;
// QRT_ENGINE_DIR with and without its trailing separator.
#pragma once

#include <sys/stat.h>

#include <string>

// QRT_ENGINE_DIR with a trailing "/" when that variable is set and not empty,
// else "" (files are then taken from the current folder).
std::string EngineDirectory();

// The running user's home folder (from the password database) +
// "/Documents/Duecalc Engine" when that folder exists, else "". No trailing
// separator.
std::string UserTableDirectory();

// Replaces the extension of the last path component by ext (".TB3"), or
// appends ext when that component has none: "FEDERAL" and "FEDERAL.TXT" give
// "FEDERAL.TB3", "a.b/FEDERAL" gives "a.b/FEDERAL.TB3".
void ForceExtension(std::string& path, const std::string& ext);

// Opens the table file for `name` read-only: name with ".TB3" forced; for a
// name without "/" also in EngineDirectory and then UserTableDirectory.
// Returns the file descriptor (the caller closes it) and sets *foundPath when
// given, or -1 when no candidate can be opened.
int ResolveTableFile(const std::string& name, std::string* foundPath = nullptr);

// The status of the file ResolveTableFile would open for `name`, found by the
// same search with stat instead of open (no descriptor to open and close);
// false when no candidate is a regular file. A candidate that exists but
// cannot be read is still taken here, where ResolveTableFile would pass on.
bool StatTableFile(const std::string& name, struct stat* st);
