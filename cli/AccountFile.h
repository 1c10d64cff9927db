// ReadAccountText: the bytes of an account file named on the command line,
// or of standard input for "-". Refuses a folder, a file that cannot be read
// and anything larger than 16 MiB (an account of 1000 events is far smaller),
// with the reason in why.
// Tests: through the program (folder, missing file, standard input).
#pragma once

#include <string>

constexpr size_t kMaxAccountBytes = 16 * 1024 * 1024;

// Returns 1 with the text, or 0 with why filled.
int ReadAccountText(const std::string& path, std::string& text, std::string& why);

// The name of the account for messages: the path, or "(standard input)" for "-".
std::string AccountName(const std::string& path);
