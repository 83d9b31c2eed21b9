// The bar above the settings view that names the page shown.
#pragma once
#include <wx/panel.h>

class wxStaticText;

namespace qv {

class CCaptionBar : public wxPanel {
public:
    explicit CCaptionBar(wxWindow* parent);
    void SetText(const wxString& text);
    wxString Text() const;

private:
    wxStaticText* text_;
};

} // namespace qv
