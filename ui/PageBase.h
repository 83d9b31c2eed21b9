// The base of the list pages that the settings view hosts: the page's
// check-box list (1108) under its action button (3), Ctrl+A to check every
// row, the right-button menu, and Enter and Escape kept inside the page.
// Derived pages bind their action on ActionButton and list notifications on
// List itself; the page stops commands 3, 1001 and 1002 that nobody handled.
#pragma once
#include <cstdint>
#include <wx/panel.h>

class wxButton;

namespace qv {

class CQuorvelDoc;
class CQVListCtrl;

class CPageBase : public wxPanel {
public:
    static constexpr int kIdList = 1108;
    static constexpr int kIdAction = 3;

    CPageBase(CQuorvelDoc* document, wxWindow* parent);

    // Checks every row and gives the list the focus.
    void OnSelectAll();
    // The list under the action button (when shown), as wide as the page.
    void ResizeList();

    CQuorvelDoc* Document;
    wxWindow* Parent;
    uint32_t CodePage;
    CQVListCtrl* List;
    wxButton* ActionButton;

private:
    void OnCharHook(wxKeyEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
};

} // namespace qv
