#include "app/KeyTipBadges.h"

#include <algorithm>
#include <wx/dcbuffer.h>
#include <wx/popupwin.h>
#include <wx/settings.h>

namespace qv {

namespace {

class BadgeWindow : public wxPopupWindow {
public:
    explicit BadgeWindow(wxWindow* owner) : wxPopupWindow(owner, wxBORDER_NONE) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetFont(owner->GetFont().Bold());
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(this);
            const wxColour back = wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK);
            const wxColour ink = wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT);
            dc.SetBrush(wxBrush(back));
            dc.SetPen(wxPen(ink));
            dc.DrawRectangle(wxRect(GetClientSize()));
            dc.SetFont(GetFont());
            dc.SetTextForeground(enabled ? ink
                                         : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
            const wxSize text = dc.GetTextExtent(keys);
            dc.DrawText(keys, (GetClientSize().x - text.x) / 2, (GetClientSize().y - text.y) / 2);
        });
    }
    void Place(const KeyTipBadge& badge) {
        keys = badge.keys;
        enabled = badge.enabled;
        wxClientDC dc(this);
        dc.SetFont(GetFont());
        const wxSize text = dc.GetTextExtent(keys);
        const wxRect& t = badge.target;
        // Over a button of one line the tip is no higher than the button, so
        // the tips of stacked buttons stay apart.
        const int height =
            badge.overIcon ? std::min(text.y + FromDIP(4), t.height - 1) : text.y + FromDIP(4);
        const wxSize size(std::max(text.x + FromDIP(8), height), height);
        const wxPoint at =
            badge.overIcon ? wxPoint(t.x + FromDIP(2), t.y + (t.height - size.y) / 2)
                           : wxPoint(t.x + (t.width - size.x) / 2, t.GetBottom() + 1 - size.y / 2);
        SetSize(wxRect(at, size));
        Refresh();
    }

    wxString keys;
    bool enabled = true;
};

} // namespace

void CKeyTipBadges::Show(const std::vector<KeyTipBadge>& badges) {
    while (windows_.size() < badges.size())
        windows_.push_back(new BadgeWindow(owner_));
    for (size_t i = 0; i < windows_.size(); ++i) {
        auto* window = static_cast<BadgeWindow*>(windows_[i]);
        if (i < badges.size()) {
            window->Place(badges[i]);
            window->Show();
        } else {
            window->Hide();
        }
    }
    badges_ = badges;
}

void CKeyTipBadges::Hide() {
    for (wxPopupWindow* window : windows_)
        window->Hide();
    badges_.clear();
}

std::vector<CKeyTipBadges::Shown> CKeyTipBadges::ShownBadges() const {
    std::vector<Shown> shown;
    for (size_t i = 0; i < badges_.size(); ++i)
        shown.push_back({badges_[i], windows_[i]});
    return shown;
}

} // namespace qv
