#include "editors/devices/DeviceTypePage.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "document/QuorvelDoc.h"
#include "ui/Messages.h"

namespace qv {

CDevSetDlgBase::CDevSetDlgBase(wxWindow* editor, const DevicePageContext& context)
    : wxPanel(editor, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL),
      Document(context.doc), Devices(context.devices), FileNo(context.fileNo),
      DeviceNumber(context.deviceNumber), Port(context.port), CodePage(context.codePage),
      Unit(context.doc.Blocks().unit) {
    const int index = CQuorvelDoc::FindDeviceRecord(Devices, FileNo, DeviceNumber, 1);
    RecordIndex = index < 0 ? 0 : index;
}

wxStaticText* CDevSetDlgBase::Label(unsigned textId) {
    return new wxStaticText(this, wxID_ANY, Res(textId));
}

void CDevSetDlgBase::AddRow(wxWindow* label, std::initializer_list<wxWindow*> controls) {
    if (!rows_) {
        rows_ = new wxFlexGridSizer(2, wxSize(10, 6));
        rows_->AddGrowableCol(1);
    }
    rows_->Add(label, 0, wxALIGN_CENTER_VERTICAL);
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    bool first = true;
    for (wxWindow* c : controls) {
        line->Add(c, 0, wxALIGN_CENTER_VERTICAL | (first ? 0 : wxLEFT), 4);
        first = false;
    }
    rows_->Add(line, 1, wxEXPAND);
}

void CDevSetDlgBase::FinishRows() {
    auto* column = new wxBoxSizer(wxVERTICAL);
    if (rows_)
        column->Add(rows_, 0, wxEXPAND | wxALL, 8);
    SetSizer(column);
}

CDevSetDlgBase* CreateDeviceTypePage(uint8_t deviceType, int deviceKind, wxWindow* editor,
                                     const DevicePageContext& context) {
    switch (deviceType) {
    case kDevicePlc:
        return deviceKind == 0 ? CreatePlcContactPage(editor, context)
                               : CreatePlcRegisterPage(editor, context);
    case kDevicePowerMeter:
        return CreatePowerMeterPage(editor, context);
    case kDeviceSeriesA:
    case kDeviceSeriesB:
        return CreateSeriesPage(deviceType, editor, context);
    default:
        return nullptr;
    }
}

} // namespace qv
