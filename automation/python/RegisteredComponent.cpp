#include "RegisteredComponent.h"

#include "EngineObject.h"
#include "automation/registration/ComRegistration.h"

ComponentApi RegisteredComponent(const std::string& progId) {
    std::string error;
    const std::string path =
        qrt::registration::FindServer(progId, qrt::registration::Host::InProcess, &error);
    if (path.empty())
        RaiseComError(kClassNotRegistered, "Dispatch", "progid",
                      "Dispatch(\"" + progId + "\"): not registered (REGDB_E_CLASSNOTREG, 0x80040154): " + error);
    ComponentApi api;
    if (!LoadComponent(path, api, &error))
        RaiseComError(kLibraryNotLoaded, "Dispatch", "progid",
                      "Dispatch(\"" + progId + "\"): cannot load " + path + " (CO_E_DLLNOTFOUND, 0x800401F8): " +
                          error);
    return api;
}
