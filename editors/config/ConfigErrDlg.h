// The error-notification pane: six switches and the recipients of the
// unit's error notices.
#pragma once
#include <array>

#include "editors/config/ConfigErrModel.h"
#include "editors/config/ConfigPane.h"

class wxButton;
class wxCheckBox;
class wxListCtrl;

namespace qv {

constexpr int kErrRecipientSlot = 8; // the list's column widths

class CConfigErrDlg : public CConfigPane {
public:
    CConfigErrDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies);
    ~CConfigErrDlg() override;

    int SaveToParent() override;
    void SetUsers(const UserTable& users) { UserCopy = users; }
    void EditRecipient(long row);
    void OnLanSettings();

    UserTable UserCopy;
    ErrorNotifyBlock ErrorCopy;

    std::array<wxCheckBox*, kErrorSwitchCount> SwitchChecks;
    wxListCtrl* RecipientList;
    wxButton* LanButton;
};

} // namespace qv
