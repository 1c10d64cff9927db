#include "automation/server/ServerRegistration.h"

#include "automation/server/ServiceFile.h"

HRESULT RegisterServer(const std::string& serverPath, std::string* error) {
    return WriteServiceFile(serverPath, error);
}

HRESULT UnregisterServer(std::string* error) { return RemoveServiceFile(error); }
