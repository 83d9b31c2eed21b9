#include "ui/ListBindings.h"

#include <wx/listctrl.h>
#include <wx/utils.h>

namespace qv {

void BindRowEditor(wxWindow* page, wxListCtrl* list, std::function<void(long)> edit) {
    list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [page, list, edit](wxListEvent& e) {
        const long row = e.GetIndex();
        const wxPoint at = list->ScreenToClient(wxGetMousePosition());
        if (at.x >= 0 && at.x < list->GetColumnWidth(0))
            return;
        page->CallAfter([edit, row] { edit(row); });
    });
}

void BindColumnWidthSaver(wxWindow* page, wxListCtrl* list, std::function<void()> save) {
    list->Bind(wxEVT_LIST_COL_END_DRAG, [page, save](wxListEvent& e) {
        e.Skip();
        page->CallAfter([save] { save(); });
    });
}

} // namespace qv
