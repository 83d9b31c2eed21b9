// Fixtures of the report tests: a string table that answers every number
// with "{number}" (so translations do not move the goldens), a text dump of
// page records, and settings with every field of the settings pages filled.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "document/StringTable.h"
#include "document/Utf8.h"
#include "tests/TestPaths.h"
#include "view/report/ReportLayout.h"

namespace qv::test {

class NumberStringTable : public StringTable {
public:
    // Texts that differ from "{number}", such as format strings.
    std::map<unsigned, std::string> texts;
    const char* FindUtf8(unsigned id) const override {
        auto it = texts.find(id);
        if (it != texts.end())
            return it->second.c_str();
        std::string& s = cache_[id];
        if (s.empty())
            s = "{" + std::to_string(id) + "}";
        return s.c_str();
    }

private:
    mutable std::map<unsigned, std::string> cache_;
};

// Active for the life of the object; the formats take their numbers visibly.
class ScopedNumberTable {
public:
    ScopedNumberTable() {
        for (unsigned id : {9142u, 9148u, 9150u})
            table.texts[id] = "{" + std::to_string(id) + " %d}";
        for (unsigned id : {9212u, 9213u})
            table.texts[id] = "{" + std::to_string(id) + " %s}";
        table.texts[46520] = "Page %d/%d";
        SetActiveStringTable(&table);
    }
    ~ScopedNumberTable() { SetActiveStringTable(nullptr); }
    NumberStringTable table;
};

inline std::string DumpRecord(const report::PrintRecord& r) {
    using K = report::PrintRecord::Kind;
    std::ostringstream o;
    const std::string text = "\"" + WideToUtf8(r.text) + "\"";
    switch (r.kind) {
    case K::Text:
        o << "text " << r.line << " x" << r.left << ".." << r.right << " " << text;
        if (r.background != report::kWhite || r.colour != report::kBlack)
            o << std::hex << " bg" << r.background << " fg" << r.colour << std::dec;
        break;
    case K::Cell:
        o << "cell " << r.line << " " << r.left << ".." << r.right << " a"
          << static_cast<int>(r.align) << (r.border ? " border" : "") << std::hex << " fill"
          << r.background << " fg" << r.colour << std::dec << " " << text;
        break;
    case K::Heading:
        o << "heading x" << r.left << ".." << r.right << " y" << r.y << " " << text;
        break;
    case K::Rule:
        o << "rule " << r.left << ".." << r.right << " y" << r.y;
        break;
    }
    return o.str();
}

inline std::string DumpPage(const report::ReportPage& page) {
    std::string out = "page " + std::to_string(page.Number()) + "\n";
    for (const auto& r : page.Records())
        out += DumpRecord(r) + "\n";
    return out;
}

// Compares with tests/fixtures/report/<name>; QV_UPDATE_GOLDEN=1 rewrites it.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(test::kFixtureDir) + "/report/" + name;
    if (std::getenv("QV_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden " << path;
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(expected.str(), actual) << "golden " << name;
}

inline void SetText(uint8_t* field, size_t width, const char* text) {
    WriteMultiField(field, width, text, kCodePageJapanese);
}

inline void SetIpv4(uint8_t* at, uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    at[0] = a;
    at[1] = b;
    at[2] = c;
    at[3] = d;
}

// Every field pages 1 to 3 print, away from the defaults.
inline void FillSettingsPages(ImageBlocks& im) {
    SetText(im.unit.data() + unit::kName, kNameWidth, "Pump station \x93\x8c\x8b\x9e");
    im.unit.SetU8(unit::kUnitOption, 1);
    uint8_t* port2 = im.unit.data() + unit::kPortRecord + unit::kPortRecordSize;
    port2[portrec::kRole] = 1;
    port2[portrec::kNumber] = 17;
    port2[portrec::kProtocol] = 1;
    port2[portrec::kFormat] = 0x0D;
    port2[portrec::kBaud] = 4;
    port2[portrec::kNumber2] = 3;
    im.unit.SetU16(unit::kPortValue + 2, 12);
    im.unit.SetU8(unit::kPortOptions, 0x01);

    im.ip.SetU8(ip::kAutoDns, 1);
    SetIpv4(im.ip.data() + ip::kDns1, 8, 8, 8, 8);

    {
        using namespace mailsrv;
        MailServerRecord& m = im.mail[0];
        SetText(m.data() + kAddress, 64, "logger@example.com");
        SetText(m.data() + kSmtp, 64, "smtp.example.com");
        SetText(m.data() + kAccount, 64, "logger");
        SetText(m.data() + kPassword, 16, "secret");
        SetIpv4(m.data() + kPop3, 10, 0, 0, 2);
        m.SetU8(kPop3IsIp, 1);
        m.SetU8(kAuth, 1);
        m.SetU8(kChoice, 1);
        m.SetU16(kValue1, 300);
        m.SetU8(kValue2, 15);
        m.SetU8(kValue3, 10);
    }

    {
        using namespace ftpdest;
        FtpDestRecord& f = im.ftp[0];
        SetIpv4(f.data() + kServer, 192, 168, 10, 200);
        f.SetU8(kServerIsIp, 1);
        SetText(f.data() + kUser, 32, "upload");
        SetText(f.data() + kPassword, 32, "pw12");
        SetText(f.data() + kFolder, 128, "/data/logs");
        SetText(f.data() + kText, 32, "Head office");
        f.SetU8(kOption1, 1);
        f.SetU8(kOption2, 1);
        f.SetU16(kValue1, 120);
        f.SetU8(kValue2, 5);
        f.SetU8(kValue3, 3);
    }
    im.ftpAccount.SetU8(ftpacct::kOption, 1);

    for (size_t b : {0, 1, 3, 5, 6, 8, 10, 12, 14})
        im.errorNotify.SetU8(b, 1);
    im.errorNotify.SetU8(2, 3);
    im.errorNotify.SetU8(4, 0x55);
    im.errorNotify.SetU8(7, 0x15);
    im.errorNotify.SetU8(errnotify::kCheck1408, 1);
    im.errorNotify.SetU16(errnotify::kRecipients, 0x8005);
    im.files[0].SetU8(file::kDecimals, 4);
    SetText(im.users[0].data() + user::kName, user::kNameWidth, "Operator");
    SetText(im.users[0].data() + user::kAddress, user::kAddressWidth, "op@example.com");
    SetText(im.users[15].data() + user::kName, user::kNameWidth, "ABCDEFGHIJKLMNOP");
    SetText(im.users[15].data() + user::kAddress, user::kAddressWidth, "night@example.com");

    using namespace timeblk;
    for (size_t i = 0; i < 8; ++i)
        im.portNumbers.SetU16(2 * i, static_cast<uint16_t>(1000 + i));
    SetIpv4(im.time.data() + kServer, 192, 168, 1, 10);
    im.time.SetU8(kServerIsIp, 1);
    im.time.SetU8(kMode, 1);
    im.time.SetU16(kTrigger, 3);
    im.time.SetU8(kTimeZone, static_cast<uint8_t>(-5));
    SetText(im.triggers[2].data() + trig::kName, kNameWidth, "ABC");
    im.triggers[2].SetU8(trig::kKind, 1);
}

} // namespace qv::test
