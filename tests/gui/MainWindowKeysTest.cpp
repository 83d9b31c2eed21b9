// The main window from the keyboard: the settings tree walked by the arrow
// keys, the Escape filter, the ribbon's key tips, the accelerators and the
// application menu's mnemonics.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/RibbonLayout.h"
#include "app/SettingsTree.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/FileDialogs.h"
#include "ui/Messages.h"
#include "view/QuorvelView.h"
#include "view/ReportMarginsDlg.h"
#include "view/ReportPreviewFrame.h"

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
    void TearDown() override {
        SetFileDialogAnswer(nullptr);
        if (app.MainFrame())
            app.Document()->TakeSnapshot(kSnapshotSaved); // leave without the save question
        StartedProgramTest::TearDown();
    }
    CMainFrame& Frame() { return *app.MainFrame(); }
    CQuorvelDoc& Doc() { return *app.Document(); }
    CQVTreeCtrl& Tree() { return *Frame().TreePane().Tree(); }
    // The file dialog answers with the next of answers (empty: cancelled)
    // and notes "open" or "save" in asked.
    void AnswerFileDialogs(std::vector<std::string>& asked, std::vector<std::string> answers = {}) {
        SetFileDialogAnswer([&asked, answers](const wxFileDialog& dialog) mutable {
            asked.push_back(dialog.HasFlag(wxFD_OPEN) ? "open" : "save");
            std::string next;
            if (!answers.empty()) {
                next = answers.front();
                answers.erase(answers.begin());
            }
            return next;
        });
    }
    bool TreeHasFocus() { return wxWindow::FindFocus() == &Tree(); }
};

TEST_F(MainWindowKeysTest, TheTreeHasTheFocusAndTheArrowKeysWalkIt) {
    EXPECT_TRUE(test::PumpUntil([this] { return TreeHasFocus(); }));
    const struct {
        int key;
        int page;
    } steps[] = {
        {WXK_DOWN, kPageLogFiles},       {WXK_DOWN, kPageSystemHistory},
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

// Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+P run New, Open, Save and Print, each once,
// wherever the focus is in the main window.
TEST_F(MainWindowKeysTest, TheCommonAcceleratorsRunTheFileCommands) {
    std::vector<std::string> asked;
    AnswerFileDialogs(asked);
    bool printAsked = false;
    struct Step {
        const char* what;
        char key;
        std::function<void(test::DialogScript&)> prepare;
        std::function<bool()> ran;
    };
    const Step steps[] = {
        {"Ctrl+S", 's', [&](test::DialogScript&) { Doc().Blocks().unit.SetU8(1, 'x'); },
         [&] { return Doc().IsUnmodified(); }},
        {"Ctrl+O", 'o', nullptr, [&] { return asked == std::vector<std::string>{"open"}; }},
        {"Ctrl+P", 'p',
         [&](test::DialogScript& script) {
             script.Then([&](wxDialog*) {
                 printAsked = true;
                 return static_cast<int>(wxID_CANCEL);
             });
         },
         [&] { return printAsked; }},
        {"Ctrl+N", 'n', nullptr, [&] { return Doc().IsUntitled(); }},
    };
    for (const Step& step : steps) {
        test::DialogScript script;
        if (step.prepare)
            step.prepare(script);
        sim.Char(step.key, wxMOD_CONTROL);
        EXPECT_TRUE(test::PumpUntil(step.ran)) << step.what;
        test::AwaitInputHandled();
        EXPECT_EQ(script.Pending(), 0u) << step.what;
    }
    EXPECT_EQ(asked, std::vector<std::string>{"open"}) << "the dialog opened once";

    // With the focus in a text field of the page: Open, and Save of the new,
    // untitled settings, which asks where.
    std::function<wxWindow*(wxWindow*)> findText = [&](wxWindow* w) -> wxWindow* {
        for (wxWindow* child : w->GetChildren()) {
            if (child->IsShownOnScreen() && wxDynamicCast(child, wxTextCtrl))
                return child;
            if (wxWindow* below = findText(child))
                return below;
        }
        return nullptr;
    };
    wxWindow* text = findText(&Frame().View());
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(test::FocusControl(text));
    const wxString typed = static_cast<wxTextCtrl*>(text)->GetValue();
    for (const char key : {'o', 's'}) {
        asked.clear();
        sim.Char(key, wxMOD_CONTROL);
        EXPECT_TRUE(test::PumpUntil([&] { return !asked.empty(); })) << key;
        test::AwaitInputHandled();
        EXPECT_EQ(asked, std::vector<std::string>{key == 'o' ? "open" : "save"});
    }
    EXPECT_EQ(static_cast<wxTextCtrl*>(text)->GetValue(), typed) << "the keys reached the field";
}

// The application menu in each language: every entry has one underlined
// letter, no two alike in a menu; the file commands show their accelerators.
TEST_F(MainWindowKeysTest, TheApplicationMenuHasMnemonicsInEveryLanguage) {
    for (int language : test::kGuiLanguages) {
        const std::string where = LanguageRegistryName(language);
        std::unique_ptr<wxMenu> menu;
        {
            test::ScopedGuiLanguage scoped(language);
            menu = Frame().BuildApplicationMenu();
        }
        std::function<void(wxMenu*)> check = [&](wxMenu* m) {
            std::set<wxChar> letters;
            for (wxMenuItem* item : m->GetMenuItems()) {
                if (item->IsSeparator())
                    continue;
                wxString label = item->GetItemLabel().BeforeFirst('\t');
                label.Replace("&&", "");
                const int at = label.Find('&');
                EXPECT_NE(at, wxNOT_FOUND) << where << ": " << label << " has no mnemonic";
                if (at == wxNOT_FOUND)
                    continue;
                EXPECT_EQ(label.find('&', at + 1), wxString::npos) << where << ": " << label;
                const wxChar letter = wxToupper(label[at + 1]);
                EXPECT_TRUE(letter >= 'A' && letter <= 'Z') << where << ": " << label;
                EXPECT_TRUE(letters.insert(letter).second)
                    << where << ": " << wxString(letter) << " twice, at " << label;
                if (item->GetSubMenu() && item->GetSubMenu()->GetMenuItemCount() &&
                    item->GetSubMenu()->FindItemByPosition(0)->GetId() ==
                        cmd::MenuId(cmd::kFilePrintDirect))
                    check(item->GetSubMenu());
            }
        };
        check(menu.get());
        for (int id : {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kFilePrint}) {
            wxMenuItem* item = menu->FindItem(cmd::MenuId(id));
            ASSERT_NE(item, nullptr) << id;
            EXPECT_EQ(item->GetItemLabel().AfterFirst('\t'),
                      wxString::FromUTF8(AcceleratorText(id)))
                << where << ": " << item->GetItemLabel();
        }
    }
    SetActiveStringTable(app.Module());
}

// Each entry of the application menu by its mnemonic, after Alt and the
// application menu's tip: what it does is seen.
TEST_F(MainWindowKeysTest, EveryApplicationMenuEntryByItsMnemonic) {
    std::vector<std::string> asked;
    const std::string other = dir + "/other.qv";
    AnswerFileDialogs(asked, {"", other});
    // The keys typed in the menus: one for each menu as it opens. A menu
    // still open after a while is closed, so a wrong key cannot hang the test.
    std::vector<int> keys;
    int opened = 0;
    Frame().Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        if (opened < static_cast<int>(keys.size()))
            sim.Char(keys[static_cast<size_t>(opened)]);
        ++opened;
        e.Skip();
    });
    wxTimer closer;
    closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { sim.Char(WXK_ESCAPE); });
    std::map<int, char> mnemonic;
    for (const MenuEntry& e : ApplicationMenuEntries())
        if (e.id != kMenuSeparator)
            mnemonic[e.id] = static_cast<char>(
                std::tolower(static_cast<unsigned char>(KeysOfText(e.mnemonic)[0])));
    const char menuTip = static_cast<char>(
        std::tolower(static_cast<unsigned char>(KeysOfText(ApplicationButton().keyTip)[0])));

    auto change = [&] {
        Doc().Blocks().unit.SetU8(1, static_cast<uint8_t>(Doc().Blocks().unit.U8(1) + 1));
    };
    bool dialog = false;
    auto anyDialog = [&](test::DialogScript& s) {
        dialog = false;
        s.Then([&](wxDialog*) {
            dialog = true;
            return static_cast<int>(wxID_CANCEL);
        });
    };
    auto margins = [&](test::DialogScript& s) {
        dialog = false;
        s.Then([&](wxDialog* d) {
            dialog = dynamic_cast<CReportMarginsDlg*>(d) != nullptr;
            return static_cast<int>(wxID_CANCEL);
        });
    };
    // The save question, answered.
    auto question = [&](int answer) {
        return [answer, change](test::DialogScript& s) {
            change();
            s.ThenEnd(answer);
        };
    };
    using Ran = std::function<bool(test::DialogScript&)>;
    const Ran asks = [](test::DialogScript& s) { return s.messages.size() == 1; };
    struct Step {
        const char* what;
        std::vector<int> path; // the entries, a sub-menu's heading first
        std::function<void(test::DialogScript&)> prepare;
        Ran ran;
    };
    const Step steps[] = {
        {"save",
         {cmd::kFileSave},
         [&](test::DialogScript&) { change(); },
         [&](test::DialogScript&) { return Doc().IsUnmodified(); }},
        {"open",
         {cmd::kFileOpen},
         nullptr,
         [&](test::DialogScript&) { return asked == std::vector<std::string>{"open"}; }},
        {"save as",
         {cmd::kFileSaveAs},
         nullptr,
         [&](test::DialogScript&) { return asked.size() == 2 && Doc().PathName() == other; }},
        {"print", {cmd::kFilePrint}, anyDialog, [&](test::DialogScript&) { return dialog; }},
        {"quick print",
         {kPrintMenu, cmd::kFilePrintDirect},
         anyDialog,
         [&](test::DialogScript&) { return dialog; }},
        {"print set-up",
         {kPrintMenu, cmd::kFilePrintSetup},
         margins,
         [&](test::DialogScript&) { return dialog; }},
        // Closing the preview gives the keys back to the window.
        {"print preview",
         {kPrintMenu, cmd::kFilePrintPreview},
         nullptr,
         [&](test::DialogScript&) { return Frame().inPreview; }},
        // The second recent file: the one opened first.
        {"recent file",
         {kRecentMenu, '2'},
         question(wxID_NO),
         [&](test::DialogScript& s) {
             return asks(s) && Doc().IsUnmodified() && Doc().PathName() == dir + "/a.qv";
         }},
        {"close", {cmd::kFileClose}, question(wxID_CANCEL), asks},
        {"exit", {cmd::kAppExit}, question(wxID_CANCEL), asks},
        {"new",
         {cmd::kFileNew},
         question(wxID_NO),
         [&](test::DialogScript& s) { return asks(s) && Doc().IsUntitled(); }},
    };
    for (const Step& step : steps) {
        keys.clear();
        for (int entry : step.path)
            keys.push_back(entry == '2' ? '2' : mnemonic.at(entry));
        opened = 0;
        test::DialogScript script;
        if (step.prepare)
            step.prepare(script);
        closer.Start(5000);
        sim.KeyDown(WXK_ALT);
        sim.KeyUp(WXK_ALT);
        sim.Char(menuTip);
        EXPECT_TRUE(test::PumpUntil([&] { return step.ran(script); })) << step.what;
        closer.Stop();
        test::AwaitInputHandled();
        EXPECT_EQ(opened, static_cast<int>(step.path.size())) << step.what;
        EXPECT_EQ(script.Pending(), 0u) << step.what;
        ASSERT_NE(app.MainFrame(), nullptr) << step.what;
        if (Frame().inPreview) {
            for (wxWindow* w : wxTopLevelWindows)
                if (auto* preview = dynamic_cast<CReportPreviewFrame*>(w))
                    preview->Close();
            ASSERT_TRUE(test::PumpUntil([&] { return !Frame().inPreview; }));
            ASSERT_TRUE(test::PumpUntil([&] {
                for (wxWindow* w : wxTopLevelWindows)
                    if (dynamic_cast<CReportPreviewFrame*>(w))
                        return false;
                return true;
            }));
            ASSERT_TRUE(test::ActivateWindow(&Frame()));
        }
    }
}

} // namespace
} // namespace qv
