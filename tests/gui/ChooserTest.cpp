// The start-up chooser: where it shows, and how its Cancel ends the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <wx/display.h>
#include <wx/stopwatch.h>

#include "app/QuorvelApp.h"
#include "app/StartUpDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"

namespace qv {
namespace {

class ChooserTest : public ::testing::Test {
protected:
    CQuorvelApp& app = wxGetApp();
    void SetUp() override { std::remove(std::getenv("QV_PROFILE")); }
    void TearDown() override {
        app.Reset();
        test::RunPendingEvents();
    }
    // The splash waits for a key: press one as soon as events run.
    void PressKeyDuringSplash() {
        app.CallAfter([this] {
            wxKeyEvent key(wxEVT_KEY_DOWN);
            key.m_keyCode = WXK_SPACE;
            app.FilterEvent(key);
        });
    }
};

// The first window of a process shows before the window manager has told
// its frame size; the chooser is centred all the same.
TEST_F(ChooserTest, TheChooserIsCentredOnTheScreenTheFirstTimeToo) {
    test::ScopedGuiLanguage language;
    int choice = 0;
    CStartUpDlg chooser(nullptr, choice, false, false);
    wxRect shown;
    wxRect screen;
    test::DialogScript script;
    script.Then([&](wxDialog* d) {
        d->CallAfter([&, d] {
            // Placed and framed by the window manager, where there is one.
            EXPECT_TRUE(test::AwaitShown(d));
            shown = d->GetScreenRect();
            screen = wxDisplay(d).GetClientArea();
            d->EndModal(wxID_CANCEL);
        });
        return wxID_NONE;
    });
    chooser.ShowModal();
    const wxPoint centre = shown.GetPosition() + shown.GetSize() / 2;
    const wxPoint screenCentre = screen.GetPosition() + screen.GetSize() / 2;
    EXPECT_NEAR(centre.x, screenCentre.x, 2) << "left " << shown.x << ", width " << shown.width;
    EXPECT_NEAR(centre.y, screenCentre.y, 2) << "top " << shown.y << ", height " << shown.height;
}

// wxWidgets runs OnInit and then OnRun; a false OnInit is a failed start.
TEST_F(ChooserTest, CancelInTheChooserEndsTheProgramWithStatusZero) {
    test::DialogScript script;
    script.ThenClick(wxID_CANCEL);
    PressKeyDuringSplash();
    const bool initialised = app.OnInit();
    EXPECT_TRUE(initialised);
    EXPECT_EQ(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.EndedByUser());
    if (initialised && !app.MainFrame()) {
        EXPECT_EQ(app.OnRun(), 0);
    }
}

TEST_F(ChooserTest, CancelInTheChooserShownAgainAfterAFailedFileAlsoEndsWithoutError) {
    test::DialogScript script;
    script.ThenEnd(wxID_OK);       // the file cannot be opened
    script.ThenClick(wxID_CANCEL); // the chooser shown again
    EXPECT_FALSE(app.StartUp({"/nonexistent/dir/gone.qv"}));
    EXPECT_TRUE(app.EndedByUser());
    EXPECT_EQ(script.Pending(), 0u);
}

} // namespace
} // namespace qv
