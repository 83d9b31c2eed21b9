#include "online/PasswordInputDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/MessageType.h"
#include "online/PasswordModel.h"
#include "ui/Messages.h"
#include "ui/StdButtons.h"

namespace qv {

namespace {

constexpr unsigned kStrTitle = 35467;
constexpr unsigned kStrPrompt = 35468;
constexpr unsigned kStrPassword = 35469;

} // namespace

CPasswordInput::CPasswordInput(CUnitComm& link)
    : CDlgBase(kDlgPasswordInput, nullptr, nullptr, Res(kStrTitle)), link_(link) {
    PasswordText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                  wxTE_PASSWORD);
    PasswordText->SetMaxLength(kPasswordChars);

    const int gap = FromDIP(10);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, Res(kStrPrompt)), 0, wxALL, gap);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, Res(kStrPassword)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(8));
    row->Add(PasswordText, 1, wxEXPAND);
    column->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    SetSizerAndFit(column);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); }, wxID_CANCEL);

    Centre();
    PasswordText->SetFocus();
}

void CPasswordInput::OnOk() {
    const unsigned refused =
        AcceptPromptPassword(PasswordText->GetValue().ToStdWstring(), CodePage, link_);
    if (refused != 0) {
        ShowMessageFocus(Res(refused), PasswordText);
        return;
    }
    EndModal(wxID_OK);
}

void CPasswordInput::OnCancel() {
    CancelPromptPassword(link_);
    EndModal(wxID_CANCEL);
}

bool PasswordInputPrompt::AskPassword(CUnitComm& link) {
    CPasswordInput prompt(link);
    return prompt.ShowModal() == wxID_OK;
}

} // namespace qv
