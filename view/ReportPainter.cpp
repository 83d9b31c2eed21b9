#include "view/ReportPainter.h"

#include <algorithm>
#include <cmath>
#include <wx/dcmemory.h>

#include "document/StringTable.h"

namespace qv {

using report::PrintRecord;

namespace {

constexpr double kFontTwips = 160; // 8 points
constexpr int kRuleWidth = 20;
constexpr int kBorderWidth = 10;
// The smallest a cell's text is drawn, as a part of the report font.
constexpr double kMinCellScale = 0.66;

wxColour Colour(report::Rgb c) {
    return wxColour(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

wxFont ReportFont(double unitsPerTwip, double fontPpi) {
    const double points = kFontTwips * unitsPerTwip * 72.0 / fontPpi;
    wxFontInfo info(points);
    const std::wstring face = ResString(61000);
    if (!face.empty())
        info.FaceName(face);
    return wxFont(info.Family(wxFONTFAMILY_MODERN));
}

ReportPainter::ReportPainter(wxDC& dc, double unitsPerTwip, const wxPoint& textOrigin,
                             int linesPerPage, const wxFont& font)
    : dc_(dc), k_(unitsPerTwip), origin_(textOrigin), linesPerPage_(linesPerPage), font_(font) {
    dc_.SetFont(font);
    blank_ = static_cast<int>(std::lround(dc_.GetTextExtent(" ").x / k_));
}

int ReportPainter::X(int twips) const {
    return origin_.x + static_cast<int>(std::lround(twips * k_));
}

int ReportPainter::Y(int twips) const {
    return origin_.y + static_cast<int>(std::lround(-twips * k_));
}

int ReportPainter::Row(const report::ReportPage& page, const PrintRecord& r) const {
    return r.line - (page.Number() - 1) * linesPerPage_;
}

wxPoint ReportPainter::TextPos(const report::ReportPage& page, const PrintRecord& r,
                               const wxSize& extent) const {
    const int lh = report::kLineHeight;
    const int row = Row(page, r);
    const int lineY = -(row + 2) * lh;
    if (r.kind == PrintRecord::Kind::Text)
        return {X(r.left + blank_), Y(lineY)};
    if (r.kind == PrintRecord::Kind::Heading)
        return {X(r.left), Y(r.y)};
    // A cell: the text centred in the cell's height, placed by its alignment.
    const int cx = static_cast<int>(std::lround(extent.x / k_));
    const int cy = static_cast<int>(std::lround(extent.y / k_));
    const int y = lineY - (lh - cy) / 2;
    int x = r.left;
    if (r.align == report::Align::Right)
        x = r.right - cx;
    else if (r.align == report::Align::Centre)
        x = r.left + (r.right - r.left - cx) / 2;
    return {X(x), Y(y)};
}

wxSize ReportPainter::FitCellFont(const PrintRecord& r) {
    dc_.SetFont(font_);
    wxSize extent = dc_.GetTextExtent(r.text);
    const int width = X(r.right) - X(r.left);
    // A text wider than its cell is drawn smaller, down to two thirds of the
    // report font; what still does not fit is cut at the cell's edge.
    for (double scale = 0.95; extent.x > width && scale >= kMinCellScale; scale -= 0.05) {
        wxFont smaller = font_;
        smaller.SetFractionalPointSize(font_.GetFractionalPointSize() * scale);
        dc_.SetFont(smaller);
        extent = dc_.GetTextExtent(r.text);
    }
    return extent;
}

wxRect ReportPainter::TextRect(const report::ReportPage& page, const PrintRecord& r) {
    if (r.kind != PrintRecord::Kind::Cell) {
        const wxSize extent = dc_.GetTextExtent(r.text);
        return wxRect(TextPos(page, r, extent), extent);
    }
    // As fitted, before the clipping at the cell's edge that drawing adds.
    const wxSize extent = FitCellFont(r);
    const wxRect rect(TextPos(page, r, extent), extent);
    dc_.SetFont(font_);
    return rect;
}

void ReportPainter::DrawText(const report::ReportPage& page, const PrintRecord& r) {
    dc_.SetTextForeground(Colour(r.colour));
    dc_.SetTextBackground(Colour(r.background));
    dc_.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    dc_.DrawText(r.text, TextPos(page, r, {}));
}

void ReportPainter::DrawCell(const report::ReportPage& page, const PrintRecord& r) {
    const int lh = report::kLineHeight;
    const int row = Row(page, r);
    const int d = ((3 * lh) / 4 - lh / 2) / 2;
    const int top = d - (row + 2) * lh, bottom = d - (row + 3) * lh;
    const wxRect cell(wxPoint(X(r.left), Y(top)), wxPoint(X(r.right), Y(bottom)));
    dc_.SetPen(*wxTRANSPARENT_PEN);
    dc_.SetBrush(wxBrush(Colour(r.background)));
    dc_.DrawRectangle(cell);

    const wxSize extent = FitCellFont(r);
    dc_.SetTextForeground(Colour(r.colour));
    dc_.SetTextBackground(Colour(r.background));
    dc_.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    {
        wxDCClipper clip(dc_, cell);
        dc_.DrawText(r.text, TextPos(page, r, extent));
    }
    dc_.SetFont(font_);
    if (r.border) {
        dc_.SetPen(wxPen(*wxBLACK, std::max(1, static_cast<int>(std::lround(kBorderWidth * k_)))));
        dc_.SetBrush(*wxTRANSPARENT_BRUSH);
        dc_.DrawRectangle(cell);
    }
}

void ReportPainter::Paint(const report::ReportPage& page) {
    for (const PrintRecord& r : page.Records()) {
        switch (r.kind) {
        case PrintRecord::Kind::Text:
            DrawText(page, r);
            break;
        case PrintRecord::Kind::Cell:
            DrawCell(page, r);
            break;
        case PrintRecord::Kind::Heading:
            dc_.SetTextForeground(*wxBLACK);
            dc_.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
            dc_.DrawText(r.text, TextPos(page, r, {}));
            break;
        case PrintRecord::Kind::Rule:
            dc_.SetPen(
                wxPen(*wxBLACK, std::max(1, static_cast<int>(std::lround(kRuleWidth * k_)))));
            dc_.DrawLine(X(r.left), Y(r.y), X(r.right), Y(r.y));
            break;
        }
    }
    dc_.SetPen(wxNullPen);
    dc_.SetBrush(wxNullBrush);
}

void PaintReportPage(wxDC& dc, const report::Report& report, int page, int dpi) {
    const double k = dpi / 1440.0;
    const report::Margins& m = report.PageMargins();
    const wxPoint origin(static_cast<int>(std::lround(report::HundredthsMmToTwips(m.left) * k)),
                         static_cast<int>(std::lround(report::HundredthsMmToTwips(m.top) * k)));
    ReportPainter painter(dc, k, origin, report.Layout().linesPerPage,
                          ReportFont(k, dc.GetPPI().y));
    painter.Paint(report.BuildPage(page));
}

wxBitmap RenderReportPage(const report::Report& report, int page, int dpi) {
    const double k = dpi / 1440.0;
    wxBitmap bitmap(static_cast<int>(std::lround(report::kPaperWidth * k)),
                    static_cast<int>(std::lround(report::kPaperHeight * k)), 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    PaintReportPage(dc, report, page, dpi);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace qv
