// A program linked to the shared engine library: it reports the settings the
// library read when it loaded, before main ran. Used by LibraryStartupTest.
#include "qrtDLL.h"

#include <cstdio>

int main()
{
    // Nothing of the engine has been called yet: these come from start-up.
    const int cache = InterestRateTable::CacheEnabled();
    const int developer = CQrtDLLApp::Instance().DeveloperMode();
    const std::string alias = CQrtDLLApp::Instance().TableAlias()->Lookup("il", Date(1, 1, 2000));
    std::printf("cache=%d developer=%d alias=%s\n", cache, developer, alias.c_str());
    return 0;
}
