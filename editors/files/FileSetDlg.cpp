#include "editors/files/FileSetDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/QuorvelApp.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/lan/LanSetDlg.h"
#include "editors/recipients/RecipientEditors.h"
#include "editors/triggers/TriggerListDlg.h"
#include "ui/EditBalloon.h"
#include "ui/ListFillers.h"
#include "ui/Messages.h"
#include "ui/StdButtons.h"

namespace qv {

namespace {

constexpr unsigned kStrSystemHistoryCaption = 3002;
constexpr unsigned kStrTriggerHistoryCaption = 3003;
constexpr unsigned kStrCaption = 39602, kStrNumber = 39603, kStrName = 39604, kStrTrigger = 39605,
                   kStrTriggers = 39606, kStrMode64 = 39607, kStrQuantity = 39608,
                   kStrMode1 = 39609, kStrMode2 = 39610, kStrByCount = 39611, kStrBySecond = 39612,
                   kStrRecipients = 39613, kStrMail = 39614, kStrMailServer = 39615,
                   kStrFtp = 39616, kStrFtpSettings = 39617, kStrGroups = 39618;

wxStaticText* Label(wxWindow* parent, unsigned id) {
    return new wxStaticText(parent, wxID_ANY, Res(id));
}

} // namespace

CFileSetDlg::CFileSetDlg(wxWindow* parent, CQuorvelDoc& doc, bool fromHistoryPage)
    : CDlgBase(kDlgFileEditor, &doc, parent, Res(kStrCaption)),
      RecordIndex(FileRecordIndex(doc.currentItem)), doc_(doc) {
    const ImageBlocks& blocks = doc.Blocks();
    TriggerCopy = blocks.triggers;
    FileCopy = blocks.files;
    UserCopy = blocks.users;
    GroupCopy = blocks.groups;
    if (doc.currentItem >= 32)
        SetTitle(Res(doc.currentItem <= 64 ? kStrTriggerHistoryCaption : kStrSystemHistoryCaption));

    auto* grid = new wxFlexGridSizer(2, 5, 8);
    grid->AddGrowableCol(1);
    NumberText = new wxStaticText(this, 1005, wxString());
    grid->Add(Label(this, kStrNumber), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(NumberText, 0, wxALIGN_CENTER_VERTICAL);
    NameEdit = new wxTextCtrl(this, 1006);
    NameEdit->SetMaxLength(kFileNameChars);
    grid->Add(Label(this, kStrName), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(NameEdit, 0, wxEXPAND);
    TriggerBox = new wxChoice(this, 1015);
    TriggerButton = new wxButton(this, 1012, Res(kStrTriggers));
    auto* triggerRow = new wxBoxSizer(wxHORIZONTAL);
    triggerRow->Add(TriggerBox, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    triggerRow->Add(TriggerButton, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Label(this, kStrTrigger), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(triggerRow, 0, wxEXPAND);
    QuantityBox = new wxChoice(this, 1019);
    for (int q = 1; q <= kFileQuantityMax; ++q)
        QuantityBox->Append(wxString::Format("%d", q));
    grid->Add(Label(this, kStrQuantity), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(QuantityBox, 0);

    Mode64Check = new wxCheckBox(this, 1197, Res(kStrMode64));
    ModeRadio[0] =
        new wxRadioButton(this, 4988, Res(kStrMode1), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    ModeRadio[1] = new wxRadioButton(this, 4989, Res(kStrMode2));
    CountRadio = new wxRadioButton(this, 1018, Res(kStrByCount), wxDefaultPosition, wxDefaultSize,
                                   wxRB_GROUP);
    CountEdit = new wxTextCtrl(this, 1030);
    CountEdit->SetMaxLength(6);
    SecondRadio = new wxRadioButton(this, 1017, Res(kStrBySecond));
    SecondBox = new wxChoice(this, 1016);
    auto* modeRow = new wxBoxSizer(wxHORIZONTAL);
    modeRow->Add(ModeRadio[0], 0, wxRIGHT, 10);
    modeRow->Add(ModeRadio[1], 0);
    auto* switchGrid = new wxFlexGridSizer(2, 5, 8);
    switchGrid->AddGrowableCol(1);
    switchGrid->Add(CountRadio, 0, wxALIGN_CENTER_VERTICAL);
    switchGrid->Add(CountEdit, 0, wxALIGN_CENTER_VERTICAL);
    switchGrid->Add(SecondRadio, 0, wxALIGN_CENTER_VERTICAL);
    switchGrid->Add(SecondBox, 1, wxEXPAND);

    DetailsButton = new wxButton(this, 1020, Res(kStrRecipients) + wxT(" >>"));
    Details = new wxPanel(this, wxID_ANY);
    MailCheck = new wxCheckBox(Details, 4971, Res(kStrMail));
    MailServerButton = new wxButton(Details, 4967, Res(kStrMailServer));
    FtpCheck = new wxCheckBox(Details, 4987, Res(kStrFtp));
    FtpButton = new wxButton(Details, 4985, Res(kStrFtpSettings));
    // The LAN settings dialog writes the document on its own OK, whatever
    // becomes of this editor.
    MailServerButton->Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { RunLanSettingsDialog(this, doc_, kLanPageMail); });
    FtpButton->Bind(wxEVT_BUTTON,
                    [this](wxCommandEvent&) { RunLanSettingsDialog(this, doc_, kLanPageFtp); });
    GroupsCheck = new wxCheckBox(Details, 4986, Res(kStrGroups));
    RecipientList = new wxListCtrl(Details, 4980, wxDefaultPosition, wxSize(-1, 200),
                                   wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
    RecipientList->EnableCheckBoxes(true);
    // Mail and FTP side by side, and the Recipients button beside OK and
    // Cancel: expanded, the editor fits a screen 768 pixels high.
    auto* detailRow = new wxBoxSizer(wxHORIZONTAL);
    detailRow->Add(MailCheck, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    detailRow->Add(MailServerButton, 0, wxRIGHT, 20);
    detailRow->Add(FtpCheck, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    detailRow->Add(FtpButton, 0);
    auto* detailSizer = new wxBoxSizer(wxVERTICAL);
    detailSizer->Add(detailRow, 0, wxBOTTOM, 5);
    detailSizer->Add(GroupsCheck, 0, wxBOTTOM, 5);
    detailSizer->Add(RecipientList, 1, wxEXPAND);
    Details->SetSizer(detailSizer);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxEXPAND | wxALL, 10);
    sizer->Add(Mode64Check, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    sizer->Add(modeRow, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    sizer->Add(switchGrid, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    sizer->Add(Details, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    sizer->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    buttonRow->Add(DetailsButton, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 20);
    buttonRow->AddStretchSpacer();
    buttonRow->Add(CreateStdButtons(this, wxOK | wxCANCEL, false), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(buttonRow, 0, wxEXPAND | wxALL, 10);
    SetSizer(sizer);
    // In the order the eye reads it: the recipients, then their button.
    DetailsButton->MoveAfterInTabOrder(Details);

    if (!IsLogFile(RecordIndex))
        Mode64Check->Hide();
    if (fromHistoryPage)
        TriggerBox->Disable();
    FillTriggerBoxes();
    form_ = LoadFileEditor(FileCopy, RecordIndex, CodePage);
    TransferDataToWindow();
    GetSizer()->SetSizeHints(this);
    Details->Hide(); // opens collapsed
    GetSizer()->SetSizeHints(this);

    NameEdit->Bind(wxEVT_CHAR, &CFileSetDlg::OnNameKey, this);
    TriggerBox->Bind(wxEVT_CHOICE,
                     [this](wxCommandEvent&) { OnTriggerChoice(TriggerBox, lastTrigger_); });
    SecondBox->Bind(wxEVT_CHOICE,
                    [this](wxCommandEvent&) { OnTriggerChoice(SecondBox, lastSecond_); });
    CountRadio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) {
        UpdateSwitchControls();
        CountEdit->SetFocus();
    });
    SecondRadio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateSwitchControls(); });
    TriggerButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ChooseTrigger(); });
    DetailsButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ToggleDetails(); });
    GroupsCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { SwitchRecipients(); });
    RecipientList->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) {
        const long item = e.GetIndex();
        CallAfter([this, item] { EditRecipient(item); });
    });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    NameEdit->SetFocus();
}

void CFileSetDlg::FillTriggerBoxes() {
    FillTriggerCombo(excluded_, *TriggerBox, TriggerCopy, SecondBox, true);
}

bool CFileSetDlg::TransferDataToWindow() {
    NumberText->SetLabel(wxString::Format("%d", ShownFileNumber(doc_.currentItem)));
    NameEdit->ChangeValue(form_.name);
    lastTrigger_ = form_.trigger;
    TriggerBox->SetSelection(form_.trigger);
    QuantityBox->SetSelection(form_.quantityIndex);
    ModeRadio[form_.modeFlag ? 1 : 0]->SetValue(true);
    (form_.bySecondTrigger ? SecondRadio : CountRadio)->SetValue(true);
    lastSecond_ = form_.secondTrigger;
    SecondBox->SetSelection(form_.secondTrigger);
    CountEdit->ChangeValue(form_.count);
    Mode64Check->SetValue(form_.mode64);
    MailCheck->SetValue(form_.mailFlag);
    GroupsCheck->SetValue(form_.byGroups);
    FtpCheck->SetValue(form_.ftpFlag);
    FillRecipients();
    UpdateSwitchControls();
    return true;
}

bool CFileSetDlg::TransferDataFromWindow() {
    form_.name = NameEdit->GetValue().ToStdWstring();
    // -1: a stored value the box has no entry for, kept by the store.
    form_.trigger = TriggerBox->GetSelection() < 0
                        ? -1
                        : TriggerNumberOf(*TriggerBox, TriggerBox->GetSelection());
    form_.quantityIndex = QuantityBox->GetSelection();
    form_.modeFlag = ModeRadio[1]->GetValue();
    form_.bySecondTrigger = SecondRadio->GetValue();
    form_.secondTrigger =
        SecondBox->GetSelection() < 0 ? -1 : TriggerNumberOf(*SecondBox, SecondBox->GetSelection());
    form_.count = CountEdit->GetValue().ToStdWstring();
    form_.mode64 = Mode64Check->GetValue();
    form_.mailFlag = MailCheck->GetValue();
    form_.ftpFlag = FtpCheck->GetValue();
    form_.byGroups = GroupsCheck->GetValue();
    (form_.byGroups ? form_.groupMask : form_.userMask) = GetCheckedMask(*RecipientList);
    return true;
}

void CFileSetDlg::UpdateSwitchControls() {
    const bool byCount = CountRadio->GetValue();
    CountEdit->Enable(byCount);
    SecondBox->Enable(!byCount);
}

void CFileSetDlg::OnTriggerChoice(wxChoice* box, int& last) {
    const int sel = box->GetSelection();
    if (sel >= 0 && static_cast<size_t>(sel) < excluded_.size() &&
        excluded_[static_cast<size_t>(sel)]) {
        box->SetSelection(last);
        ShowMessageId(kMsgExcludedTrigger, kMbOk);
        box->SetFocus();
        return;
    }
    last = sel;
}

void CFileSetDlg::OnNameKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_BACK || key == WXK_TAB || key == WXK_DELETE || event.ControlDown() ||
        key < WXK_SPACE) {
        event.Skip();
        return;
    }
    const wchar_t c = static_cast<wchar_t>(event.GetUnicodeKey());
    // A refused character typed, or one already there (pasted): the key goes.
    if (FileNameHasRefused(std::wstring(1, c)) ||
        FileNameHasRefused(NameEdit->GetValue().ToStdWstring())) {
        ShowEditBalloon(NameEdit, Res(kStrFileNameCharacterTitle), Res(kMsgFileNameCharacter));
        return;
    }
    event.Skip();
}

void CFileSetDlg::FillRecipients() {
    if (form_.byGroups)
        FillGroupList();
    else
        FillUserList(UserCopy, form_.userMask, *RecipientList, CodePage, kFileRecipientSlot);
}

void CFileSetDlg::FillGroupList() {
    RecipientList->ClearAll();
    RecipientList->AppendColumn(wxString(), wxLIST_FORMAT_CENTRE, 22);
    RecipientList->AppendColumn(Res(3092), wxLIST_FORMAT_CENTRE, 35);
    RecipientList->AppendColumn(Res(3093), wxLIST_FORMAT_LEFT, 70);
    RecipientList->AppendColumn(Res(3094), wxLIST_FORMAT_LEFT, 140);
    for (long g = 0; g < 16; ++g) {
        const SendGroupRecord& group = GroupCopy[static_cast<size_t>(g)];
        RecipientList->InsertItem(g, wxString());
        RecipientList->SetItem(g, 1, wxString::Format("%ld", g + 1));
        RecipientList->SetItem(g, 2, GroupName(group, CodePage));
        RecipientList->SetItem(g, 3, GroupMemberText(group, UserCopy, CodePage));
        if (form_.groupMask & (1u << g))
            RecipientList->CheckItem(g, true);
    }
}

void CFileSetDlg::SwitchRecipients() {
    qv::SwitchRecipients(form_, GroupsCheck->GetValue(), GetCheckedMask(*RecipientList));
    FillRecipients();
}

void CFileSetDlg::EditRecipient(long item) {
    if (item < 0 || item >= 16)
        return;
    const bool groups = GroupsCheck->GetValue();
    const bool ok =
        groups ? RunSendGroupEditor(this, doc_, GroupCopy, UserCopy, static_cast<int>(item))
               : RunRecipientEditor(this, doc_, UserCopy, static_cast<int>(item));
    if (!ok)
        return;
    (groups ? form_.groupMask : form_.userMask) = GetCheckedMask(*RecipientList);
    FillRecipients();
    RecipientList->SetItemState(item, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

void CFileSetDlg::ChooseTrigger() {
    const int first = TriggerBox->GetSelection();
    const int second = SecondBox->GetSelection();
    const int number = TriggerNumberOf(*TriggerBox, first);
    OpenerWorkingCopy opener;
    opener.kind = OpenerWorkingCopy::Kind::Files;
    opener.files = FileCopy;
    if (first >= 0)
        opener.files[static_cast<size_t>(RecordIndex)].SetU16(frec::kTrigger,
                                                              static_cast<uint16_t>(number));
    if (second >= 0)
        opener.files[static_cast<size_t>(RecordIndex)].SetU8(
            frec::kSecondTrigger, static_cast<uint8_t>(TriggerNumberOf(*SecondBox, second)));
    bool changed = false;
    const int chosen = RunTriggerChooser(this, doc_, number - 1, &changed, &opener);
    // The trigger editor may have cleared references to a trigger in the table.
    FileCopy = opener.files;
    if (changed) {
        TriggerCopy = doc_.Blocks().triggers;
        FillTriggerBoxes();
    }
    auto allowed = [this](int index) {
        return index >= 0 && static_cast<size_t>(index) < excluded_.size() &&
                       excluded_[static_cast<size_t>(index)]
                   ? 0
                   : index;
    };
    TriggerBox->SetSelection(allowed(chosen >= 0 ? chosen : first));
    SecondBox->SetSelection(allowed(second));
    lastTrigger_ = TriggerBox->GetSelection();
    lastSecond_ = SecondBox->GetSelection();
}

void CFileSetDlg::ToggleDetails() {
    Details->Show(!Details->IsShown());
    GetSizer()->SetSizeHints(this);
    Layout();
}

bool CFileSetDlg::StoreRecord() {
    TransferDataFromWindow();
    const Refusal r =
        StoreFileEditor(form_, RecordIndex, FileCopy, doc_.Blocks().devices, CodePage);
    if (r.Refused()) {
        wxWindow* field = r.field == kFileEdName            ? static_cast<wxWindow*>(NameEdit)
                          : r.field == kFileEdCount         ? static_cast<wxWindow*>(CountEdit)
                          : r.field == kFileEdSecondTrigger ? static_cast<wxWindow*>(SecondBox)
                                                            : nullptr;
        if (r.balloon) {
            const unsigned title = r.messageId == kMsgFileNameMissing ? kStrFileNameMissingTitle
                                                                      : kStrFileNameCharacterTitle;
            ShowEditBalloon(NameEdit, Res(title), Res(r.messageId));
        } else {
            ShowMessage(kMbOk, RefusalText(r));
        }
        if (field)
            field->SetFocus();
        return false;
    }
    doc_.SetFileTable(FileCopy);
    doc_.SetUsers(UserCopy);
    doc_.SetGroups(GroupCopy);
    return true;
}

void CFileSetDlg::OnOk() {
    if (!StoreRecord())
        return;
    if (IsLogFile(RecordIndex) && form_.mode64)
        ShowMessageId(kMsgWideFileStored, kMbOk | kMbIconInformation);
    EndModal(wxID_OK);
}

bool RunFileEditor(wxWindow* parent, CQuorvelDoc& doc, bool fromHistoryPage) {
    CFileSetDlg dlg(parent, doc, fromHistoryPage);
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
