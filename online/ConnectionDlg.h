// The connection dialog: the link to the unit (serial port or LAN), and on
// OK the read or write of the settings, or only the stored link for a tool.
#pragma once
#include "online/ConnectionModel.h"
#include "ui/DlgBase.h"

class wxButton;
class wxChoice;
class wxComboBox;
class wxRadioButton;
class wxTextCtrl;

namespace qv {

constexpr unsigned kDlgConnection = 354;

class CConnectionDlg : public CDlgBase {
public:
    CConnectionDlg(wxWindow* parent, ConnectionAction mode, CQuorvelDoc& doc);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    ConnectionForm Form;
    wxRadioButton* SerialRadio;
    wxRadioButton* LanRadio;
    wxComboBox* PortBox;
    wxChoice* PcAddressBox;
    wxTextCtrl* UnitAddressText;
    wxButton* SearchButton;
    wxButton* LanSettingsButton;

private:
    void UpdateLinkControls();
    // Stores the chosen PC address, runs the dialog that sets the unit's
    // address, and shows the address it stored.
    void OnUnitAddressDialog(bool (*run)(wxWindow*));
    void OnOk();

    ConnectionAction mode_;
    CQuorvelDoc& doc_;
};

// Runs the dialog modally; true when it ended with OK.
bool RunConnectionDialog(wxWindow* parent, ConnectionAction mode, CQuorvelDoc& doc);

} // namespace qv
