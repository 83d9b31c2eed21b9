// The date page: which fields each repeat type uses, which dates pass, and the
// bytes a store writes.
#include <gtest/gtest.h>

#include <ostream>

#include "editors/triggers/DateTriggerModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

// A date record whose bytes outside the date are all different, so that a
// stray write shows.
TriggerRecord StoredDate() {
    TriggerRecord r;
    for (size_t i = 0; i < TriggerRecord::kSize; ++i)
        r.SetU8(i, static_cast<uint8_t>(0x80 + i));
    r.SetU8(trig::kKind, kTriggerDate);
    const uint8_t date[] = {5, 4, 3, 2, 1, 24, 0x41, kRepeatEveryWeek}; // 2024-01-02 03:04:05
    for (size_t i = 0; i < sizeof date; ++i)
        r.SetU8(trig::kDateSecond + i, date[i]);
    return r;
}

DateForm Form(int repeat, const wchar_t* year, int month, int day, int hour = 0, int minute = 0,
              int second = 0) {
    DateForm f;
    f.repeat = repeat;
    f.year = year;
    f.month = month < 0 ? -1 : month - 1;
    f.day = day < 0 ? -1 : day - 1;
    f.hour = hour;
    f.minute = minute;
    f.second = second;
    return f;
}

constexpr int kLast = kLastDayItem + 1; // the last-day item as a "day"

struct CheckCase {
    const char* name;
    DateForm form;
    unsigned message; // 0: accepted
    int field;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class DateCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(DateCheck, RefusesWithMessageAndFocus) {
    const CheckCase& c = GetParam();
    const Refusal r = CheckDateForm(c.form);
    EXPECT_EQ(r.messageId, c.message);
    if (c.message != 0) {
        EXPECT_EQ(r.field, c.field);
    }
    if (c.message == kMsgYearRange) {
        EXPECT_EQ(r.args, (std::vector<std::wstring>{L"2000", L"2099"}));
    }
}

constexpr int kDay = kDateFieldDay, kYear = kDateFieldYear;
INSTANTIATE_TEST_SUITE_P(
    Dates, DateCheck,
    ::testing::Values(
        CheckCase{"OnceFeb29OfCommonYear", Form(kRepeatOnce, L"2001", 2, 29), kMsgNoSuchDate, kDay},
        CheckCase{"OnceFeb29OfLeapYear", Form(kRepeatOnce, L"2000", 2, 29), 0, 0},
        CheckCase{"OnceDec31", Form(kRepeatOnce, L"2099", 12, 31, 23, 59, 59), 0, 0},
        CheckCase{"YearlyFeb29", Form(kRepeatEveryYear, L"2001", 2, 29), 0, 0},
        CheckCase{"YearlyApril31", Form(kRepeatEveryYear, L"2001", 4, 31), kMsgNoSuchDate, kDay},
        CheckCase{"MonthlyDay31", Form(kRepeatEveryMonth, L"2001", 2, 31), 0, 0},
        CheckCase{"OnceLastDayOfFebruary", Form(kRepeatOnce, L"2001", 2, kLast), 0, 0},
        CheckCase{"WeeklyWithoutWeekday", Form(kRepeatEveryWeek, L"2001", 1, 1), 0, 0},
        // the year of an enabled edit, strictly digits
        CheckCase{"Year1999", Form(kRepeatOnce, L"1999", 1, 1), kMsgYearRange, kYear},
        CheckCase{"Year2100", Form(kRepeatOnce, L"2100", 1, 1), kMsgYearRange, kYear},
        CheckCase{"YearEmpty", Form(kRepeatOnce, L"", 1, 1), kMsgYearRange, kYear},
        CheckCase{"YearWithLetter", Form(kRepeatOnce, L"20a1", 1, 1), kMsgYearRange, kYear},
        CheckCase{"YearWithBlank", Form(kRepeatOnce, L"2050 ", 1, 1), kMsgYearRange, kYear},
        CheckCase{"YearOfUnknownRepeat", Form(-1, L"1999", 1, 1), kMsgYearRange, kYear},
        // a disabled year is not the user's to fix
        CheckCase{"DisabledYearNotChecked", Form(kRepeatEveryMinute, L"2255", 1, 1), 0, 0},
        CheckCase{"YearlyDisabledYearNotChecked", Form(kRepeatEveryYear, L"2150", 3, 1), 0, 0},
        // stored codes without an item are no date
        CheckCase{"OnceStoredMonth13", Form(kRepeatOnce, L"2001", -1, 1), kMsgNoSuchDate,
                  kDateFieldMonth},
        CheckCase{"YearlyStoredDay40", Form(kRepeatEveryYear, L"2001", 1, -1), kMsgNoSuchDate,
                  kDay},
        CheckCase{"OnceStoredHour30", Form(kRepeatOnce, L"2001", 1, 1, -1), kMsgNoSuchDate,
                  kDateFieldHour},
        CheckCase{"DailyStoredHour30", Form(kRepeatEveryDay, L"2001", 1, 1, -1), 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateFields, EachRepeatTypeEnablesItsOwnFields) {
    // year, month, day, hour, minute, second, weekdays
    const DateField fields[] = {kDateFieldYear,    kDateFieldMonth,  kDateFieldDay,
                                kDateFieldHour,    kDateFieldMinute, kDateFieldSecond,
                                kDateFieldWeekdays};
    const struct {
        int repeat;
        const char* enabled;
    } cases[] = {{kRepeatEveryMinute, "-----s-"}, {kRepeatEveryHour, "----ms-"},
                 {kRepeatEveryWeek, "---hmsw"},   {kRepeatEveryDay, "---hms-"},
                 {kRepeatEveryMonth, "--dhms-"},  {kRepeatEveryYear, "-Mdhms-"},
                 {kRepeatOnce, "yMdhms-"},        {-1, "yMdhms-"}};
    for (const auto& c : cases)
        for (size_t f = 0; f < 7; ++f)
            EXPECT_EQ(IsDateFieldEnabled(fields[f], c.repeat), c.enabled[f] != '-')
                << "repeat " << c.repeat << " field " << f;
}

TEST(DateFields, ListsHoldTheirItems) {
    const test::ScopedLanguage english(test::kEnglish);
    EXPECT_EQ(DateListItems(kDateFieldRepeat).size(), 7u);
    EXPECT_EQ(DateListItems(kDateFieldRepeat)[6], ResString(kStrFirstRepeat + 6));
    EXPECT_EQ(DateListItems(kDateFieldMonth).back(), L"12");
    const std::vector<std::wstring> days = DateListItems(kDateFieldDay);
    ASSERT_EQ(days.size(), 32u);
    EXPECT_EQ(days[30], L"31");
    EXPECT_EQ(days[kLastDayItem], ResString(kStrLastDayOfMonth));
    EXPECT_EQ(DateListItems(kDateFieldHour).size(), 24u);
    EXPECT_EQ(DateListItems(kDateFieldSecond).back(), L"59");
    EXPECT_TRUE(DateListItems(kDateFieldYear).empty());
}

TEST(DateStore, WritesEveryDateByteAndNothingElse) {
    TriggerRecord record = StoredDate();
    DateForm form = Form(kRepeatOnce, L"2099", 12, 31, 23, 59, 58);
    form.weekdays[4] = form.weekdays[5] = true;
    ASSERT_FALSE(CheckDateForm(form).Refused());
    TriggerRecord expected = record;
    const uint8_t date[] = {58, 59, 23, 31, 12, 99, 0x30, kRepeatOnce};
    for (size_t i = 0; i < sizeof date; ++i)
        expected.SetU8(trig::kDateSecond + i, date[i]);
    StoreDateForm(form, record);
    EXPECT_EQ(record.bytes, expected.bytes);
}

TEST(DateStore, StoredCodesWithoutAnItemAreKept) {
    TriggerRecord record = StoredDate();
    const uint8_t odd[] = {61, 60, 24, 40, 13, 150, 0x7F, 9};
    for (size_t i = 0; i < sizeof odd; ++i)
        record.SetU8(trig::kDateSecond + i, odd[i]);
    const TriggerRecord before = record;
    const DateForm form = LoadDateForm(record);
    EXPECT_EQ(record.bytes, before.bytes);
    EXPECT_EQ(form.repeat, -1);
    EXPECT_EQ(form.month, -1);
    EXPECT_EQ(form.day, -1);
    EXPECT_EQ(form.hour, -1);
    EXPECT_EQ(form.second, -1);
    EXPECT_EQ(form.year, L"2150");
    StoreDateForm(form, record);
    EXPECT_EQ(record.bytes, before.bytes);
}

TEST(DateStore, LastDayAndStoredYearComeBackUnchanged) {
    TriggerRecord record = StoredDate();
    record.SetU8(trig::kDateDay, 32);
    record.SetU8(trig::kDateRepeat, kRepeatEveryMinute);
    const TriggerRecord before = record;
    const DateForm form = LoadDateForm(record);
    EXPECT_EQ(form.day, kLastDayItem);
    EXPECT_EQ(form.year, L"2024");
    EXPECT_TRUE(form.weekdays[0] && form.weekdays[6] && !form.weekdays[1]);
    StoreDateForm(form, record);
    EXPECT_EQ(record.bytes, before.bytes);
}

TEST(DateLoad, AnotherKindStartsEveryMinuteOnTheFirstDay) {
    TriggerRecord record = StoredDate();
    record.SetU8(trig::kKind, kTriggerCycle);
    TriggerRecord expected = record;
    for (size_t at = 0x22; at < 0x2A; ++at)
        expected.SetU8(at, 0);
    const DateForm form = LoadDateForm(record);
    EXPECT_EQ(record.bytes, expected.bytes);
    EXPECT_EQ(form.repeat, kRepeatEveryMinute);
    EXPECT_EQ(form.year, L"2000");
    EXPECT_EQ(form.month, 0);
    EXPECT_EQ(form.day, 0);
    // Stored as shown: month and day 1.
    StoreDateForm(form, record);
    EXPECT_EQ(record.U8(trig::kDateMonth), 1);
    EXPECT_EQ(record.U8(trig::kDateDay), 1);
    EXPECT_EQ(record.U8(trig::kKind), kTriggerDate);
}

} // namespace
} // namespace qv
