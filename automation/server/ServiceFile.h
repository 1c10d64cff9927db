// The session bus's activation file of the server,
// $XDG_DATA_HOME/dbus-1/services/com.veltrin.QRTComServer.service (XDG_DATA_HOME
// unset, empty or relative: ~/.local/share), which lets the bus start the
// server by name.
// Tests: tests/automation/server (activation after -RegServer, removal).
#pragma once

#include <string>

#include "automation/AutomationTypes.h"

std::string ServiceFilePath();

// The file's text for the server at serverPath (absolute), its Exec line
// quoted where the path needs it; "" for a path the file cannot hold (not
// absolute, or holding a control character).
std::string ServiceFileText(const std::string& serverPath);

// Writes the file atomically (a temporary file beside it, renamed over it),
// creating its folders. S_OK, or E_FAIL / E_INVALIDARG with *error saying why.
HRESULT WriteServiceFile(const std::string& serverPath, std::string* error);

// Removes the file; S_OK also when there is none.
HRESULT RemoveServiceFile(std::string* error);
