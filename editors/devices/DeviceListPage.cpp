#include "editors/devices/DeviceListPage.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/CommandIds.h"
#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/devices/DeviceEditDlg.h"
#include "editors/devices/DeviceEditorModel.h"
#include "editors/devices/DeviceTableModel.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "ui/ColumnFit.h"
#include "ui/DlgBase.h"
#include "ui/ListBindings.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"
#include "view/QuorvelView.h"

namespace qv {

namespace {
constexpr unsigned kStrDelete = 39101;
constexpr int kIndexColumn = 1; // the record index: always hidden
const wxColour kSummaryColour(0xAD, 0xD8, 0xE6);

struct Column {
    unsigned heading; // 0: none (the check box column)
    int width;
    wxListColumnFormat align;
};
const Column kColumns[] = {{0, 22, wxLIST_FORMAT_CENTRE},    {3073, 0, wxLIST_FORMAT_LEFT},
                           {3068, 60, wxLIST_FORMAT_CENTRE}, {3069, 100, wxLIST_FORMAT_LEFT},
                           {3070, 160, wxLIST_FORMAT_LEFT},  {3071, 100, wxLIST_FORMAT_LEFT},
                           {3072, 120, wxLIST_FORMAT_LEFT}};
constexpr int kColumnCount = 7;

std::wstring DeviceRowText::*const kCells[kColumnCount] = {nullptr,
                                                           &DeviceRowText::index,
                                                           &DeviceRowText::number,
                                                           &DeviceRowText::name,
                                                           &DeviceRowText::address,
                                                           &DeviceRowText::mode,
                                                           &DeviceRowText::data};
} // namespace

wxWindow* CreateDeviceListPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view) {
    return new CDeviceSetPage(parent, doc, view);
}

CDeviceSetPage::CDeviceSetPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view)
    : wxPanel(parent, wxID_ANY), doc_(doc), view_(view), codePage_(wxGetApp().codePage),
      table_(std::make_unique<DeviceTable>(doc.Blocks().devices)) {
    DeleteButton = new wxButton(this, kIdDelete, Res(kStrDelete));
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(DeleteButton, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    for (wxStaticText*& field : SummaryFields) {
        field = new wxStaticText(this, wxID_ANY, wxString());
        field->SetBackgroundColour(kSummaryColour);
        top->Add(field, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3);
    }

    List =
        new CQVListCtrl(this, kIdList, wxDefaultPosition, wxDefaultSize, wxLC_HRULES | wxLC_VRULES);
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    LoadListState(wxGetApp().Profile(), widths, kDeviceListSlot);
    const std::vector<DeviceRowText> typical = TypicalDeviceRows(doc.Blocks().unit, codePage_);
    for (int i = 0; i < kColumnCount; ++i) {
        const wxString heading = kColumns[i].heading ? Res(kColumns[i].heading) : wxString();
        const int stored = widths[kDeviceListSlot][i];
        int width = stored;
        if (i == kIndexColumn) {
            width = 0;
        } else if (stored < 0) {
            std::vector<std::wstring> texts;
            if (kCells[i])
                for (const DeviceRowText& row : typical)
                    texts.push_back(row.*kCells[i]);
            width = FitColumnWidth(*List, kColumns[i].width, heading, texts);
        }
        List->AppendColumn(heading, kColumns[i].align, width);
    }
    List->RowSetAside = [this](long row) {
        return model_.IsCutMarked(fileNo_, static_cast<int>(row) + 1);
    };

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 0, wxEXPAND | wxBOTTOM, 5);
    sizer->Add(List, 1, wxEXPAND);
    SetSizer(sizer);

    DeleteButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DeleteRows(); });
    // The index column stays hidden whatever the user drags.
    List->Bind(wxEVT_LIST_COL_BEGIN_DRAG, [](wxListEvent& e) {
        if (e.GetColumn() == kIndexColumn)
            e.Veto();
        else
            e.Skip();
    });
    BindColumnWidthSaver(this, List, [this] { SaveColumnWidths(); });
    List->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        int flags = 0;
        const long row = List->HitTest(e.GetPosition(), flags);
        if (row >= 0)
            currentNumber_ = static_cast<int>(row) + 1;
        e.Skip();
    });
    BindRowEditor(this, List, [this](long row) { EditRow(row); });
    List->Bind(wxEVT_KEY_DOWN, &CDeviceSetPage::OnListKey, this);
    List->Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent&) { OnContextMenu(); });
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { CopyRows(false); }, MenuItemId(cmd::kEditCopy));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { CutRows(); }, MenuItemId(cmd::kEditCut));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { PasteRows(); }, MenuItemId(cmd::kEditPaste));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { SelectAllRows(); }, MenuItemId(cmd::kEditSelectAll));

    RefreshList();
}

CDeviceSetPage::~CDeviceSetPage() = default;

// The application writes the table into the profile when the program closes.
void CDeviceSetPage::SaveColumnWidths() {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    for (int i = 0; i < List->GetColumnCount() && i < kListColumns; ++i)
        widths[kDeviceListSlot][i] = i == kIndexColumn ? 0 : List->GetColumnWidth(i);
}

void CDeviceSetPage::Reload(uint32_t item) {
    fileNo_ = std::clamp(static_cast<int>(item), 1, kDeviceFileCount);
    ShowFileSummary();
    UncheckAllRows();
    RefreshList();
}

void CDeviceSetPage::SetDeviceTableCopy(const DeviceTable& table) {
    *table_ = table;
}

void CDeviceSetPage::RefreshList() {
    *table_ = doc_.Blocks().devices;
    // A cut whose devices changed meanwhile (the editor stored) is no cut.
    model_.Sync(*table_);
    const int rows = MaxDeviceNumber(doc_.Blocks().files, fileNo_);
    const std::vector<int> indexes = DeviceRowIndexes(*table_, fileNo_, rows);
    List->Freeze();
    while (List->GetItemCount() < rows) {
        List->InsertItem(List->GetItemCount(), wxString());
        shown_.emplace_back();
    }
    while (List->GetItemCount() > rows) {
        List->DeleteItem(List->GetItemCount() - 1);
        shown_.pop_back();
    }
    for (long r = 0; r < rows; ++r)
        FillRow(r, indexes[static_cast<size_t>(r)]);
    RepaintRows();
    List->Thaw();
}

void CDeviceSetPage::FillRow(long row, int index) {
    const DeviceRowText text =
        FormatDeviceRow(*table_, index, static_cast<int>(row) + 1, doc_.Blocks().unit, codePage_);
    DeviceRowText& shown = shown_[static_cast<size_t>(row)];
    for (int c = 1; c < kColumnCount; ++c)
        if (shown.*kCells[c] != text.*kCells[c])
            List->SetItem(row, c, text.*kCells[c]);
    shown = text;
}

void CDeviceSetPage::RepaintRows() {
    const long count = List->GetItemCount();
    for (long r = 0; r < count; ++r)
        List->RepaintRow(r);
}

void CDeviceSetPage::ShowFileSummary() {
    const FileSummaryText s =
        FormatFileSummary(doc_.Blocks().files, doc_.Blocks().triggers, fileNo_, codePage_);
    const std::wstring* texts[] = {&s.name, &s.trigger, &s.quantity, &s.count};
    for (size_t i = 0; i < std::size(texts); ++i)
        SummaryFields[i]->SetLabel(*texts[i]);
    Layout();
}

void CDeviceSetPage::UncheckAllRows() {
    List->UncheckAll();
}

void CDeviceSetPage::SelectAllRows() {
    List->CheckAll();
    List->SetFocus();
}

std::vector<int> CDeviceSetPage::CheckedNumbers() const {
    std::vector<int> numbers = List->CheckedRows();
    for (int& n : numbers)
        ++n; // device numbers count from 1
    return numbers;
}

void CDeviceSetPage::CopyRows(bool cut) {
    model_.Copy(*table_, fileNo_, CheckedNumbers(), cut);
    view_.copiedRowCount = static_cast<int>(model_.CopiedCount());
    if (cut)
        UncheckAllRows();
    RepaintRows(); // an earlier cut's marks went
}

void CDeviceSetPage::PasteRows() {
    DeviceTable scratch = doc_.Blocks().devices;
    const Refusal refusal = model_.Paste(scratch, doc_.Blocks().files, fileNo_, CheckedNumbers());
    if (refusal.Refused()) {
        ShowMessage(kMbOk, RefusalText(refusal));
        RepaintRows(); // a cut of a changed table is gone
        return;
    }
    doc_.SetDeviceTable(scratch);
    RefreshList();
}

void CDeviceSetPage::DeleteRows() {
    DeviceTable scratch = doc_.Blocks().devices;
    BoxQuestions questions;
    const DeviceDeletion deletion = model_.Delete(scratch, fileNo_, CheckedNumbers(), questions);
    if (deletion.refusal.Refused()) {
        ShowMessage(kMbOk, RefusalText(deletion.refusal));
        return;
    }
    if (!deletion.deleted)
        return; // cancelled: the rows stay checked
    UncheckAllRows();
    doc_.SetDeviceTable(scratch);
    RefreshList();
}

void CDeviceSetPage::ClearCutMarks() {
    if (!model_.CutPending())
        return;
    model_.CancelCut();
    RepaintRows();
}

void CDeviceSetPage::MarkCurrentDevice(int previousNumber, int number) {
    const long count = List->GetItemCount();
    if (previousNumber <= 0)
        UncheckAllRows();
    else if (previousNumber <= count)
        List->CheckItem(previousNumber - 1, false);
    if (number >= 1 && number <= count) {
        List->CheckItem(number - 1, true);
        List->EnsureVisible(number - 1);
    }
    currentNumber_ = number;
}

void CDeviceSetPage::EditRow(long row) {
    if (row < 0 || row >= List->GetItemCount())
        return;
    const int number = static_cast<int>(row) + 1;
    doc_.SetStationFlagsFromDevice(*table_, number, fileNo_);
    if (CQuorvelDoc::FindDeviceRecord(*table_, fileNo_, number, 2) < 0) {
        ShowMessageId(kMsgNoRoomForDevices, kMbOk);
        return;
    }
    currentNumber_ = number;
    UncheckAllRows();
    RunDeviceEditor(this, *this, static_cast<int>(row), doc_);
    List->SetAnchor(currentNumber_ - 1);
    RefreshList();
    List->SetFocus();
}

void CDeviceSetPage::OnListKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const bool ctrl = event.ControlDown();
    if (ctrl && key == 'A')
        SelectAllRows();
    else if (ctrl && key == 'C')
        CopyRows(false);
    else if (ctrl && key == 'X')
        CutRows();
    else if (ctrl && key == 'V')
        PasteRows();
    else if (key == WXK_DELETE || key == WXK_NUMPAD_DELETE)
        DeleteRows();
    else if (key == WXK_ESCAPE)
        ClearCutMarks();
    else if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        const long row = List->RowToOpen();
        if (row >= 0)
            EditRow(row);
    } else {
        event.Skip();
        if (key == WXK_UP || key == WXK_DOWN || key == WXK_NUMPAD_UP || key == WXK_NUMPAD_DOWN)
            CallAfter([this] {
                if (List->Anchor() >= 0)
                    currentNumber_ = static_cast<int>(List->Anchor()) + 1;
            });
    }
}

void CDeviceSetPage::OnContextMenu() {
    std::unique_ptr<wxMenu> menu = LoadPopupMenu(kMenuEdit);
    if (!menu)
        return;
    if (model_.CopiedCount() == 0)
        menu->Enable(MenuItemId(cmd::kEditPaste), false);
    PopupMenu(menu.get());
}

} // namespace qv
