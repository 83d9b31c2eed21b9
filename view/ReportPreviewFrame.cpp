#include "view/ReportPreviewFrame.h"

#include <wx/button.h>

#include "ui/Messages.h"
#include "view/report/ReportText.h"

namespace qv {

namespace {

constexpr unsigned kStrClose = 271;
constexpr unsigned kStrPageOf = 46521;

// The bar's picture buttons and the tips they get.
constexpr std::pair<int, unsigned> kTips[] = {
    {wxID_PREVIEW_PRINT, 46522},   {wxID_PREVIEW_FIRST, 46523}, {wxID_PREVIEW_PREVIOUS, 46524},
    {wxID_PREVIEW_NEXT, 46525},    {wxID_PREVIEW_LAST, 46526},  {wxID_PREVIEW_ZOOM_OUT, 46527},
    {wxID_PREVIEW_ZOOM_IN, 46528},
};

class PreviewBar : public wxPreviewControlBar {
public:
    using wxPreviewControlBar::wxPreviewControlBar;
    void CreateButtons() override {
        wxPreviewControlBar::CreateButtons();
        if (m_closeButton)
            m_closeButton->SetLabel(Res(kStrClose));
        for (const auto& [id, tip] : kTips)
            if (wxWindow* button = FindWindow(id))
                button->SetToolTip(Res(tip));
        Layout();
    }
};

} // namespace

void CReportPreviewFrame::SetStatusText(const wxString& text, int number) {
    const wxPrintPreviewBase* preview = m_printPreview;
    if (number != 0 || !preview) {
        wxPreviewFrame::SetStatusText(text, number);
        return;
    }
    wxPreviewFrame::SetStatusText(
        report::ResFormat(kStrPageOf, {preview->GetCurrentPage(), preview->GetMaxPage()}), number);
}

void CReportPreviewFrame::CreateControlBar() {
    long buttons = wxPREVIEW_DEFAULT;
    if (m_printPreview->GetPrintoutForPrinting())
        buttons |= wxPREVIEW_PRINT;
    m_controlBar = new PreviewBar(m_printPreview, buttons, this);
    m_controlBar->CreateButtons();
}

} // namespace qv
