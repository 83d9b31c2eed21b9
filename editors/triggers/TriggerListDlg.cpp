#include "editors/triggers/TriggerListDlg.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/sizer.h>

#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "document/TriggerText.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "editors/triggers/TriggerListModel.h"
#include "ui/ColumnFit.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"
#include "ui/StdButtons.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 31501;
constexpr unsigned kStrDelete = 31502;
constexpr int kSelectAllId = MenuItemId(57642);

struct Column {
    unsigned heading; // 0: no heading (the check box column)
    int width;
    wxListColumnFormat align;
};
const Column kColumns[] = {{0, 22, wxLIST_FORMAT_CENTRE},   {3075, 40, wxLIST_FORMAT_CENTRE},
                           {3076, 110, wxLIST_FORMAT_LEFT}, {3077, 80, wxLIST_FORMAT_LEFT},
                           {3078, 150, wxLIST_FORMAT_LEFT}, {3079, 100, wxLIST_FORMAT_LEFT}};
constexpr int kColumnCount = 6;
// The row text each column shows.
std::wstring TriggerRow::*const kCells[kColumnCount] = {nullptr,         &TriggerRow::number,
                                                        &TriggerRow::name, &TriggerRow::kind,
                                                        &TriggerRow::condition, &TriggerRow::flag};
} // namespace

CTrigselDlg::CTrigselDlg(wxWindow* parent, CQuorvelDoc& doc, int row, bool chooser,
                         OpenerWorkingCopy* opener)
    : CDlgBase(kDlgTriggerList, &doc, parent, Res(kStrTitle),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      Triggers(doc.Blocks().triggers), doc_(doc), chooser_(chooser), opener_(opener) {
    List = new CQVListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                           wxLC_HRULES | wxLC_VRULES);
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    LoadListState(wxGetApp().Profile(), widths, kTriggerListSlot);
    const std::vector<TriggerRow> typical = TypicalTriggerRows(CodePage, ConditionFormat());
    int total = 0;
    for (int i = 0; i < kColumnCount; ++i) {
        const wxString heading = kColumns[i].heading ? Res(kColumns[i].heading) : wxString();
        const int stored = widths[kTriggerListSlot][i];
        int width = stored;
        if (stored < 0) {
            std::vector<std::wstring> texts;
            if (kCells[i])
                for (const TriggerRow& row : typical)
                    texts.push_back(row.*kCells[i]);
            width = FitColumnWidth(*List, kColumns[i].width, heading, texts);
        }
        List->AppendColumn(heading, kColumns[i].align, width);
        total += width;
    }
    List->SetMinSize(wxSize(total + 24, 320));
    for (long i = 0; i < kTriggerListRows; ++i) {
        List->InsertItem(i, wxString());
        List->SetItem(i, 1, wxString::Format("%ld", i + 1));
        FillRow(i);
    }
    if (row >= 0 && row < kTriggerListRows) {
        List->CheckItem(row, true);
        List->EnsureVisible(row);
    }

    // OK, Delete and Cancel in a column beside the list.
    auto* buttons = new wxBoxSizer(wxVERTICAL);
    auto* ok = new wxButton(this, wxID_OK, StdButtonLabel(wxID_OK));
    DeleteButton = new wxButton(this, wxID_DELETE, Res(kStrDelete));
    auto* cancel = new wxButton(this, wxID_CANCEL, StdButtonLabel(wxID_CANCEL));
    ok->SetDefault();
    for (wxButton* b : std::initializer_list<wxButton*>{ok, DeleteButton, cancel})
        buttons->Add(b, 0, wxEXPAND | wxBOTTOM, 6);
    auto* row_ = new wxBoxSizer(wxHORIZONTAL);
    row_->Add(List, 1, wxEXPAND | wxALL, 10);
    row_->Add(buttons, 0, wxTOP | wxRIGHT, 10);
    SetSizer(row_);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); }, wxID_CANCEL);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnDelete(); }, wxID_DELETE);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnSelectAll(); }, kSelectAllId);
    // A double click edits its row; once the click's own handling is over.
    List->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) {
        const long item = e.GetIndex();
        CallAfter([this, item] { EditRow(item); });
    });
    List->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == 'A' && e.ControlDown()) {
            OnSelectAll();
        } else if (e.GetKeyCode() == WXK_RETURN || e.GetKeyCode() == WXK_NUMPAD_ENTER) {
            // Enter closes the dialog as OK does, as in every other dialog.
            OnOk();
        } else {
            e.Skip();
        }
    });
    List->Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent&) {
        std::unique_ptr<wxMenu> menu = LoadPopupMenu(kMenuEdit);
        if (!menu)
            return;
        // Only Select All acts on this list.
        for (int id : {57635, 57634, 57637})
            if (menu->FindItem(MenuItemId(id)))
                menu->Delete(MenuItemId(id));
        PopupMenu(menu.get());
    });

    GetSizer()->SetSizeHints(this);
    if (auto rect = LoadTriggerListRect(wxGetApp().Profile()))
        SetSize(rect->width, rect->height);
    CentreOnParent();
    List->SetFocus();
}

CTrigselDlg::~CTrigselDlg() {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    for (int i = 0; i < List->GetColumnCount() && i < kListColumns; ++i)
        widths[kTriggerListSlot][i] = List->GetColumnWidth(i);
    SaveListState(wxGetApp().Profile(), widths, kTriggerListSlot);
    const wxRect r = GetScreenRect();
    SaveTriggerListRect(wxGetApp().Profile(), {r.x, r.y, r.width, r.height});
}

TriggerConditionFormat CTrigselDlg::ConditionFormat() const {
    const UnitBlock& unit = doc_.Blocks().unit;
    const uint32_t cp = CodePage;
    return [&unit, cp](const TriggerTable& t, size_t i) {
        return TriggerConditionText(t, static_cast<int>(i), unit, cp, kTriggerListStyle);
    };
}

void CTrigselDlg::FillRow(long row) {
    const TriggerRow text =
        TriggerListRow(Triggers, static_cast<size_t>(row), CodePage, ConditionFormat());
    List->SetItem(row, 2, text.name);
    List->SetItem(row, 3, text.kind);
    List->SetItem(row, 4, text.condition);
    List->SetItem(row, 5, text.flag);
}

std::vector<bool> CTrigselDlg::CheckedRows() const {
    std::vector<bool> checked(kTriggerListRows);
    for (long i = 0; i < kTriggerListRows; ++i)
        checked[static_cast<size_t>(i)] = List->IsItemChecked(i);
    return checked;
}

void CTrigselDlg::OnOk() {
    if (chooser_) {
        const TriggerChooserOk choice = ChooseCheckedTrigger(Triggers, CheckedRows());
        if (choice.refusal.Refused()) {
            ShowMessageFocus(RefusalText(choice.refusal), List);
            return;
        }
        Chosen = choice.chosen;
    }
    doc_.SetTriggerTable(Triggers);
    EndModal(wxID_OK);
}

void CTrigselDlg::OnCancel() {
    doc_.SetTriggerTable(Triggers);
    EndModal(wxID_CANCEL);
}

void CTrigselDlg::OnDelete() {
    BoxQuestions questions;
    const TriggerDeletion done = DeleteCheckedTriggers(Triggers, CheckedRows(), questions);
    if (done.refusal.Refused()) {
        ShowMessageFocus(RefusalText(done.refusal), List);
        return;
    }
    if (!done.deleted)
        return;
    for (size_t row : done.rows) {
        List->CheckItem(static_cast<long>(row), false);
        FillRow(static_cast<long>(row));
    }
    if (chooser_)
        TriggersChanged = true;
    doc_.SetTriggerTable(Triggers);
}

void CTrigselDlg::OnSelectAll() {
    List->CheckAll();
    List->SetFocus();
}

bool CTrigselDlg::EditRow(long row) {
    if (row < 0 || row >= kTriggerListRows)
        return false;
    CTrigSetDlg editor(this, doc_, static_cast<int>(row), opener_);
    if (editor.ShowModal() != wxID_OK)
        return false;
    Triggers = editor.Copies.triggers;
    for (long i = 0; i < kTriggerListRows; ++i)
        FillRow(i);
    if (chooser_)
        TriggersChanged = true;
    return true;
}

void RunTriggerList(wxWindow* parent, CQuorvelDoc& doc) {
    // Its rectangle and widths are written once, after the dialog.
    const FlushProfileAtEnd flush(wxGetApp().Profile());
    CTrigselDlg dlg(parent, doc, 0);
    dlg.ShowModal();
}

int RunTriggerChooser(wxWindow* parent, CQuorvelDoc& doc, int row, bool* triggersChanged,
                      OpenerWorkingCopy* opener) {
    const FlushProfileAtEnd flush(wxGetApp().Profile());
    CTrigselDlg dlg(parent, doc, row, true, opener);
    const int result = dlg.ShowModal();
    if (triggersChanged)
        *triggersChanged = dlg.TriggersChanged;
    return result == wxID_OK ? dlg.Chosen : -1;
}

} // namespace qv
