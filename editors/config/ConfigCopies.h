// The system settings dialog's private copies of the blocks its panes edit.
// The panes read and write only these; OK puts them into the document.
#pragma once
#include "document/SettingsImage.h"

namespace qv {

struct ConfigCopies {
    UserTable users;
    ErrorNotifyBlock errors;
    TimeBlock time;
    PortNumberBlock ports;
    ConfigExtraBlock extra;
    FileTable files;
    int language = 0; // 0 English, 1 Japanese, 2 simplified Chinese
};

} // namespace qv
