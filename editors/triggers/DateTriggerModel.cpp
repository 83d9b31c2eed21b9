#include "editors/triggers/DateTriggerModel.h"

#include "document/StringTable.h"
#include "editors/triggers/DigitEditModel.h"
#include "editors/triggers/TriggerKindModel.h"

namespace qv {
namespace {

std::vector<std::wstring> Numbers(int first, int last) {
    std::vector<std::wstring> items;
    for (int n = first; n <= last; ++n)
        items.push_back(std::to_wstring(n));
    return items;
}

// A stored code as a list index, or -1 when the list has no item for it.
int IndexOf(uint8_t code, int first, int last) {
    return code >= first && code <= last ? code - first : -1;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int month, int year) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<int> TypedYear(const std::wstring& text) {
    const std::optional<uint64_t> year = ParseDigitText(text);
    if (!year || *year < kYearMin || *year > kYearMax)
        return std::nullopt;
    return static_cast<int>(*year);
}

void StoreItem(TriggerRecord& record, size_t at, int index, int first) {
    if (index >= 0)
        record.SetU8(at, static_cast<uint8_t>(index + first));
}

} // namespace

std::vector<std::wstring> DateListItems(DateField field) {
    switch (field) {
    case kDateFieldRepeat: {
        std::vector<std::wstring> items;
        for (int t = kRepeatEveryMinute; t <= kRepeatOnce; ++t)
            items.push_back(ResString(kStrFirstRepeat + t));
        return items;
    }
    case kDateFieldMonth:
        return Numbers(1, 12);
    case kDateFieldDay: {
        std::vector<std::wstring> items = Numbers(1, 31);
        items.push_back(ResString(kStrLastDayOfMonth));
        return items;
    }
    case kDateFieldHour:
        return Numbers(0, 23);
    case kDateFieldMinute:
    case kDateFieldSecond:
        return Numbers(0, 59);
    default:
        return {};
    }
}

bool IsDateFieldEnabled(DateField field, int repeat) {
    const bool known = repeat >= kRepeatEveryMinute && repeat <= kRepeatOnce;
    switch (field) {
    case kDateFieldYear:
        return !known || repeat >= kRepeatOnce;
    case kDateFieldMonth:
        return !known || repeat >= kRepeatEveryYear;
    case kDateFieldDay:
        return !known || repeat >= kRepeatEveryMonth;
    case kDateFieldHour:
        return !known || repeat >= kRepeatEveryWeek;
    case kDateFieldMinute:
        return !known || repeat >= kRepeatEveryHour;
    case kDateFieldWeekdays:
        return repeat == kRepeatEveryWeek;
    default:
        return true;
    }
}

DateForm LoadDateForm(TriggerRecord& record) {
    PrepareKindParameters(record, kTriggerDate);
    DateForm form;
    form.repeat = IndexOf(record.U8(trig::kDateRepeat), 0, kRepeatOnce);
    form.year = std::to_wstring(kYearMin + record.U8(trig::kDateYear));
    // A stored 0 (a record just taken over) shows the first month and day.
    const uint8_t month = record.U8(trig::kDateMonth), day = record.U8(trig::kDateDay);
    form.month = month == 0 ? 0 : IndexOf(month, 1, 12);
    form.day = day == 0 ? 0 : IndexOf(day, 1, kLastDayItem + 1);
    form.hour = IndexOf(record.U8(trig::kDateHour), 0, 23);
    form.minute = IndexOf(record.U8(trig::kDateMinute), 0, 59);
    form.second = IndexOf(record.U8(trig::kDateSecond), 0, 59);
    for (int b = 0; b < kWeekdays; ++b)
        form.weekdays[b] = (record.U8(trig::kDateWeekdays) >> b & 1) != 0;
    return form;
}

Refusal CheckDateForm(const DateForm& form) {
    const std::optional<int> year = TypedYear(form.year);
    const bool yearEnabled = IsDateFieldEnabled(kDateFieldYear, form.repeat);
    if (yearEnabled && !year)
        return Refuse(kMsgYearRange, kDateFieldYear, {kYearMin, kYearMax});
    if (form.repeat != kRepeatEveryYear && form.repeat != kRepeatOnce)
        return {};
    if (form.day == kLastDayItem)
        return {};
    // A field with no item holds a stored code that is no date or time.
    if (form.month < 0)
        return Refuse(kMsgNoSuchDate, kDateFieldMonth);
    if (form.hour < 0)
        return Refuse(kMsgNoSuchDate, kDateFieldHour);
    if (form.minute < 0)
        return Refuse(kMsgNoSuchDate, kDateFieldMinute);
    if (form.second < 0)
        return Refuse(kMsgNoSuchDate, kDateFieldSecond);
    // A yearly date is checked in a leap year, so February 29 passes.
    const int checkYear = form.repeat == kRepeatOnce ? *year : kYearMin;
    if (form.day < 0 || form.day + 1 > DaysInMonth(form.month + 1, checkYear))
        return Refuse(kMsgNoSuchDate, kDateFieldDay);
    return {};
}

void StoreDateForm(const DateForm& form, TriggerRecord& record) {
    record.SetU8(trig::kKind, kTriggerDate);
    StoreItem(record, trig::kDateRepeat, form.repeat, 0);
    if (const std::optional<int> year = TypedYear(form.year))
        record.SetU8(trig::kDateYear, static_cast<uint8_t>(*year - kYearMin));
    StoreItem(record, trig::kDateMonth, form.month, 1);
    StoreItem(record, trig::kDateDay, form.day, 1);
    StoreItem(record, trig::kDateHour, form.hour, 0);
    StoreItem(record, trig::kDateMinute, form.minute, 0);
    StoreItem(record, trig::kDateSecond, form.second, 0);
    uint8_t weekdays = 0;
    for (int b = 0; b < kWeekdays; ++b)
        if (form.weekdays[b])
            weekdays |= static_cast<uint8_t>(1 << b);
    record.SetU8(trig::kDateWeekdays, weekdays);
}

} // namespace qv
