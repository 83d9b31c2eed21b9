// The power-meter wizard in real windows: from the ribbon to OK with a write
// to the simulated unit, Cancel leaving everything as it was, the unit-type
// dialog, and its labels in the three languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/StartUpDlg.h"
#include "editors/pmwizard/ChannelsPage.h"
#include "editors/pmwizard/PowerMeterWizardDlg.h"
#include "editors/pmwizard/UnitTypeDlg.h"
#include "online/ConnectionModel.h"
#include "tests/gui/DeviceEditorFixture.h"
#include "tests/gui/SimulatedUnit.h"
#include "ui/Messages.h"
#include "ui/QVChkBox.h"

namespace qv {
namespace {

using test::Check;
using test::Choose;
using test::Click;
using test::NameOf;

void Toggle(wxToggleButton* button, bool on) {
    button->SetValue(on);
    wxCommandEvent e(wxEVT_TOGGLEBUTTON, button->GetId());
    e.SetEventObject(button);
    e.SetInt(on);
    button->GetEventHandler()->ProcessEvent(e);
}

class PowerMeterWizardTest : public test::SimulatedUnitTest {
protected:
    void TearDown() override {
        app.Document()->TakeSnapshot(kSnapshotSaved); // leave without the save question
        SimulatedUnitTest::TearDown();
    }
};

// Station 1 as a single value and station 2 as a 32-point unit with two
// points; OK with the write request asks first, then writes to the unit.
TEST_F(PowerMeterWizardTest, FromTheRibbonToOkWritesTheSettingsToTheUnit) {
    StartUnit();
    if (HasFatalFailure())
        return;
    sim.SetDataRegister(kFirmwareVersionWord, 0x0232);
    CQuorvelDoc& doc = *app.Document();

    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* wizard = dynamic_cast<CZuzPelmDlg*>(dialog);
        EXPECT_NE(wizard, nullptr);
        dialog->CallAfter([&, wizard] {
            Check(wizard->Boxes[1], true);
            EXPECT_EQ(wizard->RunUnitType(2), wxID_OK);
            EXPECT_TRUE(wizard->Boxes[2]->GetValue());
            EXPECT_EQ(wizard->Boxes[2]->GetLabel(), "02*");
            EXPECT_EQ(wizard->FreeCount->GetLabel(), "294");
            Choose(wizard->IntervalBox, 2);
            Check(wizard->WriteRequestBox, true);
            Click(wizard, wxID_OK);
        });
        return wxID_NONE;
    });
    script.Then([&](wxDialog* dialog) {
        auto* types = dynamic_cast<CUnitTypeDlg*>(dialog);
        EXPECT_NE(types, nullptr);
        dialog->CallAfter([&, types] {
            Choose(types->TypeBox, kUnit32Points);
            EXPECT_FALSE(types->ChannelsPage->IsShown());
            EXPECT_TRUE(types->Points[31]->IsEnabled());
            EXPECT_FALSE(types->GroupedPoints[0]->IsEnabled());
            Check(types->Points[0], true);
            Check(types->Points[1], true);
            Click(types, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_YES);  // replace the open document's settings
    script.ThenClick(wxID_OK); // the connection dialog
    script.ThenEnd(wxID_OK);   // the write is done
    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kPowerMeterWizard).enabled);
    app.MainFrame()->RunCommand(cmd::kPowerMeterWizard);

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_GE(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages.front()), Res(kMsgReplaceAllSettings));
    ASSERT_GE(script.defaults.size(), 3u);
    EXPECT_EQ(script.seen[2], "CMessageBox");
    EXPECT_EQ(script.defaults[2], wxID_NO) << "replacing every setting defaults to No";
    EXPECT_EQ(doc.writeRequested, 1u);
    const char* names[] = {"No.1", "No.2-1", "No.2-2", "No.1", "No.2-1", "No.2-2"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(NameOf(doc.Blocks().devices[i]), names[i]) << i;
    EXPECT_TRUE(NameOf(doc.Blocks().devices[6]).empty());
    EXPECT_EQ(doc.Blocks().triggers[0].U8(trig::kCycleHours), 1);
    EXPECT_EQ(UnitBlocks(), Blocks(doc));
}

// Cancel, after stations, a unit type and the write request were chosen,
// leaves the document, its saved state and its write request as they were.
TEST_F(PowerMeterWizardTest, CancelLeavesEverythingAsBefore) {
    CQuorvelDoc& doc = *app.Document();
    doc.Blocks().unit.SetU8(0, 'Q');
    doc.writeRequested = 0;
    const std::vector<uint8_t> before(doc.Blocks().raw(), doc.Blocks().raw() + kBlocksSize);

    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* wizard = dynamic_cast<CZuzPelmDlg*>(dialog);
        dialog->CallAfter([&, wizard] {
            Toggle(wizard->RowButtons[1], true);
            EXPECT_TRUE(wizard->Boxes[19]->GetValue());
            EXPECT_EQ(wizard->RunUnitType(12), wxID_OK);
            Check(wizard->WriteRequestBox, true);
            Click(wizard, wxID_CANCEL);
        });
        return wxID_NONE;
    });
    script.Then([&](wxDialog* dialog) {
        auto* types = dynamic_cast<CUnitTypeDlg*>(dialog);
        dialog->CallAfter([types] {
            Choose(types->TypeBox, kUnit4Points);
            Check(types->Points[3], true);
            Click(types, wxID_OK);
        });
        return wxID_NONE;
    });
    app.MainFrame()->RunCommand(cmd::kPowerMeterWizard);

    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_TRUE(script.messages.empty());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), doc.Blocks().raw()));
    EXPECT_FALSE(doc.IsUnmodified());
    EXPECT_EQ(doc.writeRequested, 0u);
}

// The unit-type dialog refuses a type that logs nothing and stays open;
// its Cancel gives the station back exactly as it was.
TEST_F(PowerMeterWizardTest, UnitTypeRefusesNothingChosenAndCancelKeepsTheStation) {
    CZuzPelmDlg wizard(app.MainFrame(), *app.Document(), 1);
    test::DialogScript script;
    bool stayed = false;
    script.Then([&](wxDialog* dialog) {
        auto* types = dynamic_cast<CUnitTypeDlg*>(dialog);
        dialog->CallAfter([&, types] {
            Check(types->ChannelsPage->ChannelsOn, true);
            EXPECT_TRUE(types->ChannelsPage->Values[0]->IsEnabled());
            Click(types, wxID_OK); // no channel value: refused
            stayed = types->IsModal();
            Choose(types->TypeBox, kUnitGrouped);
            Choose(types->Ranges[0], 1);
            Check(types->GroupedPoints[2], true);
            Click(types, wxID_CANCEL);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // message 20365
    const UnitTypeRecord kept = wizard.Wizard().Station(30);
    EXPECT_EQ(wizard.RunUnitType(30), wxID_CANCEL);

    EXPECT_TRUE(stayed);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgNoChannelChosen));
    const UnitTypeRecord& now = wizard.Wizard().Station(30);
    EXPECT_EQ(std::memcmp(&now, &kept, sizeof kept), 0);
    EXPECT_FALSE(wizard.Boxes[30]->GetValue());
    EXPECT_EQ(wizard.FreeCount->GetLabel(), "300");
}

// At start-up: Cancel brings the chooser back; OK asks nothing (there is no
// document to lose) and the program starts on the built settings.
TEST(PowerMeterWizardStartUp, FromTheChooserCancelComesBackAndOkStarts) {
    CQuorvelApp& app = wxGetApp();
    std::remove(std::getenv("QV_PROFILE"));
    test::DialogScript script;
    script.ThenClick(kIdStartPowerMeterWizard);
    script.ThenClick(wxID_CANCEL);
    script.ThenClick(kIdStartPowerMeterWizard);
    script.Then([](wxDialog* dialog) {
        auto* wizard = dynamic_cast<CZuzPelmDlg*>(dialog);
        EXPECT_NE(wizard, nullptr);
        dialog->CallAfter([wizard] {
            Check(wizard->Boxes[3], true);
            Click(wizard, wxID_OK);
        });
        return wxID_NONE;
    });
    app.CallAfter([&app] { // the splash waits for a key
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = WXK_SPACE;
        app.FilterEvent(key);
    });
    ASSERT_TRUE(app.StartUp({}));
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(app.Document()->writeRequested, 0u);
    EXPECT_EQ(NameOf(app.Document()->Blocks().devices[1]), "No.3");
    EXPECT_FALSE(app.Document()->IsUnmodified());
    app.Document()->TakeSnapshot(kSnapshotSaved);
    app.Reset();
    test::RunPendingEvents();
}

class PowerMeterWizardLanguageTest : public test::StartedProgramTest,
                                     public ::testing::WithParamInterface<int> {};

TEST_P(PowerMeterWizardLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    const std::string lang = ", language " + std::to_string(language);
    CZuzPelmDlg wizard(app.MainFrame(), *app.Document(), 1);
    wizard.Show();
    ASSERT_TRUE(test::AwaitShown(&wizard));
    test::ExpectLabelsFit(&wizard, "power-meter wizard" + lang);
    test::ExpectButtonsInLanguage(&wizard, language, "power-meter wizard" + lang);
    PowerMeterWizard model;
    for (int type : {kUnitChannels, kUnitGrouped}) {
        CUnitTypeDlg types(&wizard, model, 7);
        Choose(types.TypeBox, type);
        Check(types.ChannelsPage->ChannelsOn, true);
        types.Show();
        ASSERT_TRUE(test::AwaitShown(&types));
        const std::string where = "unit type " + std::to_string(type) + lang;
        test::ExpectLabelsFit(&types, where);
        test::ExpectButtonsInLanguage(&types, language, where);
        types.Hide();
    }
    wizard.Hide();
}

INSTANTIATE_TEST_SUITE_P(Languages, PowerMeterWizardLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

} // namespace
} // namespace qv
