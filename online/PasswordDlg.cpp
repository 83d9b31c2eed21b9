#include "online/PasswordDlg.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "app/QuorvelApp.h"
#include "online/ConnectionDlg.h"
#include "ui/Messages.h"
#include "ui/StdButtons.h"

namespace qv {

namespace {

constexpr unsigned kStrTitle = 35460;
constexpr unsigned kStrCurrent = 35461;
constexpr unsigned kStrSetOrChange = 35462;
constexpr unsigned kStrRemove = 35463;
constexpr unsigned kStrNew = 35464;
constexpr unsigned kStrRepeat = 35465;
constexpr unsigned kStrClear = 35466;

// The tool's messages as the program's message boxes; the connection dialog
// in tool mode over this dialog.
class PasswordBoxUser : public PasswordUser {
public:
    PasswordBoxUser(wxWindow* parent, CQuorvelDoc& doc) : parent_(parent), doc_(doc) {}
    int Ask(const ConnectionMessage& m) override {
        return ShowMessage(m.Type, wxString(ConnectionMessageText(m)));
    }
    void Tell(const ConnectionMessage& m) override {
        ShowMessage(m.Type, wxString(ConnectionMessageText(m)));
    }
    bool Connect() override { return RunConnectionDialog(parent_, ConnectionAction::Tool, doc_); }
    void SetBusyCursor(bool busy) override {
        if (busy)
            wxBeginBusyCursor();
        else
            wxEndBusyCursor();
    }

private:
    wxWindow* parent_;
    CQuorvelDoc& doc_;
};

wxTextCtrl* PasswordEdit(wxWindow* parent) {
    auto* edit = new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxTE_PASSWORD);
    edit->SetMaxLength(kPasswordChars);
    return edit;
}

} // namespace

CPasswordDlg::CPasswordDlg(wxWindow* parent, CQuorvelDoc& doc)
    : CDlgBase(kDlgPassword, &doc, parent, Res(kStrTitle)), doc_(doc) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* top = new wxFlexGridSizer(2, FromDIP(wxSize(8, 6)));
    top->AddGrowableCol(1);
    CurrentText = PasswordEdit(this);
    top->Add(new wxStaticText(this, wxID_ANY, Res(kStrCurrent)), 0, wxALIGN_CENTER_VERTICAL);
    top->Add(CurrentText, 1, wxEXPAND);

    SetRadio = new wxRadioButton(this, wxID_ANY, Res(kStrSetOrChange), wxDefaultPosition,
                                 wxDefaultSize, wxRB_GROUP);
    NewText = PasswordEdit(this);
    RepeatText = PasswordEdit(this);
    auto* fresh = new wxFlexGridSizer(2, FromDIP(wxSize(8, 6)));
    fresh->AddGrowableCol(1);
    fresh->Add(new wxStaticText(this, wxID_ANY, Res(kStrNew)), 0, wxALIGN_CENTER_VERTICAL);
    fresh->Add(NewText, 1, wxEXPAND);
    fresh->Add(new wxStaticText(this, wxID_ANY, Res(kStrRepeat)), 0, wxALIGN_CENTER_VERTICAL);
    fresh->Add(RepeatText, 1, wxEXPAND);
    RemoveRadio = new wxRadioButton(this, wxID_ANY, Res(kStrRemove));
    ClearButton = new wxButton(this, wxID_ANY, Res(kStrClear));

    const int gap = FromDIP(10);
    column->Add(top, 0, wxEXPAND | wxALL, gap);
    column->Add(SetRadio, 0, wxLEFT | wxRIGHT, gap);
    // The new password belongs to the choice above it.
    auto* indented = new wxBoxSizer(wxHORIZONTAL);
    indented->AddSpacer(FromDIP(20));
    indented->Add(fresh, 1, wxEXPAND);
    column->Add(indented, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);
    column->Add(RemoveRadio, 0, wxLEFT | wxRIGHT | wxTOP, gap);
    column->Add(new wxStaticLine(this), 0, wxEXPAND | wxALL, gap);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(ClearButton, 0, wxALIGN_CENTER_VERTICAL);
    buttons->AddStretchSpacer();
    buttons->Add(CreateStdButtons(this, wxOK | wxCANCEL, false), 0, wxALIGN_CENTER_VERTICAL);
    column->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    SetSizerAndFit(column);

    SetRadio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnPasswordMode(); });
    RemoveRadio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnPasswordMode(); });
    ClearButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnClear(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);

    SetRadio->SetValue(true);
    OnPasswordMode();
    CentreOnParent();
    CurrentText->SetFocus();
}

PasswordForm CPasswordDlg::Form() const {
    PasswordForm form;
    form.Action = SetRadio->GetValue() ? PasswordAction::SetOrChange : PasswordAction::Remove;
    form.Current = CurrentText->GetValue().ToStdWstring();
    if (form.Action == PasswordAction::SetOrChange) {
        form.New = NewText->GetValue().ToStdWstring();
        form.Repeated = RepeatText->GetValue().ToStdWstring();
    }
    return form;
}

void CPasswordDlg::OnPasswordMode() {
    const bool set = SetRadio->GetValue();
    NewText->Enable(set);
    RepeatText->Enable(set);
}

void CPasswordDlg::OnOk() {
    PasswordBoxUser user(this, doc_);
    PasswordModel model(wxGetApp().Profile(), CodePage, user, SystemSleeper());
    PasswordField focus = PasswordField::None;
    const ConnectionEnd end = model.Accept(Form(), &focus);
    if (end == ConnectionEnd::Ok) {
        EndModal(wxID_OK);
        return;
    }
    if (focus == PasswordField::Current)
        CurrentText->SetFocus();
    else if (focus == PasswordField::New)
        NewText->SetFocus();
}

void CPasswordDlg::OnClear() {
    PasswordBoxUser user(this, doc_);
    PasswordModel model(wxGetApp().Profile(), CodePage, user, SystemSleeper());
    if (model.Clear() == ConnectionEnd::Ok)
        EndModal(wxID_OK);
}

} // namespace qv
