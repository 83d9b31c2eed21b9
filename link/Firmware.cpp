// Loading a firmware image file and writing it into the unit.
#include "link/Firmware.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "document/RegularFile.h"
#include "link/UnitSession.h"

namespace qv {

using namespace link_result;

namespace {

constexpr size_t kReadChunk = 64 * 1024;
constexpr int kFirmwareSettleMs = 1000;

constexpr uint32_t kWrongPassword = 0x61;

constexpr unsigned kOkExclamation = kMbOk | kMbIconExclamation;
constexpr unsigned kOkInformation = kMbOk | kMbIconInformation;

} // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) {
    RegularFile file(path);
    if (file.Status() == RegularFileStatus::NotRegular)
        return FileReadResult::NotRegular;
    const int fd = file.Fd();
    if (fd < 0)
        return FileReadResult::CannotOpen;
    std::vector<uint8_t> data;
    FileReadResult result = FileReadResult::Ok;
    for (;;) {
        // One byte beyond the limit tells a file of exactly `limit` bytes from a longer one.
        const size_t room = limit + 1 - data.size();
        const size_t want = std::min(kReadChunk, room);
        const size_t had = data.size();
        data.resize(had + want);
        const ssize_t n = ::read(fd, data.data() + had, want);
        if (n < 0 && errno == EINTR) {
            data.resize(had);
            continue;
        }
        if (n < 0) {
            result = FileReadResult::ReadFailed;
            break;
        }
        data.resize(had + static_cast<size_t>(n));
        if (n == 0)
            break;
        if (data.size() > limit) {
            result = FileReadResult::TooLarge;
            break;
        }
    }
    if (result == FileReadResult::Ok)
        bytes.swap(data);
    return result;
}

bool IsFirmwareImage(const std::vector<uint8_t>& image) {
    constexpr size_t kSignatureEnd = kFirmwareSignatureOffset + sizeof FirmwareSignature;
    return image.size() >= kSignatureEnd && image.size() <= kFirmwareFileLimit &&
           std::equal(std::begin(FirmwareSignature), std::end(FirmwareSignature),
                      image.begin() + kFirmwareSignatureOffset);
}

unsigned FirmwareWriteMessage(LinkResult result) {
    // The session write gives the unit's error code as a signed byte. Every
    // other result lies outside that range, except -1 (an early end) and
    // 111 (no link), which are no unit codes.
    if (result < -128 || result > 127 || result == 0 || result == kEndedEarly ||
        result == kSerialOpen)
        return kMsgFirmwareFailed;
    switch (static_cast<uint8_t>(result)) {
    case 0x41:
    case 0x61:
        return kMsgFirmwareRefused;
    case 0x63:
        return kMsgFirmwareRefusedInRun;
    case 0x65:
        return kMsgFirmwareProtected;
    case 0x80:
        return kMsgFirmwareUnitFault;
    default:
        return kMsgFirmwareFailed;
    }
}

int CUnitSession::LoadFirmwareFile(UserDialogs& user) {
    const std::string path = user.ChooseFirmwareFile();
    if (path.empty())
        return -1;
    std::vector<uint8_t> bytes;
    FileReadResult read;
    {
        BusyCursor busy(user);
        read = ReadWholeFile(path, kFirmwareFileLimit, bytes);
    }
    // A failed load leaves no image behind that a later write could send.
    FirmwareImage.clear();
    // A FIFO or a device is no firmware image, like a file beyond the limit.
    if (read == FileReadResult::TooLarge || read == FileReadResult::NotRegular)
        return -2;
    if (read != FileReadResult::Ok)
        return -1;
    if (!IsFirmwareImage(bytes))
        return -2;
    FirmwareImage.swap(bytes);
    return 0;
}

void CUnitSession::UpdateFirmware(UserDialogs& user) {
    if (!IsFirmwareImage(FirmwareImage)) {
        user.Tell(kMsgNotFirmwareImage, kOkInformation);
        return;
    }
    if (FetchStatus() != kOk) {
        user.Tell(kMsgFirmwareStatusFailed, kOkExclamation);
        return;
    }
    if (UnitStatus.Running()) {
        user.Tell(kMsgFirmwareInRun, kOkInformation);
        return;
    }
    if (UnitStatus.UnitTypeCode != kFirmwareUnitType) {
        user.Tell(kMsgNotFirmwareImage, kOkInformation);
        return;
    }
    if (const unsigned refused = RelaysForbidWork(*this, kMsgFirmwareStatusFailed)) {
        user.Tell(refused, kOkExclamation);
        return;
    }

    {
        BusyCursor busy(user);
        sleeper_.SleepMs(kFirmwareSettleMs);
    }
    // From here on every ending closes the link.
    const LinkResult login = SessionLogin();
    if (login != kOk) {
        CloseSession();
        if (login == kUnitError && LastError == kWrongPassword)
            user.Tell(kMsgLoginRefused, kOkExclamation);
        else if (login != kCancelled)
            user.Tell(kMsgFirmwareFailed, kOkExclamation);
        return;
    }

    if (WriteContact(ContactName{"R", "999F"}, 1) != kOk) {
        unsigned message = kMsgFirmwareStartFailed;
        if (ReadRelay999E() == 1)
            message = kMsgUnitReportsError;
        else if (ReadRelay999F() == 1)
            message = kMsgUnitBusyUpdating;
        CloseSession();
        user.Tell(message, kOkExclamation);
        return;
    }

    const LinkResult written =
        SessionWriteBlock(FirmwareImage.data(), static_cast<uint32_t>(FirmwareImage.size()));
    if (written != kOk) {
        CloseSession();
        user.Tell(FirmwareWriteMessage(written), kOkExclamation);
        return;
    }

    int verdict;
    {
        BusyCursor busy(user);
        SessionPasswordCommand(kPasswordLogout); // the verdict is read either way
        sleeper_.SleepMs(kFirmwareSettleMs);
        verdict = RelayState(*this, "999E");
    }
    CloseSession();
    if (verdict == 0)
        user.Tell(kMsgFirmwareDone, kOkInformation);
    else
        user.Tell(verdict == 1 ? kMsgFirmwareVerdictFailed : kMsgFirmwareFailed, kOkExclamation);
}

} // namespace qv
