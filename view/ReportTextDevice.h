// Measures and draws the report's texts in the report font and in the
// smaller sizes a text that does not fit its column is tried in. A DC's own
// text calls make the font anew for every call and measure every drawn text
// once more; where the DC draws through a graphics context, the texts go to
// it directly, in fonts made once for the page.
#pragma once
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <wx/dc.h>
#include <wx/font.h>
#include <wx/graphics.h>

namespace qv {

// The smaller sizes, as parts of the report font; below seven tenths a
// text would be hard to read.
inline constexpr double kSmallerScales[] = {0.95, 0.9, 0.85, 0.8, 0.75, 0.7};
// Size 0 is the report font, size i the report font times kSmallerScales[i - 1].
inline constexpr int kFontSizes = 1 + static_cast<int>(std::size(kSmallerScales));

// A text's extent in one font and how far it reaches below its baseline.
struct TextSize {
    wxSize extent;
    wxCoord descent = 0;
};

class ReportTextDevice {
public:
    ReportTextDevice(wxDC& dc, const wxFont& font);

    const wxFont& Font(int size) const { return fonts_[static_cast<size_t>(size)]; }
    // The font, the device and its scale: a text measures the same wherever
    // these are the same.
    const std::wstring& Setting() const { return setting_; }
    TextSize Measure(const std::wstring& text, int size) const;
    // The text with its top-left corner at `pos`, cut to `clip`; on a filled
    // box of `background` when one is given.
    void Draw(const std::wstring& text, int size, const wxPoint& pos, const wxRect& clip,
              const wxColour& colour, const wxColour* background);

private:
    const wxGraphicsFont& DrawingFont(int size, const wxColour& colour);

    wxDC& dc_;
    std::array<wxFont, kFontSizes> fonts_;
    wxGraphicsContext* gc_; // null: through the DC's own calls
    std::array<wxGraphicsFont, kFontSizes> measuring_;
    std::map<std::pair<int, uint32_t>, wxGraphicsFont> drawing_; // by size and colour
    std::wstring setting_;
};

} // namespace qv
