// Page 1: unit, LAN, mail server, FTP destination and account, serial ports.
#include <algorithm>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/StringTable.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportText.h"

namespace qv::report {

namespace {

constexpr Columns kUnit{450, 2750, 3000};
constexpr Columns kUnitSub{750, 2750, 3000};
constexpr Columns kMail{450, 3250, 3500};
constexpr Columns kMailSub{750, 3250, 3500};
constexpr int kOptionX = 6000;
constexpr Columns kFtp{450, 2250, 2500};
// The lines that print an option beside their value.
constexpr Columns kFtpBeforeOption{450, 2250, 2500, kOptionX};
constexpr int kPort2X = 5450;
constexpr Columns kPorts[2] = {{450, 3000, 3250, kPort2X}, {kPort2X, 8000, 8250}};
constexpr int kPort2TitleX = 5000;
constexpr int kLastIndex = 49;

class Page1 {
public:
    Page1(const ReportSource& source, ReportPage& page)
        : s_(source), page_(page), img_(source.image),
          last_(std::min(kLastIndex, source.layout.linesPerPage)) {}

    void Print() {
        Unit();
        Lan();
        Mail();
        Ftp();
        for (int p = 0; p < 2; ++p)
            SerialPort(p);
    }

private:
    bool Shown(int index) const { return index <= last_; }
    void Title(int index, unsigned id, int x = 0, int right = kReportWidth) {
        if (Shown(index))
            PrintBlack(page_, index, ResString(id), x, right);
    }
    void Value(int index, const Columns& x, unsigned label, const std::wstring& value) {
        if (Shown(index))
            PrintValueLine(page_, index, x, ResString(label), L":", value);
    }
    std::wstring Text(const uint8_t* field, size_t width) const {
        return ReadTextField(field, width, s_.codePage);
    }
    static std::wstring Pick(bool first, unsigned a, unsigned b) {
        return ResString(first ? a : b);
    }
    // "%3d %s" of a number and its unit's text.
    static std::wstring Amount(long long n, unsigned unitText) {
        return FormatText(L"%3d ", {n}) + ResString(unitText);
    }

    void Unit() {
        const UnitBlock& u = img_.unit;
        Title(0, 9100);
        Value(1, kUnit, 9101, Text(u.data() + unit::kName, kNameWidth));
        Value(2, kUnit, 9102, Pick(u.U8(unit::kUnitOption) == 0, 9151, 9152));
    }

    void Lan() {
        const IpBlock& ip = img_.ip;
        Title(4, 9104);
        Title(5, 9105, 250);
        const bool autoAddress = ip.U8(ip::kAutoAddress) != 0;
        Title(6, autoAddress ? 9107 : 9106, 450);
        const auto address = [&](size_t off, bool hidden) {
            return hidden ? std::wstring() : Ipv4Text(ip.data() + off);
        };
        Value(7, kUnitSub, 9108, address(ip::kAddress, autoAddress));
        Value(8, kUnitSub, 9109, address(ip::kMask, autoAddress));
        Value(9, kUnitSub, 9110, address(ip::kGateway, autoAddress));
        const bool autoDns = ip.U8(ip::kAutoDns) != 0;
        Title(10, autoDns ? 9112 : 9111, 450);
        Value(11, kUnitSub, 9113, address(ip::kDns1, autoDns));
        Value(12, kUnitSub, 9114, address(ip::kDns2, autoDns));
    }

    void Mail() {
        using namespace mailsrv;
        const MailServerRecord& m = img_.mail[0];
        Title(13, 9115, 250);
        Value(14, kMail, 9116, Text(m.data() + kAddress, 64));
        Value(15, kMail, 9117, HostText(m.data() + kSmtp, 64, m.U8(kSmtpIsIp) != 0, s_.codePage));
        const int auth = m.U8(kAuth);
        Value(16, kMailSub, 9118, GetMailAuthName(auth));
        if (auth != 0) {
            Value(17, kMailSub, 9119, Text(m.data() + kAccount, 64));
            Value(18, kMailSub, 9120, Masked(Text(m.data() + kPassword, 16)));
        }
        if (auth != 0 && auth != 3)
            Value(19, kMailSub, 9121,
                  HostText(m.data() + kPop3, 64, m.U8(kPop3IsIp) != 0, s_.codePage));
        Value(20, kMail, 9158, Amount(m.U16(kValue1), 4060));
        Value(21, kMail, 9159, Amount(m.U8(kValue2), 4061));
        Value(22, kMail, 9160, Amount(m.U8(kValue3), 4063));
        Value(23, kMail, 9161, Pick(m.U8(kChoice) == 0, 9163, 9164));
    }

    void Ftp() {
        using namespace ftpdest;
        const FtpDestRecord& f = img_.ftp[0];
        Title(25, 9122);
        Value(26, kFtp, 9123, Text(f.data() + kText, 32));
        Value(27, kFtp, 9124,
              HostText(f.data() + kServer, 64, f.U8(kServerIsIp) != 0, s_.codePage));
        Value(28, kFtpBeforeOption, 9127, Text(f.data() + kUser, 32));
        Title(28, f.U8(kOption1) == 1 ? 9125 : 9126, kOptionX);
        Value(29, kFtp, 9128, Masked(Text(f.data() + kPassword, 32)));
        Value(30, kFtp, 9129, Text(f.data() + kFolder, 128));
        Value(31, kFtp, 9132, Pick(f.U8(kOption2) == 1, 9131, 9130));
        Value(32, kFtp, 9158, Amount(f.U16(kValue1), 4060));
        Value(33, kFtp, 9159, Amount(f.U8(kValue2), 4061));
        Value(34, kFtp, 9160, Amount(f.U8(kValue3), 4063));

        const FtpAccountBlock& a = img_.ftpAccount;
        Title(36, 9133);
        Value(37, kFtpBeforeOption, 9136, Text(a.data() + ftpacct::kUser, 32));
        Title(37, a.U8(ftpacct::kOption) == 1 ? 9134 : 9135, kOptionX);
        Value(38, kFtp, 9137, Masked(Text(a.data() + ftpacct::kPassword, 32)));
    }

    void SerialPort(int p) {
        const UnitBlock& u = img_.unit;
        const uint8_t* rec = u.data() + unit::kPortRecord + unit::kPortRecordSize * p;
        const Columns& x = kPorts[p];
        if (p == 0) {
            Title(40, 9138, 0, kPort2TitleX);
            Title(40, 9153, kPort2TitleX);
        }
        // Only role 1 takes the line below for its number; any other byte
        // prints as role 0 and moves nothing.
        const bool role1 = rec[portrec::kRole] == 1;
        const int shift = role1 ? 1 : 0;
        Value(41, x, 9139, Pick(role1, 9140, 9141));
        if (role1 && Shown(41))
            PrintBlack(page_, 42, ResFormat(9142, {rec[portrec::kNumber]}), x.value, x.end);

        const uint8_t format = rec[portrec::kFormat];
        const auto line = [&](int index, unsigned label, const std::wstring& value) {
            if (Shown(index))
                PrintValueLine(page_, index + shift, x, ResString(label), L":", value);
        };
        line(42, 9155, GetPortProtocolName(rec[portrec::kProtocol]));
        line(43, 9143, GetBaudRateName(rec[portrec::kBaud]));
        line(44, 9144, GetDataLengthName(format & 1));
        line(45, 9145, GetParityName((format >> 1) & 3));
        line(46, 9146, GetStopBitsName((format >> 3) & 1));
        line(47, 9147, ResFormat(9148, {rec[portrec::kNumber2]}));
        const auto value =
            static_cast<int16_t>(u.U16(unit::kPortValue + 2 * static_cast<size_t>(p)));
        line(48, 9149, ResFormat(9150, {value * 10LL}));
        const int nibble = (u.U8(unit::kPortOptions) >> (4 * p)) & 0x0F;
        line(49, 9154, Pick(nibble != 0, 9202, 9203));
    }

    const ReportSource& s_;
    ReportPage& page_;
    const ImageBlocks& img_;
    int last_;
};

} // namespace

void PrintSettingsPage1(const ReportSource& source, ReportPage& page) {
    Page1(source, page).Print();
}

} // namespace qv::report
