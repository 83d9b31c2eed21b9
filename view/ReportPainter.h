// Draws the records of a report page on any device context: the printout,
// the preview and a bitmap share it. Positions are twips scaled by
// unitsPerTwip into logical units, from the top-left corner of the text area.
#pragma once
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/font.h>

#include "view/report/ReportLayout.h"

namespace qv {

// The report font (face from the string table) at the size that is 8 points
// on paper when one logical unit is unitsPerTwip twips and the device puts
// fontPpi pixels in an inch of font size.
wxFont ReportFont(double unitsPerTwip, double fontPpi);

class ReportPainter {
public:
    ReportPainter(wxDC& dc, double unitsPerTwip, const wxPoint& textOrigin, int linesPerPage,
                  const wxFont& font);

    void Paint(const report::ReportPage& page);
    // Where a text or cell record's text lands (logical units).
    wxRect TextRect(const report::ReportPage& page, const report::PrintRecord& record);

private:
    int X(int twips) const;
    int Y(int twips) const; // twips at or below zero, downwards
    int Row(const report::ReportPage& page, const report::PrintRecord& r) const;
    wxPoint TextPos(const report::ReportPage& page, const report::PrintRecord& r,
                    const wxSize& extent) const;
    void DrawText(const report::ReportPage& page, const report::PrintRecord& r);
    void DrawCell(const report::ReportPage& page, const report::PrintRecord& r);
    // Selects the font a cell's text is drawn in and returns the text's extent.
    wxSize FitCellFont(const report::PrintRecord& r);

    wxDC& dc_;
    double k_;
    wxPoint origin_;
    int linesPerPage_;
    int blank_; // width of one blank, twips
    wxFont font_;
};

// Page `page` of the report on a DC whose logical units are pixels at
// `dpi`, with (0, 0) at the sheet's top-left corner.
void PaintReportPage(wxDC& dc, const report::Report& report, int page, int dpi);
// Page `page` of the report on a white A4 bitmap at `dpi`, margins included.
wxBitmap RenderReportPage(const report::Report& report, int page, int dpi);

} // namespace qv
