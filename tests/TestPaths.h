// Where the tests find what the build made and what the checkout holds. The
// build writes these into one generated file, so that no compile command
// names a folder and a clone in another folder reuses the compiler cache.
#pragma once

namespace qv::test {

extern const char* const kModuleDir;       // the language modules, beside the programs
extern const char* const kFixtureDir;      // tests/fixtures
extern const char* const kFtpServerScript; // tests/link/ftp_server.py
extern const char* const kUnitsimProgram;  // the unit simulator's program

} // namespace qv::test
