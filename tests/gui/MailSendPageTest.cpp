// The mail-send list page in the running program: its rows from the settings
// tree, the entry editor from a double click or Enter, and the delete button,
// each writing into the document as it is at that moment.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "editors/mail/MailSendDlg.h"
#include "editors/mail/MailSendListModel.h"
#include "editors/mail/MailSendPage.h"
#include "tests/gui/DeviceEditorFixture.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/QVListCtrl.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

using test::Choose;
using test::Click;

class MailSendPageTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
    void SetUp() override {
        test::StartedProgramTest::SetUp();
        ImageBlocks& b = Doc().Blocks();
        b.triggers[2].SetAscii(trig::kName, 32, "Level");
        b.users[0].SetAscii(user::kName, 16, "Ann");
        b.users[1].SetAscii(user::kName, 16, "Bob");
        MailSendRecord& r = b.mailSends[0];
        r.SetAscii(msend::kText, 16, "High");
        r.SetU8(msend::kTrigger, 3);
        r.SetU16(msend::kRecipients, 0x0003);
    }
    void TearDown() override {
        Doc().TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    CMailSendPage& ShowPage() {
        CQVTreeCtrl& tree = *app.MainFrame()->TreePane().Tree();
        tree.SelectItem(tree.FindItemByMode(52));
        test::RunPendingEvents();
        auto* page = dynamic_cast<CMailSendPage*>(app.MainFrame()->View().ShownPage());
        EXPECT_NE(page, nullptr);
        return *page;
    }
    void Delete(CMailSendPage& page) { Click(&page, CPageBase::kIdAction); }
};

TEST_F(MailSendPageTest, RowsComeFromTheDocument) {
    CMailSendPage& page = ShowPage();
    CQVListCtrl& list = *page.List;
    ASSERT_EQ(list.GetItemCount(), kMailSendCount);
    EXPECT_EQ(list.GetItemText(0, 1), "1");
    EXPECT_EQ(list.GetItemText(0, 2), "3(Level)");
    EXPECT_EQ(list.GetItemText(0, 3), "Ann, Bob");
    EXPECT_EQ(list.GetItemText(0, 4), "High");
    EXPECT_EQ(list.GetItemText(63, 1), "64");
    EXPECT_EQ(list.GetItemText(63, 2), "");
}

TEST_F(MailSendPageTest, EditorStoresItsEntryIntoTheCurrentTable) {
    CMailSendPage& page = ShowPage();
    MailSendRecord& stored = Doc().Blocks().mailSends[2];
    stored.SetU8(msend::kChoice16, 40); // numbers no box can show
    stored.SetU8(msend::kTrigger, 200);
    stored.SetU8(0x11F, 0x77);
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* editor = dynamic_cast<CMailSendDlg*>(dialog);
        EXPECT_NE(editor, nullptr);
        dialog->CallAfter([&, editor] {
            EXPECT_EQ(editor->Number->GetLabel(), "3");
            EXPECT_TRUE(editor->ChoiceCheck->GetValue());
            editor->ShortTextEdit->SetValue("Low");
            editor->RecipientList->CheckItem(1, true);
            // Another editor changes a different entry meanwhile.
            Doc().Blocks().mailSends[9].SetU8(msend::kTrigger, 7);
            Click(editor, wxID_OK);
        });
        return wxID_NONE;
    });
    EXPECT_TRUE(page.EditRow(2));
    const MailSendRecord& r = Doc().Blocks().mailSends[2];
    EXPECT_EQ(ReadTextField(r.data() + msend::kText, 16, 932), L"Low");
    EXPECT_EQ(r.U16(msend::kRecipients), 0x0002);
    EXPECT_EQ(r.U8(msend::kChoice16), 40);
    EXPECT_EQ(r.U8(msend::kTrigger), 200);
    EXPECT_EQ(r.U8(0x11F), 0x77);
    EXPECT_EQ(Doc().Blocks().mailSends[9].U8(msend::kTrigger), 7) << "not undone by the store";
    EXPECT_EQ(page.List->GetItemText(2, 4), "Low");
    EXPECT_TRUE(page.List->IsItemChecked(2));

    // Enter on the row opens the editor too; Cancel stores nothing.
    const MailSendTable before = Doc().Blocks().mailSends;
    script.ThenEnd(wxID_CANCEL);
    page.List->SetAnchor(0);
    wxKeyEvent enter(wxEVT_KEY_DOWN);
    enter.m_keyCode = WXK_RETURN;
    enter.SetEventObject(page.List);
    page.List->GetEventHandler()->ProcessEvent(enter);
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(Doc().Blocks().mailSends, before);
}

TEST_F(MailSendPageTest, OptionBoxAndExcludedTrigger) {
    ImageBlocks& b = Doc().Blocks();
    b.mailSends[0].SetU8(msend::kChoice16, 5);
    b.triggers[5].SetU8(trig::kKind, kTriggerRegister);
    b.triggers[5].SetU8(trig::kRegExcluded, 1);
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* editor = dynamic_cast<CMailSendDlg*>(dialog);
        dialog->CallAfter([&, editor] {
            EXPECT_EQ(editor->TriggerBox->GetSelection(), 3);
            EXPECT_EQ(editor->ChoiceBox->GetSelection(), 4);
            // Trigger 6 may not set off a mail: refused, trigger 3 comes back.
            Choose(editor->TriggerBox, 6);
            EXPECT_EQ(script.messages.size(), 1u);
            EXPECT_EQ(editor->TriggerBox->GetSelection(), 3);
            editor->ChoiceCheck->SetValue(false);
            wxCommandEvent clicked(wxEVT_CHECKBOX, CMailSendDlg::kIdChoiceOn);
            clicked.SetEventObject(editor->ChoiceCheck);
            editor->ChoiceCheck->GetEventHandler()->ProcessEvent(clicked);
            EXPECT_FALSE(editor->ChoiceBox->IsEnabled());
            EXPECT_EQ(editor->ChoiceBox->GetSelection(), 0);
            Click(editor, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // the refusal
    EXPECT_TRUE(RunMailSendEditor(app.MainFrame(), Doc(), 0));
    EXPECT_EQ(b.mailSends[0].U8(msend::kChoice16), 0);
    EXPECT_EQ(b.mailSends[0].U8(msend::kTrigger), 3);
}

TEST_F(MailSendPageTest, RecipientEditedThenEditorCancelledLeavesTheUsers) {
    const UserTable before = Doc().Blocks().users;
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* editor = dynamic_cast<CMailSendDlg*>(dialog);
        dialog->CallAfter([&, editor] {
            // What the recipient editor hands back on its OK.
            UserTable edited = editor->UserCopy;
            edited[0].SetAscii(user::kName, 16, "Changed");
            editor->SetUsers(edited);
            Click(editor, wxID_CANCEL);
        });
        return wxID_NONE;
    });
    EXPECT_FALSE(RunMailSendEditor(app.MainFrame(), Doc(), 0));
    EXPECT_EQ(Doc().Blocks().users, before);
}

TEST_F(MailSendPageTest, DeleteClearsTheCheckedRowsOfTheCurrentTable) {
    CMailSendPage& page = ShowPage();
    MailSendTable& mails = Doc().Blocks().mailSends;
    for (int i : {2, 6, 8})
        mails[static_cast<size_t>(i)].SetU8(msend::kTrigger, 1);
    page.RefreshList();
    {
        test::DialogScript script;
        script.ThenEnd(wxID_OK); // nothing checked
        Delete(page);
        EXPECT_EQ(script.messages.size(), 1u);
    }
    page.List->CheckItem(2, true);
    page.List->CheckItem(6, true);
    {
        test::DialogScript script;
        script.ThenEnd(wxID_CANCEL);
        const MailSendTable before = mails;
        Delete(page);
        EXPECT_EQ(mails, before);
        EXPECT_EQ(script.defaults, std::vector<int>{wxID_CANCEL}) << "a delete stored at once";
    }
    // Changed since the page last drew its rows: the change stays.
    mails[8].SetU8(msend::kTrigger, 4);
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    Delete(page);
    EXPECT_EQ(mails[2], MailSendRecord{});
    EXPECT_EQ(mails[6], MailSendRecord{});
    EXPECT_EQ(mails[8].U8(msend::kTrigger), 4);
    EXPECT_EQ(mails[0].U8(msend::kTrigger), 3);
    EXPECT_TRUE(page.List->CheckedRows().empty());
    EXPECT_EQ(page.List->GetItemText(2, 2), "");
}

class MailSendLanguageTest : public MailSendPageTest, public ::testing::WithParamInterface<int> {};

TEST_P(MailSendLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    CMailSendDlg editor(0, Doc(), app.MainFrame());
    editor.Show();
    EXPECT_TRUE(test::AwaitShown(&editor));
    test::ExpectLabelsFit(&editor, "mail editor" + lang);
    test::ExpectButtonsInLanguage(&editor, language, "mail editor" + lang);
    editor.Hide();
    auto* page = new CMailSendPage(app.MainFrame(), Doc());
    page->SetSize(600, 400);
    page->Show();
    EXPECT_TRUE(test::AwaitShown(page));
    test::ExpectLabelsFit(page, "mail page" + lang);
    page->Destroy();
}

INSTANTIATE_TEST_SUITE_P(Languages, MailSendLanguageTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

} // namespace
} // namespace qv
