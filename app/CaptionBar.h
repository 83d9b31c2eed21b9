// The bar above the settings view that names the page shown. It only
// shows a text, so it takes no keyboard focus.
#pragma once
#include <wx/panel.h>

class wxStaticText;

namespace qv {

class CCaptionBar : public wxPanel {
public:
    explicit CCaptionBar(wxWindow* parent);
    void SetText(const wxString& text);
    wxString Text() const;
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }

private:
    wxStaticText* text_;
};

} // namespace qv
