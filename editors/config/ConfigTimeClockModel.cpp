#include "editors/config/ConfigTimeClockModel.h"

#include <cwchar>

#include "link/UnitSession.h"

namespace qv {

namespace {

uint8_t Bcd(int value) {
    return static_cast<uint8_t>(value + (value / 10) * 6);
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Closes the session's link on every way out of the setting.
class SessionCloser {
public:
    explicit SessionCloser(CUnitSession& s) : s_(s) {}
    ~SessionCloser() {
        s_.CloseSession();
        s_.CloseLink(); // also one the open flag does not account for
    }
    SessionCloser(const SessionCloser&) = delete;
    SessionCloser& operator=(const SessionCloser&) = delete;

private:
    CUnitSession& s_;
};

} // namespace

int WeekdayOf(int year, int month, int day) {
    static const int kOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + kOffset[month - 1] + day) % 7;
}

Refusal CheckClockEntry(const ClockEntry& entry, LocalTime& time) {
    int year = 0;
    bool digits = !entry.year.empty() && entry.year.size() <= kClockYearChars;
    for (wchar_t c : entry.year) {
        if (c < L'0' || c > L'9') {
            digits = false;
            break;
        }
        year = year * 10 + (c - L'0');
    }
    if (!digits || year < kClockYearMin || year > kClockYearMax)
        return Refuse(kMsgClockYear, 0);
    const int month = entry.monthIndex + 1;
    const int day = entry.dayIndex + 1;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return Refuse(kMsgClockDate, 0);
    if (entry.hour < 0 || entry.hour > 23 || entry.minute < 0 || entry.minute > 59 ||
        entry.second < 0 || entry.second > 59)
        return Refuse(kMsgClockDate, 0);
    time = LocalTime{
        year, month, day, entry.hour, entry.minute, entry.second, WeekdayOf(year, month, day)};
    return {};
}

ClockWords ClockWordsOf(const LocalTime& t) {
    auto word = [](int low, int high) { return static_cast<uint16_t>(Bcd(low) | Bcd(high) << 8); };
    return {word(t.second, t.minute), word(t.hour, t.day), word(t.month, t.year - 2000),
            static_cast<uint16_t>(Bcd(t.weekday))};
}

std::wstring ClockTextOf(const ClockWords& w) {
    wchar_t text[40];
    const auto high = [](uint16_t word) { return static_cast<unsigned>(word >> 8); };
    const auto low = [](uint16_t word) { return static_cast<unsigned>(word & 0xFFu); };
    std::swprintf(text, 40, L"%X/%02X/%02X %02X:%02X:%02X", 0x2000u + high(w[2]), low(w[2]),
                  high(w[1]), low(w[1]), high(w[0]), low(w[0]));
    return text;
}

RelayClockEnd RunRelayClockSetting(CUnitSession& session, Sleeper& sleeper, ClockWords& words) {
    SessionCloser closer(session);
    if (session.WriteContact({"R", "902C"}, 1) != 0)
        return RelayClockEnd::NotSet;
    bool done = false;
    for (int i = 0; i < kRelayClockTries && !done; ++i) {
        sleeper.SleepMs(kRelayClockWaitMs);
        uint16_t value = 0;
        done = session.SessionReadContact({"R", "902D"}, value) == 0 && value == 1;
    }
    if (!done)
        return RelayClockEnd::NotSet;
    return session.SessionReadDataWords(kClockFirstWord, kClockWordCount, words.data()) == 0
               ? RelayClockEnd::Done
               : RelayClockEnd::ReadFailed;
}

} // namespace qv
