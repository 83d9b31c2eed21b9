#include "document/Clock.h"

#include <ctime>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace qv {

namespace {

class LocalClock : public Clock {
public:
    LocalTime Now() const override {
        const std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        LocalTime t;
        t.year = tm.tm_year + 1900;
        t.month = tm.tm_mon + 1;
        t.day = tm.tm_mday;
        t.hour = tm.tm_hour;
        t.minute = tm.tm_min;
        t.second = tm.tm_sec > 59 ? 59 : tm.tm_sec; // a leap second is not a valid field value
        t.weekday = tm.tm_wday;
        return t;
    }
};

class PasswdUserName : public UserNameSource {
public:
    std::string LoggedOnUser() const override {
        long size = sysconf(_SC_GETPW_R_SIZE_MAX);
        std::vector<char> buf(size > 0 ? static_cast<size_t>(size) : 16384);
        passwd pw{};
        passwd* result = nullptr;
        if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &result) != 0 || !result)
            return {};
        return result->pw_name ? result->pw_name : "";
    }
};

} // namespace

void PutTimeBytes(uint8_t* out, const LocalTime& t) {
    const int fields[7] = {t.year - 2000, t.month, t.day, t.hour, t.minute, t.second, t.weekday};
    for (int i = 0; i < 7; ++i)
        out[i] = static_cast<uint8_t>(fields[i]);
}

const Clock& SystemClock() {
    static const LocalClock clock;
    return clock;
}

const UserNameSource& SystemUserName() {
    static const PasswdUserName name;
    return name;
}

} // namespace qv
