// The settings view's print commands.
#include <wx/print.h>
#include <wx/printdlg.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "ui/Messages.h"
#include "view/QuorvelView.h"
#include "view/ReportMarginsDlg.h"
#include "view/ReportPreviewFrame.h"
#include "view/ReportPrintout.h"

namespace qv {

namespace {

constexpr unsigned kMsgPrintFailed = 46503;

} // namespace

std::shared_ptr<const report::Report> CQuorvelView::MakeReport() {
    StoreUnitNamePage();
    return std::make_shared<const report::Report>(
        doc_.Blocks(), wxGetApp().codePage, DocumentFileName(doc_).ToStdWstring(), printMargins);
}

static wxPrintData& PrintDataOf(std::shared_ptr<wxPrintData>& data) {
    if (!data)
        data = std::make_shared<wxPrintData>();
    UseA4Portrait(*data);
    return *data;
}

void CQuorvelView::OnFilePrint(bool withDialog) {
    const auto report = MakeReport();
    wxPrintDialogData dialogData(PrintDataOf(printData_));
    dialogData.SetMinPage(1);
    dialogData.SetMaxPage(report->TotalPages());
    dialogData.SetFromPage(1);
    dialogData.SetToPage(report->TotalPages());
    wxPrinter printer(&dialogData);
    ReportPrintout printout(DocumentFileName(doc_), report);
    // Straight to the printer chosen earlier in this session; before one was
    // chosen the toolkit would wait for a default printer that may never
    // answer, so the print dialog asks.
    const bool prompt = withDialog || printData_->GetPrinterName().empty();
    if (printer.Print(&frame_, &printout, prompt)) {
        *printData_ = printer.GetPrintDialogData().GetPrintData();
        UseA4Portrait(*printData_);
    } else if (wxPrinter::GetLastError() == wxPRINTER_ERROR) {
        ShowMessageId(kMsgPrintFailed);
    }
}

void CQuorvelView::OnFilePrintPreview() {
    const auto report = MakeReport();
    const wxString title = DocumentFileName(doc_);
    wxPrintDialogData dialogData(PrintDataOf(printData_));
    auto* preview = new wxPrintPreview(new ReportPrintout(title, report),
                                       new ReportPrintout(title, report), &dialogData);
    if (!preview->IsOk()) {
        delete preview;
        ShowMessageId(kMsgPrintFailed);
        return;
    }
    frame_.BeginPreview();
    auto* previewFrame = new CReportPreviewFrame(preview, &frame_, frame_.GetTitle(),
                                                 frame_.GetPosition(), frame_.GetSize());
    CMainFrame* frame = &frame_;
    previewFrame->Bind(wxEVT_CLOSE_WINDOW, [frame](wxCloseEvent& event) {
        frame->EndPreview();
        event.Skip();
    });
    previewFrame->Initialize();
    previewFrame->Show();
}

void CQuorvelView::OnFilePageSetup() {
    CReportMarginsDlg dialog(&frame_, printMargins);
    if (dialog.ShowModal() == wxID_OK)
        printMargins = dialog.Margins();
}

} // namespace qv
