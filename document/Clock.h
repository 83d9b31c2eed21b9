// Local time and the logged-on user, handed in so tests can fix them.
#pragma once
#include <cstdint>
#include <string>

namespace qv {

struct LocalTime {
    int year = 2000;  // full year
    int month = 1;    // 1..12
    int day = 1;      // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;  // 0 = Sunday
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

class UserNameSource {
public:
    virtual ~UserNameSource() = default;
    // The account name of the logged-on user, as UTF-8.
    virtual std::string LoggedOnUser() const = 0;
};

// Writes the time as 7 bytes: year - 2000, month, day, hour, minute,
// second, weekday (the layout of the header's save time and the write stamp).
void PutTimeBytes(uint8_t* out, const LocalTime& t);

// The machine's local clock and the account name from the password database.
const Clock& SystemClock();
const UserNameSource& SystemUserName();

} // namespace qv
