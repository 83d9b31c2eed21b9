// The unit password tool and the login prompt: their texts in every
// language, masked edits, setting a password on the simulated unit from the
// ribbon, and a read from a unit with a password through the prompt.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/SettingsImage.h"
#include "link/CommSettings.h"
#include "link/UnitComm.h"
#include "online/PasswordDlg.h"
#include "online/PasswordInputDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/SimulatedUnit.h"
#include "tests/gui/PumpUntil.h"
#include "tools/unitsim/UnitSimulator.h"
#include "ui/Messages.h"
#include "ui/TitleWidth.h"

namespace qv {
namespace {

std::unique_ptr<CUnitComm> ProfileLink() {
    return std::make_unique<CUnitComm>(wxGetApp().Profile(), wxGetApp().codePage, nullptr, nullptr,
                                       SystemSleeper());
}

class PasswordDlgLanguageTest : public test::StartedProgramTest,
                                public ::testing::WithParamInterface<int> {};

TEST_P(PasswordDlgLanguageTest, LabelsFitAndButtonsAreInTheLanguage) {
    test::ScopedGuiLanguage language(GetParam());
    const auto link = ProfileLink();
    const std::function<std::unique_ptr<wxDialog>()> dialogs[] = {
        [&] { return std::make_unique<CPasswordDlg>(app.MainFrame(), *app.Document()); },
        [&] { return std::make_unique<CPasswordInput>(*link); },
    };
    for (const auto& make : dialogs) {
        const std::unique_ptr<wxDialog> dlg = make();
        dlg->Show();
        ASSERT_TRUE(test::AwaitShown(dlg.get()));
        const std::string where =
            dlg->GetTitle().utf8_string() + ", language " + std::to_string(GetParam());
        test::ExpectLabelsFit(dlg.get(), where);
        test::ExpectButtonsInLanguage(dlg.get(), GetParam(), where);
        EXPECT_GE(dlg->GetSize().x, TitleBarWidth(dlg.get())) << where;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, PasswordDlgLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

class PasswordDlgTest : public test::SimulatedUnitTest {
protected:
    // Clicks the button in the dialog as the user would.
    static void Click(wxDialog* dialog, int id) {
        wxWindow* button = dialog->FindWindow(id);
        ASSERT_NE(button, nullptr);
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
    }
};

TEST_F(PasswordDlgTest, EveryPasswordIsMaskedAndRemoveDisablesTheNewOnes) {
    const auto link = ProfileLink();
    CPasswordDlg tool(app.MainFrame(), *app.Document());
    CPasswordInput prompt(*link);
    for (wxTextCtrl* edit : {tool.CurrentText, tool.NewText, tool.RepeatText, prompt.PasswordText})
        EXPECT_TRUE(edit->HasFlag(wxTE_PASSWORD));
    EXPECT_TRUE(tool.SetRadio->GetValue());
    EXPECT_TRUE(tool.NewText->IsEnabled());

    tool.RemoveRadio->SetValue(true);
    wxCommandEvent chosen(wxEVT_RADIOBUTTON, tool.RemoveRadio->GetId());
    chosen.SetEventObject(tool.RemoveRadio);
    tool.RemoveRadio->GetEventHandler()->ProcessEvent(chosen);
    EXPECT_FALSE(tool.NewText->IsEnabled());
    EXPECT_FALSE(tool.RepeatText->IsEnabled());
}

TEST_F(PasswordDlgTest, RibbonCommandSetsThePasswordOfTheUnit) {
    StartUnit();
    if (HasFatalFailure())
        return;
    test::DialogScript script;
    script.Then([](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CPasswordDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([dlg] {
            dlg->NewText->ChangeValue("secret");
            dlg->RepeatText->ChangeValue("secret");
            Click(dlg, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenClick(wxID_OK); // the connection dialog
    script.ThenEnd(wxID_OK);   // the password is set
    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kUnitPassword).enabled);
    app.MainFrame()->RunCommand(cmd::kUnitPassword);

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgPasswordSet));
    EXPECT_EQ(sim.Password(), "secret");
    EXPECT_FALSE(sim.LoggedIn());
}

// A refused form and a cancelled connection dialog both leave the tool open
// with what was typed; the refusal puts the focus on the new password.
TEST_F(PasswordDlgTest, RefusalOrCancelledConnectionKeepsTheToolAsTyped) {
    StartUnit();
    if (HasFatalFailure())
        return;
    bool openAfterRefusal = false, focusOnNew = false, openAfterCancel = false;
    wxString kept;
    test::DialogScript script;
    script.Then([&](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CPasswordDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        dialog->CallAfter([&, dlg] {
            test::ActivateWindow(dlg);
            dlg->NewText->ChangeValue("abc");
            dlg->RepeatText->ChangeValue("abd");
            Click(dlg, wxID_OK);
            openAfterRefusal = dlg->IsModal();
            focusOnNew = test::PumpUntil([&] { return wxWindow::FindFocus() == dlg->NewText; });
            dlg->RepeatText->ChangeValue("abc");
            Click(dlg, wxID_OK);
            openAfterCancel = dlg->IsModal();
            kept = dlg->NewText->GetValue() + "/" + dlg->RepeatText->GetValue();
            dlg->EndModal(wxID_CANCEL);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK);       // the two passwords differ
    script.ThenClick(wxID_CANCEL); // the connection dialog
    app.MainFrame()->RunCommand(cmd::kUnitPassword);

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgPasswordsDiffer));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_TRUE(focusOnNew);
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(kept, "abc/abc");
    EXPECT_EQ(sim.Password(), "");
    EXPECT_EQ(sim.ConnectionCount(), 0);
}

// The prompt refuses a text the unit cannot take and stays; the right
// password then reads the unit's settings.
TEST_F(PasswordDlgTest, ReadFromAUnitWithAPasswordAsksThroughThePrompt) {
    StartUnit();
    if (HasFatalFailure())
        return;
    sim.SetPassword("secret");
    bool stayedOpen = false;
    test::DialogScript script;
    script.ThenClick(wxID_OK); // the connection dialog
    script.Then([&](wxDialog* dialog) {
        auto* prompt = dynamic_cast<CPasswordInput*>(dialog);
        EXPECT_NE(prompt, nullptr);
        dialog->CallAfter([prompt, &stayedOpen] {
            prompt->PasswordText->ChangeValue("sec ret");
            Click(prompt, wxID_OK);
            stayedOpen = prompt->IsModal();
            prompt->PasswordText->ChangeValue("secret");
            Click(prompt, wxID_OK);
        });
        return wxID_NONE;
    });
    script.ThenEnd(wxID_OK); // the refusal of "sec ret"
    script.ThenEnd(wxID_OK); // the read is done
    app.MainFrame()->RunCommand(cmd::kReadFromUnit);

    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgPasswordCharacters));
    EXPECT_EQ(wxString::FromUTF8(script.messages[1]), Res(kMsgReadDone));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Blocks(*app.Document()), Blocks(unitDoc));
    app.Document()->TakeSnapshot(kSnapshotSaved); // leave without the save question
}

TEST_F(PasswordDlgTest, CancelledPromptReadsNothingAndSaysNothing) {
    StartUnit();
    if (HasFatalFailure())
        return;
    sim.SetPassword("secret");
    const std::vector<uint8_t> before = Blocks(*app.Document());
    test::DialogScript script;
    script.ThenClick(wxID_OK);         // the connection dialog
    script.Then([](wxDialog* dialog) { // the prompt
        EXPECT_NE(dynamic_cast<CPasswordInput*>(dialog), nullptr);
        dialog->CallAfter([dialog] { Click(dialog, wxID_CANCEL); });
        return wxID_NONE;
    });
    app.MainFrame()->RunCommand(cmd::kReadFromUnit);

    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(Blocks(*app.Document()), before);
    EXPECT_TRUE(app.Document()->IsUnmodified());
    EXPECT_FALSE(sim.LoggedIn());
}

} // namespace
} // namespace qv
