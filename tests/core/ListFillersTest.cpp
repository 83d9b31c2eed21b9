// What the trigger choice lists and recipient lists show, and the mask read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "LanguageFixture.h"
#include "document/ListFillers.h"

namespace qv::test {
namespace {

TEST(TriggerChoices, LeadingEntryNumbersAndRestrictedMarks) {
    ScopedLanguage english(kEnglish);
    auto triggers = std::make_unique<TriggerTable>();
    (*triggers)[0].SetAscii(trig::kName, kNameWidth, "Start");
    (*triggers)[1].SetU8(trig::kKind, kTriggerRegister);
    (*triggers)[1].SetU8(trig::kRegExcluded, 1);
    (*triggers)[2].SetU8(trig::kKind, kTriggerContact);
    (*triggers)[2].SetU8(trig::kContactCondition, 5);
    (*triggers)[3].SetU8(trig::kKind, kTriggerContact);
    (*triggers)[3].SetU8(trig::kContactCondition, 4);
    (*triggers)[4].SetU8(trig::kKind, kTriggerCycle);
    (*triggers)[4].SetU8(trig::kCycleAlign, 1);            // same byte as the register mark
    std::fill_n((*triggers)[127].data(), kNameWidth, 'x'); // no NUL: full width
    (*triggers)[128].SetAscii(trig::kName, kNameWidth, "unused");

    for (bool leading : {false, true}) {
        SCOPED_TRACE(leading);
        const auto c = TriggerChoices(*triggers, kCodePageJapanese, leading);
        const size_t first = leading ? 1 : 0;
        ASSERT_EQ(c.size(), 128 + first);
        if (leading) {
            EXPECT_EQ(c[0].text, L"(No trigger)");
            EXPECT_EQ(c[0].flag, 0u);
        }
        struct Row {
            size_t index;
            const wchar_t* text;
            uint32_t flag;
        };
        for (const Row& row :
             {Row{0, L"1(Start)", 0}, Row{1, L"*2()", 1}, Row{2, L"*3()", 1}, Row{3, L"4()", 0},
              Row{4, L"5()", 0}, Row{127, L"128(xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx)", 0}}) {
            EXPECT_EQ(c[first + row.index].text, row.text);
            EXPECT_EQ(c[first + row.index].flag, row.flag) << row.index;
            EXPECT_EQ(c[first + row.index].itemData, static_cast<int>(row.index + 1));
        }
    }
}

TEST(TriggerChoices, NamesAreDecodedWithTheCodePage) {
    auto triggers = std::make_unique<TriggerTable>();
    const char sjis[] = "\x83\x67\x83\x8a\x83\x4b"; // katakana "toriga" in code page 932
    std::memcpy((*triggers)[0].data(), sjis, sizeof sjis);
    const char gbk[] = "\xb4\xa5\xb7\xa2"; // "trigger" in code page 936
    std::memcpy((*triggers)[1].data(), gbk, sizeof gbk);
    EXPECT_EQ(TriggerChoices(*triggers, kCodePageJapanese, false)[0].text,
              L"1(\u30c8\u30ea\u30ac)");
    EXPECT_EQ(TriggerChoices(*triggers, kCodePageChinese, false)[1].text, L"2(\u89e6\u53d1)");
}

TEST(RecipientRows, ChecksFollowTheMaskAndFieldsKeepTheirWidth) {
    UserTable users;
    users[0].SetAscii(user::kName, user::kNameWidth, "Ops");
    users[0].SetAscii(user::kAddress, user::kAddressWidth, "ops@example.org");
    std::fill_n(users[15].data() + user::kName, user::kNameWidth, 'n');
    std::fill_n(users[15].data() + user::kAddress, user::kAddressWidth, 'a');
    users[15].SetU8(user::kOpaque, 'Z'); // just behind the name: never shown

    const auto rows = RecipientRows(users, 0x8001, kCodePageJapanese);
    ASSERT_EQ(rows.size(), 16u);
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(rows[i].checked, i == 0 || i == 15) << i;
        EXPECT_EQ(rows[i].number, std::to_wstring(i + 1));
    }
    EXPECT_EQ(rows[0].name, L"Ops");
    EXPECT_EQ(rows[0].address, L"ops@example.org");
    EXPECT_EQ(rows[15].name, std::wstring(16, L'n'));
    EXPECT_EQ(rows[15].address, std::wstring(48, L'a'));
}

TEST(MaskOfChecked, BitPerItemLowSixteenOnly) {
    struct Row {
        std::vector<bool> checked;
        uint16_t mask;
    };
    std::vector<bool> items3And5(16);
    items3And5[3] = items3And5[5] = true;
    std::vector<bool> past16(20);
    past16[15] = past16[16] = past16[19] = true;
    for (const Row& row : {Row{{}, 0}, Row{items3And5, 0x0028},
                           Row{std::vector<bool>(16, true), 0xFFFF}, Row{past16, 0x8000}})
        EXPECT_EQ(MaskOfChecked(row.checked), row.mask);
}

TEST(RecipientColumns, DefaultsByListAndSavedWidthsWin) {
    struct Row {
        int list;
        std::vector<int32_t> saved;
        std::vector<int> widths;
    };
    for (const Row& row : {Row{3, {}, {22, 35, 70, 140}}, Row{7, {}, {22, 35, 135, 245}},
                           Row{8, {-1, -1, -1, -1}, {22, 35, 125, 225}},
                           Row{8, {0, -1, 90, -1, 5}, {0, 35, 90, 225}}}) {
        const auto cols = RecipientColumns(row.list, row.saved);
        ASSERT_EQ(cols.size(), 4u);
        for (size_t c = 0; c < 4; ++c)
            EXPECT_EQ(cols[c].width, row.widths[c]) << row.list << " column " << c;
        EXPECT_TRUE(cols[0].centred && cols[1].centred && !cols[2].centred && !cols[3].centred);
    }
}

} // namespace
} // namespace qv::test
