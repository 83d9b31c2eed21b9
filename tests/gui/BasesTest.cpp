// The dialog and page bases: what a dialog keeps, and the page's list
// layout, keys and right-button menu, driven through the display server.
#include <gtest/gtest.h>

#include <set>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "app/CommandIds.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/DlgBase.h"
#include "ui/Messages.h"
#include "ui/PageBase.h"
#include "ui/QVListCtrl.h"

namespace qv {
namespace {

TEST(DlgBaseTest, KeepsOwnerParentAndTheCodePageOfItsConstruction) {
    CQuorvelApp& app = wxGetApp();
    const uint32_t before = app.codePage;
    CQuorvelDoc doc(936);
    wxFrame frame(nullptr, wxID_ANY, "frame");
    app.codePage = 936;
    CDlgBase editor(333, &doc, &frame);
    CDlgBase pane(442, &editor, &editor);
    CDlgBase lanLink(354, nullptr, &frame);
    app.codePage = 932;
    EXPECT_EQ(editor.CodePage, 936u);
    EXPECT_EQ(lanLink.CodePage, 936u);
    EXPECT_EQ(editor.Owner.Document(), &doc);
    EXPECT_EQ(pane.Owner.Holder(), &editor);
    EXPECT_EQ(pane.Owner.Document(), nullptr);
    EXPECT_TRUE(lanLink.Owner.IsNone());
    EXPECT_EQ(editor.Parent, &frame);
    EXPECT_EQ(editor.GetParent(), &frame);
    EXPECT_EQ(pane.GetParent(), &editor);
    app.codePage = before;
}

// A page in a dialog with a default button and a Cancel button, so that a
// key leaking out of the page would show.
class PageBaseTest : public ::testing::Test {
protected:
    wxGUIEventLoop loop;
    wxEventLoopActivator active{&loop};
    test::ScopedGuiLanguage language;
    CQuorvelDoc doc{932};
    wxDialog* dialog = nullptr;
    CPageBase* page = nullptr;
    int dialogButtons = 0;

    void SetUp() override {
        dialog = new wxDialog(nullptr, wxID_ANY, "host", wxPoint(0, 0), wxSize(520, 420));
        page = new CPageBase(&doc, dialog);
        page->ActionButton->SetLabel("Delete");
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(page, 1, wxEXPAND);
        column->Add(dialog->CreateButtonSizer(wxOK | wxCANCEL), 0, wxALL, 5);
        dialog->SetSizer(column);
        dialog->Layout();
        dialog->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) {
            ++dialogButtons;
            e.Skip();
        });
        CQVListCtrl& list = *page->List;
        list.InsertColumn(0, "No.", wxLIST_FORMAT_LEFT, 80);
        list.InsertColumn(1, "Name", wxLIST_FORMAT_LEFT, 200);
        for (int r = 0; r < 6; ++r) {
            list.InsertItem(r, wxString::Format("%d", r + 1));
            list.SetItem(r, 1, wxString::Format("Name %d", r + 1));
        }
        ASSERT_TRUE(test::ActivateWindow(dialog));
        ASSERT_TRUE(test::PumpUntil([this] { return page->GetSize().y > 200; }));
    }
    void TearDown() override {
        dialog->Destroy();
        test::RunPendingEvents();
    }
    int CheckedCount() const {
        int n = 0;
        for (int r = 0; r < page->List->GetItemCount(); ++r)
            n += page->List->IsItemChecked(r);
        return n;
    }
    bool ListHasFocus() const {
        wxWindow* focus = wxWindow::FindFocus();
        return focus && (focus == page->List || focus->GetParent() == page->List);
    }
    void MoveMouseInto(wxWindow* window) {
        const wxRect r = window->GetScreenRect();
        sim.MouseMove(r.GetPosition() + r.GetSize() / 2);
    }
    wxUIActionSimulator sim;
};

TEST_F(PageBaseTest, ListSitsUnderTheActionButtonOrAtTheTop) {
    struct Case {
        bool buttonShown;
        wxSize page;
    };
    for (const Case c : {Case{true, {400, 300}}, Case{false, {400, 300}}, Case{true, {640, 90}}}) {
        page->ActionButton->Show(c.buttonShown);
        page->SetSize(c.page);
        page->ResizeList();
        const int h = c.buttonShown ? page->ActionButton->GetSize().y : 0;
        const wxSize client = page->GetClientSize();
        EXPECT_EQ(page->List->GetRect(), wxRect(0, h + 5, client.x, client.y - h - 5))
            << c.buttonShown << " " << c.page.x << "x" << c.page.y;
    }
    // A new page size moves the list by itself.
    page->ActionButton->Show();
    page->SetSize(500, 260);
    const int h = page->ActionButton->GetSize().y;
    EXPECT_EQ(page->List->GetRect(),
              wxRect(0, h + 5, page->GetClientSize().x, page->GetClientSize().y - h - 5));
}

TEST_F(PageBaseTest, CtrlAChecksEveryRowFocusesTheListAndGoesOn) {
    int hooksAbove = 0;
    dialog->Bind(wxEVT_CHAR_HOOK, [&](wxKeyEvent& e) {
        hooksAbove += e.GetKeyCode() == 'A' && e.ControlDown();
        e.Skip();
    });
    page->ActionButton->SetFocus();
    ASSERT_TRUE(test::PumpUntil([this] { return page->ActionButton->HasFocus(); }));
    sim.Char('a', wxMOD_CONTROL);
    EXPECT_TRUE(test::PumpUntil([this] { return CheckedCount() == 6; })) << CheckedCount();
    EXPECT_TRUE(ListHasFocus());
    EXPECT_EQ(hooksAbove, 1);
}

TEST_F(PageBaseTest, EnterAndEscapeReachTheListButNeitherCloseNorPress) {
    std::vector<int> listKeys;
    page->List->Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent& e) {
        listKeys.push_back(e.GetKeyCode());
        e.Skip();
    });
    page->List->SetFocus();
    ASSERT_TRUE(test::PumpUntil([this] { return ListHasFocus(); }));
    sim.Char(WXK_RETURN);
    sim.Char(WXK_ESCAPE);
    sim.Char(WXK_NUMPAD_ENTER);
    EXPECT_TRUE(test::PumpUntil([&] { return listKeys.size() == 3; })) << listKeys.size();
    EXPECT_EQ(listKeys, (std::vector<int>{WXK_RETURN, WXK_ESCAPE, WXK_NUMPAD_ENTER}));
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(dialogButtons, 0);
}

TEST_F(PageBaseTest, RightClickMenuHasOnlySelectAllAndItsCommandComesToThePage) {
    struct Opened {
        std::set<int> ids;
        wxString label;
    };
    std::vector<Opened> opened;
    int closeKey = WXK_ESCAPE;
    size_t closed = 0;
    page->Bind(wxEVT_MENU_CLOSE, [&](wxMenuEvent&) { ++closed; });
    page->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        Opened o;
        for (wxMenuItem* item : e.GetMenu()->GetMenuItems()) {
            o.ids.insert(item->GetId());
            o.label = item->GetItemLabelText();
        }
        opened.push_back(o);
        const int key = closeKey;
        page->CallAfter([this, key] {
            if (key == WXK_RETURN)
                sim.Char(WXK_DOWN);
            sim.Char(key);
        });
    });
    // On the action button the menu only opens and closes again.
    MoveMouseInto(page->ActionButton);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(test::PumpUntil([&] { return opened.size() == 1; }));
    EXPECT_EQ(CheckedCount(), 0);

    closeKey = WXK_RETURN; // on the list its command is chosen
    sim.MouseMove(page->List->GetScreenRect().GetBottomRight() - wxPoint(30, 30));
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(test::PumpUntil([&] { return opened.size() >= 2 && CheckedCount() == 6; }))
        << opened.size() << " " << CheckedCount();
    // One more click, after which a right click counted twice would show.
    closeKey = WXK_ESCAPE;
    MoveMouseInto(page->ActionButton);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    // The focus comes back once the menu has gone, later under a window manager.
    ASSERT_TRUE(test::PumpUntil([&] { return closed >= 3 && ListHasFocus(); }))
        << closed << " " << ListHasFocus();
    EXPECT_EQ(opened.size(), 3u);
    for (const Opened& o : opened) {
        EXPECT_EQ(o.ids, std::set<int>{MenuItemId(cmd::kEditSelectAll)});
        EXPECT_EQ(o.label, wxStripMenuCodes(Res(29153)));
    }
    EXPECT_EQ(page->List->GetSelectedItemCount(), 0);
}

TEST_F(PageBaseTest, ButtonNumbersRepeatedAcrossPagesStopAtThePage) {
    auto* next = new wxButton(page, 1001, "Next");
    auto* previous = new wxButton(page, 1002, "Previous");
    int actions = 0;
    page->ActionButton->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++actions; });
    for (wxButton* button : {page->ActionButton, next, previous}) {
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    }
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(dialogButtons, 0);
}

TEST(PopupMenuTest, MenusByNumberTakeTheirTextsFromTheLanguageModule) {
    test::ScopedGuiLanguage language;
    std::unique_ptr<wxMenu> edit = LoadPopupMenu(kMenuEdit);
    ASSERT_TRUE(edit);
    std::vector<int> ids;
    for (wxMenuItem* item : edit->GetMenuItems()) {
        ids.push_back(item->GetId());
        EXPECT_FALSE(item->GetItemLabelText().empty());
    }
    EXPECT_EQ(ids,
              (std::vector<int>{MenuItemId(cmd::kEditCut), MenuItemId(cmd::kEditCopy),
                                MenuItemId(cmd::kEditPaste), MenuItemId(cmd::kEditSelectAll)}));
    std::unique_ptr<wxMenu> station = LoadPopupMenu(kMenuStation);
    ASSERT_TRUE(station);
    ASSERT_EQ(station->GetMenuItemCount(), 1u);
    EXPECT_EQ(station->FindItem(MenuItemId(kCmdUnitType))->GetItemLabel(), Res(29154));
    EXPECT_FALSE(LoadPopupMenu(120));
}

} // namespace
} // namespace qv
