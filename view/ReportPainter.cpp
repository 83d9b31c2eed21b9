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
// The smaller sizes a text that does not fit is tried in, as parts of the
// report font; below seven tenths it would be hard to read.
constexpr double kSmallerScales[] = {0.95, 0.9, 0.85, 0.8, 0.75, 0.7};
// Room between a cell's outline and its text, twips.
constexpr int kCellPad = 25;

wxSize ExtentIn(const wxDC& dc, const std::wstring& text, const wxFont& font) {
    wxCoord w = 0, h = 0;
    dc.GetTextExtent(text, &w, &h, nullptr, nullptr, &font);
    return {w, h};
}

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

wxRect ReportPainter::CellRect(const report::ReportPage& page, const PrintRecord& r) const {
    const int lh = report::kLineHeight;
    const int row = Row(page, r);
    const int d = ((3 * lh) / 4 - lh / 2) / 2;
    const int top = d - (row + 2) * lh, bottom = d - (row + 3) * lh;
    return wxRect(wxPoint(X(r.left), Y(top)), wxPoint(X(r.right), Y(bottom)));
}

wxFont ReportPainter::FitFont(const std::wstring& text, int width, wxSize& extent) {
    wxFont font = font_;
    extent = ExtentIn(dc_, text, font);
    // A text wider than its column is drawn smaller; what still does not
    // fit is cut at the column's end.
    for (double scale : kSmallerScales) {
        if (extent.x <= width)
            break;
        font = font_;
        font.SetFractionalPointSize(font_.GetFractionalPointSize() * scale);
        extent = ExtentIn(dc_, text, font);
    }
    return font;
}

ReportPainter::Placement ReportPainter::Place(const report::ReportPage& page,
                                              const PrintRecord& r) {
    Placement at;
    if (r.kind == PrintRecord::Kind::Cell) {
        const wxRect cell = CellRect(page, r);
        // A little room inside the outline keeps neighbouring cells' texts apart.
        const int pad = std::max(1, static_cast<int>(std::lround(kCellPad * k_)));
        at.clip = wxRect(cell.x + pad, cell.y, std::max(0, cell.width - 2 * pad), cell.height);
        at.font = FitFont(r.text, at.clip.width, at.extent);
        int x = at.clip.x;
        if (r.align == report::Align::Right)
            x = at.clip.GetRight() + 1 - at.extent.x;
        else if (r.align == report::Align::Centre)
            x = at.clip.x + (at.clip.width - at.extent.x) / 2;
        // Centred in the cell, so no part of a tall font's text falls outside.
        at.pos = wxPoint(x, cell.y + (cell.height - at.extent.y) / 2);
        return at;
    }
    // A text on a line, or the heading: its top at the line, its column from
    // its x (after one blank for a line's text) to the column's end.
    const int lh = report::kLineHeight;
    const bool heading = r.kind == PrintRecord::Kind::Heading;
    const int top = Y(heading ? r.y : -(Row(page, r) + 2) * lh);
    const int left = X(heading ? r.left : r.left + blank_);
    at.clip =
        wxRect(wxPoint(X(r.left), top), wxSize(std::max(0, X(r.right) - X(r.left)), X(lh) - X(0)));
    at.font = FitFont(r.text, X(r.right) - left, at.extent);
    // A smaller text keeps the line's baseline.
    int fullHeight = 0, fullDescent = 0, height = 0, descent = 0;
    dc_.GetTextExtent(r.text, nullptr, &fullHeight, &fullDescent, nullptr, &font_);
    dc_.GetTextExtent(r.text, nullptr, &height, &descent, nullptr, &at.font);
    at.pos = wxPoint(left, top + (fullHeight - fullDescent) - (height - descent));
    return at;
}

wxRect ReportPainter::TextRect(const report::ReportPage& page, const PrintRecord& r) {
    const Placement at = Place(page, r);
    return wxRect(at.pos, at.extent).Intersect(at.clip);
}

void ReportPainter::DrawPlaced(const PrintRecord& r, const Placement& at) {
    dc_.SetFont(at.font);
    {
        wxDCClipper clip(dc_, at.clip);
        dc_.DrawText(r.text, at.pos);
    }
    if (observer_) {
        const wxRect fitted(at.pos, dc_.GetTextExtent(r.text));
        observer_(r, DrawnText{fitted, wxRect(fitted).Intersect(at.clip)});
    }
    dc_.SetFont(font_);
}

void ReportPainter::DrawCell(const report::ReportPage& page, const PrintRecord& r) {
    const wxRect cell = CellRect(page, r);
    dc_.SetPen(*wxTRANSPARENT_PEN);
    dc_.SetBrush(wxBrush(Colour(r.background)));
    dc_.DrawRectangle(cell);

    dc_.SetTextForeground(Colour(r.colour));
    dc_.SetTextBackground(Colour(r.background));
    dc_.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    DrawPlaced(r, Place(page, r));
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
            dc_.SetTextForeground(Colour(r.colour));
            dc_.SetTextBackground(Colour(r.background));
            dc_.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
            DrawPlaced(r, Place(page, r));
            break;
        case PrintRecord::Kind::Cell:
            DrawCell(page, r);
            break;
        case PrintRecord::Kind::Heading:
            dc_.SetTextForeground(*wxBLACK);
            dc_.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
            DrawPlaced(r, Place(page, r));
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
