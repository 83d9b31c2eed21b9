#include "app/SettingsTree.h"

#include <algorithm>
#include <wx/artprov.h>
#include <wx/image.h>
#include <wx/imaglist.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include "app/QuorvelApp.h"
#include "ui/Messages.h"

namespace qv {

namespace {

// Images: 0 leaf, 1 open folder, 2 selected leaf, 3 closed folder.
enum { kImgLeaf, kImgOpen, kImgLeafSelected, kImgClosed };

class ModeData : public wxTreeItemData {
public:
    explicit ModeData(int mode) : mode(mode) {}
    int mode;
};

// The expander buttons, drawn here: the theme's own are scalable pictures
// whose loader would be read in at start-up only for them. A triangle on a
// 16-unit square, 12 wide and 6 deep as the theme draws it, pointing right
// (closed) or down (open), in the text colour a little softened; its edges
// smoothed by 4x4 sampling.
wxBitmap ExpanderButton(int size, bool open, const wxColour& ink) {
    wxImage image(size, size);
    image.InitAlpha();
    image.SetRGB(wxRect(0, 0, size, size), ink.Red(), ink.Green(), ink.Blue());
    const double unit = size / 16.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    // The sample in the square's own units.
                    const double u = (x + (sx + 0.5) / 4) / unit;
                    const double v = (y + (sy + 0.5) / 4) / unit;
                    const double along = open ? v - 5 : u - 5; // 0..6 from the base
                    const double across = open ? std::abs(u - 8) : std::abs(v - 8);
                    inside += along >= 0 && across <= 6 - along;
                }
            image.SetAlpha(x, y, static_cast<unsigned char>(inside * 255 / 16));
        }
    return wxBitmap(image);
}

} // namespace

CQVTreeCtrl::CQVTreeCtrl(wxWindow* parent)
    : wxTreeCtrl(parent, 4, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_SINGLE | wxBORDER_NONE) {
    auto* images = new wxImageList(16, 16, true);
    images->Add(wxArtProvider::GetBitmap(wxART_NORMAL_FILE, wxART_OTHER, wxSize(16, 16)));
    images->Add(wxArtProvider::GetBitmap(wxART_FOLDER_OPEN, wxART_OTHER, wxSize(16, 16)));
    images->Add(wxArtProvider::GetBitmap(wxART_GO_FORWARD, wxART_OTHER, wxSize(16, 16)));
    images->Add(wxArtProvider::GetBitmap(wxART_FOLDER, wxART_OTHER, wxSize(16, 16)));
    AssignImageList(images);
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    const wxColour back = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    const wxColour ink((text.Red() * 4 + back.Red()) / 5, (text.Green() * 4 + back.Green()) / 5,
                       (text.Blue() * 4 + back.Blue()) / 5);
    const int size = FromDIP(16);
    // Closed, closed and chosen, open, open and chosen.
    auto* buttons = new wxImageList(size, size, false);
    for (const bool open : {false, false, true, true})
        buttons->Add(ExpanderButton(size, open, ink));
    AssignButtonsImageList(buttons);
    Bind(wxEVT_TREE_SEL_CHANGED, &CQVTreeCtrl::OnSelChanged, this);
    Bind(wxEVT_TREE_ITEM_EXPANDED, &CQVTreeCtrl::OnExpanded, this);
    Bind(wxEVT_TREE_ITEM_COLLAPSED, &CQVTreeCtrl::OnExpanded, this);
    Bind(wxEVT_RIGHT_DOWN, &CQVTreeCtrl::OnRightDown, this);
}

void CQVTreeCtrl::FillCategoryTree() {
    DeleteAllItems();
    auto add = [this](const wxTreeItemId& parent, const wxString& label, int mode, bool folder) {
        const int image = folder ? kImgClosed : kImgLeaf;
        const int selected = folder ? kImgOpen : kImgLeafSelected;
        if (!parent.IsOk())
            return AddRoot(label, image, selected, new ModeData(mode));
        return AppendItem(parent, label, image, selected, new ModeData(mode));
    };
    root_ = add(wxTreeItemId(), Res(3000), 10, true);
    add(root_, Res(3001), 20, false);
    add(root_, Res(3002), 21, false);
    add(root_, Res(3003), 22, false);
    const wxTreeItemId devices = add(root_, Res(3004), 30, true);
    for (int n = 1; n <= 16; ++n)
        add(devices, wxString::Format(Res(3006), n), 31 + n, false);
    const wxTreeItemId dataSets = add(root_, Res(3007), 50, true);
    add(dataSets, Res(3008), 51, false);
    add(dataSets, Res(3009), 52, false);
    SetItemBold(root_);
    Expand(root_);
    Expand(devices);
    Expand(dataSets);
}

int CQVTreeCtrl::ItemMode(const wxTreeCtrl& tree, const wxTreeItemId& item) {
    auto* data = item.IsOk() ? dynamic_cast<ModeData*>(tree.GetItemData(item)) : nullptr;
    return data ? data->mode : 0;
}

wxTreeItemId CQVTreeCtrl::FindItemByMode(int mode) const {
    std::vector<wxTreeItemId> todo{root_};
    while (!todo.empty()) {
        const wxTreeItemId item = todo.back();
        todo.pop_back();
        if (!item.IsOk())
            continue;
        if (ItemMode(*this, item) == mode)
            return item;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId c = GetFirstChild(item, cookie); c.IsOk(); c = GetNextChild(item, cookie))
            todo.push_back(c);
    }
    return wxTreeItemId();
}

void CQVTreeCtrl::OnSelChanged(wxTreeEvent& event) {
    const int mode = ItemMode(*this, event.GetItem());
    if (mode >= 1)
        wxGetApp().SelectSettingsPage(mode);
}

void CQVTreeCtrl::OnExpanded(wxTreeEvent& event) {
    const bool open = event.GetEventType() == wxEVT_TREE_ITEM_EXPANDED;
    SetItemImage(event.GetItem(), open ? kImgOpen : kImgClosed, wxTreeItemIcon_Normal);
    SetItemImage(event.GetItem(), kImgOpen, wxTreeItemIcon_Selected);
}

void CQVTreeCtrl::OnRightDown(wxMouseEvent& event) {
    // A right click selects the item under the pointer; no menu.
    int flags = 0;
    const wxTreeItemId item = HitTest(event.GetPosition(), flags);
    if (item.IsOk())
        SelectItem(item);
    SetFocus();
}

CFileView::CFileView(wxWindow* parent) : wxPanel(parent, 133) {
    tree_ = new CQVTreeCtrl(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(tree_, 1, wxEXPAND | wxALL, 1);
    SetSizer(sizer);
    tree_->FillCategoryTree();
}

} // namespace qv
