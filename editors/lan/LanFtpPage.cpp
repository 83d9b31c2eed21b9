#include "editors/lan/LanFtpPage.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/lan/LanMailModel.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrByIp = 46212, kStrUser = 46214, kStrPassword = 46215, kStrTimeout = 46217,
                   kStrInterval = 46218, kStrRetries = 46219, kStrUpload = 46223, kStrTitle = 46224,
                   kStrServer = 46225, kStrPassive = 46226, kStrFolder = 46227, kStrByDate = 46228,
                   kStrOwnServer = 46229, kStrEnableServer = 46230;
constexpr unsigned kStrSeconds = 4060, kStrMinutes = 4061, kStrTimes = 4063;

wxStaticText* Heading(wxWindow* parent, unsigned id) {
    auto* text = new wxStaticText(parent, wxID_ANY, Res(id));
    text->SetFont(text->GetFont().Bold());
    return text;
}

// An edit and a check box after it.
wxSizer* WithCheck(wxWindow* edit, wxWindow* check) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(edit, 1, wxALIGN_CENTER_VERTICAL);
    row->Add(check, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    return row;
}
} // namespace

CFTPSetDlg::CFTPSetDlg(wxWindow* parent, LanCopies& copies, uint32_t codePage)
    : CLanPage(parent, copies, codePage) {
    const wxSize editSize(FromDIP(220), -1);
    auto edit = [&](int id, size_t limit, long style = 0) {
        auto* e = new wxTextCtrl(this, id, {}, wxDefaultPosition, editSize, style);
        e->SetMaxLength(static_cast<unsigned long>(limit));
        return e;
    };
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(Heading(this, kStrUpload), 0, wxBOTTOM, 6);
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    TextEdit = edit(kFtpTextField, kFtpNameWidth);
    AddRow(grid, this, kStrTitle, TextEdit);

    auto* serverLabel = new wxStaticText(this, wxID_ANY, Res(kStrServer));
    HostEdit = edit(kFtpHostField, kFtpHostWidth);
    ServerIp = new IpAddressCtrl(this, kFtpIpField);
    ByIp = new wxCheckBox(this, kFtpByIpField, Res(kStrByIp));
    auto* serverRow = new wxBoxSizer(wxHORIZONTAL);
    serverRow->Add(HostEdit, 1, wxALIGN_CENTER_VERTICAL);
    serverRow->Add(ServerIp, 0, wxALIGN_CENTER_VERTICAL);
    serverRow->Add(ByIp, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    grid->Add(serverLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(serverRow, 0, wxEXPAND);

    UserEdit = edit(kFtpUserField, kFtpNameWidth);
    Option1 = new wxCheckBox(this, kFtpOption1Field, Res(kStrPassive));
    AddLabelledRow(grid, this, kStrUser, WithCheck(UserEdit, Option1));
    PasswordEdit = edit(kFtpPasswordField, kFtpNameWidth, wxTE_PASSWORD);
    AddRow(grid, this, kStrPassword, PasswordEdit);
    FolderEdit = edit(kFtpFolderField, kFtpFolderWidth);
    Option2 = new wxCheckBox(this, kFtpOption2Field, Res(kStrByDate));
    AddLabelledRow(grid, this, kStrFolder, WithCheck(FolderEdit, Option2));
    TimeoutList = CreateValueChoice(this, kFtpTimeoutField, FtpTimeoutValues());
    AddLabelledRow(grid, this, kStrTimeout, ListWithUnit(this, TimeoutList, kStrSeconds));
    IntervalList = CreateValueChoice(this, kFtpIntervalField, RetryIntervalValues());
    AddLabelledRow(grid, this, kStrInterval, ListWithUnit(this, IntervalList, kStrMinutes));
    RetriesList = CreateValueChoice(this, kFtpRetriesField, RetryCountValues());
    AddLabelledRow(grid, this, kStrRetries, ListWithUnit(this, RetriesList, kStrTimes));
    column->Add(grid, 0, wxEXPAND | wxBOTTOM, 14);

    column->Add(Heading(this, kStrOwnServer), 0, wxBOTTOM, 6);
    auto* account = new wxFlexGridSizer(2, wxSize(10, 6));
    account->AddGrowableCol(1);
    AccountUserEdit = edit(kFtpAccountUserField, kFtpNameWidth);
    AddRow(account, this, kStrUser, AccountUserEdit);
    AccountPasswordEdit = edit(kFtpAccountPasswordField, kFtpNameWidth, wxTE_PASSWORD);
    AddRow(account, this, kStrPassword, AccountPasswordEdit);
    column->Add(account, 0, wxEXPAND | wxBOTTOM, 6);
    AccountOption = new wxCheckBox(this, kFtpAccountOptionField, Res(kStrEnableServer));
    column->Add(AccountOption, 0);
    SetSizer(column);

    ByIp->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnBnClickedUseAddress(); });
    FreezeMinSize();
    LoadFromParent();
}

void CFTPSetDlg::LoadFromParent() {
    const FtpForm form = LoadFtpForm(Copies.ftp, Copies.account, CodePage);
    TextEdit->ChangeValue(wxString(form.text));
    ByIp->SetValue(form.serverByIp);
    HostEdit->ChangeValue(wxString(form.host));
    if (form.serverByIp)
        ShowIpEntry(ServerIp, form.serverIp);
    else
        ServerIp->ClearAddress();
    OnBnClickedUseAddress();
    UserEdit->ChangeValue(wxString(form.user));
    PasswordEdit->ChangeValue(wxString(form.password));
    Option1->SetValue(form.option1);
    FolderEdit->ChangeValue(wxString(form.folder));
    Option2->SetValue(form.option2);
    SelectValue(TimeoutList, FtpTimeoutValues(), form.timeout);
    SelectValue(IntervalList, RetryIntervalValues(), form.interval);
    SelectValue(RetriesList, RetryCountValues(), form.retries);
    AccountUserEdit->ChangeValue(wxString(form.accountUser));
    AccountPasswordEdit->ChangeValue(wxString(form.accountPassword));
    AccountOption->SetValue(form.accountOption);
}

void CFTPSetDlg::OnBnClickedUseAddress() {
    const bool byIp = ByIp->GetValue();
    HostEdit->Show(!byIp);
    ServerIp->Show(byIp);
    Layout();
}

int CFTPSetDlg::SaveToParent() {
    FtpForm form;
    form.text = TextEdit->GetValue().ToStdWstring();
    form.serverByIp = ByIp->GetValue();
    form.host = HostEdit->GetValue().ToStdWstring();
    form.serverIp = ReadIpCtrl(ServerIp);
    form.user = UserEdit->GetValue().ToStdWstring();
    form.password = PasswordEdit->GetValue().ToStdWstring();
    form.option1 = Option1->GetValue();
    form.folder = FolderEdit->GetValue().ToStdWstring();
    form.option2 = Option2->GetValue();
    form.timeout = ChosenValue(TimeoutList, FtpTimeoutValues());
    form.interval = ChosenValue(IntervalList, RetryIntervalValues());
    form.retries = ChosenValue(RetriesList, RetryCountValues());
    form.accountUser = AccountUserEdit->GetValue().ToStdWstring();
    form.accountPassword = AccountPasswordEdit->GetValue().ToStdWstring();
    form.accountOption = AccountOption->GetValue();
    const Refusal refusal = CheckFtpForm(form, CodePage, LanDoubleByteUi());
    if (refusal.Refused()) {
        ShowRefusal(refusal);
        return -1;
    }
    FtpBlock ftp = Copies.ftp;
    FtpAccountBlock account = Copies.account;
    StoreFtpForm(form, ftp, account, CodePage);
    Copies.ftp = ftp;
    Copies.account = account;
    return 0;
}

} // namespace qv
