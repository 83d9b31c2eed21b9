// The transports on their own: failures of the open steps, the serial port
// in raw mode and in exclusive use on a pseudo-terminal of the test's own,
// and the UDP steps (without sending anything).
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "LinkFakes.h"
#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "link/UnitComm.h"
#include "link/UnitSession.h"

namespace qv::test {
namespace {

using namespace link_result;

// A pseudo-terminal: the test holds the master, the link opens the slave.
class Pty {
public:
    Pty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slave_ = ::ptsname(master_);
        // Keep the line raw on the master's side as well.
        termios t{};
        if (master_ >= 0 && ::tcgetattr(master_, &t) == 0) {
            cfmakeraw(&t);
            ::tcsetattr(master_, TCSANOW, &t);
        }
    }
    ~Pty() { HangUp(); }
    void HangUp() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }
    bool ok() const { return master_ >= 0 && !slave_.empty(); }
    const std::string& slave() const { return slave_; }
    int master() const { return master_; }
    std::string ReadMaster(size_t want, int timeoutMs = 1000) {
        std::string got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < want && std::chrono::steady_clock::now() < end) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) {
                char buf[256];
                const ssize_t n = ::read(master_, buf, sizeof buf);
                if (n > 0)
                    got.append(buf, static_cast<size_t>(n));
            }
        }
        return got;
    }
    void WriteMaster(const std::string& s) {
        ASSERT_EQ(::write(master_, s.data(), s.size()), static_cast<ssize_t>(s.size()));
    }

private:
    int master_ = -1;
    std::string slave_;
};

// Open descriptors of the process: a failed open must leave none behind.
size_t OpenDescriptors() {
    size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)e;
        ++n;
    }
    return n;
}

struct LinkUnderTest {
    MemoryProfile profile;
    FakeSleeper sleeper;
    std::unique_ptr<CUnitSession> link;
    void Make() {
        link =
            std::make_unique<CUnitSession>(profile, kCodePageJapanese, nullptr, nullptr, sleeper);
    }
};

TEST(SerialTransport, RawModeExchangeOnAPseudoTerminal) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    LinkUnderTest t;
    WriteSerialProfile(t.profile, pty.slave(), 300);
    t.Make();
    CUnitComm& link = *t.link;
    ASSERT_EQ(link.OpenSerial(), kOk) << link.LastError;
    EXPECT_TRUE(link.LinkIsOpen());
    // Bytes pass unchanged both ways: no CR/LF translation, no echo.
    ASSERT_EQ(link.SendSerial("%EE#RT00\r"), kOk);
    EXPECT_EQ(pty.ReadMaster(9), "%EE#RT00\r");
    pty.WriteMaster("a\nb\x03\x7F\r");
    std::string reply;
    ASSERT_EQ(link.RecvSerial(reply, 128), kOk) << link.LastError;
    EXPECT_EQ(reply, "a\nb\x03\x7F");
    EXPECT_EQ(link.CloseSerial(), kOk);
    EXPECT_FALSE(link.LinkIsOpen());
    EXPECT_EQ(link.CloseSerial(), kOk); // closing a closed port does nothing
}

TEST(SerialTransport, ReceiveTimesOutWithoutCr) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    LinkUnderTest t;
    WriteSerialProfile(t.profile, pty.slave(), 150);
    t.Make();
    CUnitComm& link = *t.link;
    ASSERT_EQ(link.OpenSerial(), kOk);
    pty.WriteMaster("%EE$RC1");
    std::string reply;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.RecvSerial(reply, 128), kSerialRecv);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_EQ(link.LastError, static_cast<uint32_t>(ETIMEDOUT));
    EXPECT_GE(ms, 140);
    EXPECT_LT(ms, 1000);
    link.CloseLink();
}

TEST(SerialTransport, HangUpEndsTheReceive) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    LinkUnderTest t;
    WriteSerialProfile(t.profile, pty.slave(), 2000);
    t.Make();
    CUnitComm& link = *t.link;
    ASSERT_EQ(link.OpenSerial(), kOk);
    pty.WriteMaster("%EE$R");
    pty.HangUp();
    std::string reply;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.RecvSerial(reply, 128), kSerialRecv);
    EXPECT_EQ(link.LastError, static_cast<uint32_t>(EIO));
    // At once, not after the time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    link.CloseLink();
}

TEST(SerialTransport, ExclusiveUseAndReopen) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    LinkUnderTest a, b;
    WriteSerialProfile(a.profile, pty.slave(), 150);
    WriteSerialProfile(b.profile, pty.slave(), 150);
    a.Make();
    b.Make();
    ASSERT_EQ(a.link->OpenSerial(), kOk);
    EXPECT_EQ(b.link->OpenSerial(), kSerialOpen);
    EXPECT_TRUE(b.link->LastError == EBUSY || b.link->LastError == EWOULDBLOCK)
        << b.link->LastError;
    EXPECT_FALSE(b.link->LinkIsOpen());
    a.link->CloseLink();
    // Closed: the port is free again, also for another link object.
    EXPECT_EQ(b.link->OpenSerial(), kOk) << "errno " << b.link->LastError;
    b.link->CloseLink();
    EXPECT_EQ(a.link->OpenSerial(), kOk) << a.link->LastError;
    a.link->CloseLink();
}

// After a failed exchange the next request waits for a quiet line; a line
// that keeps talking ends that request unsent, and once it falls silent the
// next request goes out.
TEST(SerialTransport, ALineThatNeverFallsSilentEndsTheRequestUnsent) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    LinkUnderTest t;
    WriteSerialProfile(t.profile, pty.slave(), 200);
    t.Make();
    CUnitSession& link = *t.link;
    const std::string request = "%EE#RCSR999E6A\r";
    uint16_t value = 0;
    EXPECT_EQ(link.SessionReadContact({"R", "999E"}, value), kSerialRecv); // no answer
    EXPECT_EQ(pty.ReadMaster(request.size()), request);

    std::atomic<bool> stop{false};
    std::thread chatter([&] {
        while (!stop) {
            (void)::write(pty.master(), "x", 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    EXPECT_EQ(link.SessionReadContact({"R", "999E"}, value), kReplyMismatch);
    EXPECT_EQ(link.LastError, 0u);
    stop = true;
    chatter.join();
    EXPECT_EQ(pty.ReadMaster(1, 200), "");

    EXPECT_EQ(link.SessionReadContact({"R", "999E"}, value), kSerialRecv);
    EXPECT_EQ(pty.ReadMaster(request.size()), request);
}

struct OpenCase {
    const char* name;
    std::function<void(MemoryProfile&, const std::string& pty)> setup;
    LinkResult result;
    uint32_t lastError; // 0: any
};

TEST(SerialTransport, OpenFailures) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    const OpenCase cases[] = {
        {"no such device",
         [](MemoryProfile& p, const std::string&) {
             WriteSerialProfile(p, "/nonexistent/qv-port");
         },
         kSerialOpen, ENOENT},
        {"plain name below /dev",
         [](MemoryProfile& p, const std::string&) { WriteSerialProfile(p, "ttyQV-none"); },
         kSerialOpen, ENOENT},
        {"empty name", [](MemoryProfile& p, const std::string&) { WriteSerialProfile(p, ""); },
         kSerialOpen, ENOENT},
        {"no terminal",
         [](MemoryProfile& p, const std::string&) { WriteSerialProfile(p, "/dev/null"); },
         kSerialGetState, ENOTTY},
        {"baud rate",
         [](MemoryProfile& p, const std::string& d) {
             WriteSerialProfile(p, d);
             p.WriteNumber(kCommSection, "COM BaudRate", 12345);
         },
         kSerialSetState, EINVAL},
        {"data bits",
         [](MemoryProfile& p, const std::string& d) {
             WriteSerialProfile(p, d);
             p.WriteNumber(kCommSection, "COM ByteSize", 9);
         },
         kSerialSetState, EINVAL},
        {"parity code",
         [](MemoryProfile& p, const std::string& d) {
             WriteSerialProfile(p, d);
             p.WriteNumber(kCommSection, "COM Parity", 5);
         },
         kSerialSetState, EINVAL},
        {"one and a half stop bits with 8 data bits",
         [](MemoryProfile& p, const std::string& d) {
             WriteSerialProfile(p, d);
             p.WriteNumber(kCommSection, "COM StopBits", 1);
         },
         kSerialSetState, EINVAL},
        {"link type",
         [](MemoryProfile& p, const std::string& d) {
             WriteSerialProfile(p, d);
             p.WriteNumber(kCommSection, "CommType", 2);
         },
         kSerialOpen, EINVAL},
    };
    const size_t fds = OpenDescriptors();
    for (const auto& c : cases) {
        LinkUnderTest t;
        c.setup(t.profile, pty.slave());
        t.Make();
        uint16_t value = 0;
        EXPECT_EQ(t.link->ReadContact({"R", "999E"}, value), c.result) << c.name;
        if (c.lastError) {
            EXPECT_EQ(t.link->LastError, c.lastError) << c.name;
        }
        EXPECT_FALSE(t.link->LinkIsOpen()) << c.name;
        // A session that cannot open sends nothing and says 111.
        EXPECT_EQ(t.link->SessionReadContact({"R", "999E"}, value), kSerialOpen) << c.name;
        EXPECT_EQ(t.link->SessionOpen, 0u) << c.name;
        EXPECT_EQ(OpenDescriptors(), fds) << c.name;
    }
}

TEST(SerialTransport, LineSettingsThatPosixHas) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    struct Line {
        uint32_t baud, bits, parity, stop;
    };
    const Line lines[] = {
        {9600, 7, 2, 0}, {19200, 8, 0, 2}, {115200, 8, 1, 0}, {38400, 5, 3, 1}, {57600, 6, 4, 0}};
    for (const Line& l : lines) {
        LinkUnderTest t;
        WriteSerialProfile(t.profile, pty.slave());
        t.profile.WriteNumber(kCommSection, "COM BaudRate", l.baud);
        t.profile.WriteNumber(kCommSection, "COM ByteSize", l.bits);
        t.profile.WriteNumber(kCommSection, "COM Parity", l.parity);
        t.profile.WriteNumber(kCommSection, "COM StopBits", l.stop);
        t.Make();
        const LinkResult r = t.link->OpenSerial();
        // A pseudo-terminal takes every setting a real port has.
        EXPECT_EQ(r, kOk) << l.baud << " " << l.bits << " " << l.parity << " " << l.stop
                          << " errno " << t.link->LastError;
        t.link->CloseLink();
    }
}

TEST(TcpTransport, OpenFailures) {
    // A port that nobody listens on: bind one, note it, close it.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    ASSERT_EQ(::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len), 0);
    const uint16_t closedPort = ntohs(a.sin_port);
    ::close(s);

    const OpenCase cases[] = {
        {"refused", [=](MemoryProfile& p, const std::string&) { WriteTcpProfile(p, closedPort); },
         kTcpConnectFailed, ECONNREFUSED},
        {"no address",
         [=](MemoryProfile& p, const std::string&) {
             WriteTcpProfile(p, closedPort);
             p.WriteText(kCommSection, "TCP IPAddr", L"");
         },
         kTcpConnectFailed, EINVAL},
        {"address text",
         [=](MemoryProfile& p, const std::string&) {
             WriteTcpProfile(p, closedPort);
             p.WriteText(kCommSection, "TCP IPAddr", L"127.0.0.256");
         },
         kTcpConnectFailed, EINVAL},
        {"PC address not on this machine",
         [=](MemoryProfile& p, const std::string&) {
             WriteTcpProfile(p, closedPort);
             p.WriteText(kCommSection, "PCIPAddr", L"192.0.2.1");
         },
         kSocketBind, EADDRNOTAVAIL},
        {"PC address text",
         [=](MemoryProfile& p, const std::string&) {
             WriteTcpProfile(p, closedPort);
             p.WriteText(kCommSection, "PCIPAddr", L"localhost");
         },
         kSocketBind, EINVAL},
    };
    const size_t fds = OpenDescriptors();
    for (const auto& c : cases) {
        LinkUnderTest t;
        c.setup(t.profile, "");
        t.Make();
        uint16_t value = 0;
        EXPECT_EQ(t.link->ReadContact({"R", "999E"}, value), c.result) << c.name;
        EXPECT_EQ(t.link->LastError, c.lastError) << c.name;
        EXPECT_FALSE(t.link->LinkIsOpen()) << c.name;
        std::string status;
        // The session's status read reports the open's own code.
        EXPECT_EQ(t.link->SessionReadStatus(status), c.result) << c.name;
        EXPECT_EQ(t.link->SessionOpen, 0u);
        EXPECT_EQ(OpenDescriptors(), fds) << c.name;
    }
}

TEST(TcpTransport, ConnectTimeOutIsBounded) {
    // An address that is not answered: either no route (126 at once) or
    // silence (125 after the connect time-out); never longer.
    LinkUnderTest t;
    WriteTcpProfile(t.profile, 9094, 200);
    t.profile.WriteText(kCommSection, "TCP IPAddr", L"192.0.2.1");
    t.Make();
    const auto start = std::chrono::steady_clock::now();
    const LinkResult r = t.link->OpenTcp();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_TRUE(r == kTcpConnectTimeout || r == kTcpConnectFailed) << r;
    if (r == kTcpConnectTimeout) {
        EXPECT_EQ(t.link->LastError, static_cast<uint32_t>(ETIMEDOUT));
        EXPECT_GE(ms, 190);
    }
    EXPECT_LT(ms, 1000);
    EXPECT_FALSE(t.link->LinkIsOpen());
}

TEST(UdpTransport, OpenReceiveCloseWithoutSending) {
    LinkUnderTest t;
    t.Make();
    CUnitComm& link = *t.link;
    ASSERT_EQ(link.OpenUdp(), kOk) << link.LastError;
    uint8_t buffer[kUdpReceiveSize];
    int length = 99;
    EXPECT_EQ(link.RecvUdp(buffer, length), kOk);
    EXPECT_EQ(length, 0); // nothing waiting
    EXPECT_EQ(link.CloseUdp(), kOk);
    EXPECT_EQ(link.CloseUdp(), kOk);
    EXPECT_EQ(link.RecvUdp(buffer, length), kOk);
    EXPECT_EQ(length, -1);
}

TEST(UdpTransport, BindOnlyWithThePcAddress) {
    struct Case {
        const wchar_t* pc;
        LinkResult result;
        uint32_t lastError;
    };
    const Case cases[] = {{L"192.0.2.1", kSocketBind, EADDRNOTAVAIL},
                          {L"10.0.0", kSocketBind, EINVAL}};
    const size_t fds = OpenDescriptors();
    for (const auto& c : cases) {
        LinkUnderTest t;
        t.profile.WriteText(kCommSection, "PCIPAddr", c.pc);
        t.Make();
        EXPECT_EQ(t.link->OpenUdp(), c.result);
        EXPECT_EQ(t.link->LastError, c.lastError);
        uint8_t buffer[kUdpReceiveSize];
        int length = 0;
        t.link->RecvUdp(buffer, length);
        EXPECT_EQ(length, -1); // nothing left open
        EXPECT_EQ(OpenDescriptors(), fds);
    }
}

} // namespace
} // namespace qv::test
