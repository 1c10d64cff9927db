// IniFile: the engine's profile (INI) service, for its own settings files
// (qrtDLL.INI, FileUpdateService.INI).
//
// A file holds "[Section]" lines and "Key=Value" lines; lines starting with
// ";" are comments. Section and key names compare without case; values are
// returned as stored (only the blanks around them are dropped). A missing
// file, section or key gives the caller's default. Writing changes or adds
// one "Key=Value" line and keeps every other line of the file byte for byte;
// the new content goes to a temporary file in the same folder that is then
// renamed over the old one, so a crash never leaves a half-written file.
//
// Thread rule: any thread may call these; writes within one process are
// serialised so that two writers of one file never lose each other's change.
// Tests: lookups without case, defaults, comments, integer parsing, writes
// that replace, insert into a section or add a section while keeping every
// other line, refused names, and a missing folder.
#pragma once

#include <string>

// The value of section/key in the file at path, or def when the file, the
// section or the key is missing.
std::string IniGetString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& def);

// The value of section/key read as a decimal integer (an optional sign, then
// digits; anything after them is ignored; a value without digits is 0), or
// def when the file, the section or the key is missing.
int IniGetInt(const std::string& path, const std::string& section,
              const std::string& key, int def);

// Sets section/key to value, creating the file, the section or the key as
// needed. Returns 1 on success; 0 when a name is empty or holds a line break,
// "[", "]" or (in the key) "=", when the value holds a line break, or when
// the file cannot be written; on 0 the file is unchanged.
int IniWriteString(const std::string& path, const std::string& section,
                   const std::string& key, const std::string& value);
