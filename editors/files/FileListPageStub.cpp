// Placeholder until the file list pages land.
#include <wx/panel.h>

#include "view/ViewPage.h"

namespace qv {
wxWindow* CreateFileListPage(wxWindow* parent, CQuorvelDoc&, CQuorvelView&) {
    return new wxPanel(parent);
}
wxWindow* CreateHistoryFilePage(wxWindow* parent, CQuorvelDoc&, CQuorvelView&, int, int) {
    return new wxPanel(parent);
}
} // namespace qv
