// The simulator's search responder and file service against hand-written
// bytes: the search over loopback (the replies sent back to the requester,
// no broadcast), the file commands as raw frames over TCP.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/unitsim/UnitSimulator.h"

namespace unitsim {
namespace {

std::string Cc(const std::string& body) {
    unsigned x = 0;
    for (unsigned char c : body)
        x ^= c;
    char b[3];
    std::snprintf(b, sizeof b, "%02X", x);
    return b;
}

std::string F(const std::string& body, bool more = false) {
    return body + Cc(body) + (more ? "&" : "");
}

std::string Hex(const std::string& bytes) {
    std::string s;
    char b[3];
    for (unsigned char c : bytes) {
        std::snprintf(b, sizeof b, "%02X", c);
        s += b;
    }
    return s;
}

// Waits up to two seconds for one datagram.
std::vector<uint8_t> ReceiveDatagram(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 2000) <= 0)
        return {};
    uint8_t buffer[2048];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    return n > 0 ? std::vector<uint8_t>(buffer, buffer + n) : std::vector<uint8_t>();
}

TEST(SimSearch, RepliesInTheReplyLayout) {
    UnitSimulator sim;
    sim.SetSearchReplyTo(SearchReplyTo::Sender);
    SearchUnit a;
    a.mark = 0xC0;
    a.status = 3;
    a.onOff = 1;
    a.ip = 0x0A4D0015; // 10.77.0.21
    a.mask = 0xFFFFFF00;
    a.gateway = 0x0A4D0001;
    a.mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    a.versionMajor = 2;
    a.versionMinor = 0x1E;
    a.tcpPort = 9094;
    a.run = 0;
    a.model = 0x2C;
    a.name = "AB";
    a.trailer = {0xF1, 0xF2, 0xF3, 0xF4};
    a.copies = 2;
    SearchUnit lying = a;
    lying.copies = 1;
    lying.nameLength = 40; // says more than it sends
    lying.length = 30;     // and is cut before its length byte
    sim.AddSearchUnit(a);
    sim.AddSearchUnit(lying);
    const uint16_t port = sim.StartUdp("127.0.0.1", 0);
    ASSERT_NE(port, 0);

    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    // Not a request: no answer. Then the request.
    const uint8_t other[] = {0x88, 0xC0, 0x00};
    const uint8_t request[] = {0x88, 0x40, 0x00};
    ASSERT_EQ(::sendto(fd, other, 3, 0, reinterpret_cast<sockaddr*>(&to), sizeof to), 3);
    ASSERT_EQ(::sendto(fd, request, 3, 0, reinterpret_cast<sockaddr*>(&to), sizeof to), 3);

    const std::vector<uint8_t> expected = {
        0x88, 0xC0, 0x03, 0x01, 10,   77,   0,    21,   255,  255,  255,  0,    10,
        77,   0,    1,    0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x02, 0x1E, 0x23, 0x86,
        0x00, 0x2C, 0,    0,    0,    2,    'A',  'B',  0xF1, 0xF2, 0xF3, 0xF4};
    EXPECT_EQ(ReceiveDatagram(fd), expected);
    EXPECT_EQ(ReceiveDatagram(fd), expected); // the same reply again
    EXPECT_EQ(ReceiveDatagram(fd), std::vector<uint8_t>(expected.begin(), expected.begin() + 30));
    EXPECT_EQ(sim.SearchRequestCount(), 1);
    ::close(fd);
}

// One TCP client that sends frames and reads reply lines.
class FileFrames : public ::testing::Test {
protected:
    void SetUp() override {
        sim.SetFileUser("op", "pw");
        sim.AddUnitFile("/SD/A.TXT", "hello");
        sim.AddUnitFolder("/SD/EMPTY");
        const uint16_t port = sim.StartTcp();
        ASSERT_NE(port, 0);
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
    }
    void TearDown() override { ::close(fd); }

    std::string Ask(const std::string& frame) {
        const std::string out = frame + '\r';
        EXPECT_EQ(::send(fd, out.data(), out.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(out.size()));
        std::string line;
        char c = 0;
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, 2000) > 0 && ::recv(fd, &c, 1, 0) == 1 && c != '\r')
            line += c;
        return line;
    }

    UnitSimulator sim;
    int fd = -1;
};

TEST_F(FileFrames, TheFileCommandsOnTheWire) {
    EXPECT_EQ(Ask(F("<EE#6E")), F("<EE!62")); // no file session yet
    // The login text in two frames: the first is acknowledged with '&'.
    const std::string login = Hex("op") + "0A" + Hex("pw");
    EXPECT_EQ(Ask(F("%EE#5V" + login.substr(0, 4), true)), F("%EE$5V", true));
    EXPECT_EQ(Ask(F("%EE" + login.substr(4))), F("%EE$5V"));
    EXPECT_TRUE(sim.FileLoggedIn());
    EXPECT_EQ(Ask(F("<EE#6C")), F("<EE$6C01" + Hex("/")));
    EXPECT_EQ(Ask(F("<EE#6B01" + Hex("/SD"))), F("<EE$6B"));
    EXPECT_EQ(Ask(F("<EE#6E")),
              F("<EE$6E01" + Hex("-rw-rw-rw- 1 unit 5 2024/06/15 09:30 A.TXT\r\n"
                                 "drwxrwxrwx 1 unit 0 2024/06/15 09:30 EMPTY\r\n")));
    EXPECT_EQ(Ask(F("<EE#6D01" + Hex("A.TXT"))), F("<EE$6D" + Hex("hello")));
    EXPECT_EQ(Ask(F("<EE#6D" + Hex("A.TXT"))), F("<EE$6D" + Hex("hello"))); // no field
    EXPECT_EQ(Ask(F("<EE#6B01" + Hex("EMPTY"))), F("<EE$6B"));
    EXPECT_EQ(Ask(F("<EE#6E")), F("<EE$6E01")); // an empty folder: the field alone
    EXPECT_EQ(Ask(F("%EE#5Z")), F("%EE$5Z"));
    EXPECT_EQ(Ask(F("<EE#5Y01" + Hex("EMPTY"))), F("<EE$5Y"));
    EXPECT_FALSE(sim.UnitPathExists("/SD/EMPTY"));
    EXPECT_EQ(Ask(F("<EE#5X01" + Hex("NONE"))), F("<EE!66"));
    EXPECT_EQ(Ask(F("%EE#5W")), F("%EE$5W"));
    EXPECT_FALSE(sim.FileLoggedIn());
}

} // namespace
} // namespace unitsim
