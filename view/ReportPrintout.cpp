#include "view/ReportPrintout.h"

#include <algorithm>
#include <cmath>

#include "view/ReportPainter.h"

namespace qv {

ReportPrintout::ReportPrintout(const wxString& title, std::shared_ptr<const report::Report> report)
    : wxPrintout(title), report_(std::move(report)) {}

bool ReportPrintout::HasPage(int page) {
    return page >= 1 && page <= report_->TotalPages();
}

void ReportPrintout::GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) {
    *minPage = *selFrom = 1;
    *maxPage = *selTo = report_->TotalPages();
}

bool ReportPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc || !HasPage(page))
        return false;
    // Logical units are screen pixels on paper, so fonts keep their size in
    // print and preview alike; the scale comes from the sheet itself.
    MapScreenSizeToPaper();
    const wxRect paper = GetLogicalPaperRect();
    // Pages are laid out on A4; a sheet of another size chosen in the print
    // dialog gets the whole A4 page scaled to fit, never a page cut short.
    const double k = std::min(paper.width / static_cast<double>(report::kPaperWidth),
                              paper.height / static_cast<double>(report::kPaperHeight));
    const report::Margins& m = report_->PageMargins();
    const wxPoint origin =
        paper.GetTopLeft() +
        wxPoint(static_cast<int>(std::lround(report::HundredthsMmToTwips(m.left) * k)),
                static_cast<int>(std::lround(report::HundredthsMmToTwips(m.top) * k)));
    int ppiX = 0, ppiY = 0;
    GetPPIScreen(&ppiX, &ppiY);
    ReportPainter painter(*dc, k, origin, report_->Layout().linesPerPage,
                          ReportFont(k, ppiY > 0 ? ppiY : 96), &fits_);
    painter.Paint(report_->BuildPage(page));
    return true;
}

void UseA4Portrait(wxPrintData& data) {
    data.SetPaperId(wxPAPER_A4);
    data.SetOrientation(wxPORTRAIT);
}

} // namespace qv
