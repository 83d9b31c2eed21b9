#include "app/AppStartHost.h"

#include "app/QuorvelApp.h"
#include "app/StartUpDlg.h"
#include "editors/pmwizard/PowerMeterWizardDlg.h"
#include "editors/wizard/WizardDlg.h"
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

bool AppStartHost::RunSettingsWizard(CQuorvelDoc& doc) {
    return qv::RunSettingsWizard(nullptr, doc, kWizardAtStartUp);
}
bool AppStartHost::RunPowerMeterWizard(CQuorvelDoc& doc) {
    return qv::RunPowerMeterWizard(nullptr, doc, 0);
}
bool AppStartHost::RunConnectionDialog(CQuorvelDoc& doc, ConnectionMode mode) {
    return qv::RunConnectionDialog(
        nullptr, mode == kConnectWrite ? ConnectionAction::Write : ConnectionAction::Read, doc);
}

bool AppStartHost::RunStartUpChooser() {
    CStartUpDlg dlg(nullptr, app_.startChoice, true, true);
    return dlg.ShowModal() == wxID_OK;
}

std::string AppStartHost::BrowseSettingsFile() {
    return qv::BrowseSettingsFile(true, app_.Recent().Newest());
}

void AppStartHost::ShowMessageId(unsigned id) {
    qv::ShowMessageId(id, 0);
}

} // namespace qv
