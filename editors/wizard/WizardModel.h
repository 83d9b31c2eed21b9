// The settings wizard: a unit name and address, log file 1 with its two
// triggers and up to 300 register devices, built on copies of the factory
// settings. The document changes only when the wizard finishes.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/QuorvelDoc.h"
#include "document/Refusal.h"

namespace qv {

constexpr unsigned kStrWizardIntervalFirst = 3995; // 15 min, 30 min, 1 hour
constexpr unsigned kStrWizardDailyTrigger = 3998;
constexpr unsigned kStrWizardSaveDevices = 5224; // the Next button on the device page
constexpr unsigned kStrWizardFinish = 5225;
constexpr unsigned kMsgWizardCancel = 20260;
constexpr unsigned kMsgWizardReplaceSettings = 20261;
constexpr unsigned kMsgWizardTooManyRows = 20262; // with the row limit
constexpr unsigned kMsgWizardBadRegister = 20263;
constexpr unsigned kMsgWizardDeviceNameMissing = 20266;
constexpr unsigned kMsgWizardBadAddress = 20370;
constexpr unsigned kMsgWizardScaleMissing = 46300;
constexpr unsigned kMsgWizardStationRefused = 46301;

constexpr int kWizardDeviceRows = 300; // rows of the device page
constexpr uint32_t kWizardHighestRegister = 32767;
constexpr size_t kWizardRegisterChars = 5;
constexpr size_t kWizardScaleChars = 9;
constexpr size_t kWizardUnitTextChars = 4;

enum WizardPageIndex { kWizPageUnit = 0, kWizPageFile, kWizPageDevice, kWizPageSummary };

enum WizardField {
    kWizFieldNone = 0,
    kWizFieldUnitName,
    kWizFieldAddress,
    kWizFieldFileName,
    kWizFieldDeviceName,
    kWizFieldPort,
    kWizFieldStation,
    kWizFieldRegister,
    kWizFieldScale,
    kWizFieldUnitText,
};

// One device as the device page edits it.
struct WizardDeviceRow {
    uint8_t port = 1; // 0 serial port 1, 1 serial port 2
    uint8_t station = 0;
    std::string name; // in the code page
    uint32_t reg = 0;
    uint8_t dataType = 0;
    uint8_t mode = 0;
    uint8_t difference = 6;
    uint8_t scaling = 0;
    float scale = 0.0f;
    std::string unitText; // in the code page
    bool saved = false;
};

struct WizardUnitForm {
    std::wstring name;
    bool addressValid = true; // every field of the address holds an octet
    std::array<uint8_t, 4> address{};
    bool option = false; // unit option byte set
};

struct WizardFileForm {
    std::wstring name;
    int interval = 0; // 0: 15 minutes, 1: 30 minutes, 2: 1 hour, -1: none chosen
};

// Codes, not box entries: the window maps them to its lists.
struct WizardDeviceForm {
    std::wstring name;
    int port = 1;
    int station = 1;
    std::wstring reg = L"0";
    int dataType = 0;
    int mode = 0;
    int difference = 6;
    bool scaling = false;
    std::wstring scale;
    std::wstring unitText;
};

struct WizardDeviceView {
    std::wstring counter;      // "row / rows"
    std::vector<int> stations; // what the station box offers on the form's port
    bool differenceEnabled = false;
    bool scaleEnabled = false;
    bool previousEnabled = false;
    bool nextEnabled = false;
};

struct WizardSummary {
    std::wstring unitName;
    std::wstring address;
    int files = 1;
    int devices = 1;
};

// The lists of the device page, by code.
extern const int kWizardDataTypes[3];
extern const int kWizardModes[2];
extern const int kWizardDifferences[2];

// The stations the device editor takes on a port (0 serial port 1, 1 serial
// port 2) with the unit block's protocol.
std::vector<int> WizardStations(int port, const UnitBlock& unit);

// The title of the balloon a refusal of a name is shown in.
unsigned WizardBalloonTitle(unsigned messageId);

class WizardModel {
public:
    explicit WizardModel(uint32_t codePage);

    uint32_t CodePage() const { return codePage_; }
    const UnitBlock& Unit() const { return unit_; }
    const TriggerTable& Triggers() const { return triggers_; }
    const FileTable& Files() const { return files_; }
    const DeviceTable& Devices() const { return devices_; }
    const IpBlock& Ip() const { return ip_; }
    const WizardDeviceRow& Row(int i) const { return rows_.at(static_cast<size_t>(i)); }
    int ShownRow() const { return shownRow_; }
    int LastRow() const { return lastRow_; }

    // Page 0: the unit.
    WizardUnitForm LoadUnit() const;
    Refusal SaveUnit(const WizardUnitForm& form);

    // Page 1: log file 1. Next checks the name first; Back stores it as it
    // is, cut on a character boundary.
    WizardFileForm LoadFile() const;
    Refusal CheckFileName(const WizardFileForm& form) const;
    Refusal SaveFile(const WizardFileForm& form);

    // Page 2: the shown device row.
    WizardDeviceForm LoadDevice() const;
    WizardDeviceView DeviceView(const WizardDeviceForm& form) const;
    // A new port offers its first station.
    void ChangePort(WizardDeviceForm& form, int port) const;
    // The values of a power meter's energy register; stored only on a save.
    void PowerPreset(WizardDeviceForm& form) const;
    Refusal CheckDevice(const WizardDeviceForm& form) const;
    // Field by field; a refusal keeps what was stored before it. A stored
    // row rebuilds the device records of every row.
    Refusal SaveDevice(const WizardDeviceForm& form, bool doubleByteUi);
    // Moves the shown row by one within the rows in use; false at an end.
    bool MoveRow(int delta);
    // A new row after the last; false when every row is in use.
    bool AddRow();

    WizardSummary Summary() const;

    // The factory settings with the wizard's blocks into the document.
    void Finish(CQuorvelDoc& doc, bool writeRequested) const;

private:
    void BuildDevices();
    DeviceRecord BuildRecord(int row) const;
    Refusal CheckBuiltRecord(const DeviceRecord& record, bool doubleByteUi) const;

    uint32_t codePage_;
    UnitBlock unit_;
    TriggerTable triggers_;
    FileTable files_;
    DeviceTable devices_;
    IpBlock ip_;
    std::vector<WizardDeviceRow> rows_;
    int shownRow_ = 0;
    int lastRow_ = 0;
};

} // namespace qv
