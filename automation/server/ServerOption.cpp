#include "automation/server/ServerOption.h"

#include <strings.h>

ServerOption FindServerOption(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        if (word[0] != '-' && word[0] != '/') continue;
        ++word;
        if (strcasecmp(word, "UnregServer") == 0) return ServerOption::UnregServer;
        if (strcasecmp(word, "RegServer") == 0) return ServerOption::RegServer;
    }
    return ServerOption::Serve;
}
