// Placeholder until the contact, power-meter and series pages land.
#include "editors/devices/DeviceTypePage.h"

namespace qv {
CDevSetDlgBase* CreatePlcContactPage(wxWindow*, const DevicePageContext&) { return nullptr; }
CDevSetDlgBase* CreatePowerMeterPage(wxWindow*, const DevicePageContext&) { return nullptr; }
CDevSetDlgBase* CreateSeriesPage(uint8_t, wxWindow*, const DevicePageContext&) { return nullptr; }
} // namespace qv
