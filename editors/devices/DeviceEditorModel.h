// The device editor: the shown number of the current log file with its name,
// port, device type and stations, the moves between numbers, and the OK and
// Insert roads that store one record per chosen station.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/QuorvelDoc.h"
#include "document/Refusal.h"
#include "editors/EditorQuestions.h"

namespace qv {

constexpr unsigned kMsgNoRoomForDevices = 20155; // also: numbers past the file's maximum
constexpr unsigned kMsgInsertPastMaximum = 20156;
constexpr unsigned kMsgOverwriteDevice = 20157;
constexpr unsigned kMsgDeviceNameMissing = 20162;
constexpr unsigned kStrDeviceNameMissingTitle = 20146;
constexpr unsigned kMsgDeviceNameCharacter = 39200;
constexpr unsigned kStrDeviceNameCharacterTitle = 1000;
constexpr unsigned kMsgPortReadsNoDevices = 20442;
constexpr unsigned kMsgDeviceNameTooLong = 20000; // with 16 and 32

constexpr int kDeviceNumberChars = 3;
constexpr size_t kDeviceNameChars = 32;
constexpr int kMaxDevicesPerFile = 300;
constexpr int kMaxDevicesPerWideFile = 150;
constexpr int kDeviceTypeCodes[] = {kDevicePlc, kDevicePowerMeter, kDeviceSeriesA, kDeviceSeriesB};
constexpr unsigned kStrDeviceTypeNames[] = {4174, 4171, 4172, 4173}; // in the box's order

enum DeviceEditorField {
    kDevEdNone = 0,
    kDevEdName,
    kDevEdPort,
};

// The sorted place of (file, number) among records 0..299: the first record
// of the same file with a number at least as high, of a higher file, or
// free; 300 when there is none.
int FindDeviceInsertPos(const DeviceTable& devices, int fileNo, int number);
// The first free record among the first 300; -1 when all are in use.
int FirstFreeDevice(const DeviceTable& devices);
// The file's highest device number; 0 when it has none.
int HighestDeviceNumber(const DeviceTable& devices, int fileNo);

// 150 for a log file in 64-bit mode, else 300.
int MaxDeviceNumber(const FileTable& files, int fileNo);
// The number typed into the number field: a text that is not a number counts
// as 0; the result lies in 1..maximum. `rewrite` tells whether the field
// must show the result because the text was outside that range.
int TypedDeviceNumber(const std::wstring& text, int maximum, bool* rewrite = nullptr);

// What the editor shows of one number.
struct DeviceEditorForm {
    std::wstring name;
    int port = kPortSerial2; // UnitPort; -1: a stored port the box has no entry for
    int deviceType = kDevicePlc;
    int deviceKind = 1; // 0 contact, 1 register
};
// The record of the number, or the defaults of a new device without one.
DeviceEditorForm LoadDeviceEditor(const DeviceTable& devices, int fileNo, int number,
                                  uint32_t codePage);

// The station button and text. The lowest chosen station is shown; a serial
// port with function codes needs a bus station, so it chooses station 1
// when the flags hold none.
struct StationControls {
    bool enabled = false;
    std::wstring text;
};
StationControls UpdateStationControls(StationList& flags, int port, bool hasSlot,
                                      const UnitBlock& unit);
// The station a record stores for an entry of the station list.
uint8_t StoredStation(int port, uint32_t entry, const UnitBlock& unit);

// The name takes every character but "," and the double quote, typed or
// pasted (the unit's files separate fields with them), and no control
// character.
bool DeviceNameAccepts(wchar_t c);
std::wstring FilterDeviceNamePaste(const std::wstring& text);
// The title of the balloon a name refusal is shown in.
unsigned DeviceBalloonTitle(unsigned messageId);

// The type page's check and store into one record; empty without a page.
using DevicePageStore = std::function<Refusal(DeviceRecord&)>;

struct DeviceStoreRequest {
    DeviceEditorForm form;
    int fileNo = 1;
    int number = 1;
    int maximum = kMaxDevicesPerFile;
    std::vector<uint32_t> stations{0}; // the chosen stations, at least one entry
    bool insert = false;               // Insert, else OK
};

struct DeviceStoreResult {
    Refusal refusal;                      // show it; nothing was stored
    bool pageRefused = false;             // the refusal's field is the type page's
    bool stay = false;                    // the overwrite question was answered No
    std::unique_ptr<DeviceTable> devices; // for the document, the list page and the editor
    bool Accepted() const { return !refusal.Refused() && !stay; }
};

// OK and Insert over a scratch copy of the editor's table: every check, the
// page's and the question come before anything is committed, so a refused
// store changes nothing.
DeviceStoreResult StoreDevices(const DeviceStoreRequest& request, const DeviceTable& devices,
                               const UnitBlock& unit, uint32_t codePage,
                               const DevicePageStore& pageStore, EditorQuestions& questions);

} // namespace qv
