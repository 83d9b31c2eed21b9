// A capacity gauge drawn as a disc of ten one-pixel layers: the free share
// in blue from 9 o'clock clockwise, the used share in magenta after it.
#pragma once
#include <wx/panel.h>

#include "online/StatusModel.h"

class wxDC;

namespace qv {

class CGaugeView : public wxPanel {
public:
    explicit CGaugeView(wxWindow* parent);

    void SetGauge(const Gauge& gauge);
    const Gauge& GetGauge() const { return gauge_; }
    // Draws the gauge into the rectangle (the paint handler, and tests that
    // draw into a bitmap).
    static void Draw(wxDC& dc, const wxRect& rect, const Gauge& gauge);

private:
    Gauge gauge_;
};

// 0x00BBGGRR as a colour.
wxColour GaugeColour(uint32_t colourRef);

} // namespace qv
