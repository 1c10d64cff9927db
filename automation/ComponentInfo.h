// What the automation object reports about the component that holds it:
// the folder of its module and its build stamp.
// Tests: through CQRTEngine (DefaultDirectory, ObjectBuildTime).
#pragma once

#include <string>

// The absolute path of the module (shared library or program) whose code
// holds this function; "" when it cannot be found.
std::string ModulePath();

// The folder of the module (shared library or program) whose code holds this
// function, absolute and ending in "/"; "" when it cannot be found.
std::string ModuleDirectory();

// "Mmm dd yyyy hh:mm:ss", when the component was compiled. Defined weakly
// beside CQRTEngine; a component compiles ComponentBuildTime.cpp into itself
// to report its own stamp.
const char* ComponentBuildTime();
