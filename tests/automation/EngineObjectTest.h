// Test helpers for the automation object: OLE dates, dollars as CY, and an
// engine folder holding a copy of the shipped FEDERAL table and report
// templates for the life of a test (so that nothing is written into the
// source tree).
#pragma once

#include <filesystem>
#include <string>

#include "automation/CQRTEngine.h"
#include "ratetable/ScratchFolder.h"

namespace enginetest {

inline DATE Ole(int month, int day, int year) { return DateToAutomation(Date(month, day, year)); }
inline CY Dollars(int64_t dollars) { return dollars * 10000; }

class EngineFolder {
public:
    EngineFolder() : m_scope(m_folder.Path()) {
        std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3",
                                   std::filesystem::path(m_folder.Path()) / "FEDERAL.TB3");
        for (const auto& entry : std::filesystem::directory_iterator(QRT_DATA_DIR))
            if (entry.path().extension() == ".DM")
                std::filesystem::copy_file(entry.path(), std::filesystem::path(m_folder.Path()) / entry.path().filename());
    }
    const ScratchFolder& Folder() const { return m_folder; }

private:
    ScratchFolder m_folder;
    EngineDirScope m_scope;
};

// A 2021 balance due of $5,000, $1,000 of it paid in June.
inline void AddSmallAccount(CQRTEngine& e) {
    e.AddEvent(0, Ole(4, 15, 2021), Dollars(5000), 0);
    e.AddEvent(2, Ole(6, 15, 2021), Dollars(1000), 0);
}

}  // namespace enginetest
