// The PC-side LAN link settings: the unit's address and TCP port and the
// time-outs of the TCP link. OK saves them in the profile.
#pragma once
#include "link/CommSettings.h"
#include "online/LanLinkModel.h"
#include "ui/DlgBase.h"

class wxButton;
class wxChoice;
class wxTextCtrl;

namespace qv {

class CLANPortDlg : public CDlgBase {
public:
    explicit CLANPortDlg(wxWindow* parent);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    // The link settings as the dialog opened, with the defaults button's values.
    CommSettings WorkSettings;
    LanLinkForm Form;
    wxTextCtrl* PcAddressText;
    wxTextCtrl* UnitAddressText;
    wxTextCtrl* PortText;
    wxChoice* SendTimeoutBox;
    wxChoice* ConnectTimeoutBox;
    wxButton* DefaultsButton;

private:
    void OnDefaults();
    void OnOk();
};

// Runs the dialog modally; true when OK saved the settings.
bool RunLanLinkDialog(wxWindow* parent);

} // namespace qv
