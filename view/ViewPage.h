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

} // namespace qv
