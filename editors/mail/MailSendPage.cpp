#include "editors/mail/MailSendPage.h"

#include <wx/button.h>

#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/mail/MailSendDlg.h"
#include "editors/mail/MailSendListModel.h"
#include "ui/ListBindings.h"
#include "ui/Messages.h"
#include "ui/QVListCtrl.h"

namespace qv {

namespace {
constexpr unsigned kStrDelete = 39101;

struct Column {
    unsigned heading;
    int width;
    wxListColumnFormat align;
};
const Column kColumns[] = {{5131, 22, wxLIST_FORMAT_CENTRE},
                           {5132, 40, wxLIST_FORMAT_CENTRE},
                           {5133, 130, wxLIST_FORMAT_LEFT},
                           {5134, 150, wxLIST_FORMAT_LEFT},
                           {5135, 180, wxLIST_FORMAT_LEFT}};
constexpr int kColumnCount = 5;
} // namespace

wxWindow* CreateMailSendPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView&) {
    return new CMailSendPage(parent, doc);
}

CMailSendPage::CMailSendPage(wxWindow* parent, CQuorvelDoc& doc)
    : CPageBase(&doc, parent), TriggerCopy(doc.Blocks().triggers), MailCopy(doc.Blocks().mailSends),
      UserCopy(doc.Blocks().users) {
    ActionButton->SetLabel(Res(kStrDelete));
    ActionButton->SetSize(ActionButton->GetBestSize());

    ColumnWidthTable& widths = wxGetApp().columnWidths;
    LoadListState(wxGetApp().Profile(), widths, kMailSendListSlot);
    List->SetWindowStyleFlag(List->GetWindowStyleFlag() | wxLC_HRULES | wxLC_VRULES);
    for (int c = 0; c < kColumnCount; ++c) {
        const int stored = widths[kMailSendListSlot][c];
        List->AppendColumn(Res(kColumns[c].heading), kColumns[c].align,
                           stored >= 0 ? stored : kColumns[c].width);
    }
    for (long r = 0; r < kMailSendCount; ++r)
        List->InsertItem(r, wxString());

    ActionButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBnClickedDelete(); });
    BindColumnWidthSaver(this, List, [this] { SaveColumnWidths(); });
    BindRowEditor(this, List, [this](long row) { EditRow(row); });
    List->Bind(wxEVT_KEY_DOWN, &CMailSendPage::OnListKey, this);
    RefreshList();
    ResizeList();
}

CMailSendPage::~CMailSendPage() = default;

// The application writes the table into the profile when the program closes.
void CMailSendPage::SaveColumnWidths() {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    for (int c = 0; c < List->GetColumnCount() && c < kListColumns; ++c)
        widths[kMailSendListSlot][c] = List->GetColumnWidth(c);
}

void CMailSendPage::Reload(uint32_t) {
    RefreshList();
}

void CMailSendPage::RefreshList() {
    List->Freeze();
    for (long r = 0; r < kMailSendCount; ++r)
        FormatRow(r);
    List->Thaw();
}

void CMailSendPage::FormatRow(long row) {
    // The copies follow the document: another editor may have changed it.
    const ImageBlocks& blocks = Document->Blocks();
    TriggerCopy = blocks.triggers;
    MailCopy = blocks.mailSends;
    UserCopy = blocks.users;
    const MailSendRowText text =
        FormatMailSendRow(MailCopy, TriggerCopy, UserCopy, static_cast<int>(row), CodePage);
    const std::wstring* cells[] = {&text.number, &text.trigger, &text.recipients, &text.shortText};
    for (int c = 1; c < kColumnCount; ++c)
        if (List->GetItemText(row, c) != *cells[c - 1])
            List->SetItem(row, c, *cells[c - 1]);
}

void CMailSendPage::OnBnClickedDelete() {
    const std::vector<int> rows = List->CheckedRows();
    if (rows.empty()) {
        ShowMessageId(kMsgNothingChecked, kMbOk);
        return;
    }
    // Stored at once, with nothing to take it back: Cancel is the default.
    if (ShowMessageId(kMsgDeleteChecked, kMbOkCancel | kMbIconQuestion | kMbDefButton2) != kIdOk)
        return;
    // The document's table as it is now, not a copy taken before the question.
    MailCopy = Document->Blocks().mailSends;
    ClearMailSends(MailCopy, rows);
    Document->SetMailSendTable(MailCopy);
    List->UncheckAll();
    RefreshList();
}

bool CMailSendPage::EditRow(long row) {
    if (row < 0 || row >= List->GetItemCount())
        return false;
    List->CheckItem(row, true);
    const bool stored = RunMailSendEditor(this, *Document, static_cast<int>(row));
    if (stored) {
        RefreshList();
        List->SetAnchor(row);
    }
    List->SetFocus();
    return stored;
}

void CMailSendPage::OnListKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        const long row = List->RowToOpen();
        if (row >= 0)
            EditRow(row);
    } else {
        event.Skip();
    }
}

} // namespace qv
