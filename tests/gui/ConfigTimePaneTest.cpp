// The clock pane against the simulated unit: it reads, writes and sets by
// relay the unit's clock, ends each command with the link closed (success,
// failure, the connection dialog's Cancel), and stores what it shows.
#include <gtest/gtest.h>

#include <memory>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "editors/config/ConfigTimeDlg.h"
#include "editors/triggers/TriggerListDlg.h"
#include "link/CommSettings.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "tests/link/LinkFakes.h"
#include "tools/unitsim/UnitSimulator.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"

namespace qv {
namespace {

std::string Utf8(const wxString& s) {
    return s.utf8_string();
}

class ConfigTimePaneTest : public test::StartedProgramTest {
protected:
    unitsim::UnitSimulator sim;
    ConfigCopies copies;
    std::unique_ptr<wxDialog> host;
    CConfigTimeDlg* pane = nullptr;
    test::FakeSleeper sleeper;

    void SetUp() override {
        test::StartedProgramTest::SetUp();
        const uint16_t port = sim.StartTcp();
        ASSERT_NE(port, 0);
        ProfileStore& p = app.Profile();
        p.WriteNumber(kCommSection, "CommType", kCommTcp);
        p.WriteText(kCommSection, "TCP IPAddr", L"127.0.0.1");
        p.WriteNumber(kCommSection, "TCP Port", port);
        for (const char* key : {"TCP SendTimeout", "TCP RecvTimeout", "TCP ConnectTimeout"})
            p.WriteNumber(kCommSection, key, 1000);
        copies.time = app.Document()->Blocks().time;
        Open();
    }
    void TearDown() override {
        host.reset();
        sim.Stop();
        test::StartedProgramTest::TearDown();
    }
    void Open() {
        host.reset();
        host = std::make_unique<wxDialog>(app.MainFrame(), wxID_ANY, "host");
        pane =
            static_cast<CConfigTimeDlg*>(CreateConfigTimePane(host.get(), *app.Document(), copies));
        pane->ClockSleeper = &sleeper;
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(pane, 1, wxEXPAND);
        host->SetSizer(sizer);
        host->GetSizer()->SetSizeHints(host.get());
    }
    // Runs a unit command behind the connection dialog's OK (or its Cancel)
    // and answers the message boxes after it; their texts.
    std::vector<std::string> Run(void (CConfigTimeDlg::*command)(), bool connect, int messages) {
        test::DialogScript script;
        if (connect)
            script.ThenClick(wxID_OK);
        else
            script.ThenEnd(wxID_CANCEL);
        for (int i = 0; i < messages; ++i)
            script.ThenEnd(wxID_OK);
        (pane->*command)();
        EXPECT_EQ(script.Pending(), 0u);
        EXPECT_FALSE(pane->LinkOpen());
        return script.messages;
    }
    void SetUnitClock(uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
        sim.SetDataRegister(90054, a);
        sim.SetDataRegister(90055, b);
        sim.SetDataRegister(90056, c);
        sim.SetDataRegister(90057, d);
    }
    bool Sent(const std::string& command) const {
        for (const unitsim::TranscriptEntry& e : sim.Transcript())
            if (!e.fromUnit && e.frame.find("#" + command) != std::string::npos)
                return true;
        return false;
    }
};

TEST_F(ConfigTimePaneTest, ReadsWritesAndRelaySetsTheUnitsClock) {
    SetUnitClock(0x3000, 0x1409, 0x1903, 0x0004);
    EXPECT_TRUE(Run(&CConfigTimeDlg::OnReadClock, true, 0).empty());
    EXPECT_EQ(pane->ClockText->GetLabel(), "2019/03/14 09:30:00");

    // A date the user gives: 29 February of a leap year.
    pane->GivenTimeRadio->SetValue(true);
    pane->UpdateDateTimeFields();
    EXPECT_TRUE(pane->YearEdit->IsEnabled());
    pane->YearEdit->ChangeValue("2024");
    pane->MonthBox->SetSelection(1);
    pane->DayBox->SetSelection(28);
    pane->HourBox->SetSelection(23);
    pane->MinuteBox->SetSelection(5);
    pane->SecondBox->SetSelection(7);
    std::vector<std::string> shown = Run(&CConfigTimeDlg::OnWriteClock, true, 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], Utf8(wxString::Format(Res(kMsgClockWritten), 2024, 2, 29, 23, 5, 7)));
    EXPECT_EQ(sim.DataRegister(90054), 0x0507);
    EXPECT_EQ(sim.DataRegister(90055), 0x2923);
    EXPECT_EQ(sim.DataRegister(90056), 0x2402);
    EXPECT_EQ(sim.DataRegister(90057) & 0xFF, 0x04); // a Thursday

    // The unit reports its setting done on R902D.
    sim.SetContact("R902D", true);
    shown = Run(&CConfigTimeDlg::OnSetClockByRegister, true, 1);
    EXPECT_TRUE(sim.Contact("R902C"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "2024/02/29 23:05:07");
    EXPECT_EQ(sleeper.sleeps, std::vector<int>{kRelayClockWaitMs});
}

TEST_F(ConfigTimePaneTest, FailuresAndCancelLeaveTheLinkClosed) {
    // Cancel in the connection dialog: nothing is sent.
    Run(&CConfigTimeDlg::OnReadClock, false, 0);
    Run(&CConfigTimeDlg::OnWriteClock, false, 0);
    Run(&CConfigTimeDlg::OnSetClockByRegister, false, 0);
    EXPECT_TRUE(sim.Transcript().empty());

    sim.InjectFault({unitsim::FaultKind::ErrorFrame, "RD", 0, -1, 0x60});
    Run(&CConfigTimeDlg::OnReadClock, true, 0);
    EXPECT_EQ(pane->ClockText->GetLabel(), Res(kMsgClockReadFailed));

    sim.ClearFaults();
    sim.InjectFault({unitsim::FaultKind::ErrorFrame, "WD", 0, -1, 0x60});
    EXPECT_EQ(Run(&CConfigTimeDlg::OnWriteClock, true, 1),
              std::vector<std::string>{Utf8(Res(kMsgClockWriteFailed))});

    // R902D never on: ten tries, then the failure.
    sim.ClearFaults();
    sim.SetContact("R902D", false);
    EXPECT_EQ(Run(&CConfigTimeDlg::OnSetClockByRegister, true, 1),
              std::vector<std::string>{Utf8(Res(kMsgClockWriteFailed))});
    EXPECT_EQ(sleeper.sleeps.size(), static_cast<size_t>(kRelayClockTries));

    // Done, but the clock read fails.
    sim.SetContact("R902D", true);
    sim.InjectFault({unitsim::FaultKind::ErrorFrame, "RD", 0, -1, 0x60});
    EXPECT_EQ(Run(&CConfigTimeDlg::OnSetClockByRegister, true, 1),
              std::vector<std::string>{Utf8(Res(kMsgClockReadFailed))});

    // A year out of range ends the write before anything is sent.
    sim.ClearFaults();
    sim.ClearTranscript();
    pane->GivenTimeRadio->SetValue(true);
    pane->YearEdit->ChangeValue("2100");
    EXPECT_EQ(Run(&CConfigTimeDlg::OnWriteClock, true, 1),
              std::vector<std::string>{Utf8(Res(kMsgClockYear))});
    EXPECT_FALSE(Sent("WD"));

    // A unit that cannot be reached.
    sim.Stop();
    EXPECT_EQ(Run(&CConfigTimeDlg::OnSetClockByRegister, true, 1),
              std::vector<std::string>{Utf8(Res(kMsgClockWriteFailed))});
    Run(&CConfigTimeDlg::OnReadClock, true, 0);
    EXPECT_EQ(pane->ClockText->GetLabel(), Res(kMsgClockReadFailed));
}

TEST_F(ConfigTimePaneTest, StoresWhatItShowsAndRefusesWithoutTouchingTheCopy) {
    const TimeBlock before = copies.time;
    // Time server by address, 127.0.0.1: refused, the copy unchanged.
    pane->ModeRadios[1]->SetValue(true);
    pane->EnableByMode(kSyncServer);
    EXPECT_TRUE(pane->HostEdit->IsEnabled());
    EXPECT_FALSE(pane->PortBox->IsEnabled());
    pane->ByAddressCheck->SetValue(true);
    pane->OnAddressByIp();
    EXPECT_TRUE(pane->AddressCtrl->IsShown());
    EXPECT_FALSE(pane->HostEdit->IsShown());
    const uint8_t loopback[4] = {127, 0, 0, 1};
    pane->AddressCtrl->SetOctets(loopback);
    pane->TriggerBox->SetSelection(3);
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    EXPECT_EQ(pane->SaveToParent(), -1);
    EXPECT_EQ(script.messages, std::vector<std::string>{Utf8(Res(kMsgTimeServerAddress))});
    EXPECT_EQ(copies.time, before);

    // Device on port 1, station 99: the port's area protocol ends its list at 99.
    pane->ModeRadios[2]->SetValue(true);
    pane->EnableByMode(kSyncDevice);
    pane->PortBox->SetSelection(0);
    pane->OnSelchangeSyncPort();
    EXPECT_EQ(pane->StationBox->GetCount(), 99u);
    pane->StationBox->SetSelection(98);
    pane->ZoneBox->SetSelection(12);
    EXPECT_EQ(pane->SaveToParent(), 0);
    EXPECT_EQ(copies.time.U8(timeblk::kMode), kSyncDevice);
    EXPECT_EQ(copies.time.U8(timeblk::kSourcePort), 1);
    EXPECT_EQ(copies.time.U8(timeblk::kSourcePort1 + 2), 99);
    EXPECT_EQ(copies.time.U16(timeblk::kTrigger), 3);
    EXPECT_EQ(copies.time.U8(timeblk::kTimeZone), 0);

    // Shown again from the copy.
    Open();
    EXPECT_TRUE(pane->ModeRadios[2]->GetValue());
    EXPECT_EQ(pane->PortBox->GetSelection(), 0);
    EXPECT_EQ(pane->StationBox->GetSelection(), 98);
    EXPECT_EQ(pane->TriggerBox->GetSelection(), 3);
}

TEST_F(ConfigTimePaneTest, AnExcludedTriggerIsNotTaken) {
    // Trigger 2 a contact trigger whose condition cannot start anything here.
    TriggerRecord& t = app.Document()->Blocks().triggers[1];
    t.SetU8(trig::kKind, kTriggerContact);
    t.SetU8(trig::kContactCondition, 5);
    app.Document()->TakeSnapshot(kSnapshotSaved); // no save question at the end
    copies.time.SetU8(timeblk::kMode, kSyncDevice);
    copies.time.SetU16(timeblk::kTrigger, 4);
    Open();
    ASSERT_EQ(pane->TriggerBox->GetSelection(), 4);
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    pane->TriggerBox->SetSelection(2);
    pane->OnSelchangeTrigger();
    EXPECT_EQ(script.messages, std::vector<std::string>{Utf8(Res(kMsgExcludedTrigger))});
    EXPECT_EQ(pane->TriggerBox->GetSelection(), 4);
}

TEST_F(ConfigTimePaneTest, TheChoosersTriggerIsSelected) {
    copies.time.SetU8(timeblk::kMode, kSyncDevice);
    copies.time.SetU16(timeblk::kTrigger, 4);
    Open();
    // Cancel keeps the trigger; OK with row 7 checked selects trigger 7.
    for (const auto& [ok, expected] : {std::pair{false, 4}, std::pair{true, 7}}) {
        test::DialogScript script;
        script.Then([ok = ok](wxDialog* dialog) {
            auto* chooser = dynamic_cast<CTrigselDlg*>(dialog);
            EXPECT_NE(chooser, nullptr);
            if (!chooser || !ok)
                return static_cast<int>(wxID_CANCEL);
            chooser->CallAfter([chooser] {
                chooser->List->UncheckAll();
                chooser->List->CheckItem(6, true);
                wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
                chooser->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(click);
            });
            return static_cast<int>(wxID_NONE);
        });
        pane->OnChooseTrigger();
        EXPECT_EQ(script.Pending(), 0u);
        EXPECT_EQ(pane->TriggerBox->GetSelection(), expected);
    }
    EXPECT_EQ(pane->SaveToParent(), 0);
    EXPECT_EQ(copies.time.U16(timeblk::kTrigger), 7);
}

class ConfigTimePaneLanguageTest : public test::StartedProgramTest,
                                   public ::testing::WithParamInterface<int> {};

TEST_P(ConfigTimePaneLanguageTest, LabelsFit) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    ConfigCopies copies;
    copies.time = app.Document()->Blocks().time;
    copies.ports = app.Document()->Blocks().portNumbers;
    for (int which = 0; which < 2; ++which) {
        wxDialog host(app.MainFrame(), wxID_ANY, "host");
        CConfigPane* pane = which == 0 ? CreateConfigTimePane(&host, *app.Document(), copies)
                                       : CreateConfigPortPane(&host, *app.Document(), copies);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(pane, 1, wxEXPAND);
        host.SetSizer(sizer);
        host.GetSizer()->SetSizeHints(&host);
        host.Show();
        const std::string where = (which == 0 ? "clock pane" : "port pane") +
                                  std::string(", language ") + std::to_string(language);
        ASSERT_TRUE(test::AwaitShown(&host)) << where;
        test::ExpectLabelsFit(&host, where);
        test::ExpectButtonsInLanguage(&host, language, where);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ConfigTimePaneLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

} // namespace
} // namespace qv
