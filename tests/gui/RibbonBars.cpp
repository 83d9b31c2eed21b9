#include "tests/gui/RibbonBars.h"

#include <wx/ribbon/buttonbar.h>

namespace qv::test {

std::vector<wxRibbonButtonBar*> RibbonButtonBars(wxWindow* window) {
    std::vector<wxRibbonButtonBar*> bars;
    for (wxWindow* child : window->GetChildren()) {
        if (auto* bar = wxDynamicCast(child, wxRibbonButtonBar))
            bars.push_back(bar);
        const auto below = RibbonButtonBars(child);
        bars.insert(bars.end(), below.begin(), below.end());
    }
    return bars;
}

} // namespace qv::test
