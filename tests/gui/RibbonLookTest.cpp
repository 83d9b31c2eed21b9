// Disabled ribbon commands must look disabled: their icon and label are
// drawn with less contrast than those of the enabled ones, in every style;
// and the labels of the enabled ones stay readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
#include "tests/gui/InkContrast.h"
#include "tests/gui/PumpUntil.h"
#include "tests/gui/RibbonBars.h"

namespace qv {
namespace {

wxImage Capture(wxWindow* window, const wxRect& rect) {
    wxClientDC client(window);
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &client, rect.x, rect.y);
    }
    return bitmap.ConvertToImage();
}

// WCAG's relative luminance of a pixel and the contrast ratio of two.
double Luminance(const wxImage& image, int x, int y) {
    auto channel = [](unsigned char c) {
        const double v = c / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(image.GetRed(x, y)) + 0.7152 * channel(image.GetGreen(x, y)) +
           0.0722 * channel(image.GetBlue(x, y));
}
double Ratio(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The contrast of a label as drawn: its ink (the pixel that stands out most)
// against the middle pixel of the area, where the background shows.
double LabelContrast(const wxImage& label) {
    std::vector<double> lum;
    for (int y = 0; y < label.GetHeight(); ++y)
        for (int x = 0; x < label.GetWidth(); ++x)
            lum.push_back(Luminance(label, x, y));
    std::vector<double> sorted = lum;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const double background = sorted[sorted.size() / 2];
    double best = 1;
    for (double l : lum)
        best = std::max(best, Ratio(l, background));
    return best;
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
            for (wxRibbonButtonBar* bar : test::RibbonButtonBars(&frame.Ribbon())) {
                if (!bar->IsShownOnScreen())
                    continue;
                for (size_t i = 0; i < bar->GetButtonCount(); ++i) {
                    const int id = bar->GetItemId(bar->GetItem(i));
                    // A large button's rectangle may reach past the bar's foot.
                    const wxRect rect =
                        bar->GetItemRect(id).Intersect(wxRect(bar->GetClientSize()));
                    const int ink = test::InkContrast(Capture(bar, rect));
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

// Labels stay readable in every style: at least 4.5:1 against their
// background, on a button as it rests, checked (the Show buttons) and under
// the pointer.
TEST_F(RibbonLookTest, LabelsKeepTheirContrastInEveryStyleAndState) {
    CMainFrame& frame = *app.MainFrame();
    wxUIActionSimulator sim;
    const wxRect tree = frame.TreePane().GetScreenRect();
    auto barOf = [&](int id) -> wxRibbonButtonBar* {
        for (wxRibbonButtonBar* bar : test::RibbonButtonBars(&frame.Ribbon()))
            if (bar->GetItemById(id))
                return bar;
        return nullptr;
    };
    struct Case {
        const char* state;
        int id;
        bool hovered;
    };
    const Case cases[] = {{"resting", cmd::kSettingsWizard, false},
                          {"checked", cmd::kViewTreePane, false},
                          {"hovered", cmd::kSettingsWizard, true},
                          {"checked and hovered", cmd::kViewTreePane, true}};
    for (int look = cmd::kLookFirst; look <= cmd::kLookLast; ++look) {
        frame.RunCommand(look);
        frame.Ribbon().SetActivePage(size_t{0});
        ASSERT_TRUE(frame.StateOf(cmd::kViewTreePane).checked);
        for (const Case& c : cases) {
            wxRibbonButtonBar* bar = barOf(c.id);
            ASSERT_NE(bar, nullptr);
            const wxRect button = bar->GetItemRect(c.id).Intersect(wxRect(bar->GetClientSize()));
            sim.MouseMove(c.hovered
                              ? bar->ClientToScreen(button.GetPosition() + button.GetSize() / 2)
                              : tree.GetPosition() + tree.GetSize() / 2);
            test::AwaitInputHandled();
            ASSERT_TRUE(test::AwaitShown(&frame));
            // The label lies inside the button's border, below the 32-pixel
            // icon of a large button or right of the 16-pixel one of a small.
            const bool large = button.height > 40;
            const int left = button.x + (large ? 3 : 3 + 16 + 2);
            const int top = button.y + (large ? 3 + 32 + 2 : 3);
            const wxRect label(left, top, button.GetRight() - 2 - left,
                               button.GetBottom() - 2 - top);
            const double contrast = LabelContrast(Capture(bar, label));
            EXPECT_GE(contrast, 4.5) << "style " << look << ", " << c.state << " button";
        }
    }
    sim.MouseMove(tree.GetPosition() + tree.GetSize() / 2);
    test::AwaitInputHandled();
}

} // namespace
} // namespace qv
