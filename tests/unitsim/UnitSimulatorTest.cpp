// The unit simulator against hand-written frames, over TCP and over its
// pseudo-terminal. The check codes are computed here on their own and pinned
// to a few well-known frames.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/unitsim/UnitSimulator.h"

namespace unitsim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string Hex2(unsigned v) {
    char b[3];
    std::snprintf(b, sizeof b, "%02X", v & 0xFF);
    return b;
}

std::string Cc(const std::string& body) {
    unsigned x = 0;
    for (unsigned char c : body)
        x ^= c;
    return Hex2(x);
}

// A complete frame without its CR.
std::string F(const std::string& body, bool more = false) {
    return body + Cc(body) + (more ? "&" : "");
}

std::string BytesHex(const std::vector<uint8_t>& bytes, size_t first, size_t count) {
    std::string s;
    for (size_t i = first; i < first + count; ++i)
        s += Hex2(bytes[i]);
    return s;
}

uint8_t Scramble(uint8_t b) {
    uint8_t c = static_cast<uint8_t>(~b);
    return static_cast<uint8_t>(c >> 2 | c << 6);
}

// "%EE#15A" with the scrambled password and the 0x7F pad.
std::string PasswordFrame(char sub, const std::string& password) {
    std::string body = std::string("%EE#15") + sub;
    for (size_t i = 0; i < 8; ++i)
        body += i < password.size() ? Hex2(Scramble(static_cast<uint8_t>(password[i]))) : "7F";
    return F(body);
}

std::vector<uint8_t> Pattern() {
    std::vector<uint8_t> image(kImageSize);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    return image;
}

// A raw client: sends frames and reads lines up to CR.
class RawClient {
public:
    explicit RawClient(int fd) : fd_(fd) {}
    ~RawClient() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    bool closed() const { return closed_; }
    int fd() const { return fd_; }

    void Send(const std::string& frame) { SendRaw(frame + '\r'); }
    void SendRaw(const std::string& out) {
        size_t done = 0;
        while (done < out.size()) {
            ssize_t n = ::write(fd_, out.data() + done, out.size() - done);
            ASSERT_GT(n, 0);
            done += static_cast<size_t>(n);
        }
    }
    // The next line without its CR; nullopt on time-out or when the peer closed.
    std::optional<std::string> Receive(milliseconds timeout = milliseconds(3000)) {
        const auto end = Clock::now() + timeout;
        for (;;) {
            auto cr = buffer_.find('\r');
            if (cr != std::string::npos) {
                std::string line = buffer_.substr(0, cr);
                buffer_.erase(0, cr + 1);
                return line;
            }
            auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now()).count();
            if (left <= 0)
                return std::nullopt;
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left)) <= 0)
                continue;
            char buf[8192];
            ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0) {
                closed_ = true;
                return std::nullopt;
            }
            buffer_.append(buf, static_cast<size_t>(n));
        }
    }
    std::string Exchange(const std::string& frame) {
        Send(frame);
        return Receive().value_or("<no reply>");
    }
    // A multi-frame read: the data of every frame, following the '&' marks.
    std::string ReadAll(const std::string& request, int* frames = nullptr) {
        const char start = request[0];
        std::string data, reply = Exchange(request);
        int count = 0;
        for (;;) {
            ++count;
            bool more = !reply.empty() && reply.back() == '&';
            std::string body = reply.substr(0, reply.size() - (more ? 3 : 2));
            EXPECT_EQ(reply.substr(body.size(), 2), Cc(body)) << reply;
            data += body.substr(count == 1 ? 6 : 3);
            if (!more)
                break;
            reply = Exchange(F(std::string(1, start) + "EE", true));
        }
        if (frames)
            *frames = count;
        return data;
    }

private:
    int fd_;
    bool closed_ = false;
    std::string buffer_;
};

std::unique_ptr<RawClient> ConnectTcp(uint16_t port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        fd = -1;
    }
    return std::make_unique<RawClient>(fd);
}

std::unique_ptr<RawClient> OpenPty(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        termios t{};
        ::tcgetattr(fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    return std::make_unique<RawClient>(fd);
}

std::string PtyPath() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "unitsim_" + std::to_string(::getpid()) + "_" + info->name();
}

class UnitSimTcp : public ::testing::Test {
protected:
    void SetUp() override {
        port = sim.StartTcp();
        ASSERT_NE(port, 0);
        client = ConnectTcp(port);
        ASSERT_TRUE(client->ok());
    }
    UnitSimulator sim;
    uint16_t port = 0;
    std::unique_ptr<RawClient> client;
};

TEST(UnitSimFrames, KnownCheckCodes) {
    EXPECT_EQ(Cc("%EE#RT"), "00");
    EXPECT_EQ(Cc("%EE#RCSR999E"), "6A");
    EXPECT_EQ(Cc("<EE#3A0000000000000000"), "6D");
    EXPECT_EQ(Cc("<EE#3A000000000001FFFF"), "6C");
    EXPECT_EQ(Cc("<EE"), "3C");
    EXPECT_EQ(Scramble('a'), 0xA7);
    EXPECT_EQ(Scramble('b'), 0x67);
    EXPECT_EQ(Scramble('c'), 0x27);
}

TEST_F(UnitSimTcp, StatusContactsModeAndSmallCommands) {
    EXPECT_EQ(client->Exchange("%EE#RT00"), F("%EE$RT9123202000000000"));
    sim.SetRunMode(true);
    sim.SetUnitType(0x42);
    std::string status = client->Exchange("%EE#RT00");
    EXPECT_EQ(status.substr(0, 8), "%EE$RT42");
    EXPECT_EQ((status[13] - '0') & 1, 1) << status; // bit 0 of the mode byte: RUN

    sim.SetContact("R999E", true);
    EXPECT_EQ(client->Exchange("%EE#RCSR999E6A"), F("%EE$RC1"));
    EXPECT_EQ(client->Exchange(F("%EE#RCSR999F")), F("%EE$RC0"));
    EXPECT_EQ(client->Exchange(F("%EE#WCSR999F1")), F("%EE$WC"));
    EXPECT_TRUE(sim.Contact("R999F"));
    EXPECT_EQ(client->Exchange(F("%EE#RCCR09840999")),
              F("%EE$RC" + std::string(15 * 4, '0') + "00C0"));

    EXPECT_EQ(client->Exchange(F("%EE#RMP")), F("%EE$RM"));
    EXPECT_FALSE(sim.RunMode());
    EXPECT_EQ(client->Exchange(F("%EE#0F")), F("%EE$0F"));
    EXPECT_EQ(sim.ClearCount(), 1);
    EXPECT_EQ(client->Exchange(F("%EE#1D5")), F("%EE$1D"));

    EXPECT_EQ(client->Exchange("%EE#RT01"), F("%EE!41"));   // wrong check code
    EXPECT_EQ(client->Exchange(F("%EE#ZZ")), F("%EE!42"));  // unknown command
    EXPECT_EQ(client->Exchange(F("%EE#RMX")), F("%EE!60")); // bad argument

    auto t = sim.Transcript();
    ASSERT_GE(t.size(), 2u);
    EXPECT_FALSE(t[0].fromUnit);
    EXPECT_EQ(t[0].frame, "%EE#RT00");
    EXPECT_TRUE(t[1].fromUnit);
}

TEST_F(UnitSimTcp, DataRegisters) {
    EXPECT_EQ(client->Exchange(F("%EE#WDD9005490057"
                                 "3412"
                                 "7856"
                                 "BC9A"
                                 "F0DE")),
              F("%EE$WD"));
    EXPECT_EQ(sim.DataRegister(90054), 0x1234);
    EXPECT_EQ(sim.DataRegister(90057), 0xDEF0);
    EXPECT_EQ(client->Exchange(F("%EE#RDD9005490055")), F("%EE$RD34127856"));
    sim.SetDataRegister(90153, 0x00FF);
    EXPECT_EQ(client->Exchange("%EE#RDD901539015354"), F("%EE$RDFF00"));

    sim.SetReplyChunk(8, 64); // '<' RD is multi-frame
    EXPECT_EQ(client->Exchange(F("<EE#RDD9005490057")), F("<EE$RD34127856", true));
    EXPECT_EQ(client->Exchange("<EE3C&"), F("<EEBC9AF0DE"));
}

TEST_F(UnitSimTcp, BlockReadMultiFrame) {
    const auto image = Pattern();
    sim.SetImage(image);
    EXPECT_EQ(client->Exchange("<EE#3A00000000000000006D"), F("<EE$3A" + BytesHex(image, 0, 1)));

    sim.SetReplyChunk(10, 64);
    int frames = 0;
    EXPECT_EQ(client->ReadAll(F("<EE#3A000000100000001F"), &frames), BytesHex(image, 16, 16));
    EXPECT_EQ(frames, 4); // 10 + 10 + 10 + 2 characters
    EXPECT_EQ(client->ReadAll(F("%EE#3A000000000000003F"), &frames), BytesHex(image, 0, 64));
    EXPECT_EQ(frames, 2); // 64 + 64

    sim.SetReplyChunk(2000, 64);
    EXPECT_EQ(client->ReadAll("<EE#3A000000000001FFFF6C", &frames), BytesHex(image, 0, kImageSize));
    EXPECT_EQ(frames, 132);
    // A continuation request with nothing to continue.
    EXPECT_EQ(client->Exchange("<EE3C&"), F("<EE!43"));
}

TEST_F(UnitSimTcp, BlockWriteChunked) {
    EXPECT_EQ(client->Exchange(F("<EE#3B0000000000000013"
                                 "0001020304050607",
                                 true)),
              F("<EE$3B", true));
    EXPECT_EQ(client->Exchange(F("<EE"
                                 "08090A0B0C0D0E0F",
                                 true)),
              F("<EE$3B", true));
    EXPECT_EQ(client->Exchange(F("<EE"
                                 "10111213")),
              F("<EE$3B"));
    auto image = sim.Image();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(image[i], i);
    EXPECT_EQ(image[20], 0);

    // The whole image in the program's frames of 1010 and 1020 bytes.
    const auto pattern = Pattern();
    size_t sent = 1010;
    std::string reply =
        client->Exchange(F("<EE#3B000000000001FFFF" + BytesHex(pattern, 0, sent), true));
    int frames = 1;
    while (reply == F("<EE$3B", true)) {
        size_t n = std::min<size_t>(1020, kImageSize - sent);
        reply = client->Exchange(F("<EE" + BytesHex(pattern, sent, n), sent + n < kImageSize));
        sent += n;
        ++frames;
    }
    EXPECT_EQ(reply, F("<EE$3B"));
    EXPECT_EQ(sent, kImageSize);
    EXPECT_EQ(frames, 129); // 1010, 127 x 1020, 522
    EXPECT_EQ(sim.Image(), pattern);

    // Data short of the range in a last frame; RUN mode; outside the image.
    EXPECT_EQ(client->Exchange(F("<EE#3B0000000000000003"
                                 "0001")),
              F("<EE!43"));
    EXPECT_EQ(client->Exchange(F("<EE#3B0001FFFF00020000"
                                 "0102")),
              F("<EE!60"));
    sim.SetRunMode(true);
    EXPECT_EQ(client->Exchange(F("<EE#3B0000000000000000"
                                 "55")),
              F("<EE!63"));
    sim.SetRunMode(false);

    // With R999F on, a write is a firmware update: any range, not into the image.
    const auto before = sim.Image();
    sim.SetContact("R999F", true);
    EXPECT_EQ(client->Exchange(F("<EE#3B0001FFFF00020000"
                                 "0102")),
              F("<EE$3B"));
    EXPECT_FALSE(sim.Contact("R999F"));
    EXPECT_EQ(sim.Image(), before);
}

// Every frame of a chunked request is acknowledged in the form chosen; other
// replies and error frames keep theirs.
TEST_F(UnitSimTcp, AcknowledgementForms) {
    const struct {
        AckForm form;
        const char* write; // what follows "<EE" in the acknowledgement of a write frame
        const char* login; // ... of a file login
    } cases[] = {
        {AckForm::Echo, "$3B", "$5V"},
        {AckForm::Mark, "$", "$"},
        {AckForm::Bare, "", ""},
    };
    sim.SetFileUser("u", "p");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.write);
        sim.SetAckForm(c.form);
        const std::string ack = std::string("<EE") + c.write;
        EXPECT_EQ(client->Exchange(F("<EE#3B0000000000000003"
                                     "0102",
                                     true)),
                  F(ack, true));
        EXPECT_EQ(client->Exchange(F("<EE"
                                     "0304")),
                  F(ack));
        EXPECT_EQ(sim.Image()[3], 4);
        EXPECT_EQ(client->Exchange(F("<EE#5V75", true)), F(std::string("<EE") + c.login, true));
        EXPECT_EQ(client->Exchange(F("<EE0A70")), F(std::string("<EE") + c.login));
        EXPECT_TRUE(sim.FileLoggedIn());
        EXPECT_EQ(client->Exchange(F("<EE#3B0000000000000003"
                                     "01")),
                  F("<EE!43")); // the data ends short of the range
        EXPECT_EQ(client->Exchange(F("%EE#RCSR999E")), F("%EE$RC0"));
        EXPECT_EQ(client->Exchange(F("%EE#5W")), F("%EE$5W"));
    }
}

TEST_F(UnitSimTcp, LoginWithScrambledPassword) {
    EXPECT_EQ(PasswordFrame('A', "abc"), F("%EE#15AA76727"
                                           "7F7F7F7F7F"));
    sim.SetPassword("abc");
    EXPECT_EQ(client->Exchange("<EE#3A00000000000000006D"), F("<EE!65"));
    EXPECT_EQ(client->Exchange(F("<EE#3B0000000000000000"
                                 "00")),
              F("<EE!65"));
    EXPECT_EQ(client->Exchange(PasswordFrame('A', "abd")), F("%EE!61"));
    EXPECT_FALSE(sim.LoggedIn());
    EXPECT_EQ(client->Exchange(PasswordFrame('8', "new")), F("%EE!61")); // not logged in
    EXPECT_EQ(client->Exchange(F("%EE#159")), F("%EE!61"));

    EXPECT_EQ(client->Exchange(PasswordFrame('A', "abc")), F("%EE$15"));
    EXPECT_TRUE(sim.LoggedIn());
    // The program reads on a new connection.
    auto other = ConnectTcp(port);
    EXPECT_EQ(other->Exchange("<EE#3A00000000000000006D"), F("<EE$3A00"));

    EXPECT_EQ(other->Exchange(PasswordFrame('8', "xy")), F("%EE$15"));
    EXPECT_EQ(sim.Password(), "xy");
    EXPECT_EQ(other->Exchange(F("%EE#15B")), F("%EE$15"));
    EXPECT_FALSE(sim.LoggedIn());
    EXPECT_EQ(other->Exchange(PasswordFrame('A', "abc")), F("%EE!61"));
    EXPECT_EQ(other->Exchange(PasswordFrame('A', "xy")), F("%EE$15"));
    EXPECT_EQ(other->Exchange(F("%EE#159")), F("%EE$15"));
    EXPECT_EQ(sim.Password(), "");
}

TEST_F(UnitSimTcp, TwoClientsShareOneUnit) {
    auto second = ConnectTcp(port);
    EXPECT_EQ(client->Exchange(F("%EE#WDD9005490054"
                                 "3412")),
              F("%EE$WD"));
    EXPECT_EQ(second->Exchange(F("%EE#RDD9005490054")), F("%EE$RD3412"));
    // Interleaved multi-frame reads keep their own place.
    sim.SetImage(Pattern());
    sim.SetReplyChunk(4, 64);
    EXPECT_EQ(client->Exchange(F("<EE#3A0000000000000003")),
              F("<EE$3A" + BytesHex(Pattern(), 0, 2), true));
    EXPECT_EQ(second->Exchange(F("<EE#3A0000001000000013")),
              F("<EE$3A" + BytesHex(Pattern(), 16, 2), true));
    EXPECT_EQ(client->Exchange("<EE3C&"), F("<EE" + BytesHex(Pattern(), 2, 2)));
    EXPECT_EQ(second->Exchange("<EE3C&"), F("<EE" + BytesHex(Pattern(), 18, 2)));
    EXPECT_EQ(sim.ConnectionCount(), 2);
}

// One table over the fault kinds: each case on a fresh simulator.
struct FaultCase {
    const char* name;
    Fault fault;
    std::function<void(RawClient&, UnitSimulator&)> check;
};

Fault MakeFault(FaultKind kind, const char* command, uint8_t code = 0, int delayMs = 0) {
    Fault f;
    f.kind = kind;
    f.command = command;
    f.errorCode = code;
    f.delay = milliseconds(delayMs);
    return f;
}

TEST(UnitSimFaults, EveryKind) {
    const std::string rt = "%EE#RT00";
    const std::string rtReply = F("%EE$RT9123202000000000");
    const std::string write = F("<EE#3B0000000000000003"
                                "0102",
                                true);
    const std::vector<FaultCase> cases = {
        {"NoReply", MakeFault(FaultKind::NoReply, "RT"),
         [&](RawClient& c, UnitSimulator&) {
             c.Send(rt);
             EXPECT_FALSE(c.Receive(milliseconds(300)));
             EXPECT_EQ(c.Exchange(rt), rtReply); // once only
         }},
        {"Garbage", MakeFault(FaultKind::Garbage, "RT"),
         [&](RawClient& c, UnitSimulator&) { EXPECT_EQ(c.Exchange(rt), "??GARBAGE\xFF??"); }},
        {"WrongCheckCode", MakeFault(FaultKind::WrongCheckCode, "RT"),
         [&](RawClient& c, UnitSimulator&) {
             std::string r = c.Exchange(rt);
             EXPECT_EQ(r.substr(0, r.size() - 2), rtReply.substr(0, rtReply.size() - 2));
             EXPECT_NE(r, rtReply);
         }},
        {"ErrorFrame", MakeFault(FaultKind::ErrorFrame, "RT", 0x63),
         [&](RawClient& c, UnitSimulator&) { EXPECT_EQ(c.Exchange(rt), F("%EE!63")); }},
        {"Busy", MakeFault(FaultKind::Busy, "3B"),
         [&](RawClient& c, UnitSimulator& sim) {
             EXPECT_EQ(c.Exchange(write), F("<EE!81"));
             EXPECT_EQ(sim.Image()[0], 0); // not taken
             EXPECT_EQ(c.Exchange(write), F("<EE$3B", true));
             EXPECT_EQ(c.Exchange(F("<EE"
                                    "0304")),
                       F("<EE$3B"));
             EXPECT_EQ(sim.Image()[3], 4);
         }},
        {"Disconnect", MakeFault(FaultKind::Disconnect, "RT"),
         [&](RawClient& c, UnitSimulator&) {
             c.Send(rt);
             EXPECT_FALSE(c.Receive());
             EXPECT_TRUE(c.closed());
         }},
        {"LateReply", MakeFault(FaultKind::LateReply, "RT", 0, 250),
         [&](RawClient& c, UnitSimulator&) {
             auto t0 = Clock::now();
             EXPECT_EQ(c.Exchange(rt), rtReply);
             EXPECT_GE(Clock::now() - t0, milliseconds(250));
         }},
        {"Oversize", MakeFault(FaultKind::Oversize, "RT"),
         [&](RawClient& c, UnitSimulator&) {
             std::string r = c.Exchange(rt);
             EXPECT_GE(r.size(), 4096u);
             EXPECT_EQ(r.substr(0, 6), "%EE$RT");
         }},
        {"Oversize, late", MakeFault(FaultKind::Oversize, "RT", 0, 250),
         [&](RawClient& c, UnitSimulator&) {
             auto t0 = Clock::now();
             EXPECT_GE(c.Exchange(rt).size(), 4096u);
             EXPECT_GE(Clock::now() - t0, milliseconds(250));
         }},
        {"Garbage, late", MakeFault(FaultKind::Garbage, "RT", 0, 250),
         [&](RawClient& c, UnitSimulator&) {
             c.Send(rt);
             EXPECT_FALSE(c.Receive(milliseconds(150)));
             EXPECT_EQ(c.Receive(), "??GARBAGE\xFF??");
         }},
        {"ShortReply", MakeFault(FaultKind::ShortReply, "3A"),
         [&](RawClient& c, UnitSimulator&) {
             EXPECT_EQ(c.Exchange(F("<EE#3A0000000000000007")), F("<EE$3A"
                                                                  "00000000"));
         }},
        {"EndEarly", MakeFault(FaultKind::EndEarly, "3B"),
         [&](RawClient& c, UnitSimulator&) { EXPECT_EQ(c.Exchange(write), F("<EE$3B")); }},
    };
    for (const FaultCase& fc : cases) {
        SCOPED_TRACE(fc.name);
        UnitSimulator sim;
        auto c = ConnectTcp(sim.StartTcp());
        ASSERT_TRUE(c->ok());
        sim.InjectFault(fc.fault);
        fc.check(*c, sim);
    }
}

TEST_F(UnitSimTcp, FaultCountersAndContinuationFrames) {
    Fault f = MakeFault(FaultKind::ErrorFrame, "RT", 0x63);
    f.skip = 1;
    f.times = 2;
    sim.InjectFault(f);
    const std::string ok = F("%EE$RT9123202000000000");
    EXPECT_EQ(client->Exchange(F("%EE#RCSR999E")), F("%EE$RC0")); // another command
    EXPECT_EQ(client->Exchange("%EE#RT00"), ok);
    EXPECT_EQ(client->Exchange("%EE#RT00"), F("%EE!63"));
    EXPECT_EQ(client->Exchange("%EE#RT00"), F("%EE!63"));
    EXPECT_EQ(client->Exchange("%EE#RT00"), ok);

    // A continuation request counts as the read it continues.
    sim.SetReplyChunk(2, 64);
    Fault d = MakeFault(FaultKind::Disconnect, "3A");
    d.skip = 1;
    sim.InjectFault(d);
    EXPECT_EQ(client->Exchange(F("<EE#3A0000000000000003")), F("<EE$3A00", true));
    client->Send("<EE3C&");
    EXPECT_FALSE(client->Receive());
    EXPECT_TRUE(client->closed());
}

class UnitSimPty : public ::testing::Test {
protected:
    void TearDown() override {
        sim.Stop();
        EXPECT_NE(::access(path.c_str(), F_OK), 0); // the link is gone
    }
    UnitSimulator sim;
    std::string path = PtyPath();
};

TEST_F(UnitSimPty, OpenAndClosePerCommand) {
    ASSERT_TRUE(sim.StartPty(path));
    const auto image = Pattern();
    sim.SetImage(image);
    sim.SetReplyChunk(100, 64);
    for (int i = 0; i < 3; ++i) {
        auto c = OpenPty(path);
        ASSERT_TRUE(c->ok());
        ASSERT_EQ(::ioctl(c->fd(), TIOCEXCL), 0); // as the program opens its port
        EXPECT_EQ(c->Exchange("%EE#RT00"), F("%EE$RT9123202000000000"));
        int exclusive = -1; // cleared by the simulator, so that a non-root reopen works
        ASSERT_EQ(::ioctl(c->fd(), TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0);
    }
    {
        auto c = OpenPty(path);
        EXPECT_EQ(c->ReadAll(F("<EE#3A00000000000000FF")), BytesHex(image, 0, 256));
    }
    {
        auto c = OpenPty(path);
        EXPECT_EQ(c->Exchange(F("<EE#3B0000000000000001"
                                "AA",
                                true)),
                  F("<EE$3B", true));
        EXPECT_EQ(c->Exchange(F("<EE"
                                "BB")),
                  F("<EE$3B"));
    }
    EXPECT_EQ(sim.Image()[1], 0xBB);
    {
        auto c = OpenPty(path); // a request given up half-way
        c->SendRaw("%EE#RC");
    }
    auto c = OpenPty(path);
    EXPECT_EQ(c->Exchange("%EE#RCSR999E6A"), F("%EE$RC0"));
}

TEST_F(UnitSimPty, DisconnectDropsTheRestOfTheRequest) {
    ASSERT_TRUE(sim.StartPty(path));
    Fault f = MakeFault(FaultKind::Disconnect, "3B");
    f.skip = 1;
    sim.InjectFault(f);
    auto c = OpenPty(path);
    EXPECT_EQ(c->Exchange(F("<EE#3B0000000000000002"
                            "01",
                            true)),
              F("<EE$3B", true));
    c->Send(F("<EE"
              "02",
              true));
    EXPECT_FALSE(c->Receive(milliseconds(300)));
    c->Send(F("<EE"
              "03"));
    EXPECT_FALSE(c->Receive(milliseconds(300)));
    EXPECT_EQ(c->Exchange("%EE#RT00"), F("%EE$RT9123202000000000"));
}

// Paced by the character's bits on the line: 10 for 8N1, 11 for 8O1.
TEST_F(UnitSimPty, PacedAtTheBaudRate) {
    const int baud = 38400;
    for (double bits : {10.0, 11.0}) {
        SCOPED_TRACE(bits);
        UnitSimulator paced;
        const std::string at = path + "_" + std::to_string(static_cast<int>(bits));
        ASSERT_TRUE(paced.StartPty(at, baud, bits));
        auto c = OpenPty(at);
        const std::string request = F("<EE#3A00000000000000C7"); // 200 bytes
        const auto t0 = Clock::now();
        std::string reply = c->Exchange(request);
        const double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
        ASSERT_EQ(reply.size(), 6 + 400 + 2u);
        const double wire =
            static_cast<double>(request.size() + 1 + reply.size() + 1) * bits / baud;
        std::printf("paced exchange, %.0f bits a character: %.1f ms for %.1f ms of wire time "
                    "(%.3fx)\n",
                    bits, elapsed * 1000, wire * 1000, elapsed / wire);
        EXPECT_GE(elapsed, 0.95 * wire);
    }
}

} // namespace
} // namespace unitsim
