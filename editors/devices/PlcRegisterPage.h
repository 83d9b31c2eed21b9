// The PLC register page of the device editor: area or function code,
// address, data type, mode and difference, scale, unit text and the
// wide-value option of a register device.
#pragma once
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/devices/PlcPageBase.h"
#include "editors/devices/PlcRegisterModel.h"

namespace qv {

class CDevSet_PLCReg : public CPlcPageBase {
public:
    CDevSet_PLCReg(wxWindow* editor, const DevicePageContext& context);

    Refusal SaveDevice(DeviceRecord& record) override;
    wxWindow* FieldWindow(int field) override;

    // Public for the tests.
    wxChoice* TypeBox;
    wxChoice* ModeBox;
    wxChoice* DifferenceBox;
    wxCheckBox* ScalingCheck;
    wxTextCtrl* ScaleEdit;
    wxStaticText* OptionLabel;
    wxChoice* OptionBox;

private:
    PlcRegisterForm ReadForm() const;
    // The mode box's entries for the form's data type, and every enabling.
    void ShowForm();

    PlcRegisterModel model_;
    PlcRegisterForm form_;
    std::vector<int> modes_; // the mode box's codes
};

} // namespace qv
