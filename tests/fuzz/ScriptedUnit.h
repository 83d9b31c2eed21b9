// A unit on a loopback TCP port that answers with frames the fuzzer made up:
// each request line gets the next frame of the script, and the connection is
// closed once the script runs out. A link that waits for a frame without
// sending a request (a late reply it skipped) gets the next one after a short
// pause, so no input waits for a receive time-out. One unit serves the whole
// run: a thread and a port per input would cost more than the input itself.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace qv::fuzz {

class ScriptedUnit {
public:
    static ScriptedUnit& Instance();
    uint16_t Port() const { return port_; }
    // The script for the connections of one input.
    void Play(std::vector<std::string> frames);
    // Call once the link is closed: drops connections not yet taken, so the
    // next input starts afresh.
    void Finish();

private:
    ScriptedUnit();
    void Serve();
    void Answer(int fd);
    void DropWaiting();

    int listen_ = -1;
    int wake_[2] = {-1, -1};
    uint16_t port_ = 0;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool finishing_ = false;
    std::vector<std::string> frames_;
    size_t next_ = 0;
};

} // namespace qv::fuzz
