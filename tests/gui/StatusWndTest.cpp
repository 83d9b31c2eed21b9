// The status window against the simulated unit: what it shows, the poll
// every second over one connection, a failure that latches until the window
// is opened again, the link closed with the window, and the gauges' colours.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/stattext.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/StringTable.h"
#include "online/GaugeView.h"
#include "online/StatusWnd.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/SimulatedUnit.h"

namespace qv {
namespace {

// Established TCP connections whose local port is `port` (the simulator's
// side of each link).
int Connections(uint16_t port) {
    std::ifstream in("/proc/net/tcp");
    std::string line;
    std::getline(in, line);
    int count = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        const auto colon = local.find(':');
        if (colon != std::string::npos && state == "01" &&
            std::stoul(local.substr(colon + 1), nullptr, 16) == port)
            ++count;
    }
    return count;
}

// The colour at a point of the gauge drawn into a bitmap.
class DrawnGauge {
public:
    explicit DrawnGauge(const Gauge& gauge) : bitmap_(120, 120, 24) {
        wxMemoryDC dc(bitmap_);
        dc.SetBackground(*wxLIGHT_GREY_BRUSH);
        dc.Clear();
        CGaugeView::Draw(dc, wxRect(0, 0, 120, 120), gauge);
        dc.SelectObject(wxNullBitmap);
        image_ = bitmap_.ConvertToImage();
    }
    // Relative to the disc's centre (the top layer's, 60, 55).
    wxColour At(int dx, int dy) const {
        const int x = 60 + dx, y = 55 + dy;
        return wxColour(image_.GetRed(x, y), image_.GetGreen(x, y), image_.GetBlue(x, y));
    }

private:
    wxBitmap bitmap_;
    wxImage image_;
};

class StatusWndTest : public test::SimulatedUnitTest {
protected:
    uint16_t port = 0;
    void SetUp() override {
        test::SimulatedUnitTest::SetUp();
        StartUnit();
        port = static_cast<uint16_t>(*app.Profile().ReadNumber(kCommSection, "TCP Port"));
    }
    static wxString Text(wxStaticText* t) { return t->GetLabelText(); }
};

TEST_F(StatusWndTest, ShowsTheUnitAndPollsEverySecondOverOneLink) {
    sim.SetRunMode(true);
    sim.SetDataRegister(90000, 42);
    sim.SetDataRegister(90140, 5);
    CStatusWnd wnd(app.MainFrame(), app.Document());
    EXPECT_EQ(Text(wnd.ErrorText), wxString(ResString(9033)));
    EXPECT_EQ(Text(wnd.RowTexts[0]), wxString(ResString(9046)));
    EXPECT_EQ(Text(wnd.ClockText), "2024/06/15 09:30:00");
    EXPECT_EQ(Text(wnd.ModeText), wxString(ResString(9078)));
    EXPECT_EQ(Text(wnd.VersionText), "2.23");
    EXPECT_EQ(Text(wnd.NameText), "Unellox");
    EXPECT_EQ(Text(wnd.AddressTexts[0]), "192.168.1.5");
    EXPECT_EQ(Text(wnd.AddressTexts[1]), "255.255.255.0");
    EXPECT_EQ(Text(wnd.AddressTexts[4]), "");
    EXPECT_EQ(Text(wnd.MacText), "00-1A-2B-3C-4D-5E");
    EXPECT_EQ(Text(wnd.CounterTexts[2]), "1,234,567");
    EXPECT_EQ(Text(wnd.GaugeTexts[0][2]), "1,073,741,824");
    EXPECT_EQ(Text(wnd.GaugeTexts[0][1]), "16,777,216");
    EXPECT_EQ(Text(wnd.GaugeTexts[0][0]), "1,056,964,608");
    EXPECT_EQ(wnd.TimerState(), 1);

    // The timer's poll picks up a change, over the same connection.
    sim.SetDataRegister(90028, 4321);
    wnd.Show();
    EXPECT_TRUE(test::PumpUntil([&] { return Text(wnd.CounterTexts[0]) == "4,321"; }, 5000));
    EXPECT_EQ(wnd.TimerState(), 1);
    EXPECT_EQ(sim.ConnectionCount(), 1);
    EXPECT_EQ(Connections(port), 1);
}

TEST_F(StatusWndTest, FailureLatchesUntilReopenedAndClosingDisconnects) {
    {
        CStatusWnd wnd(app.MainFrame(), app.Document());
        ASSERT_EQ(Text(wnd.CounterTexts[0]), "12");
        sim.Stop(); // the unit goes away
        wnd.RefreshStatus();
        EXPECT_TRUE(wnd.Poll().PollFailed());
        EXPECT_EQ(Text(wnd.ErrorText), "--------");
        EXPECT_EQ(Text(wnd.ClockText), "--/--/-- --:--:--");
        EXPECT_EQ(Text(wnd.VersionText), "-.--");
        EXPECT_EQ(Text(wnd.AddressTexts[0]), "   .   .   .   ");
        EXPECT_EQ(Text(wnd.GaugeTexts[1][2]), wxString(ResString(9030)));
        for (wxStaticText* counter : wnd.CounterTexts)
            EXPECT_EQ(Text(counter), "---"); // no longer the unit's
        EXPECT_EQ(wnd.Gauges[0]->GetGauge().sectors[0].colour, kGaugeFailed);

        // Back again, it is not read, by the button or by the timer.
        ASSERT_EQ(sim.StartTcp(port), port);
        sim.ClearTranscript();
        wxCommandEvent click(wxEVT_BUTTON, wxID_REFRESH);
        wnd.RefreshButton->Command(click);
        wnd.Show();
        EXPECT_TRUE(test::PumpUntil([&] { return wnd.TimerState() == 0; }, 5000));
        EXPECT_TRUE(sim.Transcript().empty());
    }
    // Opened again, the window reads the unit; closed, it lets go of the link.
    {
        CStatusWnd wnd(app.MainFrame(), app.Document());
        EXPECT_FALSE(wnd.Poll().PollFailed());
        EXPECT_EQ(Text(wnd.VersionText), "2.23");
        EXPECT_EQ(Connections(port), 1);
    }
    EXPECT_TRUE(test::PumpUntil([&] { return Connections(port) == 0; }));
}

TEST_F(StatusWndTest, AcknowledgeSendsItsCommandAndAFailureLatches) {
    CStatusWnd wnd(app.MainFrame(), app.Document());
    sim.ClearTranscript();
    wxCommandEvent click(wxEVT_BUTTON, wnd.AckButton->GetId());
    wnd.AckButton->Command(click);
    ASSERT_FALSE(sim.Transcript().empty());
    EXPECT_NE(sim.Transcript()[0].frame.find("#1D5"), std::string::npos);
    EXPECT_FALSE(wnd.Poll().PollFailed());
    sim.InjectFault({unitsim::FaultKind::ErrorFrame, "1D5", 0, 1, 0x42});
    wnd.AckButton->Command(click);
    EXPECT_TRUE(wnd.Poll().PollFailed());
    wnd.RefreshStatus();
    EXPECT_EQ(Text(wnd.ErrorText), "--------");
}

TEST_F(StatusWndTest, RibbonCommandOpensItAfterTheConnectionDialog) {
    test::DialogScript script;
    script.ThenClick(wxID_OK);
    wxString version;
    script.Then([&](wxDialog* d) -> int {
        auto* wnd = dynamic_cast<CStatusWnd*>(d);
        EXPECT_NE(wnd, nullptr);
        if (!wnd)
            return wxID_CANCEL;
        version = wnd->VersionText->GetLabelText();
        wnd->CallAfter([wnd] {
            wxCommandEvent close(wxEVT_BUTTON, wxID_CLOSE);
            wnd->CloseButton->Command(close);
        });
        return wxID_NONE;
    });
    ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kUnitStatus).enabled);
    app.MainFrame()->RunCommand(cmd::kUnitStatus);
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(version, "2.23");
    EXPECT_TRUE(test::PumpUntil([&] { return Connections(port) == 0; }));
}

TEST_F(StatusWndTest, GaugeColours) {
    sim.SetDataRegister(90201, 0);
    sim.SetDataRegister(90200, 1000);
    sim.SetDataRegister(90205, 0);
    sim.SetDataRegister(90204, 500);
    sim.SetDataRegister(90209, 0); // gauge 2 empty
    CStatusWnd wnd(app.MainFrame(), app.Document());
    const wxColour blue(0, 0, 255), magenta(242, 0, 242), grey(192, 192, 192);
    // Half free from 9 o'clock clockwise over the top, half used below.
    const DrawnGauge half(wnd.Gauges[0]->GetGauge());
    EXPECT_EQ(half.At(0, -25), blue);
    EXPECT_EQ(half.At(-10, -20), blue);
    EXPECT_EQ(half.At(0, 25), magenta);
    EXPECT_EQ(half.At(10, 20), magenta);
    EXPECT_EQ(DrawnGauge(wnd.Gauges[1]->GetGauge()).At(0, 0), grey);
    EXPECT_EQ(DrawnGauge(CalcGauge(1000, 0)).At(0, 25), blue);
    EXPECT_EQ(DrawnGauge(CalcGauge(1000, 1000)).At(0, -25), magenta);

    sim.InjectFault({unitsim::FaultKind::ErrorFrame, "RT", 0, 1, 0x42});
    wnd.RefreshStatus();
    const DrawnGauge failed(wnd.Gauges[0]->GetGauge());
    EXPECT_EQ(failed.At(0, -25), *wxWHITE);
    EXPECT_EQ(failed.At(0, 25), *wxWHITE);
}

class StatusWndLanguageTest : public test::SimulatedUnitTest,
                              public ::testing::WithParamInterface<int> {};

TEST_P(StatusWndLanguageTest, LabelsFit) {
    test::ScopedGuiLanguage language(GetParam());
    StartUnit();
    CStatusWnd wnd(app.MainFrame(), app.Document());
    wnd.Show();
    ASSERT_TRUE(test::AwaitShown(&wnd));
    test::ExpectLabelsFit(&wnd, "status window");
    test::ExpectButtonsInLanguage(&wnd, GetParam(), "status window");
    EXPECT_TRUE(wnd.RefreshButton->IsThisEnabled());
    wnd.Hide();
}

INSTANTIATE_TEST_SUITE_P(Languages, StatusWndLanguageTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

} // namespace
} // namespace qv
