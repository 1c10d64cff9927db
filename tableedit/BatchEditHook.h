// The batch edit as the editor starts it: from the command line "-B <file>"
// and from the main window's "Batch Mode Edit..." button. Both call one
// BatchEditRunner, which by default is RunBatchEdit.
#pragma once

#include <functional>
#include <string>

#include "EditorPrompts.h"

namespace tableedit {

// Runs the batch edit of the command file `fileName` in `folder` ("" or
// ending in "/"), talking to the user through `prompts`; returns when the
// batch edit has ended.
using BatchEditRunner =
    std::function<void(const std::string& folder, const std::string& fileName, EditorPrompts& prompts)>;

// The editor's batch edit (tableedit/batch provides it).
void RunBatchEdit(const std::string& folder, const std::string& fileName, EditorPrompts& prompts);

}  // namespace tableedit
