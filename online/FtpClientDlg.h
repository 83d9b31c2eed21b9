// The unit file browser: lists the unit's storage (its top folders CF, SD and
// RAM and all below), downloads files and whole folders into a local folder
// and deletes them on the unit, by FTP over the LAN or by the unit's file
// commands over the serial link, as the link settings say.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <wx/dialog.h>

#include "link/CommSettings.h"
#include "online/FileBrowserModel.h"

class wxButton;
class wxCheckListBox;
class wxDirDialog;
class wxStaticText;
class wxTextCtrl;

namespace qv {

class CUnitSession;
class FtpStorage;
class IpAddressCtrl;
class SerialStorage;
class Sleeper;
class UnitStorage;

class CFtpClientDlg : public wxDialog {
public:
    explicit CFtpClientDlg(wxWindow* parent);
    ~CFtpClientDlg() override;

    // The port of the unit's FTP server (21; the QV_FTP_PORT environment
    // value, for trying the browser on a server of one's own).
    int FtpPort = 21;
    // The unit's pauses (1 s after "make current file", 0.1 s per item).
    Sleeper* Waits;

    IpAddressCtrl* AddressCtrl;
    wxButton* SearchButton;
    wxStaticText* AddressLabel;
    wxTextCtrl* UserText;
    wxTextCtrl* PasswordText;
    wxButton* ConnectButton;
    wxButton* DisconnectButton;
    wxTextCtrl* FolderText;
    wxButton* UpButton;
    wxCheckListBox* FileList;
    wxButton* DownloadButton;
    wxButton* DeleteButton;
    wxButton* CloseButton;

    void Connect();
    void Disconnect();
    void OpenCurrentItem();
    void FolderUp();
    // Download asks for the local folder; Delete asks first.
    void DownloadChecked();
    void DeleteChecked();
    void CheckAll(bool check);
    bool Connected() const;
    bool CheckedRowsEmpty() const { return CheckedRows().empty(); }

private:
    bool Serial() const { return settings_.CommType != kCommTcp; }
    void ApplyButtonSet(bool connected);
    void ShowList();
    // Reads the folder again and shows it; a listing too long to take is told.
    void RefreshList(bool keepOnFailure);
    void ListAfterChange();
    std::vector<size_t> CheckedRows() const;
    // The serial road's end of the file session: disconnect and say so.
    void SessionEnded();
    bool FtpReady(bool& failedAlready);
    // After a download or delete: the session's end, or one failure message,
    // then the folder read again.
    void EndWalk(const FileBrowserModel::Outcome& outcome, bool failedAlready, unsigned suffixId);
    bool ConnectFtp();
    bool ConnectSerial();
    void OnCheck(int row);
    void OnKey(wxKeyEvent& event);
    void OnContextMenu();
    void OnSearch();
    void OnClose();

    CommSettings settings_;
    std::unique_ptr<CUnitSession> session_;
    std::unique_ptr<FtpStorage> ftp_;
    std::unique_ptr<SerialStorage> serial_;
    UnitStorage* storage_ = nullptr;
    std::unique_ptr<FileBrowserModel> model_;
};

// Tests answer the folder chooser of a download through this: it gets the
// chooser as built (not shown) and returns the chosen folder, or empty.
using DownloadFolderAnswer = std::function<std::string(const wxDirDialog& chooser)>;
void SetDownloadFolderAnswer(DownloadFolderAnswer answer);

// Runs the browser after the connection dialog stored the link settings.
void RunFileBrowserCommand(wxWindow* frame);

} // namespace qv
