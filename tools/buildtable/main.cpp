// qrt_buildtable: builds rate table files (.TB3) from a batch-edit command
// file. Usage: qrt_buildtable COMMANDFILE [OUTPUT_FOLDER]
// Every table the file names is built from empty and written into the output
// folder (by default the command file's folder). Exit status 0 when every
// table was written, 1 on an error (nothing written), 2 on a usage error.
#include <cstdio>
#include <string>
#include <vector>

#include "TableBuilder.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s COMMANDFILE [OUTPUT_FOLDER]\n", argv[0]);
        return 2;
    }
    std::vector<std::string> written;
    std::string error;
    if (!BuildTablesFromCommandFile(argv[1], argc == 3 ? argv[2] : "", &written, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    if (written.empty()) std::printf("%s: no entries, nothing written\n", argv[1]);
    for (const std::string& path : written) std::printf("wrote %s\n", path.c_str());
    return 0;
}
