// The report list whose item check boxes are the selection: a click checks a
// row, Ctrl+click toggles one, Shift+click checks a range, Up and Down move a
// single check mark. Checked rows show the highlight colours; the list's own
// selection and focus marks are taken away, so the check marks are the only
// selection the user sees.
#pragma once
#include <functional>
#include <vector>
#include <wx/listctrl.h>

namespace qv {

class CQVListCtrl : public wxListCtrl {
public:
    // style is added to the report style.
    CQVListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0);

    void UncheckAll();
    void CheckAll();
    // The row of the last click or Up/Down move; -1 when there is none.
    long Anchor() const { return anchor_; }
    void SetAnchor(long item) { anchor_ = item; }
    // The checked rows, in order.
    std::vector<int> CheckedRows() const;
    // The row Enter opens: the anchor, else the first checked row; -1 for none.
    long RowToOpen() const;
    // Draws the row's colours again (after the host's state of it changed).
    void RepaintRow(long item) { PaintRow(item, IsItemChecked(item)); }

    // A row the host has set aside: a click on it does nothing, and it is
    // drawn grey. None when unset.
    std::function<bool(long)> RowSetAside;

private:
    void OnLeftDown(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnCheckChanged(wxListEvent& event);
    void OnOwnMark(wxListEvent& event);
    void Click(long item, long column, bool shift, bool ctrl);
    void MoveCheck(long item);
    void PaintRow(long item, bool checked);
    void RemoveOwnMarks();
    long ColumnAt(int x) const;

    long anchor_ = -1;
    // Set while the list itself handles a click; its marks go afterwards.
    bool listClicking_ = false;
    bool removingMarks_ = false;
    bool marksPending_ = false;
};

} // namespace qv
