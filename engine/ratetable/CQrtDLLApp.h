// CQrtDLLApp: the engine library's application object, one per process. It is
// created on first use (the first computation's table lookup, or any call of
// Instance()), not when the library is loaded, so a program may set
// QRT_ENGINE_DIR first and the start-up sees the right folder. Destroyed at
// process exit. Start-up creates the table lock, the file update service (which
// starts its worker) and the table alias list (which reads "TableAlias.csv";
// a missing file is not logged), then reads
// the engine INI file EngineDirectory() + "qrtDLL.INI", section "Options":
// "AtNRB" (developer mode, default 0; an existing file whose value is not
// already "0" or "1" gets it back as "1" or "0"; no file is created) and
// "CacheEnabled" (the table cache switch, default 0).
//
// Every program sets QRT_ENGINE_DIR, if it sets it at all, before its first
// engine call. Reinitialize() is for a process that changes the folder after
// the object exists (tests): it reloads the INI settings and the alias list
// from the new folder, restarts the file update service there and empties
// the table cache.
//
// Thread rule: TableAlias() and DeveloperMode() may be used from any thread;
// Reinitialize() may run beside them (the alias list locks itself), but the
// caller should not change QRT_ENGINE_DIR while other threads compute.
// Tests: a program linked to the shared library sees "CacheEnabled=1" and
// finds "AtNRB=5" read as 5 and rewritten as "AtNRB=1" with every other line
// kept; a start-up in a folder without the files, or with them already
// plain, changes no file.
#pragma once

#include <atomic>
#include <memory>

#include "ratetable/TableAlias.h"

class CFileUpdateService;

class CQrtDLLApp {
public:
    // The application object (created by the first call).
    static CQrtDLLApp& Instance();

    // Reads the engine folder again: reloads "qrtDLL.INI" (AtNRB, written
    // back, and CacheEnabled), reloads the alias list, and empties the table
    // cache's names so no table of the old folder is served from it.
    static void Reinitialize();

    // The table alias list used by the computation to resolve table names.
    CTableAlias* TableAlias() { return m_tableAlias.get(); }
    // "AtNRB" of the INI file as read (the file then holds it as 1 or 0).
    // Nothing in the engine depends on it.
    int DeveloperMode() const { return m_developerMode.load(); }

    CQrtDLLApp(const CQrtDLLApp&) = delete;
    CQrtDLLApp& operator=(const CQrtDLLApp&) = delete;
    ~CQrtDLLApp();  // shut-down: stops the file update service, releases the alias list

private:
    CQrtDLLApp();   // start-up
    void ReadSettings();

    std::unique_ptr<CFileUpdateService> m_updateService;
    std::unique_ptr<CTableAlias> m_tableAlias;
    std::atomic<int> m_developerMode{0};
};
