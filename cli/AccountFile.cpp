#include "AccountFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace {

const char kTooLarge[] = "the account is larger than 16 MiB; an account file is far smaller";

// Reads at most kMaxAccountBytes + 1 bytes, so that an endless stream stops.
int ReadLimited(std::istream& in, std::string& text, std::string& why) {
    text.clear();
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxAccountBytes) {
            why = kTooLarge;
            return 0;
        }
    }
    if (in.bad()) {
        why = "cannot read the account";
        return 0;
    }
    return 1;
}

}  // namespace

std::string AccountName(const std::string& path) { return path == "-" ? "(standard input)" : path; }

int ReadAccountText(const std::string& path, std::string& text, std::string& why) {
    if (path == "-") return ReadLimited(std::cin, text, why);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        why = "this is a folder, not an account file";
        return 0;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = std::string("cannot open the file: ") + std::strerror(errno);
        return 0;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxAccountBytes) {
        why = kTooLarge;
        return 0;
    }
    return ReadLimited(in, text, why);
}
