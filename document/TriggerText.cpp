#include "document/TriggerText.h"

#include <algorithm>
#include <cstdarg>
#include <cwchar>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/CyclePeriod.h"
#include "document/PlaceText.h"
#include "document/StringTable.h"
#include "document/ValueText.h"

namespace qv {

namespace {

constexpr unsigned kMsgRepeatFirst = 4001; // 4001..4007: repeat types 0..6
constexpr int kRepeatTypes = 7;
constexpr unsigned kMsgSeconds = 4060; // 4060..4062: cycle units 0..2
constexpr unsigned kMsgTimes = 4063;
constexpr unsigned kMsgWeekdayFirst = 4064; // 4064..4070: weekday bits 0..6
constexpr unsigned kMsgLastDay = 4071;
constexpr unsigned kMsgPreviousValue = 4079;
constexpr unsigned kMsgAligned = 5145, kMsgFree = 5146;

constexpr uint8_t kLastDayOfMonth = 32;
constexpr int kCountSeconds = 3, kCountTimes = 4; // contact conditions with a count

std::wstring Format(const wchar_t* format, ...) {
    wchar_t buffer[96];
    va_list args;
    va_start(args, format);
    const int n = std::vswprintf(buffer, sizeof buffer / sizeof buffer[0], format, args);
    va_end(args);
    return n < 0 ? std::wstring() : std::wstring(buffer, static_cast<size_t>(n));
}

std::wstring Two(unsigned value) {
    return Format(L"%02u", value);
}

// The place a contact or register trigger watches.
std::wstring WatchedPlace(const TriggerRecord& r, bool contact, const UnitBlock& unit,
                          const TriggerTextStyle& style) {
    return PlaceText(r.U8(trig::kPort), r.U8(trig::kStation), r.U8(trig::kArea),
                     r.U32(trig::kAddress), contact, unit, style.funcCodeName);
}

std::wstring CountText(const TriggerRecord& r) {
    const int condition = r.U8(trig::kContactCondition);
    if (condition != kCountSeconds && condition != kCountTimes)
        return {};
    return Format(L"%u", r.U32(trig::kContactCount)) +
           ResString(condition == kCountSeconds ? kMsgSeconds : kMsgTimes);
}

std::wstring ValueText(const TriggerRecord& r, size_t low, size_t high) {
    const uint32_t value32 = r.U32(low);
    const uint64_t value64 = static_cast<uint64_t>(r.U32(high)) << 32 | value32;
    return FormatValueByType(r.U8(trig::kRegDataType), value32, value64);
}

std::wstring ComparisonText(const TriggerRecord& r) {
    const int op = r.U8(trig::kRegCompare);
    const std::wstring opName = GetCompareOpName(op);
    switch (op) {
    case 0:
    case 3:
        return opName + ((r.U8(trig::kRegOption) & 1)
                             ? ResString(kMsgPreviousValue)
                             : ValueText(r, trig::kRegValue1Low, trig::kRegValue1High));
    case 1:
    case 2:
        return opName + ValueText(r, trig::kRegValue1Low, trig::kRegValue1High) + L" " +
               ValueText(r, trig::kRegValue2Low, trig::kRegValue2High);
    default:
        return {};
    }
}

std::wstring WeekdayList(uint8_t bits) {
    std::wstring list;
    for (unsigned b = 0; b < 7; ++b)
        if (bits & (1u << b))
            list += ResString(kMsgWeekdayFirst + b) + L" ";
    return list;
}

} // namespace

std::wstring TriggerNameText(const TriggerRecord& record, uint32_t codePage) {
    return ReadTextField(record.data() + trig::kName, kNameWidth, codePage);
}

std::wstring CycleTriggerText(const TriggerRecord& r) {
    const int unit = r.U8(trig::kCycleUnit);
    const std::wstring unitName =
        unit <= 2 ? ResString(kMsgSeconds + static_cast<unsigned>(unit)) : std::wstring();
    return Format(L"%d", GetCyclePeriod(r)) + unitName + L" " +
           ResString(r.U8(trig::kCycleAlign) == 0 ? kMsgAligned : kMsgFree);
}

std::wstring DateTriggerText(const TriggerRecord& r) {
    const int repeat = r.U8(trig::kDateRepeat);
    if (repeat >= kRepeatTypes)
        return {};
    const uint8_t dayByte = r.U8(trig::kDateDay);
    const std::wstring day = dayByte == kLastDayOfMonth ? ResString(kMsgLastDay) : Two(dayByte);
    const std::wstring ss = Two(r.U8(trig::kDateSecond));
    const std::wstring mm = Two(r.U8(trig::kDateMinute));
    const std::wstring hms = Two(r.U8(trig::kDateHour)) + L":" + mm + L":" + ss;
    const std::wstring month = Two(r.U8(trig::kDateMonth));
    const std::wstring head = ResString(kMsgRepeatFirst + static_cast<unsigned>(repeat)) + L" ";
    switch (repeat) {
    case 0:
        return head + L"__:__:" + ss;
    case 1:
        return head + L"__:" + mm + L":" + ss;
    case 2:
        return head + WeekdayList(r.U8(trig::kDateWeekdays)) + L" " + hms;
    case 3:
        return head + hms;
    case 4:
        return head + L"__/__/" + day + L" " + hms;
    case 5:
        return head + L"__/" + month + L"/" + day + L" " + hms;
    default:
        return head + Format(L"%u", 2000u + r.U8(trig::kDateYear)) + L"/" + month + L"/" + day +
               L" " + hms;
    }
}

std::wstring ContactTriggerText(const TriggerRecord& r, const UnitBlock& unit,
                                const TriggerTextStyle& style) {
    return WatchedPlace(r, true, unit, style) + L" " +
           GetContactConditionName(r.U8(trig::kContactCondition)) + L" " + CountText(r);
}

std::wstring RegisterTriggerText(const TriggerRecord& r, const UnitBlock& unit,
                                 const TriggerTextStyle& style) {
    const std::wstring marker =
        style.registerMarker && r.U8(trig::kRegBracket) == 1 ? L" [\u00D7]" : L"";
    return WatchedPlace(r, false, unit, style) + L" " + GetDataTypeName(r.U8(trig::kRegDataType)) +
           marker + L" " + ComparisonText(r);
}

std::wstring TriggerNameByNumber(const TriggerTable& table, long long number, uint32_t codePage,
                                 size_t namedTriggers) {
    const long long last = static_cast<long long>(std::min(namedTriggers, TriggerTable::kCount));
    if (number < 1 || number > last)
        return {};
    return TriggerNameText(table[static_cast<size_t>(number - 1)], codePage);
}

std::wstring CombiTriggerText(const TriggerTable& table, const TriggerRecord& r, uint32_t codePage,
                              size_t namedTriggers) {
    // Operand bytes are 0-based record indexes.
    const unsigned first = r.U8(trig::kCombiFirst);
    const unsigned second = r.U8(trig::kCombiSecond);
    return Format(L"No.%u(", first + 1) +
           TriggerNameByNumber(table, first + 1, codePage, namedTriggers) + L") " +
           GetCombiOpName(r.U8(trig::kCombiOperator)) + Format(L" No.%u(", second + 1) +
           TriggerNameByNumber(table, second + 1, codePage, namedTriggers) + L")";
}

std::wstring TriggerConditionText(const TriggerTable& table, int index, const UnitBlock& unit,
                                  uint32_t codePage, const TriggerTextStyle& style) {
    if (index < 0 || static_cast<size_t>(index) >= TriggerTable::kCount)
        return {};
    const TriggerRecord& r = table[static_cast<size_t>(index)];
    switch (r.U8(trig::kKind)) {
    case kTriggerCycle:
        return CycleTriggerText(r);
    case kTriggerDate:
        return DateTriggerText(r);
    case kTriggerContact:
        return ContactTriggerText(r, unit, style);
    case kTriggerRegister:
        return RegisterTriggerText(r, unit, style);
    case kTriggerCombination:
        return CombiTriggerText(table, r, codePage, style.namedTriggers);
    default:
        return {};
    }
}

} // namespace qv
