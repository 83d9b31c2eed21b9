// The shared trigger choice lists and recipient list in real controls.
#include <gtest/gtest.h>

#include <memory>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/evtloop.h>
#include <wx/frame.h>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/ListFillers.h"
#include "ui/QVListCtrl.h"

namespace qv {
namespace {

class ListFillersTest : public ::testing::Test {
protected:
    wxGUIEventLoop loop;
    wxEventLoopActivator active{&loop};
    test::ScopedGuiLanguage language;
    wxFrame* frame = nullptr;
    ColumnWidthTable savedWidths = wxGetApp().columnWidths;

    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "lists", wxPoint(0, 0), wxSize(600, 500));
        ASSERT_TRUE(test::AwaitShown(frame));
    }
    void TearDown() override {
        wxGetApp().columnWidths = savedWidths;
        frame->Destroy();
        test::RunPendingEvents();
    }
};

TEST_F(ListFillersTest, TriggerBoxesGetTheLeadingEntryNumbersAndFlags) {
    auto* combo = new wxComboBox(frame, wxID_ANY, "", wxPoint(0, 0), wxDefaultSize, 0, nullptr,
                                 wxCB_READONLY);
    auto* choice = new wxChoice(frame, wxID_ANY, wxPoint(0, 40));
    combo->Append("stale");
    auto triggers = std::make_unique<TriggerTable>();
    (*triggers)[0].SetAscii(trig::kName, kNameWidth, "Start");
    (*triggers)[4].SetU8(trig::kKind, kTriggerRegister);
    (*triggers)[4].SetU8(trig::kRegExcluded, 1);

    std::vector<uint32_t> flags(3, 7);
    FillTriggerCombo(flags, *combo, *triggers, choice, true);
    for (wxItemContainer* box :
         {static_cast<wxItemContainer*>(combo), static_cast<wxItemContainer*>(choice)}) {
        ASSERT_EQ(box->GetCount(), 129u);
        EXPECT_EQ(box->GetString(0), "(No trigger)");
        EXPECT_EQ(TriggerNumberOf(*box, 0), 0);
        EXPECT_EQ(box->GetString(1), "1(Start)");
        EXPECT_EQ(TriggerNumberOf(*box, 1), 1);
        EXPECT_EQ(box->GetString(5), "*5()");
        EXPECT_EQ(TriggerNumberOf(*box, 128), 128);
    }
    ASSERT_EQ(flags.size(), 129u);
    EXPECT_EQ(flags[0], 0u);
    EXPECT_EQ(flags[5], 1u);
    EXPECT_EQ(flags[1], 0u);

    FillTriggerCombo(flags, *combo, *triggers, nullptr, false);
    EXPECT_EQ(combo->GetCount(), 128u);
    EXPECT_EQ(TriggerNumberOf(*combo, 0), 1);
    EXPECT_EQ(flags.size(), 128u);
}

TEST_F(ListFillersTest, RecipientListShowsTheMaskAndReadsItBack) {
    wxGetApp().columnWidths[7].fill(-1);
    wxGetApp().columnWidths[7][3] = 199;
    auto* list = new CQVListCtrl(frame, wxID_ANY, wxPoint(0, 80), wxSize(560, 380));
    list->AppendColumn("old");
    UserTable users;
    users[1].SetAscii(user::kName, user::kNameWidth, "Ops");
    users[1].SetAscii(user::kAddress, user::kAddressWidth, "ops@example.org");

    FillUserList(users, 0x8001, *list, wxGetApp().codePage, 7);
    test::RunPendingEvents();
    ASSERT_EQ(list->GetColumnCount(), 4);
    ASSERT_EQ(list->GetItemCount(), 16);
    const char* headers[] = {"To", "No.", "Name", "Mail address"};
    const int widths[] = {22, 35, 135, 199};
    for (int c = 0; c < 4; ++c) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(c, column);
        EXPECT_EQ(column.GetText(), headers[c]);
        EXPECT_EQ(list->GetColumnWidth(c), widths[c]) << c;
    }
    EXPECT_EQ(list->GetItemText(1, 1), "2");
    EXPECT_EQ(list->GetItemText(1, 2), "Ops");
    EXPECT_EQ(list->GetItemText(1, 3), "ops@example.org");
    EXPECT_EQ(GetCheckedMask(*list), 0x8001);

    list->UncheckAll();
    list->CheckItem(3, true);
    list->CheckItem(5, true);
    EXPECT_EQ(GetCheckedMask(*list), 0x0028);
}

} // namespace
} // namespace qv
