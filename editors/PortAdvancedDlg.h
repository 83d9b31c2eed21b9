// The two advanced port values of the unit's port-number block, 5 to 60 each.
#pragma once
#include <cstdint>

#include "editors/PortSettingsModel.h"
#include "ui/DlgBase.h"

class wxTextCtrl;

namespace qv {

constexpr unsigned kDlgPortAdvanced = 443;

class CPortAdvancedSetDlg : public CDlgBase {
public:
    explicit CPortAdvancedSetDlg(wxWindow* parent);

    bool TransferDataToWindow() override;

    uint8_t FirstValue = 60;
    uint8_t SecondValue = 60;
    wxTextCtrl* FirstEdit;
    wxTextCtrl* SecondEdit;

private:
    void OnOk();
};

// Shows the block's values (60 for a stored one outside 5..60) and on OK
// writes both back; true then.
bool RunPortAdvancedDialog(wxWindow* parent, PortNumberBlock& block);

} // namespace qv
