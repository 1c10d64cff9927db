// The editor's batch edit hook: "-B" and the "Batch Mode Edit..." button run
// CBatchEdit with the editor's prompts.
#include "BatchEditHook.h"

#include "BatchEdit.h"

namespace tableedit {

void RunBatchEdit(const std::string& folder, const std::string& fileName, EditorPrompts& prompts) {
    CBatchEdit(prompts).Run(folder, fileName);
}

}  // namespace tableedit
