#include "online/GaugeView.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>

namespace qv {

namespace {

constexpr int kLayers = 10;

// A wedge clockwise from `start` to `end` (degrees clockwise from 12
// o'clock); directions that meet draw the whole ellipse.
void DrawSector(wxDC& dc, const wxRect& r, const GaugeSector& s, bool lastLayer) {
    const wxColour colour = GaugeColour(s.colour);
    dc.SetBrush(wxBrush(colour));
    dc.SetPen(wxPen(lastLayer ? *wxBLACK : colour, 2));
    const int sweep = ((s.end - s.start) % 360 + 360) % 360;
    if (sweep == 0) {
        dc.DrawEllipse(r);
        return;
    }
    // wx counts counter-clockwise from 3 o'clock.
    dc.DrawEllipticArc(r.x, r.y, r.width, r.height, 90.0 - s.end, 90.0 - s.start);
}

} // namespace

wxColour GaugeColour(uint32_t c) {
    return wxColour(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

CGaugeView::CGaugeView(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(FromDIP(wxSize(130, 120)));
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        Draw(dc, GetClientRect().Deflate(FromDIP(6)), gauge_);
    });
}

void CGaugeView::SetGauge(const Gauge& gauge) {
    gauge_ = gauge;
    Refresh(false);
}

void CGaugeView::Draw(wxDC& dc, const wxRect& area, const Gauge& gauge) {
    // The layers rise one pixel each above the base.
    wxRect r(area.x, area.y + kLayers, area.width, area.height - kLayers);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.SetPen(wxPen(*wxBLACK, 4));
    dc.DrawEllipse(r);
    for (int layer = 1; layer <= kLayers; ++layer) {
        r.Offset(0, -1);
        for (const GaugeSector& s : gauge.sectors)
            DrawSector(dc, r, s, layer == kLayers);
    }
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawEllipse(r);
    dc.SetBrush(wxNullBrush);
    dc.SetPen(wxNullPen);
}

} // namespace qv
