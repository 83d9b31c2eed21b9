#include "app/AppStartHost.h"

#include "app/QuorvelApp.h"
#include "app/StartUpDlg.h"
#include "online/ConnectionDlg.h"
#include "ui/FileDialogs.h"
#include "ui/Messages.h"

namespace qv {

int AppStartHost::StartChoice() const {
    return app_.startChoice;
}
std::string AppStartHost::OpenFilePath() const {
    return app_.OpenFilePath();
}
void AppStartHost::SetOpenFilePath(const std::string& path) {
    app_.SetOpenFilePath(path);
}
void AppStartHost::RequestQuit() {
    app_.quitRequested = true;
}

// The wizards and the connection dialog come with later work; their choices
// are disabled in the chooser, so these are reached only by a stale choice.
bool AppStartHost::RunSettingsWizard(CQuorvelDoc&) {
    return false;
}
bool AppStartHost::RunPowerMeterWizard(CQuorvelDoc&) {
    return false;
}
bool AppStartHost::RunConnectionDialog(CQuorvelDoc& doc, ConnectionMode mode) {
    return qv::RunConnectionDialog(
        nullptr, mode == kConnectWrite ? ConnectionAction::Write : ConnectionAction::Read, doc);
}

bool AppStartHost::RunStartUpChooser() {
    CStartUpDlg dlg(nullptr, app_.startChoice, false, false);
    return dlg.ShowModal() == wxID_OK;
}

std::string AppStartHost::BrowseSettingsFile() {
    return qv::BrowseSettingsFile(true, "");
}

void AppStartHost::ShowMessageId(unsigned id) {
    qv::ShowMessageId(id, 0);
}

} // namespace qv
