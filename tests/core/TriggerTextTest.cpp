#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "document/TriggerText.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

using test::ScopedLanguage;

constexpr size_t kRow = 10; // the record under test; others serve as operands

void SetName(TriggerRecord& r, const char* bytes) {
    std::memset(r.data() + trig::kName, 0, kNameWidth);
    std::memcpy(r.data() + trig::kName, bytes, std::min(std::strlen(bytes), kNameWidth));
}

void SetProtocol(UnitBlock& unit, int port, uint8_t protocol) {
    unit.SetU8(unit::PortRecordOffset(port - 1) + portrec::kProtocol, protocol);
}

// A contact or register watched on a port, station and code.
void Watch(TriggerRecord& r, TriggerKind kind, uint8_t port, uint8_t station, uint8_t code,
           uint32_t address) {
    r.SetU8(trig::kKind, kind);
    r.SetU8(trig::kPort, port);
    r.SetU8(trig::kStation, station);
    r.SetU8(trig::kArea, code);
    r.SetU32(trig::kAddress, address);
}

void Compare(TriggerRecord& r, uint8_t type, uint8_t op, uint64_t first, uint64_t second = 0) {
    r.SetU8(trig::kRegDataType, type);
    r.SetU8(trig::kRegCompare, op);
    r.SetU32(trig::kRegValue1Low, static_cast<uint32_t>(first));
    r.SetU32(trig::kRegValue1High, static_cast<uint32_t>(first >> 32));
    r.SetU32(trig::kRegValue2Low, static_cast<uint32_t>(second));
    r.SetU32(trig::kRegValue2High, static_cast<uint32_t>(second >> 32));
}

void Cycle(TriggerRecord& r, uint8_t d, uint8_t h, uint8_t m, uint8_t s, uint8_t unit,
           uint8_t align) {
    r.SetU8(trig::kKind, kTriggerCycle);
    r.SetU8(trig::kCycleDays, d);
    r.SetU8(trig::kCycleHours, h);
    r.SetU8(trig::kCycleMinutes, m);
    r.SetU8(trig::kCycleSeconds, s);
    r.SetU8(trig::kCycleUnit, unit);
    r.SetU8(trig::kCycleAlign, align);
}

void Date(TriggerRecord& r, uint8_t repeat, uint8_t year, uint8_t month, uint8_t day, uint8_t h,
          uint8_t m, uint8_t s, uint8_t weekdays = 0) {
    r.SetU8(trig::kKind, kTriggerDate);
    r.SetU8(trig::kDateRepeat, repeat);
    r.SetU8(trig::kDateYear, year);
    r.SetU8(trig::kDateMonth, month);
    r.SetU8(trig::kDateDay, day);
    r.SetU8(trig::kDateHour, h);
    r.SetU8(trig::kDateMinute, m);
    r.SetU8(trig::kDateSecond, s);
    r.SetU8(trig::kDateWeekdays, weekdays);
}

void Combine(TriggerRecord& r, uint8_t first, uint8_t op, uint8_t second) {
    r.SetU8(trig::kKind, kTriggerCombination);
    r.SetU8(trig::kCombiFirst, first);
    r.SetU8(trig::kCombiOperator, op);
    r.SetU8(trig::kCombiSecond, second);
}

struct TextCase {
    const char* what;
    void (*fill)(TriggerTable& table, TriggerRecord& r, UnitBlock& unit);
    const wchar_t* list;
    const wchar_t* report; // nullptr: as the list
};

// clang-format off
const TextCase kEnglishCases[] = {
    // cycle: the period counted in its unit, the parts below the unit ignored
    {"cycle 90 min", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Cycle(r, 0, 1, 30, 59, 1, 0); },
     L"90min Aligned", nullptr},
    {"cycle in seconds", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Cycle(r, 0, 0, 15, 0, 0, 0); },
     L"900s Aligned", nullptr},
    {"cycle in hours", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Cycle(r, 1, 2, 3, 4, 2, 1); },
     L"26h Free", nullptr},
    {"cycle of an unknown unit", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Cycle(r, 0, 0, 15, 0, 3, 7); },
     L"0 Free", nullptr},
    // date by repeat type
    {"every minute", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 0, 0, 0, 0, 0, 0, 5); },
     L"Every minute __:__:05", nullptr},
    {"every hour", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 1, 0, 0, 0, 3, 7, 5); },
     L"Every hour __:07:05", nullptr},
    {"every week", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 2, 0, 0, 0, 8, 5, 0, 0x85); },
     L"Every week Sun Tue  08:05:00", nullptr},
    {"every week, no day", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 2, 0, 0, 0, 8, 5, 0); },
     L"Every week  08:05:00", nullptr},
    {"every day", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 3, 0, 0, 0, 23, 59, 0); },
     L"Every day 23:59:00", nullptr},
    {"every month, last day", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 4, 0, 0, 32, 8, 5, 0); },
     L"Every month __/__/Last day 08:05:00", nullptr},
    {"every year", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 5, 0, 12, 1, 0, 0, 0); },
     L"Every year __/12/01 00:00:00", nullptr},
    {"once", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 6, 24, 3, 1, 8, 30, 0); },
     L"Once 2024/03/01 08:30:00", nullptr},
    {"unknown repeat", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 7, 24, 3, 1, 8, 30, 0); },
     L"", nullptr},
    // contact: area form, function-code form of the trigger's own port
    {"contact on the unit", [](TriggerTable&, TriggerRecord& r, UnitBlock& u) {
         SetProtocol(u, 1, 1); Watch(r, kTriggerContact, 0, 9, 2, 26 * 16 + 5); },
     L"Internal R265 Turns ON (OFF→ON) ", nullptr},
    {"contact, area form", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerContact, 1, 5, 0, 5); r.SetU8(trig::kContactCondition, 3);
         r.SetU32(trig::kContactCount, 10); },
     L"Serial port 1 St.05 X5 ON duration 10s", nullptr},
    {"contact, function codes", [](TriggerTable&, TriggerRecord& r, UnitBlock& u) {
         SetProtocol(u, 1, 1); Watch(r, kTriggerContact, 1, 5, 2, 0x1A);
         r.SetU8(trig::kContactCondition, 4); r.SetU32(trig::kContactCount, 4000000000u); },
     L"Serial port 1 St.05 02: Read Discrete Inputs02001A ON count 4000000000 times",
     L"Serial port 1 St.05 02001A ON count 4000000000 times"},
    {"contact reads its own port's protocol", [](TriggerTable&, TriggerRecord& r, UnitBlock& u) {
         SetProtocol(u, 1, 1); Watch(r, kTriggerContact, 2, 12, 1, 100); },
     L"Serial port 2 St.12 Y64 Turns ON (OFF→ON) ", nullptr},
    {"contact of unknown codes", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerContact, 7, 3, 200, 0); r.SetU8(trig::kContactCondition, 9); },
     L" 0  ", nullptr},
    // register: every data type, one or two values, both forms
    {"16-bit signed", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 100); Compare(r, 0, 0, 0xFFFFFFFFu); },
     L"Internal WR100 16-bit signed integer =-1", nullptr},
    {"16-bit hexadecimal", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 100); Compare(r, 2, 3, 0xFF); },
     L"Internal WR100 16-bit hexadecimal <>00FF", nullptr},
    {"32-bit unsigned, two values", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 1, 1, 15, 7); Compare(r, 4, 2, 10, 4294967295u); },
     L"Serial port 1 St.01 DT7 32-bit unsigned integer <=10 4294967295", nullptr},
    {"32-bit hexadecimal", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 15, 0); Compare(r, 5, 0, 0xDEADBEEFu); },
     L"Internal DT0 32-bit hexadecimal =DEADBEEF", nullptr},
    {"float, two values", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 1); Compare(r, 6, 1, 0x3FC00000u, 0xC0100000u); },
     L"Internal WR1 32-bit floating point >=1.5 -2.25", nullptr},
    {"64-bit signed uses the high words", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 1); Compare(r, 7, 1, ~0ull, 0x100000000ull); },
     L"Internal WR1 64-bit signed integer >=-1 4294967296", nullptr},
    {"64-bit unsigned", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 1); Compare(r, 8, 0, ~0ull); },
     L"Internal WR1 64-bit unsigned integer =18446744073709551615", nullptr},
    {"previous value replaces the single value", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 1); Compare(r, 3, 3, 5); r.SetU8(trig::kRegOption, 1); },
     L"Internal WR1 32-bit signed integer <>previous value", nullptr},
    {"previous value never replaces two values", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 1); Compare(r, 3, 1, 5, 6); r.SetU8(trig::kRegOption, 1); },
     L"Internal WR1 32-bit signed integer >=5 6", nullptr},
    {"register, function codes and marker", [](TriggerTable&, TriggerRecord& r, UnitBlock& u) {
         SetProtocol(u, 2, 1); Watch(r, kTriggerRegister, 2, 247, 3, 0x64); Compare(r, 1, 0, 7);
         r.SetU8(trig::kRegBracket, 1); },
     L"Serial port 2 St.247 03: Read Holding Registers030064 16-bit unsigned integer =7",
     L"Serial port 2 St.247 030064 16-bit unsigned integer [×] =7"},
    {"a wide address keeps all its digits", [](TriggerTable&, TriggerRecord& r, UnitBlock& u) {
         SetProtocol(u, 2, 1); Watch(r, kTriggerRegister, 2, 1, 4, 0x12345); Compare(r, 1, 0, 7); },
     L"Serial port 2 St.01 04: Read Input Registers0412345 16-bit unsigned integer =7",
     L"Serial port 2 St.01 0412345 16-bit unsigned integer =7"},
    {"register word address beyond 31 bits", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 0xFFFFFFFFu); Compare(r, 1, 0, 7);
         r.SetU8(trig::kRegBracket, 2); },
     L"Internal WR4294967295 16-bit unsigned integer =7", nullptr},
    {"register of unknown codes", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 3, 1, 99, 5); Compare(r, 9, 4, 5); },
     L" 5  ", nullptr},
    // combination: operands are 0-based record indexes
    {"combination AND", [](TriggerTable& t, TriggerRecord& r, UnitBlock&) {
         SetName(t[2], "Alpha"); SetName(t[6], "Beta"); Combine(r, 2, 0, 6); },
     L"No.3(Alpha) AND No.7(Beta)", nullptr},
    {"combination OR, empty name", [](TriggerTable& t, TriggerRecord& r, UnitBlock&) {
         SetName(t[3], "Pump"); Combine(r, 0, 1, 3); },
     L"No.1() OR No.4(Pump)", nullptr},
    {"combination, last record, full name", [](TriggerTable& t, TriggerRecord& r, UnitBlock&) {
         SetName(t[255], "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"); t[255].SetU8(trig::kKind, 1);
         Combine(r, 255, 2, 255); },
     L"No.256(ABCDEFGHIJKLMNOPQRSTUVWXYZ012345)  No.256(ABCDEFGHIJKLMNOPQRSTUVWXYZ012345)",
     L"No.256()  No.256()"},
    // the report names triggers 1 to 128 only
    {"combination across the report's last trigger", [](TriggerTable& t, TriggerRecord& r, UnitBlock&) {
         SetName(t[127], "Last"); SetName(t[128], "Beyond"); Combine(r, 127, 0, 128); },
     L"No.128(Last) AND No.129(Beyond)", L"No.128(Last) AND No.129()"},
    // kinds without a condition
    {"no kind", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { SetName(r, "Named"); Date(r, 3, 0, 0, 0, 1, 1, 1);
         r.SetU8(trig::kKind, 0); },
     L"", nullptr},
    {"unknown kind", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Cycle(r, 0, 0, 1, 0, 1, 0);
         r.SetU8(trig::kKind, 6); },
     L"", nullptr},
};
// clang-format on

std::wstring TextOf(const TextCase& c, const TriggerTextStyle& style, uint32_t codePage) {
    TriggerTable table;
    UnitBlock unit;
    c.fill(table, table[kRow], unit);
    return TriggerConditionText(table, kRow, unit, codePage, style);
}

TEST(TriggerText, EveryKindInEnglishForListAndReport) {
    ScopedLanguage lang(test::kEnglish);
    for (const TextCase& c : kEnglishCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TextOf(c, kTriggerListStyle, kCodePageJapanese), c.list);
        EXPECT_EQ(TextOf(c, kTriggerReportStyle, kCodePageJapanese), c.report ? c.report : c.list);
    }
}

// clang-format off
const TextCase kJapaneseCases[] = {
    {"cycle", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Cycle(r, 0, 1, 30, 0, 1, 0); },
     L"90分 定刻", nullptr},
    {"every week", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 2, 0, 0, 0, 8, 5, 0, 0x41); },
     L"毎週 日 土  08:05:00", nullptr},
    {"every month, last day", [](TriggerTable&, TriggerRecord& r, UnitBlock&) { Date(r, 4, 0, 0, 32, 8, 5, 0); },
     L"毎月 __/__/末日 08:05:00", nullptr},
    {"contact count", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerContact, 1, 5, 0, 5); r.SetU8(trig::kContactCondition, 4);
         r.SetU32(trig::kContactCount, 3); },
     L"シリアルポート1 局05 X5 ON回数 3回", nullptr},
    {"register, previous value", [](TriggerTable&, TriggerRecord& r, UnitBlock&) {
         Watch(r, kTriggerRegister, 0, 0, 13, 1); Compare(r, 3, 3, 5); r.SetU8(trig::kRegOption, 1); },
     L"本体 WR1 32ビット符号付き整数 ≠前回値", nullptr},
    {"combination of code-page names", [](TriggerTable& t, TriggerRecord& r, UnitBlock&) {
         SetName(t[0], "\x89\xB7\x93\x78"); SetName(t[1], "\x88\xB3\x97\xCD"); Combine(r, 0, 1, 1); },
     L"No.1(温度) OR No.2(圧力)", nullptr},
};
// clang-format on

TEST(TriggerText, JapaneseTextsAndNames) {
    ScopedLanguage lang(test::kJapanese);
    for (const TextCase& c : kJapaneseCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TextOf(c, kTriggerListStyle, kCodePageJapanese), c.list);
    }
}

TEST(TriggerText, IndexOutsideTheTableGivesNoText) {
    ScopedLanguage lang(test::kEnglish);
    TriggerTable table;
    UnitBlock unit;
    for (TriggerRecord& r : table.records)
        Cycle(r, 0, 0, 1, 0, 1, 0);
    for (int index : {-1, 256, 100000})
        EXPECT_EQ(TriggerConditionText(table, index, unit, kCodePageJapanese, kTriggerListStyle),
                  L"")
            << index;
    EXPECT_EQ(TriggerConditionText(table, 255, unit, kCodePageJapanese, kTriggerListStyle),
              L"1min Aligned");
}

} // namespace
} // namespace qv
