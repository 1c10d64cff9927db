#include "automation/server/ServerRegistration.h"

#include "automation/registration/ComRegistration.h"
#include "automation/server/ServiceFile.h"

using qrt::registration::Host;

// All or nothing: when the records cannot be written the activation file
// just written goes again, so the bus never starts an unregistered server.
HRESULT RegisterServer(const std::string& serverPath, std::string* error) {
    HRESULT hr = WriteServiceFile(serverPath, error);
    if (hr != S_OK) return hr;
    hr = qrt::registration::Register(Host::LocalServer, serverPath, error);
    if (hr != S_OK) RemoveServiceFile(nullptr);
    return hr;
}

// Both steps run; the first failure is reported.
HRESULT UnregisterServer(std::string* error) {
    std::string recordsError;
    HRESULT hr = RemoveServiceFile(error);
    HRESULT records = qrt::registration::Unregister(Host::LocalServer, &recordsError);
    if (hr != S_OK) return hr;
    if (records != S_OK && error != nullptr) *error = recordsError;
    return records;
}
