#include "document/QuorvelDoc.h"

namespace qv {

namespace {
void SetIpv4(IpBlock& b, size_t off, uint8_t a, uint8_t b1, uint8_t c, uint8_t d) {
    b.SetU8(off, a);
    b.SetU8(off + 1, b1);
    b.SetU8(off + 2, c);
    b.SetU8(off + 3, d);
}
} // namespace

void CQuorvelDoc::SetDefaultSettings() {
    ImageBlocks& im = *live_;
    std::memset(im.raw(), 0, sizeof(ImageBlocks));

    im.unit.SetAscii(unit::kName, kNameWidth, "Brellox");
    for (int p = 0; p < 2; ++p) {
        const size_t rec = unit::PortRecordOffset(p);
        im.unit.SetU8(rec + portrec::kBaud, 2);
        im.unit.SetU8(rec + portrec::kFormat, 1);
        im.unit.SetU8(rec + portrec::kNumber, 1);
        im.unit.SetU8(rec + portrec::kNumber2, 5);
        im.unit.SetU16(unit::kPortValue + 2 * static_cast<size_t>(p), 1);
        im.unit.SetU8(unit::kPortChoice + static_cast<size_t>(p), 1);
    }
    im.unit.SetU8(unit::kPortOptions, 0x11);

    for (FileRecord& f : im.files.records) {
        f.SetU32(file::kNumber, 60);
        f.SetU8(file::kDecimals, 2);
        f.SetU8(file::kNumber2, 60);
    }
    im.files[file::kTriggerHistoryIndex].SetAscii(file::kName, kNameWidth, "Trigger");
    im.files[file::kSystemHistoryIndex].SetAscii(file::kName, kNameWidth, "System");
    im.files[file::kSystemHistoryIndex].SetU32(file::kNumber, 600);

    for (DeviceRecord& d : im.devices.records) {
        d.SetU8(dev::kIsRegister, 1);
        d.SetU8(dev::kReserved36, 0);
    }

    SetIpv4(im.ip, ip::kAddress, 192, 168, 1, 5);
    SetIpv4(im.ip, ip::kMask, 255, 255, 255, 0);
    SetIpv4(im.ip, ip::kGateway, 192, 168, 1, 1);

    for (MailServerRecord& m : im.mail.records)
        m.SetU16(mailsrv::kValue1, 30);
    for (FtpDestRecord& f : im.ftp.records)
        f.SetU16(ftpdest::kValue1, 5);

    im.ftpAccount.SetAscii(ftpacct::kUser, 32, "admin");
    im.ftpAccount.SetAscii(ftpacct::kPassword, 32, "wqe");

    static const uint16_t kPorts[portnum::kPortCount] = {9094, 9095, 80, 25, 110, 21, 21, 123};
    for (size_t i = 0; i < portnum::kPortCount; ++i)
        im.portNumbers.SetU16(2 * i, kPorts[i]);
    im.portNumbers.SetU8(portnum::kAdvanced1, 60);
    im.portNumbers.SetU8(portnum::kAdvanced2, 60);

    im.errorNotify.SetU8(errnotify::kCheck1405, 1);
    im.errorNotify.SetU8(errnotify::kFlags + 1, 1);

    im.time.SetU8(timeblk::kTimeZone, 9);

    TakeSnapshot(kSnapshotSaved);
}

} // namespace qv
