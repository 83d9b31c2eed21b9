// The power-meter page of the device editor: the meter kind.
#pragma once
#include <wx/choice.h>

#include "editors/devices/DeviceTypePage.h"
#include "editors/devices/PowerMeterModel.h"

namespace qv {

class CDevSet_Pelm : public CDevSetDlgBase {
public:
    CDevSet_Pelm(wxWindow* editor, const DevicePageContext& context);

    Refusal SaveDevice(DeviceRecord& record) override;
    wxWindow* FieldWindow(int field) override;

    wxChoice* KindBox; // public for the tests

private:
    PowerMeterModel model_;
};

} // namespace qv
