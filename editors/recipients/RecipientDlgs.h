// The recipient editor and the send-group editor. Each works on its own copy
// of the owner's table and hands it back only on OK.
#pragma once
#include "editors/recipients/RecipientModel.h"
#include "ui/DlgBase.h"

class wxListCtrl;
class wxStaticText;
class wxTextCtrl;

namespace qv {

constexpr unsigned kDlgSendUser = 339;
constexpr unsigned kDlgSendGroup = 340;

class CSendUserSetDlg : public CDlgBase {
public:
    CSendUserSetDlg(wxWindow* parent, CQuorvelDoc& doc, const UserTable& users, int index);

    int UserIndex;
    UserTable UserCopy;

    // Public for the tests.
    wxStaticText* NumberText = nullptr;
    wxTextCtrl* NameEdit = nullptr;
    wxTextCtrl* AddressEdit = nullptr;

private:
    void OnOk();
};

class CSendGroupSetDlg : public CDlgBase {
public:
    // users: the recipients the member list shows.
    CSendGroupSetDlg(wxWindow* parent, CQuorvelDoc& doc, const GroupTable& groups,
                     const UserTable& users, int index);

    int GroupIndex;
    GroupTable GroupCopy;

    // Public for the tests.
    wxStaticText* NumberText = nullptr;
    wxTextCtrl* NameEdit = nullptr;
    wxListCtrl* MemberList = nullptr;

private:
    void OnOk();
};

} // namespace qv
