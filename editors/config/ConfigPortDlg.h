// The system settings dialog's port-number pane: the unit's eight network
// port numbers and the button to its two advanced values.
#pragma once
#include <array>

#include "editors/config/ConfigPane.h"
#include "editors/config/ConfigPortModel.h"

class wxButton;
class wxTextCtrl;

namespace qv {

class CConfigPortDlg : public CConfigPane {
public:
    CConfigPortDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies);

    int SaveToParent() override;

    // Edit of port number n (1 to 8) at n - 1.
    std::array<wxTextCtrl*, portnum::kPortCount> NumberEdits{};
    wxButton* AdvancedButton;

private:
    void OnAdvancedPorts();

    PortNumberBlock PortCopy; // the pane's copy of the dialog's copy
    ConfigPortForm Form;
};

} // namespace qv
