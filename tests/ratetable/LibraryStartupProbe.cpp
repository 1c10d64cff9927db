// A program linked to the shared engine library: it reports the settings the
// library's application object read when it started, at the program's first
// engine call. Used by LibraryStartupTest.
#include "qrtDLL.h"

#include <cstdio>

int main()
{
    // The first engine call starts the application object.
    const int developer = CQrtDLLApp::Instance().DeveloperMode();
    const int cache = InterestRateTable::CacheEnabled();
    const std::string alias = CQrtDLLApp::Instance().TableAlias()->Lookup("il", Date(1, 1, 2000));
    std::printf("cache=%d developer=%d alias=%s\n", cache, developer, alias.c_str());
    return 0;
}
