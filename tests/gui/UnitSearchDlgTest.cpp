// The unit search dialog against the simulator's search responder. The search
// broadcasts, so these tests run only inside the network namespace that
// tests/link/in_private_netns.sh makes (loopback and the veth pair qv0
// 10.77.0.1 - qv1 10.77.0.2); anywhere else they skip themselves before
// anything is sent.
#include <gtest/gtest.h>

#include <net/if.h>

#include <cerrno>
#include <set>
#include <string>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/CodePageText.h"
#include "link/CommSettings.h"
#include "link/LinkResult.h"
#include "link/UdpSocket.h"
#include "online/ConnectionDlg.h"
#include "online/UnitSearchDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tools/unitsim/UnitSimulator.h"
#include "ui/Messages.h"

namespace qv {
namespace {

bool InsideTheTestNamespace() {
    struct if_nameindex* list = ::if_nameindex();
    if (!list)
        return false;
    std::set<std::string> names;
    for (struct if_nameindex* i = list; i->if_index != 0; ++i)
        names.insert(i->if_name);
    ::if_freenameindex(list);
    return names == std::set<std::string>{"lo", "qv0", "qv1"};
}

unitsim::SearchUnit Unit(uint8_t tail, const std::string& name, uint16_t port) {
    unitsim::SearchUnit u;
    u.mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, tail};
    u.ip = 0x0A4D0000u | tail; // 10.77.0.tail
    u.name = name;
    u.tcpPort = port;
    return u;
}

void Click(wxWindow* button) {
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

void SelectRow(wxListCtrl* list, long row) {
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

class UnitSearchDlgNetns : public test::StartedProgramTest {
protected:
    void SetUp() override {
        test::StartedProgramTest::SetUp();
        if (!InsideTheTestNamespace())
            GTEST_SKIP() << "broadcasts: run through tests/link/in_private_netns.sh";
        ASSERT_EQ(sim.StartUdp("0.0.0.0", kSearchPort), kSearchPort);
        // Long enough for the replies, short enough for a quick test.
        CIPSearchDlg::SearchWindowMs = 1500;
        ProfileStore& p = app.Profile();
        p.WriteNumber(kCommSection, "CommType", kCommTcp);
        p.WriteText(kCommSection, "TCP IPAddr", L"192.168.100.200");
        p.WriteNumber(kCommSection, "TCP Port", 20000);
    }
    void TearDown() override {
        CIPSearchDlg::SearchWindowMs = kSearchWindowMs;
        sim.Stop();
        test::StartedProgramTest::TearDown();
    }
    CommSettings Stored() {
        CommSettings s;
        LoadCommSettings(app.Profile(), kCodePageJapanese, s);
        return s;
    }
    unitsim::UnitSimulator sim;
};

TEST_F(UnitSearchDlgNetns, ListsTheUnitsAndOkStoresAddressAndPort) {
    unitsim::SearchUnit a = Unit(0x21, "UNIT-A", 9095);
    a.versionMajor = 2;
    a.versionMinor = 0x1E;
    unitsim::SearchUnit b = Unit(0x22, "\x83\x8D\x83\x4F", 9096); // code page 932
    b.onOff = 0;
    b.run = 0;
    sim.AddSearchUnit(a);
    sim.AddSearchUnit(b);

    std::vector<std::vector<wxString>> rows;
    bool stayedOpen = false;
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CIPSearchDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            for (long r = 0; r < dlg->UnitList->GetItemCount(); ++r) {
                rows.emplace_back();
                for (int c = 0; c < kUnitColumnCount; ++c)
                    rows.back().push_back(dlg->UnitList->GetItemText(r, c));
            }
            Click(dlg->FindWindow(wxID_OK)); // no unit chosen yet
            stayedOpen = dlg->IsModal();
            SelectRow(dlg->UnitList, 1);
            Click(dlg->FindWindow(wxID_OK));
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // choose a unit
    EXPECT_TRUE(RunUnitSearchDialog(app.MainFrame()));

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgNoUnitChosen));
    EXPECT_TRUE(stayedOpen);
    using Row = std::vector<wxString>;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Row{"UNIT-A", "10.77.0.33", "ON", "00:1A:2B:3C:4D:21", "2.1E", "RUN"}));
    EXPECT_EQ(rows[1], (Row{wxString(L"\x30ED\x30B0"), "10.77.0.34", "OFF", "00:1A:2B:3C:4D:22",
                            "2.23", "STOP"}));
    EXPECT_STREQ(Stored().TcpIPAddr, "10.77.0.34");
    EXPECT_EQ(Stored().TcpPort, 9096u);
}

TEST_F(UnitSearchDlgNetns, DoubleClickStoresTheAddressOnly) {
    sim.AddSearchUnit(Unit(0x31, "UNIT-D", 9097));
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CIPSearchDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([dlg] {
            SelectRow(dlg->UnitList, 0);
            wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, dlg->UnitList->GetId());
            activated.SetEventObject(dlg->UnitList);
            activated.m_itemIndex = 0;
            dlg->UnitList->GetEventHandler()->ProcessEvent(activated);
            if (dlg->IsModal()) {
                ADD_FAILURE() << "the double click did not end the dialog";
                dlg->EndModal(wxID_CANCEL);
            }
        });
        return wxID_NONE;
    });
    EXPECT_TRUE(RunUnitSearchDialog(app.MainFrame()));
    EXPECT_STREQ(Stored().TcpIPAddr, "10.77.0.49");
    EXPECT_EQ(Stored().TcpPort, 20000u);
}

// A search whose socket cannot be opened says why; it never shows an empty list.
TEST_F(UnitSearchDlgNetns, ARefusedSocketIsTold) {
    sim.AddSearchUnit(Unit(0x41, "THERE", 9094));
    app.Profile().WriteText(kCommSection, "PCIPAddr", L"10.77.0.9"); // no adapter has it
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    EXPECT_FALSE(RunUnitSearchDialog(app.MainFrame()));
    ASSERT_EQ(script.seen.size(), 1u); // the message, no search dialog
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]),
              Res(kMsgSearchFailed) + "\n\n" +
                  wxString(GetCommErrorText(link_result::kSocketBind, EADDRNOTAVAIL)));
    EXPECT_EQ(sim.SearchRequestCount(), 0);
    EXPECT_STREQ(Stored().TcpIPAddr, "192.168.100.200");
}

// The connection dialog's search sends from the chosen PC address, and the
// unit taken shows as the unit address.
TEST_F(UnitSearchDlgNetns, ConnectionDialogSearchesFromThePcAddress) {
    // A socket bound to one address hears no broadcast: the unit answers the sender.
    sim.SetSearchReplyTo(unitsim::SearchReplyTo::Sender);
    sim.AddSearchUnit(Unit(0x51, "UNIT-E", 9098));
    wxString shownAfter;
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CConnectionDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            const int at = dlg->PcAddressBox->FindString("10.77.0.1");
            EXPECT_NE(at, wxNOT_FOUND);
            dlg->PcAddressBox->SetSelection(at);
            Click(dlg->SearchButton);
            shownAfter = dlg->UnitAddressText->GetValue();
            dlg->EndModal(wxID_CANCEL);
        });
        return wxID_NONE;
    });
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CIPSearchDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([dlg] {
            EXPECT_EQ(dlg->UnitList->GetItemCount(), 1);
            SelectRow(dlg->UnitList, 0);
            Click(dlg->FindWindow(wxID_OK));
        });
        return wxID_NONE;
    });
    EXPECT_FALSE(RunConnectionDialog(app.MainFrame(), ConnectionAction::Read, *app.Document()));
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(shownAfter, "10.77.0.81");
    EXPECT_STREQ(Stored().PCIPAddr, "10.77.0.1");
    EXPECT_STREQ(Stored().TcpIPAddr, "10.77.0.81");
    EXPECT_EQ(Stored().TcpPort, 9098u);
}

} // namespace
} // namespace qv
