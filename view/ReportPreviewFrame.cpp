#include "view/ReportPreviewFrame.h"

#include <wx/button.h>

#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrClose = 271;

class PreviewBar : public wxPreviewControlBar {
public:
    using wxPreviewControlBar::wxPreviewControlBar;
    void CreateButtons() override {
        wxPreviewControlBar::CreateButtons();
        if (m_closeButton)
            m_closeButton->SetLabel(Res(kStrClose));
        Layout();
    }
};

} // namespace

void CReportPreviewFrame::CreateControlBar() {
    long buttons = wxPREVIEW_DEFAULT;
    if (m_printPreview->GetPrintoutForPrinting())
        buttons |= wxPREVIEW_PRINT;
    m_controlBar = new PreviewBar(m_printPreview, buttons, this);
    m_controlBar->CreateButtons();
}

} // namespace qv
