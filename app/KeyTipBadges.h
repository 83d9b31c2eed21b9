// The key tips on the screen: a small label with a tip's letters on each
// element the tip reaches, across the element's lower edge or, for a button
// of one line among others, over its icon, as ribbon programs show them. A
// disabled command's tip is shown faded.
#pragma once
#include <vector>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxPopupWindow;
class wxWindow;

namespace qv {

struct KeyTipBadge {
    wxString keys;
    wxRect target; // the element, in screen coordinates
    bool enabled = true;
    bool overIcon = false; // a one-line button: the tip covers its icon, not its row's neighbours
};

class CKeyTipBadges {
public:
    explicit CKeyTipBadges(wxWindow* owner) : owner_(owner) {}
    void Show(const std::vector<KeyTipBadge>& badges);
    void Hide();
    // The badges shown now, each with the window that shows it.
    struct Shown {
        KeyTipBadge badge;
        wxWindow* window;
    };
    std::vector<Shown> ShownBadges() const;

private:
    wxWindow* owner_;
    std::vector<wxPopupWindow*> windows_; // kept for the next time, hidden
    std::vector<KeyTipBadge> badges_;
};

} // namespace qv
