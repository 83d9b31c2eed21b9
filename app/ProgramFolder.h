// The folder of the running program, where its language modules and splash
// picture are installed.
#pragma once
#include <string>

namespace qv {

// Empty when it cannot be found.
std::string ProgramFolder();

} // namespace qv
