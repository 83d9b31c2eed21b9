// The numbered check box of one station (1 to 247) in the power-meter
// dialogs: it carries the station's unit-type record, and a right click on a
// box numbered up to 99 offers the unit-type command.
#pragma once
#include <cstdint>
#include <functional>
#include <wx/checkbox.h>

class wxDialog;

namespace qv {

// The station's unit-type record after its type, in the order the power-meter
// dialogs keep it.
struct UnitTypeFields {
    uint32_t Ranges[4];       // range choice of each point group
    uint16_t Points[32];      // point flags
    uint32_t GroupPoints[8];  // flags of the grouped points
    uint32_t ChannelsOn;      // 0: the station is a single value
    uint32_t FirstValues[8];  // first value of channels 1 to 8
    uint32_t SecondValues[8]; // second value of channels 1 to 8
};

class CQVChkBox : public wxCheckBox {
public:
    CQVChkBox(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize);

    // "07", or "07*" for a station with a unit type.
    void SetNumberLabel(uint32_t flag);
    // Clears Chosen, UnitType and UnitTypeData; the number and the host stay.
    void ClearUnitType();

    wxDialog* HostDlg = nullptr;
    uint32_t Chosen = 0;
    int32_t Number = 0;
    uint32_t UnitType = 0;
    UnitTypeFields UnitTypeData{};

    // The unit-type command of the box's menu; the host sets it.
    std::function<void(CQVChkBox&)> OnUnitType;

private:
    void OnRightDown(wxMouseEvent& event);
};

} // namespace qv
