// The unit search against the simulator's search responder. It broadcasts,
// so this program runs only inside the network namespace that
// tests/link/in_private_netns.sh makes for it: loopback and the veth pair
// qv0 (10.77.0.1) - qv1 (10.77.0.2), nothing else. Anywhere else it refuses
// to start and reports itself skipped.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "link/UnitComm.h"
#include "link/UnitSearch.h"
#include "tests/TestPaths.h"
#include "tests/link/LinkFakes.h"
#include "tools/unitsim/SimUdp.h"
#include "tools/unitsim/UnitSimulator.h"

namespace qv::test {
namespace {

using namespace link_result;
using unitsim::SearchUnit;

// The search's waits pass on a clock of our own: every 100 ms it sleeps
// moves the clock 100 ms on and takes 4 ms of real time, so the 8-second
// window passes in about a third of a second while the replies still have
// time to come in.
class FastClock : public Sleeper, public TickSource {
public:
    void SleepMs(int ms) override {
        now += ms;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms / 25));
    }
    int64_t NowMs() override { return now; }
    int64_t now = 0;
};

using SearchProgress = test::FakeProgress;

SearchUnit Unit(uint8_t macTail, const std::string& name) {
    SearchUnit u;
    u.mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, macTail};
    u.ip = 0x0A4D0000u | macTail; // 10.77.0.x
    u.name = name;
    return u;
}

class UnitSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim = std::make_unique<unitsim::UnitSimulator>();
        ASSERT_EQ(sim->StartUdp("0.0.0.0", kSearchPort), kSearchPort);
    }

    LinkResult Search() {
        link = std::make_unique<CUnitComm>(profile, kCodePageJapanese, &progress, nullptr, clock);
        link->UdpPort = udpPort;
        const LinkResult r = SearchUnits(units, *link, "Searching for units", count, clock);
        lastError = link->LastError;
        return r;
    }

    MemoryProfile profile;
    FastClock clock;
    SearchProgress progress;
    uint16_t udpPort = kSearchPort;
    std::unique_ptr<unitsim::UnitSimulator> sim;
    std::unique_ptr<CUnitComm> link;
    std::vector<UnitData> units;
    int count = -1;
    uint32_t lastError = 0;
};

TEST_F(UnitSearchTest, EveryUnitOnceWithItsRecord) {
    SearchUnit a = Unit(0x21, "UNIT-A");
    a.versionMajor = 2;
    a.versionMinor = 0x1E;
    a.tcpPort = 0x2386;
    a.run = 1;
    a.onOff = 1;
    a.trailer = {1, 2, 3, 4};
    SearchUnit b = Unit(0x22, "\x83\x8D\x83\x4F\x95\x5C"); // code page 932 bytes
    b.copies = 2;                                          // its reply comes twice
    b.run = 0;
    b.onOff = 0;
    b.tcpPort = 9095;
    SearchUnit c = Unit(0x23, "UNIT-C");
    c.mark = 0x00; // a reply without status
    sim->AddSearchUnit(a);
    sim->AddSearchUnit(b);
    sim->AddSearchUnit(c);

    EXPECT_EQ(Search(), kSearchStatusNoMark); // the last reply's
    EXPECT_EQ(sim->SearchRequestCount(), 1);
    ASSERT_EQ(count, 3);
    ASSERT_EQ(units.size(), 3u);
    EXPECT_STREQ(units[0].Name, "UNIT-A");
    EXPECT_STREQ(units[1].Name, "\x83\x8D\x83\x4F\x95\x5C");
    EXPECT_STREQ(units[2].Name, "UNIT-C");

    const UnitData& r = units[0];
    EXPECT_EQ(r.OnOffFlag, 1);
    EXPECT_STREQ(r.IPAddress, "10.77.0.33");
    EXPECT_STREQ(r.SubnetMask, "255.255.255.0");
    EXPECT_STREQ(r.Gateway, "192.168.1.1");
    EXPECT_STREQ(r.MacAddress, "00:1A:2B:3C:4D:21");
    EXPECT_EQ(r.VersionMajor, 2);
    EXPECT_EQ(r.VersionMinor, 0x1E);
    EXPECT_EQ(r.TcpPort, 9094u);
    EXPECT_EQ(r.RunFlag, 1);
    EXPECT_EQ(r.ModelCode, kSearchModelCode);
    EXPECT_EQ(r.NameLength, 6);
    EXPECT_EQ(r.Trailer0, 1);
    EXPECT_EQ(r.Trailer1, 2);
    EXPECT_EQ(r.Trailer2, 3);
    EXPECT_EQ(r.Trailer3, 4);
    EXPECT_EQ(units[1].OnOffFlag, 0);
    EXPECT_EQ(units[1].RunFlag, 0);
    EXPECT_EQ(units[1].TcpPort, 9095u);
    EXPECT_EQ(units[1].NameLength, 6);

    // The wait dialog: the caller's text over 80 steps, up once and down once.
    EXPECT_EQ(progress.begins, 1);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(progress.text, "Searching for units");
    EXPECT_EQ(progress.rangeMax, kSearchProgressSteps);
    EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
    EXPECT_EQ(progress.positions.back(), kSearchProgressSteps);
}

// What came in, in order, decides the result and the list.
TEST_F(UnitSearchTest, StatusAndListByWhatCameIn) {
    SearchUnit withStatus3 = Unit(0x31, "S3");
    withStatus3.status = 3;
    SearchUnit foreign = Unit(0x32, "OTHER");
    foreign.model = 0x2B;
    foreign.status = 7;
    SearchUnit second = Unit(0x31, "SECOND"); // the MAC of withStatus3
    second.status = 9;
    std::vector<uint8_t> echo = unitsim::SearchReplyDatagram(Unit(0x33, "ECHO"));
    echo[1] = kSearchEcho; // a record behind an echo's mark is still an echo

    struct Case {
        const char* what;
        std::vector<SearchUnit> replies;
        std::vector<std::vector<uint8_t>> datagrams; // after the replies
        LinkResult result;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"a status of 3 with 0xC0", {withStatus3}, {}, 3, {"S3"}},
        {"a foreign model: dropped, its status kept", {withStatus3, foreign}, {}, 7, {"S3"}},
        {"a second reply of a MAC: the first kept", {withStatus3, second}, {}, 9, {"S3"}},
        {"a datagram that is no reply",
         {withStatus3},
         {{0x12, 0x34, 0x56}},
         kSearchNotAReply,
         {"S3"}},
        {"an echo changes nothing", {withStatus3}, {echo}, 3, {"S3"}},
        {"only an echo", {}, {echo}, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim->ClearSearchUnits();
        for (const auto& u : c.replies)
            sim->AddSearchUnit(u);
        for (const auto& d : c.datagrams)
            sim->AddSearchDatagram(d);
        progress = SearchProgress();
        EXPECT_EQ(Search(), c.result);
        std::vector<std::string> names;
        for (const auto& u : units)
            names.push_back(u.Name);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(count, static_cast<int>(c.names.size()));
    }
}

TEST_F(UnitSearchTest, NoUnitGivesNothingAfterTheWholeWindow) {
    // Our own broadcast comes back as an echo; nothing else comes.
    EXPECT_EQ(Search(), 0);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(units.empty());
    EXPECT_EQ(sim->SearchRequestCount(), 1);
    // A poll every 100 ms until 8 s have passed: about 80 of them.
    EXPECT_GE(clock.now, kSearchWindowMs);
    EXPECT_GE(progress.pumps, 80);
    EXPECT_LE(progress.pumps, 82);
    EXPECT_EQ(progress.positions.back(), kSearchProgressSteps);
    EXPECT_EQ(progress.ends, 1);
}

TEST_F(UnitSearchTest, CancelKeepsTheUnitsFoundSoFar) {
    for (uint8_t tail : {0x41, 0x42, 0x43})
        sim->AddSearchUnit(Unit(tail, "U" + std::to_string(tail)));
    progress.onPump = [this] { return units.size() >= 2; };
    EXPECT_EQ(Search(), kCancelled);
    EXPECT_EQ(count, 2);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_STREQ(units[1].MacAddress, "00:1A:2B:3C:4D:42");
    EXPECT_EQ(progress.ends, 1);
    EXPECT_LT(clock.now, kSearchWindowMs);
}

// A search that cannot run says so; it never looks like a LAN without units.
TEST_F(UnitSearchTest, SocketFailuresAreFailures) {
    sim->AddSearchUnit(Unit(0x51, "THERE"));
    struct Case {
        const char* what;
        const wchar_t* pcAddress;
        uint16_t port;
        bool closeAtFirstPoll;
        LinkResult result;
        uint32_t lastError;
        bool progressShown;
    };
    const Case cases[] = {
        {"bind to an address of no adapter", L"10.77.0.9", kSearchPort, false, kSocketBind,
         EADDRNOTAVAIL, false},
        {"bind to no address", L"10.77.0", kSearchPort, false, kSocketBind, EINVAL, false},
        {"broadcast refused (port 0)", L"", 0, false, kUdpSend, EINVAL, false},
        {"receive fails", L"", kSearchPort, true, kUdpRecv, EBADF, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        profile.WriteText(kCommSection, "PCIPAddr", c.pcAddress);
        udpPort = c.port;
        progress = SearchProgress();
        if (c.closeAtFirstPoll)
            progress.onPump = [this] {
                link->CloseUdp();
                return false;
            };
        const int before = sim->SearchRequestCount();
        EXPECT_EQ(Search(), c.result);
        EXPECT_EQ(lastError, c.lastError);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(progress.begins, c.progressShown ? 1 : 0);
        EXPECT_EQ(progress.ends, progress.begins);
        if (!c.progressShown) {
            EXPECT_EQ(sim->SearchRequestCount(), before); // nothing went out
        }
    }
}

TEST_F(UnitSearchTest, WithThePcAddressTheSocketIsBoundToIt) {
    // A socket bound to one address receives no broadcast here: a unit that
    // answers the sender directly is found.
    profile.WriteText(kCommSection, "PCIPAddr", L"10.77.0.1");
    sim->SetSearchReplyTo(unitsim::SearchReplyTo::Sender);
    sim->AddSearchUnit(Unit(0x61, "DIRECT"));
    EXPECT_EQ(Search(), 0);
    ASSERT_EQ(count, 1);
    EXPECT_STREQ(units[0].Name, "DIRECT");
}

// Without `PCIPAddr` the search socket listens on port 9090 of every address,
// broadcasts included.
TEST(UdpOpen, WithoutPcAddressItBindsTheAnyAddress) {
    MemoryProfile profile;
    FastClock clock;
    CUnitComm link(profile, kCodePageJapanese, nullptr, nullptr, clock);
    ASSERT_EQ(link.OpenUdp(), kOk) << link.LastError;

    const int sender = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(sender, 0);
    const int one = 1;
    ::setsockopt(sender, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    for (const char* to : {"10.77.0.2", "10.77.0.1", "255.255.255.255"}) {
        SCOPED_TRACE(to);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(kSearchPort);
        ASSERT_EQ(::inet_pton(AF_INET, to, &addr.sin_addr), 1);
        ASSERT_EQ(::sendto(sender, to, std::strlen(to), 0, reinterpret_cast<sockaddr*>(&addr),
                           sizeof addr),
                  static_cast<ssize_t>(std::strlen(to)));
        uint8_t buffer[kUdpReceiveSize];
        int length = 0;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (length == 0 && std::chrono::steady_clock::now() < end) {
            link.RecvUdp(buffer, length);
            if (length == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_EQ(length, static_cast<int>(std::strlen(to)));
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), length), to);
    }
    ::close(sender);
    EXPECT_EQ(link.CloseUdp(), kOk);
}

// The simulator program's --search option answers as the unit it plays:
// 127.0.0.1 with its TCP port.
TEST(UnitsimProgram, SearchOptionAnswersWithItsTcpPort) {
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::execl(test::kUnitsimProgram, test::kUnitsimProgram, "--tcp", "0", "--search", "0.0.0.0", nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    // Its lines up to the one that says it answers searches.
    std::string said;
    char chunk[256];
    pollfd wait{out[0], POLLIN, 0};
    while (said.find("answers unit searches") == std::string::npos && ::poll(&wait, 1, 5000) > 0) {
        const ssize_t n = ::read(out[0], chunk, sizeof chunk);
        if (n <= 0)
            break;
        said.append(chunk, static_cast<size_t>(n));
    }
    unsigned tcpPort = 0;
    const size_t at = said.find("TCP on 127.0.0.1:");
    if (at != std::string::npos)
        std::sscanf(said.c_str() + at, "TCP on 127.0.0.1:%u", &tcpPort);

    MemoryProfile profile;
    FastClock clock;
    CUnitComm link(profile, kCodePageJapanese, nullptr, nullptr, clock);
    link.UdpPort = kSearchPort;
    std::vector<UnitData> units;
    int count = 0;
    const LinkResult result = SearchUnits(units, link, "", count, clock);
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    ::close(out[0]);

    ASSERT_NE(tcpPort, 0u) << said;
    EXPECT_EQ(result, 0);
    ASSERT_EQ(count, 1);
    EXPECT_STREQ(units[0].Name, "UNITSIM");
    EXPECT_STREQ(units[0].IPAddress, "127.0.0.1");
    EXPECT_EQ(units[0].TcpPort, tcpPort);
}

// Only loopback and the test's own veth pair.
bool InsideTheTestNamespace() {
    struct if_nameindex* list = ::if_nameindex();
    if (!list)
        return false;
    std::set<std::string> names;
    for (struct if_nameindex* i = list; i->if_index != 0; ++i)
        names.insert(i->if_name);
    ::if_freenameindex(list);
    return names == std::set<std::string>{"lo", "qv0", "qv1"};
}

} // namespace
} // namespace qv::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qv::test::InsideTheTestNamespace()) {
        std::printf("skipped: these tests broadcast; run them through "
                    "tests/link/in_private_netns.sh\n");
        return 77;
    }
    return RUN_ALL_TESTS();
}
