// Placeholder until the device file overview lands.
#include <wx/panel.h>

#include "view/ViewPage.h"

namespace qv {
wxWindow* CreateDeviceOverviewPage(wxWindow* parent, CQuorvelDoc&, CQuorvelView&) {
    return new wxPanel(parent);
}
} // namespace qv
