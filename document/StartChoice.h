// What the document does when the program starts: new settings, a wizard, a
// settings file, a read from the unit, or the start-up chooser again.
#pragma once
#include <string>

namespace qv {

class CQuorvelDoc;

enum StartChoice {
    kStartNewSettings = 0,
    kStartSettingsWizard = 1,
    kStartOpenFile = 2,
    kStartReadFromUnit = 3,
    kStartPowerMeterWizard = 5,
    kStartCommandLineFile = 6,
};

enum ConnectionMode { kConnectRead = 0, kConnectWrite = 1 };

// The dialogs and application state the start choice needs; the application
// implements it with its windows, tests with a script of answers.
class StartChoiceHost {
public:
    virtual ~StartChoiceHost() = default;
    virtual int StartChoice() const = 0;
    virtual std::string OpenFilePath() const = 0;
    virtual void SetOpenFilePath(const std::string& path) = 0;
    virtual void RequestQuit() = 0;
    // Each returns true when the dialog ended with OK.
    virtual bool RunSettingsWizard(CQuorvelDoc& doc) = 0;
    virtual bool RunPowerMeterWizard(CQuorvelDoc& doc) = 0;
    virtual bool RunConnectionDialog(CQuorvelDoc& doc, ConnectionMode mode) = 0;
    // The start-up chooser; on OK it has stored a new start choice.
    virtual bool RunStartUpChooser() = 0;
    // A settings file to open; empty when the user cancelled.
    virtual std::string BrowseSettingsFile() = 0;
    virtual void ShowMessageId(unsigned id) = 0;
};

constexpr unsigned kMsgNotSettingsFile = 20281;
constexpr unsigned kMsgCannotOpenFile = 20283;

// Carries out the start choice, showing the chooser again after a failure or
// a cancel. Returns false when the user cancelled the chooser (quit requested).
bool RunStartChoice(CQuorvelDoc& doc, StartChoiceHost& host);

// The message for a failed load: 20283 when the file cannot be opened, else 20281.
unsigned LoadFailureMessage(int loadResult);

} // namespace qv
