#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sys/stat.h>
#include <wx/filedlg.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "editors/lan/LanSetDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "ui/FileDialogs.h"
#include "ui/Messages.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> b;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            b.push_back(static_cast<uint8_t>(c));
        std::fclose(f);
    }
    return b;
}

// The program started with a settings file, so no splash and no chooser.
class MainFrameTest : public ::testing::Test {
protected:
    CQuorvelApp& app = wxGetApp();
    std::string dir;
    std::string startFile;
    std::vector<std::string> fileAnswers; // what the file dialog returns, in turn
    std::vector<std::string> fileAsked;   // "open:initial" / "save:initial"
    struct FileDialogSeen {
        bool open;
        wxString title, folder;
    };
    std::vector<FileDialogSeen> fileDialogs;

    void SetUp() override {
        char tmpl[] = "/tmp/qvframe.XXXXXX";
        dir = mkdtemp(tmpl);
        std::remove(std::getenv("QV_PROFILE"));
        startFile = SavedFile("start.qv", 'S');
        SetFileDialogAnswer([this](const wxFileDialog& dialog) {
            const bool open = dialog.HasFlag(wxFD_OPEN);
            fileAsked.push_back(std::string(open ? "open:" : "save:") +
                                dialog.GetPath().utf8_string());
            fileDialogs.push_back({open, dialog.GetMessage(), dialog.GetDirectory()});
            if (fileAnswers.empty())
                return std::string();
            std::string next = fileAnswers.front();
            fileAnswers.erase(fileAnswers.begin());
            return next;
        });
        test::DialogScript none;
        ASSERT_TRUE(app.StartUp({startFile}));
        test::RunPendingEvents();
    }
    void TearDown() override {
        SetFileDialogAnswer(nullptr);
        if (app.MainFrame()) {
            // Leave without the save question.
            app.Document()->TakeSnapshot(kSnapshotSaved);
            app.MainFrame()->Close(true);
        }
        app.Reset();
        test::RunPendingEvents();
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    std::string SavedFile(const std::string& name, char firstNameByte) {
        CQuorvelDoc doc(932);
        doc.Blocks().unit.SetU8(0, static_cast<uint8_t>(firstNameByte));
        const std::string path = dir + "/" + name;
        EXPECT_EQ(doc.SaveSettingsFile(path), 0);
        return path;
    }
    CMainFrame& Frame() { return *app.MainFrame(); }
    CQuorvelDoc& Doc() { return *app.Document(); }
    void Change() { Doc().Blocks().unit.SetU8(1, 'x'); }
};

TEST_F(MainFrameTest, EveryCommandIsOfferedAndOnlyTheEditOnesWaitForTheDeviceList) {
    // Copy, Cut and Paste act on the device list, which a new program does not show.
    const std::set<int> later = {cmd::kEditPaste, cmd::kEditCut, cmd::kEditCopy};
    const std::vector<int> all = Frame().AllCommands();
    for (int id : later)
        EXPECT_NE(std::find(all.begin(), all.end(), id), all.end()) << id << " not offered";
    for (int id : all) {
        EXPECT_EQ(Frame().StateOf(id).enabled, later.count(id) == 0) << id;
        if (later.count(id)) {
            test::DialogScript script; // a disabled command opens nothing
            Frame().RunCommand(id);
        }
    }
}

TEST_F(MainFrameTest, CommandsAndWhatTheyChange) {
    struct Step {
        const char* what;
        int id;
        std::function<void(test::DialogScript&)> prepare;
        std::function<void()> check;
    };
    const std::string other = SavedFile("other.qv", 'O');
    const std::string saveAsPath = dir + "/saved-as"; // ".qv" is added
    const Step steps[] = {
        {"caption bar off", cmd::kViewCaptionBar, nullptr,
         [&] { EXPECT_FALSE(Frame().CaptionBarShown()); }},
        {"caption bar on", cmd::kViewCaptionBar, nullptr,
         [&] { EXPECT_TRUE(Frame().CaptionBarShown()); }},
        {"tree pane off", cmd::kViewTreePane, nullptr,
         [&] { EXPECT_FALSE(Frame().TreePaneShown()); }},
        {"tree pane on", cmd::kViewTreePane, nullptr,
         [&] { EXPECT_TRUE(Frame().TreePaneShown()); }},
        {"status bar off", cmd::kViewStatusBar, nullptr,
         [&] { EXPECT_FALSE(Frame().GetStatusBar()->IsShown()); }},
        {"status bar on", cmd::kViewStatusBar, nullptr,
         [&] { EXPECT_TRUE(Frame().GetStatusBar()->IsShown()); }},
        {"style black", 216, nullptr,
         [&] {
             EXPECT_EQ(Frame().appLook, 216);
             EXPECT_TRUE(Frame().StateOf(216).checked);
             EXPECT_FALSE(Frame().StateOf(215).checked);
             EXPECT_EQ(*app.Profile().ReadNumber("Workspace", "ApplicationLook"), 216u);
         }},
        {"about", cmd::kAppAbout, [](test::DialogScript& s) { s.ThenEnd(wxID_OK); }, nullptr},
        {"LAN settings", cmd::kLanSettings,
         [](test::DialogScript& s) {
             s.Then([](wxDialog* d) {
                 EXPECT_NE(dynamic_cast<CLANSetDlg*>(d), nullptr);
                 return static_cast<int>(wxID_CANCEL);
             });
         },
         nullptr},
        {"open", cmd::kFileOpen, [&](test::DialogScript&) { fileAnswers = {other}; },
         [&] {
             EXPECT_EQ(Doc().PathName(), other);
             EXPECT_EQ(Frame().GetTitle(), "other.qv - Quorvelis");
             EXPECT_EQ(Doc().Blocks().unit.U8(0), 'O');
         }},
        {"save as", cmd::kFileSaveAs, [&](test::DialogScript&) { fileAnswers = {saveAsPath}; },
         [&] {
             EXPECT_EQ(Doc().PathName(), saveAsPath + ".qv");
             EXPECT_EQ(FileBytes(saveAsPath + ".qv").size(), 131072u);
             EXPECT_EQ(app.Recent().Paths().front(), saveAsPath + ".qv");
             // kept in the profile at once, not only at the close
             EXPECT_EQ(*app.Profile().ReadText("Recent File List", "File1"),
                       wxString::FromUTF8(saveAsPath + ".qv").ToStdWstring());
         }},
        {"save", cmd::kFileSave, [&](test::DialogScript&) { Change(); },
         [&] {
             EXPECT_TRUE(Doc().IsUnmodified());
             EXPECT_EQ(FileBytes(saveAsPath + ".qv")[65], 'x');
         }},
        {"new", cmd::kFileNew, nullptr,
         [&] {
             EXPECT_TRUE(Doc().IsUntitled());
             EXPECT_EQ(Doc().Blocks().unit.U8(0), 'B');
             EXPECT_EQ(Frame().GetTitle(), wxString::FromUTF8("無題.qv - Quorvelis"));
         }},
        {"recent file 2", cmd::kRecentFile1 + 1, nullptr,
         [&] { EXPECT_EQ(Doc().PathName(), other); }},
        {"select all", cmd::kEditSelectAll, nullptr, nullptr},
    };
    for (const Step& step : steps) {
        test::DialogScript script;
        if (step.prepare)
            step.prepare(script);
        ASSERT_TRUE(Frame().StateOf(step.id).enabled) << step.what;
        Frame().RunCommand(step.id);
        test::RunPendingEvents();
        EXPECT_EQ(script.Pending(), 0u) << step.what << ": a dialog did not open";
        if (step.check)
            step.check();
    }
}

TEST_F(MainFrameTest, SaveQuestionOnNewOpenAndClose) {
    // New with changes: Cancel keeps everything.
    Change();
    {
        test::DialogScript script;
        script.ThenEnd(wxID_CANCEL);
        Frame().RunCommand(cmd::kFileNew);
        EXPECT_EQ(Doc().PathName(), startFile);
        EXPECT_FALSE(Doc().IsUnmodified());
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_NE(script.messages[0].find("start.qv"), std::string::npos);
        EXPECT_EQ(script.defaults, std::vector<int>{wxID_YES}) << "saving keeps the work";
    }
    // Escape and the close box are Cancel: neither saves nor drops the changes.
    for (bool escape : {true, false}) {
        test::DialogScript script;
        if (escape)
            script.ThenPress(WXK_ESCAPE);
        else
            script.ThenCloseBox();
        Frame().RunCommand(cmd::kFileNew);
        EXPECT_EQ(script.Pending(), 0u);
        EXPECT_EQ(Doc().PathName(), startFile) << escape;
        EXPECT_FALSE(Doc().IsUnmodified()) << escape;
        EXPECT_TRUE(fileAsked.empty()) << "no Save As for " << escape;
    }
    // No: the changes go, new settings come.
    {
        test::DialogScript script;
        script.ThenEnd(wxID_NO);
        Frame().RunCommand(cmd::kFileNew);
        EXPECT_TRUE(Doc().IsUntitled());
        EXPECT_TRUE(Doc().IsUnmodified());
    }
    // Open with changes on an untitled document: Yes runs Save As; cancelling
    // its dialog stops the Open and keeps the changes.
    Change();
    {
        test::DialogScript script;
        script.ThenEnd(wxID_YES);
        fileAnswers = {""};
        Frame().RunCommand(cmd::kFileOpen);
        EXPECT_EQ(fileAsked.size(), 1u);
        EXPECT_EQ(fileAsked[0].rfind("save:", 0), 0u);
        EXPECT_FALSE(Doc().IsUnmodified());
        EXPECT_TRUE(Doc().IsUntitled());
    }
    // Close (the menu's) with changes: Cancel keeps the window open.
    {
        test::DialogScript script;
        script.ThenEnd(wxID_CANCEL);
        Frame().RunCommand(cmd::kFileClose);
        test::RunPendingEvents();
        ASSERT_NE(app.MainFrame(), nullptr);
        EXPECT_TRUE(Frame().IsShown());
    }
    // Exit with changes, Yes, and a save that fails: a message, still open.
    {
        test::DialogScript script;
        script.ThenEnd(wxID_YES);
        script.ThenEnd(wxID_OK); // the failure message
        fileAnswers = {dir + "/no/such/folder/x.qv"};
        Frame().RunCommand(cmd::kAppExit);
        test::RunPendingEvents();
        ASSERT_NE(app.MainFrame(), nullptr);
        ASSERT_EQ(script.messages.size(), 2u);
        EXPECT_NE(script.messages[1].find("x.qv"), std::string::npos);
        EXPECT_FALSE(Doc().IsUnmodified());
    }
    // Exit with changes and Yes: saved, closed, placement stored.
    {
        test::DialogScript script;
        script.ThenEnd(wxID_YES);
        fileAnswers = {dir + "/final.qv"};
        Frame().RunCommand(cmd::kAppExit);
        test::RunPendingEvents();
        EXPECT_EQ(app.MainFrame(), nullptr);
        EXPECT_EQ(FileBytes(dir + "/final.qv").size(), 131072u);
        EXPECT_TRUE(app.Profile().ReadNumber("Workspace\\WindowPlacement", "FrameWnd showCmd"));
    }
}

// Titled in the interface language; Open starts in the folder of the file
// last opened or saved.
TEST_F(MainFrameTest, FileDialogsSpeakTheLanguageAndOpenStartsWhereTheLastFileIs) {
    constexpr unsigned kStrOpenTitle = 57670, kStrSaveAsTitle = 57671;
    ASSERT_EQ(mkdir((dir + "/saved").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((dir + "/opened").c_str(), 0700), 0);
    const std::string opened = SavedFile("opened/o.qv", 'O');
    for (int language : test::kGuiLanguages) {
        test::ScopedGuiLanguage scoped(language);
        const std::string where = "language " + std::to_string(language);
        fileDialogs.clear();
        fileAnswers = {dir + "/saved/s" + std::to_string(language) + ".qv", "", opened, ""};
        Frame().RunCommand(cmd::kFileSaveAs);
        Frame().RunCommand(cmd::kFileOpen); // cancelled
        Frame().RunCommand(cmd::kFileOpen);
        ASSERT_EQ(Doc().PathName(), opened) << where;
        Frame().RunCommand(cmd::kFileOpen); // cancelled
        ASSERT_EQ(fileDialogs.size(), 4u) << where;
        EXPECT_FALSE(fileDialogs[0].open);
        EXPECT_EQ(fileDialogs[0].title, Res(kStrSaveAsTitle)) << where;
        for (size_t i = 1; i < 4; ++i) {
            EXPECT_TRUE(fileDialogs[i].open);
            EXPECT_EQ(fileDialogs[i].title, Res(kStrOpenTitle)) << where;
            EXPECT_FALSE(fileDialogs[i].title.empty()) << where;
        }
        EXPECT_EQ(fileDialogs[1].folder, wxString::FromUTF8(dir + "/saved")) << where;
        EXPECT_EQ(fileDialogs[3].folder, wxString::FromUTF8(dir + "/opened")) << where;
    }
}

TEST_F(MainFrameTest, SaveAsOntoAnExistingFileAsksFirst) {
    const std::string other = SavedFile("other.qv", 'O');
    const auto before = FileBytes(other);
    {
        test::DialogScript script;
        script.ThenEnd(wxID_NO);
        fileAnswers = {other};
        Frame().RunCommand(cmd::kFileSaveAs);
        EXPECT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(FileBytes(other), before);
        EXPECT_EQ(Doc().PathName(), startFile);
        EXPECT_FALSE(Frame().View().lastSaveOk);
    }
    // The replaced file cannot be brought back: Enter keeps it.
    {
        test::DialogScript script;
        script.ThenPress(WXK_RETURN);
        fileAnswers = {other};
        Frame().RunCommand(cmd::kFileSaveAs);
        EXPECT_EQ(script.focused, std::vector<int>{wxID_NO});
        EXPECT_EQ(FileBytes(other), before);
        EXPECT_EQ(Doc().PathName(), startFile);
    }
    test::DialogScript script;
    script.ThenEnd(wxID_YES);
    fileAnswers = {other};
    Frame().RunCommand(cmd::kFileSaveAs);
    EXPECT_EQ(FileBytes(other)[64], 'S');
    EXPECT_EQ(Doc().PathName(), other);
}

TEST_F(MainFrameTest, TreeSelectsThePageAndTheView) {
    CQVTreeCtrl& tree = *Frame().TreePane().Tree();
    CQuorvelView& view = Frame().View();
    EXPECT_EQ(view.PageMode(), kPageUnitName); // start-up shows the unit-name page
    EXPECT_EQ(tree.GetSelection(), tree.RootItem());
    struct {
        int data;
        int mode;
        unsigned tab;
        unsigned caption;
        uint32_t item;
    } rows[] = {
        {20, kPageLogFiles, 3001, 3012, 1},     {21, kPageSystemHistory, 3002, 3018, 1},
        {22, kPageTriggerHistory, 3003, 3019, 1}, {30, kPageDeviceOverview, 3004, 3013, 1},
        {36, kPageDeviceList, 3004, 3014, 5},   {34, kPageDeviceList, 3004, 3014, 3},
        {50, kPageDataSets, 3008, 3015, 1},     {51, kPageDataSets2, 3008, 3016, 1},
        {52, kPageMailSend, 3009, 3017, 1},     {10, kPageUnitName, 3005, 3011, 1},
    };
    for (const auto& r : rows) {
        const wxTreeItemId item = tree.FindItemByMode(r.data);
        ASSERT_TRUE(item.IsOk()) << r.data;
        tree.SelectItem(item);
        test::RunPendingEvents();
        EXPECT_EQ(view.PageMode(), r.mode) << r.data;
        EXPECT_EQ(view.TabText(), Res(r.tab)) << r.data;
        EXPECT_EQ(Frame().CaptionText(), Res(r.caption)) << r.data;
        EXPECT_EQ(Doc().currentItem, r.item) << r.data;
        ASSERT_NE(view.ShownPage(), nullptr);
        EXPECT_TRUE(view.ShownPage()->IsShown());
    }
    // The item of file 5 is the fifth child of the devices item.
    EXPECT_EQ(CQVTreeCtrl::ItemMode(tree, tree.FindItemByMode(36)), 36);
    EXPECT_EQ(tree.GetItemText(tree.FindItemByMode(36)), wxString::Format(Res(3006), 5));
}

} // namespace
} // namespace qv
