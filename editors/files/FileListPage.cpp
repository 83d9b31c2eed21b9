#include "editors/files/FileListPage.h"

#include <wx/button.h>

#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/QuorvelDoc.h"
#include "editors/files/FileListModel.h"
#include "editors/files/FileSetDlg.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "ui/ListBindings.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"
#include "view/QuorvelView.h"

namespace qv {

namespace {

struct Column {
    unsigned heading; // 0: none
    int width;
    wxListColumnFormat align;
};
const Column kFileColumns[] = {{0, 22, wxLIST_FORMAT_CENTRE},   {3052, 40, wxLIST_FORMAT_CENTRE},
                               {3053, 150, wxLIST_FORMAT_LEFT}, {3054, 100, wxLIST_FORMAT_LEFT},
                               {3055, 100, wxLIST_FORMAT_LEFT}, {3056, 150, wxLIST_FORMAT_LEFT}};
const Column kHistoryColumns[] = {{4080, 40, wxLIST_FORMAT_CENTRE},
                                  {4081, 200, wxLIST_FORMAT_LEFT},
                                  {4082, 90, wxLIST_FORMAT_LEFT},
                                  {4083, 200, wxLIST_FORMAT_LEFT}};
constexpr unsigned kStrTriggerHistoryHeading = 4086;

template <size_t N>
void AddColumns(CQVListCtrl* list, const Column (&columns)[N], int slot, unsigned heading1) {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    LoadListState(wxGetApp().Profile(), widths, slot);
    for (size_t i = 0; i < N; ++i) {
        const int stored = widths[slot][i];
        const unsigned heading = i == 1 && heading1 ? heading1 : columns[i].heading;
        list->AppendColumn(heading ? Res(heading) : wxString(), columns[i].align,
                           stored >= 0 ? stored : columns[i].width);
    }
}

void StoreWidths(CQVListCtrl* list, int slot) {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    for (int i = 0; i < list->GetColumnCount() && i < kListColumns; ++i)
        widths[slot][i] = list->GetColumnWidth(i);
    SaveListState(wxGetApp().Profile(), widths, slot);
}

} // namespace

wxWindow* CreateFileListPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view) {
    return new CFileSetPage(parent, doc, view);
}

wxWindow* CreateHistoryFilePage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view, int mode,
                                int recordIndex) {
    return new CHistoryFileSetPage(parent, doc, view, mode, recordIndex);
}

CFileSetPage::CFileSetPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view)
    : CPageBase(&doc, parent), view_(view) {
    ActionButton->SetLabel(Res(kStrResetFiles));
    ActionButton->SetSize(ActionButton->GetBestSize());
    List->SetWindowStyleFlag(List->GetWindowStyleFlag() | wxLC_HRULES | wxLC_VRULES);
    AddColumns(List, kFileColumns, kFileListSlot, 0);
    for (long r = 0; r < 16; ++r)
        List->InsertItem(r, wxString());
    ActionButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ResetChecked(); });
    BindRowEditor(this, List, [this](long row) { EditRow(row); });
    BindColumnWidthSaver(this, List, [this] { SaveColumnWidths(); });
    RefreshList();
    ResizeList();
}

void CFileSetPage::Reload(uint32_t) {
    RefreshList();
}

void CFileSetPage::RefreshList() {
    const ImageBlocks& blocks = Document->Blocks();
    for (long r = 0; r < 16; ++r) {
        const FileRowText t =
            FormatFileSetRow(blocks.files, blocks.triggers, static_cast<int>(r), CodePage);
        List->SetItem(r, 1, t.number);
        List->SetItem(r, 2, t.name);
        List->SetItem(r, 3, t.trigger);
        List->SetItem(r, 4, t.quantity);
        List->SetItem(r, 5, t.count);
    }
    List->Refresh();
}

void CFileSetPage::ResetChecked() {
    std::vector<bool> checked(16);
    for (long r = 0; r < 16; ++r)
        checked[static_cast<size_t>(r)] = List->IsItemChecked(r);
    // The table as it is now: an editor may have changed it since the rows were drawn.
    FileTable files = Document->Blocks().files;
    BoxQuestions questions;
    if (ResetFiles(files, checked, questions)) {
        List->UncheckAll();
        Document->SetFileTable(files);
    }
    RefreshList();
}

void CFileSetPage::EditRow(long row) {
    if (row < 0 || row >= List->GetItemCount())
        return;
    Document->currentItem = static_cast<uint32_t>(row) + 1;
    if (!List->IsItemChecked(row))
        List->CheckItem(row, true);
    RunFileEditor(this, *Document, false);
    RefreshList();
    List->SetAnchor(row);
}

void CFileSetPage::SaveColumnWidths() {
    StoreWidths(List, kFileListSlot);
}

CHistoryFileSetPage::CHistoryFileSetPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view,
                                         int mode, int recordIndex)
    : CPageBase(&doc, parent), PageMode(mode), RecordIndex(recordIndex), view_(view) {
    ActionButton->Hide();
    List->EnableCheckBoxes(false);
    List->SetWindowStyleFlag(List->GetWindowStyleFlag() | wxLC_HRULES | wxLC_VRULES);
    const bool system = recordIndex == static_cast<int>(file::kSystemHistoryIndex);
    AddColumns(List, kHistoryColumns, system ? kSystemHistorySlot : kTriggerHistorySlot,
               system ? 0 : kStrTriggerHistoryHeading);
    List->InsertItem(0, wxT("1"));
    // A double click anywhere in the list, below the row as well.
    List->Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent& e) {
        e.Skip();
        CallAfter([this] { EditRecord(); });
    });
    BindColumnWidthSaver(this, List, [this] { SaveColumnWidths(); });
    RefreshList();
    ResizeList();
}

void CHistoryFileSetPage::Reload(uint32_t) {
    RefreshList();
}

void CHistoryFileSetPage::RefreshList() {
    const ImageBlocks& blocks = Document->Blocks();
    const FileRowText t = FormatHistoryRow(blocks.files, blocks.triggers, RecordIndex, CodePage);
    List->SetItem(0, 1, t.name);
    List->SetItem(0, 2, t.quantity);
    List->SetItem(0, 3, t.count);
    List->Refresh();
}

void CHistoryFileSetPage::EditRecord() {
    Document->currentItem = static_cast<uint32_t>(RecordIndex) + 1;
    RunFileEditor(this, *Document, true);
    RefreshList();
    List->SetAnchor(0);
}

void CHistoryFileSetPage::SaveColumnWidths() {
    StoreWidths(List, RecordIndex == static_cast<int>(file::kSystemHistoryIndex)
                          ? kSystemHistorySlot
                          : kTriggerHistorySlot);
}

} // namespace qv
