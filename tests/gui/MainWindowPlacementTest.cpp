// The main window's placement over start, maximise or restore, and close:
// the stored normal rectangle must not creep (under a window manager the
// frame size is known only after the first window has shown).
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/WxProfileStore.h"

namespace qv {
namespace {

// The window manager answers in its own time; without one the window is
// never maximised.
void AwaitMaximised(CMainFrame& frame, bool maximised) {
    if (test::HasWindowManager())
        EXPECT_TRUE(test::PumpUntil([&] { return frame.IsMaximized() == maximised; }));
    EXPECT_TRUE(test::AwaitShown(&frame));
}

TEST(MainWindowPlacementTest, MaximiseRestoreAndCloseCyclesKeepTheNormalRectangle) {
    CQuorvelApp& app = wxGetApp();
    std::remove(std::getenv("QV_PROFILE"));
    char tmpl[] = "/tmp/qvplace.XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    const std::string file = dir + "/p.qv";
    ASSERT_EQ(CQuorvelDoc(932).SaveSettingsFile(file), 0);
    const Rect normal{100, 80, 900, 680};
    {
        WxProfileStore profile(WxProfileStore::DefaultPath());
        WindowPlacement p;
        p.showCmd = kShowMaximized;
        p.normal = normal;
        SaveWindowPlacement(profile, p);
    }
    // Each start takes what the last close stored; each cycle changes the
    // window between maximised and normal once before it closes.
    for (int cycle = 1; cycle <= 4; ++cycle) {
        test::DialogScript none;
        ASSERT_TRUE(app.StartUp({file}));
        CMainFrame& frame = *app.MainFrame();
        ASSERT_TRUE(test::AwaitShown(&frame));
        const bool maximise = !frame.IsMaximized();
        frame.Maximize(maximise);
        AwaitMaximised(frame, maximise);
        if (!frame.IsMaximized()) {
            EXPECT_EQ(frame.GetSize(), wxSize(normal.Width(), normal.Height()))
                << "cycle " << cycle;
        }
        frame.Close();
        test::RunPendingEvents();
        const WindowPlacement stored = LoadWindowPlacement(app.Profile());
        EXPECT_EQ(stored.normal.left, normal.left) << "cycle " << cycle;
        EXPECT_EQ(stored.normal.top, normal.top) << "cycle " << cycle;
        EXPECT_EQ(stored.normal.Width(), normal.Width()) << "cycle " << cycle;
        EXPECT_EQ(stored.normal.Height(), normal.Height()) << "cycle " << cycle;
        app.Reset();
        test::RunPendingEvents();
    }
    std::system(("rm -rf '" + dir + "'").c_str());
}

} // namespace
} // namespace qv
