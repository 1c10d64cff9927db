// What -RegServer and -UnregServer do: the bus activation file and the
// registration records of the local server (LocalServer32 = the server's
// path, with the AppID keys).
// Tests: tests/automation/server.
#pragma once

#include <string>

#include "automation/AutomationTypes.h"

// S_OK, or the failing step's HRESULT with *error saying why.
HRESULT RegisterServer(const std::string& serverPath, std::string* error);
HRESULT UnregisterServer(std::string* error);
