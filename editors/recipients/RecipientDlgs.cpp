#include "editors/recipients/RecipientDlgs.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/QuorvelApp.h"
#include "editors/recipients/RecipientEditors.h"
#include "ui/ListFillers.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrUserTitle = 39750;
constexpr unsigned kStrGroupTitle = 39751;
constexpr unsigned kStrUserNumber = 39752;
constexpr unsigned kStrName = 39753;
constexpr unsigned kStrAddress = 39754;
constexpr unsigned kStrGroupNumber = 39755;
constexpr unsigned kStrGroupName = 39756;
constexpr unsigned kStrMembers = 39757;
constexpr int kGroupMemberListKind = 5; // same columns as the file editor's recipients

bool DoubleByteUi() {
    return wxGetApp().languageIndex != 0;
}

// Shows the refusal and puts the focus on its field.
void ShowRefusal(const Refusal& refusal, wxWindow* field) {
    ShowMessageFocus(wxString(RefusalText(refusal)), field);
}
} // namespace

CSendUserSetDlg::CSendUserSetDlg(wxWindow* parent, CQuorvelDoc& doc, const UserTable& users,
                                 int index)
    : CDlgBase(kDlgSendUser, &doc, parent, Res(kStrUserTitle)), UserIndex(index),
      UserCopy(users) {
    const RecipientForm form = RecipientModel(CodePage).Load(UserCopy, UserIndex);

    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    // Labels are created before their fields so that tabbing follows the rows.
    auto* numberLabel = new wxStaticText(this, wxID_ANY, Res(kStrUserNumber));
    NumberText = new wxStaticText(this, wxID_ANY, wxString::Format("%d", UserIndex + 1));
    grid->Add(numberLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(NumberText, 0, wxALIGN_CENTER_VERTICAL);
    auto* nameLabel = new wxStaticText(this, wxID_ANY, Res(kStrName));
    NameEdit = new wxTextCtrl(this, wxID_ANY, wxString(form.name));
    NameEdit->SetMaxLength(user::kNameWidth);
    grid->Add(nameLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(NameEdit, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);
    auto* addressLabel = new wxStaticText(this, wxID_ANY, Res(kStrAddress));
    AddressEdit = new wxTextCtrl(this, wxID_ANY, wxString(form.address), wxDefaultPosition,
                                 wxSize(FromDIP(280), -1));
    AddressEdit->SetMaxLength(user::kAddressWidth);
    grid->Add(addressLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(AddressEdit, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 1, wxALL | wxEXPAND, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    NameEdit->SetFocus();
}

void CSendUserSetDlg::OnOk() {
    const RecipientModel model(CodePage);
    const RecipientForm form{NameEdit->GetValue().ToStdWstring(),
                             AddressEdit->GetValue().ToStdWstring()};
    const Refusal refusal = model.Check(form, DoubleByteUi());
    if (refusal.Refused()) {
        ShowRefusal(refusal, refusal.field == kRecipientName ? NameEdit : AddressEdit);
        return;
    }
    model.Store(form, UserCopy, UserIndex);
    EndModal(wxID_OK);
}

CSendGroupSetDlg::CSendGroupSetDlg(wxWindow* parent, CQuorvelDoc& doc, const GroupTable& groups,
                                   const UserTable& users, int index)
    : CDlgBase(kDlgSendGroup, &doc, parent, Res(kStrGroupTitle)), GroupIndex(index),
      GroupCopy(groups) {
    const SendGroupForm form = SendGroupModel(CodePage).Load(GroupCopy, GroupIndex);

    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    auto* numberLabel = new wxStaticText(this, wxID_ANY, Res(kStrGroupNumber));
    NumberText = new wxStaticText(this, wxID_ANY, wxString::Format("%d", GroupIndex + 1));
    grid->Add(numberLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(NumberText, 0, wxALIGN_CENTER_VERTICAL);
    auto* nameLabel = new wxStaticText(this, wxID_ANY, Res(kStrGroupName));
    NameEdit = new wxTextCtrl(this, wxID_ANY, wxString(form.name));
    // Characters, not bytes: the byte limit is checked on OK.
    NameEdit->SetMaxLength(sgroup::kNameWidth);
    grid->Add(nameLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(NameEdit, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);

    auto* membersLabel = new wxStaticText(this, wxID_ANY, Res(kStrMembers));
    MemberList = new wxListCtrl(this, wxID_ANY, wxDefaultPosition,
                                wxSize(FromDIP(460), FromDIP(300)), wxLC_REPORT);
    FillUserList(users, form.members, *MemberList, CodePage, kGroupMemberListKind);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxALL | wxEXPAND, 10);
    column->Add(membersLabel, 0, wxLEFT | wxRIGHT, 10);
    column->Add(MemberList, 1, wxALL | wxEXPAND, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    NameEdit->SetFocus();
}

void CSendGroupSetDlg::OnOk() {
    const SendGroupModel model(CodePage);
    const SendGroupForm form{NameEdit->GetValue().ToStdWstring(), GetCheckedMask(*MemberList)};
    const Refusal refusal = model.Check(form, DoubleByteUi());
    if (refusal.Refused()) {
        ShowRefusal(refusal, NameEdit);
        return;
    }
    model.Store(form, GroupCopy, GroupIndex);
    EndModal(wxID_OK);
}

bool RunRecipientEditor(wxWindow* owner, CQuorvelDoc& doc, UserTable& users, int index) {
    CSendUserSetDlg dlg(owner, doc, users, index);
    if (dlg.ShowModal() != wxID_OK)
        return false;
    users = dlg.UserCopy;
    return true;
}

bool RunSendGroupEditor(wxWindow* owner, CQuorvelDoc& doc, GroupTable& groups,
                        const UserTable& users, int index) {
    CSendGroupSetDlg dlg(owner, doc, groups, users, index);
    if (dlg.ShowModal() != wxID_OK)
        return false;
    groups = dlg.GroupCopy;
    return true;
}

} // namespace qv
