#include <gtest/gtest.h>

#include <string>

#include "document/AddressText.h"
#include "document/TextChecks.h"

namespace qv {
namespace {

std::string Narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

// --- contact (bit) addresses ------------------------------------------------

TEST(AddressText, FormatBitAddress) {
    struct Case {
        uint32_t value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L"0"},   {10, L"A"},    {15, L"F"},       {16, L"10"},
        {17, L"11"}, {202, L"12A"}, {15999, L"999F"}, {0xFFFFFFFFu, L"268435455F"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatBitAddress(c.value), c.text) << c.value;
}

TEST(AddressText, ParseBitAddress) {
    struct Case {
        const char* text;
        uint32_t value;
    };
    const Case cases[] = {
        {"12A", 202}, {" 1 2A", 202},    {"12a ", 202}, {"F", 15},
        {"10", 16},   {"9999F", 159999}, {"", 0},       {"   ", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseBitAddress(c.text), c.value) << '"' << c.text << '"';
}

TEST(AddressText, BitAddressTextRoundTrip) {
    for (uint32_t v = 0; v < 20000; ++v)
        ASSERT_EQ(ParseBitAddress(Narrow(FormatBitAddress(v))), v);
    EXPECT_EQ(ParseBitAddress(Narrow(FormatBitAddress(0x0FFFFFFFu))), 0x0FFFFFFFu);
}

TEST(AddressText, IsBitAddressText) {
    struct Case {
        int port;
        int area;
        const wchar_t* text;
        bool ok;
    };
    const Case cases[] = {
        // the unit's own R area: words 0..49 and 900..999
        {0, 2, L"49F", true},
        {0, 2, L"49f", true},
        {0, 2, L"0", true},
        {0, 2, L"500", false},
        {0, 2, L"1000", false},
        {0, 2, L"8999", false},
        {0, 2, L"9000", true},
        {0, 2, L"999F", true},
        {0, 2, L" 4 9F ", true}, // blanks are dropped before counting
        {0, 2, L"12G", false},
        {0, 2, L"A0", false},
        {0, 2, L"12345", false},
        {0, 2, L"1 2 3 4 5", false},
        {0, 2, L"", false},
        {0, 2, L"  ", false},
        // other areas and ports have no word range
        {0, 0, L"500", true},
        {1, 2, L"500", true},
        {2, 2, L"5000", true},
        {1, 2, L"12345", false},
        {1, 2, L"1G", false},
        {1, 2, L"", false},
        {1, 2, L"\xFF11", false}, // a full-width digit
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsBitAddressText(c.area, c.text, c.port), c.ok)
            << "port " << c.port << " area " << c.area << " \"" << Narrow(c.text) << '"';
}

// --- register (word) addresses ------------------------------------------------

TEST(AddressText, IsWordAddressText) {
    struct Case {
        int port;
        int area;
        int mode;
        const wchar_t* text;
        bool ok;
    };
    const Case cases[] = {
        // the unit's WR area named by its code (data sets)
        {0, 13, kWordAreaByCode, L"49", true},
        {0, 13, kWordAreaByCode, L"50", false},
        {0, 13, kWordAreaByCode, L"899", false},
        {0, 13, kWordAreaByCode, L"900", true},
        {0, 13, kWordAreaByCode, L"999", true},
        {0, 13, kWordAreaByCode, L"1000", false},
        {0, 13, kWordAreaByCode, L"0049", true},
        {0, 13, kWordAreaByCode, L"", true},
        {0, 13, kWordAreaByCode, L"99999999999999999999999999", false},
        {0, 13, kWordAreaByCode, L"4294967296", false}, // 2^32 must not wrap to 0
        {0, 13, kWordAreaByCode, L"12a", false},
        {0, 13, kWordAreaByCode, L"-1", false},
        // ... and by entry 0 of the unit's register list (device and trigger pages)
        {0, 0, kWordAreaByDeviceList, L"50", false},
        {0, 0, kWordAreaByTriggerList, L"50", false},
        {0, 0, kWordAreaByTriggerList, L"950", true},
        {0, 1, kWordAreaByDeviceList, L"50000", true}, // DT
        {0, 13, kWordAreaByDeviceList, L"50", true},   // 13 is no list entry
        {0, 0, kWordAreaByCode, L"50", true},          // code 0 is X
        {0, 15, kWordAreaByCode, L"50000", true},      // DT
        // serial ports have no range
        {1, 13, kWordAreaByCode, L"50", true},
        {2, 0, kWordAreaByDeviceList, L"123456", true},
        {1, 13, kWordAreaByCode, L"1 2", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsWordAddressText(c.area, c.text, c.port, c.mode), c.ok)
            << "port " << c.port << " area " << c.area << " mode " << c.mode << " \""
            << Narrow(c.text) << '"';
}

// --- host names, mail addresses, passwords --------------------------------------

TEST(AddressText, CharacterSetChecks) {
    using Check = bool (*)(const std::wstring&, size_t);
    struct Case {
        Check check;
        const wchar_t* name;
        const wchar_t* text;
        bool ok;
    };
    const Case cases[] = {
        {IsHostNameText, L"host", L"mail.example-host1.com", true},
        {IsHostNameText, L"host", L"user_1@host", true},
        {IsHostNameText, L"host", L"mail host", false},
        {IsHostNameText, L"host", L"host:25", false},
        {IsHostNameText, L"host", L"\x30DB\x30B9\x30C8", false},
        {IsHostNameText, L"host", L"", false},
        {IsMailAddressText, L"mail", L"<a.b@c.d>", true},
        {IsMailAddressText, L"mail", L"smtp:a@b", true},
        {IsMailAddressText, L"mail", L"Name <a@b.c>", false},
        {IsMailAddressText, L"mail", L"a!b@c", false},
        {IsPasswordText, L"password", L"P@ss_w.rd-<>!#$%&()=", true},
        {IsPasswordText, L"password", L"pa ss", false},
        {IsPasswordText, L"password", L"pass/", false},
        {IsPasswordText, L"password", L"pass\\", false},
        {IsPasswordText, L"password", L"a:b", false},
        {IsPasswordText, L"password", L"\x5BC6\x7801", false},
    };
    for (const Case& c : cases) {
        const std::wstring text = c.text;
        EXPECT_EQ(c.check(text, text.size()), c.ok) << Narrow(c.name) << " " << Narrow(text);
    }
}

TEST(AddressText, CharacterSetChecksHonourTheCount) {
    EXPECT_FALSE(IsHostNameText(L"host", 0));
    EXPECT_FALSE(IsMailAddressText(L"a@b", 0));
    EXPECT_FALSE(IsPasswordText(L"pw", 0));
    EXPECT_TRUE(IsHostNameText(L"ab c", 2));
    EXPECT_FALSE(IsHostNameText(L"ab c", 3));
    EXPECT_TRUE(IsPasswordText(L"pw", 8)); // a count past the end stops there
    EXPECT_FALSE(IsPasswordText(L"", 8));
}

TEST(AddressText, ContainsNoneOf) {
    const std::wstring forbidden = L"\\/:*?\"<>|";
    // U+8868 is 0x95 0x5C in code page 932: its second byte is a backslash.
    EXPECT_TRUE(ContainsNoneOf(L"\x8868\x793A", forbidden, 2));
    EXPECT_FALSE(ContainsNoneOf(L"a\\b", forbidden, 3));
    EXPECT_TRUE(ContainsNoneOf(L"ab|", forbidden, 2));
    EXPECT_FALSE(ContainsNoneOf(L"ab|", forbidden, 3));
    EXPECT_TRUE(ContainsNoneOf(L"|", forbidden, 0));
    EXPECT_FALSE(ContainsNoneOf(L"ab|", forbidden, 100));
}

} // namespace
} // namespace qv
