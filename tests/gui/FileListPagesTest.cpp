// The file list pages in the running program: rows from the settings tree,
// the reset, the history pages, and the file record editor opened from them.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "document/QuorvelDoc.h"
#include "editors/files/FileListPage.h"
#include "editors/files/FileSetDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

class FileListPagesTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
    CMainFrame& Frame() { return *app.MainFrame(); }
    void TearDown() override {
        Doc().TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    template <typename Page> Page& Show(int mode) {
        CQVTreeCtrl& tree = *Frame().TreePane().Tree();
        tree.SelectItem(tree.FindItemByMode(mode));
        test::RunPendingEvents();
        auto* page = dynamic_cast<Page*>(Frame().View().ShownPage());
        EXPECT_NE(page, nullptr) << mode;
        return *page;
    }
    // Opens the editor through `open` and lets `act` work in it before it ends with `end`.
    void InEditor(const std::function<void()>& open, const std::function<void(CFileSetDlg&)>& act,
                  int end = wxID_OK) {
        test::DialogScript script;
        script.Then([&](wxDialog* dialog) {
            auto* editor = dynamic_cast<CFileSetDlg*>(dialog);
            EXPECT_NE(editor, nullptr);
            if (editor)
                act(*editor);
            return end;
        });
        open();
        EXPECT_EQ(script.Pending(), 0u);
    }
};

TEST_F(FileListPagesTest, RowsAndHistoryPagesShowTheirRecords) {
    Doc().Blocks().files[1].SetAscii(0, 32, "Line2");
    CFileSetPage& page = Show<CFileSetPage>(kPageLogFiles);
    ASSERT_EQ(page.List->GetItemCount(), 16);
    EXPECT_EQ(page.List->GetItemText(0, 1), "1");
    EXPECT_EQ(page.List->GetItemText(0, 2), "") << "untouched file";
    EXPECT_EQ(page.List->GetItemText(1, 2), "Line2");
    EXPECT_EQ(page.List->GetItemText(1, 4), "60");

    auto& system = Show<CHistoryFileSetPage>(kPageSystemHistory);
    EXPECT_EQ(system.RecordIndex, 64);
    EXPECT_EQ(system.List->GetItemText(0, 1), "System");
    EXPECT_FALSE(system.ActionButton->IsShown());
    auto& trigger = Show<CHistoryFileSetPage>(kPageTriggerHistory);
    EXPECT_EQ(trigger.RecordIndex, 32);
    EXPECT_EQ(trigger.List->GetItemText(0, 1), "Trigger");
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    trigger.List->GetColumn(1, heading);
    EXPECT_EQ(heading.GetText(), Res(4086));
    trigger.OnSelectAll(); // no check boxes: only the focus moves
}

TEST_F(FileListPagesTest, ResetActsOnTheDocumentsTableAsItIsNow) {
    CFileSetPage& page = Show<CFileSetPage>(kPageLogFiles);
    FileTable& files = Doc().Blocks().files;
    const FileRecord defaults = files[4];
    files[1].SetAscii(0, 32, "Two");
    files[4].SetAscii(0, 32, "Five");
    page.RefreshList();
    // Stored after the rows were drawn, as the trigger editor's clean-up does.
    files[7].SetAscii(0, 32, "Eight");
    page.List->CheckItem(1, true);
    page.List->CheckItem(4, true);
    {
        test::DialogScript script;
        script.ThenEnd(wxID_NO);
        page.ResetChecked();
        EXPECT_EQ(files[1].U8(0), 'T');
        EXPECT_EQ(script.defaults, std::vector<int>{wxID_NO}) << "a reset stored at once";
    }
    test::DialogScript script;
    script.ThenEnd(wxID_YES);
    page.ResetChecked();
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(files[1], defaults);
    EXPECT_EQ(files[4], defaults);
    EXPECT_EQ(files[7].U8(0), 'E') << "a change made after the rows were drawn is kept";
    EXPECT_EQ(page.List->GetItemText(1, 2), "");
    EXPECT_FALSE(page.List->IsItemChecked(1));
}

TEST_F(FileListPagesTest, EditorStoresAndASaveKeepsTheBytes) {
    FileTable& files = Doc().Blocks().files;
    // Values no box can show are kept as they are.
    files[2].SetU16(0x24, 300);
    files[2].SetU8(0x26, 200);
    files[2].SetU8(0x36, 0x77);
    CFileSetPage& page = Show<CFileSetPage>(kPageLogFiles);
    InEditor([&] { page.EditRow(2); },
             [&](CFileSetDlg& editor) {
                 EXPECT_EQ(Doc().currentItem, 3u);
                 EXPECT_EQ(editor.NumberText->GetLabel(), "3");
                 EXPECT_TRUE(editor.Mode64Check->IsShown());
                 editor.NameEdit->ChangeValue("Third");
                 editor.CountEdit->ChangeValue("250");
                 EXPECT_TRUE(editor.StoreRecord());
             });
    EXPECT_TRUE(page.List->IsItemChecked(2));
    EXPECT_EQ(page.List->GetItemText(2, 2), "Third");
    EXPECT_EQ(files[2].U32(0x20), 250u);
    EXPECT_EQ(files[2].U16(0x24), 300);
    EXPECT_EQ(files[2].U8(0x26), 200);

    // A name another file has, in other letters' case, is refused.
    InEditor([&] { page.EditRow(3); },
             [&](CFileSetDlg& editor) {
                 editor.NameEdit->ChangeValue("THIRD");
                 test::DialogScript message;
                 message.ThenEnd(wxID_OK);
                 EXPECT_FALSE(editor.StoreRecord());
             },
             wxID_CANCEL);
    EXPECT_EQ(files[3].U8(0), 0);

    auto& system = Show<CHistoryFileSetPage>(kPageSystemHistory);
    InEditor([&] { system.EditRecord(); },
             [&](CFileSetDlg& editor) {
                 EXPECT_EQ(Doc().currentItem, 65u);
                 EXPECT_EQ(editor.GetTitle(), Res(3002));
                 EXPECT_EQ(editor.NumberText->GetLabel(), "1");
                 EXPECT_FALSE(editor.Mode64Check->IsShown());
                 EXPECT_FALSE(editor.TriggerBox->IsEnabled());
             },
             wxID_CANCEL);
    auto& trigger = Show<CHistoryFileSetPage>(kPageTriggerHistory);
    // A double click below the single row opens the editor as well.
    InEditor(
        [&] {
            wxMouseEvent click(wxEVT_LEFT_DCLICK);
            click.SetPosition(wxPoint(10, trigger.List->GetClientSize().y - 5));
            click.SetEventObject(trigger.List);
            trigger.List->GetEventHandler()->ProcessEvent(click);
            test::RunPendingEvents();
        },
        [&](CFileSetDlg& editor) {
            EXPECT_EQ(Doc().currentItem, 33u);
            EXPECT_EQ(editor.GetTitle(), Res(3003));
        },
        wxID_CANCEL);

    Frame().RunCommand(cmd::kFileSave);
    test::RunPendingEvents();
    CQuorvelDoc reopened(932);
    ASSERT_EQ(reopened.LoadSettingsFile(Doc().PathName()), 0);
    EXPECT_EQ(reopened.Blocks().files, files);
}

class FileEditorLanguageTest : public FileListPagesTest,
                               public ::testing::WithParamInterface<int> {};

TEST_P(FileEditorLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string where = "file editor, language " + std::to_string(language);
    Doc().currentItem = 1;
    // A send group of one member.
    Doc().Blocks().users[5].SetAscii(user::kName, 16, "Operator");
    Doc().Blocks().groups[0].SetAscii(0, 32, "Night shift");
    Doc().Blocks().groups[0].SetU16(34, 1u << 5);
    Doc().TakeSnapshot(kSnapshotSaved);
    CFileSetDlg editor(app.MainFrame(), Doc(), false);
    editor.ToggleDetails();
    editor.Show();
    EXPECT_TRUE(test::AwaitShown(&editor));
    test::ExpectLabelsFit(&editor, where);
    test::ExpectButtonsInLanguage(&editor, language, where);
    EXPECT_TRUE(editor.MailServerButton->IsEnabled());
    EXPECT_TRUE(editor.FtpButton->IsEnabled());
    // Expanded, with its title bar, it fits a screen 768 pixels high above a
    // task bar.
    EXPECT_LE(editor.GetSize().y, 700) << where;
    // The group's members without a comma after the last.
    editor.GroupsCheck->SetValue(true);
    editor.SwitchRecipients();
    EXPECT_EQ(editor.RecipientList->GetItemText(0, 3), "Operator") << where;
    editor.Hide();
    CFileSetPage& page = Show<CFileSetPage>(kPageLogFiles);
    page.ActionButton->SetLabel(Res(kStrResetFiles));
    EXPECT_GE(page.ActionButton->GetSize().x, page.ActionButton->GetBestSize().x) << where;
}

TEST_F(FileListPagesTest, NameFieldSwallowsKeysWhileItHoldsARefusedCharacter) {
    Doc().currentItem = 1;
    CFileSetDlg editor(app.MainFrame(), Doc(), false);
    // True when the field lets the key through.
    auto typed = [&](int key) {
        wxKeyEvent e(wxEVT_CHAR);
        e.m_keyCode = key;
        e.m_uniChar = static_cast<wxChar>(key);
        e.SetEventObject(editor.NameEdit);
        return !editor.NameEdit->GetEventHandler()->ProcessEvent(e);
    };
    editor.NameEdit->ChangeValue("ab");
    EXPECT_TRUE(typed('c'));
    EXPECT_FALSE(typed(':'));
    editor.NameEdit->ChangeValue("a:b"); // pasted
    EXPECT_FALSE(typed('c'));
    EXPECT_TRUE(typed(WXK_BACK));
}

INSTANTIATE_TEST_SUITE_P(Languages, FileEditorLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

} // namespace
} // namespace qv
