#include "editors/triggers/TriggerEditDlg.h"

#include <algorithm>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/PortInfoPane.h"
#include "editors/triggers/TriggerKindPage.h"
#include "editors/triggers/TriggerListModel.h"
#include "ui/Messages.h"
#include "ui/TitleWidth.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 31601;
constexpr unsigned kStrNumber = 31602;
constexpr unsigned kStrName = 31603;
constexpr unsigned kStrKind = 31604;
constexpr unsigned kStrFlag = 31605;
constexpr int kKindCount = 6;
// Room a kind page takes at least, so the smaller pages share one size.
const wxSize kPageArea(370, 200);
} // namespace

bool BoxQuestions::AskYesNo(unsigned messageId) {
    if (messageId == kMsgDeleteTriggers)
        return ShowMessageId(messageId, kMbOkCancel | kMbIconQuestion | kMbDefButton2) == kIdOk;
    return ShowMessageId(messageId, kMbYesNo | kMbIconQuestion | kMbDefButton2) == kIdYes;
}

YesNoCancel BoxQuestions::AskYesNoCancel(unsigned messageId) {
    switch (ShowMessageId(messageId, kMbYesNoCancel | kMbIconQuestion | kMbDefButton3)) {
    case kIdYes: return YesNoCancel::Yes;
    case kIdNo: return YesNoCancel::No;
    default: return YesNoCancel::Cancel;
    }
}

void FilterTextInput(wxTextCtrl* edit, bool (*accepts)(wchar_t),
                     std::wstring (*filter)(const std::wstring&)) {
    edit->Bind(wxEVT_CHAR, [accepts](wxKeyEvent& e) {
        const wxChar c = e.GetUnicodeKey();
        // Editing keys (Backspace, Tab, Enter, Ctrl+letters) are no text.
        if (c == WXK_NONE || c < 0x20 || c == 0x7F || e.ControlDown() || accepts(c))
            e.Skip();
    });
    edit->Bind(wxEVT_TEXT_PASTE, [edit, filter](wxClipboardTextEvent&) {
        wxTextDataObject data;
        if (wxTheClipboard->Open()) {
            wxTheClipboard->GetData(data);
            wxTheClipboard->Close();
        }
        edit->WriteText(filter(data.GetText().ToStdWstring()));
    });
}

CTrigSetDlg::CTrigSetDlg(wxWindow* parent, CQuorvelDoc& doc, int index, OpenerWorkingCopy* opener)
    : CDlgBase(kDlgTriggerEditor, &doc, parent, Res(kStrTitle)), Copies(CopiesOf(doc.Blocks())),
      Index(index), doc_(doc), opener_(opener) {
    const TriggerEditorForm form = LoadTriggerEditor(Copies.triggers, index, CodePage);

    auto* fields = new wxFlexGridSizer(2, wxSize(8, 6));
    fields->AddGrowableCol(1);
    auto label = [&](unsigned id) {
        fields->Add(new wxStaticText(this, wxID_ANY, Res(id)), 0, wxALIGN_CENTER_VERTICAL);
    };
    label(kStrNumber);
    NumberEdit = new wxTextCtrl(this, wxID_ANY, form.number, wxDefaultPosition, wxDefaultSize,
                                wxTE_READONLY);
    NumberEdit->SetMaxLength(3);
    fields->Add(NumberEdit, 0);
    label(kStrName);
    NameEdit = new wxTextCtrl(this, wxID_ANY, form.name);
    NameEdit->SetMaxLength(kTriggerNameChars);
    NameEdit->SetMinSize(wxSize(NameEdit->GetTextExtent(wxString('W', 20)).x, -1));
    FilterTextInput(NameEdit, &TriggerNameAccepts, &FilterTriggerNamePaste);
    fields->Add(NameEdit, 0, wxEXPAND);
    label(kStrKind);
    KindBox = new wxChoice(this, wxID_ANY);
    for (int k = 0; k < kKindCount; ++k)
        KindBox->Append(GetKindName(k));
    KindBox->SetSelection(form.kind >= 0 && form.kind < kKindCount ? form.kind : wxNOT_FOUND);
    fields->Add(KindBox, 0, wxEXPAND);
    fields->AddSpacer(0);
    FlagBox = new wxCheckBox(this, wxID_ANY, Res(kStrFlag));
    FlagBox->SetValue(form.flag);
    fields->Add(FlagBox, 0);

    PortInfo = new CComInfoDlg(this, &doc);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(fields, 1, wxEXPAND | wxRIGHT, 12);
    top->Add(PortInfo, 0);

    pageArea_ = new wxBoxSizer(wxVERTICAL);
    pageArea_->SetMinSize(kPageArea);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(top, 0, wxEXPAND | wxALL, 10);
    column->Add(pageArea_, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    KindBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent& e) { CreateKindPage(e.GetSelection()); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);

    CreateKindPage(form.kind);
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    NameEdit->SetFocus();
}

void CTrigSetDlg::CreateKindPage(int kind) {
    if (Page) {
        pageArea_->Detach(Page);
        Page->Destroy();
        Page = nullptr;
    }
    // The flag's state stays while the box is disabled; the save ignores it.
    FlagBox->Enable(KindTakesFlag(kind));
    Page = qv::CreateKindPage(kind, this, {doc_, Copies.triggers, Index, CodePage});
    if (Page) {
        pageArea_->Add(Page, 1, wxEXPAND);
        // After the kind box in the tab order, before the buttons.
        Page->MoveAfterInTabOrder(FlagBox);
    }
    FitToPage();
}

void CTrigSetDlg::FitToPage() {
    // The hints of the previous page would keep the window at its size and
    // cut the new page off: the window takes the size of what it now holds.
    GetSizer()->SetSizeHints(this);
    Layout(); // also when the size stays: the new page has no place yet
    if (!IsShown())
        return; // placed and widened for its title when it is shown
    MakeRoomForTitle(this);
    // A window grown downwards stays on its display.
    const int display = wxDisplay::GetFromWindow(this);
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0u : unsigned(display)).GetClientArea();
    wxRect r = GetRect();
    if (r.GetBottom() > area.GetBottom())
        r.y = std::max(area.y, area.GetBottom() - r.height + 1);
    if (r.GetRight() > area.GetRight())
        r.x = std::max(area.x, area.GetRight() - r.width + 1);
    if (r.GetPosition() != GetPosition())
        Move(r.GetPosition());
}

void CTrigSetDlg::OnOk() {
    TriggerEditorForm form;
    form.number = NumberEdit->GetValue().ToStdWstring();
    form.name = NameEdit->GetValue().ToStdWstring();
    form.kind = KindBox->GetSelection();
    form.flag = FlagBox->GetValue();
    bool pageRefused = false;
    KindPageStore store;
    if (Page)
        store = [this, &pageRefused](TriggerRecord& record) {
            Refusal r = Page->SaveTrigger(record);
            pageRefused = r.Refused();
            return r;
        };
    BoxQuestions questions;
    const OpenerWorkingCopy noOpener;
    const TriggerEditorOk ok = TriggerEditorStore(
        form, Index, Copies, store, opener_ ? *opener_ : noOpener, CodePage, questions);
    if (ok.refusal.Refused()) {
        wxWindow* field = pageRefused ? Page->FieldWindow(ok.refusal.field) : NameEdit;
        ShowMessageFocus(RefusalText(ok.refusal), field);
        return;
    }
    if (ok.stay)
        return;
    ApplyTriggerEditorOk(ok, doc_.Blocks());
    Copies.triggers = ok.triggers;
    if (opener_)
        *opener_ = ok.opener;
    EndModal(wxID_OK);
}

} // namespace qv
