#include "document/StartChoice.h"

#include "document/QuorvelDoc.h"

namespace qv {

unsigned LoadFailureMessage(int loadResult) {
    return loadResult == kFileCannotOpen ? kMsgCannotOpenFile : kMsgNotSettingsFile;
}

namespace {

bool LoadFile(CQuorvelDoc& doc, StartChoiceHost& host, const std::string& path) {
    const int rc = doc.LoadSettingsFile(path);
    if (rc == kFileOk) {
        host.SetOpenFilePath(path);
        return true;
    }
    host.ShowMessageId(LoadFailureMessage(rc));
    return false;
}

// One attempt at a start choice; false sends the user back to the chooser.
bool TryStartChoice(CQuorvelDoc& doc, StartChoiceHost& host, int choice) {
    switch (choice) {
    case kStartSettingsWizard:
        // A request left from an earlier attempt must not write this one.
        doc.writeRequested = 0;
        if (!host.RunSettingsWizard(doc))
            return false;
        return doc.writeRequested == 0 || host.RunConnectionDialog(doc, kConnectWrite);
    case kStartOpenFile: {
        const std::string path = host.BrowseSettingsFile();
        return !path.empty() && LoadFile(doc, host, path);
    }
    case kStartReadFromUnit:
        doc.SetDefaultSettings();
        return host.RunConnectionDialog(doc, kConnectRead);
    case kStartPowerMeterWizard:
        doc.writeRequested = 0;
        if (!host.RunPowerMeterWizard(doc))
            return false;
        return doc.writeRequested == 0 || host.RunConnectionDialog(doc, kConnectWrite);
    case kStartCommandLineFile:
        return LoadFile(doc, host, host.OpenFilePath());
    default: // new settings; an unknown choice is taken as new settings
        doc.SetDefaultSettings();
        return true;
    }
}

} // namespace

bool RunStartChoice(CQuorvelDoc& doc, StartChoiceHost& host) {
    for (;;) {
        if (TryStartChoice(doc, host, host.StartChoice()))
            return true;
        if (!host.RunStartUpChooser()) {
            doc.SetDefaultSettings();
            host.RequestQuit();
            return false;
        }
    }
}

} // namespace qv
