// The PLC contact page of the device editor: area or function code, address,
// contact mode with its time unit, and unit text of a contact device.
#pragma once
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/devices/PlcContactModel.h"
#include "editors/devices/PlcPageBase.h"

namespace qv {

class CDevSet_PLCContact : public CPlcPageBase {
public:
    CDevSet_PLCContact(wxWindow* editor, const DevicePageContext& context);

    Refusal SaveDevice(DeviceRecord& record) override;
    wxWindow* FieldWindow(int field) override;

    // Public for the tests.
    wxChoice* ModeBox;
    wxStaticText* OptionLabel;
    wxChoice* OptionBox;
    wxChoice* TypeBox; // shows the one data type of a contact

private:
    PlcContactForm ReadForm() const;
    void ShowForm();

    PlcContactModel model_;
    PlcContactForm form_;
};

} // namespace qv
