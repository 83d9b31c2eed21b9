// The unit's complete settings: 22 blocks in a fixed order (98,096 bytes),
// followed by zeros up to 131,072 bytes in the file and the transfer image.
#pragma once
#include <cstddef>

#include "document/ByteBlock.h"
#include "document/Records.h"

namespace qv {

constexpr size_t kImageSize = 0x20000;    // settings file and transfer image
constexpr size_t kBlocksSize = 0x17F30;   // the 22 blocks

struct ImageHeader : ByteBlock<64> {};
namespace hdr {
constexpr size_t kProduct = 0, kProductWidth = 16;
constexpr size_t kVersion = 16, kVersionWidth = 16;
constexpr size_t kImageSizeField = 32;
constexpr size_t kSaveTime = 37; // year-2000, month, day, hour, minute, second, weekday
constexpr const char* kProductName = "Quorvelis";
constexpr const char* kVersionText = "Ver.2.30.0000";
} // namespace hdr

struct UnitBlock : ByteBlock<64> {};
namespace unit {
constexpr size_t kName = 0;
constexpr size_t kPortRecord = 32;   // + 6p
constexpr size_t kPortRecordSize = 6;
constexpr size_t kPortValue = 44;    // u16, + 2p
constexpr size_t kUnitOption = 48;
constexpr size_t kPortOptions = 49;  // low nibble port 1, high nibble port 2
constexpr size_t kPortChoice = 50;   // + p
inline size_t PortRecordOffset(int p) { return kPortRecord + kPortRecordSize * static_cast<size_t>(p); }
} // namespace unit
namespace portrec {
constexpr size_t kFormat = 0, kBaud = 1, kNumber = 2, kProtocol = 3, kNumber2 = 4, kRole = 5;
inline int DataLength(uint8_t format) { return format & 1; }
inline int Parity(uint8_t format) { return (format >> 1) & 3; }
inline int StopBits(uint8_t format) { return (format >> 3) & 1; }
} // namespace portrec

struct TriggerTable : RecordTable<TriggerRecord, 256> {};
struct FileTable : RecordTable<FileRecord, 65> {};
struct DeviceTable : RecordTable<DeviceRecord, 500> {};
struct MailSendTable : RecordTable<MailSendRecord, 64> {};
struct DataSetTable : RecordTable<DataSetRecord, 128> {};
struct SpareBlock64 : ByteBlock<64> {};

struct IpBlock : ByteBlock<32> {};
namespace ip {
constexpr size_t kAddress = 0, kMask = 4, kGateway = 8, kDns1 = 12, kDns2 = 16;
constexpr size_t kAutoAddress = 20, kAutoDns = 21;
} // namespace ip

struct MailServerRecord : ByteBlock<288> {};
namespace mailsrv {
constexpr size_t kAddress = 0x000, kSmtp = 0x040, kAccount = 0x080, kPassword = 0x0C0,
                 kPop3 = 0x0D0, kAuth = 0x110, kSmtpIsIp = 0x111, kPop3IsIp = 0x112,
                 kChoice = 0x113, kValue1 = 0x114, kValue2 = 0x116, kValue3 = 0x117;
} // namespace mailsrv
struct MailBlock : RecordTable<MailServerRecord, 2> {};

struct FtpDestRecord : ByteBlock<304> {};
namespace ftpdest {
constexpr size_t kServer = 0x000, kUser = 0x040, kPassword = 0x060, kFolder = 0x080,
                 kText = 0x100, kOption1 = 0x120, kServerIsIp = 0x121, kOption2 = 0x122,
                 kValue1 = 0x124, kValue2 = 0x126, kValue3 = 0x127;
} // namespace ftpdest
struct FtpBlock : RecordTable<FtpDestRecord, 3> {};

struct FtpAccountBlock : ByteBlock<304> {};
namespace ftpacct {
constexpr size_t kUser = 0, kPassword = 32, kOption = 64;
} // namespace ftpacct

struct SpareBlock960 : ByteBlock<960> {};

struct WriteStampBlock : ByteBlock<64> {};
namespace stamp {
constexpr size_t kTime = 0; // year-2000, month, day, hour, minute, second, weekday
constexpr size_t kUserName = 8, kUserNameWidth = 56;
} // namespace stamp

struct UserTable : RecordTable<UserRecord, 16> {};
struct GroupTable : RecordTable<SendGroupRecord, 16> {};
struct ErrorNotifyBlock : ByteBlock<32> {};
namespace errnotify {
constexpr size_t kFlags = 8; // six flags, bytes 8..13
constexpr size_t kCheck1423 = 14;
constexpr size_t kRecipients = 16; // u16
constexpr size_t kCheck1405 = 20, kCheck1408 = 21;
} // namespace errnotify
struct SpareBlock16A : ByteBlock<16> {};
struct SpareBlock16B : ByteBlock<16> {};

struct TimeBlock : ByteBlock<96> {};
namespace timeblk {
constexpr size_t kServer = 0x00, kTrigger = 0x40, kMode = 0x42, kServerIsIp = 0x43,
                 kTimeZone = 0x44, kSourcePort = 0x45, kSourcePort1 = 0x48, kSourcePort2 = 0x4C;
} // namespace timeblk

struct ConfigExtraBlock : ByteBlock<512> {};
struct PortNumberBlock : ByteBlock<32> {};
namespace portnum {
constexpr size_t kPortCount = 8; // u16 each from offset 0
constexpr size_t kAdvanced1 = 16, kAdvanced2 = 17;
} // namespace portnum

// The 22 blocks in image order; the struct's layout is the image's layout.
struct ImageBlocks {
    ImageHeader header;
    UnitBlock unit;
    TriggerTable triggers;
    FileTable files;
    DeviceTable devices;
    MailSendTable mailSends;
    DataSetTable dataSets;
    SpareBlock64 spare64;
    IpBlock ip;
    MailBlock mail;
    FtpBlock ftp;
    FtpAccountBlock ftpAccount;
    SpareBlock960 spare960;
    WriteStampBlock writeStamp;
    UserTable users;
    GroupTable groups;
    ErrorNotifyBlock errorNotify;
    SpareBlock16A spare16A;
    SpareBlock16B spare16B;
    TimeBlock time;
    ConfigExtraBlock configExtra;
    PortNumberBlock portNumbers;

    uint8_t* raw() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* raw() const { return reinterpret_cast<const uint8_t*>(this); }
};

static_assert(sizeof(ImageBlocks) == kBlocksSize, "blocks must be packed without gaps");
static_assert(offsetof(ImageBlocks, triggers) == 0x80);
static_assert(offsetof(ImageBlocks, files) == 0x5080);
static_assert(offsetof(ImageBlocks, devices) == 0x64D0);
static_assert(offsetof(ImageBlocks, mailSends) == 0x10110);
static_assert(offsetof(ImageBlocks, dataSets) == 0x14910);
static_assert(offsetof(ImageBlocks, ip) == 0x16950);
static_assert(offsetof(ImageBlocks, ftpAccount) == 0x16F40);
static_assert(offsetof(ImageBlocks, writeStamp) == 0x17430);
static_assert(offsetof(ImageBlocks, users) == 0x17470);
static_assert(offsetof(ImageBlocks, errorNotify) == 0x17C70);
static_assert(offsetof(ImageBlocks, time) == 0x17CB0);
static_assert(offsetof(ImageBlocks, portNumbers) == 0x17F10);

enum BlockId {
    kBlockHeader, kBlockUnit, kBlockTriggers, kBlockFiles, kBlockDevices, kBlockMailSends,
    kBlockDataSets, kBlockSpare64, kBlockIp, kBlockMail, kBlockFtp, kBlockFtpAccount,
    kBlockSpare960, kBlockWriteStamp, kBlockUsers, kBlockGroups, kBlockErrorNotify,
    kBlockSpare16A, kBlockSpare16B, kBlockTime, kBlockConfigExtra, kBlockPortNumbers,
    kBlockCount
};

struct BlockInfo {
    const char* name;
    size_t offset;
    size_t size;
};
extern const BlockInfo kBlockLayout[kBlockCount];

// Scrambles (or unscrambles) the address and name of every recipient record in
// place, each part as a run of its own; the last 16 bytes stay as they are.
void ScrambleUserTable(UserTable& users);
void UnscrambleUserTable(UserTable& users);

} // namespace qv
