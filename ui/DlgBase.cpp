#include "ui/DlgBase.h"

#include <wx/menu.h>

#include "app/CommandIds.h"
#include "app/QuorvelApp.h"
#include "ui/Messages.h"
#include "ui/StdButtons.h"
#include "ui/TitleWidth.h"

namespace qv {

namespace {

struct MenuEntry {
    int command;
    unsigned text;
};

const MenuEntry kEditMenu[] = {
    {cmd::kEditCut, 29150},
    {cmd::kEditCopy, 29151},
    {cmd::kEditPaste, 29152},
    {cmd::kEditSelectAll, 29153},
};
const MenuEntry kStationMenu[] = {
    {kCmdUnitType, 29154},
};

template <size_t N> std::unique_ptr<wxMenu> BuildMenu(const MenuEntry (&entries)[N]) {
    auto menu = std::make_unique<wxMenu>();
    for (const MenuEntry& e : entries)
        menu->Append(MenuItemId(e.command), Res(e.text));
    return menu;
}

} // namespace

CDlgBase::CDlgBase(unsigned templateId, DlgOwner owner, wxWindow* parent, const wxString& title,
                   long style)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, style), Owner(owner),
      CodePage(wxGetApp().codePage), Parent(parent), templateId_(templateId) {}

wxSizer* CDlgBase::CreateButtons(long flags) {
    return CreateStdButtons(this, flags);
}

bool CDlgBase::Show(bool show) {
    if (show && !IsShown())
        MakeRoomForTitle(this);
    return wxDialog::Show(show);
}

std::unique_ptr<wxMenu> LoadPopupMenu(unsigned menuId) {
    switch (menuId) {
    case kMenuEdit:
        return BuildMenu(kEditMenu);
    case kMenuStation:
        return BuildMenu(kStationMenu);
    default:
        return nullptr;
    }
}

} // namespace qv
