// The start choice's dialogs, as the application has them.
#pragma once
#include "document/StartChoice.h"

namespace qv {

class CQuorvelApp;

class AppStartHost : public StartChoiceHost {
public:
    explicit AppStartHost(CQuorvelApp& app) : app_(app) {}
    int StartChoice() const override;
    std::string OpenFilePath() const override;
    void SetOpenFilePath(const std::string& path) override;
    void RequestQuit() override;
    bool RunSettingsWizard(CQuorvelDoc& doc) override;
    bool RunPowerMeterWizard(CQuorvelDoc& doc) override;
    bool RunConnectionDialog(CQuorvelDoc& doc, ConnectionMode mode) override;
    bool RunStartUpChooser() override;
    std::string BrowseSettingsFile() override;
    void ShowMessageId(unsigned id) override;

private:
    CQuorvelApp& app_;
};

} // namespace qv
