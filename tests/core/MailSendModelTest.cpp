// The mail-send entry's check and store, and the list page's row texts.
#include <gtest/gtest.h>

#include "document/ListFillers.h"
#include "document/StringTable.h"
#include "editors/mail/MailSendListModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

constexpr uint32_t kCp = kCodePageJapanese;

MailSendRecord Record(int trigger, uint16_t mask, int choice16) {
    MailSendRecord r;
    r.SetU8(msend::kTrigger, static_cast<uint8_t>(trigger));
    r.SetU16(msend::kRecipients, mask);
    r.SetU8(msend::kChoice16, static_cast<uint8_t>(choice16));
    return r;
}

TEST(MailSendModel, StoreChecksTextsAndKeepsWhatTheBoxesCannotShow) {
    const std::wstring eightWide(8, L'\u3042'), nineWide(9, L'\u3042');
    const struct {
        const char* what;
        MailSendRecord stored;
        std::wstring shortText, longText;
        bool choiceOn;
        int choiceIndex;
        unsigned refusal;
        int field;
        int trigger, choice16; // stored after OK
    } cases[] = {
        {"plain", Record(5, 0, 0), L"Alarm", L"Tank high", true, 3, 0, 0, 5, 4},
        {"eight double-byte characters fit", Record(0, 0, 0), eightWide, L"", false, 0, 0, 0, 0, 0},
        {"a ninth does not", Record(0, 0, 0), nineWide, L"", false, 0, kMsgTextLimit,
         kMailEdShortText, 0, 0},
        {"long text over 256 bytes", Record(0, 0, 0), L"", std::wstring(257, L'a'), false, 0,
         kMsgTextLimit, kMailEdLongText, 0, 0},
        {"not in the code page", Record(0, 0, 0), L"\u0100", L"", false, 0, kMsgTextNotInCodePage,
         kMailEdShortText, 0, 0},
        {"unchecked option stores 0", Record(0, 0, 7), L"", L"", false, 0, 0, 0, 0, 0},
        {"option out of range kept", Record(0, 0, 40), L"", L"", true, -1, 0, 0, 0, 40},
        {"trigger out of range kept", Record(200, 0, 0), L"", L"", false, 0, 0, 0, 200, 0},
    };
    for (const auto& c : cases) {
        MailSendForm form = LoadMailSendForm(c.stored, kCp);
        form.shortText = c.shortText;
        form.longText = c.longText;
        form.choiceOn = c.choiceOn;
        if (c.choiceIndex >= 0) // -1: as the editor opened it
            form.choiceIndex = c.choiceIndex;
        MailSendRecord r = c.stored;
        r.SetU8(0x11F, 0x5A); // reserved bytes are kept
        const MailSendRecord before = r;
        const Refusal refusal = StoreMailSendForm(form, r, kCp);
        EXPECT_EQ(refusal.messageId, c.refusal) << c.what;
        if (refusal.Refused()) {
            EXPECT_EQ(refusal.field, c.field) << c.what;
            EXPECT_EQ(r, before) << c.what;
            continue;
        }
        EXPECT_EQ(r.U8(msend::kTrigger), c.trigger) << c.what;
        EXPECT_EQ(r.U8(msend::kChoice16), c.choice16) << c.what;
        EXPECT_EQ(r.U8(0x11F), 0x5A) << c.what;
        EXPECT_EQ(LoadMailSendForm(r, kCp).shortText, c.shortText) << c.what;
        EXPECT_EQ(LoadMailSendForm(r, kCp).longText, c.longText) << c.what;
    }
}

TEST(MailSendModel, ShorterTextLeavesNoOldBytesBehind) {
    MailSendRecord r;
    MailSendForm form = LoadMailSendForm(r, kCp);
    form.shortText = L"ABCDEFGHIJKLMNOP";
    ASSERT_FALSE(StoreMailSendForm(form, r, kCp).Refused());
    form.shortText = L"AB";
    ASSERT_FALSE(StoreMailSendForm(form, r, kCp).Refused());
    for (size_t i = 2; i < msend::kTextWidth; ++i)
        EXPECT_EQ(r.U8(msend::kText + i), 0) << i;
}

TEST(MailSendModel, RowTexts) {
    test::ScopedLanguage english(test::kEnglish);
    MailSendTable mails;
    TriggerTable triggers;
    UserTable users;
    triggers[2].SetAscii(trig::kName, 32, "Level");
    users[0].SetAscii(user::kName, 16, "Ann");
    users[3].SetAscii(user::kName, 16, "Bob");
    mails[0] = Record(3, 0x0009, 0);
    mails[0].SetAscii(msend::kText, 16, "High");
    mails[1].SetU8(msend::kReserved119, 1);
    mails[2].SetU8(msend::kChoice24, 2);

    const MailSendRowText set = FormatMailSendRow(mails, triggers, users, 0, kCp);
    EXPECT_EQ(set.number, L"1");
    EXPECT_EQ(set.trigger, L"3(Level)");
    EXPECT_EQ(set.recipients, L"Ann, Bob");
    EXPECT_EQ(set.shortText, L"High");
    for (int i : {1, 2}) {
        const MailSendRowText row = FormatMailSendRow(mails, triggers, users, i, kCp);
        EXPECT_EQ(row.trigger, ResString(kStrNoTrigger)) << i;
        EXPECT_TRUE(row.recipients.empty()) << i;
    }
    const MailSendRowText empty = FormatMailSendRow(mails, triggers, users, 3, kCp);
    EXPECT_EQ(empty.number, L"4");
    EXPECT_TRUE(empty.trigger.empty() && empty.recipients.empty() && empty.shortText.empty());
}

TEST(MailSendModel, ClearZeroesExactlyTheRows) {
    MailSendTable mails;
    for (size_t i = 0; i < MailSendTable::kCount; ++i)
        mails[i] = Record(1, 1, 1);
    ClearMailSends(mails, {2, 6, 99});
    for (size_t i = 0; i < MailSendTable::kCount; ++i)
        EXPECT_EQ(mails[i] == MailSendRecord{}, i == 2 || i == 6) << i;
}

} // namespace
} // namespace qv
