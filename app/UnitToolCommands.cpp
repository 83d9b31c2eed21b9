#include "app/UnitToolCommands.h"

#include <memory>

#include "app/QuorvelApp.h"
#include "document/MessageType.h"
#include "link/UnitSession.h"
#include "online/ConnectionDlg.h"
#include "online/UnitToolUser.h"
#include "ui/Messages.h"
#include "ui/WaitDlg.h"

namespace qv {

namespace {

// One session for one tool run, with the link settings the connection
// dialog stored; it closes the link when it goes.
class ToolSession {
public:
    explicit ToolSession(wxWindow* frame)
        : progress_(frame), password_(MakeUnitPasswordPrompt()),
          session_(wxGetApp().Profile(), wxGetApp().codePage, &progress_, password_.get(),
                   SystemSleeper()) {}
    CUnitSession& operator*() { return session_; }
    CUnitSession* operator->() { return &session_; }

private:
    CWaitProgress progress_;
    std::unique_ptr<PasswordPrompt> password_;
    CUnitSession session_; // last, so it is gone before its helpers
};

} // namespace

void RunProgramModeCommand(wxWindow* frame, CQuorvelDoc& doc) {
    if (!RunConnectionDialog(frame, ConnectionAction::Tool, doc))
        return;
    ToolSession session(frame);
    CUnitToolUser user(frame);
    session->ToggleRunMode(user);
}

void ClearUnitCommand(wxWindow* frame, CQuorvelDoc& doc) {
    if (!RunConnectionDialog(frame, ConnectionAction::Tool, doc))
        return;
    ToolSession session(frame);
    CUnitToolUser user(frame);
    session->ConfirmAndClearUnit(user);
}

void FirmwareUpdateCommand(wxWindow* frame, CQuorvelDoc& doc) {
    ToolSession session(frame);
    CUnitToolUser user(frame);
    const int loaded = session->LoadFirmwareFile(user);
    if (loaded == -2)
        ShowMessageId(kMsgNotFirmwareImage, kMbOk | kMbIconInformation);
    if (loaded != 0)
        return;
    if (RunConnectionDialog(frame, ConnectionAction::Tool, doc))
        session->UpdateFirmware(user);
}

} // namespace qv
