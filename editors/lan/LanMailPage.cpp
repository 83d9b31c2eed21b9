#include "editors/lan/LanMailPage.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/CodeText.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrMailAddress = 46210, kStrSmtp = 46211, kStrByIp = 46212, kStrAuth = 46213,
                   kStrUser = 46214, kStrPassword = 46215, kStrPop = 46216, kStrTimeout = 46217,
                   kStrInterval = 46218, kStrRetries = 46219, kStrOption = 46220, kStrOff = 46221,
                   kStrOn = 46222;
constexpr unsigned kStrSeconds = 4060, kStrMinutes = 4061, kStrTimes = 4063;
} // namespace

CMailSetDlg::CMailSetDlg(wxWindow* parent, LanCopies& copies, uint32_t codePage)
    : CLanPage(parent, copies, codePage) {
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    const wxSize editSize(FromDIP(260), -1);

    AddressEdit = new wxTextCtrl(this, kMailAddressField, {}, wxDefaultPosition, editSize);
    AddressEdit->SetMaxLength(kMailTextWidth);
    AddRow(grid, this, kStrMailAddress, AddressEdit);

    auto* smtpRow = new wxBoxSizer(wxHORIZONTAL);
    auto* smtpLabel = new wxStaticText(this, wxID_ANY, Res(kStrSmtp));
    SmtpHostEdit = new wxTextCtrl(this, kMailSmtpHostField, {}, wxDefaultPosition, editSize);
    SmtpHostEdit->SetMaxLength(kMailTextWidth);
    SmtpIp = new IpAddressCtrl(this, kMailSmtpIpField);
    SmtpByIp = new wxCheckBox(this, kMailSmtpByIpField, Res(kStrByIp));
    smtpRow->Add(SmtpHostEdit, 1, wxALIGN_CENTER_VERTICAL);
    smtpRow->Add(SmtpIp, 0, wxALIGN_CENTER_VERTICAL);
    smtpRow->Add(SmtpByIp, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    grid->Add(smtpLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(smtpRow, 0, wxEXPAND);

    AuthList = new wxChoice(this, kMailAuthField);
    for (int kind = 0; kind <= 3; ++kind)
        AuthList->Append(wxString(GetMailAuthName(kind)));
    AddRow(grid, this, kStrAuth, AuthList);
    UserEdit = new wxTextCtrl(this, kMailUserField, {}, wxDefaultPosition, editSize);
    UserEdit->SetMaxLength(kMailTextWidth);
    userLabel_ = AddRow(grid, this, kStrUser, UserEdit);
    PasswordEdit =
        new wxTextCtrl(this, kMailPasswordField, {}, wxDefaultPosition, editSize, wxTE_PASSWORD);
    PasswordEdit->SetMaxLength(kMailPasswordWidth);
    passwordLabel_ = AddRow(grid, this, kStrPassword, PasswordEdit);

    auto* popRow = new wxBoxSizer(wxHORIZONTAL);
    popLabel_ = new wxStaticText(this, wxID_ANY, Res(kStrPop));
    PopHostEdit = new wxTextCtrl(this, kMailPopHostField, {}, wxDefaultPosition, editSize);
    PopHostEdit->SetMaxLength(kMailTextWidth);
    PopIp = new IpAddressCtrl(this, kMailPopIpField);
    PopByIp = new wxCheckBox(this, kMailPopByIpField, Res(kStrByIp));
    popRow->Add(PopHostEdit, 1, wxALIGN_CENTER_VERTICAL);
    popRow->Add(PopIp, 0, wxALIGN_CENTER_VERTICAL);
    popRow->Add(PopByIp, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    grid->Add(popLabel_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(popRow, 0, wxEXPAND);

    TimeoutList = CreateValueChoice(this, kMailTimeoutField, MailTimeoutValues());
    AddLabelledRow(grid, this, kStrTimeout, ListWithUnit(this, TimeoutList, kStrSeconds));
    IntervalList = CreateValueChoice(this, kMailIntervalField, RetryIntervalValues());
    AddLabelledRow(grid, this, kStrInterval, ListWithUnit(this, IntervalList, kStrMinutes));
    RetriesList = CreateValueChoice(this, kMailRetriesField, RetryCountValues());
    AddLabelledRow(grid, this, kStrRetries, ListWithUnit(this, RetriesList, kStrTimes));

    auto* optionRow = new wxBoxSizer(wxHORIZONTAL);
    auto* optionLabel = new wxStaticText(this, wxID_ANY, Res(kStrOption));
    OptionOff =
        new wxRadioButton(this, 1217, Res(kStrOff), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    OptionOn = new wxRadioButton(this, 1218, Res(kStrOn));
    optionRow->Add(OptionOff, 0, wxRIGHT, 16);
    optionRow->Add(OptionOn, 0);
    grid->Add(optionLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(optionRow, 0);
    SetSizer(grid);

    AuthList->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateAuthControls(); });
    SmtpByIp->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateSmtpServerControls(); });
    PopByIp->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdatePopServerControls(); });
    FreezeMinSize();
    LoadFromParent();
}

void CMailSetDlg::LoadFromParent() {
    const MailForm form = LoadMailForm(Copies.mail, CodePage);
    AddressEdit->ChangeValue(wxString(form.address));
    SmtpByIp->SetValue(form.smtpByIp);
    SmtpHostEdit->ChangeValue(wxString(form.smtpHost));
    if (form.smtpByIp)
        ShowIpEntry(SmtpIp, form.smtpIp);
    else
        SmtpIp->ClearAddress();
    UpdateSmtpServerControls();
    AuthList->SetSelection(form.auth >= 0 ? form.auth : wxNOT_FOUND);
    UserEdit->ChangeValue(wxString(form.user));
    PasswordEdit->ChangeValue(wxString(form.password));
    PopByIp->SetValue(form.popByIp);
    PopHostEdit->ChangeValue(wxString(form.popHost));
    if (form.popByIp && MailAuthUsesPop(form.auth))
        ShowIpEntry(PopIp, form.popIp);
    else
        PopIp->ClearAddress();
    UpdateAuthControls();
    SelectValue(TimeoutList, MailTimeoutValues(), form.timeout);
    SelectValue(IntervalList, RetryIntervalValues(), form.interval);
    SelectValue(RetriesList, RetryCountValues(), form.retries);
    (form.secondOption ? OptionOn : OptionOff)->SetValue(true);
}

void CMailSetDlg::UpdateAuthControls() {
    const int kind = AuthList->GetSelection();
    const bool account = MailAuthUsesAccount(kind);
    const bool pop = MailAuthUsesPop(kind);
    for (wxWindow* w :
         {static_cast<wxWindow*>(userLabel_), static_cast<wxWindow*>(UserEdit),
          static_cast<wxWindow*>(passwordLabel_), static_cast<wxWindow*>(PasswordEdit)})
        w->Show(account);
    popLabel_->Show(pop);
    PopByIp->Show(pop);
    if (pop) {
        UpdatePopServerControls();
    } else {
        PopHostEdit->Hide();
        PopIp->Hide();
    }
    Layout();
}

void CMailSetDlg::UpdateSmtpServerControls() {
    const bool byIp = SmtpByIp->GetValue();
    SmtpHostEdit->Show(!byIp);
    SmtpIp->Show(byIp);
    Layout();
}

void CMailSetDlg::UpdatePopServerControls() {
    const bool byIp = PopByIp->GetValue();
    PopHostEdit->Show(!byIp);
    PopIp->Show(byIp);
    Layout();
}

int CMailSetDlg::SaveToParent() {
    MailForm form;
    form.address = AddressEdit->GetValue().ToStdWstring();
    form.smtpByIp = SmtpByIp->GetValue();
    form.smtpHost = SmtpHostEdit->GetValue().ToStdWstring();
    form.smtpIp = ReadIpCtrl(SmtpIp);
    form.auth = AuthList->GetSelection();
    form.user = UserEdit->GetValue().ToStdWstring();
    form.password = PasswordEdit->GetValue().ToStdWstring();
    form.popByIp = PopByIp->GetValue();
    form.popHost = PopHostEdit->GetValue().ToStdWstring();
    form.popIp = ReadIpCtrl(PopIp);
    form.timeout = ChosenValue(TimeoutList, MailTimeoutValues());
    form.interval = ChosenValue(IntervalList, RetryIntervalValues());
    form.retries = ChosenValue(RetriesList, RetryCountValues());
    form.secondOption = OptionOn->GetValue();
    const Refusal refusal = CheckMailForm(form, CodePage, LanDoubleByteUi());
    if (refusal.Refused()) {
        ShowRefusal(refusal);
        return -1;
    }
    MailBlock block = Copies.mail;
    StoreMailForm(form, block, CodePage);
    Copies.mail = block;
    return 0;
}

} // namespace qv
