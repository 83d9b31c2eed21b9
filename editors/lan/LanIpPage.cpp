#include "editors/lan/LanIpPage.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrAutoAddress = 46201, kStrFixedAddress = 46202, kStrAddress = 46203,
                   kStrMask = 46204, kStrGateway = 46205, kStrAutoDns = 46206, kStrGivenDns = 46207,
                   kStrDns1 = 46208, kStrDns2 = 46209;
} // namespace

CIPSetDlg::CIPSetDlg(wxWindow* parent, LanCopies& copies, uint32_t codePage)
    : CLanPage(parent, copies, codePage) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    AutoAddress = new wxRadioButton(this, kIpAutoAddressField, Res(kStrAutoAddress),
                                    wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    FixedAddress = new wxRadioButton(this, kIpFixedAddressField, Res(kStrFixedAddress));
    column->Add(AutoAddress, 0, wxBOTTOM, 4);
    column->Add(FixedAddress, 0, wxBOTTOM, 4);
    auto* addressGrid = new wxFlexGridSizer(2, wxSize(10, 4));
    Address = new IpAddressCtrl(this, kIpAddressField);
    addressLabels_[0] = AddRow(addressGrid, this, kStrAddress, Address);
    Mask = new IpAddressCtrl(this, kIpMaskField);
    addressLabels_[1] = AddRow(addressGrid, this, kStrMask, Mask);
    Gateway = new IpAddressCtrl(this, kIpGatewayField);
    addressLabels_[2] = AddRow(addressGrid, this, kStrGateway, Gateway);
    column->Add(addressGrid, 0, wxLEFT | wxBOTTOM, 20);

    AutoDns = new wxRadioButton(this, kIpAutoDnsField, Res(kStrAutoDns), wxDefaultPosition,
                                wxDefaultSize, wxRB_GROUP);
    GivenDns = new wxRadioButton(this, kIpGivenDnsField, Res(kStrGivenDns));
    column->Add(AutoDns, 0, wxBOTTOM, 4);
    column->Add(GivenDns, 0, wxBOTTOM, 4);
    auto* dnsGrid = new wxFlexGridSizer(2, wxSize(10, 4));
    Dns1 = new IpAddressCtrl(this, kIpDns1Field);
    dnsLabels_[0] = AddRow(dnsGrid, this, kStrDns1, Dns1);
    Dns2 = new IpAddressCtrl(this, kIpDns2Field);
    dnsLabels_[1] = AddRow(dnsGrid, this, kStrDns2, Dns2);
    column->Add(dnsGrid, 0, wxLEFT, 20);
    SetSizer(column);

    AutoAddress->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateAddressControls(); });
    FixedAddress->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateAddressControls(); });
    AutoDns->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateDnsControls(); });
    GivenDns->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateDnsControls(); });
    FreezeMinSize();
    LoadFromParent();
}

void CIPSetDlg::LoadFromParent() {
    const IpForm form = LoadIpForm(Copies.ip);
    (form.autoAddress ? AutoAddress : FixedAddress)->SetValue(true);
    ShowIpEntry(Address, form.address);
    ShowIpEntry(Mask, form.mask);
    ShowIpEntry(Gateway, form.gateway);
    (form.autoDns ? AutoDns : GivenDns)->SetValue(true);
    ShowIpEntry(Dns1, form.dns1);
    ShowIpEntry(Dns2, form.dns2);
    UpdateAddressControls();
    UpdateDnsControls();
}

void CIPSetDlg::UpdateAddressControls() {
    const bool fixed = FixedAddress->GetValue();
    Address->Enable(fixed);
    Mask->Enable(fixed);
    Gateway->Enable(fixed);
    for (wxStaticText* label : addressLabels_)
        label->Enable(fixed);
    AutoDns->Enable(!fixed);
    if (fixed) {
        GivenDns->SetValue(true);
        UpdateDnsControls();
    }
}

void CIPSetDlg::UpdateDnsControls() {
    const bool given = GivenDns->GetValue();
    Dns1->Enable(given);
    Dns2->Enable(given);
    for (wxStaticText* label : dnsLabels_)
        label->Enable(given);
}

int CIPSetDlg::SaveToParent() {
    IpForm form;
    form.autoAddress = !FixedAddress->GetValue();
    form.address = ReadIpCtrl(Address);
    form.mask = ReadIpCtrl(Mask);
    form.gateway = ReadIpCtrl(Gateway);
    form.autoDns = !GivenDns->GetValue();
    form.dns1 = ReadIpCtrl(Dns1);
    form.dns2 = ReadIpCtrl(Dns2);
    const Refusal refusal = CheckIpForm(form);
    if (refusal.Refused()) {
        ShowRefusal(refusal);
        return -1;
    }
    IpBlock block = Copies.ip;
    StoreIpForm(form, block);
    Copies.ip = block;
    return 0;
}

} // namespace qv
