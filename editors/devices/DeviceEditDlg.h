// The device editor: edits the devices of the current log file from the
// device list page, one number at a time, until Cancel.
#pragma once
#include <wx/window.h>

namespace qv {

class CQuorvelDoc;
class DeviceEditorOwner;

// Runs the editor modally on list row `row` (device number row + 1) of the
// document's current file. The page has set the document's station flags
// from the row's record before.
void RunDeviceEditor(wxWindow* page, DeviceEditorOwner& owner, int row, CQuorvelDoc& doc);

} // namespace qv
