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
// Room between a cell's outline and its text, twips.
constexpr int kCellPad = 25;

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
                             int linesPerPage, const wxFont& font, ReportTextFits* fits)
    : dc_(dc), k_(unitsPerTwip), origin_(textOrigin), linesPerPage_(linesPerPage), font_(font),
      text_(dc, font), fits_(fits ? *fits : ownFits_) {
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

ReportPainter::Placement ReportPainter::Place(const report::ReportPage& page,
                                              const PrintRecord& r) {
    Placement at;
    if (r.kind == PrintRecord::Kind::Cell) {
        const wxRect cell = CellRect(page, r);
        // A little room inside the outline keeps neighbouring cells' texts apart.
        const int pad = std::max(1, static_cast<int>(std::lround(kCellPad * k_)));
        at.clip = wxRect(cell.x + pad, cell.y, std::max(0, cell.width - 2 * pad), cell.height);
        at.room = at.clip.width;
        const ReportTextFits::Fit& fit = fits_.Find(text_, r.text, at.room);
        at.size = fit.size;
        at.extent = fit.fitted.extent;
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
    at.room = X(r.right) - left;
    const ReportTextFits::Fit& fit = fits_.Find(text_, r.text, at.room);
    at.size = fit.size;
    at.extent = fit.fitted.extent;
    // A smaller text keeps the line's baseline.
    const int fullAscent = fit.full.extent.y - fit.full.descent;
    at.pos = wxPoint(left, top + fullAscent - (fit.fitted.extent.y - fit.fitted.descent));
    return at;
}

wxRect ReportPainter::TextRect(const report::ReportPage& page, const PrintRecord& r) {
    const Placement at = Place(page, r);
    return wxRect(at.pos, at.extent).Intersect(at.clip);
}

void ReportPainter::DrawPlaced(const PrintRecord& r, const Placement& at, const wxColour& colour,
                               const wxColour* background) {
    text_.Draw(r.text, at.size, at.pos, at.clip, colour, background);
    if (observer_) {
        // Measured apart from the fit, in the font the text was drawn in.
        wxSize extent;
        dc_.GetTextExtent(r.text, &extent.x, &extent.y, nullptr, nullptr, &text_.Font(at.size));
        const wxRect fitted(at.pos, extent);
        observer_(r, DrawnText{fitted, wxRect(fitted).Intersect(at.clip), at.size, at.room});
    }
}

void ReportPainter::DrawCell(const report::ReportPage& page, const PrintRecord& r) {
    const wxRect cell = CellRect(page, r);
    dc_.SetPen(*wxTRANSPARENT_PEN);
    dc_.SetBrush(wxBrush(Colour(r.background)));
    dc_.DrawRectangle(cell);
    DrawPlaced(r, Place(page, r), Colour(r.colour), nullptr);
    if (r.border) {
        dc_.SetPen(wxPen(*wxBLACK, std::max(1, static_cast<int>(std::lround(kBorderWidth * k_)))));
        dc_.SetBrush(*wxTRANSPARENT_BRUSH);
        dc_.DrawRectangle(cell);
    }
}

void ReportPainter::Paint(const report::ReportPage& page) {
    for (const PrintRecord& r : page.Records()) {
        switch (r.kind) {
        case PrintRecord::Kind::Text: {
            const wxColour background = Colour(r.background);
            DrawPlaced(r, Place(page, r), Colour(r.colour), &background);
            break;
        }
        case PrintRecord::Kind::Cell:
            DrawCell(page, r);
            break;
        case PrintRecord::Kind::Heading:
            DrawPlaced(r, Place(page, r), *wxBLACK, nullptr);
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
    // The texts may have gone past the DC to its graphics context.
    dc_.SetFont(font_);
}

void PaintReportPage(wxDC& dc, const report::Report& report, int page, int dpi,
                     ReportTextFits* fits) {
    const double k = dpi / 1440.0;
    const report::Margins& m = report.PageMargins();
    const wxPoint origin(static_cast<int>(std::lround(report::HundredthsMmToTwips(m.left) * k)),
                         static_cast<int>(std::lround(report::HundredthsMmToTwips(m.top) * k)));
    ReportPainter painter(dc, k, origin, report.Layout().linesPerPage, ReportFont(k, dc.GetPPI().y),
                          fits);
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
