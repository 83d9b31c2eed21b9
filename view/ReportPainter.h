// Draws the records of a report page on any device context: the printout,
// the preview and a bitmap share it. Positions are twips scaled by
// unitsPerTwip into logical units, from the top-left corner of the text area.
#pragma once
#include <functional>
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/font.h>

#include "view/ReportTextDevice.h"
#include "view/ReportTextFits.h"
#include "view/report/ReportLayout.h"

namespace qv {

// The report font (face from the string table) at the size that is 8 points
// on paper when one logical unit is unitsPerTwip twips and the device puts
// fontPpi pixels in an inch of font size.
wxFont ReportFont(double unitsPerTwip, double fontPpi);

// Where one text of a page went (logical units).
struct DrawnText {
    wxRect fitted; // the whole text in the size it was drawn in
    wxRect drawn;  // what of it reached the page: cut at its column's end
    int size;      // of the report font's sizes (ReportTextDevice)
    int room;      // the width the text was fitted into
    bool Cut() const { return drawn != fitted; }
};

class ReportPainter {
public:
    // `fits`, when given, keeps what the painter measures for the next page.
    ReportPainter(wxDC& dc, double unitsPerTwip, const wxPoint& textOrigin, int linesPerPage,
                  const wxFont& font, ReportTextFits* fits = nullptr);

    void Paint(const report::ReportPage& page);
    // Where a record's text lands, as Paint draws it.
    wxRect TextRect(const report::ReportPage& page, const report::PrintRecord& record);
    // Told of every text as it is drawn.
    void OnTextDrawn(std::function<void(const report::PrintRecord&, const DrawnText&)> observer) {
        observer_ = std::move(observer);
    }

private:
    struct Placement {
        int size = 0; // of the report font's sizes
        int room = 0; // the width the text is fitted into
        wxPoint pos;
        wxSize extent;
        wxRect clip; // the text's column, one line high
    };

    int X(int twips) const;
    int Y(int twips) const; // twips at or below zero, downwards
    int Row(const report::ReportPage& page, const report::PrintRecord& r) const;
    wxRect CellRect(const report::ReportPage& page, const report::PrintRecord& r) const;
    Placement Place(const report::ReportPage& page, const report::PrintRecord& r);
    // The one place where text reaches the device.
    void DrawPlaced(const report::PrintRecord& r, const Placement& at, const wxColour& colour,
                    const wxColour* background);
    void DrawCell(const report::ReportPage& page, const report::PrintRecord& r);

    wxDC& dc_;
    double k_;
    wxPoint origin_;
    int linesPerPage_;
    int blank_; // width of one blank, twips
    wxFont font_;
    ReportTextDevice text_;
    ReportTextFits ownFits_;
    ReportTextFits& fits_;
    std::function<void(const report::PrintRecord&, const DrawnText&)> observer_;
};

// Page `page` of the report on a DC whose logical units are pixels at
// `dpi`, with (0, 0) at the sheet's top-left corner.
void PaintReportPage(wxDC& dc, const report::Report& report, int page, int dpi,
                     ReportTextFits* fits = nullptr);
// Page `page` of the report on a white A4 bitmap at `dpi`, margins included.
wxBitmap RenderReportPage(const report::Report& report, int page, int dpi);

} // namespace qv
