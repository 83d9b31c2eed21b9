// The mail-server page of the unit's LAN settings dialog.
#pragma once
#include "editors/lan/LanMailModel.h"
#include "editors/lan/LanPageBase.h"

class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace qv {

class CMailSetDlg : public CLanPage {
public:
    CMailSetDlg(wxWindow* parent, LanCopies& copies, uint32_t codePage);

    void LoadFromParent() override;
    int SaveToParent() override;

    // What the chosen authentication kind uses is shown, the rest hidden.
    void UpdateAuthControls();
    // The host name edit or the address entry, by the check box.
    void UpdateSmtpServerControls();
    void UpdatePopServerControls();

    wxTextCtrl* AddressEdit = nullptr;
    wxTextCtrl* SmtpHostEdit = nullptr;
    IpAddressCtrl* SmtpIp = nullptr;
    wxCheckBox* SmtpByIp = nullptr;
    wxChoice* AuthList = nullptr;
    wxTextCtrl* UserEdit = nullptr;
    wxTextCtrl* PasswordEdit = nullptr;
    wxTextCtrl* PopHostEdit = nullptr;
    IpAddressCtrl* PopIp = nullptr;
    wxCheckBox* PopByIp = nullptr;
    wxChoice* TimeoutList = nullptr;
    wxChoice* IntervalList = nullptr;
    wxChoice* RetriesList = nullptr;
    wxRadioButton* OptionOff = nullptr;
    wxRadioButton* OptionOn = nullptr;

private:
    wxStaticText* userLabel_ = nullptr;
    wxStaticText* passwordLabel_ = nullptr;
    wxStaticText* popLabel_ = nullptr;
};

} // namespace qv
