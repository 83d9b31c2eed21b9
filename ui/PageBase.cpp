#include "ui/PageBase.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/menu.h>

#include "app/CommandIds.h"
#include "app/QuorvelApp.h"
#include "ui/DlgBase.h"
#include "ui/QVListCtrl.h"

namespace qv {

namespace {
constexpr int kIdNextTab = 1001;
constexpr int kIdPreviousTab = 1002;
} // namespace

CPageBase::CPageBase(CQuorvelDoc* document, wxWindow* parent)
    : wxPanel(parent, wxID_ANY), Document(document), Parent(parent), CodePage(wxGetApp().codePage) {
    ActionButton = new wxButton(this, kIdAction, wxString(), wxPoint(0, 0));
    List = new CQVListCtrl(this, kIdList);

    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        ResizeList();
        event.Skip();
    });
    Bind(wxEVT_CHAR_HOOK, &CPageBase::OnCharHook, this);
    Bind(wxEVT_CONTEXT_MENU, &CPageBase::OnContextMenu, this);
    auto selectAll = [this](wxCommandEvent&) { OnSelectAll(); };
    Bind(wxEVT_MENU, selectAll, MenuItemId(cmd::kEditSelectAll));
    // Control numbers repeat across pages: these stop here unless a page acts on them.
    auto stop = [](wxCommandEvent&) {};
    for (int id : {kIdAction, kIdNextTab, kIdPreviousTab})
        Bind(wxEVT_BUTTON, stop, id);
    ResizeList();
}

void CPageBase::OnSelectAll() {
    List->CheckAll();
    List->SetFocus();
}

void CPageBase::ResizeList() {
    const int h = ActionButton->IsShown() ? ActionButton->GetSize().y : 0;
    const wxSize client = GetClientSize();
    // The list keeps 5 pixels below the button and ends at the page's lower
    // edge, so its last row and scroll bar are not cut off.
    List->SetSize(0, h + 5, client.x, std::max(0, client.y - h - 5));
    List->Refresh();
}

void CPageBase::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (event.ControlDown() && key == 'A') {
        OnSelectAll();
        event.Skip();
        return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE) {
        // An ordinary key for the focused control: the window around the page
        // never sees it, so it neither closes anything nor presses a default
        // button. wxGTK drops the key after a handled hook whatever
        // DoAllowNextEvent says, so the control gets it from here.
        if (wxWindow* focus = wxWindow::FindFocus()) {
            wxKeyEvent down(event);
            down.SetEventType(wxEVT_KEY_DOWN);
            down.SetEventObject(focus);
            if (!focus->GetEventHandler()->ProcessEvent(down)) {
                wxKeyEvent typed(down);
                typed.SetEventType(wxEVT_CHAR);
                focus->GetEventHandler()->ProcessEvent(typed);
            }
        }
        return;
    }
    event.Skip();
}

void CPageBase::OnContextMenu(wxContextMenuEvent& event) {
    std::unique_ptr<wxMenu> popup = LoadPopupMenu(kMenuEdit);
    if (!popup) {
        event.Skip();
        return;
    }
    for (int command : {cmd::kEditPaste, cmd::kEditCopy, cmd::kEditCut})
        popup->Destroy(MenuItemId(command));
    PopupMenu(popup.get()); // at the cursor; the commands come to the page
}

} // namespace qv
