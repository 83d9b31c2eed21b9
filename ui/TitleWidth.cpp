#include "ui/TitleWidth.h"

#include <algorithm>
#include <wx/dcscreen.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

namespace qv {

int TitleBarWidth(const wxTopLevelWindow* window) {
    // Title bars draw the caption in a bold form of the interface font.
    wxScreenDC dc;
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
    return dc.GetTextExtent(window->GetTitle()).x + window->FromDIP(kTitleBarExtra);
}

void MakeRoomForTitle(wxTopLevelWindow* window) {
    const int needed = TitleBarWidth(window);
    if (window->GetSize().x >= needed)
        return;
    const wxRect before = window->GetRect();
    window->SetMinSize(wxSize(std::max(needed, window->GetMinSize().x), window->GetMinSize().y));
    window->Fit();
    // Wider about the same centre, where the window was placed.
    window->Move(before.x - (window->GetSize().x - before.width) / 2, before.y);
}

} // namespace qv
