#include "editors/mail/MailSendDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/mail/MailSendModel.h"
#include "editors/recipients/RecipientEditors.h"
#include "editors/triggers/TriggerListDlg.h"
#include "ui/ListFillers.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 39700, kStrEntry = 39701, kStrTrigger = 39702,
                   kStrChooseTrigger = 39703, kStrRecipients = 39704, kStrShortText = 39705,
                   kStrLongText = 39706, kStrChoice = 39707;
} // namespace

CMailSendDlg::CMailSendDlg(int recordIndex, CQuorvelDoc& doc, wxWindow* parent)
    : CDlgBase(kDlgMailSend, &doc, parent, Res(kStrTitle)), TriggerCopy(doc.Blocks().triggers),
      MailCopy(doc.Blocks().mailSends), UserCopy(doc.Blocks().users), RecordIndex(recordIndex),
      doc_(doc) {
    const MailSendForm form =
        LoadMailSendForm(MailCopy[static_cast<size_t>(RecordIndex)], CodePage);

    auto* grid = new wxFlexGridSizer(2, 5, 8);
    grid->AddGrowableCol(1);
    auto label = [&](unsigned id) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(id)), 0, wxALIGN_CENTER_VERTICAL);
    };
    label(kStrEntry);
    Number = new wxStaticText(this, kIdNumber, wxString::Format("%d", RecordIndex + 1));
    grid->Add(Number, 0, wxALIGN_CENTER_VERTICAL);

    label(kStrTrigger);
    TriggerBox = new wxChoice(this, kIdTrigger);
    ChooseTriggerButton = new wxButton(this, kIdChooseTrigger, Res(kStrChooseTrigger));
    auto* triggerRow = new wxBoxSizer(wxHORIZONTAL);
    triggerRow->Add(TriggerBox, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    triggerRow->Add(ChooseTriggerButton, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(triggerRow, 1, wxEXPAND);

    label(kStrShortText);
    ShortTextEdit = new wxTextCtrl(this, kIdShortText, form.shortText);
    ShortTextEdit->SetMaxLength(msend::kTextWidth);
    grid->Add(ShortTextEdit, 1, wxEXPAND);

    label(kStrLongText);
    LongTextEdit =
        new wxTextCtrl(this, kIdLongText, form.longText, wxDefaultPosition, wxSize(360, -1));
    LongTextEdit->SetMaxLength(msend::kLongTextWidth);
    grid->Add(LongTextEdit, 1, wxEXPAND);

    ChoiceCheck = new wxCheckBox(this, kIdChoiceOn, Res(kStrChoice));
    ChoiceBox = new wxChoice(this, kIdChoice);
    for (int n = 1; n <= msend::kChoice16Max; ++n)
        ChoiceBox->Append(wxString::Format("%d", n));
    grid->Add(ChoiceCheck, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(ChoiceBox, 0);
    ChoiceCheck->SetValue(form.choiceOn);
    ChoiceBox->Enable(form.choiceOn);
    ChoiceBox->SetSelection(form.choiceIndex >= 0 ? form.choiceIndex : wxNOT_FOUND);

    RecipientList = new wxListCtrl(this, kIdRecipients, wxDefaultPosition, wxSize(420, 200),
                                   wxLC_REPORT | wxLC_SINGLE_SEL);
    FillUserList(UserCopy, form.userMask, *RecipientList, CodePage, kMailRecipientSlot);

    FillTriggers();
    LastTriggerSel = form.trigger;
    TriggerBox->SetSelection(form.trigger >= 0 ? form.trigger : wxNOT_FOUND);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxEXPAND | wxALL, 10);
    column->Add(new wxStaticText(this, wxID_ANY, Res(kStrRecipients)), 0, wxLEFT | wxRIGHT, 10);
    column->Add(RecipientList, 1, wxEXPAND | wxALL, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizer(column);
    GetSizer()->SetSizeHints(this);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedOk(); }, wxID_OK);
    ChooseTriggerButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedTrigger(); });
    TriggerBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelchangeTrigger(); });
    ChoiceCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnClickedChoice(); });
    RecipientList->Bind(wxEVT_LIST_ITEM_ACTIVATED,
                        [this](wxListEvent& e) { EditRecipient(e.GetIndex()); });
    ShortTextEdit->SetFocus();
}

CMailSendDlg::~CMailSendDlg() {
    SaveColumnWidths();
}

// The application writes the table into the profile when the program closes.
void CMailSendDlg::SaveColumnWidths() {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    for (int c = 0; c < RecipientList->GetColumnCount() && c < kListColumns; ++c)
        widths[kMailRecipientSlot][c] = RecipientList->GetColumnWidth(c);
}

void CMailSendDlg::FillTriggers() {
    TriggerBox->Clear();
    FillTriggerCombo(ExcludedFlags, *TriggerBox, TriggerCopy, nullptr, true);
}

void CMailSendDlg::OnSelchangeTrigger() {
    const int sel = TriggerBox->GetSelection();
    if (sel >= 0 && static_cast<size_t>(sel) < ExcludedFlags.size() && ExcludedFlags[sel]) {
        TriggerBox->SetSelection(LastTriggerSel >= 0 ? LastTriggerSel : wxNOT_FOUND);
        ShowMessageId(kMsgExcludedTrigger, kMbOk);
        TriggerBox->SetFocus();
        return;
    }
    LastTriggerSel = sel;
}

void CMailSendDlg::OnBnClickedTrigger() {
    const int sel = TriggerBox->GetSelection();
    MailSendRecord& record = MailCopy[static_cast<size_t>(RecordIndex)];
    if (sel >= 0)
        record.SetU8(msend::kTrigger, static_cast<uint8_t>(TriggerNumberOf(*TriggerBox, sel)));
    // The chooser's trigger editor clears references to a trigger it restricts
    // in this copy too, so OK does not bring them back.
    OpenerWorkingCopy opener;
    opener.kind = OpenerWorkingCopy::Kind::MailSends;
    opener.mailSends = MailCopy;
    bool changed = false;
    const int trigger = record.U8(msend::kTrigger);
    const int row = trigger >= 1 && trigger <= kMailTriggerCount ? trigger - 1 : -1;
    const int chosen = RunTriggerChooser(this, doc_, row, &changed, &opener);
    SetMailSendTable(opener.mailSends);
    if (changed) {
        TriggerCopy = doc_.Blocks().triggers;
        FillTriggers();
    }
    int pick = chosen >= 0 ? chosen : LastTriggerSel;
    if (pick >= 0 && (static_cast<size_t>(pick) >= ExcludedFlags.size() || ExcludedFlags[pick]))
        pick = 0;
    TriggerBox->SetSelection(pick >= 0 ? pick : wxNOT_FOUND);
    LastTriggerSel = pick;
}

void CMailSendDlg::OnClickedChoice() {
    const bool on = ChoiceCheck->GetValue();
    ChoiceBox->Enable(on);
    if (!on)
        ChoiceBox->SetSelection(0);
}

void CMailSendDlg::EditRecipient(long item) {
    if (item < 0 || item >= static_cast<long>(UserTable::kCount))
        return;
    UserTable users = UserCopy;
    if (!RunRecipientEditor(this, doc_, users, static_cast<int>(item)))
        return;
    SetUsers(users);
    const uint16_t mask = GetCheckedMask(*RecipientList);
    FillUserList(UserCopy, mask, *RecipientList, CodePage, kMailRecipientSlot);
    RecipientList->SetItemState(item, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

void CMailSendDlg::OnBnClickedOk() {
    MailSendForm form;
    const int sel = TriggerBox->GetSelection();
    form.trigger = sel >= 0 ? TriggerNumberOf(*TriggerBox, sel) : -1;
    form.userMask = GetCheckedMask(*RecipientList);
    form.shortText = ShortTextEdit->GetValue().ToStdWstring();
    form.longText = LongTextEdit->GetValue().ToStdWstring();
    form.choiceOn = ChoiceCheck->GetValue();
    form.choiceIndex = ChoiceBox->GetSelection();
    MailSendRecord record = MailCopy[static_cast<size_t>(RecordIndex)];
    const Refusal refusal = StoreMailSendForm(form, record, CodePage);
    if (refusal.Refused()) {
        ShowMessage(kMbOk, RefusalText(refusal));
        if (wxWindow* field = FindWindow(refusal.field))
            field->SetFocus();
        return;
    }
    // Only this entry goes in: the document's other entries stay as they are
    // now, whatever another editor did to them since this one opened.
    MailSendTable mails = doc_.Blocks().mailSends;
    mails[static_cast<size_t>(RecordIndex)] = record;
    MailCopy = mails;
    doc_.SetMailSendTable(mails);
    doc_.SetUsers(UserCopy);
    EndModal(wxID_OK);
}

bool RunMailSendEditor(wxWindow* parent, CQuorvelDoc& doc, int recordIndex) {
    if (recordIndex < 0 || recordIndex >= kMailSendCount)
        return false;
    auto* editor = new CMailSendDlg(recordIndex, doc, parent);
    const bool stored = editor->ShowModal() == wxID_OK;
    editor->Destroy();
    return stored;
}

} // namespace qv
