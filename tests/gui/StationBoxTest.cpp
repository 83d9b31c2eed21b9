// The station check box: its caption and the unit-type command that a right
// click offers up to station 99.
#include <gtest/gtest.h>

#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/DlgBase.h"
#include "ui/Messages.h"
#include "ui/QVChkBox.h"

namespace qv {
namespace {

class StationBoxTest : public ::testing::Test {
protected:
    wxGUIEventLoop loop;
    wxEventLoopActivator active{&loop};
    test::ScopedGuiLanguage language;
    wxDialog* host = nullptr;

    void SetUp() override {
        host = new wxDialog(nullptr, wxID_ANY, "wizard", wxPoint(0, 0), wxSize(400, 300));
        ASSERT_TRUE(test::ActivateWindow(host));
    }
    void TearDown() override {
        host->Destroy();
        test::RunPendingEvents();
    }
    CQVChkBox* Box(int number, int control) {
        auto* box = new CQVChkBox(host, control, wxPoint(20, 20), wxSize(80, 30));
        box->Number = number;
        box->HostDlg = host;
        box->SetNumberLabel(0);
        return box;
    }
};

TEST_F(StationBoxTest, CaptionShowsTheNumberAndAStarForAUnitType) {
    struct {
        int number;
        uint32_t flag;
        const char* caption;
    } rows[] = {
        {7, 0, "07"}, {7, 1, "07*"}, {7, 3, "07*"}, {1, 0, "01"}, {123, 0, "123"}, {247, 2, "247*"},
    };
    CQVChkBox* box = Box(1, 5011);
    for (const auto& r : rows) {
        box->Number = r.number;
        box->SetNumberLabel(r.flag);
        EXPECT_EQ(box->GetLabel(), r.caption) << r.number << " " << r.flag;
    }
}

TEST_F(StationBoxTest, RightClickOffersTheUnitTypeUpToStation99) {
    struct {
        int number;
        bool offered;
    } rows[] = {{99, true}, {100, false}, {1, true}, {247, false}};
    wxUIActionSimulator sim;
    for (const auto& r : rows) {
        CQVChkBox* box = Box(r.number, 5010 + r.number);
        // A click that comes before the new box is mapped would go to the
        // dialog, and its release to the box.
        ASSERT_TRUE(test::AwaitShown(box)) << r.number;
        std::vector<wxString> labels;
        CQVChkBox* asked = nullptr;
        int releases = 0;
        box->OnUnitType = [&](CQVChkBox& b) { asked = &b; };
        box->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
            for (wxMenuItem* item : e.GetMenu()->GetMenuItems())
                labels.push_back(item->GetItemLabelText());
            box->CallAfter([&sim] {
                sim.Char(WXK_DOWN);
                sim.Char(WXK_RETURN);
            });
        });
        box->Bind(wxEVT_RIGHT_UP, [&](wxMouseEvent& e) {
            ++releases;
            e.Skip();
        });
        const wxRect at = box->GetScreenRect();
        sim.MouseMove(at.GetPosition() + at.GetSize() / 2);
        sim.MouseClick(wxMOUSE_BTN_RIGHT);
        // Either the command came back or the click is over without a menu.
        EXPECT_TRUE(test::PumpUntil([&] { return asked || (releases > 0 && labels.empty()); }))
            << r.number;
        if (r.offered) {
            EXPECT_EQ(labels, std::vector<wxString>{wxStripMenuCodes(Res(29154))}) << r.number;
            EXPECT_EQ(asked, box) << r.number;
        } else {
            EXPECT_TRUE(labels.empty()) << r.number;
            EXPECT_EQ(asked, nullptr) << r.number;
        }
        box->Destroy();
    }
}

} // namespace
} // namespace qv
