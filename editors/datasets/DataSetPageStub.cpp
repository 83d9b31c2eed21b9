// Placeholder until the data-set list page lands.
#include <wx/panel.h>

#include "view/ViewPage.h"

namespace qv {
wxWindow* CreateDataSetPage(wxWindow* parent, CQuorvelDoc&, CQuorvelView&) {
    return new wxPanel(parent);
}
} // namespace qv
