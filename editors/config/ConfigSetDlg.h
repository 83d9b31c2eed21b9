// The system settings dialog.
#pragma once

class wxWindow;

namespace qv {

class CQuorvelDoc;

// Runs the dialog on the document; true when it ended with OK.
bool RunConfigSettingsDialog(wxWindow* parent, CQuorvelDoc& doc);

} // namespace qv
