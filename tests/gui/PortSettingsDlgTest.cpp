// The serial port windows: their texts in every language, the ribbon's port
// settings with a protocol change asked about, refused and then confirmed,
// and the advanced values' refusal.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/PortRemoval.h"
#include "document/QuorvelDoc.h"
#include "editors/PortAdvancedDlg.h"
#include "editors/PortInfoPane.h"
#include "editors/PortPage.h"
#include "editors/PortSettingsDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"

namespace qv {
namespace {

void ExpectWindowInLanguage(wxTopLevelWindow* top, int language, const std::string& where,
                            bool hasButtons = true) {
    top->Show();
    ASSERT_TRUE(test::AwaitShown(top)) << where;
    test::ExpectLabelsFit(top, where);
    if (hasButtons)
        test::ExpectButtonsInLanguage(top, language, where);
}

class PortWindowsLanguageTest : public test::StartedProgramTest,
                                public ::testing::WithParamInterface<int> {};

TEST_P(PortWindowsLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    {
        // The page on each tab: the second one must have room as well.
        CComSetDlg dlg(app.MainFrame(), *app.Document());
        ExpectWindowInLanguage(&dlg, language, "port settings" + lang);
        dlg.PortTabs->SetSelection(1);
        ASSERT_EQ(dlg.PortIndex, 1);
        ExpectWindowInLanguage(&dlg, language, "port page, second port" + lang);
    }
    {
        // The pane showing the longer of its two texts.
        app.Document()->Blocks().unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
        wxDialog host(app.MainFrame(), wxID_ANY, "host");
        auto* pane = new CComInfoDlg(&host, app.Document());
        host.SetClientSize(pane->GetBestSize());
        ExpectWindowInLanguage(&host, language, "port info pane" + lang, false);
        EXPECT_EQ(pane->PortText[0]->GetLabel(), Res(20501));
        EXPECT_EQ(pane->PortText[1]->GetLabel(), Res(20502));
        app.Document()->TakeSnapshot(kSnapshotSaved);
    }
    {
        CPortAdvancedSetDlg dlg(app.MainFrame());
        ExpectWindowInLanguage(&dlg, language, "advanced port values" + lang);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, PortWindowsLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

class PortSettingsDlgTest : public test::StartedProgramTest {
protected:
    ImageBlocks& B() { return app.Document()->Blocks(); }
    static void Click(wxDialog* dialog, int id) {
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(dialog->FindWindow(id));
        dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
    }
    static void Choose(wxChoice* list, int index) {
        list->SetSelection(index);
        wxCommandEvent e(wxEVT_CHOICE, list->GetId());
        e.SetEventObject(list);
        e.SetInt(index);
        list->GetEventHandler()->ProcessEvent(e);
    }
};

// A device, a data set and a contact trigger on each port, a combination of
// port 2's trigger, and a port-1 data set started by that trigger.
TEST_F(PortSettingsDlgTest, SecondPortProtocolAskedRefusedThenConfirmedFromTheRibbon) {
    for (int i = 0; i < 2; ++i) {
        const auto port = static_cast<uint8_t>(i + 1);
        B().devices[i].SetU8(dev::kPort, port);
        B().devices[i].SetU16(dev::kNumber, port);
        B().dataSets[i].SetU8(dset::kPort, port);
        B().triggers[i].SetU8(trig::kKind, kTriggerContact);
        B().triggers[i].SetU8(trig::kPort, port);
    }
    B().triggers[2].SetU8(trig::kKind, kTriggerCombination);
    B().triggers[2].SetU8(trig::kCombiFirst, 1);
    B().triggers[2].SetU8(trig::kCombiSecond, 0);
    B().dataSets[0].SetU8(dset::kTrigger, 2);
    B().dataSets[0].SetU8(dset::kTrigger2, 3);
    app.Document()->TakeSnapshot(kSnapshotSaved);
    const auto before = std::make_unique<ImageBlocks>(B());

    test::DialogScript script;
    bool stayedAfterCancel = false, unchangedAfterCancel = false;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CComSetDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            Choose(dlg->Page->BaudList, 5); // port 1, kept across the tab switch
            dlg->PortTabs->SetSelection(1);
            EXPECT_TRUE(dlg->Page->ProtocolList->IsEnabled());
            Choose(dlg->Page->ProtocolList, 1);
            Click(dlg, wxID_OK); // answered Cancel
            stayedAfterCancel = dlg->IsModal();
            unchangedAfterCancel = std::memcmp(B().raw(), before->raw(), sizeof(ImageBlocks)) == 0;
            Click(dlg, wxID_OK); // answered OK
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_CANCEL);
    script.ThenEnd(wxID_OK);
    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kPortSettings).enabled);
    app.MainFrame()->RunCommand(cmd::kPortSettings);

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kStrProtocolChangeQuestion));
    // The change removes devices, data sets and triggers: Cancel is the default.
    EXPECT_EQ(script.defaults, (std::vector<int>{wxID_OK, wxID_CANCEL, wxID_CANCEL}));
    EXPECT_TRUE(stayedAfterCancel);
    EXPECT_TRUE(unchangedAfterCancel);

    const UnitBlock& u = B().unit;
    EXPECT_EQ(u.U8(unit::PortRecordOffset(0) + portrec::kBaud), 5);
    EXPECT_EQ(u.U8(unit::PortRecordOffset(0) + portrec::kProtocol), 0);
    EXPECT_EQ(u.U8(unit::PortRecordOffset(1) + portrec::kProtocol), 1);
    EXPECT_EQ(B().devices[0].U8(dev::kPort), 1);
    EXPECT_EQ(B().dataSets[0].U8(dset::kPort), 1);
    for (size_t i = 0; i < DeviceTable::kCount; ++i)
        EXPECT_NE(B().devices[i].U8(dev::kPort), 2) << "device " << i;
    for (size_t i = 0; i < DataSetTable::kCount; ++i)
        EXPECT_NE(B().dataSets[i].U8(dset::kPort), 2) << "data set " << i;
    EXPECT_EQ(B().triggers[0].U8(trig::kKind), kTriggerContact);
    EXPECT_EQ(B().triggers[1].U8(trig::kKind), kTriggerNone);
    EXPECT_EQ(B().triggers[2].U8(trig::kKind), kTriggerNone);
    EXPECT_EQ(B().dataSets[0].U8(dset::kTrigger), 0);
    EXPECT_EQ(B().dataSets[0].U8(dset::kTrigger2), 0);
    EXPECT_FALSE(app.Document()->IsUnmodified());
    app.Document()->TakeSnapshot(kSnapshotSaved); // leave without the save question
}

// A bad value keeps the dialog open with the focus on the failing edit; the
// block changes only when both values are in range.
TEST_F(PortSettingsDlgTest, AdvancedValuesOutsideTheRangeAreRefused) {
    PortNumberBlock block;
    block.SetU8(kAdvancedFirst, 30);
    test::DialogScript script;
    wxWindow* focusAfterRefusal = nullptr;
    wxWindow* secondEdit = nullptr;
    CPortAdvancedSetDlg* seen = nullptr;
    script.Then([&](wxDialog* dialog) {
        seen = dynamic_cast<CPortAdvancedSetDlg*>(dialog);
        EXPECT_NE(seen, nullptr);
        dialog->CallAfter([&, dialog] {
            EXPECT_EQ(seen->FirstEdit->GetValue(), "30");
            EXPECT_EQ(seen->SecondEdit->GetValue(), "60");
            seen->SecondEdit->SetValue("61");
            Click(dialog, wxID_OK);
            test::PumpUntil([&] { return wxWindow::FindFocus() == seen->SecondEdit; }, 1000);
            focusAfterRefusal = wxWindow::FindFocus();
            secondEdit = seen->SecondEdit;
            EXPECT_TRUE(dialog->IsModal());
            seen->SecondEdit->SetValue("5");
            Click(dialog, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // the range message
    EXPECT_TRUE(RunPortAdvancedDialog(app.MainFrame(), block));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), wxString::Format(Res(20001), 5, 60));
    EXPECT_EQ(focusAfterRefusal, secondEdit);
    EXPECT_EQ(block.U8(kAdvancedFirst), 30);
    EXPECT_EQ(block.U8(kAdvancedSecond), 5);
}

} // namespace
} // namespace qv
