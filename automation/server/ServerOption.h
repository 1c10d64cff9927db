// The server's command line: "RegServer" or "UnregServer" after '-' or '/',
// in any letter case. Anything else (or nothing) means serve.
// Tests: tests/automation/server (the program run with each form).
#pragma once

enum class ServerOption { Serve, RegServer, UnregServer };

// The first argument that names an option decides.
ServerOption FindServerOption(int argc, const char* const* argv);
