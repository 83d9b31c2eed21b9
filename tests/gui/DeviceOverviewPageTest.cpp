// The log-file overview in the settings view: picked in the settings tree it
// shows the document's counts, follows the document on every refresh, stays
// read-only under the keyboard, and its headings fit in every language.
#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/uiaction.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "document/QuorvelDoc.h"
#include "editors/devices/DeviceOverviewPage.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "view/QuorvelView.h"

namespace qv {
namespace {

class DeviceOverviewPageTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
    void TearDown() override {
        Doc().TakeSnapshot(kSnapshotSaved);
        test::StartedProgramTest::TearDown();
    }
    void PutDevice(size_t index, int fileNo, int number) {
        DeviceRecord& r = Doc().Blocks().devices[index];
        r.SetU8(dev::kFile, static_cast<uint8_t>(fileNo));
        r.SetU16(dev::kNumber, static_cast<uint16_t>(number));
    }
    CDeviceInfoPage* ShowOverview() {
        CQVTreeCtrl& tree = *app.MainFrame()->TreePane().Tree();
        tree.SelectItem(tree.FindItemByMode(kPageDeviceOverview));
        test::RunPendingEvents();
        return dynamic_cast<CDeviceInfoPage*>(app.MainFrame()->View().ShownPage());
    }
    static wxString Cell(wxListCtrl* list, long row, int column) {
        return list->GetItemText(row, column);
    }
};

TEST_F(DeviceOverviewPageTest, TreeShowsTheDocumentsCountsAndEveryRefreshRereadsThem) {
    Doc().Blocks().files[1].SetAscii(file::kName, kNameWidth, "Pumps");
    PutDevice(0, 2, 1);
    PutDevice(1, 2, 2);
    PutDevice(2, 16, 1);
    CDeviceInfoPage* page = ShowOverview();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->IsShown());
    wxListCtrl* list = page->List;
    ASSERT_EQ(list->GetItemCount(), 17);
    ASSERT_EQ(list->GetColumnCount(), 4);
    EXPECT_EQ(list->GetColumnWidth(0), 0);
    EXPECT_EQ(Cell(list, 1, 1), "2");
    EXPECT_EQ(Cell(list, 1, 2), "Pumps");
    EXPECT_EQ(Cell(list, 1, 3), "2");
    EXPECT_EQ(Cell(list, 15, 3), "1");
    EXPECT_EQ(Cell(list, 0, 3), "0");
    EXPECT_EQ(Cell(list, 16, 1), Res(3064));
    EXPECT_EQ(Cell(list, 16, 3), "3");

    // Another editor changed the tables: the view's refresh shows it.
    PutDevice(3, 1, 1);
    Doc().Blocks().files[1].SetAscii(file::kName, kNameWidth, "Fans");
    app.MainFrame()->View().RefreshPage(1);
    EXPECT_EQ(Cell(list, 0, 3), "1");
    EXPECT_EQ(Cell(list, 1, 2), "Fans");
    EXPECT_EQ(Cell(list, 16, 3), "4");
}

TEST_F(DeviceOverviewPageTest, KeyboardMovesThroughTheRowsAndEnterChangesNothing) {
    CDeviceInfoPage* page = ShowOverview();
    ASSERT_NE(page, nullptr);
    wxListCtrl* list = page->List;
    ASSERT_TRUE(test::FocusControl(list));
    auto focused = [&] { return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED); };
    const long before = focused();
    wxUIActionSimulator sim;
    sim.Char(WXK_DOWN);
    EXPECT_TRUE(test::PumpUntil([&] { return focused() > before && focused() >= 0; }))
        << before << " " << focused();
    test::DialogScript script; // any dialog that opened would have no answer
    sim.Char(WXK_RETURN);
    test::RunPendingEvents();
    EXPECT_TRUE(script.seen.empty());
    EXPECT_EQ(app.MainFrame()->View().PageMode(), kPageDeviceOverview);
    EXPECT_TRUE(Doc().IsUnmodified());
}

class DeviceOverviewLanguageTest : public DeviceOverviewPageTest,
                                   public ::testing::WithParamInterface<int> {};

TEST_P(DeviceOverviewLanguageTest, HeadingsFitAndTheFirstColumnStaysHidden) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    // A width stored for the hidden column does not show it.
    app.Profile().WriteNumber("ListStateInfo\\List10", "Column Width 00", 120);
    auto* frame = new wxFrame(app.MainFrame(), wxID_ANY, "overview");
    auto* page = new CDeviceInfoPage(frame, Doc(), app.MainFrame()->View());
    frame->SetClientSize(500, 500);
    frame->Show();
    ASSERT_TRUE(test::AwaitShown(frame));
    wxListCtrl* list = page->List;
    EXPECT_EQ(list->GetColumnWidth(0), 0);
    // Sideways the header adds its own margins; keep a few pixels for them.
    constexpr int kMargin = 8;
    for (int c = 1; c < 4; ++c) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        ASSERT_TRUE(list->GetColumn(c, heading));
        EXPECT_FALSE(heading.GetText().empty()) << c;
        EXPECT_LE(list->GetTextExtent(heading.GetText()).x + kMargin, list->GetColumnWidth(c))
            << "column " << c << " language " << language;
    }
    EXPECT_LE(list->GetTextExtent(Cell(list, 16, 1)).x + kMargin, list->GetColumnWidth(1));
    EXPECT_TRUE(list->GetRect().GetBottom() <= page->GetClientSize().y);
    frame->Destroy();
}

INSTANTIATE_TEST_SUITE_P(Languages, DeviceOverviewLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

} // namespace
} // namespace qv
