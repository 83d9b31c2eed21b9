// The session's status and monitor reads, and the two tools that switch the
// unit between RUN and PROGRAM and clear it.
#include <cstddef>
#include <cstring>

#include "document/SettingsImage.h"
#include "link/UnitSession.h"

namespace qv {

using namespace link_result;

namespace {

// One field of MonitorRegisters: its first register, how many registers it
// holds, and whether a failed read leaves it alone.
struct MonitorField {
    int number;
    int registers;
    uint16_t MonitorRegisters::*narrow;
    uint32_t MonitorRegisters::*wide;
    bool kept;
};

// N: 16 bits; W: two registers in 32 bits; W1: one register held in 32 bits;
// K: kept after a failed read.
// clang-format off
#define QV_N(n) {n, 1, &MonitorRegisters::Dt##n, nullptr, false}
#define QV_NK(n) {n, 1, &MonitorRegisters::Dt##n, nullptr, true}
#define QV_W(n) {n, 2, nullptr, &MonitorRegisters::Dt##n, false}
#define QV_W1(n) {n, 1, nullptr, &MonitorRegisters::Dt##n, false}
#define QV_WK(n) {n, 2, nullptr, &MonitorRegisters::Dt##n, true}
// clang-format on

const MonitorField kMonitorFields[] = {
    QV_N(90000),  QV_W1(90028), QV_W1(90030), QV_N(90053),  QV_N(90054),  QV_N(90055),
    QV_N(90056),  QV_N(90057),  QV_W(90062),  QV_W(90064),  QV_W(90066),  QV_N(90070),
    QV_W(90082),  QV_W(90084),  QV_W(90086),  QV_N(90090),  QV_NK(90131), QV_NK(90132),
    QV_N(90135),  QV_NK(90140), QV_NK(90143), QV_NK(90144), QV_NK(90145), QV_NK(90146),
    QV_NK(90147), QV_NK(90148), QV_WK(90150), QV_NK(90152), QV_N(90153),  QV_W(90154),
    QV_W(90156),  QV_W(90158),  QV_W(90160),  QV_W(90162),  QV_W(90200),  QV_W(90202),
    QV_W(90204),  QV_W(90206),  QV_W(90208),  QV_W(90210),  QV_W(90212),  QV_W(90214),
    QV_W(90102),  QV_W(90110),  QV_W(90112),  QV_W(90114),  QV_W(90120),  QV_W(90122),
    QV_W(90124),  QV_W(90170),  QV_N(90222),  QV_W(90223),
};

#undef QV_N
#undef QV_NK
#undef QV_W
#undef QV_W1
#undef QV_WK

const MonitorField* FindField(int number) {
    for (const MonitorField& f : kMonitorFields)
        if (f.number == number)
            return &f;
    return nullptr;
}

// Bytes of a block read: byte 2k is the low half of word k.
void WordsToBytes(const uint16_t* words, size_t count, uint8_t* bytes) {
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i % 2 ? words[i / 2] >> 8 : words[i / 2] & 0xFF);
}

constexpr unsigned kOkExclamation = kMbOk | kMbIconExclamation;
constexpr unsigned kOkInformation = kMbOk | kMbIconInformation;

} // namespace

int RelayState(CUnitSession& session, const char* address) {
    session.LoadCommSettings();
    uint16_t value = 0;
    if (session.SessionReadContact(ContactName{"R", address}, value) != kOk)
        return -1;
    return value == 1 ? 1 : 0;
}

unsigned RelaysForbidWork(CUnitSession& session, unsigned readFailed) {
    const int updating = RelayState(session, "999F");
    const int faulted = updating == 0 ? RelayState(session, "999E") : 0;
    if (updating < 0 || faulted < 0)
        return readFailed;
    if (updating == 1)
        return kMsgUnitBusyUpdating;
    return faulted == 1 ? kMsgUnitReportsError : 0;
}

bool DecodeStatusReply(std::string_view frame, UnitStatusFields& out) {
    if (frame.size() < 22 || !IsHexText(frame.substr(6, 2)) || !IsHexText(frame.substr(10, 12)))
        return false;
    const char* p = frame.data();
    out.UnitTypeCode = HexToByte(p + 6);
    out.StatusByte10 = HexToByte(p + 10);
    out.ModeFlags = HexToByte(p + 12);
    out.StatusByte14 = HexToByte(p + 14);
    out.StatusByte16 = HexToByte(p + 16);
    out.StatusWord18 = HexToWordLE(p + 18);
    return true;
}

bool MonitorRegisters::Get(int number, uint32_t& value) const {
    const MonitorField* f = FindField(number);
    if (!f)
        return false;
    value = f->narrow ? this->*f->narrow : this->*f->wide;
    return true;
}

uint64_t MonitorRegisters::Get64(int number) const {
    if (number != 90200 && number != 90204 && number != 90208 && number != 90212)
        return 0;
    uint32_t low = 0, high = 0;
    Get(number, low);
    Get(number + 2, high);
    return uint64_t{high} << 32 | low;
}

void MonitorRegisters::Fill(const uint16_t (&registers)[225]) {
    for (const MonitorField& f : kMonitorFields) {
        const size_t at = static_cast<size_t>(f.number - kSystemRegisterFirst);
        if (f.narrow)
            this->*f.narrow = registers[at];
        else if (f.registers == 1)
            this->*f.wide = registers[at];
        else
            this->*f.wide = uint32_t{registers[at + 1]} << 16 | registers[at];
    }
}

void MonitorRegisters::ClearAfterFailure() {
    for (const MonitorField& f : kMonitorFields) {
        if (f.kept)
            continue;
        if (f.narrow)
            this->*f.narrow = 0;
        else
            this->*f.wide = 0;
    }
}

LinkResult CUnitSession::FetchStatus() {
    LoadCommSettings();
    const LinkResult opened = OpenBySessionRule();
    if (opened != kOk)
        return opened;
    std::string reply;
    if (SessionReadStatus(reply) != kOk)
        return -1;
    UnitStatusFields decoded;
    if (!DecodeStatusReply(reply, decoded))
        return -1;
    UnitStatus = decoded;
    return kOk;
}

int CUnitSession::ReadMonitorValues() {
    LoadCommSettings();
    uint16_t registers[kSystemRegisterCount];
    if (SessionReadDataWords(kSystemRegisterFirst, kSystemRegisterCount, registers) != kOk) {
        MonitorValues.ClearAfterFailure();
        return -1;
    }
    MonitorValues.Fill(registers);
    return 0;
}

int CUnitSession::ReadStatusBlocks() {
    LoadCommSettings();
    constexpr uint32_t kStampAddress = offsetof(ImageBlocks, writeStamp);
    constexpr uint32_t kNameAddress = offsetof(ImageBlocks, unit);
    uint16_t words[32];
    uint8_t bytes[64];
    if (SessionReadBlock(kStampAddress, 64, words) == kOk) {
        WordsToBytes(words, 64, bytes);
        std::memcpy(LastWriteTime, bytes, sizeof LastWriteTime);
        std::memset(LastWriteUser, 0, sizeof LastWriteUser);
        std::memcpy(LastWriteUser, bytes + 8, 56);
    } else {
        std::memset(LastWriteTime, 0, sizeof LastWriteTime);
        std::memset(UnitNameText, 0, sizeof UnitNameText);
        std::memset(LastWriteUser, 0, sizeof LastWriteUser);
    }
    if (SessionReadBlock(kNameAddress, 32, words) == kOk) {
        WordsToBytes(words, 32, bytes);
        std::memcpy(UnitNameText, bytes, 32);
        UnitNameText[32] = '\0';
    }
    return 0;
}

void CUnitSession::ToggleRunMode(UserDialogs& user) {
    if (OpenBySessionRule() != kOk)
        return;
    if (FetchStatus() != kOk) {
        user.Tell(kMsgModeStatusFailed, kOkExclamation);
        return;
    }
    const bool wantRun = !UnitStatus.Running();
    if (user.Ask(wantRun ? kMsgAskToRun : kMsgAskToProgram, kMbYesNo | kMbIconExclamation) !=
        kIdYes)
        return;
    LinkResult switched;
    {
        BusyCursor busy(user);
        switched = SetUnitMode(wantRun ? "R" : "P");
    }
    if (switched != kOk) {
        user.Tell(wantRun ? kMsgToRunFailed : kMsgToProgramFailed, kOkExclamation);
        return;
    }
    // The unit changes its mode a moment after it took the command.
    unsigned message = kMsgModeNotChanged;
    {
        BusyCursor busy(user);
        for (int poll = 0; poll < kModePolls; ++poll) {
            if (poll > 0)
                sleeper_.SleepMs(kModePollMs);
            if (FetchStatus() != kOk)
                break;
            if (UnitStatus.Running() == wantRun) {
                message = wantRun ? kMsgNowRun : kMsgNowProgram;
                break;
            }
        }
    }
    user.Tell(message, message == kMsgModeNotChanged ? kOkExclamation : kOkInformation);
}

void CUnitSession::ConfirmAndClearUnit(UserDialogs& user) {
    if (OpenBySessionRule() != kOk)
        return;
    if (FetchStatus() != kOk) {
        user.Tell(kMsgClearStatusFailed, kOkExclamation);
        return;
    }
    if (UnitStatus.Running()) {
        user.Tell(kMsgClearInRun, kOkExclamation);
        return;
    }
    if (const unsigned refused = RelaysForbidWork(*this, kMsgClearStatusFailed)) {
        user.Tell(refused, kOkExclamation);
        return;
    }
    // The clear cannot be undone: No is the default.
    if (user.Ask(kMsgAskClear, kMbYesNo | kMbIconQuestion | kMbDefButton2) != kIdYes)
        return;
    if (SessionClearUnit() != kOk) {
        user.Tell(kMsgClearFailed, kOkExclamation);
        return;
    }
    bool done;
    {
        BusyCursor busy(user);
        done = WaitRelay999D() == 1 && RelayState(*this, "999E") == 0;
    }
    CloseSession();
    user.Tell(done ? kMsgClearDone : kMsgClearNotConfirmed, done ? kOkInformation : kOkExclamation);
}

} // namespace qv
