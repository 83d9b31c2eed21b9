// The editor of one mail-send entry: its texts, trigger, recipients and
// option. It works on copies and writes the entry and the recipients into
// the document only on OK.
#pragma once
#include <cstdint>
#include <vector>

#include "document/SettingsImage.h"
#include "ui/DlgBase.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxListCtrl;
class wxStaticText;
class wxTextCtrl;

namespace qv {

constexpr unsigned kDlgMailSend = 361;
constexpr int kMailRecipientSlot = 6; // the recipient list's column widths in the profile

class CMailSendDlg : public CDlgBase {
public:
    static constexpr int kIdNumber = 1109, kIdTrigger = 1183, kIdChooseTrigger = 1190,
                         kIdRecipients = 4980, kIdShortText = 1118, kIdLongText = 1124,
                         kIdChoiceOn = 1197, kIdChoice = 1214;

    CMailSendDlg(int recordIndex, CQuorvelDoc& doc, wxWindow* parent);
    ~CMailSendDlg() override;

    // Another editor's tables while this one is open.
    void SetMailSendTable(MailSendTable table) { MailCopy = table; }
    void SetUsers(UserTable users) { UserCopy = users; }

    void OnBnClickedOk();
    void OnBnClickedTrigger();
    void OnSelchangeTrigger();
    void OnClickedChoice();
    void EditRecipient(long item);

    TriggerTable TriggerCopy;
    MailSendTable MailCopy;
    UserTable UserCopy;
    int RecordIndex;
    std::vector<uint32_t> ExcludedFlags;
    int LastTriggerSel = 0;

    wxStaticText* Number = nullptr;
    wxChoice* TriggerBox = nullptr;
    wxButton* ChooseTriggerButton = nullptr;
    wxListCtrl* RecipientList = nullptr;
    wxTextCtrl* ShortTextEdit = nullptr;
    wxTextCtrl* LongTextEdit = nullptr;
    wxCheckBox* ChoiceCheck = nullptr;
    wxChoice* ChoiceBox = nullptr;

private:
    void FillTriggers();
    void SaveColumnWidths();

    CQuorvelDoc& doc_;
};

// Runs the editor on entry `recordIndex`; true when it stored.
bool RunMailSendEditor(wxWindow* parent, CQuorvelDoc& doc, int recordIndex);

} // namespace qv
