// The ribbon bar of the main window: it tells where its tabs and its help
// (About) button lie, so key tips can be put on them, and it is no stop of
// the Tab key, which would give it a focus it cannot show or use: the
// keyboard reaches the ribbon by its key tips.
#pragma once
#include <wx/ribbon/bar.h>

namespace qv {

class CRibbonBar : public wxRibbonBar {
public:
    CRibbonBar(wxWindow* parent, long style);

    bool AcceptsFocusFromKeyboard() const override { return false; }
    // In client coordinates; empty for a page it does not have.
    wxRect TabRect(size_t page) const;
    wxRect HelpButtonRect() const { return m_help_button_rect; }
};

} // namespace qv
