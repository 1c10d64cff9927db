// Compiled into each component (the in-process library, the D-Bus server) so
// that ObjectBuildTime gives that component's own build date and time.
#include "automation/ComponentInfo.h"

const char* ComponentBuildTime() { return __DATE__ " " __TIME__; }
