// The system settings dialog in a real window: opened from the ribbon, every
// category in each language, the keyboard, and what OK, Cancel and a
// refusing pane do to the document.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "editors/config/ConfigErrDlg.h"
#include "editors/config/ConfigFileDlg.h"
#include "editors/config/ConfigSetDlg.h"
#include "editors/config/ConfigSetModel.h"
#include "editors/config/ConfigUserDlg.h"
#include "editors/config/LanguageDlg.h"
#include "editors/config/LanguageModel.h"
#include "editors/recipients/RecipientDlgs.h"
#include "tests/gui/DeviceEditorFixture.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"

namespace qv {
namespace {

using test::Check;
using test::Choose;

void Pick(CConfigSetDlg& dlg, int category) {
    dlg.CategoryList->SetSelection(category);
    wxCommandEvent e(wxEVT_LISTBOX, dlg.CategoryList->GetId());
    e.SetEventObject(dlg.CategoryList);
    e.SetInt(category);
    dlg.CategoryList->GetEventHandler()->ProcessEvent(e);
}

// A pane that refuses while its field holds "bad", as a pane with checks does.
class RefusingPane : public CConfigPane {
public:
    RefusingPane(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies)
        : CConfigPane(parent, doc, copies), Field(new wxTextCtrl(this, wxID_ANY)) {}
    int SaveToParent() override {
        if (Field->GetValue() == "bad") {
            Field->SetFocus();
            return -1;
        }
        Copies.ports.SetU16(0, 8000);
        return 0;
    }
    wxTextCtrl* Field;
};

class DialogWithRefusingPane : public CConfigSetDlg {
public:
    using CConfigSetDlg::CConfigSetDlg;

protected:
    CConfigPane* CreatePane(int category) override {
        if (category == kCategoryPort)
            return new RefusingPane(this, Doc(), Copies);
        return CConfigSetDlg::CreatePane(category);
    }
    CQuorvelDoc& Doc() { return *Owner.Document(); }
};

class ConfigSetDlgTest : public test::StartedProgramTest {
protected:
    void TearDown() override {
        if (app.Document())
            Doc().TakeSnapshot(kSnapshotSaved); // leave without the save question
        test::StartedProgramTest::TearDown();
    }
    CQuorvelDoc& Doc() { return *app.Document(); }
    std::unique_ptr<ImageBlocks> Snapshot() {
        return std::make_unique<ImageBlocks>(Doc().Blocks());
    }
    bool Same(const ImageBlocks& a) {
        return std::memcmp(&a, &Doc().Blocks(), sizeof(ImageBlocks)) == 0;
    }
};

TEST_F(ConfigSetDlgTest, CancelFromTheRibbonLeavesTheDocumentAsItWas) {
    const auto before = Snapshot();
    test::DialogScript script;
    script.Then([](wxDialog* dialog) {
        dialog->CallAfter([dialog] {
            auto* dlg = dynamic_cast<CConfigSetDlg*>(dialog);
            ASSERT_NE(dlg, nullptr);
            auto* file = dynamic_cast<CConfigFileDlg*>(dlg->Pane);
            ASSERT_NE(file, nullptr) << "the log-file options come first";
            Choose(file->DecimalsBox, 5);
            Check(file->TitleRowCheck, false);
            Pick(*dlg, kCategoryErr);
            auto* err = dynamic_cast<CConfigErrDlg*>(dlg->Pane);
            ASSERT_NE(err, nullptr);
            Check(err->SwitchChecks[0], true);
            Pick(*dlg, kCategoryUser);
            test::Click(dialog, wxID_CANCEL);
        });
        return wxID_NONE;
    });
    app.MainFrame()->RunCommand(cmd::kConfigSettings);
    EXPECT_EQ(script.seen.size(), 1u);
    EXPECT_TRUE(Same(*before));
}

TEST_F(ConfigSetDlgTest, OkFromTheRibbonStoresTheEditsWarnsAndStoresTheLanguage) {
    const int stored = GetLanguage(app.Profile());
    test::DialogScript script;
    int chosen = -1;
    script.Then([&](wxDialog* dialog) {
        dialog->CallAfter([&, dialog] {
            auto* dlg = dynamic_cast<CConfigSetDlg*>(dialog);
            ASSERT_NE(dlg, nullptr);
            auto* file = dynamic_cast<CConfigFileDlg*>(dlg->Pane);
            Choose(file->DecimalsBox, 5);
            Check(file->NameChecks[kNameFolder], false);
            EXPECT_EQ(file->ExampleText->GetLabel(),
                      Res(46038) + "/TEST(100801_093000_SET).csv"); // in the program's language
            // The file table changes under the open dialog (as the trigger
            // editor's clean-up does): OK must not undo that.
            Doc().Blocks().files[3].SetU16(file::kTrigger, 9);
            Pick(*dlg, kCategoryLanguage);
            auto* language = dynamic_cast<CLanguageDlg*>(dlg->Pane);
            ASSERT_NE(language, nullptr);
            ASSERT_GE(language->LanguageBox->GetCount(), 2u) << "modules beside the program";
            Choose(language->LanguageBox, language->LanguageBox->GetSelection() == 0 ? 1 : 0);
            chosen = language->ChosenLanguage;
            test::Click(dialog, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // the log files share one folder
    script.ThenEnd(wxID_OK); // the new language is used at the next start
    app.MainFrame()->RunCommand(cmd::kConfigSettings);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[0], Res(kMsgLogFilesShareFolder).utf8_string());
    EXPECT_EQ(script.messages[1], Res(kMsgLanguageAtNextStart).utf8_string());
    EXPECT_EQ(Doc().Blocks().errorNotify.U8(7), 0x01) << "the closing still wrote the blocks";
    EXPECT_NE(chosen, stored);
    EXPECT_EQ(GetLanguage(app.Profile()), chosen);
    for (size_t r = 0; r < FileTable::kCount; ++r)
        EXPECT_EQ(Doc().Blocks().files[r].U8(file::kDecimals), 5) << "record " << r;
    EXPECT_EQ(Doc().Blocks().files[3].U16(file::kTrigger), 9);
}

TEST_F(ConfigSetDlgTest, ARefusalKeepsTheCategoryAndOkWritesAllOrNothing) {
    DialogWithRefusingPane dlg(app.MainFrame(), Doc());
    dlg.Show();
    const auto before = Snapshot();
    Choose(dynamic_cast<CConfigFileDlg*>(dlg.Pane)->DecimalsBox, 4);
    Pick(dlg, kCategoryErr);
    Check(dynamic_cast<CConfigErrDlg*>(dlg.Pane)->SwitchChecks[2], true);
    Pick(dlg, kCategoryPort);
    auto* refusing = dynamic_cast<RefusingPane*>(dlg.Pane);
    ASSERT_NE(refusing, nullptr);
    refusing->Field->ChangeValue("bad");

    ASSERT_TRUE(test::ActivateWindow(&dlg));
    Pick(dlg, kCategoryUser);
    EXPECT_EQ(dlg.Pane, refusing) << "the refusing pane stays";
    EXPECT_TRUE(test::PumpUntil([&] { return test::FocusedControl(&dlg) == refusing->Field; }))
        << "the focus stays on the refused field";
    EXPECT_EQ(dlg.CategoryList->GetSelection(), kCategoryPort);
    EXPECT_EQ(dlg.CurrentCategory, kCategoryPort);
    EXPECT_EQ(refusing->Field->GetValue(), "bad");
    EXPECT_FALSE(dlg.StoreSettings());
    EXPECT_TRUE(Same(*before)) << "a refused OK writes nothing";

    refusing->Field->ChangeValue("good");
    EXPECT_TRUE(dlg.StoreSettings());
    const ImageBlocks& now = Doc().Blocks();
    EXPECT_EQ(now.portNumbers.U16(0), 8000);
    EXPECT_EQ(now.errorNotify.U8(errnotify::kFlags + 2), 1);
    EXPECT_EQ(now.files[64].U8(file::kDecimals), 4);
    dlg.Hide();
}

TEST_F(ConfigSetDlgTest, DecimalsAboveTheBoxShowNoEntryAndStayStored) {
    Doc().Blocks().files[0].SetU8(file::kDecimals, 9);
    Doc().Blocks().files[1].SetU8(file::kDecimals, 3);
    const auto before = Snapshot();
    CConfigSetDlg dlg(app.MainFrame(), Doc());
    EXPECT_EQ(dynamic_cast<CConfigFileDlg*>(dlg.Pane)->DecimalsBox->GetSelection(), wxNOT_FOUND);
    EXPECT_TRUE(dlg.StoreSettings());
    EXPECT_TRUE(Same(*before));
}

TEST_F(ConfigSetDlgTest, TheListHasTheFocusAndTabReachesThePane) {
    CConfigSetDlg dlg(app.MainFrame(), Doc());
    ASSERT_TRUE(test::ActivateWindow(&dlg));
    EXPECT_TRUE(test::PumpUntil([&] { return test::FocusedControl(&dlg) == dlg.CategoryList; }));
    wxUIActionSimulator keys;
    keys.Char(WXK_TAB);
    wxWindow* now = nullptr;
    EXPECT_TRUE(test::PumpUntil([&] {
        now = test::FocusedControl(&dlg);
        return now && now != dlg.CategoryList;
    }));
    EXPECT_TRUE(now && dlg.Pane->IsDescendant(now)) << "Tab leads into the pane";
    dlg.Hide();
}

// The two recipient panes share the dialog's recipient copy: an edit in one
// shows in the other, the check marks of the error pane are its mask, and the
// recipients pane clears only the checked rows after its question.
TEST_F(ConfigSetDlgTest, RecipientPanesShareTheirCopy) {
    CConfigSetDlg dlg(app.MainFrame(), Doc());
    dlg.Show();
    Pick(dlg, kCategoryUser);
    auto* users = dynamic_cast<CConfigUserDlg*>(dlg.Pane);
    ASSERT_NE(users, nullptr);
    test::DialogScript script;
    script.Then([](wxDialog* dialog) {
        dialog->CallAfter([dialog] {
            auto* editor = dynamic_cast<CSendUserSetDlg*>(dialog);
            ASSERT_NE(editor, nullptr);
            editor->NameEdit->ChangeValue("Kim");
            editor->AddressEdit->ChangeValue("kim@example.com");
            test::Click(dialog, wxID_OK);
        });
        return wxID_NONE;
    });
    users->EditRecipient(3);
    EXPECT_TRUE(users->UserList->IsItemChecked(3));

    Pick(dlg, kCategoryErr);
    auto* err = dynamic_cast<CConfigErrDlg*>(dlg.Pane);
    ASSERT_NE(err, nullptr);
    EXPECT_EQ(err->RecipientList->GetItemText(3, 2), "Kim");
    err->RecipientList->CheckItem(0, true);
    err->RecipientList->CheckItem(2, true);
    Pick(dlg, kCategoryUser);
    EXPECT_EQ(dlg.Copies.errors.U16(errnotify::kRecipients), 5);

    users = dynamic_cast<CConfigUserDlg*>(dlg.Pane);
    ASSERT_NE(users, nullptr);
    ASSERT_TRUE(test::ActivateWindow(&dlg));
    ASSERT_TRUE(test::FocusControl(users->UserList));
    wxUIActionSimulator keys;
    keys.Char('A', wxMOD_CONTROL);
    EXPECT_TRUE(test::PumpUntil([&] { return users->UserList->CheckedRows().size() == 16; }))
        << "Ctrl+A checks every row";

    users->UserList->UncheckAll();
    users->UserList->CheckItem(3, true);
    script.ThenEnd(wxID_CANCEL);
    users->OnDeleteUsers();
    EXPECT_EQ(users->UserCopy[3].U8(user::kName), 'K') << "Cancel keeps the rows";
    users->UserList->CheckItem(3, true);
    script.ThenEnd(wxID_OK);
    users->OnDeleteUsers();
    EXPECT_EQ(users->UserCopy[3], UserRecord());
    EXPECT_EQ(script.messages.size(), 2u);
    dlg.Hide();
}

class ConfigSetDlgLanguageTest : public ConfigSetDlgTest,
                                 public ::testing::WithParamInterface<int> {};

TEST_P(ConfigSetDlgLanguageTest, EveryCategoryShowsAndItsLabelsFit) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    CConfigSetDlg dlg(app.MainFrame(), Doc());
    dlg.Show();
    for (int c = 0; c < kCategoryCount; ++c) {
        const std::string where =
            "category " + std::to_string(c) + ", language " + std::to_string(language);
        Pick(dlg, c);
        ASSERT_EQ(dlg.CurrentCategory, c) << where;
        ASSERT_NE(dlg.Pane, nullptr) << where;
        EXPECT_TRUE(dlg.Pane->IsShown()) << where;
        ASSERT_TRUE(test::AwaitShown(&dlg)) << where;
        test::ExpectLabelsFit(&dlg, where);
        test::ExpectButtonsInLanguage(&dlg, language, where);
    }
    dlg.Hide();
}

INSTANTIATE_TEST_SUITE_P(Languages, ConfigSetDlgLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

} // namespace
} // namespace qv
