// A small read-only pane that tells which protocol each serial port uses;
// the editors' dialogs of devices, data sets and triggers show it.
#pragma once
#include <wx/panel.h>

#include "document/SettingsImage.h"

class wxStaticText;

namespace qv {

class CQuorvelDoc;

constexpr unsigned kDlgPortInfo = 442;

class CComInfoDlg : public wxPanel {
public:
    CComInfoDlg(wxWindow* host, CQuorvelDoc* document);

    // Shows the protocols of the document's unit block.
    void LoadFromDocument();

    CQuorvelDoc* Document;
    UnitBlock UnitCopy;
    wxStaticText* PortText[2];
};

} // namespace qv
