// qrt_batchedit: the table editor's batch edit for scripts and the build.
// Usage: qrt_batchedit [--yes] COMMANDFILE
// Runs the command file as the editor's "Batch Mode Edit..." does, with every
// message on standard error; the question about a duplicating entry is
// answered No, or Yes with --yes. Exit status: 0 done, 1 a line failed and
// every table was restored, 2 nothing was touched (no file name, no backup),
// 3 a line failed and some table could not be restored (the backup is kept).
#include <cstdio>
#include <cstring>
#include <string>

#include "BatchEdit.h"
#include "StderrPrompts.h"

int main(int argc, char** argv) {
    bool yes = false;
    const char* file = nullptr;
    bool usage = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--yes") == 0 && !yes && file == nullptr) {
            yes = true;
        } else if (file == nullptr && (argv[i][0] != '-' || argv[i][1] == '\0')) {
            file = argv[i];
        } else {
            usage = true;
        }
    }
    if (usage) {
        std::fprintf(stderr, "usage: %s [--yes] COMMANDFILE\n", argv[0]);
        return static_cast<int>(tableedit::BatchResult::NotTouched);
    }
    tableedit::StderrPrompts prompts(yes);
    std::string folder, name;
    tableedit::SplitBatchCommandPath(file == nullptr ? "" : file, &folder, &name);
    tableedit::CBatchEdit batch(prompts);
    return static_cast<int>(batch.Run(folder, name));
}
