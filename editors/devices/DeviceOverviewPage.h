// The settings view's overview of the sixteen log files and how many devices
// each records. Read-only: no selection acts, no command, no editor.
#pragma once
#include <cstdint>
#include <wx/panel.h>

#include "view/ViewPage.h"

class wxListCtrl;
class wxListEvent;

namespace qv {

class CDeviceInfoPage : public wxPanel, public ViewPage {
public:
    static constexpr int kIdList = 1108;

    CDeviceInfoPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view);

    // Re-reads the document's file and device tables into the rows.
    void FillFileCounts();
    void ResizeList();
    void Reload(uint32_t item) override;

    wxListCtrl* List;

private:
    void OnColumnDrag(wxListEvent& event);

    CQuorvelDoc& doc_;
    uint32_t codePage_;
};

} // namespace qv
