// The settings wizard.
#pragma once

class wxWindow;

namespace qv {

class CQuorvelDoc;

constexpr int kWizardAtStartUp = 0;
constexpr int kWizardOnOpenDocument = 1;

// Runs the wizard on the document; true when it ended with Finish.
bool RunSettingsWizard(wxWindow* parent, CQuorvelDoc& doc, int mode);

} // namespace qv
