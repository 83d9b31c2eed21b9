// The simulator's transports and its one thread. Every descriptor is
// non-blocking and waited on with ppoll(); the thread sleeps only in ppoll,
// whose time-out is the next moment something is due (a paced character, a
// late reply, a request whose characters are still "on the wire"). Stop()
// wakes it through an eventfd and joins it.
//
// Each connection (a TCP client, or the pseudo-terminal) is a Channel: the
// characters received so far, complete request lines waiting to be taken,
// at most one reply being written, and the multi-frame exchange in progress.
// A channel takes its next request only after its last reply is fully
// written, as a unit answers one request at a time.
#include "tools/unitsim/UnitSimulator.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <list>
#include <mutex>
#include <optional>
#include <thread>

#include "tools/unitsim/SimFrames.h"
#include "tools/unitsim/SimUdp.h"
#include "tools/unitsim/SimUnit.h"

namespace unitsim {

namespace {

using Clock = std::chrono::steady_clock;

// The program opens its serial port exclusively (TIOCEXCL). A real port loses
// that mark at its last close; a pseudo-terminal keeps it while its master is
// open, and a second open by anyone but root then fails with EBUSY. So the
// simulator clears the mark through its own slave descriptor whenever it
// wakes, and wakes at least this often while the pty is open.
constexpr std::chrono::milliseconds kExclusiveClearPeriod{100};
constexpr size_t kTranscriptLimit = 200000; // entries; beyond it the oldest half goes
constexpr size_t kOversizeData = 4200;      // data characters of the Oversize fault's frame
const std::string kGarbage = "??GARBAGE\xFF??";

struct PendingLine {
    std::string line;
    Clock::time_point due; // when its last character has arrived (paced) or was read
};

struct Output {
    std::string bytes; // frame and CR
    size_t pos = 0;
    Clock::time_point start; // character i may go out at start + (i + 1) x character time
};

struct Channel {
    int fd = -1;
    bool pty = false;
    bool closed = false; // TCP: close and forget at the end of this round
    std::string rx;
    Clock::time_point rxWire{}; // paced: when the last received character finished arriving
    std::deque<PendingLine> lines;
    std::optional<Output> out;
    bool blocked = false;       // the last write would have blocked: wait for POLLOUT
    Clock::time_point txWire{}; // paced: when the last character sent is through
    Transfer transfer;
    bool muted = false; // pty after a Disconnect fault: further frames of that request are dropped
};

// A success reply to a frame of a chunked request in the form the unit uses.
void ShapeAcknowledgement(frames::Reply& r, AckForm form) {
    if (r.kind != frames::Reply::Kind::Success)
        return;
    if (form == AckForm::Mark) {
        r.echo.clear();
    } else if (form == AckForm::Bare) {
        r.kind = frames::Reply::Kind::Continuation;
        r.data.clear();
    }
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

struct UnitSimulator::Impl {
    mutable std::mutex mu;
    UnitState unit;
    std::deque<Fault> faults;
    AckForm ackForm = AckForm::Echo;
    std::deque<TranscriptEntry> transcript;
    int connectionCount = 0;

    int wakeFd = -1;
    std::thread thread;
    bool stopping = false;

    int listenFd = -1;
    uint16_t port = 0;
    std::list<Channel> clients;

    std::optional<Channel> pty;
    int ptySlaveFd = -1; // held open so that the master never sees a hang-up
    std::string ptyLink;
    std::string ptyDevice;
    std::chrono::nanoseconds charTime{0}; // one character at the pty's baud rate; 0 = not paced

    ~Impl() { CloseFd(wakeFd); }

    bool Paced(const Channel& ch) const { return ch.pty && charTime.count() > 0; }

    void Wake() {
        if (wakeFd >= 0) {
            uint64_t one = 1;
            [[maybe_unused]] ssize_t n = ::write(wakeFd, &one, sizeof one);
        }
    }

    // Called with mu held.
    bool EnsureThread() {
        if (thread.joinable())
            return true;
        if (wakeFd < 0)
            wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (wakeFd < 0)
            return false;
        stopping = false;
        thread = std::thread([this] { Run(); });
        return true;
    }

    // Called with mu held and the thread stopped.
    void CloseTransports() {
        for (Channel& c : clients)
            CloseFd(c.fd);
        clients.clear();
        CloseFd(listenFd);
        port = 0;
        if (pty) {
            CloseFd(pty->fd);
            pty.reset();
        }
        CloseFd(ptySlaveFd);
        if (!ptyLink.empty()) {
            char target[PATH_MAX];
            ssize_t n = ::readlink(ptyLink.c_str(), target, sizeof target - 1);
            if (n > 0 && std::string(target, static_cast<size_t>(n)) == ptyDevice)
                ::unlink(ptyLink.c_str());
        }
        ptyLink.clear();
        ptyDevice.clear();
        charTime = std::chrono::nanoseconds(0);
    }

    void Record(bool fromUnit, const std::string& frame) {
        if (transcript.size() >= kTranscriptLimit)
            transcript.erase(transcript.begin(), transcript.begin() + kTranscriptLimit / 2);
        transcript.push_back({fromUnit, frame});
    }

    // The first active fault for this frame's command; counts skips and uses.
    std::optional<Fault> TakeFault(const std::string& code) {
        std::optional<Fault> chosen;
        for (auto it = faults.begin(); it != faults.end();) {
            if (!it->command.empty() && it->command != code) {
                ++it;
                continue;
            }
            if (it->skip > 0) {
                --it->skip;
                ++it;
                continue;
            }
            if (chosen) { // one fault per frame; a later one waits for the next frame
                ++it;
                continue;
            }
            chosen = *it;
            if (it->times > 0 && --it->times == 0)
                it = faults.erase(it);
            else
                ++it;
        }
        return chosen;
    }

    void Send(Channel& ch, const std::string& frame, Clock::time_point at) {
        Record(true, frame);
        Output o;
        o.bytes = frame + '\r';
        o.start = at;
        if (Paced(ch)) {
            o.start = std::max(at, ch.txWire);
            ch.txWire = o.start + charTime * static_cast<int64_t>(o.bytes.size());
        }
        ch.out = std::move(o);
    }

    void Process(Channel& ch, const std::string& line, Clock::time_point now) {
        Record(false, line);
        frames::Request q = frames::ParseRequest(line);
        if (!q.isFrame)
            return; // noise without a start character: a unit does not answer it
        if (ch.muted) {
            if (!q.isCommand)
                return;
            ch.muted = false;
        }
        const std::string code = EffectiveCode(ch.transfer, q);
        const bool chunked = IsChunkedRequestFrame(ch.transfer, q);
        const std::optional<Fault> f = TakeFault(code);
        const Clock::time_point at = f ? now + f->delay : now;
        if (f) {
            switch (f->kind) {
            case FaultKind::NoReply:
                return;
            case FaultKind::Garbage:
                Send(ch, kGarbage, at);
                return;
            case FaultKind::ErrorFrame:
                Send(ch, frames::Serialize(frames::ErrorReply(q.start, f->errorCode)), at);
                return;
            case FaultKind::Busy:
                Send(ch, frames::Serialize(frames::ErrorReply(q.start, frames::kErrBusy)), at);
                return;
            case FaultKind::Disconnect:
                if (!ch.pty) {
                    ch.closed = true;
                } else { // no answer; the rest of this request is dropped
                    ch.transfer.Reset();
                    ch.lines.clear();
                    ch.rx.clear();
                    ch.muted = true;
                }
                return;
            case FaultKind::Oversize: {
                std::string body = std::string(1, q.start) + "EE$" + code.substr(0, 2) +
                                   std::string(kOversizeData, '0');
                Send(ch, body + frames::HexByte(frames::CheckCode(body)), at);
                return;
            }
            default:
                break;
            }
        }

        frames::Reply r = Handle(unit, ch.transfer, q);
        if (chunked)
            ShapeAcknowledgement(r, ackForm);
        bool wrongCheck = false;
        if (f) {
            switch (f->kind) {
            case FaultKind::WrongCheckCode:
                wrongCheck = true;
                break;
            case FaultKind::ShortReply:
                if (!r.data.empty())
                    r.data.resize(r.data.size() / 2);
                else
                    r.clipHeader = true;
                if (ch.transfer.kind == Transfer::Kind::Read) { // the reply ends here
                    r.more = false;
                    ch.transfer.Reset();
                }
                break;
            case FaultKind::EndEarly:
                if (r.more && (ch.transfer.kind == Transfer::Kind::Write ||
                               ch.transfer.kind == Transfer::Kind::FileText)) {
                    r.more = false;
                    ch.transfer.Reset();
                }
                break;
            default:
                break;
            }
        }
        Send(ch, frames::Serialize(r, wrongCheck), at);
    }

    // Takes in received characters; a CR ends a line. A start character in
    // the middle of a line drops what came before it (a request the program
    // gave up half-way, or noise), so the next request stands on its own.
    void Feed(Channel& ch, const char* data, size_t n, Clock::time_point t) {
        for (size_t i = 0; i < n; ++i) {
            const char c = data[i];
            Clock::time_point arrived = t;
            if (Paced(ch)) {
                ch.rxWire = std::max(ch.rxWire, t) + charTime;
                arrived = ch.rxWire;
            }
            if (c == '\r') {
                if (!ch.rx.empty())
                    ch.lines.push_back({std::move(ch.rx), arrived});
                ch.rx.clear();
            } else if ((c == '%' || c == '<') && !ch.rx.empty()) {
                ch.rx.assign(1, c);
            } else if (ch.rx.size() >= frames::kMaxRequestChars) {
                ch.rx.clear();
            } else {
                ch.rx.push_back(c);
            }
        }
    }

    void ReadInput(Channel& ch) {
        char buf[4096];
        for (;;) {
            ssize_t n = ::read(ch.fd, buf, sizeof buf);
            if (n > 0) {
                Feed(ch, buf, static_cast<size_t>(n), Clock::now());
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            // End of the connection, or an error. The pty cannot hang up
            // while we hold its slave; should it fail anyway, it stays.
            if (!ch.pty)
                ch.closed = true;
            return;
        }
    }

    // Writes what is due of the current reply; true when it is all out.
    bool WriteOut(Channel& ch, Clock::time_point now) {
        Output& o = *ch.out;
        size_t limit = 0;
        if (now >= o.start) {
            limit = o.bytes.size();
            if (Paced(ch))
                limit = std::min<size_t>(limit, static_cast<size_t>((now - o.start) / charTime));
        }
        while (o.pos < limit) {
            ssize_t n = ch.pty ? ::write(ch.fd, o.bytes.data() + o.pos, limit - o.pos)
                               : ::send(ch.fd, o.bytes.data() + o.pos, limit - o.pos, MSG_NOSIGNAL);
            if (n > 0) {
                o.pos += static_cast<size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                ch.blocked = true;
                return false;
            }
            if (!ch.pty)
                ch.closed = true;
            o.pos = o.bytes.size(); // the reply is lost
        }
        return o.pos == o.bytes.size();
    }

    void Pump(Channel& ch, Clock::time_point now) {
        while (!ch.closed) {
            if (ch.out) {
                if (!WriteOut(ch, now))
                    return;
                ch.out.reset();
            }
            if (ch.lines.empty() || ch.lines.front().due > now)
                return;
            PendingLine next = std::move(ch.lines.front());
            ch.lines.pop_front();
            Process(ch, next.line, now);
        }
    }

    std::optional<Clock::time_point> NextDue(const Channel& ch) const {
        if (ch.closed)
            return std::nullopt;
        if (ch.out) {
            if (ch.blocked)
                return std::nullopt;
            if (Paced(ch))
                return ch.out->start + charTime * static_cast<int64_t>(ch.out->pos + 1);
            return ch.out->start;
        }
        if (!ch.lines.empty())
            return ch.lines.front().due;
        return std::nullopt;
    }

    void Accept() {
        for (;;) {
            int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EINTR || errno == ECONNABORTED)
                    continue;
                return;
            }
            int one = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            clients.emplace_back();
            clients.back().fd = fd;
            ++connectionCount;
        }
    }

    void Run() {
        ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL); // pacing wants precise wake-ups
        std::unique_lock<std::mutex> lock(mu);
        std::vector<pollfd> fds;
        std::vector<Channel*> owners;
        while (!stopping) {
            fds.clear();
            owners.clear();
            fds.push_back({wakeFd, POLLIN, 0});
            owners.push_back(nullptr);
            if (listenFd >= 0) {
                fds.push_back({listenFd, POLLIN, 0});
                owners.push_back(nullptr);
            }
            std::optional<Clock::time_point> due;
            auto add = [&](Channel& ch) {
                fds.push_back({ch.fd, static_cast<short>(POLLIN | (ch.blocked ? POLLOUT : 0)), 0});
                owners.push_back(&ch);
                auto t = NextDue(ch);
                if (t && (!due || *t < *due))
                    due = t;
            };
            for (Channel& c : clients)
                add(c);
            if (pty) {
                add(*pty);
                auto housekeeping = Clock::now() + kExclusiveClearPeriod;
                if (!due || housekeeping < *due)
                    due = housekeeping;
            }

            timespec ts{};
            timespec* timeout = nullptr;
            if (due) {
                auto wait = std::max(*due - Clock::now(), Clock::duration::zero());
                auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
                ts.tv_sec = static_cast<time_t>(ns / 1000000000);
                ts.tv_nsec = static_cast<long>(ns % 1000000000);
                timeout = &ts;
            }
            lock.unlock();
            int ready = ::ppoll(fds.data(), fds.size(), timeout, nullptr);
            lock.lock();
            if (stopping)
                break;
            if (ready > 0) {
                for (size_t i = 0; i < fds.size(); ++i) {
                    const short ev = fds[i].revents;
                    if (!ev)
                        continue;
                    if (fds[i].fd == wakeFd) {
                        uint64_t count;
                        [[maybe_unused]] ssize_t n = ::read(wakeFd, &count, sizeof count);
                    } else if (!owners[i]) {
                        Accept();
                    } else {
                        Channel& ch = *owners[i];
                        if (ev & POLLOUT)
                            ch.blocked = false;
                        if (ev & (POLLIN | POLLHUP | POLLERR))
                            ReadInput(ch);
                    }
                }
            }
            if (ptySlaveFd >= 0)
                ::ioctl(ptySlaveFd, TIOCNXCL);
            const Clock::time_point now = Clock::now();
            for (Channel& c : clients)
                Pump(c, now);
            if (pty)
                Pump(*pty, now);
            for (auto it = clients.begin(); it != clients.end();) {
                if (it->closed) {
                    CloseFd(it->fd);
                    it = clients.erase(it);
                } else {
                    ++it;
                }
            }
        }
    }
};

UnitSimulator::UnitSimulator() : impl_(std::make_unique<Impl>()) {}

UnitSimulator::~UnitSimulator() {
    Stop();
}

uint16_t UnitSimulator::StartTcp(uint16_t port) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    if (impl_->listenFd >= 0)
        return impl_->port;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return 0;
    }
    impl_->listenFd = fd;
    impl_->port = ntohs(addr.sin_port);
    if (!impl_->EnsureThread()) {
        CloseFd(impl_->listenFd);
        return 0;
    }
    impl_->Wake();
    return impl_->port;
}

bool UnitSimulator::StartPty(const std::string& linkPath, int baud, double bitsPerChar) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    if (impl_->pty || linkPath.empty() || !(bitsPerChar > 0))
        return false;
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return false;
    char device[128];
    int slave = -1;
    bool ok = ::grantpt(master) == 0 && ::unlockpt(master) == 0 &&
              ::ptsname_r(master, device, sizeof device) == 0;
    if (ok)
        slave = ::open(device, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    ok = ok && slave >= 0 && ::tcgetattr(slave, &tio) == 0;
    if (ok) { // raw: no CR/LF translation, no echo, no line editing
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        ok = ::tcsetattr(slave, TCSANOW, &tio) == 0;
    }
    ok = ok && ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK) == 0;
    // A stale symlink from an earlier run is replaced; any other file is left alone.
    struct stat st {};
    if (ok && ::lstat(linkPath.c_str(), &st) == 0)
        ok = S_ISLNK(st.st_mode) && ::unlink(linkPath.c_str()) == 0;
    ok = ok && ::symlink(device, linkPath.c_str()) == 0;
    if (!ok) {
        CloseFd(slave);
        CloseFd(master);
        return false;
    }
    impl_->pty.emplace();
    impl_->pty->fd = master;
    impl_->pty->pty = true;
    impl_->ptySlaveFd = slave;
    impl_->ptyLink = linkPath;
    impl_->ptyDevice = device;
    impl_->charTime =
        std::chrono::nanoseconds(baud > 0 ? std::llround(1e9 * bitsPerChar / baud) : 0);
    if (!impl_->EnsureThread()) {
        impl_->CloseTransports();
        return false;
    }
    impl_->Wake();
    return true;
}

void UnitSimulator::Stop() {
    {
        std::lock_guard<std::mutex> lock(impl_->mu);
        impl_->stopping = true;
    }
    impl_->Wake();
    if (impl_->thread.joinable())
        impl_->thread.join();
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->stopping = false;
    impl_->CloseTransports();
    if (search_)
        search_->Stop();
}

std::vector<uint8_t> UnitSimulator::Image() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->unit.image;
}

void UnitSimulator::SetImage(const std::vector<uint8_t>& image) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->unit.image = image;
    impl_->unit.image.resize(kImageSize, 0); // a short image is zero-filled, a long one cut
}

void UnitSimulator::SetPassword(const std::string& password) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->unit.password = password.substr(0, 8);
    impl_->unit.loggedIn = false; // a unit given a new password asks for it
}

std::string UnitSimulator::Password() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->unit.password;
}

bool UnitSimulator::LoggedIn() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->unit.loggedIn;
}

void UnitSimulator::SetRunMode(bool run) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->unit.run = run;
    impl_->unit.modePending = false;
}

bool UnitSimulator::RunMode() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->unit.run;
}

void UnitSimulator::SetUnitType(uint8_t code) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->unit.unitType = code;
}

void UnitSimulator::SetDataRegister(int number, uint16_t value) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    if (number >= 0 && number < kDataRegisters)
        impl_->unit.dt[static_cast<size_t>(number)] = value;
}

uint16_t UnitSimulator::DataRegister(int number) const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    if (number < 0 || number >= kDataRegisters)
        return 0;
    return impl_->unit.dt[static_cast<size_t>(number)];
}

void UnitSimulator::SetContact(const std::string& contact, bool on) {
    int word = 0, bit = 0;
    if (!ParseContact(contact, word, bit))
        return;
    std::lock_guard<std::mutex> lock(impl_->mu);
    uint16_t& w = impl_->unit.r[static_cast<size_t>(word)];
    w = on ? static_cast<uint16_t>(w | 1u << bit) : static_cast<uint16_t>(w & ~(1u << bit));
}

bool UnitSimulator::Contact(const std::string& contact) const {
    int word = 0, bit = 0;
    if (!ParseContact(contact, word, bit))
        return false;
    std::lock_guard<std::mutex> lock(impl_->mu);
    return (impl_->unit.r[static_cast<size_t>(word)] >> bit) & 1;
}

int UnitSimulator::ClearCount() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->unit.clearCount;
}

void UnitSimulator::SetModeSwitchDelay(int statusRequests) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->unit.modeSwitchDelay = std::max(-1, statusRequests);
}

void UnitSimulator::SetClearResult(ClearResult result) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->unit.clearSetsDone = result != ClearResult::NoAnswer;
    impl_->unit.clearSetsError = result == ClearResult::Failed;
}

void UnitSimulator::SetFirmwareFails(bool fails) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->unit.firmwareFails = fails;
}

std::vector<uint8_t> UnitSimulator::FirmwareReceived() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->unit.firmware;
}

void UnitSimulator::SetReplyChunk(size_t extendedChars, size_t ordinaryChars) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->unit.extendedChunk = std::max<size_t>(1, extendedChars);
    impl_->unit.ordinaryChunk = std::max<size_t>(1, ordinaryChars);
}

void UnitSimulator::SetAckForm(AckForm form) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->ackForm = form;
}

void UnitSimulator::InjectFault(const Fault& fault) {
    if (fault.times == 0)
        return;
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->faults.push_back(fault);
}

void UnitSimulator::ClearFaults() {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->faults.clear();
}

std::vector<TranscriptEntry> UnitSimulator::Transcript() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return {impl_->transcript.begin(), impl_->transcript.end()};
}

void UnitSimulator::ClearTranscript() {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->transcript.clear();
}

int UnitSimulator::ConnectionCount() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->connectionCount;
}

void UnitSimulator::WithFiles(const std::function<void(FileStore&)>& fn) const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    fn(impl_->unit.files);
}

} // namespace unitsim
