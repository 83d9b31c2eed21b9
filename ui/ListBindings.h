// The list pages' common bindings on their check-box list: a double click
// that opens a row's editor, and column widths kept after a drag.
#pragma once
#include <functional>

class wxListCtrl;
class wxWindow;

namespace qv {

// A double click on a row runs `edit` with the row once the click's own
// handling is over; a double click on the check-box column (column 0) only
// toggles the box.
void BindRowEditor(wxWindow* page, wxListCtrl* list, std::function<void(long)> edit);

// After the user dragged a column's edge, `save` keeps the new widths.
void BindColumnWidthSaver(wxWindow* page, wxListCtrl* list, std::function<void()> save);

} // namespace qv
