#include "editors/wizard/WizardDlg.h"

namespace qv {

// Placeholder until the wizard lands.
bool RunSettingsWizard(wxWindow*, CQuorvelDoc&, int) {
    return false;
}

} // namespace qv
