#include "ratetable/CQrtDLLApp.h"

#include <sys/stat.h>

#include "ratetable/IniFile.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TableLockInternal.h"
#include "ratetable/TablePaths.h"
#include "update/CFileUpdateService.h"

namespace {

const char kIniName[] = "qrtDLL.INI";
const char kSection[] = "Options";

// Set once the application object has started.
std::atomic<bool> g_started{false};

bool FileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

CQrtDLLApp& CQrtDLLApp::Instance()
{
    static CQrtDLLApp app;
    return app;
}

CQrtDLLApp::CQrtDLLApp()
{
    TableLock();  // created now rather than by the first table
    m_updateService = std::make_unique<CFileUpdateService>();
    m_tableAlias = std::make_unique<CTableAlias>();
    ReadSettings();
    g_started.store(true);
}

CQrtDLLApp::~CQrtDLLApp()
{
    m_updateService.reset();  // its worker must end before anything it uses goes away
}

void CQrtDLLApp::ReadSettings()
{
    const std::string ini = EngineDirectory() + kIniName;
    // The value is kept as read; the file gets it back as a plain flag, but
    // only an existing file whose text is not that flag already: a start-up
    // writes nothing when nothing changes, and creates no file.
    const int developer = IniGetInt(ini, kSection, "AtNRB", 0);
    m_developerMode.store(developer);
    const char* flag = developer != 0 ? "1" : "0";
    const std::string stored = IniGetString(ini, kSection, "AtNRB", std::string());
    if (stored != "0" && stored != "1" && FileExists(ini)) IniWriteString(ini, kSection, "AtNRB", flag);
    InterestRateTable::CacheEnabled(IniGetInt(ini, kSection, "CacheEnabled", 0));
}

void CQrtDLLApp::Reinitialize()
{
    // An object that starts now reads the current folder by itself.
    const bool started = g_started.load();
    CQrtDLLApp& app = Instance();
    if (started) {
        app.m_updateService.reset();  // the old worker ends before the new one starts
        app.m_updateService = std::make_unique<CFileUpdateService>();
        app.m_tableAlias->LoadAliases();
        app.ReadSettings();
    }
    InterestRateTable::ClearCache();
}
