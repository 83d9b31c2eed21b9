#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <wx/button.h>
#include <wx/stattext.h>

#include "app/AboutDlg.h"
#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "app/ProgramFolder.h"
#include "app/QuorvelApp.h"
#include "app/SplashWindow.h"
#include "app/StartUpDlg.h"
#include "document/MessageType.h"
#include "document/StartChoice.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "ui/WxProfileStore.h"

namespace qv {
namespace {

class StartUpTest : public ::testing::Test {
protected:
    CQuorvelApp& app = wxGetApp();
    std::string dir;
    void SetUp() override {
        char tmpl[] = "/tmp/qvgui.XXXXXX";
        dir = mkdtemp(tmpl);
        std::remove(std::getenv("QV_PROFILE"));
    }
    void TearDown() override {
        app.Reset();
        test::RunPendingEvents();
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    std::string SavedFile(const std::string& name) {
        CQuorvelDoc doc(932);
        const std::string path = dir + "/" + name;
        EXPECT_EQ(doc.SaveSettingsFile(path), 0);
        return path;
    }
    // The splash waits for a key: press one as soon as events run.
    void PressKeyDuringSplash() {
        app.CallAfter([this] {
            wxKeyEvent key(wxEVT_KEY_DOWN);
            key.m_keyCode = WXK_SPACE;
            EXPECT_EQ(app.FilterEvent(key), wxApp::Event_Processed);
        });
    }
};

TEST_F(StartUpTest, ChooserButtonsSetTheStartChoice) {
    struct {
        int control;
        int choice;
        bool enabled;
    } rows[] = {
        {kIdStartNew, kStartNewSettings, true},     {kIdStartOpenFile, kStartOpenFile, true},
        {kIdStartWizard, kStartSettingsWizard, false},
        {kIdStartReadUnit, kStartReadFromUnit, false},
        {kIdStartPowerMeterWizard, kStartPowerMeterWizard, false},
    };
    test::ScopedGuiLanguage lang;
    for (const auto& row : rows) {
        int choice = -7;
        CStartUpDlg dlg(nullptr, choice, false, false);
        ASSERT_NE(dlg.ButtonFor(row.control), nullptr);
        EXPECT_EQ(dlg.ButtonFor(row.control)->IsEnabled(), row.enabled) << row.control;
        EXPECT_FALSE(dlg.ButtonFor(row.control)->GetToolTipText().empty());
        if (!row.enabled)
            continue;
        test::DialogScript script;
        script.ThenClick(row.control);
        EXPECT_EQ(dlg.ShowModal(), wxID_OK);
        EXPECT_EQ(choice, row.choice);
    }
    int choice = 3;
    CStartUpDlg dlg(nullptr, choice, true, true);
    EXPECT_TRUE(dlg.ButtonFor(kIdStartWizard)->IsEnabled());
    test::DialogScript script;
    script.ThenClick(wxID_CANCEL);
    EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(choice, 3);
}

TEST_F(StartUpTest, AboutBoxShowsOwnerAndOrganisationOnTwoLines) {
    test::ScopedGuiLanguage language;
    struct Case {
        const char *owner, *organization;
        const char* shown; // null: neither the heading nor the owner text
    };
    const Case cases[] = {{"Hana Yamada", "Zorvek Control", "Hana Yamada\nZorvek Control"},
                          {"Hana Yamada", "", "Hana Yamada"},
                          {"", "Zorvek Control", "Zorvek Control"},
                          {"", "", nullptr}};
    for (const Case& c : cases) {
        CAboutDlg about(nullptr, c.owner, c.organization);
        ASSERT_TRUE(test::AwaitShown(&about));
        auto* text = wxDynamicCast(about.FindWindow(kIdAboutOwnerText), wxStaticText);
        bool heading = false;
        for (wxWindow* child : about.GetChildren())
            heading |= wxDynamicCast(child, wxStaticText) && child->GetLabel() == Res(29112);
        EXPECT_EQ(heading, c.shown != nullptr) << c.owner << "/" << c.organization;
        if (!c.shown) {
            EXPECT_EQ(text, nullptr);
            continue;
        }
        ASSERT_NE(text, nullptr) << c.owner << "/" << c.organization;
        EXPECT_EQ(text->GetLabel(), c.shown);
    }
}

TEST_F(StartUpTest, SplashEndsOnItsTimerOrAKeyAndNeedsAValidPicture) {
    CSplashWnd* splash = CSplashWnd::Show(ProgramFolder(), "Owner", "Org", 150);
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(CSplashWnd::Showing());
    CSplashWnd::Wait(); // ends by the timer
    EXPECT_FALSE(CSplashWnd::Showing());

    ASSERT_NE(CSplashWnd::Show(ProgramFolder(), "", "", 60000), nullptr);
    PressKeyDuringSplash();
    CSplashWnd::Wait();
    EXPECT_FALSE(CSplashWnd::Showing());

    std::ofstream(dir + "/QVOpen.Opn") << "BM short";
    EXPECT_EQ(CSplashWnd::Show(dir, "", "", 150), nullptr);
    EXPECT_EQ(CSplashWnd::Show(dir + "/missing", "", "", 150), nullptr);
}

TEST_F(StartUpTest, CommandLineFileOpensWithoutSplashOrChooser) {
    const std::string file = SavedFile("plant.qv");
    test::DialogScript script; // any dialog would fail the test
    ASSERT_TRUE(app.StartUp({file}));
    EXPECT_EQ(app.startChoice, kStartCommandLineFile);
    EXPECT_EQ(app.MainFrame()->GetTitle(), "plant.qv - Quorvelis");
    EXPECT_TRUE(app.MainFrame()->IsShown());
    EXPECT_EQ(app.Document()->PathName(), file);
    ASSERT_FALSE(app.Recent().Paths().empty());
    EXPECT_EQ(app.Recent().Paths()[0], file);
    EXPECT_EQ(app.languageIndex, kLangJapanese); // first run
    EXPECT_EQ(*app.Profile().ReadText("Settings", "Language"), L"Japanese");
    EXPECT_TRUE(script.seen.empty());
}

TEST_F(StartUpTest, FailedCommandLineFileShowsMessageThenChooserAndStaysUntitled) {
    const std::string missing = dir + "/gone.qv";
    test::DialogScript script;
    script.ThenEnd(wxID_OK);            // message 20283
    script.ThenClick(kIdStartNew);      // the chooser again: new settings
    ASSERT_TRUE(app.StartUp({missing}));
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(app.Document()->IsUntitled()); // a later Save must not overwrite it
    EXPECT_NE(app.MainFrame()->GetTitle().Find(".qv - Quorvelis"), wxNOT_FOUND);
    EXPECT_EQ(app.MainFrame()->GetTitle().Find("gone"), wxNOT_FOUND);
}

TEST_F(StartUpTest, CancelInTheChooserEndsStartUp) {
    test::DialogScript script;
    script.ThenClick(wxID_CANCEL);
    PressKeyDuringSplash();
    EXPECT_FALSE(app.StartUp({}));
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST_F(StartUpTest, NewSettingsFromTheChooserAfterTheSplash) {
    test::DialogScript script;
    script.ThenClick(kIdStartNew);
    PressKeyDuringSplash();
    ASSERT_TRUE(app.StartUp({}));
    EXPECT_TRUE(app.Document()->IsUntitled());
    EXPECT_TRUE(app.Document()->IsUnmodified());
    EXPECT_EQ(app.MainFrame()->GetTitle(), wxString::FromUTF8("無題.qv - Quorvelis"));
}

TEST_F(StartUpTest, PlacementAndListWidthsAreStoredAtCloseAndAMinimisedOneIsNotRestored) {
    {
        WxProfileStore profile(WxProfileStore::DefaultPath());
        WindowPlacement p;
        p.showCmd = kShowMinimized;
        p.flags = 0;
        p.normal = {40, 50, 840, 650};
        SaveWindowPlacement(profile, p);
        profile.WriteNumber(kPlacementSection, "ShowCmd", 2);
    }
    const std::string file = SavedFile("a.qv");
    test::DialogScript script;
    ASSERT_TRUE(app.StartUp({file}));
    EXPECT_FALSE(app.MainFrame()->IsIconized());
    app.columnWidths[3][2] = 77;
    app.MainFrame()->Close();
    test::RunPendingEvents();
    EXPECT_EQ(*app.Profile().ReadNumber("ListStateInfo\\List3", "Column Width 02"), 77u);
    EXPECT_TRUE(app.Profile().ReadNumber(kPlacementSection, "FrameWnd Normal left"));
    app.OnExit();
    EXPECT_FALSE(app.Profile().ReadNumber(kPlacementSection, "ShowCmd"));
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST(MessageBoxTest, CaptionIconsAndAnswers) {
    struct {
        unsigned type;
        int pressed;
        int answer;
        long icon;
    } cases[] = {
        {kMbYesNo, wxID_YES, kIdYes, wxICON_EXCLAMATION},
        {kMbYesNo | kMbIconQuestion, wxID_NO, kIdNo, wxICON_QUESTION},
        {kMbOk | kMbIconInformation, wxID_OK, kIdOk, wxICON_INFORMATION},
        {kMbYesNoCancel, wxID_CANCEL, kIdCancel, wxICON_EXCLAMATION},
        {kMbAbortRetryIgnore, wxID_NO, kIdRetry, 0},
    };
    for (const auto& c : cases) {
        test::DialogScript script;
        long style = -1;
        wxString caption;
        script.Then([&](wxDialog* d) {
            auto* box = dynamic_cast<wxMessageDialogBase*>(d);
            style = box ? box->GetMessageDialogStyle() : -1;
            caption = d->GetTitle();
            return c.pressed;
        });
        EXPECT_EQ(ShowMessage(c.type, "text"), c.answer) << c.type;
        EXPECT_EQ(caption, "Quorvelis");
        const long icons = wxICON_EXCLAMATION | wxICON_QUESTION | wxICON_INFORMATION | wxICON_ERROR;
        EXPECT_EQ(style & icons, c.icon) << c.type;
    }
}

} // namespace
} // namespace qv
