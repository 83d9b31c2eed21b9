#include "ui/OnScreen.h"

#include <algorithm>
#include <wx/display.h>
#include <wx/toplevel.h>

namespace qv {

wxRect WorkAreaOf(const wxWindow* window) {
    const int display = window ? wxDisplay::GetFromWindow(window) : wxNOT_FOUND;
    return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
}

void PlaceAboutCentre(wxTopLevelWindow* window, const wxPoint& centre) {
    const wxRect area = WorkAreaOf(window);
    const wxSize size = window->GetSize();
    // A window larger than the area keeps its top left corner in it, where
    // its title bar and first controls are.
    const int x = std::max(area.x, std::min(centre.x - size.x / 2, area.GetRight() + 1 - size.x));
    const int y = std::max(area.y, std::min(centre.y - size.y / 2, area.GetBottom() + 1 - size.y));
    if (window->GetPosition() != wxPoint(x, y))
        window->Move(x, y);
}

} // namespace qv
