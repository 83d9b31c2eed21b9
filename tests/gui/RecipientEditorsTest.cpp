// The recipient and send-group editors: their texts in every language and
// their tab order, OK handing the edited copy back, a refusal keeping the
// dialog open, and Cancel leaving the owner's copy alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "editors/recipients/RecipientDlgs.h"
#include "editors/recipients/RecipientEditors.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"

namespace qv {
namespace {

void Click(wxDialog* dialog, int id) {
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(dialog->FindWindow(id));
    dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
}

// Tab moves through the children in creation order.
void ExpectTabOrder(wxWindow* top, const std::vector<wxWindow*>& expected) {
    std::vector<wxWindow*> order(top->GetChildren().begin(), top->GetChildren().end());
    auto at = [&](wxWindow* w) { return std::find(order.begin(), order.end(), w) - order.begin(); };
    for (size_t i = 1; i < expected.size(); ++i)
        EXPECT_LT(at(expected[i - 1]), at(expected[i])) << "tab order position " << i;
}

UserTable SomeUsers() {
    UserTable users;
    for (size_t i = 0; i < users.kCount; ++i) {
        const std::string n = std::to_string(i + 1);
        WriteMultiField(users.records[i].data() + user::kName, user::kNameWidth, "user" + n,
                        kCodePageJapanese);
        WriteMultiField(users.records[i].data() + user::kAddress, user::kAddressWidth,
                        "u" + n + "@example.com", kCodePageJapanese);
        users.records[i].bytes[user::kOpaque] = 0x77;
    }
    return users;
}

class RecipientEditorsLanguageTest : public test::StartedProgramTest,
                                     public ::testing::WithParamInterface<int> {};

TEST_P(RecipientEditorsLanguageTest, LabelsFitButtonsInLanguageAndTabOrder) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    const UserTable users = SomeUsers();
    {
        CSendUserSetDlg dlg(app.MainFrame(), *app.Document(), users, 15);
        dlg.Show();
        ASSERT_TRUE(test::AwaitShown(&dlg));
        test::ExpectLabelsFit(&dlg, "recipient editor" + lang);
        test::ExpectButtonsInLanguage(&dlg, language, "recipient editor" + lang);
        EXPECT_EQ(dlg.NumberText->GetLabel(), "16");
        ExpectTabOrder(&dlg, {dlg.NameEdit, dlg.AddressEdit, dlg.FindWindow(wxID_OK)
                              });
    }
    {
        GroupTable groups;
        CSendGroupSetDlg dlg(app.MainFrame(), *app.Document(), groups, users, 0);
        dlg.Show();
        ASSERT_TRUE(test::AwaitShown(&dlg));
        test::ExpectLabelsFit(&dlg, "send group editor" + lang);
        test::ExpectButtonsInLanguage(&dlg, language, "send group editor" + lang);
        EXPECT_EQ(dlg.NumberText->GetLabel(), "1");
        ExpectTabOrder(&dlg, {dlg.NameEdit, dlg.MemberList, dlg.FindWindow(wxID_OK)
                              });
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, RecipientEditorsLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

class RecipientEditorsTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
};

// A name too long is refused with the focus on it and the dialog open; the
// corrected edit reaches the owner's copy on OK, never the document.
TEST_F(RecipientEditorsTest, OkHandsTheCopyBackAfterARefusal) {
    Doc().Blocks().users = SomeUsers();
    Doc().TakeSnapshot(kSnapshotSaved); // no save question when the program closes
    const UserTable inDocument = Doc().Blocks().users;
    UserTable copy = inDocument;
    test::DialogScript script;
    wxWindow* focusAfterRefusal = nullptr;
    wxWindow* nameEdit = nullptr;
    bool stayedOpen = false;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CSendUserSetDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            EXPECT_EQ(dlg->NameEdit->GetValue(), "user16");
            EXPECT_EQ(dlg->AddressEdit->GetValue(), "u16@example.com");
            nameEdit = dlg->NameEdit;
            dlg->NameEdit->SetValue(wxString(L"x") + wxString(std::wstring(8, L'\u3042')));
            Click(dlg, wxID_OK);
            test::PumpUntil([&] { return wxWindow::FindFocus() == dlg->NameEdit; }, 1000);
            focusAfterRefusal = wxWindow::FindFocus();
            stayedOpen = dlg->IsModal();
            dlg->NameEdit->SetValue("Ann");
            dlg->AddressEdit->SetValue("ann@example.com");
            Click(dlg, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // the length message
    EXPECT_TRUE(RunRecipientEditor(app.MainFrame(), Doc(), copy, 15));
    ASSERT_EQ(script.messages.size(), 1u);
    const wxString expected = app.languageIndex == kLangEnglish
                                  ? wxString::Format(Res(20002), 16)
                                  : wxString::Format(Res(20018), 16, 8);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), expected);
    EXPECT_EQ(focusAfterRefusal, nameEdit);
    EXPECT_TRUE(stayedOpen);

    EXPECT_EQ(Doc().Blocks().users, inDocument);
    const RecipientForm stored = RecipientModel(kCodePageJapanese).Load(copy, 15);
    EXPECT_EQ(stored.name, L"Ann");
    EXPECT_EQ(stored.address, L"ann@example.com");
    EXPECT_EQ(copy.records[15].bytes[user::kOpaque], 0x77);
    for (size_t i = 0; i < 15; ++i)
        EXPECT_EQ(copy.records[i], inDocument.records[i]) << i;
}

TEST_F(RecipientEditorsTest, CancelLeavesTheCopies) {
    UserTable users = SomeUsers();
    const UserTable usersBefore = users;
    GroupTable groups;
    groups.records[2].SetU16(sgroup::kMembers, 0x0005);
    const GroupTable groupsBefore = groups;
    test::DialogScript script;
    auto editThenCancel = [&](wxDialog* dialog) {
        dialog->CallAfter([dialog] {
            auto* name = dynamic_cast<wxTextCtrl*>(wxWindow::FindFocus());
            if (name)
                name->SetValue("changed");
            Click(dialog, wxID_CANCEL);
        });
        return wxID_NONE;
    };
    script.Then(editThenCancel);
    script.Then(editThenCancel);
    EXPECT_FALSE(RunRecipientEditor(app.MainFrame(), Doc(), users, 0));
    EXPECT_FALSE(RunSendGroupEditor(app.MainFrame(), Doc(), groups, users, 2));
    EXPECT_EQ(users, usersBefore);
    EXPECT_EQ(groups, groupsBefore);
}

// The member list opens checked by the group's mask; unchecking every member
// stores mask 0 and keeps the name and the reserved bytes.
TEST_F(RecipientEditorsTest, GroupMembersFollowTheMaskAndUncheckToZero) {
    const UserTable users = SomeUsers();
    GroupTable groups;
    groups.records[4].bytes.fill(0x33);
    WriteMultiField(groups.records[4].data() + sgroup::kName, sgroup::kNameWidth, "Team",
                    kCodePageJapanese);
    groups.records[4].SetU16(sgroup::kMembers, 0x8002);
    test::DialogScript script;
    std::vector<long> checked;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CSendGroupSetDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            EXPECT_EQ(dlg->NameEdit->GetValue(), "Team");
            EXPECT_EQ(dlg->MemberList->GetItemCount(), 16);
            for (long i = 0; i < dlg->MemberList->GetItemCount(); ++i) {
                if (dlg->MemberList->IsItemChecked(i))
                    checked.push_back(i);
                dlg->MemberList->CheckItem(i, false);
            }
            Click(dlg, wxID_OK);
        });
        return wxID_NONE;
    });
    EXPECT_TRUE(RunSendGroupEditor(app.MainFrame(), Doc(), groups, users, 4));
    EXPECT_EQ(checked, (std::vector<long>{1, 15}));
    const SendGroupRecord& r = groups.records[4];
    EXPECT_EQ(r.U16(sgroup::kMembers), 0);
    EXPECT_EQ(SendGroupModel(kCodePageJapanese).Load(groups, 4).name, L"Team");
    EXPECT_EQ(r.bytes[32], 0x33);
    EXPECT_EQ(r.bytes[47], 0x33);
}

} // namespace
} // namespace qv
