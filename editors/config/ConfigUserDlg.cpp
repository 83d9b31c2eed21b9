#include "editors/config/ConfigUserDlg.h"

#include <memory>
#include <wx/button.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/CommandIds.h"
#include "app/QuorvelApp.h"
#include "document/MessageType.h"
#include "editors/config/ConfigUserModel.h"
#include "editors/config/RecipientPaneList.h"
#include "ui/DlgBase.h"
#include "ui/ListBindings.h"
#include "ui/ListFillers.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"

namespace qv {

namespace {
constexpr unsigned kStrClear = 46050, kStrHint = 46051;
constexpr int kIdClear = 3;
} // namespace

CConfigUserDlg::CConfigUserDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies)
    : CConfigPane(parent, doc, copies), UserCopy(copies.users) {
    UserList = new CQVListCtrl(this, 4980, wxDefaultPosition, wxSize(-1, 330));
    FillUserList(UserCopy, 0, *UserList, wxGetApp().codePage, kUserListSlot);
    ClearButton = new wxButton(this, kIdClear, Res(kStrClear));

    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    bottom->Add(new wxStaticText(this, wxID_ANY, Res(kStrHint)), 1, wxALIGN_CENTER_VERTICAL);
    bottom->Add(ClearButton, 0, wxLEFT, 10);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(UserList, 1, wxEXPAND | wxBOTTOM, 5);
    sizer->Add(bottom, 0, wxEXPAND);
    SetSizer(sizer);

    BindRowEditor(this, UserList, [this](long row) { EditRecipient(row); });
    ClearButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDeleteUsers(); });
    Bind(wxEVT_CHAR_HOOK, &CConfigUserDlg::OnCharHook, this);
    UserList->Bind(wxEVT_CONTEXT_MENU, &CConfigUserDlg::OnContextMenu, this);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnSelectAll(); }, MenuItemId(cmd::kEditSelectAll));
}

CConfigUserDlg::~CConfigUserDlg() {
    KeepRecipientColumnWidths(*UserList, kUserListSlot);
}

void CConfigUserDlg::EditRecipient(long row) {
    if (!EditRecipientRow(this, Doc, UserCopy, *UserList, row, 0, kUserListSlot))
        return;
    UserList->CheckItem(row, true);
    UserList->SetAnchor(row);
}

void CConfigUserDlg::OnDeleteUsers() {
    if (ShowMessageId(kMsgClearCheckedRows, kMbOkCancel | kMbIconQuestion) != kIdOk)
        return;
    ClearRecipients(UserCopy, UserList->CheckedRows());
    FillUserList(UserCopy, 0, *UserList, wxGetApp().codePage, kUserListSlot);
}

void CConfigUserDlg::OnSelectAll() {
    UserList->CheckAll();
    UserList->SetFocus();
}

void CConfigUserDlg::OnCharHook(wxKeyEvent& event) {
    if (event.ControlDown() && event.GetKeyCode() == 'A')
        OnSelectAll();
    event.Skip();
}

void CConfigUserDlg::OnContextMenu(wxContextMenuEvent& event) {
    std::unique_ptr<wxMenu> popup = LoadPopupMenu(kMenuEdit);
    if (!popup) {
        event.Skip();
        return;
    }
    for (int command : {cmd::kEditPaste, cmd::kEditCopy, cmd::kEditCut})
        popup->Destroy(MenuItemId(command));
    PopupMenu(popup.get());
}

int CConfigUserDlg::SaveToParent() {
    Copies.users = UserCopy;
    return 0;
}

} // namespace qv
