// Keeping a window on the screen when its size changes: a dialog whose pages
// grow downwards would otherwise push its buttons past the screen's lower
// edge on a small screen.
#pragma once
#include <wx/gdicmn.h>

class wxTopLevelWindow;
class wxWindow;

namespace qv {

// The client area (the screen less its task bars) of the display that shows
// the window, or of the first display.
wxRect WorkAreaOf(const wxWindow* window);

// Places the window about the centre it had before its size changed, moved
// no more than it needs to lie whole within the work area.
void PlaceAboutCentre(wxTopLevelWindow* window, const wxPoint& centre);

} // namespace qv
