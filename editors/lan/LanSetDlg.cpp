#include "editors/lan/LanSetDlg.h"

namespace qv {

// Placeholder until the dialog lands.
bool RunLanSettingsDialog(wxWindow*, CQuorvelDoc&, int) {
    return false;
}

} // namespace qv
