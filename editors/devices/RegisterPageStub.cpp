// Placeholder until the register page lands.
#include "editors/devices/DeviceTypePage.h"

namespace qv {
CDevSetDlgBase* CreatePlcRegisterPage(wxWindow*, const DevicePageContext&) { return nullptr; }
} // namespace qv
