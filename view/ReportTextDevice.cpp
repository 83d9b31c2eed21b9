#include "view/ReportTextDevice.h"

#include <wx/brush.h>

namespace qv {

namespace {

// Whole units as the DC rounds a graphics context's extents.
wxCoord Whole(double v) {
    return static_cast<wxCoord>(v + 0.5);
}

uint32_t Key(const wxColour& c) {
    return static_cast<uint32_t>(c.GetRGBA());
}

} // namespace

ReportTextDevice::ReportTextDevice(wxDC& dc, const wxFont& font)
    : dc_(dc), gc_(dc.GetGraphicsContext()) {
    fonts_[0] = font;
    for (int i = 1; i < kFontSizes; ++i) {
        fonts_[static_cast<size_t>(i)] = font;
        fonts_[static_cast<size_t>(i)].SetFractionalPointSize(font.GetFractionalPointSize() *
                                                              kSmallerScales[i - 1]);
    }
    if (gc_)
        for (int i = 0; i < kFontSizes; ++i)
            measuring_[static_cast<size_t>(i)] = gc_->CreateFont(Font(i), *wxBLACK);
    double userX = 1, userY = 1, logicalX = 1, logicalY = 1;
    dc.GetUserScale(&userX, &userY);
    dc.GetLogicalScale(&logicalX, &logicalY);
    const wxSize ppi = dc.GetPPI();
    setting_ = wxString::Format("%s|%d|%.17g %.17g %.17g %.17g|%d %d", font.GetNativeFontInfoDesc(),
                                gc_ ? 1 : 0, userX, userY, logicalX, logicalY, ppi.x, ppi.y)
                   .ToStdWstring();
}

TextSize ReportTextDevice::Measure(const std::wstring& text, int size) const {
    TextSize out;
    if (!gc_) {
        dc_.GetTextExtent(text, &out.extent.x, &out.extent.y, &out.descent, nullptr, &Font(size));
        return out;
    }
    gc_->SetFont(measuring_[static_cast<size_t>(size)]);
    double w = 0, h = 0, descent = 0, leading = 0;
    gc_->GetTextExtent(text, &w, &h, &descent, &leading);
    out.extent = wxSize(Whole(w), Whole(h));
    out.descent = Whole(descent);
    return out;
}

const wxGraphicsFont& ReportTextDevice::DrawingFont(int size, const wxColour& colour) {
    const auto key = std::make_pair(size, Key(colour));
    auto it = drawing_.find(key);
    if (it == drawing_.end())
        it = drawing_.emplace(key, gc_->CreateFont(Font(size), colour)).first;
    return it->second;
}

void ReportTextDevice::Draw(const std::wstring& text, int size, const wxPoint& pos,
                            const wxRect& clip, const wxColour& colour,
                            const wxColour* background) {
    if (!gc_) {
        dc_.SetFont(Font(size));
        dc_.SetTextForeground(colour);
        if (background)
            dc_.SetTextBackground(*background);
        dc_.SetBackgroundMode(background ? wxBRUSHSTYLE_SOLID : wxBRUSHSTYLE_TRANSPARENT);
        wxDCClipper cut(dc_, clip);
        dc_.DrawText(text, pos);
        return;
    }
    gc_->PushState();
    gc_->Clip(clip.x, clip.y, clip.width, clip.height);
    gc_->SetFont(DrawingFont(size, colour));
    if (background)
        gc_->DrawText(text, pos.x, pos.y, gc_->CreateBrush(wxBrush(*background)));
    else
        gc_->DrawText(text, pos.x, pos.y);
    gc_->PopState();
}

} // namespace qv
