// The docked pane with the fixed tree of settings categories; each item
// carries the page mode the view shows for it.
#pragma once
#include <wx/panel.h>
#include <wx/treectrl.h>

namespace qv {

class CQVTreeCtrl : public wxTreeCtrl {
public:
    explicit CQVTreeCtrl(wxWindow* parent);
    void FillCategoryTree();
    wxTreeItemId RootItem() const { return root_; }
    // The item that carries this page mode, or an invalid id.
    wxTreeItemId FindItemByMode(int mode) const;
    static int ItemMode(const wxTreeCtrl& tree, const wxTreeItemId& item);

private:
    void OnSelChanged(wxTreeEvent& event);
    void OnExpanded(wxTreeEvent& event);
    void OnRightDown(wxMouseEvent& event);
    wxTreeItemId root_;
};

class CFileView : public wxPanel {
public:
    explicit CFileView(wxWindow* parent);
    CQVTreeCtrl* Tree() const { return tree_; }

private:
    CQVTreeCtrl* tree_;
};

} // namespace qv
