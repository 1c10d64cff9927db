#include "ratetable/UserInteraction.h"

#include <atomic>

namespace {

CUserInteraction g_defaultInteraction;
std::atomic<CUserInteraction*> g_installed{nullptr};

}  // namespace

int CUserInteraction::OpenFileDialog(const CFileDialogRequest&, std::string&, std::string&) {
    return 0;
}

int CUserInteraction::SaveFileDialog(const CFileDialogRequest&, std::string&, std::string&) {
    return 0;
}

int CUserInteraction::AskYesNo(const std::string&) {
    return 0;
}

CUserInteraction* SetUserInteraction(CUserInteraction* ui) {
    CUserInteraction* previous = g_installed.exchange(ui);
    return previous ? previous : &g_defaultInteraction;
}

CUserInteraction& UserInteraction() {
    CUserInteraction* ui = g_installed.load();
    return ui ? *ui : g_defaultInteraction;
}
