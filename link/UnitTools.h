// What the session form reads for the status and monitor windows (the
// decoded status reply, the system registers) and the message numbers of
// the unit tools that switch the mode, clear the unit and write firmware.
#pragma once
#include <cstdint>
#include <string_view>

namespace qv {

// The status reply "%EE$RT" decoded; positions count from the start of the frame.
struct UnitStatusFields {
    uint8_t UnitTypeCode = 0;  // 6-7; 0x91 takes firmware
    uint8_t StatusByte10 = 0;  // 10-11
    uint8_t ModeFlags = 0;     // 12-13; bit 0 set = RUN, clear = PROGRAM
    uint8_t StatusByte14 = 0;  // 14-15
    uint8_t StatusByte16 = 0;  // 16-17
    uint16_t StatusWord18 = 0; // 18-21, low byte first

    bool Running() const { return (ModeFlags & 1) != 0; }
};

constexpr uint8_t kFirmwareUnitType = 0x91;

// A status reply frame (without CR); false, and `out` untouched, unless
// every field is there as hexadecimal digits. Positions 8-9 are not read.
bool DecodeStatusReply(std::string_view frame, UnitStatusFields& out);

// The system registers the status and monitor windows show, cut from the
// 225 registers DT90000 to DT90224. Each field is named by its first
// register; a 32-bit field holds two registers, the lower-numbered one as its
// low half, except DT90028 and DT90030, single registers held in 32 bits.
struct MonitorRegisters {
    uint16_t Dt90000 = 0;
    uint32_t Dt90028 = 0, Dt90030 = 0;
    uint16_t Dt90053 = 0, Dt90054 = 0, Dt90055 = 0, Dt90056 = 0, Dt90057 = 0;
    uint32_t Dt90062 = 0, Dt90064 = 0, Dt90066 = 0;
    uint16_t Dt90070 = 0;
    uint32_t Dt90082 = 0, Dt90084 = 0, Dt90086 = 0;
    uint16_t Dt90090 = 0;
    uint16_t Dt90131 = 0, Dt90132 = 0, Dt90135 = 0, Dt90140 = 0, Dt90143 = 0, Dt90144 = 0,
             Dt90145 = 0, Dt90146 = 0, Dt90147 = 0, Dt90148 = 0;
    uint32_t Dt90150 = 0;
    uint16_t Dt90152 = 0, Dt90153 = 0;
    uint32_t Dt90154 = 0, Dt90156 = 0, Dt90158 = 0, Dt90160 = 0, Dt90162 = 0;
    // Pairs form the 64-bit capacities: 90200 and 90202, 90204 and 90206, ...
    uint32_t Dt90200 = 0, Dt90202 = 0, Dt90204 = 0, Dt90206 = 0, Dt90208 = 0, Dt90210 = 0,
             Dt90212 = 0, Dt90214 = 0;
    uint32_t Dt90102 = 0, Dt90110 = 0, Dt90112 = 0, Dt90114 = 0, Dt90120 = 0, Dt90122 = 0,
             Dt90124 = 0;
    uint32_t Dt90170 = 0;
    uint16_t Dt90222 = 0;
    uint32_t Dt90223 = 0;

    // The field whose first register is `number`; false when there is none.
    bool Get(int number, uint32_t& value) const;
    // Four registers from `number` (90200, 90204, 90208 or 90212) as one
    // value; 0 for any other number.
    uint64_t Get64(int number) const;
    // From the 225 registers read from DT90000.
    void Fill(const uint16_t (&registers)[225]);
    // After a failed read: 0, except the port status words and the hardware
    // address, which the windows keep showing.
    void ClearAfterFailure();
};

class CUnitSession;

// Contact R<address> read over the session: 1 or 0, and -1 when it could not
// be read. The tools never take a failed read for "off": that would clear or
// update a unit in the middle of an update.
int RelayState(CUnitSession& session, const char* address);

// The relays checked before a clear or a firmware write: 0 when the unit is
// free for it, else the message to show (readFailed when a relay could not be
// read, else "busy with an update" for R999F or "reports an error" for R999E).
unsigned RelaysForbidWork(CUnitSession& session, unsigned readFailed);

constexpr int kSystemRegisterFirst = 90000;
constexpr int kSystemRegisterCount = 225;

// Waits of the mode switch: a status poll every 200 ms, at most 25.
constexpr int kModePolls = 25;
constexpr int kModePollMs = 200;

// Messages of the unit tools.
constexpr unsigned kMsgLoginRefused = 20201;
constexpr unsigned kMsgAskToProgram = 20410;
constexpr unsigned kMsgToProgramFailed = 20411;
constexpr unsigned kMsgAskToRun = 20412;
constexpr unsigned kMsgToRunFailed = 20413;
constexpr unsigned kMsgModeStatusFailed = 20414;
constexpr unsigned kMsgNowProgram = 20415;
constexpr unsigned kMsgNowRun = 20416;
constexpr unsigned kMsgModeNotChanged = 20417;
constexpr unsigned kMsgClearInRun = 20418;
constexpr unsigned kMsgAskClear = 20420;
constexpr unsigned kMsgClearFailed = 20421;
constexpr unsigned kMsgClearStatusFailed = 20422;
constexpr unsigned kMsgClearDone = 20423;
constexpr unsigned kMsgClearNotConfirmed = 20424;
constexpr unsigned kMsgFirmwareInRun = 20425;
constexpr unsigned kMsgFirmwareStatusFailed = 20426;
constexpr unsigned kMsgFirmwareFailed = 20427;
constexpr unsigned kMsgFirmwareRefused = 20428;      // unit codes 0x41, 0x61
constexpr unsigned kMsgFirmwareRefusedInRun = 20429; // 0x63
constexpr unsigned kMsgFirmwareProtected = 20430;    // 0x65
constexpr unsigned kMsgFirmwareUnitFault = 20431;    // 0x80
constexpr unsigned kMsgFirmwareVerdictFailed = 20432;
constexpr unsigned kMsgFirmwareDone = 20433;
constexpr unsigned kMsgFirmwareStartFailed = 20434;
constexpr unsigned kMsgNotFirmwareImage = 20436;
constexpr unsigned kMsgUnitBusyUpdating = 20437; // R999F on
constexpr unsigned kMsgUnitReportsError = 20438; // R999E on
constexpr unsigned kMsgFirmwareFileFilter = 57667;

} // namespace qv
