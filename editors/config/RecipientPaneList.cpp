#include "editors/config/RecipientPaneList.h"

#include <wx/listctrl.h>

#include "app/QuorvelApp.h"
#include "editors/recipients/RecipientEditors.h"
#include "ui/ListFillers.h"

namespace qv {

void KeepRecipientColumnWidths(const wxListCtrl& list, int slot) {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    if (slot < 0 || slot >= kListCount)
        return;
    for (int c = 0; c < list.GetColumnCount() && c < kListColumns; ++c)
        widths[slot][c] = list.GetColumnWidth(c);
}

bool EditRecipientRow(wxWindow* pane, CQuorvelDoc& doc, UserTable& users, wxListCtrl& list,
                      long row, uint16_t mask, int slot) {
    if (row < 0 || row >= static_cast<long>(UserTable::kCount))
        return false;
    if (!RunRecipientEditor(pane, doc, users, static_cast<int>(row)))
        return false;
    FillUserList(users, mask, list, wxGetApp().codePage, slot);
    return true;
}

} // namespace qv
