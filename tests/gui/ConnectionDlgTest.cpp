// The connection dialog: its texts in every language, a read from the
// simulated unit through the ribbon's command, and the refusal of a serial
// link without a port; the start choice that reads from the unit.
#include <gtest/gtest.h>

#include <memory>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>

#include "app/AppStartHost.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/SettingsImage.h"
#include "link/CommSettings.h"
#include "online/ConnectionDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/SimulatedUnit.h"
#include "tools/unitsim/UnitSimulator.h"
#include "ui/Messages.h"
#include "ui/TitleWidth.h"

namespace qv {
namespace {

class ConnectionDlgLanguageTest : public test::StartedProgramTest,
                                  public ::testing::WithParamInterface<int> {};

TEST_P(ConnectionDlgLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    test::ScopedGuiLanguage language(GetParam());
    for (ConnectionAction mode :
         {ConnectionAction::Read, ConnectionAction::Write, ConnectionAction::Tool}) {
        CConnectionDlg dlg(app.MainFrame(), mode, *app.Document());
        dlg.Show();
        ASSERT_TRUE(test::AwaitShown(&dlg));
        const std::string where = "connection dialog, language " + std::to_string(GetParam());
        test::ExpectLabelsFit(&dlg, where);
        test::ExpectButtonsInLanguage(&dlg, GetParam(), where);
        EXPECT_GE(dlg.GetSize().x, TitleBarWidth(&dlg)) << where;
        // The unit address buttons serve the LAN link only.
        EXPECT_EQ(dlg.SearchButton->IsEnabled(), dlg.LanRadio->GetValue());
        EXPECT_EQ(dlg.LanSettingsButton->IsEnabled(), dlg.LanRadio->GetValue());
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ConnectionDlgLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

class ConnectionDlgTest : public test::SimulatedUnitTest {};

TEST_F(ConnectionDlgTest, RibbonReadTakesTheUnitsSettingsAndLeavesThemUnsaved) {
    StartUnit();
    if (HasFatalFailure())
        return;
    ASSERT_NE(Blocks(*app.Document()), Blocks(unitDoc));
    ASSERT_TRUE(app.Document()->IsUnmodified());

    test::DialogScript script;
    script.ThenClick(wxID_OK);
    script.ThenEnd(wxID_OK); // the message that the read is done
    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kReadFromUnit).enabled);
    app.MainFrame()->RunCommand(cmd::kReadFromUnit);

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgReadDone));
    EXPECT_EQ(Blocks(*app.Document()), Blocks(unitDoc));
    EXPECT_FALSE(app.Document()->IsUnmodified());
    app.Document()->TakeSnapshot(kSnapshotSaved); // leave without the save question
}

TEST_F(ConnectionDlgTest, SerialLinkWithoutAPortIsRefusedAndTheDialogStays) {
    app.Profile().WriteNumber(kCommSection, "CommType", kCommSerial);
    test::DialogScript script;
    bool stayedOpen = false;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CConnectionDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([dlg, dialog, &stayedOpen] {
            EXPECT_TRUE(dlg->SerialRadio->GetValue());
            dlg->PortBox->SetValue(wxEmptyString);
            wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
            click.SetEventObject(dialog->FindWindow(wxID_OK));
            dialog->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(click);
            stayedOpen = dialog->IsModal();
            dialog->EndModal(wxID_CANCEL);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // the refusal
    EXPECT_FALSE(RunConnectionDialog(app.MainFrame(), ConnectionAction::Read, *app.Document()));
    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgNoSerialPort));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(app.Document()->IsUnmodified());
}

// A typed port goes into the link settings as the text typed, in the code
// page they are kept in; a text the code page cannot hold is refused.
TEST_F(ConnectionDlgTest, TypedPortIsStoredInTheCodePage) {
    struct Case {
        const char* port; // UTF-8
        bool stored;
    };
    for (const Case c : {Case{"/dev/\xE3\x83\x9D\xE3\x83\xBC\xE3\x83\x88", true},
                         Case{"/dev/caf\xC3\xA9", false}}) {
        app.Profile().WriteNumber(kCommSection, "CommType", kCommSerial);
        app.Profile().WriteText(kCommSection, "COM Name", L"ttyS0");
        const wxString port = wxString::FromUTF8(c.port);
        test::DialogScript script;
        script.Then([&](wxDialog* dialog) {
            auto* dlg = dynamic_cast<CConnectionDlg*>(dialog);
            EXPECT_NE(dlg, nullptr);
            dialog->CallAfter([dlg, port] {
                dlg->PortBox->SetValue(port);
                wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
                dlg->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(click);
                if (dlg->IsModal())
                    dlg->EndModal(wxID_CANCEL);
            });
            return wxID_NONE;
        });
        if (!c.stored)
            script.ThenEnd(wxID_OK); // the refusal
        EXPECT_EQ(RunConnectionDialog(app.MainFrame(), ConnectionAction::Tool, *app.Document()),
                  c.stored);
        EXPECT_EQ(script.Pending(), 0u);
        EXPECT_EQ(app.Profile().ReadText(kCommSection, "COM Name"),
                  c.stored ? port.ToStdWstring() : std::wstring(L"ttyS0"));
    }
}

// The start choice "read the settings from the unit" runs the same dialog.
TEST_F(ConnectionDlgTest, StartChoiceReadTakesTheUnitsSettings) {
    StartUnit();
    if (HasFatalFailure())
        return;
    CQuorvelDoc doc(932);
    test::DialogScript script;
    script.ThenClick(wxID_OK);
    script.ThenEnd(wxID_OK); // the read is done
    AppStartHost host(app);
    EXPECT_TRUE(host.RunConnectionDialog(doc, kConnectRead));
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(Blocks(doc), Blocks(unitDoc));
}

} // namespace
} // namespace qv
