// The device list page's model: the rows of one log file with their texts
// and looks, and the copy, cut, paste and delete that rearrange the devices.
// Every operation works on a scratch copy and hands back the whole table
// only when it went through, so a refused step changes nothing.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/DeviceRowText.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"
#include "editors/EditorQuestions.h"

namespace qv {

constexpr unsigned kMsgWideDeviceIntoNarrowFile = 20148;
constexpr unsigned kMsgNothingToDelete = 20150;
constexpr unsigned kMsgDeleteRenumber = 20151;
constexpr unsigned kMsgNothingCopied = 20152;
constexpr unsigned kMsgNoPasteRow = 20153;
constexpr unsigned kMsgOnePasteRow = 20154;

// Row texts of devices as a user usually sets them up (registers and
// contacts of a station on either serial port and of the unit itself), by
// which the list's columns take their first widths.
std::vector<DeviceRowText> TypicalDeviceRows(const UnitBlock& unit, uint32_t codePage);
// The record index of each number 1..rows of the file, -1 where it has none.
std::vector<int> DeviceRowIndexes(const DeviceTable& devices, int fileNo, int rows);

// The four summary fields above the list.
struct FileSummaryText {
    std::wstring name, trigger, quantity, count;
};
FileSummaryText FormatFileSummary(const FileTable& files, const TriggerTable& triggers, int fileNo,
                                  uint32_t codePage);

// What a delete did: refused (with the message), cancelled at the question
// (neither), or deleted.
struct DeviceDeletion {
    Refusal refusal;
    bool deleted = false;
};

class DeviceListModel {
public:
    // Takes the checked numbers of the file; a cut marks them until a paste
    // completes it. The records are read at each paste.
    void Copy(const DeviceTable& devices, int fileNo, const std::vector<int>& numbers, bool cut);
    // Pastes the copied devices at the one checked number of the file and
    // completes a pending cut. `devices` changes only when nothing refused.
    Refusal Paste(DeviceTable& devices, const FileTable& files, int fileNo,
                  const std::vector<int>& checked);
    // Deletes the checked numbers, after the question whether the devices
    // below close up (Yes) or keep their numbers (No); Cancel deletes
    // nothing. A delete cancels a pending cut.
    DeviceDeletion Delete(DeviceTable& devices, int fileNo, const std::vector<int>& checked,
                          EditorQuestions& questions);
    // A cut whose table has changed since (another editor stored, a file was
    // opened) is cancelled: completing it would remove other devices.
    void Sync(const DeviceTable& devices);
    void CancelCut();

    bool CutPending() const { return cutTable_ != nullptr; }
    // The row is drawn grey and ignores clicks while its file is shown.
    bool IsCutMarked(int fileNo, int number) const;
    size_t CopiedCount() const { return copied_.size(); }

private:
    std::vector<int> copied_;
    int copyFile_ = 0;
    std::vector<int> cut_; // numbers of cutFile_ still to remove
    int cutFile_ = 0;
    std::unique_ptr<DeviceTable> cutTable_; // the table the cut was taken from
};

} // namespace qv
