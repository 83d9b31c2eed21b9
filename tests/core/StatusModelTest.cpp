// The status window's texts and gauges from what the session read.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "document/StringTable.h"
#include "online/StatusModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

TEST(StatusModelTest, SeparatorsEveryThreeDigits) {
    const struct {
        uint64_t value;
        const wchar_t* text;
    } cases[] = {{0, L"0"},
                 {999, L"999"},
                 {1000, L"1,000"},
                 {1234567, L"1,234,567"},
                 {std::numeric_limits<uint64_t>::max(), L"18,446,744,073,709,551,615"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatWithSeparators(c.value), c.text) << c.value;
}

TEST(StatusModelTest, GaugeSectors) {
    const uint64_t big = std::numeric_limits<uint64_t>::max();
    const struct {
        uint64_t capacity, used;
        GaugeSector first, second;
    } cases[] = {
        // All free: a whole blue disc; the empty used sector takes blue too.
        {1000, 0, {-90, 270, kGaugeFree}, {270, 270, kGaugeFree}},
        // All used: sector 2 is the whole disc, drawn last.
        {1000, 1000, {-90, -90, kGaugeFree}, {-90, 270, kGaugeUsed}},
        {1000, 250, {-90, 180, kGaugeFree}, {180, 270, kGaugeUsed}},
        // A used share under one degree still counts as blue.
        {100000, 1, {-90, 269, kGaugeFree}, {269, 269, kGaugeFree}},
        // Empty, and a capacity below its used value: grey.
        {0, 0, {-90, -90, kGaugeEmpty}, {-90, -90, kGaugeEmpty}},
        {5, 10, {-90, -90, kGaugeEmpty}, {-90, -90, kGaugeEmpty}},
        // Values whose product with 360 overflows 64 bits.
        {big, big / 2, {-90, 90, kGaugeFree}, {90, 269, kGaugeUsed}},
        {big, big, {-90, -90, kGaugeFree}, {-90, 270, kGaugeUsed}},
    };
    for (const auto& c : cases) {
        const Gauge g = CalcGauge(c.capacity, c.used);
        const GaugeSector* want[2] = {&c.first, &c.second};
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(g.sectors[i].start, want[i]->start)
                << c.capacity << "/" << c.used << " " << i;
            EXPECT_EQ(g.sectors[i].end, want[i]->end) << c.capacity << "/" << c.used << " " << i;
            EXPECT_EQ(g.sectors[i].colour, want[i]->colour) << c.capacity << "/" << c.used;
        }
    }
}

TEST(StatusModelTest, ErrorCodesAndPortTables) {
    EXPECT_EQ(ErrorCodeTextId(0), kStrNoError);
    EXPECT_EQ(ErrorCodeTextId(7), kStrNoError);
    EXPECT_EQ(ErrorCodeTextId(42), 9033u);
    EXPECT_EQ(ErrorCodeTextId(65535), 9040u);
    EXPECT_EQ(PortStatusTextId(4, 25), 9080u);
    EXPECT_EQ(PortStatusTextId(4, 28), 9070u);
    EXPECT_EQ(PortStatusTextId(5, 74), 0u);
    EXPECT_EQ(PortStatusTextId(6, 74), 9067u);
    EXPECT_EQ(PortStatusTextId(7, 5), 0u);
}

class StatusTextsTest : public ::testing::Test {
protected:
    test::ScopedLanguage language{test::kEnglish};
    MonitorRegisters m;
    StatusTexts Texts(uint8_t mode = 1) {
        UnitStatusFields status;
        status.ModeFlags = mode;
        const uint8_t when[6] = {24, 12, 31, 23, 59, 58};
        StatusTexts t;
        FillStatusTexts(status, m, when, "UNIT-7", "operator", 932, t);
        return t;
    }
};

TEST_F(StatusTextsTest, OnlyFiveDetailRowsAndNoneWithoutAnError) {
    m.Dt90140 = 5;
    m.Dt90143 = 49;
    m.Dt90144 = 62;
    m.Dt90135 = 25;
    m.Dt90145 = 70;
    m.Dt90131 = 40; // a sixth text: dropped
    StatusTexts t = Texts();
    EXPECT_EQ(t.error, ResString(kStrNoError));
    for (const std::wstring& row : t.rows)
        EXPECT_EQ(row, L"");

    m.Dt90000 = 42;
    t = Texts();
    EXPECT_EQ(t.error, ResString(9033));
    EXPECT_EQ(t.rows[0], ResString(9046));
    EXPECT_EQ(t.rows[3], ResString(9080));
    EXPECT_EQ(t.rows[4], L"TCP1 " + ResString(9072));

    m.Dt90140 = m.Dt90143 = m.Dt90144 = m.Dt90135 = m.Dt90145 = 0;
    m.Dt90148 = 41;
    t = Texts();
    EXPECT_EQ(t.rows[0], L"COM1 " + ResString(9062));
    EXPECT_EQ(t.rows[1], L"USB " + ResString(9063));
    EXPECT_EQ(t.rows[2], L"");
}

TEST_F(StatusTextsTest, ClockVersionAndAddresses) {
    m.Dt90056 = 0x2412;
    m.Dt90055 = 0x3109;
    m.Dt90054 = 0x0507;
    m.Dt90153 = 0x0232;
    m.Dt90154 = 0xC0A80105;
    m.Dt90156 = 0x00FFFF00; // first number 0: empty
    m.Dt90150 = 0x1A2B0000;
    m.Dt90152 = 0x3C4D;
    m.Dt90028 = 1234;
    StatusTexts t = Texts();
    EXPECT_EQ(t.clock, L"2024/12/31 09:05:07");
    EXPECT_EQ(t.version, L"2.50");
    EXPECT_EQ(t.addresses[0], L"192.168.1.5");
    EXPECT_EQ(t.addresses[1], L"");
    EXPECT_EQ(t.hardwareAddress, L"00-00-1A-2B-3C-4D");
    EXPECT_EQ(t.writeDate, L"2024/12/31 23:59:58");
    EXPECT_EQ(t.unitName, L"UNIT-7");
    EXPECT_EQ(t.writeUser, L"operator");
    EXPECT_EQ(t.counters[0], L"1,234");
    EXPECT_EQ(t.mode, ResString(9078));
    EXPECT_EQ(Texts(0).mode, ResString(9077));
    m.Dt90222 = 3;
    EXPECT_EQ(Texts().version, L"2.503");
}

} // namespace
} // namespace qv
