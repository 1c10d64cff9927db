#include "ratetable/CQrtDLLApp.h"

#include "ratetable/IniFile.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TableLockInternal.h"
#include "ratetable/TablePaths.h"
#include "update/CFileUpdateService.h"

namespace {

const char kIniName[] = "qrtDLL.INI";
const char kSection[] = "Options";

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
}

CQrtDLLApp::~CQrtDLLApp()
{
    m_updateService.reset();  // its worker must end before anything it uses goes away
}

void CQrtDLLApp::ReadSettings()
{
    const std::string ini = EngineDirectory() + kIniName;
    // The value is kept as read; the file gets it back as a plain flag.
    const int developer = IniGetInt(ini, kSection, "AtNRB", 0);
    m_developerMode.store(developer);
    IniWriteString(ini, kSection, "AtNRB", developer != 0 ? "1" : "0");
    InterestRateTable::CacheEnabled(IniGetInt(ini, kSection, "CacheEnabled", 0));
}

void CQrtDLLApp::Reinitialize()
{
    CQrtDLLApp& app = Instance();
    app.m_updateService.reset();  // the old worker ends before the new one starts
    app.m_updateService = std::make_unique<CFileUpdateService>();
    app.m_tableAlias->LoadAliases();
    app.ReadSettings();
    InterestRateTable::ClearCache();
}

namespace {

// Creates the application object when the library is loaded.
struct LoadTimeStart {
    LoadTimeStart() { CQrtDLLApp::Instance(); }
} g_loadTimeStart;

} // namespace
