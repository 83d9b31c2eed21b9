// The file record editor: one log or history file's record, with its
// recipients. Works on copies of the tables and stores them on OK.
#pragma once
#include <cstdint>
#include <vector>

#include "editors/files/FileEditorModel.h"
#include "ui/DlgBase.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxListCtrl;
class wxPanel;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace qv {

constexpr unsigned kDlgFileEditor = 342;
constexpr int kFileRecipientSlot = 5; // the recipient list's column widths

class CFileSetDlg : public CDlgBase {
public:
    // Edits record CurrentItem - 1 of the document's file table.
    CFileSetDlg(wxWindow* parent, CQuorvelDoc& doc, bool fromHistoryPage);

    void SetFileTable(const FileTable& files) { FileCopy = files; }
    void SetUsers(const UserTable& users) { UserCopy = users; }

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    // The OK road: checks, stores into the document; false when refused.
    bool StoreRecord();
    void ToggleDetails();
    void SwitchRecipients();
    void EditRecipient(long item);
    void ChooseTrigger();

    TriggerTable TriggerCopy;
    FileTable FileCopy;
    UserTable UserCopy;
    GroupTable GroupCopy;
    int RecordIndex;

    wxStaticText* NumberText;
    wxTextCtrl* NameEdit;
    wxButton* TriggerButton;
    wxChoice* TriggerBox;
    wxCheckBox* Mode64Check;
    wxChoice* QuantityBox;
    wxRadioButton* ModeRadio[2];
    wxRadioButton* CountRadio;
    wxTextCtrl* CountEdit;
    wxRadioButton* SecondRadio;
    wxChoice* SecondBox;
    wxButton* DetailsButton;
    wxPanel* Details;
    wxCheckBox* MailCheck;
    wxButton* MailServerButton;
    wxCheckBox* FtpCheck;
    wxButton* FtpButton;
    wxCheckBox* GroupsCheck;
    wxListCtrl* RecipientList;

private:
    void FillTriggerBoxes();
    void FillRecipients();
    void FillGroupList();
    void UpdateSwitchControls();
    void OnTriggerChoice(wxChoice* box, int& last);
    void OnOk();
    void OnNameKey(wxKeyEvent& event);

    CQuorvelDoc& doc_;
    FileEditorForm form_;
    std::vector<uint32_t> excluded_;
    int lastTrigger_ = 0;
    int lastSecond_ = 0;
};

// Runs the editor on the document's CurrentItem; true on OK.
bool RunFileEditor(wxWindow* parent, CQuorvelDoc& doc, bool fromHistoryPage);

} // namespace qv
