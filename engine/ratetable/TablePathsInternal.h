// The search of ResolveTableFile with its two folders given, so the order of
// the search can be exercised without the process's environment or home.
#pragma once

#include <string>

// Tries name (".TB3" forced); for a name without "/" then engineDir + name and,
// when userDir is not empty, userDir + "/" + name. Returns an open read-only
// descriptor of the first regular file found, or -1.
int OpenTableFileFrom(const std::string& name, const std::string& engineDir,
                      const std::string& userDir, std::string* foundPath);
