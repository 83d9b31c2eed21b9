// The FTP page of the unit's LAN settings dialog: the upload destination and
// the account of the unit's own FTP server.
#pragma once
#include "editors/lan/LanFtpModel.h"
#include "editors/lan/LanPageBase.h"

class wxCheckBox;
class wxChoice;
class wxTextCtrl;

namespace qv {

class CFTPSetDlg : public CLanPage {
public:
    CFTPSetDlg(wxWindow* parent, LanCopies& copies, uint32_t codePage);

    void LoadFromParent() override;
    int SaveToParent() override;

    // The host name edit or the address entry, by the check box.
    void OnBnClickedUseAddress();

    wxTextCtrl* TextEdit = nullptr;
    wxTextCtrl* HostEdit = nullptr;
    IpAddressCtrl* ServerIp = nullptr;
    wxCheckBox* ByIp = nullptr;
    wxTextCtrl* UserEdit = nullptr;
    wxTextCtrl* PasswordEdit = nullptr;
    wxCheckBox* Option1 = nullptr;
    wxTextCtrl* FolderEdit = nullptr;
    wxCheckBox* Option2 = nullptr;
    wxChoice* TimeoutList = nullptr;
    wxChoice* IntervalList = nullptr;
    wxChoice* RetriesList = nullptr;
    wxTextCtrl* AccountUserEdit = nullptr;
    wxTextCtrl* AccountPasswordEdit = nullptr;
    wxCheckBox* AccountOption = nullptr;
};

} // namespace qv
