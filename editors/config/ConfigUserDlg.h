// The recipients pane: the 16 mail recipients, edited by double click,
// cleared by their check marks.
#pragma once
#include "editors/config/ConfigPane.h"

class wxButton;

namespace qv {

class CQVListCtrl;

constexpr int kUserListSlot = 7; // the list's column widths

class CConfigUserDlg : public CConfigPane {
public:
    CConfigUserDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies);
    ~CConfigUserDlg() override;

    int SaveToParent() override;
    void SetUsers(const UserTable& users) { UserCopy = users; }
    void EditRecipient(long row);
    void OnDeleteUsers();
    void OnSelectAll();

    UserTable UserCopy;
    CQVListCtrl* UserList;
    wxButton* ClearButton;

private:
    void OnCharHook(wxKeyEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
};

} // namespace qv
