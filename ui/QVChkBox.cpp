#include "ui/QVChkBox.h"

#include <wx/menu.h>

#include "ui/DlgBase.h"

namespace qv {

namespace {
// Stations above this number have no unit type to choose.
constexpr int32_t kLastTypedStation = 99;
} // namespace

CQVChkBox::CQVChkBox(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxCheckBox(parent, id, wxString(), pos, size) {
    Bind(wxEVT_RIGHT_DOWN, &CQVChkBox::OnRightDown, this);
    auto unitType = [this](wxCommandEvent&) {
        if (OnUnitType)
            OnUnitType(*this);
    };
    Bind(wxEVT_MENU, unitType, MenuItemId(kCmdUnitType));
}

void CQVChkBox::SetNumberLabel(uint32_t flag) {
    SetLabel(wxString::Format(flag ? "%02d*" : "%02d", Number));
}

void CQVChkBox::ClearUnitType() {
    Chosen = 0;
    UnitType = 0;
    UnitTypeData = UnitTypeFields{};
}

void CQVChkBox::OnRightDown(wxMouseEvent& event) {
    // Not skipped: no context menu of the host follows the box's own.
    if (Number > kLastTypedStation)
        return;
    if (std::unique_ptr<wxMenu> popup = LoadPopupMenu(kMenuStation))
        PopupMenu(popup.get(), event.GetPosition());
}

} // namespace qv
