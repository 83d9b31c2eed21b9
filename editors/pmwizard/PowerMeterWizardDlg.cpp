#include "editors/pmwizard/PowerMeterWizardDlg.h"

namespace qv {

// Placeholder until the wizard lands.
bool RunPowerMeterWizard(wxWindow*, CQuorvelDoc&, int) {
    return false;
}

} // namespace qv
