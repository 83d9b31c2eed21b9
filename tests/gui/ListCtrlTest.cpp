// The check-box list: clicks, modifier clicks and Up/Down against the check
// marks, with the list's own selection and focus marks never left behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/QVListCtrl.h"

namespace qv {
namespace {

constexpr int kRows = 10;

// One thing the user does: a click (with modifiers) in a row and column, a
// click on a row's check box or below the rows, a key pressed or released.
struct Step {
    enum Kind { Click, Box, Below, KeyDown, KeyUp } kind;
    int row = 0; // or the key code
    int column = 0;
    int modifiers = wxMOD_NONE;
};
Step At(int row, int column, int modifiers = wxMOD_NONE) {
    return {Step::Click, row, column, modifiers};
}
Step BoxOf(int row) {
    return {Step::Box, row};
}
Step Below() {
    return {Step::Below};
}
Step Press(int key) {
    return {Step::KeyDown, key};
}
Step Release(int key) {
    return {Step::KeyUp, key};
}

class ListCtrlTest : public ::testing::Test {
protected:
    wxGUIEventLoop loop;
    wxEventLoopActivator active{&loop};
    wxFrame* frame = nullptr;
    CQVListCtrl* list = nullptr;

    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "list", wxPoint(0, 0), wxSize(500, 420));
        // Another control to lose the focus to, as on a page.
        auto* button = new wxButton(frame, 3, "Action");
        list = new CQVListCtrl(frame, 1108);
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(button);
        column->Add(list, 1, wxEXPAND);
        frame->SetSizer(column);
        for (int c = 0; c < 3; ++c)
            list->InsertColumn(c, wxString::Format("Column %d", c), wxLIST_FORMAT_LEFT, 110);
        Fill();
        // Settled first: an activation arriving in the middle of a case moves
        // the focus, and the list's own current row with it.
        ASSERT_TRUE(test::FocusControl(list));
        ASSERT_TRUE(test::PumpUntil([this] { return Area()->GetSize().y > 200; }));
    }
    void TearDown() override {
        frame->Destroy();
        test::RunPendingEvents();
    }

    // A reload, as the pages do it.
    void Fill(const std::string& checked = std::string(kRows, '.')) {
        list->DeleteAllItems();
        for (int r = 0; r < kRows; ++r) {
            list->InsertItem(r, wxString::Format("Row %d", r));
            list->SetItem(r, 1, "value");
            list->SetItem(r, 2, "text");
            if (checked[r] == 'X')
                list->CheckItem(r, true);
        }
    }
    // The window that holds the rows, below the header: real clicks land there.
    wxWindow* Area() const {
        wxWindow* tallest = nullptr;
        for (wxWindow* child : list->GetChildren())
            if (!tallest || child->GetSize().y > tallest->GetSize().y)
                tallest = child;
        return tallest;
    }
    wxPoint ToArea(wxPoint inList) const {
        return Area()->ScreenToClient(list->ClientToScreen(inList));
    }
    wxRect Cell(int row, int column) const {
        wxRect r;
        EXPECT_TRUE(list->GetSubItemRect(row, column, r));
        return r;
    }
    // Row cells away from the check box, the box itself, and below the last row.
    wxPoint CellPoint(int row, int column) const {
        const wxRect r = Cell(row, column);
        return ToArea(wxPoint(r.GetRight() - 10, r.y + r.height / 2));
    }
    wxPoint BoxPoint(int row) const {
        const wxRect r = Cell(row, 0);
        const wxSize box = wxRendererNative::Get().GetCheckBoxSize(Area());
        return ToArea(wxPoint(r.x + 5 + box.x / 2, r.y + r.height / 2));
    }
    wxPoint BelowPoint() const {
        const wxRect r = Cell(kRows - 1, 1);
        return ToArea(wxPoint(r.x + 10, r.GetBottom() + 30));
    }

    void Mouse(wxEventType type, wxPoint p, int modifiers) {
        wxMouseEvent event(type);
        event.SetPosition(p);
        event.SetLeftDown(type != wxEVT_LEFT_UP);
        event.SetControlDown(modifiers & wxMOD_CONTROL);
        event.SetShiftDown(modifiers & wxMOD_SHIFT);
        event.SetEventObject(Area());
        Area()->GetEventHandler()->ProcessEvent(event);
    }
    void Click(wxPoint p, int modifiers = wxMOD_NONE) {
        Mouse(wxEVT_LEFT_DOWN, p, modifiers);
        Mouse(wxEVT_LEFT_UP, p, modifiers);
        test::RunPendingEvents();
    }
    void Key(wxEventType type, int code) {
        wxKeyEvent event(type);
        event.m_keyCode = code;
        event.SetEventObject(Area());
        Area()->GetEventHandler()->ProcessEvent(event);
        test::RunPendingEvents();
    }
    void Do(const Step& s) {
        switch (s.kind) {
        case Step::Click:
            Click(CellPoint(s.row, s.column), s.modifiers);
            break;
        case Step::Box:
            Click(BoxPoint(s.row));
            break;
        case Step::Below:
            Click(BelowPoint());
            break;
        case Step::KeyDown:
            Key(wxEVT_KEY_DOWN, s.row);
            break;
        case Step::KeyUp:
            Key(wxEVT_KEY_UP, s.row);
            break;
        }
    }

    std::string Checked() const {
        std::string s;
        for (int r = 0; r < list->GetItemCount(); ++r)
            s += list->IsItemChecked(r) ? 'X' : '.';
        return s;
    }
    // Only the check marks show a selection: in the highlight colours, with
    // none of the list's own selection or focus marks.
    void ExpectOnlyCheckMarksShow(const std::string& where) const {
        EXPECT_EQ(list->GetSelectedItemCount(), 0) << where;
        EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), -1) << where;
        const wxColour back = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
        const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
        for (int r = 0; r < list->GetItemCount(); ++r) {
            if (list->IsItemChecked(r)) {
                EXPECT_EQ(list->GetItemBackgroundColour(r), back) << where << " row " << r;
                EXPECT_EQ(list->GetItemTextColour(r), text) << where << " row " << r;
            } else {
                EXPECT_NE(list->GetItemBackgroundColour(r), back) << where << " row " << r;
            }
        }
    }
};

TEST_F(ListCtrlTest, ClicksAndArrowKeysMoveTheCheckMarks) {
    struct Case {
        const char* what;
        std::string before;
        std::vector<Step> steps;
        std::string after;
        long anchor;
    };
    const int ctrl = wxMOD_CONTROL, shift = wxMOD_SHIFT;
    const Case cases[] = {
        {"plain click in the second column", "X.X....X..", {At(5, 1)}, ".....X....", 5},
        {"plain click in the last column", "XXXXXXXXXX", {At(3, 2)}, "...X......", 3},
        {"ctrl+click unchecks only that row", "...XXX....", {At(4, 1, ctrl)}, "...X.X....", 4},
        {"ctrl+click adds a row", "X.........", {At(6, 2, ctrl)}, "X.....X...", 6},
        {"shift+click checks the range and keeps the rest",
         ".........X",
         {At(2, 1, ctrl), At(6, 1, shift)},
         "..XXXXX..X",
         6},
        {"shift+click inside the range adds nothing, moves the anchor",
         ".........X",
         {At(2, 1, ctrl), At(6, 1, shift), At(4, 2, shift)},
         "..XXXXX..X",
         4},
        {"shift+click above the anchor",
         "..........",
         {At(7, 1), At(3, 2, shift)},
         "...XXXXX..",
         3},
        {"shift+click without an anchor is a plain click",
         "XX........",
         {At(5, 1, shift)},
         ".....X....",
         5},
        {"a click in the first column keeps the marks and forgets the anchor",
         "..........",
         {At(3, 1), At(7, 0)},
         "...X......",
         -1},
        {"after a first-column click shift+click is a plain click",
         "..........",
         {At(3, 1), At(7, 0), At(5, 1, shift)},
         ".....X....",
         5},
        {"the box of a row toggles it", "..........", {At(1, 1), BoxOf(4)}, ".X..X.....", -1},
        {"the box of a checked row unchecks it",
         "..........",
         {At(1, 1), BoxOf(1)},
         "..........",
         -1},
        {"a click below the rows forgets the anchor",
         "..........",
         {At(2, 1), Below()},
         "..X.......",
         -1},
        {"Down without an anchor checks row 0 alone",
         "...X.....X",
         {Press(WXK_DOWN)},
         "X.........",
         0},
        {"Up on row 0 changes nothing", "..........", {At(0, 1), Press(WXK_UP)}, "X.........", 0},
        {"Down on the last row changes nothing",
         "..........",
         {At(9, 1), Press(WXK_DOWN)},
         ".........X",
         9},
        {"Down leaves one mark below the anchor",
         "..........",
         {At(2, 1, ctrl), At(6, 1, ctrl), Press(WXK_DOWN)},
         ".......X..",
         7},
        {"Up twice", "..........", {At(5, 1), Press(WXK_UP), Press(WXK_UP)}, "...X......", 3},
        {"Ctrl pressed earlier does not make a plain click a toggle",
         "..........",
         {At(2, 1), Press(WXK_CONTROL), At(5, 1)},
         ".....X....",
         5},
        {"Shift still held after another key's release makes a range",
         "..........",
         {At(2, 1), Press(WXK_SHIFT), Press('B'), Release('B'), At(5, 1, shift)},
         "..XXXX....",
         5},
    };
    for (const Case& c : cases) {
        Fill(c.before);
        for (const Step& s : c.steps)
            Do(s);
        EXPECT_EQ(Checked(), c.after) << c.what;
        EXPECT_EQ(list->Anchor(), c.anchor) << c.what;
        ExpectOnlyCheckMarksShow(c.what);
    }
}

TEST_F(ListCtrlTest, DoubleClickStillReachesTheHost) {
    long activated = -1;
    list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [&](wxListEvent& e) { activated = e.GetIndex(); });
    const wxPoint p = CellPoint(3, 1);
    Mouse(wxEVT_LEFT_DOWN, p, wxMOD_NONE);
    Mouse(wxEVT_LEFT_UP, p, wxMOD_NONE);
    Mouse(wxEVT_LEFT_DCLICK, p, wxMOD_NONE);
    Mouse(wxEVT_LEFT_UP, p, wxMOD_NONE);
    test::RunPendingEvents();
    EXPECT_EQ(activated, 3);
    EXPECT_EQ(Checked(), "...X......");
    ExpectOnlyCheckMarksShow("double click");
}

TEST_F(ListCtrlTest, ReloadAndUncheckAllLeaveNoMarkOrAnchor) {
    Do(At(4, 1));
    list->CheckAll();
    EXPECT_EQ(Checked(), "XXXXXXXXXX");
    list->UncheckAll();
    EXPECT_EQ(Checked(), "..........");
    ExpectOnlyCheckMarksShow("unchecked");
    Fill();
    EXPECT_EQ(list->Anchor(), -1);
    Do(Press(WXK_DOWN));
    EXPECT_EQ(Checked(), "X.........");
}

// The same through the display server: real buttons, real modifier keys.
TEST_F(ListCtrlTest, RealMouseAndKeyboard) {
    wxUIActionSimulator sim;
    auto clickAt = [&](wxPoint inArea) {
        sim.MouseMove(Area()->ClientToScreen(inArea));
        sim.MouseClick();
    };
    clickAt(CellPoint(2, 1));
    EXPECT_TRUE(test::PumpUntil([&] { return Checked() == "..X......."; })) << Checked();

    sim.KeyDown(WXK_SHIFT);
    sim.Char('b');
    clickAt(CellPoint(5, 2));
    EXPECT_TRUE(test::PumpUntil([&] { return Checked() == "..XXXX...."; })) << Checked();
    sim.KeyUp(WXK_SHIFT);

    sim.KeyDown(WXK_CONTROL);
    clickAt(CellPoint(3, 1));
    EXPECT_TRUE(test::PumpUntil([&] { return Checked() == "..X.XX...."; })) << Checked();
    sim.KeyUp(WXK_CONTROL);

    clickAt(BoxPoint(8));
    EXPECT_TRUE(test::PumpUntil([&] { return Checked() == "..X.XX..X."; })) << Checked();

    sim.Char(WXK_DOWN);
    EXPECT_TRUE(test::PumpUntil([&] { return Checked() == "X........."; })) << Checked();
    sim.Char(WXK_DOWN);
    EXPECT_TRUE(test::PumpUntil([&] { return Checked() == ".X........"; })) << Checked();
    EXPECT_TRUE(list->HasFocus() || Area()->HasFocus());
    ExpectOnlyCheckMarksShow("real input");
}

} // namespace
} // namespace qv
