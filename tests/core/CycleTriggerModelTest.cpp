// The cycle page: which typed periods pass, and the bytes a store writes.
#include <gtest/gtest.h>

#include <ostream>

#include "editors/triggers/CycleTriggerModel.h"
#include "editors/triggers/DigitEditModel.h"

namespace qv {
namespace {

constexpr int S = 0, M = 1, H = 2, None = kCycleNoUnit;
constexpr int A = kCycleAligned, F = kCycleFree;

// A cycle record whose bytes outside the period are all different, so that a
// stray write shows.
TriggerRecord StoredCycle() {
    TriggerRecord r;
    for (size_t i = 0; i < TriggerRecord::kSize; ++i)
        r.SetU8(i, static_cast<uint8_t>(0x80 + i));
    r.SetU8(trig::kKind, kTriggerCycle);
    return r;
}

struct CheckCase {
    int mode;
    int unit;
    const wchar_t* period;
    unsigned message; // 0: accepted
    int field;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << "mode " << c.mode << " unit " << c.unit << " period of " << wcslen(c.period)
        << " characters";
}

class CycleCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CycleCheck, RefusesWithMessageAndFocus) {
    const CheckCase& c = GetParam();
    const Refusal r = CheckCycleForm({c.mode, c.unit, c.period});
    EXPECT_EQ(r.messageId, c.message);
    if (c.message != 0) {
        EXPECT_EQ(r.field, c.field);
    }
}

constexpr int P = kCycleFieldPeriod;
INSTANTIATE_TEST_SUITE_P(
    Periods, CycleCheck,
    ::testing::Values(
        // aligned: a divisor of a minute, an hour or a day, or whole days
        CheckCase{A, S, L"15", 0, P}, CheckCase{A, S, L"30", 0, P}, CheckCase{A, S, L"90", 0, P},
        CheckCase{A, S, L"7", kMsgCycleNotAligned, P},
        CheckCase{A, S, L"45", kMsgCycleNotAligned, P}, CheckCase{A, M, L"30", 0, P},
        CheckCase{A, M, L"1440", 0, P}, CheckCase{A, M, L"45", kMsgCycleNotAligned, P},
        CheckCase{A, M, L"2160", kMsgCycleNotAligned, P}, CheckCase{A, H, L"48", 0, P},
        CheckCase{A, H, L"36", kMsgCycleNotAligned, P}, CheckCase{F, S, L"7", 0, P},
        CheckCase{F, S, L"0000010", 0, P},
        // the longest period, 254 days; the aligned rule comes first
        CheckCase{A, S, L"21945600", 0, P},
        CheckCase{F, S, L"21945601", kMsgCycleTooManySeconds, P},
        CheckCase{A, S, L"21945601", kMsgCycleNotAligned, P},
        CheckCase{A, S, L"25920000", kMsgCycleTooManySeconds, P}, CheckCase{F, M, L"365760", 0, P},
        CheckCase{F, M, L"365761", kMsgCycleTooManyMinutes, P}, CheckCase{A, H, L"6096", 0, P},
        CheckCase{F, H, L"6096", 0, P}, CheckCase{F, H, L"6097", kMsgCycleTooManyHours, P},
        CheckCase{A, H, L"6097", kMsgCycleNotAligned, P},
        CheckCase{F, H, L"99999999", kMsgCycleTooManyHours, P},
        CheckCase{F, S, L"99999999999999999999999", kMsgCycleTooManySeconds, P},
        // not a number: never read digit by digit
        CheckCase{F, S, L"", kMsgCycleNoPeriod, P}, CheckCase{F, S, L"abc", kMsgCycleNoPeriod, P},
        CheckCase{F, S, L"0", kMsgCycleNoPeriod, P}, CheckCase{F, S, L"1a", kMsgCycleNoPeriod, P},
        CheckCase{F, S, L"5 ", kMsgCycleNoPeriod, P},
        CheckCase{F, S, L"1,000", kMsgCycleNoPeriod, P},
        CheckCase{A, S, L"-60", kMsgCycleNoPeriod, P},
        CheckCase{F, S, L"\xFF11", kMsgCycleNoPeriod, P},
        // no unit chosen (a stored unit above 2): aligned cannot check, free
        // would drop the typed period
        CheckCase{A, None, L"60", kMsgCycleNotAligned, P},
        CheckCase{F, None, L"60", kMsgCycleNoUnit, kCycleFieldUnit},
        CheckCase{F, None, L"0", kMsgCycleNoPeriod, P}));

struct StoreCase {
    const char* name;
    CycleForm form;
    uint8_t seconds, minutes, hours, days, mode, unit;
};

void PrintTo(const StoreCase& c, std::ostream* os) {
    *os << c.name;
}

class CycleStore : public ::testing::TestWithParam<StoreCase> {};

TEST_P(CycleStore, WritesThePeriodBytesAndNothingElse) {
    const StoreCase& c = GetParam();
    ASSERT_FALSE(CheckCycleForm(c.form).Refused());
    TriggerRecord record = StoredCycle();
    TriggerRecord expected = record;
    expected.SetU8(trig::kCycleSeconds, c.seconds);
    expected.SetU8(trig::kCycleMinutes, c.minutes);
    expected.SetU8(trig::kCycleHours, c.hours);
    expected.SetU8(trig::kCycleDays, c.days);
    expected.SetU8(trig::kCycleAlign, c.mode);
    expected.SetU8(trig::kCycleUnit, c.unit);
    StoreCycleForm(c.form, record);
    EXPECT_EQ(record.bytes, expected.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, CycleStore,
    ::testing::Values(StoreCase{"SevenSecondsFree", {F, S, L"7"}, 7, 0, 0, 0, 1, 0},
                      StoreCase{"NinetyMinutes", {F, M, L"90"}, 0, 30, 1, 0, 1, 1},
                      StoreCase{"LongestInSeconds", {A, S, L"21945600"}, 0, 0, 0, 254, 0, 0},
                      StoreCase{"LongestInHours", {A, H, L"6096"}, 0, 0, 0, 254, 0, 2},
                      StoreCase{"MixedSeconds", {F, S, L"90061"}, 1, 1, 1, 1, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CycleLoad, ShowsTheStoredPeriodInItsUnit) {
    TriggerRecord record = StoredCycle();
    StoreCycleForm({F, M, L"90"}, record);
    const TriggerRecord before = record;
    const CycleForm form = LoadCycleForm(record);
    EXPECT_EQ(form.mode, F);
    EXPECT_EQ(form.unit, M);
    EXPECT_EQ(form.period, L"90");
    EXPECT_EQ(record.bytes, before.bytes);
}

TEST(CycleLoad, AnotherKindStartsAtOneAlignedSecondAndKeepsTheTail) {
    TriggerRecord record = StoredCycle();
    record.SetU8(trig::kKind, kTriggerContact);
    TriggerRecord expected = record;
    for (size_t at = 0x22; at < 0x2A; ++at)
        expected.SetU8(at, 0);
    expected.SetU8(0x22, 1);
    const CycleForm form = LoadCycleForm(record);
    EXPECT_EQ(record.bytes, expected.bytes);
    EXPECT_EQ(form.mode, A);
    EXPECT_EQ(form.unit, S);
    EXPECT_EQ(form.period, L"1");
}

TEST(CycleLoad, UnknownUnitChoosesNoUnitAndRefusesUntilOneIsChosen) {
    TriggerRecord record = StoredCycle();
    record.SetU8(trig::kCycleAlign, 1);
    record.SetU8(trig::kCycleUnit, 5);
    CycleForm form = LoadCycleForm(record);
    EXPECT_EQ(form.unit, kCycleNoUnit);
    form.period = L"60";
    EXPECT_EQ(CheckCycleForm(form).messageId, kMsgCycleNoUnit);
    form.unit = M;
    EXPECT_FALSE(CheckCycleForm(form).Refused());
    StoreCycleForm(form, record);
    EXPECT_EQ(record.U8(trig::kCycleUnit), 1);
    EXPECT_EQ(record.U8(trig::kCycleHours), 1);
}

TEST(DigitEdit, TakesDigitCharactersOnly) {
    for (wchar_t c : std::wstring(L"0123456789"))
        EXPECT_TRUE(AcceptsDigitChar(c)) << static_cast<int>(c);
    for (wchar_t c : std::wstring(L" -+.,aZ\t\xFF10\x0663"))
        EXPECT_FALSE(AcceptsDigitChar(c)) << static_cast<int>(c);
    EXPECT_EQ(KeepDigitChars(L" 1,000 s\n"), L"1000");
    EXPECT_EQ(KeepDigitChars(L"-\xFF11"
                             L"2"),
              L"2");
}

} // namespace
} // namespace qv
