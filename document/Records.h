// The records of the settings image's tables: byte offsets of their fields.
// Texts are fixed-width fields in the interface code page, NUL-padded.
#pragma once
#include "document/ByteBlock.h"

namespace qv {

constexpr size_t kNameWidth = 32;

struct TriggerRecord : ByteBlock<80> {};
namespace trig {
constexpr size_t kName = 0x00;
constexpr size_t kKind = 0x20; // TriggerKind
constexpr size_t kFlag = 0x21;
// cycle
constexpr size_t kCycleSeconds = 0x22, kCycleMinutes = 0x23, kCycleHours = 0x24,
                 kCycleDays = 0x25, kCycleAlign = 0x26, kCycleUnit = 0x27;
// date and time
constexpr size_t kDateSecond = 0x22, kDateMinute = 0x23, kDateHour = 0x24, kDateDay = 0x25,
                 kDateMonth = 0x26, kDateYear = 0x27, kDateWeekdays = 0x28, kDateRepeat = 0x29;
// contact and register
constexpr size_t kPort = 0x22, kStation = 0x2A, kArea = 0x2B, kAddress = 0x2C;
constexpr size_t kContactCondition = 0x24, kContactCount = 0x30;
constexpr size_t kRegDataType = 0x23, kRegCompare = 0x24, kRegBracket = 0x25,
                 kRegExcluded = 0x26, kRegOption = 0x27, kRegValue1Low = 0x30,
                 kRegValue2Low = 0x34, kRegValue1High = 0x38, kRegValue2High = 0x3C;
// combination: 0-based operand indexes
constexpr size_t kCombiFirst = 0x22, kCombiSecond = 0x23, kCombiOperator = 0x24;
} // namespace trig

enum TriggerKind : uint8_t {
    kTriggerNone = 0,
    kTriggerCycle = 1,
    kTriggerDate = 2,
    kTriggerContact = 3,
    kTriggerRegister = 4,
    kTriggerCombination = 5,
};

struct FileRecord : ByteBlock<80> {};
namespace file {
constexpr size_t kName = 0x00;
constexpr size_t kNumber = 0x20; // u32
constexpr size_t kTrigger = 0x24; // u16
constexpr size_t kNumber2 = 0x26;
constexpr size_t kTrigger2 = 0x27, kTrigger3 = 0x28, kTrigger4 = 0x2A;
constexpr size_t kSelector = 0x2B;
constexpr size_t kDecimals = 0x34;
constexpr size_t kWide64 = 0x35;
constexpr size_t kTriggerHistoryIndex = 32;
constexpr size_t kSystemHistoryIndex = 64;
constexpr size_t kLogFileCount = 16;
// The records in use: the 16 log files, then the two history files.
constexpr size_t kInUse[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
                             kTriggerHistoryIndex, kSystemHistoryIndex};
} // namespace file

struct DeviceRecord : ByteBlock<80> {};
namespace dev {
constexpr size_t kName = 0x00;
constexpr size_t kNumber = 0x20; // u16
constexpr size_t kFile = 0x22;
constexpr size_t kPort = 0x23;
constexpr size_t kStation = 0x24;
constexpr size_t kArea = 0x27;
constexpr size_t kAddress = 0x28; // u32
constexpr size_t kMode = 0x2C;
constexpr size_t kDataType = 0x2D;
constexpr size_t kExtra = 0x2E; // the difference mode's parameter
constexpr size_t kAuxWord = 0x30; // u16
constexpr size_t kContactOption = 0x32;
constexpr size_t kDeviceType = 0x33;
constexpr size_t kMeterKind = 0x34;
constexpr size_t kIsRegister = 0x35;
constexpr size_t kReserved36 = 0x36;
constexpr size_t kWideValueOption = 0x36;
constexpr size_t kScaleOn = 0x37;
constexpr size_t kScale = 0x38; // IEEE float
constexpr size_t kUnitText = 0x44;
constexpr size_t kUnitTextWidth = 4;
constexpr size_t kUsedCount = 300;
} // namespace dev

enum DeviceType : uint8_t {
    kDevicePlc = 0,
    kDevicePowerMeter = 10,
    kDeviceSeriesA = 20,
    kDeviceSeriesB = 30,
};

struct DataSetRecord : ByteBlock<64> {};
namespace dset {
constexpr size_t kName = 0x00;
constexpr size_t kTrigger = 0x20, kFlag = 0x21, kReserved22 = 0x22, kPort = 0x23,
                 kTargetKind = 0x24, kDataType = 0x25, kStation = 0x26, kArea = 0x27;
constexpr size_t kAddress = 0x28;  // u32
constexpr size_t kValue32 = 0x2C;  // u32
constexpr size_t kTrigger2 = 0x30;
constexpr size_t kValue64 = 0x38;  // u64
} // namespace dset

struct MailSendRecord : ByteBlock<288> {};
namespace msend {
constexpr size_t kText = 0x00;
constexpr size_t kTextWidth = 16;
constexpr size_t kTrigger = 0x111;
constexpr size_t kRecipients = 0x114; // u16 mask
} // namespace msend

struct UserRecord : ByteBlock<80> {};
namespace user {
constexpr size_t kAddress = 0x00, kAddressWidth = 48;
constexpr size_t kName = 0x30, kNameWidth = 16;
constexpr size_t kOpaque = 0x40, kOpaqueWidth = 16;
} // namespace user

struct SendGroupRecord : ByteBlock<48> {};

enum DataType : uint8_t {
    kTypeS16 = 0,
    kTypeU16 = 1,
    kTypeH16 = 2,
    kTypeS32 = 3,
    kTypeU32 = 4,
    kTypeH32 = 5,
    kTypeFloat = 6,
    kTypeS64 = 7,
    kTypeU64 = 8,
};

enum UnitPort : uint8_t { kPortUnit = 0, kPortSerial1 = 1, kPortSerial2 = 2 };

} // namespace qv
