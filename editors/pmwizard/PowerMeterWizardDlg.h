// The power-meter wizard.
#pragma once

class wxWindow;

namespace qv {

class CQuorvelDoc;

// Runs the wizard on the document (flag 1: opened from the main window, 0: at
// start-up); true when it ended with Finish.
bool RunPowerMeterWizard(wxWindow* parent, CQuorvelDoc& doc, int flag);

} // namespace qv
