#include "editors/devices/SeriesPage.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/Messages.h"

namespace qv {

CDevSet_Series::CDevSet_Series(wxWindow* editor, const DevicePageContext& context)
    : CDevSetDlgBase(editor, context) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(Label(model_.View().textId), 0, wxALL, 8);
    SetSizer(column);
    GetSizer()->SetSizeHints(this);
}

Refusal CDevSet_Series::SaveDevice(DeviceRecord& record) {
    const Refusal refusal = model_.Check();
    if (!refusal.Refused())
        model_.Store(record);
    return refusal;
}

CDevSetDlgBase* CreateSeriesPage(uint8_t deviceType, wxWindow* editor,
                                 const DevicePageContext& context) {
    if (deviceType == kDeviceSeriesA)
        return new CDevSet_Tosk(editor, context);
    return new CDevSet_Ferun(editor, context);
}

} // namespace qv
