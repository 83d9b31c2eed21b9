// Placeholder until the device list page lands.
#include <wx/panel.h>

#include "view/ViewPage.h"

namespace qv {
wxWindow* CreateDeviceListPage(wxWindow* parent, CQuorvelDoc&, CQuorvelView&) {
    return new wxPanel(parent);
}
} // namespace qv
