#include "editors/config/ConfigSetDlg.h"

namespace qv {

// Placeholder until the dialog lands.
bool RunConfigSettingsDialog(wxWindow*, CQuorvelDoc&) {
    return false;
}

} // namespace qv
