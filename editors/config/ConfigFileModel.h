// The log-file options: bytes 0 to 7, 14, 20 and 21 of the error-notification
// block, and the decimals byte that every file record shares.
#pragma once
#include <array>
#include <string>

#include "document/SettingsImage.h"

namespace qv {

constexpr int kDecimalsMax = 6; // the box offers 0 to 6

// What the pane shows. Most boxes are stored inverted: a cleared bit is a
// checked box, so the factory defaults show them checked.
struct ConfigFileForm {
    bool titleRow = true;            // byte 0
    bool unitRow = true;             // byte 1
    int storage = 0;                 // byte 2 bit 0: 0 card, 1 memory
    int whenFull = 0;                // byte 2 bit 1: 0 overwrite, 1 stop
    int separator = 0;               // byte 3
    std::array<bool, 7> columns{};   // byte 4 bits 0..6
    int dateOrder = 0;               // byte 5
    int lineEnd = 0;                 // byte 6
    std::array<bool, 5> nameParts{}; // byte 7 bits 0..4, see LogNamePart
    bool closeAtMidnight = false;    // byte 14
    bool systemHistory = true;       // byte 20
    bool triggerHistory = false;     // byte 21
    // Index of the decimals box; -1 when the stored value has no entry, and
    // then the file records keep their values.
    int decimals = 2;
};

// The five file-name boxes, in the order of their bits in byte 7.
enum LogNamePart { kNameFolder = 0, kNameBrackets, kNameTime, kNameTrigger, kNameShortYear };

ConfigFileForm LoadConfigFile(const ErrorNotifyBlock& errors, const FileTable& files);
// Rebuilds the pane's bytes: bits that carry no option become 0 and the
// switch bytes 0 or 1; the other bytes of the block stay.
void StoreConfigFile(const ConfigFileForm& form, ErrorNotifyBlock& errors, FileTable& files);

// The example file name that follows the five file-name boxes.
std::wstring ExampleLogFileName(const std::array<bool, 5>& nameParts);

// OK warns when the log files get no folder of their own.
inline bool LogFilesShareOneFolder(const ErrorNotifyBlock& errors) {
    return (errors.U8(7) & 1) != 0;
}

} // namespace qv
