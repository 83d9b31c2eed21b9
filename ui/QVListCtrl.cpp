#include "ui/QVListCtrl.h"

#include <algorithm>
#include <wx/settings.h>
#include <wx/utils.h>

namespace qv {

CQVListCtrl::CQVListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                         long style)
    // Single selection: the list's own box toggling then ignores Ctrl and Shift.
    : wxListCtrl(parent, id, pos, size, wxLC_REPORT | wxLC_SINGLE_SEL | style) {
    EnableCheckBoxes(true);
    Bind(wxEVT_LEFT_DOWN, &CQVListCtrl::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CQVListCtrl::OnLeftDown, this);
    Bind(wxEVT_KEY_DOWN, &CQVListCtrl::OnKeyDown, this);
    // The list itself would announce a right click twice; the host's menu
    // comes once, from here.
    Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent&) {
        wxContextMenuEvent menu(wxEVT_CONTEXT_MENU, GetId(), wxGetMousePosition());
        menu.SetEventObject(this);
        ProcessWindowEvent(menu);
    });
    Bind(wxEVT_LIST_ITEM_CHECKED, &CQVListCtrl::OnCheckChanged, this);
    Bind(wxEVT_LIST_ITEM_UNCHECKED, &CQVListCtrl::OnCheckChanged, this);
    Bind(wxEVT_LIST_ITEM_SELECTED, &CQVListCtrl::OnOwnMark, this);
    Bind(wxEVT_LIST_ITEM_FOCUSED, &CQVListCtrl::OnOwnMark, this);
    auto forgetAnchor = [this](wxListEvent& event) {
        anchor_ = -1;
        event.Skip();
    };
    Bind(wxEVT_LIST_DELETE_ITEM, forgetAnchor);
    Bind(wxEVT_LIST_DELETE_ALL_ITEMS, forgetAnchor);
}

void CQVListCtrl::UncheckAll() {
    if (!HasCheckBoxes())
        return;
    const long count = GetItemCount();
    for (long i = 0; i < count; ++i)
        if (IsItemChecked(i))
            CheckItem(i, false);
}

void CQVListCtrl::CheckAll() {
    if (!HasCheckBoxes())
        return;
    const long count = GetItemCount();
    for (long i = 0; i < count; ++i)
        if (!IsItemChecked(i))
            CheckItem(i, true);
}

void CQVListCtrl::OnLeftDown(wxMouseEvent& event) {
    event.Skip();
    SetFocus();
    int flags = 0;
    long column = -1;
    const long item = HitTest(event.GetPosition(), flags, &column);
    if (item >= 0 && column < 0)
        column = ColumnAt(event.GetX());
    // The modifiers are those of this click, not of some earlier key press.
    if (event.GetEventType() == wxEVT_LEFT_DOWN)
        Click(item, column, event.ShiftDown(), event.ControlDown());
    if (item < 0)
        return;
    // The list itself now toggles a hit box or reports a double click; its
    // marks go once it is done, as taking them mid-way would pull its current
    // row from under it.
    listClicking_ = true;
    CallAfter([this] {
        listClicking_ = false;
        RemoveOwnMarks();
    });
}

void CQVListCtrl::Click(long item, long column, bool shift, bool ctrl) {
    if (item < 0 || column <= 0 || (RowSetAside && RowSetAside(item))) {
        anchor_ = -1;
        return;
    }
    // A list without check boxes only remembers the row.
    if (!HasCheckBoxes()) {
        anchor_ = item;
        return;
    }
    if (shift && anchor_ >= 0) {
        for (long i = std::min(anchor_, item); i <= std::max(anchor_, item); ++i)
            if (!IsItemChecked(i))
                CheckItem(i, true);
    } else if (ctrl) {
        CheckItem(item, !IsItemChecked(item));
    } else {
        UncheckAll();
        CheckItem(item, true);
    }
    anchor_ = item;
}

void CQVListCtrl::OnKeyDown(wxKeyEvent& event) {
    event.Skip();
    const long count = GetItemCount();
    if (anchor_ >= count)
        anchor_ = -1;
    switch (event.GetKeyCode()) {
    case WXK_UP:
    case WXK_NUMPAD_UP:
        if (anchor_ > 0)
            MoveCheck(anchor_ - 1);
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        if (anchor_ < count - 1)
            MoveCheck(anchor_ + 1);
        break;
    default:
        break;
    }
}

void CQVListCtrl::MoveCheck(long item) {
    UncheckAll();
    anchor_ = item;
    if (HasCheckBoxes())
        CheckItem(item, true);
    EnsureVisible(item);
}

void CQVListCtrl::OnCheckChanged(wxListEvent& event) {
    event.Skip();
    if (event.GetIndex() >= 0 && event.GetIndex() < GetItemCount())
        PaintRow(event.GetIndex(), IsItemChecked(event.GetIndex()));
}

void CQVListCtrl::PaintRow(long item, bool checked) {
    if (RowSetAside && RowSetAside(item)) {
        SetItemBackgroundColour(item, GetBackgroundColour());
        SetItemTextColour(item, wxColour(0x80, 0x80, 0x80));
        return;
    }
    // Colours are set, never reset to "none": the list keeps a colour once given.
    SetItemBackgroundColour(item, checked ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)
                                          : GetBackgroundColour());
    SetItemTextColour(item, checked ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT)
                                    : GetForegroundColour());
}

void CQVListCtrl::OnOwnMark(wxListEvent& event) {
    event.Skip();
    if (listClicking_ || event.GetIndex() < 0 || marksPending_)
        return;
    // The list announces its new current row from inside its own key handling
    // and goes on using it: taking it away at once leaves the list drawing a
    // row that is not there.
    marksPending_ = true;
    CallAfter([this] {
        marksPending_ = false;
        RemoveOwnMarks();
    });
}

void CQVListCtrl::RemoveOwnMarks() {
    if (removingMarks_)
        return;
    removingMarks_ = true;
    long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (item < 0)
        item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    if (item >= 0) {
        // A single-selection list drops the selection only of its current row,
        // so the selection goes before the focus.
        SetItemState(item, 0, wxLIST_STATE_SELECTED);
        SetItemState(item, 0, wxLIST_STATE_FOCUSED);
    }
    removingMarks_ = false;
}

long CQVListCtrl::ColumnAt(int x) const {
    int unscrolledX = x;
    CalcUnscrolledPosition(x, 0, &unscrolledX, nullptr);
    int right = 0;
    for (int c = 0; c < GetColumnCount(); ++c) {
        right += GetColumnWidth(c);
        if (unscrolledX < right)
            return c;
    }
    return -1;
}

std::vector<int> CQVListCtrl::CheckedRows() const {
    std::vector<int> rows;
    for (long r = 0; r < GetItemCount(); ++r)
        if (IsItemChecked(r))
            rows.push_back(static_cast<int>(r));
    return rows;
}

long CQVListCtrl::RowToOpen() const {
    if (anchor_ >= 0)
        return anchor_;
    for (long r = 0; r < GetItemCount(); ++r)
        if (IsItemChecked(r))
            return r;
    return -1;
}

} // namespace qv
