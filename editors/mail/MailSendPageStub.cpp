// Placeholder until the mail-send list page lands.
#include <wx/panel.h>

#include "view/ViewPage.h"

namespace qv {
wxWindow* CreateMailSendPage(wxWindow* parent, CQuorvelDoc&, CQuorvelView&) {
    return new wxPanel(parent);
}
} // namespace qv
