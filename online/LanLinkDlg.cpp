#include "online/LanLinkDlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "app/QuorvelApp.h"
#include "document/MessageType.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrTitle = 34901;
constexpr unsigned kStrPcAddress = 34902;
constexpr unsigned kStrUnitAddress = 34903;
constexpr unsigned kStrPort = 34904;
constexpr unsigned kStrSendTimeout = 34905;
constexpr unsigned kStrConnectTimeout = 34906;
constexpr unsigned kStrDefaults = 34907;

constexpr int kPortDigits = 5;

void FillSeconds(wxChoice* box, int selected) {
    box->Clear();
    for (int seconds : LanTimeoutSeconds())
        box->Append(wxString::Format("%d", seconds));
    box->SetSelection(selected < 0 ? wxNOT_FOUND : selected);
}

} // namespace

CLANPortDlg::CLANPortDlg(wxWindow* parent)
    : CDlgBase(kDlgLanLink, nullptr, parent, Res(kStrTitle)) {
    LoadCommSettings(wxGetApp().Profile(), CodePage, WorkSettings);
    Form = LoadLanLinkForm(WorkSettings, CodePage);

    // Shown only, as the connection dialog shows the unit address.
    PcAddressText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                   wxTE_READONLY);
    wxTextValidator address(wxFILTER_INCLUDE_CHAR_LIST);
    address.SetCharIncludes("0123456789.");
    UnitAddressText =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, address);
    UnitAddressText->SetMaxLength(15);
    const wxSize widest = UnitAddressText->GetSizeFromTextSize(
        UnitAddressText->GetTextExtent("255.255.255.255 ").x);
    UnitAddressText->SetMinSize(widest);
    PcAddressText->SetMinSize(widest);
    PortText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                              wxTextValidator(wxFILTER_DIGITS));
    PortText->SetMaxLength(kPortDigits);
    SendTimeoutBox = new wxChoice(this, wxID_ANY);
    ConnectTimeoutBox = new wxChoice(this, wxID_ANY);
    DefaultsButton = new wxButton(this, wxID_ANY, Res(kStrDefaults));

    auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
    grid->AddGrowableCol(1);
    auto row = [&](unsigned label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(label)), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(control, 1, wxEXPAND);
    };
    row(kStrPcAddress, PcAddressText);
    row(kStrUnitAddress, UnitAddressText);
    row(kStrPort, PortText);
    row(kStrSendTimeout, SendTimeoutBox);
    row(kStrConnectTimeout, ConnectTimeoutBox);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 1, wxEXPAND | wxALL, 10);
    column->Add(DefaultsButton, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    DefaultsButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDefaults(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);

    TransferDataToWindow();
    // Sized by its contents' client size: a minimum taken from the outer size
    // counts on a guess of the window manager's frame and can come out short.
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    UnitAddressText->SetFocus();
}

bool CLANPortDlg::TransferDataToWindow() {
    PcAddressText->ChangeValue(wxString(Form.PcAddress));
    UnitAddressText->ChangeValue(wxString(Form.UnitAddress));
    PortText->ChangeValue(wxString(Form.Port));
    FillSeconds(SendTimeoutBox, Form.SendTimeout);
    FillSeconds(ConnectTimeoutBox, Form.ConnectTimeout);
    return true;
}

bool CLANPortDlg::TransferDataFromWindow() {
    Form.UnitAddress = UnitAddressText->GetValue().ToStdWstring();
    Form.Port = PortText->GetValue().ToStdWstring();
    Form.SendTimeout = SendTimeoutBox->GetSelection();
    Form.ConnectTimeout = ConnectTimeoutBox->GetSelection();
    return true;
}

void CLANPortDlg::OnDefaults() {
    ApplyLanDefaults(WorkSettings);
    Form = LoadLanLinkForm(WorkSettings, CodePage);
    TransferDataToWindow();
}

void CLANPortDlg::OnOk() {
    TransferDataFromWindow();
    const LanCheck check = CheckLanLinkForm(Form);
    if (!check.Passed()) {
        wxString text = Res(check.MessageId);
        if (check.Args.size() == 2)
            text = wxString::Format(text, check.Args[0], check.Args[1]);
        ShowMessage(kMbOk | kMbIconExclamation, text);
        wxTextCtrl* field = check.Focus == LanField::Port ? PortText : UnitAddressText;
        field->SetFocus();
        field->SelectAll();
        return;
    }
    StoreLanLinkForm(Form, WorkSettings);
    SaveCommSettings(wxGetApp().Profile(), CodePage, WorkSettings);
    EndModal(wxID_OK);
}

bool RunLanLinkDialog(wxWindow* parent) {
    const FlushProfileAtEnd flush(wxGetApp().Profile());
    CLANPortDlg dlg(parent);
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
