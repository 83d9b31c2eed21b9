// The print preview's frame, with its Close button in the interface language
// (the toolkit labels it after the system's locale).
#pragma once
#include <wx/print.h>

namespace qv {

class CReportPreviewFrame : public wxPreviewFrame {
public:
    using wxPreviewFrame::wxPreviewFrame;

protected:
    void CreateControlBar() override;
};

} // namespace qv
