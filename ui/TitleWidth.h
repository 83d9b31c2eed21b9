// A window's caption must stay readable in the title bar, whose buttons and
// icon take room of their own: a window laid out around short texts (the
// Chinese About box) would otherwise cut its own title.
#pragma once

class wxTopLevelWindow;

namespace qv {

// Room the title bar keeps for the window's icon and its buttons.
constexpr int kTitleBarExtra = 100;

// The width the title bar needs for the window's title.
int TitleBarWidth(const wxTopLevelWindow* window);
// Widens the window so that its title fits, about its centre; call it after
// the layout and the placement.
void MakeRoomForTitle(wxTopLevelWindow* window);

} // namespace qv
