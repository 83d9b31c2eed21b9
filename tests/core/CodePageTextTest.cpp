#include <gtest/gtest.h>

#include <cstring>

#include "document/CodePageText.h"
#include "document/Utf8.h"

namespace qv {
namespace {

std::vector<uint8_t> Field(const uint8_t* p, size_t n) {
    return std::vector<uint8_t>(p, p + n);
}

TEST(CodePageText, ReadStopsAtNulAndNeverPastTheField) {
    // A field that fills its width has no NUL; the byte after it must not be read.
    uint8_t buf[6] = {'A', 'B', 'C', 'D', 'X', 0};
    EXPECT_EQ(ReadTextField(buf, 4, kCodePageJapanese), L"ABCD");
    uint8_t withNul[4] = {'A', 0, 'C', 'D'};
    EXPECT_EQ(ReadTextField(withNul, 4, kCodePageJapanese), L"A");
    // 932: "ソ" is 83 5C, its second byte the backslash.
    uint8_t so[4] = {0x83, 0x5C, 0x5C, 0};
    EXPECT_EQ(ReadTextField(so, 4, kCodePageJapanese), L"\x30BD\\");
    // A lead byte cut off by the field's end is shown as a replacement character.
    uint8_t cut[3] = {'a', 0x83, 0x5C};
    EXPECT_EQ(ReadTextField(cut, 2, kCodePageJapanese), L"a\xFFFD");
    uint8_t gbk[4] = {0xD6, 0xD0, 0xCE, 0xC4}; // 中文
    EXPECT_EQ(ReadTextField(gbk, 4, kCodePageChinese), L"\x4E2D\x6587");
}

struct WriteCase {
    uint32_t codePage;
    std::wstring text;
    size_t width;
    TextStore result;
    std::vector<uint8_t> bytes; // then NUL padding
};

TEST(CodePageText, WriteIsPaddedCutOnCharactersAndRefusesWhatTheCodePageCannotHold) {
    const WriteCase cases[] = {
        {kCodePageJapanese, L"Brellox", 8, TextStore::Stored, {'B', 'r', 'e', 'l', 'l', 'o', 'x'}},
        {kCodePageJapanese,
         L"12345678",
         8,
         TextStore::Stored,
         {'1', '2', '3', '4', '5', '6', '7', '8'}},
        {kCodePageJapanese,
         L"123456789",
         8,
         TextStore::Cut,
         {'1', '2', '3', '4', '5', '6', '7', '8'}},
        {kCodePageJapanese, L"abc\x30BD", 4, TextStore::Cut, {'a', 'b', 'c'}},
        {kCodePageJapanese, L"\x30BD\x30BD", 4, TextStore::Stored, {0x83, 0x5C, 0x83, 0x5C}},
        {kCodePageChinese, L"a\x4E2D\x6587", 4, TextStore::Cut, {'a', 0xD6, 0xD0}},
        {kCodePageChinese, L"\x4E2D", 4, TextStore::Stored, {0xD6, 0xD0}},
        {kCodePageJapanese, L"", 4, TextStore::Stored, {}},
        {kCodePageJapanese, L"\x4E2D\x00E9", 8, TextStore::Unrepresentable, {0xEE, 0xEE}},
        {kCodePageChinese, L"\x0001F600", 8, TextStore::Unrepresentable, {0xEE, 0xEE}},
    };
    for (const WriteCase& c : cases) {
        uint8_t buf[12];
        std::memset(buf, 0xEE, sizeof buf);
        EXPECT_EQ(WriteTextField(buf, c.width, c.text, c.codePage), c.result) << WideToUtf8(c.text);
        std::vector<uint8_t> expected = c.bytes;
        if (c.result == TextStore::Unrepresentable)
            expected.resize(c.width, 0xEE); // refused: the field is left as it was
        else
            expected.resize(c.width, 0);
        EXPECT_EQ(Field(buf, c.width), expected) << WideToUtf8(c.text);
        EXPECT_EQ(buf[c.width], 0xEE) << "wrote past the field";
    }
}

TEST(CodePageText, RoundTripThroughBothCodePages) {
    const std::wstring ja = L"\x30C7\x30FC\x30BF\x8A18\x9332 Log-1";
    const std::wstring zh = L"\x6570\x636E\x8BB0\x5F55 Log-1";
    const auto mbJa = WideToMulti(ja, kCodePageJapanese);
    const auto mbZh = WideToMulti(zh, kCodePageChinese);
    ASSERT_TRUE(mbJa && mbZh);
    EXPECT_EQ(MultiToWide(*mbJa, kCodePageJapanese), ja);
    EXPECT_EQ(MultiToWide(*mbZh, kCodePageChinese), zh);
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(Utf8ToWide("a\xE5\xB1\xB1"), L"a\x5C71");
    EXPECT_EQ(Utf8ToWide("a\xC0\xAF"
                         "b"),
              L"a\xFFFD"
              L"b");                              // overlong
    EXPECT_EQ(Utf8ToWide("\xE5\xB1"), L"\xFFFD"); // cut short
    EXPECT_EQ(WideToUtf8(Utf8ToWide("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
}

// A dialog keeps the stored bytes of a text the user left as it was shown.
TEST(CodePageText, ShownTextKeepsStoredBytesUnlessChanged) {
    // NEC-selected IBM extension: decodes to U+7E8A, which encodes as FA 5C.
    const std::string stored = "\xED\x40"
                               "COM";
    const std::wstring shown = MultiToWide(stored, kCodePageJapanese);
    ASSERT_EQ(shown, L"\x7E8A"
                     L"COM");
    ASSERT_NE(WideToMulti(shown, kCodePageJapanese), stored);

    struct Case {
        const char* what;
        std::wstring shown;
        std::optional<std::string> stored;
    };
    const Case cases[] = {
        {"unchanged", shown, stored},
        {"changed: the code page's bytes, not UTF-8",
         L"\x7E8A"
         L"COM2",
         std::string("\xFA\x5C"
                     "COM2")},
        {"changed to what the code page cannot hold", L"\x00E9", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShownTextToMulti(stored, c.shown, kCodePageJapanese), c.stored) << c.what;
}

} // namespace
} // namespace qv
