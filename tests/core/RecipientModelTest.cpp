// The recipient and send-group models: which texts are refused with which
// message, and exactly which record bytes a store writes.
#include <gtest/gtest.h>

#include <string>

#include "editors/recipients/RecipientModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

constexpr uint32_t kCp = kCodePageJapanese;
const std::wstring kWide = L"\u3042"; // two bytes in the code page

std::wstring Repeat(const std::wstring& s, int n) {
    std::wstring out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

struct RecipientCase {
    const char* what;
    std::wstring name;
    std::wstring address;
    bool doubleByteUi;
    unsigned message; // 0: accepted
    int field;
    std::vector<std::wstring> args;
};

TEST(RecipientModelTest, ChecksNameThenAddress) {
    const std::wstring ok = L"<a_b.c-d@e:f>";
    const RecipientCase cases[] = {
        {"eight double-byte characters", Repeat(kWide, 8), ok, true, 0, 0, {}},
        {"nine double-byte characters", Repeat(kWide, 9), ok, true, 20018, kRecipientName,
         {L"16", L"8"}},
        {"17 bytes, English", L"x" + Repeat(kWide, 8), ok, false, 20002, kRecipientName, {L"16"}},
        {"empty name", L"", ok, true, 0, 0, {}},
        {"not in the code page", L"\U0001F600", ok, true, 29001, kRecipientName, {}},
        {"name checked first", Repeat(kWide, 9), L"", true, 20018, kRecipientName,
         {L"16", L"8"}},
        {"empty address", L"n", L"", true, 20270, kRecipientAddress, {}},
        {"space", L"n", L"a b@c", true, 20270, kRecipientAddress, {}},
        {"comma", L"n", L"a,b@c", true, 20270, kRecipientAddress, {}},
        {"double-byte address", L"n", kWide + L"@c", true, 20270, kRecipientAddress, {}},
        {"48 characters", L"n", std::wstring(48, L'a'), true, 0, 0, {}},
        {"49 characters", L"n", std::wstring(49, L'a'), true, 20002, kRecipientAddress,
         {L"48"}},
    };
    const RecipientModel model(kCp);
    for (const RecipientCase& c : cases) {
        const Refusal r = model.Check({c.name, c.address}, c.doubleByteUi);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
        EXPECT_EQ(r.args, c.args) << c.what;
    }
}

TEST(RecipientModelTest, StoresFullFieldsAndKeepsTheRest) {
    UserTable users;
    for (size_t i = 0; i < UserTable::kSize; ++i)
        users.records[i / UserRecord::kSize].bytes[i % UserRecord::kSize] =
            static_cast<uint8_t>(0xA0 + i % 7);
    const UserTable before = users;
    const RecipientModel model(kCp);
    const RecipientForm form{Repeat(kWide, 8), std::wstring(48, L'm')};
    model.Store(form, users, 15);

    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(users.records[static_cast<size_t>(i)], before.records[static_cast<size_t>(i)]);
    const UserRecord& r = users.records[15];
    for (size_t i = 0; i < 16; ++i) // no terminator when the name fills its field
        EXPECT_EQ(r.bytes[user::kName + i], i % 2 ? 0xA0 : 0x82) << i;
    EXPECT_EQ(r.bytes[user::kAddress + 47], 'm');
    for (size_t i = user::kOpaque; i < UserRecord::kSize; ++i)
        EXPECT_EQ(r.bytes[i], before.records[15].bytes[i]) << i;
    const RecipientForm back = model.Load(users, 15);
    EXPECT_EQ(back.name, form.name);
    EXPECT_EQ(back.address, form.address);

    model.Store({L"", L"a@b"}, users, 15);
    for (size_t i = 0; i < 16; ++i)
        EXPECT_EQ(users.records[15].bytes[user::kName + i], 0) << i;
    EXPECT_EQ(model.Load(users, 15).address, L"a@b");
}

TEST(RecipientModelTest, EnglishLengthMessageHasNoEmptyCount) {
    test::ScopedLanguage english(test::kEnglish);
    const Refusal r = RecipientModel(kCp).Check({L"x" + Repeat(kWide, 8), L"a@b"}, false);
    const std::wstring text = RefusalText(r);
    EXPECT_NE(text.find(L"16"), std::wstring::npos) << text;
    EXPECT_EQ(text.find(L"  "), std::wstring::npos) << text;
}

struct GroupCase {
    const char* what;
    std::wstring name;
    bool doubleByteUi;
    unsigned message;
    std::vector<std::wstring> args;
};

TEST(SendGroupModelTest, NameMustFitItsField) {
    const GroupCase cases[] = {
        {"32 bytes of double-byte characters", Repeat(kWide, 16), true, 0, {}},
        {"32 single-byte characters", std::wstring(32, L'g'), true, 0, {}},
        // Cutting at 32 bytes would split the last character: refused whole.
        {"33 bytes ending in a split character", L"g" + Repeat(kWide, 16), true, 20018,
         {L"32", L"16"}},
        {"33 bytes, English", std::wstring(33, L'g'), false, 20002, {L"32"}},
        {"empty", L"", true, 0, {}},
        {"not in the code page", L"\U0001F600", true, 29001, {}},
    };
    const SendGroupModel model(kCp);
    for (const GroupCase& c : cases) {
        const Refusal r = model.Check({c.name, 0}, c.doubleByteUi);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_EQ(r.field, c.message ? kSendGroupName : 0) << c.what;
        EXPECT_EQ(r.args, c.args) << c.what;
    }
}

TEST(SendGroupModelTest, StoresNameAndMembersKeepingReservedBytes) {
    GroupTable groups;
    for (auto& rec : groups.records)
        rec.bytes.fill(0x5A);
    const GroupTable before = groups;
    const SendGroupModel model(kCp);
    groups.records[3].SetU16(sgroup::kMembers, 0x8421);
    groups.records[3].bytes[sgroup::kName] = 'G';
    groups.records[3].bytes[1] = 0;

    SendGroupForm form = model.Load(groups, 3);
    EXPECT_EQ(form.name, L"G");
    EXPECT_EQ(form.members, 0x8421);

    form.members = 0; // every member unchecked
    model.Store(form, groups, 3);
    const SendGroupRecord& r = groups.records[3];
    EXPECT_EQ(r.U16(sgroup::kMembers), 0);
    EXPECT_EQ(model.Load(groups, 3).name, L"G");
    for (size_t i = 1; i < sgroup::kNameWidth; ++i)
        EXPECT_EQ(r.bytes[i], 0) << i;
    for (size_t i : {32, 33, 36, 47})
        EXPECT_EQ(r.bytes[i], 0x5A) << i;
    for (size_t g = 0; g < 16; ++g) {
        if (g == 3)
            continue;
        EXPECT_EQ(groups.records[g], before.records[g]) << g;
    }

    model.Store({Repeat(kWide, 16), 0x0003}, groups, 3);
    EXPECT_EQ(r.bytes[31], 0xA0); // the full field, no terminator
    EXPECT_EQ(model.Load(groups, 3).name, Repeat(kWide, 16));
    EXPECT_EQ(r.U16(sgroup::kMembers), 3);
}

} // namespace
} // namespace qv
