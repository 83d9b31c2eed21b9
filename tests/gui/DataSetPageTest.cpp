// The data-set list page in the running program: its rows from the settings
// tree, the editor on Enter storing into the document's current table, and
// delete.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "document/QuorvelDoc.h"
#include "editors/datasets/DataSetDlg.h"
#include "editors/datasets/DataSetPage.h"
#include "tests/gui/DeviceEditorFixture.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/QVListCtrl.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

void Key(wxWindow* w, int code) {
    wxKeyEvent e(wxEVT_KEY_DOWN);
    e.m_keyCode = code;
    e.SetEventObject(w);
    w->GetEventHandler()->ProcessEvent(e);
}

class DataSetPageTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
    CMainFrame& Frame() { return *app.MainFrame(); }
    void SetUp() override {
        test::StartedProgramTest::SetUp();
        DataSetTable& t = Doc().Blocks().dataSets;
        t.Clear();
        t[0].SetAscii(dset::kName, 32, "valve");
        t[0].SetU8(dset::kTargetKind, 1);
        t[0].SetU8(dset::kArea, 15);
        t[0].SetU32(dset::kAddress, 7);
        t[0].SetU32(dset::kValue32, 5);
        // Bytes the boxes have no entry for, and one no editor writes.
        t[1].SetAscii(dset::kName, 32, "odd");
        t[1].SetU8(dset::kTrigger, 200);
        t[1].SetU8(dset::kFlag, 5);
        t[1].SetU8(dset::kTargetKind, 1);
        t[1].SetU8(dset::kDataType, 12);
        t[1].SetU8(dset::kArea, 15);
        t[1].SetU32(dset::kValue32, 0xDEADBEEF);
        t[1].SetU8(0x34, 0x5A);
        t[5].SetU8(dset::kTrigger, 2);
    }
    void TearDown() override {
        Doc().TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    CDataSetPage& Show(int mode) {
        CQVTreeCtrl& tree = *Frame().TreePane().Tree();
        tree.SelectItem(tree.FindItemByMode(mode));
        test::RunPendingEvents();
        auto* page = dynamic_cast<CDataSetPage*>(Frame().View().ShownPage());
        EXPECT_NE(page, nullptr);
        return *page;
    }
    // Opens the editor on `row` with Enter; `act` runs in it before OK.
    void EditWithEnter(CDataSetPage& page, long row, std::function<void(CDataSetDlg&)> act) {
        test::DialogScript script;
        script.Then([&](wxDialog* d) {
            d->CallAfter([&, d] {
                auto* editor = dynamic_cast<CDataSetDlg*>(d);
                ASSERT_NE(editor, nullptr);
                act(*editor);
                test::Click(d, wxID_OK);
            });
            return wxID_NONE;
        });
        page.List->SetAnchor(row);
        Key(page.List, WXK_RETURN);
        EXPECT_EQ(script.Pending(), 0u);
    }
};

TEST_F(DataSetPageTest, RowsEditorAndDeleteWorkOnTheDocument) {
    Show(kPageDataSets2);
    CDataSetPage& page = Show(kPageDataSets);
    CQVListCtrl& list = *page.List;
    ASSERT_EQ(list.GetItemCount(), 128);
    EXPECT_EQ(list.GetItemText(0, 2), "valve");
    EXPECT_NE(list.GetItemText(0, 4).Find("DT7=5"), wxNOT_FOUND);
    EXPECT_EQ(list.GetItemText(2, 1), "3");
    EXPECT_EQ(list.GetItemText(2, 2), "");

    // The editor stores into the table as the document holds it when OK is
    // pressed: a clean-up made meanwhile (the trigger editor's) stays.
    EditWithEnter(page, 0, [&](CDataSetDlg& editor) {
        editor.ValueEdit->SetValue("40000"); // type 0: limited to 32767
        Doc().Blocks().dataSets[5].SetU8(dset::kTrigger, 0);
    });
    EXPECT_EQ(Doc().Blocks().dataSets[0].U32(dset::kValue32), 32767u);
    EXPECT_EQ(Doc().Blocks().dataSets[5].U8(dset::kTrigger), 0);
    EXPECT_NE(list.GetItemText(0, 4).Find("=32767"), wxNOT_FOUND);
    EXPECT_TRUE(list.IsItemChecked(0)) << "the edited row is checked";

    // Unchanged OK keeps what the boxes could not show.
    const DataSetRecord odd = Doc().Blocks().dataSets[1];
    EditWithEnter(page, 1, [](CDataSetDlg&) {});
    EXPECT_EQ(Doc().Blocks().dataSets[1], odd);

    // Delete the first and the third row: the second stays where it is.
    list.UncheckAll();
    list.CheckItem(0, true);
    list.CheckItem(2, true);
    {
        test::DialogScript script;
        script.ThenEnd(wxID_OK);
        test::Click(&page, CPageBase::kIdAction);
        EXPECT_EQ(script.Pending(), 0u);
    }
    EXPECT_TRUE(IsUnusedDataSet(Doc().Blocks().dataSets[0]));
    EXPECT_EQ(Doc().Blocks().dataSets[1], odd);
    EXPECT_EQ(list.GetItemText(0, 2), "");
    EXPECT_EQ(list.GetItemText(1, 2), "odd");
}

TEST_F(DataSetPageTest, AnExcludedTriggerIsRefusedAndTheLastChoiceComesBack) {
    TriggerRecord& excluded = Doc().Blocks().triggers[2];
    excluded.SetU8(trig::kKind, kTriggerRegister);
    excluded.SetU8(trig::kRegExcluded, 1);
    CDataSetDlg editor(0, Doc(), app.MainFrame());
    editor.Show();
    test::Choose(editor.TriggerBox, 2);
    {
        test::DialogScript script;
        script.ThenEnd(wxID_OK);
        test::Choose(editor.TriggerBox, 3);
        EXPECT_EQ(script.Pending(), 0u) << "the refusal was shown";
    }
    EXPECT_EQ(editor.TriggerBox->GetSelection(), 2);
    editor.Hide();
}

class DataSetLanguageTest : public DataSetPageTest, public ::testing::WithParamInterface<int> {};

TEST_P(DataSetLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "data sets");
    auto* page = new CDataSetPage(frame, Doc());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(page, 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->SetSize(800, 500);
    frame->Show();
    EXPECT_TRUE(test::AwaitShown(frame));
    test::ExpectLabelsFit(frame, "data-set list" + lang);
    test::ExpectButtonsInLanguage(frame, language, "data-set list" + lang);
    {
        CDataSetDlg editor(0, Doc(), frame);
        editor.Show();
        EXPECT_TRUE(test::AwaitShown(&editor));
        test::ExpectLabelsFit(&editor, "data-set editor" + lang);
        test::ExpectButtonsInLanguage(&editor, language, "data-set editor" + lang);
        editor.Hide();
    }
    frame->Destroy();
    test::RunPendingEvents();
}

INSTANTIATE_TEST_SUITE_P(Languages, DataSetLanguageTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

} // namespace
} // namespace qv
