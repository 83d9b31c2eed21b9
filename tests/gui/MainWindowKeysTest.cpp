// The main window from the keyboard: the settings tree walked by the arrow
// keys, the Escape filter and the ribbon's key tips.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

// The item of menu whose sub-menu holds the command, or null.
wxMenuItem* SubMenuItem(wxMenu* menu, int command) {
    for (wxMenuItem* item : menu->GetMenuItems())
        if (item->GetSubMenu() && item->GetSubMenu()->FindChildItem(command))
            return item;
    return nullptr;
}

// The program started with a settings file, its window active.
class MainWindowKeysTest : public test::StartedProgramTest {
protected:
    wxUIActionSimulator sim;

    void SetUp() override {
        StartedProgramTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(test::PumpUntil([this] { return Frame().IsActive(); }));
    }
    CMainFrame& Frame() { return *app.MainFrame(); }
    CQVTreeCtrl& Tree() { return *Frame().TreePane().Tree(); }
    bool TreeHasFocus() { return wxWindow::FindFocus() == &Tree(); }
};

TEST_F(MainWindowKeysTest, TheTreeHasTheFocusAndTheArrowKeysWalkIt) {
    EXPECT_TRUE(test::PumpUntil([this] { return TreeHasFocus(); }));
    const struct {
        int key;
        int page;
    } steps[] = {
        {WXK_DOWN, kPageLogFiles},      {WXK_DOWN, kPageSystemHistory},
        {WXK_DOWN, kPageTriggerHistory}, {WXK_DOWN, kPageDeviceOverview},
        {WXK_UP, kPageTriggerHistory},   {WXK_HOME, kPageUnitName},
    };
    for (const auto& step : steps) {
        sim.Char(step.key);
        EXPECT_TRUE(test::PumpUntil([&] { return Frame().View().PageMode() == step.page; }))
            << "key " << step.key << " left page " << Frame().View().PageMode();
        EXPECT_TRUE(TreeHasFocus()) << "key " << step.key;
    }
}

TEST_F(MainWindowKeysTest, EscapeInTheMainWindowShowsTheHiddenTreePaneAndGoesOn) {
    Frame().RunCommand(cmd::kViewTreePane);
    ASSERT_FALSE(Frame().TreePaneShown());
    wxWindow* view = &Frame().View();
    view->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] {
        wxWindow* focus = wxWindow::FindFocus();
        return focus && (focus == view || view->IsDescendant(focus));
    }));
    int escapes = 0; // the key still reaches the control
    wxWindow* focus = wxWindow::FindFocus();
    focus->Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent& e) {
        escapes += e.GetKeyCode() == WXK_ESCAPE;
        e.Skip();
    });
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(test::PumpUntil([&] { return Frame().TreePaneShown() && escapes == 1; }))
        << "escapes seen " << escapes;

    // In a dialog Escape is the dialog's own.
    Frame().RunCommand(cmd::kViewTreePane);
    ASSERT_FALSE(Frame().TreePaneShown());
    auto* dialog = new wxDialog(&Frame(), wxID_ANY, "other");
    auto* button = new wxButton(dialog, wxID_ANY, "Button");
    int dialogEscapes = 0;
    dialog->Bind(wxEVT_CHAR_HOOK, [&](wxKeyEvent& e) {
        dialogEscapes += e.GetKeyCode() == WXK_ESCAPE;
        e.Skip();
    });
    dialog->Show();
    dialog->Raise();
    button->SetFocus();
    ASSERT_TRUE(test::PumpUntil([&] { return dialog->IsActive() && button->HasFocus(); }));
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(test::PumpUntil([&] { return dialogEscapes == 1; }));
    test::AwaitInputHandled();
    EXPECT_FALSE(Frame().TreePaneShown());
    dialog->Destroy();
}

TEST_F(MainWindowKeysTest, AltThenAOrAltWithAOpensTheAboutBox) {
    const std::function<void()> ways[] = {
        [&] {
            sim.KeyDown(WXK_ALT);
            sim.KeyUp(WXK_ALT);
            ASSERT_TRUE(test::PumpUntil([&] {
                return Frame().GetStatusBar()->GetStatusText().Contains("[A]");
            })) << "the key tips are not shown";
            sim.Char('a');
        },
        [&] { sim.Char('a', wxMOD_ALT); },
    };
    for (const auto& way : ways) {
        test::DialogScript script;
        bool about = false;
        script.Then([&](wxDialog* d) {
            about = dynamic_cast<CAboutDlg*>(d) != nullptr;
            return wxID_OK;
        });
        way();
        EXPECT_TRUE(test::PumpUntil([&] { return script.Pending() == 0; }));
        EXPECT_TRUE(about);
        EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(), "") << "the key tips stay up";
    }
    // A letter without Alt before it is no key tip.
    test::DialogScript none;
    sim.Char('a');
    test::AwaitInputHandled();
}

TEST_F(MainWindowKeysTest, KeyTipFOpensTheApplicationMenuWherePAndWAreThePrintTips) {
    // Which menus opened, told while they are open: the menu's first command.
    std::vector<int> opened;
    std::vector<std::string> problems;
    // The menus run their own loop: Escape, a while after each menu opened,
    // closes them again.
    wxTimer closer(&Frame());
    Frame().Bind(
        wxEVT_TIMER, [&](wxTimerEvent&) { sim.Char(WXK_ESCAPE); }, closer.GetId());
    Frame().Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        closer.Start(400);
        wxMenu* menu = e.GetMenu();
        opened.push_back(menu && menu->GetMenuItemCount() ? menu->FindItemByPosition(0)->GetId()
                                                          : 0);
        if (opened.size() == 1) {
            // The application menu: Print carries p, its menu w.
            wxMenuItem* print = menu ? menu->FindChildItem(cmd::MenuId(cmd::kFilePrint)) : nullptr;
            if (!print || !print->GetItemLabel().Lower().Contains("&p"))
                problems.push_back("Print has no key tip p");
            wxMenuItem* printMenu = SubMenuItem(menu, cmd::MenuId(cmd::kFilePrintPreview));
            if (!printMenu || !printMenu->GetItemLabel().Lower().Contains("&w"))
                problems.push_back("the print menu has no key tip w");
            sim.Char('w');
        }
        e.Skip();
    });
    sim.KeyDown(WXK_ALT);
    sim.KeyUp(WXK_ALT);
    sim.Char('f');
    EXPECT_TRUE(test::PumpUntil([&] { return opened.size() >= 2; })) << opened.size();
    closer.Stop();
    EXPECT_TRUE(problems.empty()) << problems.front();
    ASSERT_GE(opened.size(), 2u);
    EXPECT_EQ(opened[0], cmd::MenuId(cmd::kFileNew));
    EXPECT_EQ(opened[1], cmd::MenuId(cmd::kFilePrintDirect)) << "w did not open the print menu";
}

// The menu's state as it drops down: the sub-menu of recent files is greyed
// while the list is empty, and only then.
TEST_F(MainWindowKeysTest, TheRecentFilesMenuIsGreyedWhileTheListIsEmpty) {
    for (const bool empty : {false, true}) {
        if (empty)
            while (!app.Recent().Paths().empty())
                app.Recent().Remove(0);
        std::unique_ptr<wxMenu> menu = Frame().BuildApplicationMenu();
        menu->UpdateUI(&Frame()); // as the menu does before it shows
        wxMenuItem* recent = nullptr;
        for (wxMenuItem* item : menu->GetMenuItems())
            if (item->GetSubMenu() && item->GetItemLabelText() == Res(272))
                recent = item;
        ASSERT_NE(recent, nullptr);
        EXPECT_EQ(recent->IsEnabled(), !empty) << "empty " << empty;
        EXPECT_EQ(recent->GetSubMenu()->GetMenuItemCount(), app.Recent().Paths().size());
    }
}

} // namespace
} // namespace qv
