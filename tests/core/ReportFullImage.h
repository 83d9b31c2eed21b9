// A settings image whose every report text is at its widest: every text
// field filled to its last byte, every number at its largest, and every code
// the pages turn into a text taken somewhere, so a report of it shows each
// program text at least once. With short fields instead, only the program's
// own texts are long (and the numbers small).
#pragma once
#include <string>

#include "document/CodePageText.h"
#include "document/SettingsImage.h"

namespace qv::test::fullreport {

enum class Fields { Full, Short };
// Two images between them take both texts of every two-way choice.
enum class Variant { A, B };

class Filler {
public:
    Filler(uint32_t codePage, bool ascii, Fields fields)
        : codePage_(codePage), ascii_(ascii), fields_(fields) {}
    // The field filled to its width with the widest characters the code page
    // holds (two bytes each), or one character when short.
    void Text(uint8_t* field, size_t width) const {
        std::string bytes;
        const char* wide = codePage_ == kCodePageChinese ? "\xD6\xD0" : "\x93\x8C";
        while (bytes.size() + 2 <= width)
            bytes += ascii_ ? "WW" : wide;
        if (bytes.size() < width)
            bytes += 'W';
        if (fields_ == Fields::Short)
            bytes = "N";
        WriteMultiField(field, width, bytes, codePage_);
    }

    // A value, count or address: its largest, or a small one when short.
    uint32_t Big(uint32_t largest) const { return fields_ == Fields::Full ? largest : 7; }
    uint64_t Big64(uint64_t largest) const { return fields_ == Fields::Full ? largest : 7; }

private:
    uint32_t codePage_;
    bool ascii_;
    Fields fields_;
};

inline void FillTriggers(ImageBlocks& b, const Filler& text) {
    for (size_t i = 0; i < 128; ++i) {
        TriggerRecord& t = b.triggers[i];
        text.Text(t.data() + trig::kName, kNameWidth);
        const auto kind = static_cast<uint8_t>(kTriggerCycle + i % 5);
        const auto n = static_cast<uint8_t>(i / 5); // walks each kind's codes
        t.SetU8(trig::kKind, kind);
        t.SetU8(trig::kFlag, static_cast<uint8_t>(i % 2));
        switch (kind) {
        case kTriggerCycle:
            t.SetU8(trig::kCycleSeconds, 59);
            t.SetU8(trig::kCycleMinutes, 59);
            t.SetU8(trig::kCycleHours, 23);
            t.SetU8(trig::kCycleDays, 255);
            t.SetU8(trig::kCycleUnit, static_cast<uint8_t>(n % 3));
            t.SetU8(trig::kCycleAlign, static_cast<uint8_t>(n % 2));
            break;
        case kTriggerDate:
            t.SetU8(trig::kDateRepeat, static_cast<uint8_t>(n % 7));
            t.SetU8(trig::kDateWeekdays, 0x7F);
            t.SetU8(trig::kDateYear, 99);
            t.SetU8(trig::kDateMonth, 12);
            t.SetU8(trig::kDateDay, n % 2 ? 32 : 28);
            t.SetU8(trig::kDateHour, 23);
            t.SetU8(trig::kDateMinute, 59);
            t.SetU8(trig::kDateSecond, 59);
            break;
        case kTriggerContact:
        case kTriggerRegister:
            t.SetU8(trig::kPort, static_cast<uint8_t>(n % 3));
            t.SetU8(trig::kStation, 255);
            t.SetU8(trig::kArea, static_cast<uint8_t>(n % 16));
            t.SetU32(trig::kAddress, text.Big(0xFFFFFFFFu));
            if (kind == kTriggerContact) {
                t.SetU8(trig::kContactCondition, static_cast<uint8_t>(n % 7));
                t.SetU32(trig::kContactCount, text.Big(0xFFFFFFFFu));
            } else {
                t.SetU8(trig::kRegDataType, static_cast<uint8_t>(n % 9));
                t.SetU8(trig::kRegCompare, static_cast<uint8_t>(n % 4));
                t.SetU8(trig::kRegBracket, 1);
                for (size_t v : {trig::kRegValue1Low, trig::kRegValue1High, trig::kRegValue2Low,
                                 trig::kRegValue2High})
                    t.SetU32(v, text.Big(0xFFFFFFFFu));
            }
            break;
        default:
            t.SetU8(trig::kCombiFirst, 127);
            t.SetU8(trig::kCombiSecond, 127);
            t.SetU8(trig::kCombiOperator, static_cast<uint8_t>(n % 2));
            break;
        }
    }
}

inline void FillTables(ImageBlocks& b, const Filler& text) {
    for (size_t f : file::kInUse) {
        FileRecord& r = b.files[f];
        text.Text(r.data() + file::kName, kNameWidth);
        r.SetU16(file::kTrigger, 128);
        r.SetU8(file::kNumber2, 255);
        r.SetU32(file::kNumber, text.Big(0xFFFFFFFFu));
        r.SetU8(file::kSelector, static_cast<uint8_t>(f % 2));
        r.SetU8(file::kTrigger2, 128);
        r.SetU8(file::kDecimals, 255);
    }
    for (size_t i = 0; i < dev::kUsedCount; ++i) {
        DeviceRecord& d = b.devices[i];
        const auto n = static_cast<uint8_t>(i / 16); // the same in each file's run
        text.Text(d.data() + dev::kName, kNameWidth);
        text.Text(d.data() + dev::kUnitText, dev::kUnitTextWidth);
        d.SetU16(dev::kNumber, static_cast<uint16_t>(65535 - i));
        d.SetU8(dev::kFile, static_cast<uint8_t>(1 + i % 16));
        d.SetU8(dev::kPort, static_cast<uint8_t>(n % 3));
        d.SetU8(dev::kStation, n % 4 ? 255 : 0);
        d.SetU8(dev::kArea, static_cast<uint8_t>(n % 16));
        d.SetU32(dev::kAddress, text.Big(0xFFFFFFFFu));
        d.SetU8(dev::kIsRegister, static_cast<uint8_t>(n % 2));
        d.SetU8(dev::kMode, static_cast<uint8_t>(n % 5));
        d.SetU8(dev::kDataType, static_cast<uint8_t>(n % 9));
        d.SetU8(dev::kScaleOn, 1);
        d.SetU32(dev::kScale, 0xC97423F0u); // -999999, the widest the editor takes
        d.SetU8(dev::kExtra, 255);
    }
    for (size_t i = 0; i < DataSetTable::kCount; ++i) {
        DataSetRecord& s = b.dataSets[i];
        text.Text(s.data() + dset::kName, kNameWidth);
        s.SetU8(dset::kTrigger, 128);
        s.SetU8(dset::kTrigger2, 128);
        s.SetU8(dset::kFlag, static_cast<uint8_t>(i % 2));
        s.SetU8(dset::kPort, static_cast<uint8_t>(i % 3));
        s.SetU8(dset::kStation, 255);
        s.SetU8(dset::kTargetKind, static_cast<uint8_t>(i / 3 % 2));
        s.SetU8(dset::kDataType, static_cast<uint8_t>(i / 6 % 9));
        s.SetU8(dset::kArea, static_cast<uint8_t>(i % 16));
        s.SetU32(dset::kAddress, text.Big(0xFFFFFFFFu));
        s.SetU32(dset::kValue32, text.Big(0x80000000u));
        s.SetU64(dset::kValue64, text.Big64(0x8000000000000000ull));
    }
    for (size_t i = 0; i < UserTable::kCount; ++i) {
        text.Text(b.users[i].data() + user::kName, user::kNameWidth);
        text.Text(b.users[i].data() + user::kAddress, user::kAddressWidth);
    }
    for (size_t i = 0; i < MailSendTable::kCount; ++i) {
        MailSendRecord& m = b.mailSends[i];
        text.Text(m.data() + msend::kText, msend::kTextWidth);
        m.SetU8(msend::kTrigger, 128);
        m.SetU16(msend::kRecipients, 0xFFFF);
    }
}

inline void FillSettings(ImageBlocks& b, const Filler& text, Variant variant) {
    const bool a = variant == Variant::A;
    text.Text(b.unit.data() + unit::kName, kNameWidth);
    b.unit.SetU8(unit::kUnitOption, a ? 1 : 0);
    for (int p = 0; p < 2; ++p) {
        uint8_t* port = b.unit.data() + unit::PortRecordOffset(p);
        // One port in each role and on each protocol, swapped between the images.
        const bool first = (p == 0) == a;
        port[portrec::kRole] = first ? 1 : 0;
        port[portrec::kProtocol] = first ? 0 : 1;
        port[portrec::kNumber] = 255;
        port[portrec::kNumber2] = 255;
        port[portrec::kBaud] = 5;
        port[portrec::kFormat] = a ? 0x05 : 0x0A;
        b.unit.SetU16(unit::kPortValue + 2 * static_cast<size_t>(p), 0x8000);
    }
    b.unit.SetU8(unit::kPortOptions, a ? 0x0F : 0xF0);

    b.ip.SetU8(ip::kAutoAddress, a ? 0 : 1);
    b.ip.SetU8(ip::kAutoDns, a ? 0 : 1);
    for (size_t at : {ip::kAddress, ip::kMask, ip::kGateway, ip::kDns1, ip::kDns2})
        b.ip.SetU32(at, 0xFFFFFFFFu);

    {
        using namespace mailsrv;
        MailServerRecord& m = b.mail[0];
        text.Text(m.data() + kAddress, 64);
        text.Text(m.data() + kSmtp, 64);
        text.Text(m.data() + kAccount, 64);
        text.Text(m.data() + kPassword, 16);
        text.Text(m.data() + kPop3, 64);
        m.SetU8(kAuth, a ? 1 : 2);
        m.SetU8(kChoice, a ? 1 : 0);
        m.SetU16(kValue1, 65535);
        m.SetU8(kValue2, 255);
        m.SetU8(kValue3, 255);
    }
    {
        using namespace ftpdest;
        FtpDestRecord& f = b.ftp[0];
        text.Text(f.data() + kText, 32);
        text.Text(f.data() + kServer, 64);
        text.Text(f.data() + kUser, 32);
        text.Text(f.data() + kPassword, 32);
        text.Text(f.data() + kFolder, 128);
        f.SetU8(kOption1, a ? 1 : 0);
        f.SetU8(kOption2, a ? 1 : 0);
        f.SetU16(kValue1, 65535);
        f.SetU8(kValue2, 255);
        f.SetU8(kValue3, 255);
    }
    text.Text(b.ftpAccount.data() + ftpacct::kUser, 32);
    text.Text(b.ftpAccount.data() + ftpacct::kPassword, 32);
    b.ftpAccount.SetU8(ftpacct::kOption, a ? 1 : 0);

    for (size_t i = 0; i < ErrorNotifyBlock::kSize; ++i)
        b.errorNotify.SetU8(i, a ? 0xFF : 0);
    for (size_t i : {0, 1, 3, 5, 6, 8, 9, 10, 11, 12, 13, 14, 20})
        b.errorNotify.SetU8(i, a ? 1 : 0);
    b.errorNotify.SetU16(errnotify::kRecipients, a ? 0xFFFF : 0);

    for (size_t i = 0; i < 8; ++i)
        b.portNumbers.SetU16(2 * i, 65535);
    using namespace timeblk;
    text.Text(b.time.data() + kServer, 64);
    b.time.SetU8(kMode, a ? 1 : 2);
    b.time.SetU16(kTrigger, 128);
    b.time.SetU8(kTimeZone, 0x80);
    b.time.SetU8(kSourcePort, 2);
    b.time.SetU8(kSourcePort2 + 2, 255);
}

inline void FillFullReport(ImageBlocks& b, uint32_t codePage, bool ascii, Fields fields,
                           Variant variant) {
    const Filler text(codePage, ascii, fields);
    FillSettings(b, text, variant);
    FillTriggers(b, text);
    FillTables(b, text);
}

} // namespace qv::test::fullreport
