// A flat tool button with an icon, for the quick-access tools: it shows a
// light frame under the pointer, a darker one while pressed, a clear frame
// in the highlight colour while it has the keyboard focus, and a faded icon
// while disabled. Space or Enter presses it; a press sends wxEVT_BUTTON.
#pragma once
#include <wx/bitmap.h>
#include <wx/control.h>

namespace qv {

class CToolButton : public wxControl {
public:
    CToolButton(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap);

    bool AcceptsFocusFromKeyboard() const override { return IsEnabled(); }
    bool HasTransparentBackground() override { return true; }

protected:
    wxSize DoGetBestClientSize() const override;
    void DoEnable(bool enable) override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void Press();

    wxBitmap bitmap_;
    wxBitmap disabled_;
    bool hover_ = false;
    bool pressed_ = false;
};

} // namespace qv
