// Runs the GUI tests inside the program's own application object, each test
// process with a private profile file.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>
#include <wx/image.h>
#include <wx/init.h>

#include "app/QuorvelApp.h"

wxIMPLEMENT_APP_NO_MAIN(qv::CQuorvelApp);

namespace {
// A failed wx assertion fails the test instead of opening a dialog nobody answers.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE() << "wx assertion " << cond << " in " << func << " (" << file << ":" << line
                  << "): " << msg;
}
} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    // A test whose runner was killed (a time-out) must not live on and
    // disturb the next test on its display.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (!std::getenv("QV_PROFILE")) {
        const std::string profile = "/tmp/qvgui-profile-" + std::to_string(getpid()) + ".ini";
        setenv("QV_PROFILE", profile.c_str(), 1);
    }
    wxApp::SetInstance(new qv::CQuorvelApp);
    if (!wxEntryStart(argc, argv))
        return 1;
    wxInitAllImageHandlers();
    wxSetAssertHandler(FailOnAssert);
    const int rc = RUN_ALL_TESTS();
    wxEntryCleanup();
    std::remove(std::getenv("QV_PROFILE"));
    return rc;
}
