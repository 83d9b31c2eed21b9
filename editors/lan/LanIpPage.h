// The IP page of the unit's LAN settings dialog.
#pragma once
#include "editors/lan/LanIpModel.h"
#include "editors/lan/LanPageBase.h"

class wxRadioButton;
class wxStaticText;

namespace qv {

class CIPSetDlg : public CLanPage {
public:
    CIPSetDlg(wxWindow* parent, LanCopies& copies, uint32_t codePage);

    void LoadFromParent() override;
    int SaveToParent() override;

    // A fixed address enables its three entries and always goes with given DNS servers.
    void UpdateAddressControls();
    void UpdateDnsControls();

    wxRadioButton* AutoAddress = nullptr;
    wxRadioButton* FixedAddress = nullptr;
    IpAddressCtrl* Address = nullptr;
    IpAddressCtrl* Mask = nullptr;
    IpAddressCtrl* Gateway = nullptr;
    wxRadioButton* AutoDns = nullptr;
    wxRadioButton* GivenDns = nullptr;
    IpAddressCtrl* Dns1 = nullptr;
    IpAddressCtrl* Dns2 = nullptr;

private:
    wxStaticText* addressLabels_[3] = {};
    wxStaticText* dnsLabels_[2] = {};
};

} // namespace qv
