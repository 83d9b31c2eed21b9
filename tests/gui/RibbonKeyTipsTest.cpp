// Every command of the main window by keys alone, in each language: Alt
// shows a key tip on each element of the first level, a category's letter
// shows that category with a tip on each of its commands, the command's
// letters run it; Escape steps back.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <wx/filedlg.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/KeyTips.h"
#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/RibbonBar.h"
#include "app/SettingsTree.h"
#include "document/QuorvelDoc.h"
#include "editors/PortSettingsDlg.h"
#include "editors/config/ConfigSetDlg.h"
#include "editors/devices/DeviceListPage.h"
#include "editors/devices/DeviceTableModel.h"
#include "editors/lan/LanSetDlg.h"
#include "editors/pmwizard/PowerMeterWizardDlg.h"
#include "editors/triggers/TriggerListDlg.h"
#include "editors/wizard/WizardDlg.h"
#include "online/ConnectionDlg.h"
#include "online/PasswordDlg.h"
#include "online/UnitToolUser.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/RibbonBars.h"
#include "ui/FileDialogs.h"
#include "ui/QVListCtrl.h"
#include "ui/WxProfileStore.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

// The program started in the language of the parameter with a settings
// file, its window active; file dialogs answer from the test.
class RibbonKeyTipsTest : public ::testing::TestWithParam<int> {
protected:
    CQuorvelApp& app = wxGetApp();
    std::string dir;
    wxUIActionSimulator sim;
    std::vector<std::string> fileAsked;
    int firmwareAsked = 0;

    void SetUp() override {
        std::remove(std::getenv("QV_PROFILE"));
        {
            WxProfileStore profile(WxProfileStore::DefaultPath());
            GetLanguage(profile); // the first-run values
            SetLanguage(profile, GetParam());
        }
        char tmpl[] = "/tmp/qvtips.XXXXXX";
        dir = mkdtemp(tmpl);
        ASSERT_EQ(CQuorvelDoc(932).SaveSettingsFile(dir + "/a.qv"), 0);
        SetFileDialogAnswer([this](const wxFileDialog& dialog) {
            fileAsked.push_back(dialog.HasFlag(wxFD_OPEN) ? "open" : "save");
            return std::string();
        });
        SetFirmwareFileAnswer([this](const wxFileDialog&) {
            ++firmwareAsked;
            return std::string();
        });
        test::DialogScript none;
        ASSERT_TRUE(app.StartUp({dir + "/a.qv"}));
        ASSERT_EQ(app.languageIndex, GetParam());
        ASSERT_TRUE(test::ActivateWindow(&Frame()));
    }
    void TearDown() override {
        SetFileDialogAnswer(nullptr);
        SetFirmwareFileAnswer(nullptr);
        if (app.MainFrame()) {
            app.Document()->TakeSnapshot(kSnapshotSaved);
            app.MainFrame()->Close(true);
        }
        app.Reset();
        test::RunPendingEvents();
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    CMainFrame& Frame() { return *app.MainFrame(); }
    CQuorvelDoc& Doc() { return *app.Document(); }

    std::string BadgeKeys() {
        std::string keys;
        for (const auto& shown : Frame().KeyTipBadges())
            keys += (keys.empty() ? "" : " ") + shown.badge.keys.utf8_string();
        return keys;
    }
    static std::string KeysOf(const std::vector<KeyTip>& tips) {
        std::string keys;
        for (const KeyTip& tip : tips)
            keys += (keys.empty() ? "" : " ") + tip.keys;
        return keys;
    }
    // Presses and releases Alt, and waits for the first level's tips.
    bool ShowFirstLevel() {
        sim.KeyDown(WXK_ALT);
        sim.KeyUp(WXK_ALT);
        const std::string top = KeysOf(MainWindowKeyTips().top);
        return test::PumpUntil([&] { return BadgeKeys() == top; });
    }
    void Type(const std::string& keys) {
        for (char c : keys)
            sim.Char(std::tolower(static_cast<unsigned char>(c)));
    }
    // The first level's tip of an action (and its command or category).
    static KeyTip TopTip(KeyTipAction action, int value = 0) {
        const bool byValue =
            action == KeyTipAction::RunCommand || action == KeyTipAction::ShowCategory;
        const KeyTipLevels levels = MainWindowKeyTips();
        for (const KeyTip& tip : levels.top)
            if (tip.action == action && (!byValue || tip.value == value))
                return tip;
        ADD_FAILURE() << "no tip of the first level for " << value;
        return {};
    }
    // Alt, the category's letter: its commands' tips show on its page.
    bool ShowCategory(size_t category) {
        if (!ShowFirstLevel())
            return false;
        Type(TopTip(KeyTipAction::ShowCategory, static_cast<int>(category)).keys);
        const std::string commands = KeysOf(MainWindowKeyTips().categories[category]);
        return test::PumpUntil([&] {
            return Frame().Ribbon().GetActivePage() == static_cast<int>(category) &&
                   BadgeKeys() == commands;
        });
    }
    CDeviceSetPage& ShowDeviceList() {
        CQVTreeCtrl& tree = *Frame().TreePane().Tree();
        tree.SelectItem(tree.FindItemByMode(32)); // file 1
        test::RunPendingEvents();
        auto* page = dynamic_cast<CDeviceSetPage*>(Frame().View().ShownPage());
        EXPECT_NE(page, nullptr);
        return *page;
    }
};

// Each tip stands on its element: its label is shown, crosses the element,
// lies no further off than half its own height, and covers no other tip.
void ExpectBadgesOnTheirElements(CMainFrame& frame, const std::vector<wxRect>& elements,
                                 const std::string& where) {
    const auto badges = frame.KeyTipBadges();
    ASSERT_EQ(badges.size(), elements.size()) << where;
    for (size_t i = 0; i < badges.size(); ++i) {
        const wxString keys = badges[i].badge.keys;
        wxWindow* window = badges[i].window;
        EXPECT_TRUE(window->IsShown()) << where << ": " << keys;
        const wxRect rect = window->GetScreenRect();
        EXPECT_FALSE(elements[i].IsEmpty()) << where << ": " << keys;
        EXPECT_TRUE(rect.Intersects(elements[i]))
            << where << ": " << keys << " at " << rect.x << "," << rect.y << " for "
            << elements[i].x << "," << elements[i].y << " " << elements[i].width << "x"
            << elements[i].height;
        EXPECT_GE(rect.GetWidth(), rect.GetHeight() / 2) << where << ": " << keys;
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(rect.Intersects(badges[j].window->GetScreenRect()))
                << where << ": " << keys << " covers " << badges[j].badge.keys;
    }
}

TEST_P(RibbonKeyTipsTest, ATipStandsOnEachElementOfEachLevel) {
    ASSERT_TRUE(ShowFirstLevel());
    auto& ribbon = static_cast<CRibbonBar&>(Frame().Ribbon());
    const KeyTipLevels levels = MainWindowKeyTips();
    std::vector<wxRect> elements;
    for (const KeyTip& tip : levels.top) {
        wxRect element;
        switch (tip.action) {
        case KeyTipAction::ShowCategory: {
            const wxRect tab = ribbon.TabRect(static_cast<size_t>(tip.value));
            element = wxRect(ribbon.ClientToScreen(tab.GetPosition()), tab.GetSize());
            break;
        }
        case KeyTipAction::RunCommand:
            if (tip.value == cmd::kAppAbout) {
                const wxRect help = ribbon.HelpButtonRect();
                element = wxRect(ribbon.ClientToScreen(help.GetPosition()), help.GetSize());
            } else {
                wxWindow* tool = Frame().QuickAccessTool(tip.value);
                EXPECT_NE(tool, nullptr) << tip.value;
                if (tool)
                    element = tool->GetScreenRect();
            }
            break;
        case KeyTipAction::ApplicationMenu:
        case KeyTipAction::StyleMenu:
            // The buttons at each end of the strip above the ribbon.
            element = Frame().KeyTipTarget(tip);
            EXPECT_LT(element.GetBottom(), ribbon.GetScreenRect().GetTop() + 4);
            break;
        }
        elements.push_back(element);
    }
    ExpectBadgesOnTheirElements(Frame(), elements, "first level");
    EXPECT_TRUE(Frame().GetStatusBar()->GetStatusText().Contains(
        "[" + TopTip(KeyTipAction::ApplicationMenu).keys + "]"));

    for (size_t c = 0; c < ribbon.GetPageCount(); ++c) {
        // Escape from a category steps back to the first level, then away.
        for (int level = c == 0 ? 1 : 2; level > 0; --level) {
            const std::string before = BadgeKeys();
            sim.Char(WXK_ESCAPE);
            ASSERT_TRUE(test::PumpUntil([&] { return BadgeKeys() != before; }));
        }
        ASSERT_EQ(BadgeKeys(), "");
        ASSERT_TRUE(ShowCategory(c)) << "category " << c << " shows " << BadgeKeys();
        // The ribbon's own buttons of the page, found apart from the tips.
        std::vector<wxRect> commands;
        for (const KeyTip& tip : levels.categories[c]) {
            wxRect element;
            for (wxRibbonButtonBar* bar :
                 test::RibbonButtonBars(ribbon.GetPage(static_cast<int>(c))))
                for (size_t i = 0; i < bar->GetButtonCount(); ++i)
                    if (bar->GetItemId(bar->GetItem(i)) == tip.value) {
                        const wxRect r = bar->GetItemRect(tip.value);
                        element = wxRect(bar->ClientToScreen(r.GetPosition()), r.GetSize());
                    }
            commands.push_back(element);
        }
        ExpectBadgesOnTheirElements(Frame(), commands, "category " + std::to_string(c));
    }
}

TEST_P(RibbonKeyTipsTest, EscapeStepsBackALevelAndTheKeysGoNowhereElse) {
    int keysSeen = 0; // keys that reached the focused control
    wxWindow* focus = wxWindow::FindFocus();
    ASSERT_NE(focus, nullptr);
    focus->Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent& e) {
        keysSeen += e.GetKeyCode() != WXK_ALT;
        e.Skip();
    });
    const int page = Frame().Ribbon().GetActivePage();
    ASSERT_TRUE(ShowCategory(1));
    sim.Char(WXK_ESCAPE);
    const std::string top = KeysOf(MainWindowKeyTips().top);
    EXPECT_TRUE(test::PumpUntil([&] { return BadgeKeys() == top; })) << BadgeKeys();
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(test::PumpUntil([&] { return BadgeKeys().empty(); })) << BadgeKeys();
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(), "");
    test::AwaitInputHandled();
    EXPECT_EQ(keysSeen, 0);
    EXPECT_EQ(Frame().Ribbon().GetActivePage(), 1) << "the page chosen stays, was " << page;
    // Now Escape goes on to the control.
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(test::PumpUntil([&] { return keysSeen == 1; }));
}

// One command reached by keys, what it opens and how the test sees it ran.
struct Reach {
    const char* what;
    int id;
    std::function<void(test::DialogScript&)> expect; // the dialogs it opens
    std::function<bool()> ran;                       // seen once it has run
};

template <class Dialog> std::function<void(test::DialogScript&)> Opens(bool* seen) {
    return [seen](test::DialogScript& script) {
        *seen = false;
        script.Then([seen](wxDialog* d) {
            *seen = dynamic_cast<Dialog*>(d) != nullptr;
            return static_cast<int>(wxID_CANCEL);
        });
    };
}

TEST_P(RibbonKeyTipsTest, EveryRibbonCommandByKeysAlone) {
    bool seen = false;
    auto dialogSeen = [&] { return seen; };
    CDeviceSetPage* list = nullptr;
    auto checkOnly = [&](long row) {
        list->UncheckAllRows();
        list->List->CheckItem(row, true);
    };
    const bool statusBar = Frame().GetStatusBar()->IsShown();
    const bool captionBar = Frame().CaptionBarShown();
    const bool treePane = Frame().TreePaneShown();
    DeviceRecord a = EmptyDeviceRecord();
    a.SetAscii(dev::kName, 32, "A");
    a.SetU16(dev::kNumber, 1);
    a.SetU8(dev::kFile, 1);
    a.SetU8(dev::kPort, 1);
    a.SetU8(dev::kStation, 1);
    Doc().Blocks().devices[0] = a;

    const Reach reaches[] = {
        {"power-meter wizard", cmd::kPowerMeterWizard, Opens<CZuzPelmDlg>(&seen), dialogSeen},
        {"settings wizard", cmd::kSettingsWizard, Opens<CWizardDlg>(&seen), dialogSeen},
        {"read from unit", cmd::kReadFromUnit, Opens<CConnectionDlg>(&seen), dialogSeen},
        {"write to unit", cmd::kWriteToUnit, Opens<CConnectionDlg>(&seen), dialogSeen},
        {"password", cmd::kUnitPassword, Opens<CPasswordDlg>(&seen), dialogSeen},
        {"select all", cmd::kEditSelectAll,
         [&](test::DialogScript&) {
             list = &ShowDeviceList();
             list->UncheckAllRows();
         },
         [&] { return list->List->IsItemChecked(0) && list->List->IsItemChecked(299); }},
        {"copy", cmd::kEditCopy, [&](test::DialogScript&) { checkOnly(0); },
         [&] { return Frame().View().copiedRowCount == 1; }},
        {"paste", cmd::kEditPaste, [&](test::DialogScript&) { checkOnly(2); },
         [&] { return list->List->GetItemText(2, 3) == "A"; }},
        {"cut", cmd::kEditCut, [&](test::DialogScript&) { checkOnly(0); },
         [&] { return list->CutPending(); }},
        {"status bar", cmd::kViewStatusBar, nullptr,
         [&] { return Frame().GetStatusBar()->IsShown() != statusBar; }},
        {"status bar again", cmd::kViewStatusBar, nullptr,
         [&] { return Frame().GetStatusBar()->IsShown() == statusBar; }},
        {"caption bar", cmd::kViewCaptionBar, nullptr,
         [&] { return Frame().CaptionBarShown() != captionBar; }},
        {"caption bar again", cmd::kViewCaptionBar, nullptr,
         [&] { return Frame().CaptionBarShown() == captionBar; }},
        {"settings tree", cmd::kViewTreePane, nullptr,
         [&] { return Frame().TreePaneShown() != treePane; }},
        {"settings tree again", cmd::kViewTreePane, nullptr,
         [&] { return Frame().TreePaneShown() == treePane; }},
        {"LAN settings", cmd::kLanSettings, Opens<CLANSetDlg>(&seen), dialogSeen},
        {"port settings", cmd::kPortSettings, Opens<CComSetDlg>(&seen), dialogSeen},
        {"trigger selection", cmd::kTriggerSelect, Opens<CTrigselDlg>(&seen), dialogSeen},
        {"system settings", cmd::kConfigSettings, Opens<CConfigSetDlg>(&seen), dialogSeen},
        {"RUN/PROGRAM", cmd::kRunProgramMode, Opens<CConnectionDlg>(&seen), dialogSeen},
        {"clear unit", cmd::kClearUnit, Opens<CConnectionDlg>(&seen), dialogSeen},
        {"firmware", cmd::kFirmwareUpdate, nullptr, [&] { return firmwareAsked == 1; }},
        {"unit status", cmd::kUnitStatus, Opens<CConnectionDlg>(&seen), dialogSeen},
        {"monitor", cmd::kMonitor, Opens<CConnectionDlg>(&seen), dialogSeen},
        {"unit files", cmd::kFtpClient, Opens<CConnectionDlg>(&seen), dialogSeen},
    };
    const KeyTipLevels levels = MainWindowKeyTips();
    std::set<int> reached;
    for (const Reach& r : reaches) {
        // Where the command's tip is.
        size_t category = levels.categories.size();
        std::string keys;
        for (size_t c = 0; c < levels.categories.size(); ++c)
            for (const KeyTip& tip : levels.categories[c])
                if (tip.value == r.id) {
                    category = c;
                    keys = tip.keys;
                }
        ASSERT_LT(category, levels.categories.size()) << r.what;
        test::DialogScript script;
        if (r.expect)
            r.expect(script);
        ASSERT_TRUE(ShowCategory(category)) << r.what << ": tips shown " << BadgeKeys();
        Type(keys);
        EXPECT_TRUE(test::PumpUntil(r.ran)) << r.what << " (" << keys << ") did not run";
        EXPECT_EQ(script.Pending(), 0u) << r.what;
        EXPECT_TRUE(Frame().KeyTipBadges().empty()) << r.what << ": " << BadgeKeys();
        test::AwaitInputHandled();
        reached.insert(r.id);
    }
    for (const auto& commands : levels.categories)
        for (const KeyTip& tip : commands)
            EXPECT_TRUE(reached.count(tip.value)) << "command " << tip.value << " not walked";
}

// The first level: the quick-access tools, the About and style buttons.
TEST_P(RibbonKeyTipsTest, TheToolsAboutAndStyleByKeysAlone) {
    const std::string save = TopTip(KeyTipAction::RunCommand, cmd::kFileSave).keys;
    const std::string open = TopTip(KeyTipAction::RunCommand, cmd::kFileOpen).keys;
    const std::string fresh = TopTip(KeyTipAction::RunCommand, cmd::kFileNew).keys;
    const std::string print = TopTip(KeyTipAction::RunCommand, cmd::kFilePrint).keys;
    const std::string about = TopTip(KeyTipAction::RunCommand, cmd::kAppAbout).keys;
    const std::string style = TopTip(KeyTipAction::StyleMenu).keys;
    bool seen = false;
    struct Step {
        const char* what;
        std::string keys;
        std::function<void(test::DialogScript&)> expect;
        std::function<bool()> ran;
    };
    const Step steps[] = {
        {"save", save, [&](test::DialogScript&) { Doc().Blocks().unit.SetU8(1, 'x'); },
         [&] { return Doc().IsUnmodified(); }},
        {"open", open, nullptr, [&] { return fileAsked == std::vector<std::string>{"open"}; }},
        {"new", fresh, nullptr, [&] { return Doc().IsUntitled(); }},
        {"print", print,
         [&](test::DialogScript& s) {
             seen = false;
             s.Then([&](wxDialog*) {
                 seen = true;
                 return static_cast<int>(wxID_CANCEL);
             });
         },
         [&] { return seen; }},
        {"about", about, Opens<CAboutDlg>(&seen), [&] { return seen; }},
    };
    for (const Step& step : steps) {
        test::DialogScript script;
        if (step.expect)
            step.expect(script);
        ASSERT_TRUE(ShowFirstLevel()) << step.what;
        Type(step.keys);
        EXPECT_TRUE(test::PumpUntil(step.ran)) << step.what;
        EXPECT_EQ(script.Pending(), 0u) << step.what;
        EXPECT_TRUE(Frame().KeyTipBadges().empty()) << step.what;
    }

    // The style menu opens; the arrow keys and Enter choose in it. The menu
    // runs its own loop: the keys go in from its opening.
    const int look = Frame().appLook;
    ASSERT_TRUE(ShowFirstLevel());
    int opened = 0;
    Frame().Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        if (++opened == 1) {
            sim.Char(WXK_DOWN);
            sim.Char(WXK_RETURN);
        }
        e.Skip();
    });
    Type(style);
    EXPECT_TRUE(test::PumpUntil([&] { return opened > 0; })) << "the style menu did not open";
    EXPECT_TRUE(test::PumpUntil([&] { return Frame().appLook != look; }));
    EXPECT_TRUE(Frame().StateOf(Frame().appLook).checked);
    EXPECT_EQ(opened, 1);
}

INSTANTIATE_TEST_SUITE_P(Languages, RibbonKeyTipsTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

} // namespace
} // namespace qv
