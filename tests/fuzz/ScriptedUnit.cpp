#include "tests/fuzz/ScriptedUnit.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "tests/fuzz/FuzzSupport.h"

namespace qv::fuzz {

namespace {
// Long enough for a link that is about to send its next request.
constexpr int kIdleMs = 20;
} // namespace

ScriptedUnit& ScriptedUnit::Instance() {
    // Never destroyed: its thread serves until the process ends.
    static ScriptedUnit* unit = new ScriptedUnit;
    return *unit;
}

ScriptedUnit::ScriptedUnit() {
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    Expect(listen_ >= 0 && ::pipe2(wake_, O_CLOEXEC) == 0, "listening socket");
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    Expect(::bind(listen_, reinterpret_cast<sockaddr*>(&a), len) == 0 &&
               ::listen(listen_, 16) == 0 &&
               ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len) == 0,
           "loopback port");
    port_ = ntohs(a.sin_port);
    std::thread([this] { Serve(); }).detach();
}

void ScriptedUnit::Play(std::vector<std::string> frames) {
    std::lock_guard<std::mutex> lock(mutex_);
    frames_ = std::move(frames);
    next_ = 0;
}

void ScriptedUnit::Finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    finishing_ = true;
    Expect(::write(wake_[1], "x", 1) == 1, "wake the unit");
    finished_.wait(lock, [this] { return !finishing_; });
}

void ScriptedUnit::Serve() {
    for (;;) {
        pollfd p[2] = {{listen_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0)
            continue; // EINTR
        if (p[1].revents & POLLIN) {
            char c;
            Expect(::read(wake_[0], &c, 1) == 1, "wake read");
            DropWaiting();
            std::lock_guard<std::mutex> lock(mutex_);
            finishing_ = false;
            finished_.notify_all();
            continue;
        }
        const int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard<std::mutex> lock(mutex_); // the script Play left
        Answer(fd);
        ::close(fd);
    }
}

void ScriptedUnit::DropWaiting() {
    // The link connected before it closed: its connections are all queued.
    for (int fd; (fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;)
        ::close(fd);
}

void ScriptedUnit::Answer(int fd) {
    std::string pending;
    char buf[4096];
    while (next_ < frames_.size()) {
        // A whole request line, or silence: either way the next frame goes out.
        while (pending.find('\r') == std::string::npos) {
            pollfd p{fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, kIdleMs);
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                break;
            const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0)
                return; // the link closed
            pending.append(buf, static_cast<size_t>(n));
        }
        const size_t cr = pending.find('\r');
        pending.erase(0, cr == std::string::npos ? pending.size() : cr + 1);
        const std::string& f = frames_[next_++];
        if (::send(fd, f.data(), f.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(f.size()))
            return;
    }
}

} // namespace qv::fuzz
