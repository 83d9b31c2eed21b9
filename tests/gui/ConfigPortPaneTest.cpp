// The port-number pane: a refused number keeps the dialog's copy and takes
// the focus; the advanced values reach the copy only with the pane's store.
#include <gtest/gtest.h>

#include <memory>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "editors/PortAdvancedDlg.h"
#include "editors/config/ConfigPortDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"

namespace qv {
namespace {

class ConfigPortPaneTest : public test::StartedProgramTest {
protected:
    ConfigCopies copies;
    std::unique_ptr<wxDialog> host;
    CConfigPortDlg* pane = nullptr;

    void SetUp() override {
        test::StartedProgramTest::SetUp();
        copies.ports = app.Document()->Blocks().portNumbers;
        copies.ports.SetU8(portnum::kAdvanced1, 3); // outside 5..60
        host = std::make_unique<wxDialog>(app.MainFrame(), wxID_ANY, "host");
        pane =
            static_cast<CConfigPortDlg*>(CreateConfigPortPane(host.get(), *app.Document(), copies));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(pane, 1, wxEXPAND);
        host->SetSizer(sizer);
        host->GetSizer()->SetSizeHints(host.get());
    }
    void TearDown() override {
        host.reset();
        test::StartedProgramTest::TearDown();
    }
};

TEST_F(ConfigPortPaneTest, RefusalKeepsTheCopyAndFocusesTheField) {
    const PortNumberBlock before = copies.ports;
    ASSERT_TRUE(test::ActivateWindow(host.get()));
    pane->NumberEdits[1]->ChangeValue("123"); // equal to number 8
    test::DialogScript script;
    script.ThenEnd(wxID_OK);
    EXPECT_EQ(pane->SaveToParent(), -1);
    EXPECT_EQ(script.messages, std::vector<std::string>{Res(kMsgPortNumberTwice).utf8_string()});
    EXPECT_EQ(copies.ports, before);
    EXPECT_TRUE(test::PumpUntil([&] { return wxWindow::FindFocus() == pane->NumberEdits[1]; }));

    pane->NumberEdits[1]->ChangeValue("9096");
    EXPECT_EQ(pane->SaveToParent(), 0);
    EXPECT_EQ(copies.ports.U16(2), 9096);
    EXPECT_EQ(copies.ports.U8(portnum::kAdvanced1), 3); // never edited: kept
}

TEST_F(ConfigPortPaneTest, AdvancedValuesGoWithThePanesStore) {
    test::DialogScript script;
    script.Then([](wxDialog* dialog) {
        auto* dlg = dynamic_cast<CPortAdvancedSetDlg*>(dialog);
        EXPECT_NE(dlg, nullptr);
        if (!dlg)
            return static_cast<int>(wxID_CANCEL);
        dlg->CallAfter([dlg] {
            EXPECT_EQ(dlg->FirstEdit->GetValue(), "60"); // a stored 3 shows as 60
            dlg->FirstEdit->ChangeValue("15");
            wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
            dlg->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
        });
        return static_cast<int>(wxID_NONE);
    });
    wxCommandEvent click(wxEVT_BUTTON, pane->AdvancedButton->GetId());
    click.SetEventObject(pane->AdvancedButton);
    pane->AdvancedButton->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(copies.ports.U8(portnum::kAdvanced1), 3); // not before the store
    EXPECT_EQ(pane->SaveToParent(), 0);
    EXPECT_EQ(copies.ports.U8(portnum::kAdvanced1), 15);
    EXPECT_EQ(copies.ports.U8(portnum::kAdvanced2), 60);
}

} // namespace
} // namespace qv
