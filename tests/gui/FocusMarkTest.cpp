// The keyboard focus is seen wherever it goes in the main window, the
// quick-access tools included, and a disabled tool looks disabled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <wx/artprov.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/ribbon/bar.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/InkContrast.h"
#include "tests/gui/PumpUntil.h"
#include "ui/ToolButton.h"

namespace qv {
namespace {

// What the screen shows of a control: read from its top-level window, which
// holds what was painted last (a screen grab may lag behind).
wxImage Capture(wxWindow* control) {
    wxWindow* top = wxGetTopLevelParent(control);
    wxRect rect = control->GetScreenRect();
    rect.SetPosition(top->ScreenToClient(rect.GetPosition()));
    wxClientDC client(top);
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &client, rect.x, rect.y);
    }
    return bitmap.ConvertToImage();
}

struct Change {
    int pixels = 0; // that differ at all
    int strong = 0; // that differ by 96 or more in a colour channel
};
Change Compare(const wxImage& a, const wxImage& b) {
    Change c;
    for (int y = 0; y < std::min(a.GetHeight(), b.GetHeight()); ++y)
        for (int x = 0; x < std::min(a.GetWidth(), b.GetWidth()); ++x) {
            const int d = std::max({std::abs(a.GetRed(x, y) - b.GetRed(x, y)),
                                    std::abs(a.GetGreen(x, y) - b.GetGreen(x, y)),
                                    std::abs(a.GetBlue(x, y) - b.GetBlue(x, y))});
            c.pixels += d > 0;
            c.strong += d >= 96;
        }
    return c;
}

std::string NameOf(wxWindow* w) {
    return wxString(w->GetClassInfo()->GetClassName()).utf8_string() + " \"" +
           w->GetLabel().utf8_string() + "\" " + std::to_string(w->GetId()) + " in " +
           (w->GetParent() ? wxString(w->GetParent()->GetClassInfo()->GetClassName()).utf8_string()
                           : std::string("-"));
}

class FocusMarkTest : public test::StartedProgramTest {};

// Tab from the settings tree round the window: each control that takes the
// focus looks different while it has it; a quick-access tool shows a frame
// that stands out at a glance. A control that can take the focus but never
// shows it (a bar that only draws) is no stop of the Tab key.
TEST_F(FocusMarkTest, EveryTabStopOfTheMainWindowShowsTheFocus) {
    CMainFrame& frame = *app.MainFrame();
    wxWindow* tree = frame.TreePane().Tree();
    ASSERT_TRUE(test::FocusControl(tree));
    wxUIActionSimulator sim;
    const wxRect away = tree->GetScreenRect(); // the pointer rests on no tool
    sim.MouseMove(away.GetPosition() + away.GetSize() / 2);
    test::AwaitInputHandled();

    std::vector<wxWindow*> stops;
    int tools = 0;
    wxWindow* focus = tree;
    wxImage focused = Capture(focus);
    for (int step = 0; step < 40; ++step) {
        sim.Char(WXK_TAB);
        ASSERT_TRUE(test::PumpUntil([&] { return test::FocusedControl(&frame) != focus; }))
            << "Tab left the focus on " << NameOf(focus);
        ASSERT_TRUE(test::AwaitShown(&frame)); // painted as it is now
        const Change change = Compare(focused, Capture(focus));
        EXPECT_GT(change.pixels, 0) << NameOf(focus) << " shows no focus";
        if (dynamic_cast<CToolButton*>(focus)) {
            ++tools;
            EXPECT_GE(change.strong, focus->GetSize().x) << NameOf(focus) << ": a faint mark";
        }
        focus = test::FocusedControl(&frame);
        ASSERT_NE(focus, nullptr);
        if (focus == tree)
            break;
        stops.push_back(focus);
        focused = Capture(focus);
    }
    EXPECT_EQ(focus, tree) << "Tab never came back to the tree";
    EXPECT_EQ(tools, 4) << "the quick-access tools are Tab stops";
    for (wxWindow* stop : stops) {
        EXPECT_EQ(dynamic_cast<wxRibbonBar*>(stop), nullptr) << "the ribbon is a Tab stop";
    }
}

// The tool on its own: a frame while focused, a faded icon while disabled,
// Space and Enter press it, and disabled it is no Tab stop and no press.
TEST(ToolButtonTest, FocusDisabledLookAndKeys) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "tools");
    auto* panel = new wxPanel(frame);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const wxBitmap icon = wxArtProvider::GetBitmap(wxART_FILE_SAVE, wxART_TOOLBAR, wxSize(16, 16));
    auto* first = new CToolButton(panel, wxID_ANY, icon);
    auto* second = new CToolButton(panel, wxID_ANY, icon);
    auto* third = new CToolButton(panel, wxID_ANY, icon);
    for (wxWindow* w : {first, second, third})
        row->Add(w, 0, wxALL, 4);
    panel->SetSizer(row);
    frame->SetClientSize(panel->GetBestSize() + wxSize(40, 20));
    int presses = 0;
    second->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++presses; });

    ASSERT_TRUE(test::FocusControl(first));
    wxUIActionSimulator sim;
    sim.MouseMove(frame->GetScreenRect().GetBottomRight() + wxPoint(20, 20));
    test::AwaitInputHandled();
    ASSERT_TRUE(test::AwaitShown(frame));
    const wxImage unfocused = Capture(second);
    sim.Char(WXK_TAB);
    ASSERT_TRUE(test::PumpUntil([&] { return wxWindow::FindFocus() == second; }));
    ASSERT_TRUE(test::AwaitShown(frame));
    EXPECT_GE(Compare(unfocused, Capture(second)).strong, second->GetSize().x)
        << "the focused tool shows no clear frame";

    sim.Char(WXK_SPACE);
    test::AwaitInputHandled();
    sim.Char(WXK_RETURN);
    EXPECT_TRUE(test::PumpUntil([&] { return presses == 2; })) << presses;

    // Disabled: the icon fades, Tab passes it by, keys do not press it.
    third->Disable();
    ASSERT_TRUE(test::FocusControl(first));
    ASSERT_TRUE(test::AwaitShown(frame));
    const int enabledInk = test::InkContrast(Capture(second));
    const int disabledInk = test::InkContrast(Capture(third));
    EXPECT_LT(disabledInk * 10, enabledInk * 6)
        << "disabled " << disabledInk << ", enabled " << enabledInk;
    second->Disable();
    sim.Char(WXK_TAB);
    test::AwaitInputHandled();
    EXPECT_NE(wxWindow::FindFocus(), second);
    EXPECT_NE(wxWindow::FindFocus(), third);
    sim.Char(WXK_SPACE);
    test::AwaitInputHandled();
    EXPECT_EQ(presses, 2);
    frame->Destroy();
    test::RunPendingEvents();
}

} // namespace
} // namespace qv
