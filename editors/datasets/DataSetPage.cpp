#include "editors/datasets/DataSetPage.h"

#include <wx/button.h>

#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/datasets/DataSetDlg.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "ui/ListBindings.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"

namespace qv {

namespace {
constexpr unsigned kStrDelete = 39101;
constexpr int kRows = 128;

struct Column {
    unsigned heading; // 0: none (the check box column)
    int width;
    wxListColumnFormat align;
};
const Column kColumns[] = {{0, 22, wxLIST_FORMAT_CENTRE},   {5122, 40, wxLIST_FORMAT_CENTRE},
                           {5123, 150, wxLIST_FORMAT_LEFT}, {5124, 80, wxLIST_FORMAT_LEFT},
                           {5125, 180, wxLIST_FORMAT_LEFT}, {5126, 80, wxLIST_FORMAT_LEFT}};
constexpr int kColumnCount = 6;
std::wstring DataSetRowText::*const kCells[kColumnCount] = {nullptr,
                                                            &DataSetRowText::number,
                                                            &DataSetRowText::name,
                                                            &DataSetRowText::trigger,
                                                            &DataSetRowText::target,
                                                            &DataSetRowText::trigger2};
} // namespace

wxWindow* CreateDataSetPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView&) {
    return new CDataSetPage(parent, doc);
}

CDataSetPage::CDataSetPage(wxWindow* parent, CQuorvelDoc& doc)
    : CPageBase(&doc, parent), doc_(doc) {
    ActionButton->SetLabel(Res(kStrDelete));
    ActionButton->SetSize(ActionButton->GetBestSize());
    List->SetWindowStyleFlag(List->GetWindowStyleFlag() | wxLC_HRULES | wxLC_VRULES);
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    LoadListState(wxGetApp().Profile(), widths, kDataSetListSlot);
    for (int i = 0; i < kColumnCount; ++i) {
        const int stored = widths[kDataSetListSlot][i];
        List->AppendColumn(kColumns[i].heading ? Res(kColumns[i].heading) : wxString(),
                           kColumns[i].align, stored >= 0 ? stored : kColumns[i].width);
    }
    for (long r = 0; r < kRows; ++r)
        List->InsertItem(r, wxString());
    shown_.resize(kRows);

    ActionButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DeleteRows(); });
    BindColumnWidthSaver(this, List, [this] { SaveColumnWidths(); });
    BindRowEditor(this, List, [this](long row) { EditRow(row); });
    List->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        const int key = e.GetKeyCode();
        if (key == WXK_DELETE || key == WXK_NUMPAD_DELETE) {
            DeleteRows();
        } else if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
            const long row = List->RowToOpen();
            if (row >= 0)
                EditRow(row);
        } else {
            e.Skip();
        }
    });
    RefreshList();
}

void CDataSetPage::Reload(uint32_t) {
    RefreshList();
    List->UncheckAll();
}

void CDataSetPage::RefreshList() {
    List->Freeze();
    for (long r = 0; r < kRows; ++r)
        FillRow(r);
    for (long r = 0; r < kRows; ++r)
        List->RepaintRow(r);
    List->Thaw();
}

void CDataSetPage::FillRow(long row) {
    const ImageBlocks& b = doc_.Blocks();
    const DataSetRowText text =
        FormatDataSetRow(b.dataSets, b.triggers, b.unit, static_cast<int>(row), CodePage);
    DataSetRowText& shown = shown_[static_cast<size_t>(row)];
    for (int c = 1; c < kColumnCount; ++c)
        if (shown.*kCells[c] != text.*kCells[c] || c == 1)
            List->SetItem(row, c, text.*kCells[c]);
    shown = text;
}

void CDataSetPage::DeleteRows() {
    // The document's table as it is now, never a copy from before an editor ran.
    DataSetTable table = doc_.Blocks().dataSets;
    BoxQuestions questions;
    Refusal refusal;
    if (!DeleteDataSets(table, List->CheckedRows(), questions, refusal)) {
        if (refusal.Refused())
            ShowMessage(kMbOk, RefusalText(refusal));
        return;
    }
    List->UncheckAll();
    doc_.SetDataSetTable(table);
    RefreshList();
}

bool CDataSetPage::EditRow(long row) {
    if (row < 0 || row >= kRows)
        return false;
    List->CheckItem(row, true);
    CDataSetDlg editor(static_cast<int>(row), doc_, this);
    const bool stored = editor.ShowModal() == wxID_OK;
    if (stored)
        RefreshList();
    List->SetAnchor(row);
    List->RepaintRow(row);
    List->SetFocus();
    return stored;
}

// The application writes the table into the profile when the program closes.
void CDataSetPage::SaveColumnWidths() {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    for (int i = 0; i < List->GetColumnCount() && i < kListColumns; ++i)
        widths[kDataSetListSlot][i] = List->GetColumnWidth(i);
}

} // namespace qv
