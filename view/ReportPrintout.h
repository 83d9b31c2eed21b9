// The printed report as a wxPrintout: the same pages for the printer and the
// preview, drawn from one snapshot taken when the command began.
#pragma once
#include <memory>
#include <wx/print.h>

#include "view/ReportTextFits.h"
#include "view/report/ReportLayout.h"

namespace qv {

class ReportPrintout : public wxPrintout {
public:
    ReportPrintout(const wxString& title, std::shared_ptr<const report::Report> report);

    bool OnPrintPage(int page) override;
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override;

private:
    std::shared_ptr<const report::Report> report_;
    ReportTextFits fits_; // from page to page
};

// Every report prints on A4 portrait, whatever the printer offered.
void UseA4Portrait(wxPrintData& data);

} // namespace qv
