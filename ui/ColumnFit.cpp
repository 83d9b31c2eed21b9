#include "ui/ColumnFit.h"

#include <algorithm>
#include <wx/listctrl.h>

namespace qv {

namespace {
// The list draws a cell's text 6 pixels in from either side of its column,
// and a heading inside the margins of its header button.
constexpr int kCellMargin = 12;
constexpr int kHeaderMargin = 16;
} // namespace

int FitColumnWidth(const wxListCtrl& list, int width, const wxString& heading,
                   const std::vector<std::wstring>& texts) {
    if (!heading.empty())
        width = std::max(width, list.GetTextExtent(heading).x + kHeaderMargin);
    for (const std::wstring& text : texts)
        if (!text.empty())
            width = std::max(width, list.GetTextExtent(wxString(text)).x + kCellMargin);
    return width;
}

} // namespace qv
