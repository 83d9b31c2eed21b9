// The FTP page's model: length and character checks with their messages,
// and which bytes of the upload entry and the account a store writes.
#include <gtest/gtest.h>

#include <cstring>

#include "document/CodePageText.h"
#include "editors/lan/LanFtpModel.h"

namespace qv {
namespace {

constexpr uint32_t kCp = kCodePageJapanese;

struct FtpCase {
    const char* what;
    void (*change)(FtpForm&);
    bool doubleByteUi;
    unsigned message; // 0: accepted
    int field;
    std::vector<std::wstring> args;
};

TEST(LanFtpModelTest, ChecksInPageOrder) {
    const FtpCase cases[] = {
        {"empty names", [](FtpForm&) {}, true, 0, 0, {}},
        {"33-byte text, English",
         [](FtpForm& f) { f.text = std::wstring(33, L't'); },
         false,
         20002,
         kFtpTextField,
         {L"32"}},
        {"33-byte text, Japanese",
         [](FtpForm& f) { f.text = L"t" + std::wstring(16, L'\u3042'); },
         true,
         20018,
         kFtpTextField,
         {L"32", L"16"}},
        {"16 double-byte characters of text",
         [](FtpForm& f) { f.text = std::wstring(16, L'\u3042'); },
         true,
         0,
         0,
         {}},
        {"text not in the code page",
         [](FtpForm& f) { f.text = L"\U0001F600"; },
         true,
         29001,
         kFtpTextField,
         {}},
        {"65-byte host",
         [](FtpForm& f) { f.host = std::wstring(65, L'h'); },
         false,
         20002,
         kFtpHostField,
         {L"64"}},
        {"host with a blank", [](FtpForm& f) { f.host = L"a b"; }, true, 20212, kFtpHostField, {}},
        {"server 0.0.0.0", [](FtpForm& f) { f.serverByIp = true; }, true, 0, 0, {}},
        {"server 127.0.0.1",
         [](FtpForm& f) {
             f.serverByIp = true;
             f.serverIp = MakeIpEntry(127, 0, 0, 1);
         },
         true,
         20370,
         kFtpIpField,
         {}},
        {"server 224.0.0.1",
         [](FtpForm& f) {
             f.serverByIp = true;
             f.serverIp = MakeIpEntry(224, 0, 0, 1);
         },
         true,
         20370,
         kFtpIpField,
         {}},
        {"user with a double-byte character",
         [](FtpForm& f) { f.user = L"\u3042"; },
         true,
         20213,
         kFtpUserField,
         {}},
        {"password with a blank",
         [](FtpForm& f) { f.password = L"a b"; },
         true,
         20214,
         kFtpPasswordField,
         {}},
        {"33-character password",
         [](FtpForm& f) { f.password = std::wstring(33, L'p'); },
         false,
         20002,
         kFtpPasswordField,
         {L"32"}},
        {"128-byte folder", [](FtpForm& f) { f.folder = std::wstring(128, L'/'); }, true, 0, 0, {}},
        {"129-byte folder",
         [](FtpForm& f) { f.folder = std::wstring(129, L'/'); },
         true,
         20018,
         kFtpFolderField,
         {L"128", L"64"}},
        {"account user with a slash",
         [](FtpForm& f) { f.accountUser = L"a/b"; },
         true,
         20213,
         kFtpAccountUserField,
         {}},
        {"account password with a blank",
         [](FtpForm& f) { f.accountPassword = L"a b"; },
         true,
         20214,
         kFtpAccountPasswordField,
         {}},
    };
    for (const FtpCase& c : cases) {
        FtpForm form;
        c.change(form);
        const Refusal r = CheckFtpForm(form, kCp, c.doubleByteUi);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
        EXPECT_EQ(r.args, c.args) << c.what;
    }
}

TEST(LanFtpModelTest, StoreWritesEachFieldWithinItsWidth) {
    FtpBlock ftp;
    ftp[1].bytes.fill(0x11);
    ftp[2].bytes.fill(0x22);
    FtpDestRecord& r = ftp[0];
    r.SetU8(0x123, 0x33);
    std::memset(r.data() + 0x128, 0x44, 8);
    WriteMultiField(r.data() + ftpdest::kText, 32, "kept text", kCp);
    WriteMultiField(r.data() + ftpdest::kPassword, 32, "averyveryverylongoldpassword", kCp);
    WriteMultiField(r.data() + ftpdest::kServer, 64, "old.host.example", kCp);
    r.SetU16(ftpdest::kValue1, 7);
    FtpAccountBlock account;
    account.bytes.fill(0x66);
    WriteMultiField(account.data() + ftpacct::kPassword, 32, "oldaccountpassword", kCp);

    FtpForm form = LoadFtpForm(ftp, account, kCp);
    EXPECT_EQ(form.timeout, -1) << "7 is in no entry";
    form.folder = std::wstring(128, L'f');
    form.password = L"pw";
    form.serverByIp = true;
    form.serverIp = MakeIpEntry(10, 1, 1, 1);
    form.accountPassword = L"x";
    form.accountOption = true;
    form.interval = 30;
    ASSERT_FALSE(CheckFtpForm(form, kCp, true).Refused());
    StoreFtpForm(form, ftp, account, kCp);

    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.data() + ftpdest::kFolder), 128),
              std::string(128, 'f'));
    EXPECT_EQ(FieldBytes(r.data() + ftpdest::kText, 32), "kept text");
    for (size_t i = 2; i < 32; ++i)
        ASSERT_EQ(r.bytes[ftpdest::kPassword + i], 0) << "password byte " << i;
    const uint8_t server[5] = {10, 1, 1, 1, 0};
    EXPECT_EQ(std::memcmp(r.data() + ftpdest::kServer, server, 5), 0);
    for (size_t i = 4; i < 64; ++i)
        ASSERT_EQ(r.bytes[ftpdest::kServer + i], 0) << "server byte " << i;
    EXPECT_EQ(r.U16(ftpdest::kValue1), 7);
    EXPECT_EQ(r.U8(ftpdest::kValue2), 30);
    EXPECT_EQ(r.U8(0x123), 0x33);
    for (size_t i = 0x128; i < 0x130; ++i)
        EXPECT_EQ(r.bytes[i], 0x44) << i;
    for (size_t i = 0; i < 304; ++i) {
        ASSERT_EQ(ftp[1].bytes[i], 0x11) << i;
        ASSERT_EQ(ftp[2].bytes[i], 0x22) << i;
    }
    EXPECT_EQ(account.U8(ftpacct::kPassword), 'x');
    for (size_t i = 1; i < 32; ++i)
        ASSERT_EQ(account.bytes[ftpacct::kPassword + i], 0) << "account password byte " << i;
    EXPECT_EQ(account.U8(ftpacct::kOption), 1);
    for (size_t i = 0x41; i < 304; ++i)
        ASSERT_EQ(account.bytes[i], 0x66) << i;
}

} // namespace
} // namespace qv
