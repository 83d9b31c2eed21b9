// What the two recipient panes share: their list's filling, its column
// widths and the recipient editor behind a double click.
#pragma once
#include <cstdint>

#include "document/SettingsImage.h"

class wxListCtrl;
class wxWindow;

namespace qv {

class CQuorvelDoc;

// Keeps the list's column widths in the application's table as list `slot`.
void KeepRecipientColumnWidths(const wxListCtrl& list, int slot);

// Edits recipient `row` of `users`; on OK fills the list again, with the
// check marks `mask` gives, and returns true.
bool EditRecipientRow(wxWindow* pane, CQuorvelDoc& doc, UserTable& users, wxListCtrl& list,
                      long row, uint16_t mask, int slot);

} // namespace qv
