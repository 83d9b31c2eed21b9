// One category pane of the system settings dialog: a child panel that shows
// its part of the dialog's copies and writes it back when the user leaves it.
#pragma once
#include <wx/panel.h>

#include "editors/config/ConfigCopies.h"

namespace qv {

class CQuorvelDoc;

class CConfigPane : public wxPanel {
public:
    CConfigPane(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies)
        : wxPanel(parent, wxID_ANY), Doc(doc), Copies(copies) {}

    // Checks the controls and writes them into the copies: 0 when accepted,
    // -1 when refused (the pane has shown why and focused the failing control).
    virtual int SaveToParent() = 0;

protected:
    CQuorvelDoc& Doc;
    ConfigCopies& Copies;
};

// The port-number pane and the clock pane.
CConfigPane* CreateConfigPortPane(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies);
CConfigPane* CreateConfigTimePane(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies);

} // namespace qv
