// The program's single document: the live settings image, the saved and undo
// snapshots, the item on show, the wizards' write request and the station
// selection shared by the device and data-set editors.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "document/Clock.h"
#include "document/SettingsImage.h"

namespace qv {

// The unit's transfer image: the 131,072 bytes of the settings file.
using TransferImage = std::array<uint8_t, kImageSize>;

class RecentFileSink {
public:
    virtual ~RecentFileSink() = default;
    virtual void AddRecentFile(const std::string& path) = 0;
};

enum SnapshotMode { kSnapshotUndo = 0, kSnapshotSaved = 1 };

// Results of LoadSettingsFile; SaveSettingsFile returns 0, -1 or a positive errno.
enum SettingsFileResult {
    kFileOk = 0,
    kFileCannotOpen = -1, // also: a write of the save failed
    kFileWrongLength = -2,
    kFileWrongProduct = -3,
};

constexpr size_t kStationCount = 248; // entry 0 = all stations, 1..247 the bus stations
using StationList = std::array<uint32_t, kStationCount>;

class CQuorvelDoc {
public:
    // Builds the document with the factory defaults already in place.
    explicit CQuorvelDoc(uint32_t codePage, const Clock& clock = SystemClock(),
                         const UserNameSource& user = SystemUserName());
    ~CQuorvelDoc();
    CQuorvelDoc(const CQuorvelDoc&) = delete;
    CQuorvelDoc& operator=(const CQuorvelDoc&) = delete;

    uint32_t CodePage() const { return codePage_; }

    // The live blocks. Editors copy what they edit and write whole blocks back.
    const ImageBlocks& Blocks() const { return *live_; }
    ImageBlocks& Blocks() { return *live_; }

    // Factory settings; they also become the saved state.
    void SetDefaultSettings();

    void TakeSnapshot(int mode);
    void RestoreSnapshot();
    bool IsUnmodified() const;

    void SetUnitBlock(const UnitBlock& b) { live_->unit = b; }
    void SetTriggerTable(const TriggerTable& b) { live_->triggers = b; }
    void SetFileTable(const FileTable& b) { live_->files = b; }
    void SetDeviceTable(const DeviceTable& b) { live_->devices = b; }
    void SetMailSendTable(const MailSendTable& b) { live_->mailSends = b; }
    void SetDataSetTable(const DataSetTable& b) { live_->dataSets = b; }
    void SetIpBlock(const IpBlock& b) { live_->ip = b; }
    void SetUsers(const UserTable& b) { live_->users = b; }
    void SetGroups(const GroupTable& b) { live_->groups = b; }

    // Settings file.
    int SaveSettingsFile(const std::string& path);
    int LoadSettingsFile(const std::string& path);
    // The system error behind the last failed save or load (0 when none is known).
    int LastFileErrno() const { return lastErrno_; }

    // Transfer image for the unit.
    size_t DocToImage(TransferImage& image) const;
    size_t ImageToDoc(const TransferImage& image);
    void StampWriteInfo();

    // Path of the settings file the document belongs to; empty while untitled.
    const std::string& PathName() const { return pathName_; }
    bool IsUntitled() const { return pathName_.empty(); }
    void SetPathName(const std::string& path, bool addToRecent);
    void SetRecentFileSink(RecentFileSink* sink) { recent_ = sink; }

    uint32_t currentItem = 1;
    uint32_t writeRequested = 0;
    StationList stationFlags{};

    size_t GetSelectedStations(StationList& list) const;
    static int FindDeviceRecord(const DeviceTable& table, int fileNo, int deviceNo, int mode);
    void SetStationFlagsFromDevice(const DeviceTable& table, int deviceNo, int fileNo);

private:
    struct UndoState;

    uint32_t codePage_;
    const Clock& clock_;
    const UserNameSource& user_;
    std::unique_ptr<ImageBlocks> live_;
    std::unique_ptr<ImageBlocks> saved_;
    std::unique_ptr<UndoState> undo_;
    std::string pathName_;
    RecentFileSink* recent_ = nullptr;
    int lastErrno_ = 0;
};

// Copies every block but SpareBlock64 from one image to another.
void CopyBlocksButSpare64(const ImageBlocks& from, ImageBlocks& to);

} // namespace qv
