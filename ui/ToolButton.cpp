#include "ui/ToolButton.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace qv {

namespace {

constexpr int kPadding = 4; // around the icon: room for the frames

wxColour Mix(const wxColour& a, const wxColour& b, double share) {
    auto channel = [share](unsigned char x, unsigned char y) {
        return static_cast<unsigned char>(x + (y - x) * share + 0.5);
    };
    return wxColour(channel(a.Red(), b.Red()), channel(a.Green(), b.Green()),
                    channel(a.Blue(), b.Blue()));
}

} // namespace

CToolButton::CToolButton(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE), bitmap_(bitmap),
      disabled_(bitmap.ConvertToDisabled()) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize();
    Bind(wxEVT_PAINT, &CToolButton::OnPaint, this);
    Bind(wxEVT_KEY_DOWN, &CToolButton::OnKeyDown, this);
    auto refresh = [this](wxFocusEvent& e) {
        Refresh();
        e.Skip();
    };
    Bind(wxEVT_SET_FOCUS, refresh);
    Bind(wxEVT_KILL_FOCUS, refresh);
    Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent&) {
        hover_ = true;
        Refresh();
    });
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) {
        hover_ = pressed_ = false;
        Refresh();
    });
    auto down = [this](wxMouseEvent&) {
        pressed_ = IsEnabled();
        Refresh();
    };
    Bind(wxEVT_LEFT_DOWN, down);
    Bind(wxEVT_LEFT_DCLICK, down);
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) {
        const bool press = pressed_ && hover_;
        pressed_ = false;
        Refresh();
        if (press)
            Press();
    });
}

wxSize CToolButton::DoGetBestClientSize() const {
    return bitmap_.GetSize() + wxSize(2 * kPadding, 2 * kPadding);
}

void CToolButton::DoEnable(bool enable) {
    wxControl::DoEnable(enable);
    if (!enable)
        hover_ = pressed_ = false;
    Refresh();
}

void CToolButton::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxColour back = GetParent()->GetBackgroundColour();
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    dc.SetBackground(wxBrush(back));
    dc.Clear();
    const wxRect all(GetClientSize());
    const bool enabled = IsEnabled();
    const bool focused = enabled && HasFocus();
    if (enabled && (hover_ || pressed_ || focused)) {
        dc.SetBrush(wxBrush(Mix(back, highlight, pressed_ ? 0.45 : 0.18)));
        if (focused) {
            // Two pixels of the highlight colour: seen at a glance.
            dc.SetPen(wxPen(highlight, 2));
            dc.DrawRectangle(wxRect(all).Deflate(1));
        } else {
            dc.SetPen(wxPen(Mix(back, highlight, 0.5)));
            dc.DrawRectangle(all);
        }
    }
    const wxBitmap& icon = enabled ? bitmap_ : disabled_;
    dc.DrawBitmap(icon, (all.width - icon.GetWidth()) / 2, (all.height - icon.GetHeight()) / 2,
                  true);
}

void CToolButton::OnKeyDown(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
    case WXK_SPACE:
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
    case WXK_NUMPAD_SPACE:
        if (!event.HasAnyModifiers()) {
            Press();
            return;
        }
        break;
    default:
        break;
    }
    event.Skip();
}

void CToolButton::Press() {
    if (!IsEnabled())
        return;
    wxCommandEvent click(wxEVT_BUTTON, GetId());
    click.SetEventObject(this);
    ProcessWindowEvent(click);
}

} // namespace qv
