// The mail-server page's model: checks by authentication kind, and which
// bytes a store writes, clears and keeps.
#include <gtest/gtest.h>

#include <cstring>

#include "document/CodePageText.h"
#include "editors/lan/LanMailModel.h"

namespace qv {
namespace {

constexpr uint32_t kCp = kCodePageJapanese;

MailForm WithAuth(int auth) {
    MailForm f;
    f.auth = auth;
    f.user = L"user";
    f.password = L"pw";
    f.popHost = L"pop.example.com";
    return f;
}

struct MailCase {
    const char* what;
    MailForm form;
    unsigned message; // 0: accepted
    int field;
};

TEST(LanMailModelTest, ChecksByAuthenticationKind) {
    auto with = [](int auth, auto change) {
        MailForm f = WithAuth(auth);
        change(f);
        return f;
    };
    const MailCase cases[] = {
        {"empty address and SMTP host", MailForm{}, 0, 0},
        {"address with a blank", with(0, [](MailForm& f) { f.address = L"a b@c"; }), 20204,
         kMailAddressField},
        {"address with double-byte", with(0, [](MailForm& f) { f.address = L"\u3042@c"; }), 20204,
         kMailAddressField},
        {"address <a@b>", with(0, [](MailForm& f) { f.address = L"<a@b>"; }), 0, 0},
        {"SMTP host with a colon", with(0, [](MailForm& f) { f.smtpHost = L"a:25"; }), 20205,
         kMailSmtpHostField},
        {"SMTP by address 0.0.0.0", with(0, [](MailForm& f) { f.smtpByIp = true; }), 0, 0},
        {"SMTP by address 127.0.0.1",
         with(0,
              [](MailForm& f) {
                  f.smtpByIp = true;
                  f.smtpIp = MakeIpEntry(127, 0, 0, 1);
              }),
         20370, kMailSmtpIpField},
        {"kind 0 does not check the account",
         with(0,
              [](MailForm& f) {
                  f.user = L"a b";
                  f.password.clear();
                  f.popHost.clear();
              }),
         0, 0},
        {"kind 1 without user", with(1, [](MailForm& f) { f.user.clear(); }), 20206,
         kMailUserField},
        {"user with a blank", with(2, [](MailForm& f) { f.user = L"a b"; }), 20207, kMailUserField},
        {"kind 3 without password", with(3, [](MailForm& f) { f.password.clear(); }), 20208,
         kMailPasswordField},
        {"password with a comma", with(3, [](MailForm& f) { f.password = L"a,b"; }), 20209,
         kMailPasswordField},
        {"password of 17 characters",
         with(3, [](MailForm& f) { f.password = std::wstring(17, L'p'); }), 20018,
         kMailPasswordField},
        {"kind 3 needs no POP server", with(3, [](MailForm& f) { f.popHost.clear(); }), 0, 0},
        {"kind 1 without POP host", with(1, [](MailForm& f) { f.popHost.clear(); }), 20210,
         kMailPopHostField},
        {"POP host with a slash", with(2, [](MailForm& f) { f.popHost = L"a/b"; }), 20211,
         kMailPopHostField},
        {"POP by address 0.0.0.0", with(1, [](MailForm& f) { f.popByIp = true; }), 20370,
         kMailPopIpField},
        {"POP by address 10.0.0.1",
         with(2,
              [](MailForm& f) {
                  f.popByIp = true;
                  f.popIp = MakeIpEntry(10, 0, 0, 1);
              }),
         0, 0},
        {"unknown kind checks no account", with(-1, [](MailForm& f) { f.user.clear(); }), 0, 0},
    };
    for (const MailCase& c : cases) {
        const Refusal r = CheckMailForm(c.form, kCp, true);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
    }
}

class LanMailStoreTest : public ::testing::Test {
protected:
    MailBlock block;
    void SetUp() override {
        block[1].bytes.fill(0x5A);
        MailServerRecord& r = block[0];
        WriteMultiField(r.data() + mailsrv::kAccount, 64, "olduser", kCp);
        WriteMultiField(r.data() + mailsrv::kPassword, 16, "longoldpassword!", kCp);
        WriteMultiField(r.data() + mailsrv::kPop3, 64, "oldpop", kCp);
        r.SetU8(mailsrv::kAuth, 1);
        std::memset(r.data() + 0x118, 0x77, 8);
    }
    const MailServerRecord& R() const { return block[0]; }
    void ExpectRestKept() {
        for (size_t i = 0; i < 288; ++i)
            ASSERT_EQ(block[1].bytes[i], 0x5A) << "entry 1 byte " << i;
        for (size_t i = 0x118; i < 0x120; ++i)
            EXPECT_EQ(R().bytes[i], 0x77) << "byte " << i;
    }
};

// Kind 0 keeps the account the record held and clears the POP server.
TEST_F(LanMailStoreTest, KindZeroKeepsTheAccountAndClearsPop) {
    MailForm form = LoadMailForm(block, kCp);
    form.auth = 0;
    form.user = L"ignored";
    StoreMailForm(form, block, kCp);
    EXPECT_EQ(FieldBytes(R().data() + mailsrv::kAccount, 64), "olduser");
    EXPECT_EQ(FieldBytes(R().data() + mailsrv::kPassword, 16), "longoldpassword!");
    for (size_t i = 0; i < 64; ++i)
        ASSERT_EQ(R().bytes[mailsrv::kPop3 + i], 0) << i;
    EXPECT_EQ(R().U8(mailsrv::kAuth), 0);
    ExpectRestKept();
}

// A shorter password leaves nothing of the old one behind it.
TEST_F(LanMailStoreTest, ShorterPasswordIsPaddedOverTheWholeField) {
    MailForm form = LoadMailForm(block, kCp);
    EXPECT_EQ(form.popHost, L"oldpop");
    form.auth = 3;
    form.password = L"new";
    form.smtpByIp = true;
    form.smtpIp = MakeIpEntry(10, 0, 0, 2);
    ASSERT_FALSE(CheckMailForm(form, kCp, true).Refused());
    StoreMailForm(form, block, kCp);
    const uint8_t* pw = R().data() + mailsrv::kPassword;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(pw), 3), "new");
    for (size_t i = 3; i < 16; ++i)
        EXPECT_EQ(pw[i], 0) << "password byte " << i;
    const uint8_t smtp[6] = {10, 0, 0, 2, 0, 0};
    EXPECT_EQ(std::memcmp(R().data() + mailsrv::kSmtp, smtp, 6), 0);
    EXPECT_EQ(R().U8(mailsrv::kSmtpIsIp), 1);
    EXPECT_EQ(R().bytes[mailsrv::kPop3], 0) << "kind 3 clears the POP server";
    ExpectRestKept();
}

// Numbers the lists do not hold, and a kind outside the list, stay as stored.
TEST_F(LanMailStoreTest, UnlistedValuesAreKept) {
    MailServerRecord& r = block[0];
    r.SetU16(mailsrv::kValue1, 45);
    r.SetU8(mailsrv::kValue2, 7);
    r.SetU8(mailsrv::kValue3, 11);
    r.SetU8(mailsrv::kAuth, 9);
    r.SetU8(mailsrv::kChoice, 3);
    MailForm form = LoadMailForm(block, kCp);
    EXPECT_EQ(form.timeout, -1);
    EXPECT_EQ(form.interval, -1);
    EXPECT_EQ(form.retries, -1);
    EXPECT_EQ(form.auth, -1);
    EXPECT_TRUE(form.secondOption);
    ASSERT_FALSE(CheckMailForm(form, kCp, true).Refused());
    StoreMailForm(form, block, kCp);
    EXPECT_EQ(R().U16(mailsrv::kValue1), 45);
    EXPECT_EQ(R().U8(mailsrv::kValue2), 7);
    EXPECT_EQ(R().U8(mailsrv::kValue3), 11);
    EXPECT_EQ(R().U8(mailsrv::kAuth), 9);
    EXPECT_EQ(R().U8(mailsrv::kChoice), 1);

    form.timeout = 300;
    form.interval = 60;
    form.retries = 10;
    StoreMailForm(form, block, kCp);
    EXPECT_EQ(R().U16(mailsrv::kValue1), 300);
    EXPECT_EQ(R().U8(mailsrv::kValue2), 60);
    EXPECT_EQ(R().U8(mailsrv::kValue3), 10);
    ExpectRestKept();
}

} // namespace
} // namespace qv
