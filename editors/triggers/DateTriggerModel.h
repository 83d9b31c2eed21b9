// The date page: a point of the calendar repeating by one of seven types,
// from a second of every minute to one date and time.
#pragma once
#include <string>
#include <vector>

#include "document/Records.h"
#include "document/Refusal.h"

namespace qv {

enum DateField {
    kDateFieldRepeat = 1,
    kDateFieldYear,
    kDateFieldMonth,
    kDateFieldDay,
    kDateFieldHour,
    kDateFieldMinute,
    kDateFieldSecond,
    kDateFieldWeekdays,
};

enum DateRepeat {
    kRepeatEveryMinute = 0,
    kRepeatEveryHour,
    kRepeatEveryWeek,
    kRepeatEveryDay,
    kRepeatEveryMonth,
    kRepeatEveryYear,
    kRepeatOnce,
};

constexpr unsigned kStrFirstRepeat = 4001;  // 4001..4007, repeat types 0..6
constexpr unsigned kStrFirstWeekday = 4064; // 4064..4070, weekday bits 0..6
constexpr unsigned kStrLastDayOfMonth = 4071;
constexpr unsigned kMsgYearRange = 20001;
constexpr unsigned kMsgNoSuchDate = 20702;
constexpr int kYearMin = 2000, kYearMax = 2099;
constexpr int kLastDayItem = 31; // the day list's "last day of the month"
constexpr int kWeekdays = 7;
constexpr size_t kYearChars = 4;

// What the controls show. A list index of -1 is "no item": the stored byte
// lies outside the list and storing keeps it.
struct DateForm {
    int repeat = 0;
    std::wstring year; // as typed
    int month = 0;     // month - 1
    int day = 0;       // day - 1; kLastDayItem for the last day
    int hour = 0, minute = 0, second = 0;
    bool weekdays[kWeekdays] = {};
};

// The items of a list field, in list order (repeat, month, day, hour,
// minute, second); nothing for the other fields.
std::vector<std::wstring> DateListItems(DateField field);

// Which fields the repeat type uses; an unknown type leaves every field
// but the weekdays open.
bool IsDateFieldEnabled(DateField field, int repeat);

// Takes over a record of another kind (every minute at second 0, 2000-01-01)
// and shows it.
DateForm LoadDateForm(TriggerRecord& record);

// The year of an enabled year edit must lie in 2000..2099; for the yearly and
// the one-time types the date and time must exist.
Refusal CheckDateForm(const DateForm& form);

// Writes kind and every field of a checked form; a field without an item,
// or a disabled year that is not a year, keeps its stored byte.
void StoreDateForm(const DateForm& form, TriggerRecord& record);

} // namespace qv
