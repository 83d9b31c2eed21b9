#include <chrono>
#include <thread>

#include "link/LinkServices.h"

namespace qv {

namespace {
class ThreadSleeper final : public Sleeper {
public:
    void SleepMs(int milliseconds) override {
        if (milliseconds > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};
} // namespace

Sleeper& SystemSleeper() {
    static ThreadSleeper sleeper;
    return sleeper;
}

} // namespace qv
