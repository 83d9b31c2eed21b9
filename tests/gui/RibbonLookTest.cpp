// Disabled ribbon commands must look disabled: their icon and label are
// drawn with less contrast than those of the enabled ones, in every style.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"

namespace qv {
namespace {

// How far the darkest or lightest pixel of a button lies from the button's
// usual colour (0..255): the ink of its icon and label.
int InkContrast(const wxImage& image) {
    std::vector<int> lum;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            lum.push_back((image.GetRed(x, y) * 299 + image.GetGreen(x, y) * 587 +
                           image.GetBlue(x, y) * 114) /
                          1000);
    std::vector<int> sorted = lum;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const int background = sorted[sorted.size() / 2];
    int ink = 0;
    for (int l : lum)
        ink = std::max(ink, std::abs(l - background));
    return ink;
}

std::vector<wxRibbonButtonBar*> ButtonBars(wxWindow* window) {
    std::vector<wxRibbonButtonBar*> bars;
    for (wxWindow* child : window->GetChildren()) {
        if (auto* bar = wxDynamicCast(child, wxRibbonButtonBar))
            bars.push_back(bar);
        const auto below = ButtonBars(child);
        bars.insert(bars.end(), below.begin(), below.end());
    }
    return bars;
}

wxImage Capture(wxWindow* window, const wxRect& rect) {
    wxClientDC client(window);
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &client, rect.x, rect.y);
    }
    return bitmap.ConvertToImage();
}

class RibbonLookTest : public test::StartedProgramTest {
protected:
    void SetUp() override {
        StartedProgramTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(test::AwaitShown(app.MainFrame()));
    }
};

TEST_F(RibbonLookTest, DisabledButtonsHaveFadedIconsAndLabelsInEveryStyle) {
    CMainFrame& frame = *app.MainFrame();
    // Keep the pointer off the ribbon, so no button is drawn hovered.
    wxUIActionSimulator sim;
    const wxRect tree = frame.TreePane().GetScreenRect();
    sim.MouseMove(tree.GetPosition() + tree.GetSize() / 2);
    for (int look = cmd::kLookFirst; look <= cmd::kLookLast; ++look) {
        frame.RunCommand(look);
        int faintestEnabled = 255, strongestDisabled = 0;
        for (size_t page = 0; page < frame.Ribbon().GetPageCount(); ++page) {
            frame.Ribbon().SetActivePage(page);
            // Read the screen once the page has been painted in the style
            // just chosen, with the pointer's move handled (no hovered button).
            test::AwaitInputHandled();
            ASSERT_TRUE(test::AwaitShown(&frame)) << "style " << look << ", page " << page;
            for (wxRibbonButtonBar* bar : ButtonBars(&frame.Ribbon())) {
                if (!bar->IsShownOnScreen())
                    continue;
                for (size_t i = 0; i < bar->GetButtonCount(); ++i) {
                    const int id = bar->GetItemId(bar->GetItem(i));
                    // A large button's rectangle may reach past the bar's foot.
                    const wxRect rect = bar->GetItemRect(id).Intersect(wxRect(bar->GetClientSize()));
                    const int ink = InkContrast(Capture(bar, rect));
                    if (frame.StateOf(id).enabled)
                        faintestEnabled = std::min(faintestEnabled, ink);
                    else
                        strongestDisabled = std::max(strongestDisabled, ink);
                }
            }
        }
        EXPECT_LT(strongestDisabled * 10, faintestEnabled * 6)
            << "style " << look << ": disabled " << strongestDisabled << ", enabled "
            << faintestEnabled;
    }
}

} // namespace
} // namespace qv
