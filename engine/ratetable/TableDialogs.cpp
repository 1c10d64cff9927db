// SaveAs and Browse: the table file operations that ask the user for a file.
#include "ratetable/InterestRateTable.h"
#include "ratetable/TablePaths.h"
#include "ratetable/UserInteraction.h"

namespace {

const char kTableFilter[] = "Rate Tables (*.TB3) |*.TB3||All Files|*.*||";

// The engine folder without its trailing separator ("" when there is none).
std::string EngineFolderForDialog() {
    std::string dir = EngineDirectory();
    if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

}  // namespace

int InterestRateTable::SaveAs(std::string& path) {
    CFileDialogRequest request;
    request.defaultExt = "TB3";
    request.initialName = path.empty() ? "*.*" : path;
    ForceExtension(request.initialName, ".TB3");
    request.filter = kTableFilter;
    request.initialFolder = EngineFolderForDialog();
    request.hideReadOnly = 1;
    request.overwritePrompt = 1;
    request.noChangeDir = 1;
    request.fileMustExist = 1;

    std::string chosenPath;
    std::string chosenName;
    if (!UserInteraction().SaveFileDialog(request, chosenPath, chosenName)) return 0;
    m_name = chosenName;
    path = chosenPath;
    return Save(path);
}

int InterestRateTable::Browse() {
    CFileDialogRequest request;
    request.title = "Open Interest Rate Table";
    request.defaultExt = "TB3";
    request.initialName = "FEDERAL.TB3";
    request.filter = kTableFilter;
    request.initialFolder = EngineFolderForDialog();
    request.fileMustExist = 1;
    request.noChangeDir = 1;
    request.hideReadOnly = 1;

    std::string chosenPath;
    std::string chosenName;
    if (!UserInteraction().OpenFileDialog(request, chosenPath, chosenName)) return 0;
    m_name = chosenName;
    if (!Read(chosenPath, 1, 1)) Clear();
    return 1;
}
