// The settings view's unit-name page and its name dialog: labels in every
// language, stores that write only the name or the option into the
// document's current unit block, and a name too long for its field refused.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "editors/unitname/UnitNameDlg.h"
#include "editors/unitname/UnitNamePanel.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

void Click(wxWindow* button) {
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

class UnitNamePanelTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
    CQuorvelView& View() { return app.MainFrame()->View(); }
    void TearDown() override {
        Doc().TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    CMainSetDlg* ShowPanel() {
        View().SelectPage(kPageUnitName);
        test::RunPendingEvents();
        return dynamic_cast<CMainSetDlg*>(View().ShownPage());
    }
};

class UnitNameLanguageTest : public UnitNamePanelTest, public ::testing::WithParamInterface<int> {};

TEST_P(UnitNameLanguageTest, PanelAndDialogFitTheirLabels) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "unit name");
        auto* panel = new CMainSetDlg(frame, Doc());
        frame->SetClientSize(panel->GetBestSize());
        frame->Show();
        ASSERT_TRUE(test::AwaitShown(frame));
        test::ExpectLabelsFit(frame, "unit-name panel" + lang);
        frame->Destroy();
    }
    CQVNameSetDlg dlg(app.MainFrame(), L"Unit");
    dlg.Show();
    ASSERT_TRUE(test::AwaitShown(&dlg));
    test::ExpectLabelsFit(&dlg, "name dialog" + lang);
    test::ExpectButtonsInLanguage(&dlg, language, "name dialog" + lang);
    dlg.Hide();
    test::RunPendingEvents();
}

INSTANTIATE_TEST_SUITE_P(Languages, UnitNameLanguageTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

// Port settings changed in the document while the page is shown survive
// both the option's store and a name change.
TEST_F(UnitNamePanelTest, StoresLeaveThePortBytesAsTheDocumentHasThem) {
    WriteMultiField(Doc().Blocks().unit.data(), 32, "Old unit name", Doc().CodePage());
    CMainSetDlg* panel = ShowPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->NameText->GetValue(), "Old unit name");
    EXPECT_EQ(panel->OptionList->GetSelection(), 0);

    UnitBlock& unit = Doc().Blocks().unit;
    for (size_t i = 32; i < 64; ++i)
        if (i != unit::kUnitOption)
            unit.bytes[i] = static_cast<uint8_t>(i);
    UnitBlock expected = unit;

    panel->OptionList->SetSelection(1); // chosen, the list not yet left
    View().StoreUnitNamePage();
    expected.SetU8(unit::kUnitOption, 1);
    EXPECT_EQ(unit, expected);
    EXPECT_FALSE(Doc().IsUnmodified());

    unit.SetU8(unit::kPortRecord + 3, 1); // the port dialog changes a protocol meanwhile
    expected = unit;
    test::DialogScript script;
    script.Then([](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CQVNameSetDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([dlg] {
            dlg->NameEdit->SetValue("Pump house");
            Click(dlg->FindWindow(wxID_OK));
        });
        return static_cast<int>(wxID_NONE);
    });
    Click(panel->NameButton);
    WriteMultiField(expected.data(), 32, "Pump house", Doc().CodePage());
    EXPECT_EQ(unit, expected);
    EXPECT_EQ(panel->NameText->GetValue(), "Pump house");
}

// A stored option the list does not hold shows no selection and stays.
TEST_F(UnitNamePanelTest, UnknownOptionIsKept) {
    Doc().Blocks().unit.SetU8(unit::kUnitOption, 7);
    CMainSetDlg* panel = ShowPanel();
    ASSERT_NE(panel, nullptr);
    panel->LoadFromDoc();
    EXPECT_EQ(panel->OptionList->GetSelection(), wxNOT_FOUND);
    View().StoreUnitNamePage();
    EXPECT_EQ(Doc().Blocks().unit.U8(unit::kUnitOption), 7);
}

// 17 double-byte characters are refused with the dialog open; Cancel then
// leaves the name as it was.
TEST_F(UnitNamePanelTest, NameTooLongIsRefusedAndCancelChangesNothing) {
    if (Doc().CodePage() != kCodePageJapanese && Doc().CodePage() != kCodePageChinese)
        GTEST_SKIP() << "needs a double-byte code page";
    CMainSetDlg* panel = ShowPanel();
    ASSERT_NE(panel, nullptr);
    const UnitBlock before = Doc().Blocks().unit;
    test::DialogScript script;
    bool stayedOpen = false;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CQVNameSetDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            dlg->NameEdit->SetValue(wxString(std::wstring(17, L'\u4E2D')));
            Click(dlg->FindWindow(wxID_OK));
            stayedOpen = dlg->IsModal();
            Click(dlg->FindWindow(wxID_CANCEL));
        });
        return static_cast<int>(wxID_NONE);
    });
    script.ThenEnd(wxID_OK); // the length message
    Click(panel->NameButton);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), wxString::Format(Res(20000), 16, 32));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Doc().Blocks().unit, before);
}

} // namespace
} // namespace qv
