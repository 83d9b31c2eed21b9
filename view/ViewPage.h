// A page the settings view shows in its tab: it reloads itself from the
// document whenever the view refreshes it.
#pragma once
#include <cstdint>

class wxWindow;

namespace qv {

class CQuorvelDoc;
class CQuorvelView;

class ViewPage {
public:
    virtual ~ViewPage() = default;
    // `item` is the view's current item (for the device list, the file 1..16).
    virtual void Reload(uint32_t item) = 0;
};

// The device pages, each created beside its own code.
wxWindow* CreateDeviceOverviewPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view);
wxWindow* CreateDeviceListPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view);
// The log-file list (mode 20) and a history file's page: mode 21 shows file
// record 64, mode 22 file record 32.
wxWindow* CreateFileListPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view);
wxWindow* CreateHistoryFilePage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view, int mode,
                                int recordIndex);
// The data-set list (modes 50 and 51) and the mail-send list (mode 52).
wxWindow* CreateDataSetPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view);
wxWindow* CreateMailSendPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view);

} // namespace qv
