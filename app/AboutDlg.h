// The About box: product, version, and the registered owner and organisation
// (the lines that are there; nothing of them without a registration).
#pragma once
#include <wx/dialog.h>

namespace qv {

constexpr int kIdAboutOwnerText = 1213;

class CAboutDlg : public wxDialog {
public:
    CAboutDlg(wxWindow* parent, const wxString& owner, const wxString& organization);
};

} // namespace qv
