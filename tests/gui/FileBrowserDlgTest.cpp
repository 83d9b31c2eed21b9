// The unit file browser in a real window: by FTP against a real FTP server on
// loopback and by the unit's file commands against the simulated unit over
// its pseudo-terminal; the protected top folders, download into a chosen
// folder, the delete question, the end of the unit's file session, keys, and
// its labels in the three languages.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/dirdlg.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "online/FtpClientDlg.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/SimulatedUnit.h"
#include "tests/link/FtpServer.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"
#include <wx/filefn.h>
#include <wx/utils.h>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

int Row(wxCheckListBox* list, const wxString& text) {
    const int row = list->FindString(text, true);
    EXPECT_NE(row, wxNOT_FOUND) << text;
    return row;
}

// The folder the toolkit's chooser shows, empty in its "Recent" view (asked
// of the toolkit itself: wx tells a chosen path only).
wxString ShownFolder(const wxDirDialog& chooser) {
    using GetFolder = char* (*)(void*);
    using Free = void (*)(void*);
    static const auto get =
        reinterpret_cast<GetFolder>(::dlsym(RTLD_DEFAULT, "gtk_file_chooser_get_current_folder"));
    static const auto release = reinterpret_cast<Free>(::dlsym(RTLD_DEFAULT, "g_free"));
    if (!get || !release)
        return "(no toolkit chooser)";
    char* folder = get(chooser.GetHandle());
    const wxString shown = folder ? wxString::FromUTF8(folder) : wxString();
    release(folder);
    return shown;
}

// Checks a row as a click on its box does.
void ClickCheck(wxCheckListBox* list, int row) {
    list->Check(static_cast<unsigned>(row), !list->IsChecked(static_cast<unsigned>(row)));
    wxCommandEvent event(wxEVT_CHECKLISTBOX, list->GetId());
    event.SetEventObject(list);
    event.SetInt(row);
    list->GetEventHandler()->ProcessEvent(event);
}

class FileBrowserDlgTest : public SimulatedUnitTest {
protected:
    fs::path root, local;
    FakeSleeper waits;
    DialogScript script;

    void SetUp() override {
        SimulatedUnitTest::SetUp();
        char rootName[] = "/tmp/qv-ftp-XXXXXX";
        char localName[] = "/tmp/qv-local-XXXXXX";
        root = ::mkdtemp(rootName);
        local = ::mkdtemp(localName);
    }
    void TearDown() override {
        SetDownloadFolderAnswer(nullptr);
        fs::remove_all(root);
        fs::remove_all(local);
        SimulatedUnitTest::TearDown();
    }
    void AnswerFolderChooser() {
        const std::string path = local.string();
        SetDownloadFolderAnswer([path](const wxDirDialog&) { return path; });
    }
    static void ExpectIdle(CFtpClientDlg& dlg) {
        EXPECT_TRUE(dlg.ConnectButton->IsEnabled());
        for (wxWindow* w :
             {static_cast<wxWindow*>(dlg.DisconnectButton), static_cast<wxWindow*>(dlg.FileList),
              static_cast<wxWindow*>(dlg.UpButton), static_cast<wxWindow*>(dlg.DownloadButton),
              static_cast<wxWindow*>(dlg.DeleteButton)})
            EXPECT_FALSE(w->IsEnabled());
    }
};

TEST_F(FileBrowserDlgTest, ByFtpItListsDownloadsAndDeletesWithTheTopFoldersKept) {
    StartUnit();
    fs::create_directories(root / "SD" / "LOG");
    fs::create_directories(root / "CF");
    fs::create_directories(root / "RAM");
    std::ofstream(root / "SD" / "LOG" / "a.csv") << "1,2";
    std::ofstream(root / "SD" / "b.txt") << "b";
    FtpServer server(root.string());
    ASSERT_GT(server.Port(), 0);

    CFtpClientDlg dlg(app.GetTopWindow());
    dlg.FtpPort = server.Port();
    dlg.Waits = &waits;
    EXPECT_EQ(dlg.UserText->GetValue(), "admin");
    EXPECT_TRUE(dlg.PasswordText->HasFlag(wxTE_PASSWORD));
    uint32_t address = 0;
    ASSERT_TRUE(dlg.AddressCtrl->GetAddress(address));
    EXPECT_EQ(address, 0x7F000001u);
    ExpectIdle(dlg);

    dlg.Connect();
    ASSERT_TRUE(dlg.Connected());
    EXPECT_EQ(dlg.FileList->GetCount(), 3u);
    EXPECT_EQ(dlg.FolderText->GetValue(), "/");
    const int cf = Row(dlg.FileList, "[D]CF");
    ClickCheck(dlg.FileList, cf);
    EXPECT_FALSE(dlg.FileList->IsChecked(static_cast<unsigned>(cf)));
    dlg.CheckAll(true);
    EXPECT_TRUE(dlg.CheckedRowsEmpty());

    dlg.FileList->SetSelection(Row(dlg.FileList, "[D]SD"));
    dlg.OpenCurrentItem();
    EXPECT_EQ(dlg.FolderText->GetValue(), "/SD");
    dlg.CheckAll(true);
    AnswerFolderChooser();
    dlg.DownloadChecked();
    EXPECT_EQ(script.Pending(), 0u);
    std::ifstream in(local / "LOG" / "a.csv");
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "1,2");
    EXPECT_TRUE(fs::exists(local / "b.txt"));

    // The list was read again after the download: check again.
    dlg.CheckAll(true);
    script.ThenEnd(wxID_NO);
    dlg.DeleteChecked();
    EXPECT_TRUE(fs::exists(root / "SD" / "LOG" / "a.csv"));
    // The files cannot be brought back: Enter on the Delete... button's
    // question answers No, and so do Escape and the close box.
    script.ThenPress(WXK_RETURN);
    script.ThenPress(WXK_ESCAPE);
    script.ThenCloseBox();
    for (int i = 0; i < 3; ++i) {
        wxCommandEvent click(wxEVT_BUTTON, dlg.DeleteButton->GetId());
        click.SetEventObject(dlg.DeleteButton);
        dlg.DeleteButton->GetEventHandler()->ProcessEvent(click);
    }
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(script.focused, (std::vector<int>{wxID_NO, wxID_NO}));
    EXPECT_TRUE(fs::exists(root / "SD" / "LOG" / "a.csv"));
    EXPECT_TRUE(fs::exists(root / "SD" / "b.txt"));
    script.ThenEnd(wxID_YES);
    dlg.DeleteChecked();
    EXPECT_FALSE(fs::exists(root / "SD" / "LOG"));
    EXPECT_FALSE(fs::exists(root / "SD" / "b.txt"));
    EXPECT_EQ(dlg.FileList->GetCount(), 0u);

    dlg.FolderUp();
    EXPECT_EQ(dlg.FolderText->GetValue(), "/");
    dlg.Disconnect();
    ExpectIdle(dlg);
}

// The chooser opens in a folder, never in the toolkit's "Recent" view: the
// home folder first, then the folder the last download went to. A folder
// whose listing never ends is told, not shown empty.
TEST_F(FileBrowserDlgTest, TheChooserStartsInTheLastDownloadFolderAndALongListingIsTold) {
    StartUnit();
    fs::create_directories(root / "SD" / "endless");
    fs::create_directories(root / "CF");
    std::ofstream(root / "SD" / "b.txt") << "b";
    FtpServer server(root.string(), 0, {"--endless", "endless"});
    ASSERT_GT(server.Port(), 0);
    CFtpClientDlg dlg(app.GetTopWindow());
    dlg.FtpPort = server.Port();
    dlg.Waits = &waits;
    dlg.Connect();
    ASSERT_TRUE(dlg.Connected());
    dlg.FileList->SetSelection(Row(dlg.FileList, "[D]SD"));
    dlg.OpenCurrentItem();
    ASSERT_EQ(dlg.FolderText->GetValue(), "/SD");

    std::vector<wxString> starts;
    const fs::path chosen[] = {local / "first", local / "second"};
    int answer = 0;
    SetDownloadFolderAnswer([&](const wxDirDialog& chooser) {
        // The toolkit takes a folder in the background.
        PumpUntil([&] { return !ShownFolder(chooser).empty(); });
        starts.push_back(ShownFolder(chooser));
        fs::create_directories(chosen[answer]);
        return chosen[answer++].string();
    });
    for (int round = 0; round < 2; ++round) {
        ClickCheck(dlg.FileList, Row(dlg.FileList, "b.txt"));
        dlg.DownloadChecked();
        EXPECT_TRUE(fs::exists(chosen[round] / "b.txt"));
    }
    EXPECT_EQ(starts, (std::vector<wxString>{wxGetHomeDir(), wxString(chosen[0].string())}));
    EXPECT_EQ(script.Pending(), 0u);

    script.ThenEnd(wxID_OK);
    dlg.FileList->SetSelection(Row(dlg.FileList, "[D]endless"));
    dlg.OpenCurrentItem();
    ASSERT_EQ(script.messages.size(), 1u);
    wxString told = Res(46830);
    told.Replace("%d", "16");
    EXPECT_EQ(script.messages[0], told.utf8_string());
    dlg.Disconnect();
}

TEST_F(FileBrowserDlgTest, ByTheSerialLinkTheEndOfTheFileSessionDisconnects) {
    StartUnit(true);
    sim.SetDataRegister(90153, 0x0230);
    sim.SetFileUser("admin", "wqe");
    sim.AddUnitFile("/SD/LOG/a.csv", "1,2");
    sim.AddUnitFolder("/CF");

    CFtpClientDlg dlg(app.GetTopWindow());
    dlg.Waits = &waits;
    EXPECT_FALSE(dlg.AddressCtrl->IsShown());
    EXPECT_FALSE(dlg.SearchButton->IsShown());
    // The unit's refusals of the account are told, each at its field.
    struct Refusal {
        const char* user;
        const char* password;
        unsigned message;
    };
    for (const Refusal& r : {Refusal{"admin", "nope", 63109}, Refusal{"nobody", "wqe", 63108},
                             Refusal{"", "wqe", 63111}}) {
        dlg.UserText->ChangeValue(r.user);
        dlg.PasswordText->ChangeValue(r.password);
        script.ThenEnd(wxID_OK);
        dlg.Connect();
        EXPECT_FALSE(dlg.Connected()) << r.user;
        ASSERT_FALSE(script.messages.empty());
        EXPECT_EQ(script.messages.back(), Res(r.message).utf8_string());
    }
    dlg.UserText->ChangeValue(std::string(33, 'u'));
    script.ThenEnd(wxID_OK);
    dlg.Connect();
    EXPECT_EQ(script.messages.back(), Res(63106).utf8_string());
    script.messages.clear();
    dlg.UserText->ChangeValue("admin");
    dlg.PasswordText->ChangeValue("wqe");
    dlg.Connect();
    ASSERT_TRUE(dlg.Connected());
    EXPECT_EQ(dlg.FileList->GetCount(), 2u);
    dlg.FileList->SetSelection(Row(dlg.FileList, "[D]SD"));
    dlg.OpenCurrentItem();
    EXPECT_EQ(dlg.FolderText->GetValue(), "/SD");

    sim.EndFileSession();
    script.ThenEnd(wxID_OK);
    dlg.FileList->SetSelection(Row(dlg.FileList, "[D]LOG"));
    dlg.OpenCurrentItem();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0], Res(63110).utf8_string());
    EXPECT_FALSE(dlg.Connected());
    ExpectIdle(dlg);

    // A unit too old for the file service is told so; nothing is logged in.
    sim.SetDataRegister(90153, 0x0227);
    script.ThenEnd(wxID_OK);
    dlg.Connect();
    EXPECT_FALSE(dlg.Connected());
    EXPECT_FALSE(sim.FileLoggedIn());
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1], Res(20321).utf8_string());
}

TEST_F(FileBrowserDlgTest, EscapeNeverClosesAndEnterInThePasswordConnects) {
    StartUnit(true);
    sim.SetDataRegister(90153, 0x0230);
    sim.SetFileUser("admin", "wqe");
    auto* dlg = new CFtpClientDlg(app.GetTopWindow());
    dlg->Waits = &waits;
    dlg->Show();
    ASSERT_TRUE(FocusControl(dlg->PasswordText));
    wxUIActionSimulator sim;
    sim.Char(WXK_ESCAPE);
    sim.Char(WXK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return dlg->Connected(); }));
    EXPECT_TRUE(dlg->IsShown());
    // Enter on a focused button presses nothing.
    ASSERT_TRUE(FocusControl(dlg->DisconnectButton));
    sim.Char(WXK_RETURN);
    AwaitInputHandled();
    EXPECT_TRUE(dlg->Connected());
    dlg->Disconnect();
    dlg->Destroy();
    RunPendingEvents();
}

// The right-click menu's Delete, by either road: the same question as the
// Delete... button; No and Escape leave every file on the unit, Yes deletes.
class FileBrowserMenuDeleteTest : public FileBrowserDlgTest,
                                  public ::testing::WithParamInterface<bool> {
protected:
    bool Serial() const { return GetParam(); }
    bool OnUnit(const std::string& path) const {
        return Serial() ? sim.UnitPathExists(path) : fs::exists(root / path.substr(1));
    }
    // Right-clicks the list and picks the menu's second item, Delete, by keys.
    void DeleteFromTheMenu(CFtpClientDlg& dlg) {
        wxUIActionSimulator input;
        bool opened = false;
        auto pick = [&](wxMenuEvent& e) {
            if (!opened) {
                opened = true;
                input.Char(WXK_DOWN);
                input.Char(WXK_DOWN);
                input.Char(WXK_RETURN);
            }
            e.Skip();
        };
        dlg.Bind(wxEVT_MENU_OPEN, pick);
        const wxRect list = dlg.FileList->GetScreenRect();
        input.MouseMove(list.GetPosition() + wxPoint(list.width / 2, 10));
        input.MouseClick(wxMOUSE_BTN_RIGHT);
        EXPECT_TRUE(PumpUntil([&] { return opened && script.Pending() == 0; }));
        AwaitInputHandled();
        dlg.Unbind(wxEVT_MENU_OPEN, pick);
    }
};

TEST_P(FileBrowserMenuDeleteTest, AsksLikeTheButtonAndOnlyYesDeletes) {
    std::unique_ptr<FtpServer> server;
    if (Serial()) {
        StartUnit(true);
        sim.SetDataRegister(90153, 0x0230);
        sim.SetFileUser("admin", "wqe");
        sim.AddUnitFile("/SD/a.csv", "1,2");
        sim.AddUnitFile("/SD/b.csv", "3,4");
    } else {
        StartUnit();
        fs::create_directories(root / "SD");
        std::ofstream(root / "SD" / "a.csv") << "1,2";
        std::ofstream(root / "SD" / "b.csv") << "3,4";
        server = std::make_unique<FtpServer>(root.string());
        ASSERT_GT(server->Port(), 0);
    }
    CFtpClientDlg dlg(app.GetTopWindow());
    dlg.Waits = &waits;
    if (server)
        dlg.FtpPort = server->Port();
    dlg.PasswordText->ChangeValue("wqe");
    ASSERT_TRUE(ActivateWindow(&dlg));
    dlg.Connect();
    ASSERT_TRUE(dlg.Connected());
    dlg.FileList->SetSelection(Row(dlg.FileList, "[D]SD"));
    dlg.OpenCurrentItem();
    ASSERT_EQ(dlg.FolderText->GetValue(), "/SD");
    ASSERT_TRUE(AwaitShown(&dlg));

    dlg.CheckAll(true);
    script.ThenEnd(wxID_NO);
    DeleteFromTheMenu(dlg);
    script.ThenPress(WXK_ESCAPE);
    DeleteFromTheMenu(dlg);
    ASSERT_EQ(script.messages.size(), 2u);
    for (const std::string& asked : script.messages)
        EXPECT_EQ(asked, Res(20400).utf8_string());
    EXPECT_EQ(script.focused, std::vector<int>{wxID_NO}) << "No is the default";
    EXPECT_TRUE(OnUnit("/SD/a.csv"));
    EXPECT_TRUE(OnUnit("/SD/b.csv"));

    script.ThenEnd(wxID_YES);
    DeleteFromTheMenu(dlg);
    EXPECT_FALSE(OnUnit("/SD/a.csv"));
    EXPECT_FALSE(OnUnit("/SD/b.csv"));
    EXPECT_EQ(dlg.FileList->GetCount(), 0u);
    dlg.Disconnect();
}

INSTANTIATE_TEST_SUITE_P(Roads, FileBrowserMenuDeleteTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Serial" : "Ftp");
                         });

class FileBrowserLanguageTest : public SimulatedUnitTest,
                                public ::testing::WithParamInterface<int> {};

TEST_P(FileBrowserLanguageTest, LabelsFitInTheLanguage) {
    StartUnit();
    ScopedGuiLanguage language(GetParam());
    auto* dlg = new CFtpClientDlg(app.GetTopWindow());
    dlg->Show();
    ASSERT_TRUE(AwaitShown(dlg));
    ExpectLabelsFit(dlg, "file browser");
    ExpectButtonsInLanguage(dlg, GetParam(), "file browser");
    dlg->Destroy();
    RunPendingEvents();
}

INSTANTIATE_TEST_SUITE_P(Languages, FileBrowserLanguageTest, ::testing::ValuesIn(kGuiLanguages),
                         GuiLanguageName);

} // namespace
} // namespace qv::test
