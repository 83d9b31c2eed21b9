// The monitor window against the simulated unit: a log file's devices and
// the system registers once a second, "---" while the unit is gone and
// values again once it is back, its size and column widths kept, and wide
// enough to show the values.
#include <gtest/gtest.h>

#include <wx/button.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "online/MonitorWnd.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/SimulatedUnit.h"

namespace qv {
namespace {

class MonitorWndTest : public test::SimulatedUnitTest {
protected:
    uint16_t port = 0;
    void SetUp() override {
        test::SimulatedUnitTest::SetUp();
        StartUnit();
        port = static_cast<uint16_t>(*app.Profile().ReadNumber(kCommSection, "TCP Port"));
        // File 2: a register item, device 1, and a contact item, device 3.
        DeviceTable& devices = app.Document()->Blocks().devices;
        for (size_t i = 0; i < dev::kUsedCount; ++i)
            devices[i].SetU8(dev::kFile, 0);
        devices[0].SetU8(dev::kFile, 2);
        devices[0].SetU16(dev::kNumber, 1);
        devices[0].SetU8(dev::kIsRegister, 1);
        devices[0].SetU8(dev::kDataType, kTypeU32);
        devices[0].SetAscii(dev::kName, 32, "Flow");
        devices[1].SetU8(dev::kFile, 2);
        devices[1].SetU16(dev::kNumber, 3);
        devices[1].SetU8(dev::kIsRegister, 0);
        devices[1].SetU8(dev::kMode, 0);
        app.Document()->TakeSnapshot(kSnapshotSaved); // closes without the save question
    }
    static wxString Value(CMonitorWnd& wnd, long row) {
        return wnd.ItemList->GetItemText(row, kMonitorValueColumn);
    }
};

TEST_F(MonitorWndTest, DevicesOfTheChosenFileAndTheSystemRegisters) {
    sim.SetDataRegister(1000, 0x5678);
    sim.SetDataRegister(1001, 0x1234);
    sim.SetDataRegister(1004, 1);
    CMonitorWnd wnd(app.MainFrame(), *app.Document());
    wnd.SelectGroup(1);
    ASSERT_EQ(wnd.ItemList->GetItemCount(), 2);
    EXPECT_EQ(wnd.ItemList->GetItemText(0, 1), "Flow");
    EXPECT_EQ(Value(wnd, 0), "");
    wnd.Show();
    // The timer's poll fills the values.
    ASSERT_TRUE(test::PumpUntil([&] { return Value(wnd, 0) == "305419896"; }, 5000));
    EXPECT_EQ(Value(wnd, 1), "ON");
    EXPECT_EQ(wnd.ItemList->OnGetItemColumnAttr(1, kMonitorValueColumn)->GetTextColour(),
              wxColour(255, 100, 23));
    EXPECT_EQ(wnd.ItemList->OnGetItemColumnAttr(0, kMonitorValueColumn)->GetTextColour(),
              wxColour(23, 100, 255));
    EXPECT_EQ(wnd.ItemList->OnGetItemColumnAttr(1, 1)->GetTextColour(), *wxBLACK);
    sim.SetDataRegister(1001, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return Value(wnd, 0) == "22136"; }, 5000));

    wnd.SelectGroup(kMonitorSystemGroup);
    EXPECT_EQ(wnd.ColumnMode(), 2);
    ASSERT_EQ(wnd.ItemList->GetItemCount(), 48);
    wnd.PollValues();
    EXPECT_EQ(wnd.ItemList->GetItemText(36, 0), "90154");
    EXPECT_EQ(Value(wnd, 36), "C0A80105");
    EXPECT_EQ(sim.ConnectionCount(), 1);
}

TEST_F(MonitorWndTest, UnitGoneShowsDashesAndComesBack) {
    sim.SetDataRegister(1000, 77);
    CMonitorWnd wnd(app.MainFrame(), *app.Document());
    wnd.SelectGroup(1);
    wnd.PollValues();
    ASSERT_EQ(Value(wnd, 0), "77");
    sim.Stop();
    wnd.PollValues();
    EXPECT_EQ(Value(wnd, 0), "---");
    EXPECT_EQ(Value(wnd, 1), "---");
    ASSERT_EQ(sim.StartTcp(port), port);
    wnd.PollValues();
    EXPECT_EQ(Value(wnd, 0), "77");
}

// The right edge of the value column inside the part of the item list that
// shows the rows.
void ExpectValueColumnShows(CMonitorWnd& wnd, const std::string& where) {
    int right = 0;
    for (int c = 0; c <= kMonitorValueColumn; ++c)
        right += wnd.ItemList->GetColumnWidth(c);
    // The list's two parts: the header above and the rows, the taller one.
    wxWindow* rows = nullptr;
    for (wxWindow* child : wnd.ItemList->GetChildren())
        if (!rows || child->GetSize().y > rows->GetSize().y)
            rows = child;
    ASSERT_NE(rows, nullptr);
    EXPECT_LE(right, rows->GetClientSize().x)
        << where << ": the window is " << wnd.GetSize().x << " pixels wide";
}

TEST_F(MonitorWndTest, OpensWideEnoughForTheValueColumn) {
    // First on a new profile, then with the size and column widths a window
    // too narrow for its values stored.
    for (int run = 0; run < 2; ++run) {
        if (run == 1)
            app.Profile().WriteNumber("Settings\\Config", "MoniDlg Width", 680);
        CMonitorWnd wnd(app.MainFrame(), *app.Document());
        wnd.SelectGroup(1);
        ASSERT_TRUE(test::AwaitShown(&wnd));
        ExpectValueColumnShows(wnd, "file 2, run " + std::to_string(run));
        wnd.SelectGroup(kMonitorSystemGroup);
        ASSERT_TRUE(test::AwaitShown(&wnd));
        ExpectValueColumnShows(wnd, "system registers, run " + std::to_string(run));
        wnd.Hide();
    }
}

TEST_F(MonitorWndTest, SizeAndColumnWidthsPersist) {
    {
        CMonitorWnd wnd(app.MainFrame(), *app.Document());
        // Wider than its columns need: a size that shows the values is kept.
        wnd.SetSize(wxSize(1200, 700));
        wnd.ItemList->SetColumnWidth(1, 222);
        wnd.SelectGroup(kMonitorSystemGroup);
        wnd.ItemList->SetColumnWidth(1, 333);
    }
    EXPECT_EQ(app.Profile().ReadNumber("Settings\\Config", "MoniDlg Width"), 1200u);
    EXPECT_EQ(app.Profile().ReadNumber("Settings\\Config", "MoniDlg Height"), 700u);
    CMonitorWnd wnd(app.MainFrame(), *app.Document());
    EXPECT_EQ(wnd.GetSize(), wxSize(1200, 700));
    EXPECT_EQ(wnd.ItemList->GetColumnWidth(1), 222);
    wnd.SelectGroup(kMonitorSystemGroup);
    EXPECT_EQ(wnd.ItemList->GetColumnWidth(1), 333);
}

TEST_F(MonitorWndTest, RibbonCommandOpensItAndEscapeEndsIt) {
    test::DialogScript script;
    script.ThenClick(wxID_OK);
    long rows = -1;
    script.Then([&](wxDialog* d) -> int {
        auto* wnd = dynamic_cast<CMonitorWnd*>(d);
        EXPECT_NE(wnd, nullptr);
        if (!wnd)
            return wxID_CANCEL;
        rows = wnd->ItemList->GetItemCount();
        wnd->CallAfter([wnd] {
            wxCommandEvent close(wxEVT_BUTTON, wxID_CLOSE);
            wnd->CloseButton->Command(close);
        });
        return wxID_NONE;
    });
    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kMonitor).enabled);
    app.MainFrame()->RunCommand(cmd::kMonitor);
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(rows, 0); // file 1 has no devices here
}

class MonitorWndLanguageTest : public test::SimulatedUnitTest,
                               public ::testing::WithParamInterface<int> {};

TEST_P(MonitorWndLanguageTest, LabelsFit) {
    test::ScopedGuiLanguage language(GetParam());
    StartUnit();
    CMonitorWnd wnd(app.MainFrame(), *app.Document());
    wnd.Show();
    ASSERT_TRUE(test::AwaitShown(&wnd));
    test::ExpectLabelsFit(&wnd, "monitor window");
    test::ExpectButtonsInLanguage(&wnd, GetParam(), "monitor window");
    wnd.Hide();
}

INSTANTIATE_TEST_SUITE_P(Languages, MonitorWndLanguageTest,
                         ::testing::ValuesIn(test::kGuiLanguages), test::GuiLanguageName);

} // namespace
} // namespace qv
