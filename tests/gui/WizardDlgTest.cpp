// The settings wizard's window: a walk to Finish from the ribbon and a write
// to the simulated unit, a walk from the start-up chooser, a cancelled run that leaves the
// document alone, and its pages in every language.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/StartUpDlg.h"
#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "editors/devices/DeviceTableModel.h"
#include "editors/wizard/WizardDlg.h"
#include "editors/wizard/WizardPages.h"
#include "online/ConnectionDlg.h"
#include "online/ConnectionModel.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/SimulatedUnit.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"
#include "ui/OnScreen.h"

namespace qv {
namespace {

void Press(wxButton* button) {
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

template <class Page> Page* PageOf(CWizardDlg* w) {
    auto* page = dynamic_cast<Page*>(w->Page());
    EXPECT_NE(page, nullptr) << "page " << w->PageIndex();
    return page;
}

// Pages 0 to 2 filled and left by Next; `rows` device rows.
void WalkToSummary(CWizardDlg* w, int rows) {
    auto* unit = PageOf<CWizardInitDlg>(w);
    unit->NameEdit->SetValue("Plant A");
    const uint8_t address[4] = {10, 0, 0, 20};
    unit->Address->SetOctets(address);
    Press(w->NextButton);
    auto* file = PageOf<CWizardFileDlg>(w);
    EXPECT_FALSE(w->AddButton->IsShown());
    file->NameEdit->SetValue("Line1");
    file->Interval[2]->SetValue(true);
    Press(w->NextButton);
    for (int i = 0; i < rows; ++i) {
        auto* device = PageOf<CWizardDeviceDlg>(w);
        EXPECT_TRUE(w->AddButton->IsShown());
        device->NameEdit->SetValue(wxString::Format("Meter %d", i + 1));
        Press(device->PresetButton);
        Press(i + 1 < rows ? w->AddButton : w->NextButton);
    }
    EXPECT_EQ(w->PageIndex(), kWizPageSummary);
    EXPECT_EQ(w->NextButton->GetLabel(), Res(kStrWizardFinish));
}

std::string NameOf(const DeviceRecord& r) {
    return FieldBytes(r.data() + dev::kName, kNameWidth);
}

class WizardDlgTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
};

class WizardWriteTest : public test::SimulatedUnitTest {
protected:
    void TearDown() override {
        app.Document()->TakeSnapshot(kSnapshotSaved); // leave without the save question
        SimulatedUnitTest::TearDown();
    }
};

// From the ribbon to Finish with the write asked for: the connection dialog
// writes the wizard's settings to the simulated unit.
TEST_F(WizardWriteTest, RibbonWalkToFinishWritesToTheUnit) {
    StartUnit();
    if (HasFatalFailure())
        return;
    sim.SetDataRegister(kFirmwareVersionWord, 0x0232);
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* w = dynamic_cast<CWizardDlg*>(dialog);
        EXPECT_NE(w, nullptr);
        dialog->CallAfter([&, w] {
            WalkToSummary(w, 2);
            PageOf<CWizardChkDlg>(w)->WriteCheck->SetValue(true);
            Press(w->NextButton);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_YES); // replace the open document's settings
    script.Then([&](wxDialog* dialog) {
        EXPECT_NE(dynamic_cast<CConnectionDlg*>(dialog), nullptr) << "no write offered";
        dialog->CallAfter([dialog] {
            wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
            ok.SetEventObject(dialog->FindWindow(wxID_OK));
            dialog->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // the write is done
    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kSettingsWizard).enabled);
    app.MainFrame()->RunCommand(cmd::kSettingsWizard);

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_FALSE(script.messages.empty());
    EXPECT_EQ(wxString::FromUTF8(script.messages.back()), Res(kMsgWriteDone));
    CQuorvelDoc& doc = *app.Document();
    EXPECT_EQ(doc.writeRequested, 1u);
    const ImageBlocks& b = doc.Blocks();
    EXPECT_EQ(FieldBytes(b.unit.data(), kNameWidth), "Plant A");
    EXPECT_EQ(b.ip.U8(0), 10);
    EXPECT_EQ(FieldBytes(b.files[0].data(), kNameWidth), "Line1");
    EXPECT_EQ(b.triggers[0].U8(trig::kCycleHours), 1);
    EXPECT_EQ(NameOf(b.devices[0]), "Meter 1");
    EXPECT_EQ(NameOf(b.devices[1]), "Meter 2");
    EXPECT_EQ(b.devices[1].U16(dev::kNumber), 2);
    EXPECT_EQ(b.devices[1].U32(dev::kAddress), 100u);
    EXPECT_TRUE(IsFreeDevice(b.devices[2]));
    EXPECT_EQ(UnitBlocks(), Blocks(doc));
}

TEST_F(WizardDlgTest, CancelledRunLeavesDocumentSavedStateAndWriteRequest) {
    ImageBlocks& live = Doc().Blocks();
    live.spare64.SetU8(5, 0x77);
    live.unit.SetU8(40, 0x12);
    Doc().TakeSnapshot(kSnapshotSaved);
    live.devices[0].SetU8(dev::kStation, 9); // an edit not yet saved
    Doc().writeRequested = 0;
    const auto before = std::make_unique<ImageBlocks>(live);

    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* w = dynamic_cast<CWizardDlg*>(dialog);
        dialog->CallAfter([&, w] {
            WalkToSummary(w, 1);
            PageOf<CWizardChkDlg>(w)->WriteCheck->SetValue(true);
            Press(w->NextButton); // answered No: the wizard stays
            EXPECT_EQ(w->PageIndex(), kWizPageSummary);
            Press(w->BackButton);
            EXPECT_EQ(w->PageIndex(), kWizPageDevice);
            Press(w->CancelButton); // answered No
            Press(w->CancelButton); // answered Yes
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_NO);
    script.ThenEnd(wxID_NO);
    script.ThenEnd(wxID_YES);
    EXPECT_FALSE(RunSettingsWizard(app.MainFrame(), Doc(), kWizardOnOpenDocument));

    EXPECT_EQ(script.Pending(), 0u);
    // Replacing the settings and dropping the answers cannot be undone: No
    // is the default of both questions.
    ASSERT_EQ(script.defaults.size(), 4u);
    EXPECT_EQ(std::vector<int>(script.defaults.begin() + 1, script.defaults.end()),
              (std::vector<int>{wxID_NO, wxID_NO, wxID_NO}));
    EXPECT_EQ(std::memcmp(before.get(), &live, sizeof live), 0);
    EXPECT_FALSE(Doc().IsUnmodified());
    EXPECT_EQ(Doc().writeRequested, 0u);

    // The ribbon's road: cancelled on its first page.
    script.Then([&](wxDialog* dialog) {
        dialog->CallAfter([dialog] { Press(dynamic_cast<CWizardDlg*>(dialog)->CancelButton); });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_YES);
    app.MainFrame()->RunCommand(cmd::kSettingsWizard);
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(std::memcmp(before.get(), &live, sizeof live), 0);
    EXPECT_EQ(Doc().writeRequested, 0u);
    live.devices[0].SetU8(dev::kStation, 0);
    EXPECT_TRUE(Doc().IsUnmodified()) << "the saved state moved";
}

TEST_F(WizardDlgTest, RefusalsKeepThePage) {
    CWizardDlg w(Doc(), kWizardAtStartUp, app.MainFrame());
    auto* unit = PageOf<CWizardInitDlg>(&w);
    const uint8_t loopback[4] = {127, 0, 0, 1};
    unit->Address->SetOctets(loopback);
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    Press(w.NextButton);
    EXPECT_EQ(w.PageIndex(), kWizPageUnit);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgWizardBadAddress));

    const uint8_t address[4] = {10, 0, 0, 1};
    unit->Address->SetOctets(address);
    Press(w.NextButton);
    auto* file = PageOf<CWizardFileDlg>(&w);
    file->NameEdit->SetValue("System"); // the system history file's name
    script.ThenEnd(wxID_OK);
    Press(w.NextButton);
    EXPECT_EQ(w.PageIndex(), kWizPageFile);
    EXPECT_EQ(script.Pending(), 0u);

    file->NameEdit->SetValue("Line1");
    Press(w.NextButton);
    auto* device = PageOf<CWizardDeviceDlg>(&w);
    device->NameEdit->SetValue("Dev");
    device->ScalingBox->SetSelection(1);
    script.ThenEnd(wxID_OK); // scaling on with no scale
    Press(w.NextButton);
    EXPECT_EQ(w.PageIndex(), kWizPageDevice);
    EXPECT_EQ(wxString::FromUTF8(script.messages.back()), Res(kMsgWizardScaleMissing));
}

TEST_F(WizardDlgTest, StartUpChooserRunsTheWizardToFinish) {
    app.MainFrame()->Close(true);
    app.Reset();
    test::RunPendingEvents();
    test::DialogScript script;
    script.ThenClick(kIdStartWizard);
    script.Then([&](wxDialog* dialog) {
        auto* w = dynamic_cast<CWizardDlg*>(dialog);
        EXPECT_NE(w, nullptr);
        dialog->CallAfter([&, w] {
            WalkToSummary(w, 1);
            Press(w->NextButton); // no question at start-up
        });
        return wxID_NONE;
    });
    app.CallAfter([this] {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = WXK_SPACE;
        app.FilterEvent(key);
    });
    ASSERT_TRUE(app.StartUp({}));
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(Doc().writeRequested, 0u);
    EXPECT_EQ(NameOf(Doc().Blocks().devices[0]), "Meter 1");
    Doc().TakeSnapshot(kSnapshotSaved);
}

// By keyboard: typed names lose the characters they refuse, Enter moves on,
// and each new page has its first field focused.
TEST_F(WizardDlgTest, KeyboardWalkToTheSummary) {
    CWizardDlg w(Doc(), kWizardAtStartUp, app.MainFrame());
    ASSERT_TRUE(test::ActivateWindow(&w));
    wxUIActionSimulator keys;
    auto typeThenEnter = [&](wxTextCtrl* edit, const char* text, const char* kept) {
        ASSERT_TRUE(test::FocusControl(edit));
        edit->Clear();
        keys.Text(text);
        EXPECT_TRUE(test::PumpUntil([&] { return edit->GetValue() == kept; })) << edit->GetValue();
        const int page = w.PageIndex();
        keys.Char(WXK_RETURN);
        EXPECT_TRUE(test::PumpUntil([&] { return w.PageIndex() == page + 1; })) << page;
    };
    typeThenEnter(PageOf<CWizardInitDlg>(&w)->NameEdit, "Unit", "Unit");
    auto* file = PageOf<CWizardFileDlg>(&w);
    EXPECT_TRUE(test::PumpUntil([&] { return wxWindow::FindFocus() == file->NameEdit; }));
    typeThenEnter(file->NameEdit, "Li.ne", "Line");
    auto* device = PageOf<CWizardDeviceDlg>(&w);
    EXPECT_TRUE(test::PumpUntil([&] { return wxWindow::FindFocus() == device->NameEdit; }));
    typeThenEnter(device->NameEdit, "Dev,1", "Dev1");
    EXPECT_EQ(NameOf(w.Model().Devices()[0]), "Dev1");
    EXPECT_EQ(FieldBytes(w.Model().Files()[0].data(), kNameWidth), "Line");
}

// The pages grow the window from the unit page to the device page: it grows
// about its centre and stays within the screen's client area, also when it
// stood near the screen's lower right corner.
TEST_F(WizardDlgTest, GrowingPagesKeepTheWindowCentredAndOnTheScreen) {
    for (const bool nearCorner : {false, true}) {
        const std::string where = nearCorner ? "near the corner" : "centred";
        CWizardDlg w(Doc(), kWizardAtStartUp, app.MainFrame());
        ASSERT_TRUE(test::AwaitShown(&w)) << where;
        const wxRect area = WorkAreaOf(&w);
        if (nearCorner) {
            const wxPoint corner(area.GetRight() - w.GetSize().x - 20,
                                 area.GetBottom() - w.GetSize().y - 20);
            w.Move(corner);
            ASSERT_TRUE(test::PumpUntil([&] { return w.GetPosition() == corner; })) << where;
            ASSERT_TRUE(test::AwaitShown(&w)) << where;
        }
        const wxRect unitPage = w.GetScreenRect();
        auto* unit = PageOf<CWizardInitDlg>(&w);
        unit->NameEdit->SetValue("Plant A");
        Press(w.NextButton);
        PageOf<CWizardFileDlg>(&w)->NameEdit->SetValue("Line1");
        Press(w.NextButton);
        ASSERT_EQ(w.PageIndex(), kWizPageDevice);
        ASSERT_TRUE(test::AwaitShown(&w)) << where;
        const wxRect devicePage = w.GetScreenRect();
        ASSERT_GT(devicePage.height, unitPage.height + 100) << where;
        EXPECT_TRUE(area.Contains(devicePage))
            << where << ": " << devicePage.x << "," << devicePage.y << " " << devicePage.width
            << "x" << devicePage.height << " outside " << area.x << "," << area.y << " "
            << area.width << "x" << area.height;
        if (!nearCorner) {
            const wxPoint moved = (devicePage.GetPosition() + devicePage.GetSize() / 2) -
                                  (unitPage.GetPosition() + unitPage.GetSize() / 2);
            EXPECT_LE(std::abs(moved.x), 2) << where;
            EXPECT_LE(std::abs(moved.y), 2) << where;
        }
        w.Hide();
    }
}

class WizardDlgLanguageTest : public test::StartedProgramTest,
                              public ::testing::WithParamInterface<int> {};

TEST_P(WizardDlgLanguageTest, EveryPageFitsItsLabels) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    CWizardDlg w(*app.Document(), kWizardOnOpenDocument, app.MainFrame());
    w.Show();
    for (int page = kWizPageUnit; page <= kWizPageSummary; ++page) {
        const std::string where =
            "page " + std::to_string(page) + ", language " + std::to_string(language);
        ASSERT_EQ(w.PageIndex(), page);
        ASSERT_TRUE(test::AwaitShown(&w)) << where;
        test::ExpectLabelsFit(&w, where);
        // The row in the dialogs' order, Next rightmost; Tab goes along it.
        std::vector<wxButton*> row;
        for (wxButton* b : {w.CancelButton, w.BackButton, w.NextButton})
            if (b->IsShown())
                row.push_back(b);
        EXPECT_GE(row.size(), 2u) << where;
        for (size_t i = 1; i < row.size(); ++i)
            EXPECT_LT(row[i - 1]->GetScreenPosition().x, row[i]->GetScreenPosition().x) << where;
        const wxWindowList& children = w.GetChildren();
        EXPECT_LT(children.IndexOf(w.CancelButton), children.IndexOf(w.BackButton));
        EXPECT_LT(children.IndexOf(w.BackButton), children.IndexOf(w.NextButton));
        test::ExpectButtonsInLanguage(&w, language, where);
        if (page == kWizPageFile)
            PageOf<CWizardFileDlg>(&w)->NameEdit->SetValue("Line1");
        if (page == kWizPageDevice) {
            auto* device = PageOf<CWizardDeviceDlg>(&w);
            EXPECT_FALSE(device->DifferenceBox->IsEnabled());
            EXPECT_FALSE(device->ScaleEdit->IsEnabled());
            EXPECT_FALSE(device->PreviousButton->IsEnabled());
            device->NameEdit->SetValue("Dev");
        }
        if (page < kWizPageSummary)
            Press(w.NextButton);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, WizardDlgLanguageTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

} // namespace
} // namespace qv
