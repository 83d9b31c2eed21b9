// The print preview's frame in the interface language: the toolkit words its
// buttons, tips and page line after the system's locale, so this frame
// gives them the program's own texts.
#pragma once
#include <wx/print.h>

namespace qv {

class CReportPreviewFrame : public wxPreviewFrame {
public:
    using wxPreviewFrame::wxPreviewFrame;

    // The toolkit reports each page it shows here; the line names the page
    // in the program's words instead.
    void SetStatusText(const wxString& text, int number = 0) override;

protected:
    void CreateControlBar() override;
};

} // namespace qv
