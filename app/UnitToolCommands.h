// The ribbon's unit tools: the RUN/PROGRAM switch, the clear and the
// firmware write, each after the connection dialog in its connect-only form.
#pragma once

class wxWindow;

namespace qv {

class CQuorvelDoc;

void RunProgramModeCommand(wxWindow* frame, CQuorvelDoc& doc);
void ClearUnitCommand(wxWindow* frame, CQuorvelDoc& doc);
void FirmwareUpdateCommand(wxWindow* frame, CQuorvelDoc& doc);

} // namespace qv
