#include "editors/devices/DeviceTypePage.h"

#include "document/QuorvelDoc.h"

namespace qv {

CDevSetDlgBase::CDevSetDlgBase(wxWindow* editor, const DevicePageContext& context)
    : wxPanel(editor, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL),
      Document(context.doc), Devices(context.devices), FileNo(context.fileNo),
      DeviceNumber(context.deviceNumber), Port(context.port), CodePage(context.codePage),
      Unit(context.doc.Blocks().unit) {
    const int index = CQuorvelDoc::FindDeviceRecord(Devices, FileNo, DeviceNumber, 1);
    RecordIndex = index < 0 ? 0 : index;
}

CDevSetDlgBase* CreateDeviceTypePage(uint8_t deviceType, int deviceKind, wxWindow* editor,
                                     const DevicePageContext& context) {
    switch (deviceType) {
    case kDevicePlc:
        return deviceKind == 0 ? CreatePlcContactPage(editor, context)
                               : CreatePlcRegisterPage(editor, context);
    case kDevicePowerMeter: return CreatePowerMeterPage(editor, context);
    case kDeviceSeriesA:
    case kDeviceSeriesB: return CreateSeriesPage(deviceType, editor, context);
    default: return nullptr;
    }
}

} // namespace qv
