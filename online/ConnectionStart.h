// The connection dialog as the start choice runs it, before the main window
// exists; apart from the dialog's header, whose mode shares its name with
// the start choice's.
#pragma once

class wxWindow;

namespace qv {

class CQuorvelDoc;

// mode: 0 reads the settings from the unit, 1 writes them; true on OK.
bool RunConnectionDialogForStart(wxWindow* parent, int mode, CQuorvelDoc& doc);

} // namespace qv
