#include <gtest/gtest.h>

#include "tests/core/DocFixtures.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "document/CyclePeriod.h"
#include "document/TextChecks.h"
#include "document/ValueText.h"
#include "tests/core/DocFixtures.h"

namespace qv {
namespace {

const std::wstring kFltMaxText = L"340282346638528859811704183484516925440";

// --- FormatValueByType ----------------------------------------------------

struct FormatCase {
    int type;
    uint32_t value32;
    uint64_t value64;
    std::wstring text;
};

const FormatCase kFormatCases[] = {
    {0, 0xFFFFFFFFu, 0, L"-1"},
    {0, 32767, 0, L"32767"},
    {1, 65535, 0, L"65535"},
    {2, 255, 0, L"00FF"},
    {2, 0xABCDE, 0, L"ABCDE"}, // wider than 4 digits: all of them, upper case
    {3, 0x80000000u, 0, L"-2147483648"},
    {4, 0xFFFFFFFFu, 0, L"4294967295"},
    {5, 255, 0, L"000000FF"},
    {5, 0xDEADBEEFu, 0, L"DEADBEEF"},
    {6, 0x3FC00000u, 0, L"1.5"},
    {6, 0x7F7FFFFFu, 0, kFltMaxText},
    {6, 0xFF7FFFFFu, 0, L"-" + kFltMaxText},
    {7, 5, 0xFFFFFFFFFFFFFFFFull, L"-1"},
    {7, 5, 0x8000000000000000ull, L"-9223372036854775808"},
    {7, 5, 0x7FFFFFFFFFFFFFFFull, L"9223372036854775807"},
    {8, 5, 0xFFFFFFFFFFFFFFFFull, L"18446744073709551615"},
    {8, 0xFFFFFFFFu, 6, L"6"},
    {9, 1, 1, L""},
    {-1, 1, 1, L""},
};

TEST(ValueText, FormatValueByType) {
    for (const FormatCase& c : kFormatCases)
        EXPECT_EQ(FormatValueByType(c.type, c.value32, c.value64), c.text)
            << "type " << c.type << " value32 " << c.value32 << " value64 " << c.value64;
}

// --- ParseValueByType -----------------------------------------------------

constexpr uint32_t kUntouched32 = 0xA5A5A5A5u;
constexpr uint64_t kUntouched64 = 0x5A5A5A5A5A5A5A5Aull;

struct ParseCase {
    const wchar_t* text;
    int type;
    int rc;
    uint64_t value; // the value written (32 or 64 bits by type); ignored when rc is -1 or -2
};

const ParseCase kParseCases[] = {
    // 16-bit
    {L"70000", 0, -2, 0},
    {L"1A", 0, -1, 0},
    {L"1.5", 0, -1, 0},
    {L"-32768", 0, 0, 0xFFFF8000u},
    {L"32767", 0, 0, 32767},
    {L"-32769", 0, -2, 0},
    {L"32768", 0, -2, 0},
    {L"+00012", 0, 0, 12},
    {L"", 0, 0, 0}, // an empty text reads as 0
    {L"-1", 1, -2, 0},
    {L"-0", 1, 0, 0},
    {L"65535", 1, 0, 65535},
    {L"65536", 1, -2, 0},
    {L"1-2", 1, -1, 0},
    // 32-bit; ranges are decided by value, whatever the length
    {L"-2147483648", 3, 0, 0x80000000u},
    {L"2147483648", 3, -2, 0},
    {L"99999999999999999999999", 3, -2, 0},
    {L"0000000000000000000000000000042", 3, 0, 42},
    {L"4294967295", 4, 0, 0xFFFFFFFFu},
    {L"4294967296", 4, -2, 0},
    {L"-1", 4, -2, 0},
    {L"+0000000000000000000004294967295", 4, 0, 0xFFFFFFFFu},
    // hexadecimal: characters and length are text errors
    {L"12345", 2, -1, 0},
    {L"ff", 2, 0, 0xFF},
    {L"FFFF", 2, 0, 0xFFFF},
    {L"G", 2, -1, 0},
    {L"-1", 2, -1, 0},
    {L"\xFF21", 2, -1, 0}, // a full-width A is no hex digit
    {L"", 2, 0, 0},
    {L"DEADbeef", 5, 0, 0xDEADBEEFu},
    {L"123456789", 5, -1, 0},
    {L"0000000000000000001", 5, -2, 0}, // 19 characters or more: too long
    // float
    {L"1.5", 6, 0, 0x3FC00000u},
    {L"-0.125", 6, 0, 0xBE000000u},
    {L"123456", 6, 0, 0x47F12000u},
    {L"1.234567", 6, -3, 0x3F9E064Bu}, // stored before the digits are counted
    {L"100000000000000000000000000000000000000", 6, 0, 0x7E967699u},
    {L"340282350000000000000000000000000000000", 6, -3, 0x7F7FFFFFu},
    {L"1000000000000000000000000000000000000000", 6, -2, 0}, // infinity is not stored
    {L"+", 6, -1, 0},
    {L".", 6, -1, 0},
    {L"-.", 6, -1, 0},
    {L"", 6, 0, 0}, // empty is 0.0, as for the integer types
    {L"1.2.3", 6, -1, 0},
    {L"1e5", 6, -1, 0},
    {L"5.", 6, 0, 0x40A00000u},
    // 64-bit
    {L"-9223372036854775808", 7, 0, 0x8000000000000000ull},
    {L"-9223372036854775809", 7, -2, 0},
    {L"9223372036854775807", 7, 0, 0x7FFFFFFFFFFFFFFFull},
    {L"9223372036854775808", 7, -2, 0},
    {L"+0009223372036854775807", 7, 0, 0x7FFFFFFFFFFFFFFFull},
    {L"-000000000000000000000001", 7, 0, 0xFFFFFFFFFFFFFFFFull},
    {L"-99999999999999999999", 7, -2, 0},
    {L"12a", 7, -1, 0},
    {L"18446744073709551615", 8, 0, 0xFFFFFFFFFFFFFFFFull},
    {L"18446744073709551616", 8, -2, 0},
    {L"0018446744073709551615", 8, 0, 0xFFFFFFFFFFFFFFFFull},
    {L"9999999999999999999", 8, 0, 9999999999999999999ull},
    {L"99999999999999999999", 8, -2, 0},
    {L"-1", 8, -2, 0},
    {L"-0", 8, 0, 0},
    {L"1", 9, -2, 0},
};

TEST(ValueText, ParseValueByType) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(std::to_string(c.type) + " \"" + std::string(c.text, c.text + wcslen(c.text)) +
                     "\"");
        uint32_t v32 = kUntouched32;
        uint64_t v64 = kUntouched64;
        EXPECT_EQ(ParseValueByType(c.text, c.type, v32, v64), c.rc);
        const bool wide = c.type == 7 || c.type == 8;
        const bool written = c.rc == 0 || c.rc == -3;
        EXPECT_EQ(v32, written && !wide ? c.value : kUntouched32);
        EXPECT_EQ(v64, written && wide ? c.value : kUntouched64);
    }
}

TEST(ValueText, ParsedValuesFormatBack) {
    const std::wstring texts[] = {L"-32768",   L"-2147483648",          L"4294967295",
                                  L"0000ABCD", L"-9223372036854775808", L"18446744073709551615"};
    const int types[] = {0, 3, 4, 5, 7, 8};
    for (size_t i = 0; i < std::size(texts); ++i) {
        uint32_t v32 = 0;
        uint64_t v64 = 0;
        ASSERT_EQ(ParseValueByType(texts[i], types[i], v32, v64), 0) << i;
        EXPECT_EQ(FormatValueByType(types[i], v32, v64), texts[i]);
    }
}

// --- TextToInt64 and HexTextToUInt ---------------------------------------

TEST(ValueText, TextToInt64ReadsBytesAsDigits) {
    struct Case {
        const wchar_t* text;
        uint32_t codePage;
        int64_t value;
    };
    const Case cases[] = {
        {L"12.5", kCodePageJapanese, 1205}, // the point counts as digit 0
        {L"-42", kCodePageJapanese, -42},
        {L"+5", kCodePageJapanese, 5},
        {L"", kCodePageJapanese, 0},
        {L"-", kCodePageJapanese, 0},
        {L"18446744073709551617", kCodePageJapanese, 1}, // wraps modulo 2^64
        {L"9223372036854775808", kCodePageJapanese, std::numeric_limits<int64_t>::min()},
        {L"-9223372036854775808", kCodePageJapanese, std::numeric_limits<int64_t>::min()},
        // a double-byte character is two bytes, so two zero digits
        {L"1\x3042"
         L"2",
         kCodePageJapanese, 1002},
        {L"1\x4E2D"
         L"2",
         kCodePageChinese, 1002},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToInt64(c.text, c.codePage), c.value)
            << std::string(c.text, c.text + wcslen(c.text));
}

TEST(ValueText, TextToInt64ReadsOnlyThirtyPositions) {
    const std::wstring thirty(30, L'1');
    EXPECT_EQ(TextToInt64(thirty + L"987"), TextToInt64(thirty));
    EXPECT_NE(TextToInt64(thirty.substr(1)), TextToInt64(thirty));
    // With a sign, position 0 is the sign.
    EXPECT_EQ(TextToInt64(L"-" + std::wstring(29, L'1') + L"9"),
              TextToInt64(L"-" + std::wstring(29, L'1')));
    // Any length is safe.
    EXPECT_EQ(TextToInt64(std::wstring(100000, L'0')), 0);
}

TEST(ValueText, HexTextToUInt) {
    struct Case {
        const char* text;
        uint32_t value;
    };
    const Case cases[] = {
        {"", 0},         {"ff", 0xFF},     {"1aB", 0x1AB}, {"FFFFFFFF", 0xFFFFFFFFu},
        {"00000001", 1}, {"123456789", 0}, {"12G", 0},     {" 1", 0},
        {"-1", 0},       {"0x1", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexTextToUInt(c.text), c.value) << c.text;
}

// --- FormatFloatText and HasAtMostSixDigits --------------------------------

TEST(ValueText, FormatFloatText) {
    struct Case {
        float value;
        std::wstring text;
    };
    const Case cases[] = {
        {1.5f, L"1.5"},
        {123456.7f, L"123456.7"},
        {1234567.0f, L"1234567"},
        {0.0f, L"0"},
        {-1.5f, L"-1.5"},
        {-123456.7f, L"-123456.7"}, // the sign is no digit
        {0.1f, L"0.1"},
        {1.0f / 3.0f, L"0.333333"},
        {0.000123f, L"0.000123"},
        {1e-7f, L"0"},
        {100.0f, L"100"},
        {-100.25f, L"-100.25"},
        {12345678.0f, L"12345678"},
        {99999.99f, L"99999.99"},
        {-0.0f, L"-0"}, // as printf shows it
        {FLT_MAX, kFltMaxText},
        {-FLT_MAX, L"-" + kFltMaxText},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloatText(c.value), c.text) << c.value;
}

TEST(ValueText, HasAtMostSixDigits) {
    struct Case {
        const wchar_t* text;
        bool atMostSix;
    };
    const Case cases[] = {
        {L"0.000123", true},     {L"1234567", false},       {L"100.000", true},
        {L"123456", true},       {L"-123456", true},        {L"+12345.6", true},
        {L"1000001", false},     {L"1.000001", false},      {L"0000123456", true},
        {L"123456000000", true}, {L"-0.0001234567", false}, {L"", true},
        {L"0.0", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasAtMostSixDigits(c.text), c.atMostSix)
            << std::string(c.text, c.text + wcslen(c.text));
}

// The window layer may switch to a locale with a decimal comma.
TEST(ValueText, NumberTextsIgnoreTheLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    // None installed: compile one into a private folder.
    test::TempDir localeDir;
    if (!comma && std::system(("localedef -i de_DE -f UTF-8 '" + localeDir.path() +
                               "/de_DE.UTF-8' >/dev/null 2>&1").c_str()) == 0) {
        setenv("LOCPATH", localeDir.path().c_str(), 1);
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            comma = "de_DE.UTF-8";
    }
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma can be had";
    uint32_t v32 = 0;
    uint64_t v64 = 0;
    const int rc = ParseValueByType(L"1.5", 6, v32, v64);
    const std::wstring text = FormatFloatText(2.25f);
    const FloatTextResult r = TextToFloat(L"-0.125");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(v32, 0x3FC00000u);
    EXPECT_EQ(text, L"2.25");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.value, -0.125f);
}

// --- TextToFloat ------------------------------------------------------------

TEST(ValueText, TextToFloat) {
    struct Case {
        const wchar_t* text;
        unsigned messageId; // 0: accepted
        float value;
    };
    const Case cases[] = {
        {L"-0.125", 0, -0.125f},
        {L"1234.567", 0, 1234.567f},
        {L"-9999.999", 0, -9999.999f},
        {L"+1234.5", 0, 1234.5f},
        {L"5.", 0, 5.0f},
        {L".5", 0, 0.5f},
        {L"0.001", 0, 0.001f},
        {L"0.009", 0, 0.009f}, // the float is just below 9/1000: rounded, not cut
        {L"-0.009", 0, -0.009f},
        {L"-0", 0, 0.0f},
        {L"12345", 20250, 0},
        {L"-12345", 20250, 0},
        {L"1.2345", 20250, 0},
        {L"0.0005", 20250, 0},
        {L"1+2", 20007, 0},
        {L"1.2.3", 20007, 0},
        {L"12345.1.1", 20007, 0}, // a misplaced point is reported first
        {L"abc", 20007, 0},
        {L"1e3", 20007, 0},
        {L" 1", 20007, 0},
        {L"", 0, 0.0f}, // an empty field is 0, as for the integer types
        {L"-", 20007, 0},
        {L".", 20007, 0},
        {L"-.", 20007, 0},
        {L"inf", 20007, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + wcslen(c.text)));
        const FloatTextResult r = TextToFloat(c.text);
        EXPECT_EQ(r.ok, c.messageId == 0);
        if (r.ok) {
            EXPECT_EQ(r.value, c.value);
            EXPECT_TRUE(std::isfinite(r.value));
        } else {
            EXPECT_EQ(r.messageId, c.messageId);
        }
    }
}

// --- number text checks ------------------------------------------------------

TEST(ValueText, NumberTextChecks) {
    struct Case {
        const wchar_t* text;
        size_t count;
        bool decimal;
        bool integer;
    };
    const Case cases[] = {
        {L"", 0, true, true},      {L"+1.5", 4, true, false},    {L"-.5", 3, true, false},
        {L"-12", 3, true, true},   {L"1.2.3", 5, false, false},  {L"1-2", 3, false, false},
        {L"+-1", 3, false, false}, {L"--1", 3, false, false},    {L"1 ", 2, false, false},
        {L"1e5", 3, false, false}, {L"\xFF11", 1, false, false}, // full-width digit
        {L"1x", 1, true, true},  // only the first `count` characters
        {L"12", 10, true, true}, // a count past the end stops there
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + wcslen(c.text)));
        EXPECT_EQ(IsDecimalText(c.count, c.text), c.decimal);
        EXPECT_EQ(IsIntegerText(c.count, c.text), c.integer);
    }
}

TEST(ValueText, IsHexText) {
    EXPECT_TRUE(IsHexText("", 0));
    EXPECT_TRUE(IsHexText("aF09", 4));
    EXPECT_FALSE(IsHexText("0x1", 3));
    EXPECT_FALSE(IsHexText("12G", 3));
    EXPECT_TRUE(IsHexText("12G", 2));
    EXPECT_TRUE(IsHexText("AB", 99));
    EXPECT_FALSE(IsHexText("\x82\x60", 2)); // a double-byte A in code page 932
}

// --- GetCyclePeriod ------------------------------------------------------------

TEST(CyclePeriod, CountsInTheTriggersUnit) {
    struct Case {
        uint8_t days, hours, minutes, seconds, unit;
        int32_t period;
    };
    const Case cases[] = {
        {1, 2, 3, 4, 0, 93784},
        {1, 2, 3, 4, 1, 1563},
        {1, 2, 3, 4, 2, 26},
        {1, 2, 3, 4, 3, 0},
        {255, 255, 255, 255, 0, 22965555},
        {0, 0, 59, 59, 2, 0},
    };
    for (const Case& c : cases) {
        TriggerRecord t;
        t.SetU8(trig::kKind, kTriggerCycle);
        t.SetU8(trig::kCycleDays, c.days);
        t.SetU8(trig::kCycleHours, c.hours);
        t.SetU8(trig::kCycleMinutes, c.minutes);
        t.SetU8(trig::kCycleSeconds, c.seconds);
        t.SetU8(trig::kCycleUnit, c.unit);
        EXPECT_EQ(GetCyclePeriod(t), c.period) << int(c.days) << " unit " << int(c.unit);
    }
}

} // namespace
} // namespace qv
