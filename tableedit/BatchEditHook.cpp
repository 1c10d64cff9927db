// Stand-in for the batch edit until tableedit/batch provides RunBatchEdit:
// says so rather than doing nothing silently. Remove this file when the batch
// edit's own definition is linked.
#include "BatchEditHook.h"

namespace tableedit {

void RunBatchEdit(const std::string&, const std::string&, EditorPrompts& prompts) {
    prompts.Message("Batch-mode edit is not available in this build.");
}

}  // namespace tableedit
