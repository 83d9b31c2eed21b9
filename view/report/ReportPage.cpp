#include "view/report/ReportPage.h"

namespace qv::report {

bool PrintRecord::operator==(const PrintRecord& o) const {
    return kind == o.kind && line == o.line && left == o.left && right == o.right && y == o.y &&
           text == o.text && background == o.background && colour == o.colour && align == o.align &&
           border == o.border;
}

void ReportPage::PrintText(int line, const std::wstring& text, Rgb background, Rgb colour, int x,
                           int right) {
    if (text.empty())
        return;
    PrintRecord r;
    r.kind = PrintRecord::Kind::Text;
    r.line = line;
    r.left = x;
    r.right = right;
    r.text = text;
    r.background = background;
    r.colour = colour;
    records_.push_back(std::move(r));
}

void ReportPage::PrintCell(const std::wstring& text, int line, Rgb fill, Rgb colour, int left,
                           int right, int align, int border) {
    if (text.empty())
        return;
    PrintRecord r;
    r.kind = PrintRecord::Kind::Cell;
    r.line = line;
    r.left = left;
    r.right = right;
    r.text = text;
    r.background = fill;
    r.colour = colour;
    // Any other value aligns left.
    r.align = align == 1 ? Align::Right : align == 2 ? Align::Centre : Align::Left;
    r.border = border == 1;
    records_.push_back(std::move(r));
}

void ReportPage::AddHeading(const std::wstring& text, int x, int y, int right) {
    PrintRecord r;
    r.kind = PrintRecord::Kind::Heading;
    r.left = x;
    r.right = right;
    r.y = y;
    r.text = text;
    records_.push_back(std::move(r));
}

void ReportPage::AddRule(int x1, int x2, int y) {
    PrintRecord r;
    r.kind = PrintRecord::Kind::Rule;
    r.left = x1;
    r.right = x2;
    r.y = y;
    records_.push_back(std::move(r));
}

int GetDisplayWidth(const std::wstring& text) {
    int width = 0;
    for (size_t i = 0; i < text.size() && i < 255; ++i) {
        const wchar_t unit = text[i];
        if (unit == 0)
            break;
        width += (static_cast<uint32_t>(unit) >= 0x100) ? 2 : 1;
    }
    return width;
}

std::wstring PadRight(int width, const std::wstring& text) {
    const int w = GetDisplayWidth(text);
    if (w >= width)
        return text;
    return text + std::wstring(static_cast<size_t>(width - w), L' ');
}

} // namespace qv::report
