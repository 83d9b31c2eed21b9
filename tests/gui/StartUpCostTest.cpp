// Start-up builds only what the main window shows: the settings view's other
// pages are built when they are first shown, the FTP library is loaded with
// the first FTP client, painting the window needs no loader of scalable
// pictures, and GTK loads no OpenGL driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "link/CurlLibrary.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

// Whether a shared library whose file name holds `name` is in this process.
bool Loaded(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find(name) != std::string::npos)
            return true;
    return false;
}

// Whether this process was started with `name` in its environment.
bool StartedWith(const std::string& name) {
    std::ifstream environ("/proc/self/environ");
    std::string entry;
    while (std::getline(environ, entry, '\0'))
        if (entry.rfind(name + "=", 0) == 0)
            return true;
    return false;
}

const char kSvgLoader[] = "librsvg";
const char kFtpLibrary[] = "libcurl";

class StartUpCostTest : public test::StartedProgramTest {
protected:
    void SetUp() override {
        // Run with other tests in one process, an earlier one may have
        // loaded them already.
        svgBefore = Loaded(kSvgLoader);
        ftpBefore = CurlAsked();
        StartedProgramTest::SetUp();
    }
    bool svgBefore = false;
    bool ftpBefore = false;
};

TEST_F(StartUpCostTest, OnlyTheShownPageIsBuiltAndEachPageOnceWhenFirstShown) {
    CQuorvelView& view = app.MainFrame()->View();
    ASSERT_EQ(view.PageMode(), kPageUnitName);
    wxWindow* tabs = view.ShownPage()->GetParent();
    EXPECT_EQ(tabs->GetChildren().size(), 1u);
    struct Step {
        int mode;
        size_t built;
    };
    // The two history files have a page each; the data sets share one.
    const Step steps[] = {{kPageLogFiles, 2}, {kPageSystemHistory, 3}, {kPageTriggerHistory, 4},
                          {kPageDataSets, 5}, {kPageDataSets2, 5},     {kPageLogFiles, 5},
                          {kPageUnitName, 5}, {kPageDeviceList, 6}};
    for (const Step& step : steps) {
        view.SelectPage(step.mode);
        ASSERT_NE(view.ShownPage(), nullptr) << "mode " << step.mode;
        EXPECT_TRUE(view.ShownPage()->IsShown()) << "mode " << step.mode;
        EXPECT_EQ(view.ShownPage()->GetParent(), tabs) << "mode " << step.mode;
        EXPECT_EQ(tabs->GetChildren().size(), step.built) << "mode " << step.mode;
    }
}

TEST_F(StartUpCostTest, ThePaintedWindowHasNeitherTheFtpLibraryNorTheSvgLoader) {
    // SetUp waited for the window to be painted.
    if (svgBefore || ftpBefore)
        GTEST_SKIP() << "an earlier test in this process loaded them";
    EXPECT_FALSE(Loaded(kSvgLoader));
    EXPECT_FALSE(Loaded(kFtpLibrary));
}

TEST_F(StartUpCostTest, NoOpenGlDriverIsLoadedAndTheEnvironmentIsHandedOnAsItWas) {
    if (StartedWith("GDK_GL"))
        GTEST_SKIP() << "GDK_GL was set by whoever started the tests";
    // The driver's dispatch library is loaded with the first OpenGL call.
    EXPECT_FALSE(Loaded("libGLX"));
    EXPECT_FALSE(Loaded("libEGL"));
    // A program started from here would run without OpenGL if it inherited it.
    EXPECT_EQ(std::getenv("GDK_GL"), nullptr);
}

} // namespace
} // namespace qv
