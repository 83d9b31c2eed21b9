// The clock pane's unit commands: the date and time it writes into the
// unit's clock words, the text it shows of what it read, and the clock
// setting the unit runs when its relay is set.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "document/Clock.h"
#include "document/Refusal.h"

namespace qv {

class CUnitSession;
class Sleeper;

constexpr unsigned kMsgClockYear = 20180;
constexpr unsigned kMsgClockDate = 20181;
constexpr unsigned kMsgClockWritten = 20182; // year, month, day, hour, minute, second
constexpr unsigned kMsgClockWriteFailed = 20183;
constexpr unsigned kMsgClockReadFailed = 20405;

constexpr int kClockFirstWord = 90054; // to 90057
constexpr int kClockWordCount = 4;
constexpr int kClockYearMin = 2000, kClockYearMax = 2099;
constexpr size_t kClockYearChars = 4;
constexpr int kRelayClockTries = 10;
constexpr int kRelayClockWaitMs = 500;

using ClockWords = std::array<uint16_t, kClockWordCount>;

// The date and time as the pane's fields hold them.
struct ClockEntry {
    std::wstring year;
    int monthIndex = 0; // month - 1
    int dayIndex = 0;   // day - 1
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// 0 Sunday to 6 Saturday.
int WeekdayOf(int year, int month, int day);

// The typed date and time, with its weekday; refused for a year outside
// 2000..2099 or a day the month does not have.
Refusal CheckClockEntry(const ClockEntry& entry, LocalTime& time);

// Two decimal digits a byte: seconds and minutes, hour and day, month and
// year of the century, weekday (its high byte 0).
ClockWords ClockWordsOf(const LocalTime& time);

// "2019/03/14 09:30:00" from the words as read.
std::wstring ClockTextOf(const ClockWords& words);

// How the relay-driven setting ended.
enum class RelayClockEnd {
    Done,       // words hold the unit's clock
    NotSet,     // the relay was not set, or the unit never reported done
    ReadFailed, // done, but the clock could not be read
};

// Sets R902C, waits for R902D (10 tries 500 ms apart; a failed read counts
// as a try), then reads the clock words. The session's link is closed when
// it returns, whatever happened.
RelayClockEnd RunRelayClockSetting(CUnitSession& session, Sleeper& sleeper, ClockWords& words);

} // namespace qv
