// File replacement helpers shared by the engine's writers of settings and log
// files: new content is written to a temporary file in the target's own folder
// (name = prefix + six random characters, made by mkstemp) and renamed over the
// target, so readers see either the old or the new file, never a partial one;
// the file is flushed before the rename and its folder after it.
// Thread rule: safe from any thread; callers serialise writers of one file.
#pragma once

#include <string>

// The folder part of path, up to and including its last "/"; "" for a bare name.
std::string FolderOf(const std::string& path);

// Replaces the file at path by content through a temporary file named
// FolderOf(path) + prefix + "XXXXXX". The new file keeps the old file's
// permission bits (0644 for a new file). Returns 1 on success; 0 when the
// temporary file cannot be created or written or the rename fails, and then the
// target is unchanged and no temporary file is left behind.
int ReplaceFileContents(const std::string& path, const std::string& content,
                        const char* prefix);

// Flushes the folder that holds path to disk (open it, fsync, close), so that a
// rename or a new file in it survives a power cut, not only the file's bytes.
// Returns 1, or 0 with errno set.
int SyncFolderOf(const std::string& path);

// Reads the whole file at path into *content. Returns 1, or 0 (with errno set)
// when it cannot be opened or read.
int ReadWholeFile(const std::string& path, std::string* content);
