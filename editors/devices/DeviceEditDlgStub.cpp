// Placeholder until the device editor lands.
#include "editors/devices/DeviceEditDlg.h"

namespace qv {
void RunDeviceEditor(wxWindow*, DeviceEditorOwner&, int, CQuorvelDoc&) {}
} // namespace qv
