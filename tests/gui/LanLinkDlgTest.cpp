// The PC-side LAN settings and the unit search windows: their texts in every
// language, the LAN settings reached from the connection dialog, and the
// search list's column widths. The searches themselves broadcast, so they
// are tested in UnitSearchDlgTest.cpp inside a private network namespace.
#include <gtest/gtest.h>

#include <cstring>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/CodePageText.h"
#include "link/CommSettings.h"
#include "online/ConnectionDlg.h"
#include "online/LanLinkDlg.h"
#include "online/UnitSearchDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "ui/TitleWidth.h"
#include "ui/WxProfileStore.h"

namespace qv {
namespace {

void Click(wxWindow* button) {
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

UnitData Unit(const char* name, const char* address, uint32_t port) {
    UnitData u;
    std::strcpy(u.Name, name);
    std::strcpy(u.IPAddress, address);
    std::strcpy(u.MacAddress, "00:1A:2B:3C:4D:5E");
    u.VersionMajor = 2;
    u.VersionMinor = 0x1E;
    u.TcpPort = port;
    return u;
}

class LanDialogsLanguageTest : public test::StartedProgramTest,
                               public ::testing::WithParamInterface<int> {};

TEST_P(LanDialogsLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    test::ScopedGuiLanguage language(GetParam());
    const std::string where = " in language " + std::to_string(GetParam());
    app.Profile().WriteText(kCommSection, "PCIPAddr", L"192.168.100.200");
    {
        CLANPortDlg dlg(app.MainFrame());
        dlg.Show();
        ASSERT_TRUE(test::AwaitShown(&dlg));
        test::ExpectLabelsFit(&dlg, "LAN settings" + where);
        test::ExpectButtonsInLanguage(&dlg, GetParam(), "LAN settings" + where);
        EXPECT_GE(dlg.GetSize().x, TitleBarWidth(&dlg));
        EXPECT_EQ(dlg.PcAddressText->GetValue(), "192.168.100.200");
    }
    {
        CIPSearchDlg dlg(app.MainFrame());
        dlg.Fill({Unit("\x83\x8D\x83\x4F\x8B\x4C\x98\x5E\x8A\xED\x82\x50", "192.168.100.200", 9094),
                  Unit("UNIT-2", "10.0.0.2", 9095)},
                 2);
        dlg.Show();
        ASSERT_TRUE(test::AwaitShown(&dlg));
        test::ExpectLabelsFit(&dlg, "unit search" + where);
        test::ExpectButtonsInLanguage(&dlg, GetParam(), "unit search" + where);
        EXPECT_GE(dlg.GetSize().x, TitleBarWidth(&dlg));
        EXPECT_EQ(dlg.UnitList->GetItemCount(), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, LanDialogsLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

class LanLinkDlgTest : public test::StartedProgramTest {
protected:
    void StoreLink() {
        ProfileStore& p = app.Profile();
        p.WriteNumber(kCommSection, "CommType", kCommTcp);
        p.WriteText(kCommSection, "TCP IPAddr", L"192.168.10.20");
        p.WriteNumber(kCommSection, "TCP Port", 9094);
        p.WriteNumber(kCommSection, "TCP SendTimeout", 3500);
        p.WriteNumber(kCommSection, "TCP ConnectTimeout", 61000); // no item of the list
        p.WriteText(kCommSection, "COM Name", L"ttyS3");
    }
    CommSettings Stored() {
        CommSettings s;
        LoadCommSettings(app.Profile(), kCodePageJapanese, s);
        return s;
    }
};

// The search and LAN settings buttons serve the LAN link only.
TEST_F(LanLinkDlgTest, UnitAddressButtonsFollowTheLinkType) {
    CConnectionDlg dlg(app.MainFrame(), ConnectionAction::Read, *app.Document());
    for (wxRadioButton* radio : {dlg.SerialRadio, dlg.LanRadio, dlg.SerialRadio}) {
        radio->SetValue(true);
        wxCommandEvent pick(wxEVT_RADIOBUTTON, radio->GetId());
        pick.SetEventObject(radio);
        radio->GetEventHandler()->ProcessEvent(pick);
        const bool lan = radio == dlg.LanRadio;
        EXPECT_EQ(dlg.SearchButton->IsEnabled(), lan);
        EXPECT_EQ(dlg.LanSettingsButton->IsEnabled(), lan);
    }
}

// From the connection dialog: refusals keep the LAN dialog open, OK stores
// the unit and the connection dialog shows its address.
TEST_F(LanLinkDlgTest, OkStoresTheUnitAndTheConnectionDialogShowsIt) {
    StoreLink();
    test::DialogScript script;
    wxString pcAddress, shownAfter;
    bool stayedOpen[2] = {};
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CConnectionDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            pcAddress = dlg->PcAddressBox->GetStringSelection();
            Click(dlg->LanSettingsButton);
            shownAfter = dlg->UnitAddressText->GetValue();
            dlg->EndModal(wxID_CANCEL);
        });
        return wxID_NONE;
    });
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CLANPortDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            EXPECT_EQ(dlg->PcAddressText->GetValue(), pcAddress);
            EXPECT_EQ(dlg->UnitAddressText->GetValue(), "192.168.10.20");
            EXPECT_EQ(dlg->SendTimeoutBox->GetStringSelection(), "3");
            EXPECT_EQ(dlg->ConnectTimeoutBox->GetSelection(), wxNOT_FOUND);
            dlg->PortText->ChangeValue("9090");
            Click(dlg->FindWindow(wxID_OK));
            stayedOpen[0] = dlg->IsModal();
            dlg->UnitAddressText->ChangeValue("0.0.0.0");
            dlg->PortText->ChangeValue("20000");
            Click(dlg->FindWindow(wxID_OK));
            stayedOpen[1] = dlg->IsModal();
            dlg->UnitAddressText->ChangeValue("10.1.2.3");
            Click(dlg->FindWindow(wxID_OK));
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // port 9090
    script.ThenEnd(wxID_OK); // 0.0.0.0
    EXPECT_FALSE(RunConnectionDialog(app.MainFrame(), ConnectionAction::Read, *app.Document()));

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgSearchPortTaken));
    EXPECT_EQ(wxString::FromUTF8(script.messages[1]), Res(kMsgUnitAddressZero));
    EXPECT_TRUE(stayedOpen[0]);
    EXPECT_TRUE(stayedOpen[1]);
    EXPECT_EQ(shownAfter, "10.1.2.3");

    const CommSettings s = Stored();
    EXPECT_STREQ(s.TcpIPAddr, "10.1.2.3");
    EXPECT_EQ(s.TcpPort, 20000u);
    EXPECT_EQ(s.TcpSendTimeout, 3000);
    EXPECT_EQ(s.TcpRecvTimeout, 3000);
    EXPECT_EQ(s.TcpConnectTimeout, 61000); // not chosen: kept
    EXPECT_EQ(wxString(s.PCIPAddr), pcAddress);
    EXPECT_STREQ(s.ComName, "ttyS3");
    // The LAN dialog's OK wrote the file, though the connection dialog was cancelled.
    CommSettings written;
    LoadCommSettings(WxProfileStore(WxProfileStore::DefaultPath()), kCodePageJapanese, written);
    EXPECT_STREQ(written.TcpIPAddr, "10.1.2.3");
    EXPECT_EQ(written.TcpPort, 20000u);
}

TEST_F(LanLinkDlgTest, DefaultsShowButSaveNothing) {
    StoreLink();
    CLANPortDlg dlg(app.MainFrame());
    Click(dlg.DefaultsButton);
    EXPECT_EQ(dlg.UnitAddressText->GetValue(), "192.168.1.5");
    EXPECT_EQ(dlg.PortText->GetValue(), "9094");
    EXPECT_EQ(dlg.SendTimeoutBox->GetStringSelection(), "3");
    EXPECT_EQ(dlg.ConnectTimeoutBox->GetStringSelection(), "3");
    EXPECT_STREQ(Stored().TcpIPAddr, "192.168.10.20");
    EXPECT_EQ(Stored().TcpConnectTimeout, 61000);
}

// Widths the user gave the search list's columns come back at the next
// opening and after a restart; none stored gives the defaults.
TEST_F(LanLinkDlgTest, SearchColumnWidthsAreKept) {
    {
        CIPSearchDlg dlg(app.MainFrame());
        ASSERT_EQ(dlg.UnitList->GetColumnCount(), kUnitColumnCount);
        for (int i = 0; i < kUnitColumnCount; ++i)
            EXPECT_EQ(dlg.UnitList->GetColumnWidth(i), kUnitColumns[i].Width) << i;
        dlg.UnitList->SetColumnWidth(1, 150);
    }
    for (auto& width : app.columnWidths[kUnitSearchList])
        width = -1; // as after a restart: only the profile holds them
    CIPSearchDlg dlg(app.MainFrame());
    EXPECT_EQ(dlg.UnitList->GetColumnWidth(1), 150);
    EXPECT_EQ(dlg.UnitList->GetColumnWidth(0), kUnitColumns[0].Width);
}

} // namespace
} // namespace qv
