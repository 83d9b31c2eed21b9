// The wait dialog as the link drives it: Begin, a pump per frame, End.
// Cancelling only raises the flag; while it is up nothing else of the program
// runs; afterwards the window that started the transfer is back on top.
#include <gtest/gtest.h>

#include <memory>

#include <functional>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "ui/WaitDlg.h"

namespace qv {
namespace {

constexpr unsigned kReading = 20317;
constexpr unsigned kWriting = 20316;

// Pumps as a transfer does, one frame after another, until done(cancelled).
template <class Done> bool PumpLikeTheLink(ProgressSink& sink, Done done) {
    wxStopWatch watch;
    for (int frame = 0;; ++frame) {
        sink.SetPosition(frame % 50);
        if (done(sink.PumpAndCancelled()))
            return true;
        if (watch.Time() > test::kWaitMs)
            return false;
        wxMilliSleep(2);
    }
}

wxPoint Centre(wxWindow* w) {
    const wxRect r = w->GetScreenRect();
    return r.GetPosition() + r.GetSize() / 2;
}

class WaitDlgTest : public ::testing::Test {
protected:
    test::ScopedGuiLanguage language;
    wxUIActionSimulator sim;
    wxFrame* starter = nullptr;
    wxButton* starterButton = nullptr;
    wxFrame* other = nullptr;
    wxButton* otherButton = nullptr;
    int otherClicks = 0;

    void SetUp() override {
        starter = new wxFrame(nullptr, wxID_ANY, "starter", wxPoint(0, 0), wxSize(420, 320));
        starterButton = new wxButton(starter, wxID_ANY, "Read");
        other = new wxFrame(nullptr, wxID_ANY, "other", wxPoint(640, 0), wxSize(300, 200));
        otherButton = new wxButton(other, wxID_ANY, "Poll");
        otherButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ++otherClicks; });
        other->Show();
        ASSERT_TRUE(test::FocusControl(starterButton));
    }
    void TearDown() override {
        other->Destroy();
        starter->Destroy();
        test::PumpUntil([] { return true; });
    }
};

TEST_F(WaitDlgTest, CancelEnterEscapeAndClosingOnlyRaiseTheFlag) {
    struct Way {
        const char* what;
        std::function<void(CWaitDlg&)> act;
    };
    const Way ways[] = {
        {"Cancel button",
         [&](CWaitDlg& d) {
             sim.MouseMove(Centre(d.FindWindow(wxID_CANCEL)));
             sim.MouseClick();
         }},
        {"Enter", [&](CWaitDlg&) { sim.Char(WXK_RETURN); }},
        {"Escape", [&](CWaitDlg&) { sim.Char(WXK_ESCAPE); }},
        {"closing the window", [&](CWaitDlg& d) { EXPECT_FALSE(d.Close()); }},
    };
    for (const Way& way : ways) {
        auto sink = std::make_unique<CWaitProgress>(starter);
        sink->Begin(kReading, 100);
        wxWeakRef<CWaitDlg> dlg = sink->Dialog();
        ASSERT_TRUE(dlg) << way.what;
        EXPECT_EQ(dlg->GetTitle(), kProductName);
        EXPECT_EQ(dlg->FindWindow(CWaitDlg::kIdMessage)->GetLabel(), Res(kReading));
        EXPECT_EQ(dlg->ProgressBar->GetRange(), 100);
        EXPECT_EQ(dlg->ParentWnd, starter);
        ASSERT_TRUE(PumpLikeTheLink(*sink, [&](bool) { return dlg->IsActive(); })) << way.what;

        way.act(*dlg);
        EXPECT_TRUE(PumpLikeTheLink(*sink, [](bool cancelled) { return cancelled; })) << way.what;
        ASSERT_TRUE(dlg) << way.what;
        EXPECT_TRUE(dlg->IsShown()) << way.what;
        EXPECT_EQ(dlg->CancelFlag, 1) << way.what;
        EXPECT_TRUE(sink->PumpAndCancelled()) << way.what;

        // With the pointer over another window, only the dialog's end can
        // hand the starter back its place.
        sim.MouseMove(Centre(otherButton));
        sink->End();
        EXPECT_TRUE(test::PumpUntil([&] {
            return (!dlg || !dlg->IsShown()) && starter->IsActive();
        })) << way.what
            << ": the starter is not active again";
        EXPECT_TRUE(starter->IsEnabled());
        // The hidden window waits for the next run; it goes with its sink.
        sink.reset();
        EXPECT_TRUE(test::PumpUntil([&] { return !dlg; })) << way.what;
    }
}

TEST_F(WaitDlgTest, BarFollowsThePositionWithinItsRange) {
    CWaitProgress sink(starter);
    sink.Begin(kWriting, 131072);
    ASSERT_TRUE(sink.Dialog());
    const wxGauge* bar = sink.Dialog()->ProgressBar;
    for (int position : {0, 4096, 131072}) {
        sink.SetPosition(position);
        EXPECT_EQ(bar->GetValue(), position);
    }
    sink.SetPosition(200000); // a count past the end stays at the end
    EXPECT_EQ(bar->GetValue(), 131072);
    EXPECT_FALSE(sink.PumpAndCancelled());
    sink.End();
    EXPECT_EQ(sink.Dialog(), nullptr);
}

// The unit search shows the caller's own text, given in the interface code page.
TEST_F(WaitDlgTest, CallersOwnTextInTheCodePage) {
    CWaitProgress sink(starter);
    sink.BeginText("\x83\x86\x83\x6A\x83\x62\x83\x67 search", 80); // "ユニット search" in 932
    ASSERT_TRUE(sink.Dialog());
    EXPECT_EQ(sink.Dialog()->FindWindow(CWaitDlg::kIdMessage)->GetLabel(),
              wxString::FromUTF8("\xE3\x83\xA6\xE3\x83\x8B\xE3\x83\x83\xE3\x83\x88 search"));
    sink.End();
}

// A download names the file at work on a line of its own: the line shows
// from its first text, keeps the window's width whatever the name, follows
// the later texts as the dialog pumps, and is gone at the next Begin.
TEST_F(WaitDlgTest, TheDetailLineShowsTheFileAtWorkUntilTheNextBegin) {
    CWaitProgress sink(starter);
    sink.Begin(kReading, 3);
    ASSERT_TRUE(sink.Dialog());
    CWaitDlg* dlg = sink.Dialog();
    wxWindow* line = dlg->FindWindow(CWaitDlg::kIdDetail);
    ASSERT_TRUE(line);
    EXPECT_FALSE(line->IsShown());
    // What the layout asks for; the window manager sizes the window in its own time.
    const auto layout = [&] { return dlg->GetSizer()->GetMinSize(); };
    const wxSize before = layout();

    sink.SetDetail(L"/SD/LOG/a.csv: 0 KB");
    EXPECT_TRUE(line->IsShown());
    EXPECT_EQ(line->GetLabel(), "/SD/LOG/a.csv: 0 KB");
    EXPECT_GT(layout().y, before.y);
    EXPECT_EQ(layout().x, before.x);
    const wxSize withLine = layout();

    sink.SetDetail(L"/SD/LOG/" + std::wstring(300, L'n') + L".csv: 12 of 40 KB");
    EXPECT_TRUE(
        PumpLikeTheLink(sink, [&](bool) { return line->GetLabel().EndsWith("12 of 40 KB"); }));
    EXPECT_EQ(layout(), withLine);

    sink.End();
    sink.Begin(kWriting, 3); // the same window again, for another transfer
    ASSERT_EQ(sink.Dialog(), dlg);
    EXPECT_FALSE(line->IsShown());
    EXPECT_EQ(layout(), before);
    sink.End();
}

// Timers, deferred calls and clicks of other windows wait for the end of the
// transfer, both before the main loop runs and inside a modal dialog.
TEST_F(WaitDlgTest, OtherWindowsWaitUntilTheEnd) {
    int ticks = 0, once = 0;
    bool deferredRan = false;
    wxTimer repeating(other), oneShot(other);
    other->Bind(wxEVT_TIMER,
                [&](wxTimerEvent& e) { ++(&e.GetTimer() == &repeating ? ticks : once); });
    auto transfer = [&](wxWindow* startedBy) {
        CWaitProgress sink; // over the window the user works in
        repeating.Start(1);
        oneShot.StartOnce(1);
        sink.Begin(kWriting, 40);
        ASSERT_TRUE(sink.Dialog());
        EXPECT_EQ(sink.Dialog()->ParentWnd, startedBy);
        EXPECT_FALSE(startedBy->IsEnabled());
        EXPECT_FALSE(other->IsEnabled());
        // A window manager places the dialog where it likes; the click must
        // land on the other window, not on the dialog's Cancel.
        sink.Dialog()->Move(0, 640);
        wxStopWatch moved;
        while (sink.Dialog()->GetScreenRect().Contains(Centre(otherButton)) &&
               moved.Time() < test::kWaitMs) {
            EXPECT_FALSE(sink.PumpAndCancelled());
            wxMilliSleep(5);
        }
        ASSERT_FALSE(sink.Dialog()->GetScreenRect().Contains(Centre(otherButton)));
        sim.MouseMove(Centre(otherButton));
        sim.MouseClick(); // it yields by itself: queue the deferred call afterwards
        other->CallAfter([&] { deferredRan = true; });
        // The click is in the queue before the transfer pumps again.
        test::SyncWithDisplay();
        for (int frame = 0; frame < 40; ++frame) {
            sink.SetPosition(frame);
            EXPECT_FALSE(sink.PumpAndCancelled());
            wxMilliSleep(2);
        }
        EXPECT_EQ(ticks, 0);
        EXPECT_EQ(once, 0);
        EXPECT_FALSE(deferredRan);
        sink.End();
        EXPECT_TRUE(startedBy->IsEnabled());
    };

    for (bool modal : {false, true}) {
        ticks = once = 0;
        deferredRan = false;
        if (!modal) {
            transfer(starter);
        } else {
            wxDialog connection(starter, wxID_ANY, "connection", wxPoint(40, 40), wxSize(300, 200));
            test::DialogScript script;
            script.Then([&](wxDialog* d) {
                d->CallAfter([&, d] {
                    transfer(d);
                    d->EndModal(wxID_OK);
                });
                return wxID_NONE;
            });
            connection.ShowModal();
        }
        EXPECT_TRUE(test::PumpUntil([&] { return ticks > 0 && once == 1 && deferredRan; }))
            << (modal ? "modal: " : "") << ticks << " " << once << " " << deferredRan;
        EXPECT_EQ(once, 1);
        EXPECT_EQ(otherClicks, 0);
        repeating.Stop();
    }
}

} // namespace
} // namespace qv
