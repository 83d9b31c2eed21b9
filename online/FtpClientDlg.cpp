#include "online/FtpClientDlg.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <wx/busyinfo.h>
#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/dirdlg.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "app/QuorvelApp.h"
#include "document/CodePageText.h"
#include "document/MessageType.h"
#include "link/FtpStorage.h"
#include "link/LinkResult.h"
#include "link/SerialStorage.h"
#include "link/TcpConnection.h"
#include "link/UnitSession.h"
#include "online/ConnectionDlg.h"
#include "online/FileBrowserModel.h"
#include "online/UnitSearchDlg.h"
#include "ui/DlgBase.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"
#include "ui/StdButtons.h"
#include "ui/WaitDlg.h"

namespace qv {

namespace {

constexpr unsigned kStrTitle = 3225;
constexpr unsigned kStrAddress = 46801;
constexpr unsigned kStrSearch = 46802;
constexpr unsigned kStrUser = 46803;
constexpr unsigned kStrPassword = 46804;
constexpr unsigned kStrConnect = 46805;
constexpr unsigned kStrDisconnect = 46806;
constexpr unsigned kStrFolder = 46807;
constexpr unsigned kStrUp = 46808;
constexpr unsigned kStrDownload = 46809;
constexpr unsigned kStrDelete = 46810;
constexpr unsigned kStrClose = 46811;
constexpr unsigned kStrChooseFolder = 46812;
constexpr unsigned kStrFtpUnreachable = 46813;
constexpr unsigned kMsgDeleteChecked = 20400;
constexpr unsigned kMsgFirmwareTooOld = 20321;
constexpr unsigned kStrUserTooLong = 63106;
constexpr unsigned kStrPasswordTooLong = 63107;
constexpr unsigned kStrUnknownUser = 63108;
constexpr unsigned kStrWrongPassword = 63109;
constexpr unsigned kStrSessionEnded = 63110;
constexpr unsigned kStrNoUser = 63111;
constexpr unsigned kMenuDownload = 33809;
constexpr unsigned kMenuDelete = 33810;
constexpr unsigned kMenuCheckAll = 33811;
constexpr unsigned kMenuUncheckAll = 33812;
constexpr size_t kMaxLoginChars = 32;
constexpr int kMakeCurrentWaitMs = 1000;

// The unit's FTP account as it leaves the factory.
const wchar_t kDefaultUser[] = L"admin";
const wchar_t kDefaultPassword[] = L"wqe";

// The first octet in the top byte, as the address entry takes it.
bool ParseAddress(const char* text, uint32_t& address) {
    in_addr a{};
    if (!ParseIpv4(text, a))
        return false;
    address = ntohl(a.s_addr);
    return true;
}

std::string FormatAddress(uint32_t address) {
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

DownloadFolderAnswer& FolderAnswer() {
    static DownloadFolderAnswer answer;
    return answer;
}

std::string ToCodePage(const wxString& text, uint32_t codePage) {
    return WideToMulti(text.ToStdWstring(), codePage).value_or(std::string());
}

} // namespace

CFtpClientDlg::CFtpClientDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, Res(kStrTitle), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      Waits(&SystemSleeper()) {
    if (const char* port = std::getenv("QV_FTP_PORT"); port && std::atoi(port) > 0)
        FtpPort = std::atoi(port);

    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(3, wxSize(8, 6));
    grid->AddGrowableCol(1);

    AddressLabel = new wxStaticText(this, wxID_ANY, Res(kStrAddress));
    AddressCtrl = new IpAddressCtrl(this);
    SearchButton = new wxButton(this, wxID_ANY, Res(kStrSearch));
    grid->Add(AddressLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(AddressCtrl, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(SearchButton, 0, wxEXPAND);

    UserText = new wxTextCtrl(this, wxID_ANY, kDefaultUser);
    PasswordText = new wxTextCtrl(this, wxID_ANY, kDefaultPassword, wxDefaultPosition,
                                  wxDefaultSize, wxTE_PASSWORD);
    ConnectButton = new wxButton(this, wxID_ANY, Res(kStrConnect));
    DisconnectButton = new wxButton(this, wxID_ANY, Res(kStrDisconnect));
    grid->Add(new wxStaticText(this, wxID_ANY, Res(kStrUser)), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(UserText, 1, wxEXPAND);
    grid->Add(ConnectButton, 0, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, Res(kStrPassword)), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(PasswordText, 1, wxEXPAND);
    grid->Add(DisconnectButton, 0, wxEXPAND);

    FolderText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxTE_READONLY);
    UpButton = new wxButton(this, wxID_ANY, Res(kStrUp));
    grid->Add(new wxStaticText(this, wxID_ANY, Res(kStrFolder)), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(FolderText, 1, wxEXPAND);
    grid->Add(UpButton, 0, wxEXPAND);
    column->Add(grid, 0, wxEXPAND | wxALL, 10);

    FileList = new wxCheckListBox(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(420, 260)));
    column->Add(FileList, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    DownloadButton = new wxButton(this, wxID_ANY, Res(kStrDownload));
    DeleteButton = new wxButton(this, wxID_ANY, Res(kStrDelete));
    CloseButton = new wxButton(this, wxID_ANY, Res(kStrClose));
    buttons->Add(DownloadButton, 0, wxRIGHT, 6);
    buttons->Add(DeleteButton, 0, wxRIGHT, 6);
    buttons->AddStretchSpacer();
    buttons->Add(CloseButton);
    column->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    SearchButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSearch(); });
    ConnectButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Connect(); });
    DisconnectButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Disconnect(); });
    UpButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { FolderUp(); });
    DownloadButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DownloadChecked(); });
    DeleteButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DeleteChecked(); });
    CloseButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnClose(); });
    FileList->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { OpenCurrentItem(); });
    FileList->Bind(wxEVT_CHECKLISTBOX, [this](wxCommandEvent& e) { OnCheck(e.GetInt()); });
    FileList->Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent&) { OnContextMenu(); });
    Bind(wxEVT_CHAR_HOOK, &CFtpClientDlg::OnKey, this);
    // The close box ends the browser as Cancel; the connection goes with it.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
        Disconnect();
        EndModal(wxID_CANCEL);
    });

    const uint32_t codePage = wxGetApp().codePage;
    LoadCommSettings(wxGetApp().Profile(), codePage, settings_);
    session_ = std::make_unique<CUnitSession>(wxGetApp().Profile(), codePage, nullptr, nullptr,
                                              SystemSleeper());
    ftp_ = std::make_unique<FtpStorage>();
    serial_ = std::make_unique<SerialStorage>(*session_);
    storage_ = Serial() ? static_cast<UnitStorage*>(serial_.get()) : ftp_.get();
    model_ = std::make_unique<FileBrowserModel>(*storage_, *Waits);
    model_->codePage = codePage;

    const bool serial = Serial();
    AddressLabel->Show(!serial);
    AddressCtrl->Show(!serial);
    SearchButton->Show(!serial);
    uint32_t address = 0;
    if (!serial && ParseAddress(settings_.TcpIPAddr, address))
        AddressCtrl->SetAddress(address);
    ApplyButtonSet(false);
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

CFtpClientDlg::~CFtpClientDlg() {
    if (Serial() && serial_ && serial_->Connected())
        serial_->Disconnect();
}

bool CFtpClientDlg::Connected() const {
    return storage_->Connected();
}

void CFtpClientDlg::ApplyButtonSet(bool connected) {
    ConnectButton->Enable(!connected);
    SearchButton->Enable(!connected);
    DisconnectButton->Enable(connected);
    FileList->Enable(connected);
    DownloadButton->Enable(connected);
    DeleteButton->Enable(connected);
    UpButton->Enable(connected);
}

void CFtpClientDlg::ShowList() {
    FolderText->ChangeValue(wxString(MultiToWide(storage_->Folder(), model_->codePage)));
    FileList->Clear();
    for (size_t row = 0; row < model_->Entries().size(); ++row)
        FileList->Append(wxString(model_->ItemText(row)));
}

std::vector<size_t> CFtpClientDlg::CheckedRows() const {
    std::vector<size_t> rows;
    for (unsigned i = 0; i < FileList->GetCount(); ++i)
        if (FileList->IsChecked(i))
            rows.push_back(i);
    return rows;
}

void CFtpClientDlg::Connect() {
    wxBusyCursor busy;
    Disconnect();
    const bool ok = Serial() ? ConnectSerial() : ConnectFtp();
    ApplyButtonSet(ok);
}

bool CFtpClientDlg::ConnectFtp() {
    uint32_t address = 0;
    if (!AddressCtrl->GetAddress(address)) {
        AddressCtrl->FocusField(std::max(0, AddressCtrl->InvalidField()));
        return false;
    }
    const std::string host = FormatAddress(address);
    if (!ftp_->Connect(host, FtpPort, ToCodePage(UserText->GetValue(), model_->codePage),
                       ToCodePage(PasswordText->GetValue(), model_->codePage))) {
        ShowMessage(kMbOk | kMbIconError, wxString::Format(Res(kStrFtpUnreachable),
                                                           wxString::FromUTF8(ftp_->LastError())));
        ftp_->Disconnect();
        return false;
    }
    RefreshList(false);
    ftp_->MakeCurrentFile();
    Waits->SleepMs(kMakeCurrentWaitMs);
    return true;
}

bool CFtpClientDlg::ConnectSerial() {
    {
        CUnitComm link(wxGetApp().Profile(), model_->codePage, nullptr, nullptr, SystemSleeper());
        LinkResult result = 0;
        switch (CheckFileServiceVersion(link, result)) {
        case VersionCheck::ReadFailed:
            ShowMessage(kMbOk,
                        wxString::Format("%s\n\n[%s]", Res(kStrSessionEnded),
                                         wxString(GetCommErrorText(result, link.LastError))));
            return false;
        case VersionCheck::TooOld:
            ShowMessageId(kMsgFirmwareTooOld, kMbOk);
            return false;
        case VersionCheck::Ok:
            break;
        }
    }
    const wxString user = UserText->GetValue();
    const wxString password = PasswordText->GetValue();
    if (user.length() > kMaxLoginChars) {
        ShowMessageFocus(Res(kStrUserTooLong), UserText);
        return false;
    }
    if (password.length() > kMaxLoginChars) {
        ShowMessageFocus(Res(kStrPasswordTooLong), PasswordText);
        return false;
    }
    const LinkResult login = serial_->Connect(ToCodePage(user, model_->codePage),
                                              ToCodePage(password, model_->codePage));
    if (login != link_result::kOk) {
        if (login == link_result::kUnitError) {
            switch (serial_->UnitCode()) {
            case 0x02:
                ShowMessageFocus(Res(kStrNoUser), UserText);
                break;
            case 0xA6:
                ShowMessageFocus(Res(kStrUnknownUser), UserText);
                break;
            case 0xA7:
                ShowMessageFocus(Res(kStrWrongPassword), PasswordText);
                break;
            default:
                break;
            }
        }
        return false;
    }
    serial_->MakeCurrentFile();
    Waits->SleepMs(kMakeCurrentWaitMs);
    RefreshList(false);
    serial_->MakeCurrentFile();
    Waits->SleepMs(kMakeCurrentWaitMs);
    return true;
}

void CFtpClientDlg::Disconnect() {
    wxBusyCursor busy;
    if (Serial())
        serial_->Disconnect();
    else
        ftp_->Disconnect();
    model_->Clear();
    FileList->Clear();
    FolderText->ChangeValue(wxEmptyString);
    ApplyButtonSet(false);
}

void CFtpClientDlg::SessionEnded() {
    Disconnect();
    ShowMessageFocus(Res(kStrSessionEnded), UserText);
}

void CFtpClientDlg::ListAfterChange() {
    if (Serial())
        serial_->MakeCurrentFile();
    else
        ftp_->MakeCurrentFile();
    Waits->SleepMs(kMakeCurrentWaitMs);
    RefreshList(!Serial());
}

void CFtpClientDlg::RefreshList(bool keepOnFailure) {
    const bool listed = model_->Refresh(keepOnFailure);
    if (Serial())
        model_->codePage = serial_->CodePage();
    ShowList();
    if (!listed) {
        const std::wstring refusal = model_->RefreshRefusal();
        if (!refusal.empty())
            ShowMessage(kMbOk | kMbIconInformation, wxString(refusal));
    }
}

bool CFtpClientDlg::FtpReady(bool& failedAlready) {
    failedAlready = false;
    switch (ftp_->EnsureConnected()) {
    case 0:
        return true;
    case 2:
        failedAlready = true;
        return true;
    default:
        ShowMessage(kMbOk | kMbIconError, wxString::Format(Res(kStrFtpUnreachable),
                                                           wxString::FromUTF8(ftp_->LastError())));
        return false;
    }
}

void CFtpClientDlg::OpenCurrentItem() {
    const int row = FileList->GetSelection();
    if (!Connected() || row == wxNOT_FOUND || !model_->Entries()[static_cast<size_t>(row)].isFolder)
        return;
    wxBusyCursor busy;
    if (!Serial()) {
        bool lostFolder = false;
        if (!FtpReady(lostFolder))
            return;
    }
    if (model_->Open(static_cast<size_t>(row)))
        ListAfterChange();
    if (Serial() && serial_->SessionLost())
        SessionEnded();
}

void CFtpClientDlg::FolderUp() {
    if (!Connected())
        return;
    wxBusyCursor busy;
    bool ok = false;
    if (Serial()) {
        ok = serial_->FolderUp() == link_result::kOk;
    } else {
        bool lostFolder = false;
        if (!FtpReady(lostFolder))
            return;
        ok = ftp_->SetFolder(ParentUnitPath(ftp_->Folder()));
    }
    if (ok)
        ListAfterChange();
    if (Serial() && serial_->SessionLost())
        SessionEnded();
}

void CFtpClientDlg::DownloadChecked() {
    if (!Connected())
        return;
    bool failedAlready = false;
    if (!Serial() && !FtpReady(failedAlready))
        return;
    const std::vector<size_t> rows = CheckedRows();
    if (rows.empty())
        return;
    // A chooser given no folder opens in the toolkit's "Recent" view, where a
    // typed path leads nowhere.
    const std::string start =
        DownloadStartFolder(wxGetApp().Profile(), wxGetHomeDir().utf8_string());
    wxDirDialog chooser(this, Res(kStrChooseFolder), wxString::FromUTF8(start),
                        wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    std::string folder;
    if (FolderAnswer())
        folder = FolderAnswer()(chooser);
    else if (chooser.ShowModal() == wxID_OK)
        folder = chooser.GetPath().utf8_string();
    if (folder.empty())
        return;
    RememberDownloadFolder(wxGetApp().Profile(), folder);
    FileBrowserModel::Outcome outcome;
    {
        CWaitProgress progress(this);
        outcome = model_->Download(rows, folder, progress);
    }
    EndWalk(outcome, failedAlready, kStrDownloadFailed);
}

void CFtpClientDlg::EndWalk(const FileBrowserModel::Outcome& outcome, bool failedAlready,
                            unsigned suffixId) {
    if (outcome.sessionLost) {
        SessionEnded();
        return;
    }
    // One message for everything that failed; none after a cancel.
    if (!outcome.cancelled && (failedAlready || !outcome.failed.empty())) {
        wxString text(model_->FailureText(outcome, suffixId));
        ShowMessage(kMbOk | kMbIconInformation, text.empty() ? Res(kStrSessionEnded) : text);
    }
    RefreshList(!Serial());
}

void CFtpClientDlg::DeleteChecked() {
    // Nothing checked: nothing to ask about.
    if (!Connected() || CheckedRows().empty())
        return;
    // The files cannot be brought back: asked from the button and the menu
    // alike, with No the default.
    if (ShowMessageId(kMsgDeleteChecked, kMbYesNo | kMbIconQuestion | kMbDefButton2) != kIdYes)
        return;
    bool failedAlready = false;
    if (!Serial() && !FtpReady(failedAlready))
        return;
    const std::vector<size_t> rows = CheckedRows();
    if (rows.empty())
        return;
    FileBrowserModel::Outcome outcome;
    {
        CWaitProgress progress(this);
        outcome = model_->Delete(rows, progress);
    }
    EndWalk(outcome, failedAlready, kStrDeleteFailed);
}

void CFtpClientDlg::CheckAll(bool check) {
    for (unsigned i = 0; i < FileList->GetCount(); ++i)
        FileList->Check(i, check && !model_->IsProtected(i));
}

void CFtpClientDlg::OnCheck(int row) {
    if (row >= 0 && model_->IsProtected(static_cast<size_t>(row)))
        FileList->Check(static_cast<unsigned>(row), false);
}

void CFtpClientDlg::OnKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    wxWindow* focus = FindFocus();
    if (key == WXK_ESCAPE)
        return; // never closes the browser
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        if (focus == FileList)
            OpenCurrentItem();
        else if (focus == PasswordText)
            Connect();
        // Anywhere else Enter does nothing: it never closes the browser nor
        // presses a button by chance (Space presses the focused one).
        return;
    }
    if (key == WXK_BACK && focus == FileList) {
        FolderUp();
        return;
    }
    event.Skip();
}

void CFtpClientDlg::OnContextMenu() {
    wxMenu menu;
    for (unsigned item : {kMenuDownload, kMenuDelete, kMenuCheckAll, kMenuUncheckAll})
        menu.Append(MenuItemId(static_cast<int>(item)), Res(item));
    switch (GetPopupMenuSelectionFromUser(menu)) {
    case MenuItemId(kMenuDownload):
        DownloadChecked();
        break;
    case MenuItemId(kMenuDelete):
        DeleteChecked();
        break;
    case MenuItemId(kMenuCheckAll):
        CheckAll(true);
        break;
    case MenuItemId(kMenuUncheckAll):
        CheckAll(false);
        break;
    default:
        break;
    }
}

void CFtpClientDlg::OnSearch() {
    if (!RunUnitSearchDialog(this))
        return;
    LoadCommSettings(wxGetApp().Profile(), model_->codePage, settings_);
    uint32_t address = 0;
    if (ParseAddress(settings_.TcpIPAddr, address))
        AddressCtrl->SetAddress(address);
}

void CFtpClientDlg::OnClose() {
    Disconnect();
    EndModal(wxID_OK);
}

void SetDownloadFolderAnswer(DownloadFolderAnswer answer) {
    FolderAnswer() = std::move(answer);
}

void RunFileBrowserCommand(wxWindow* frame) {
    if (!RunConnectionDialog(frame, ConnectionAction::Tool, *wxGetApp().Document()))
        return;
    CFtpClientDlg browser(frame);
    browser.ShowModal();
}

} // namespace qv
