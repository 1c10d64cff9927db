// DllRegisterServer / DllUnregisterServer: the component's registration
// records (ProgIDs, CLSID with this library's absolute path, type library)
// under $XDG_DATA_HOME/QRTCom/, written and removed by the registration
// module.
#include "automation/ComponentInfo.h"
#include "automation/inproc/QRTCom.h"
#include "automation/registration/ComRegistration.h"

extern "C" {

QRTHRESULT DllRegisterServer(void) {
    const std::string path = ModulePath();
    if (path.empty()) return QRT_SELFREG_E_CLASS;
    std::string error;
    return qrt::registration::Register(qrt::registration::Host::InProcess, path, &error);
}

QRTHRESULT DllUnregisterServer(void) {
    std::string error;
    return qrt::registration::Unregister(qrt::registration::Host::InProcess, &error);
}

}  // extern "C"
