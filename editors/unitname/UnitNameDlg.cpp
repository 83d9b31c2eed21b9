#include "editors/unitname/UnitNameDlg.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/unitname/UnitNameModel.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 46243;
constexpr unsigned kStrName = 46244;
} // namespace

CQVNameSetDlg::CQVNameSetDlg(wxWindow* parent, const std::wstring& name)
    : CDlgBase(kDlgUnitName, nullptr, parent, Res(kStrTitle)), Name(name) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, Res(kStrName)), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
             10);
    NameEdit = new wxTextCtrl(this, kUnitNameField, wxString(name), wxDefaultPosition,
                              wxSize(FromDIP(260), -1));
    // Characters, not bytes: the byte limit is checked on OK.
    NameEdit->SetMaxLength(kUnitNameWidth);
    row->Add(NameEdit, 1, wxALIGN_CENTER_VERTICAL);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(row, 0, wxEXPAND | wxALL, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedOk(); }, wxID_OK);
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    NameEdit->SetFocus();
}

void CQVNameSetDlg::OnBnClickedOk() {
    const std::wstring typed = NameEdit->GetValue().ToStdWstring();
    const Refusal refusal = CheckUnitName(typed, CodePage);
    if (refusal.Refused()) {
        ShowMessageFocus(wxString(RefusalText(refusal)), NameEdit);
        return;
    }
    Name = typed;
    EndModal(wxID_OK);
}

bool RunUnitNameDialog(wxWindow* parent, std::wstring& name) {
    CQVNameSetDlg dlg(parent, name);
    if (dlg.ShowModal() != wxID_OK)
        return false;
    name = dlg.Name;
    return true;
}

} // namespace qv
