// Every command of the link against the simulated unit, over both wires.
#include "SimFixture.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include "document/Scramble.h"

namespace qv::test {
namespace {

using namespace link_result;
using unitsim::Fault;
using unitsim::FaultKind;

// ---- login ----

TEST_P(SimLinkTest, LoginWithoutPasswordSendsOnlyTheProbe) {
    FakePrompt prompt("never");
    FakeProgress progress;
    auto link = Link(&progress, &prompt);
    EXPECT_EQ(link->Login(), kOk) << link->LastError;
    EXPECT_EQ(Requests(), std::vector<std::string>{Sent("<EE#3A0000000000000000")});
    EXPECT_EQ(Requests()[0], "<EE#3A00000000000000006D");
    EXPECT_EQ(prompt.asked, 0);
    EXPECT_FALSE(link->LinkIsOpen());
    EXPECT_EQ(progress.messageId, kMsgReadingSettings);
    EXPECT_EQ(progress.begins, 1);
    EXPECT_EQ(progress.ends, 1);
}

TEST_P(SimLinkTest, LoginAsksForThePassword) {
    sim->SetPassword("abc");
    FakePrompt prompt("abc");
    auto link = Link(nullptr, &prompt);
    EXPECT_EQ(link->Login(), kOk) << link->LastError;
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_TRUE(sim->LoggedIn());
    // Three scrambled bytes, then 7F five times.
    const auto r = Requests();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], Sent("%EE#15AA76727" + std::string("7F7F7F7F7F")));
    EXPECT_STREQ(link->LoginPassword, "abc");
    EXPECT_FALSE(link->LinkIsOpen());
}

TEST_P(SimLinkTest, LoginWithThePasswordGiven) {
    sim->SetPassword("12345678");
    FakePrompt prompt("wrong");
    auto link = Link(nullptr, &prompt);
    EXPECT_EQ(link->Login(std::string("123456789")), kOk) << link->LastError;
    EXPECT_EQ(prompt.asked, 0);
    EXPECT_STREQ(link->LoginPassword, "12345678");
    EXPECT_TRUE(sim->LoggedIn());
}

TEST_P(SimLinkTest, LoginCancelledAtThePromptSendsNothingMore) {
    sim->SetPassword("abc");
    FakePrompt prompt("", false);
    auto link = Link(nullptr, &prompt);
    EXPECT_EQ(link->Login(), kCancelled);
    EXPECT_EQ(Requests().size(), 1u);
    EXPECT_FALSE(sim->LoggedIn());
    // Without a prompt to ask, the same.
    auto bare = Link();
    EXPECT_EQ(bare->Login(), kCancelled);
    EXPECT_EQ(Requests().size(), 2u);
}

TEST_P(SimLinkTest, LoginWithAWrongPasswordGivesTheUnitsError) {
    sim->SetPassword("abc");
    FakePrompt prompt("abd");
    auto link = Link(nullptr, &prompt);
    EXPECT_EQ(link->Login(), kUnitError);
    EXPECT_EQ(link->LastError, 0x61u);
    EXPECT_FALSE(sim->LoggedIn());
}

TEST_P(SimLinkTest, LoginReloadsTheSettings) {
    auto link = Link();
    link->CommSettings.CommType = 7; // changed in memory only
    EXPECT_EQ(link->Login(), kOk);
    EXPECT_EQ(link->CommSettings.CommType, Tcp() ? kCommTcp : kCommSerial);
}

// ---- the whole image ----

TEST_P(SimLinkTest, ReadTheWholeImage) {
    for (uint32_t cmd2K : {1u, 0u}) {
        SCOPED_TRACE(cmd2K);
        profile.WriteNumber(kCommSection, "2KCmd", cmd2K);
        const auto image = RandomImage(cmd2K + 1);
        sim->SetImage(image);
        sim->ClearTranscript();
        FakeProgress progress;
        auto link = Link(&progress);
        std::vector<uint8_t> got;
        ASSERT_EQ(link->ReadBlock(kBlockImageSize, got), kOk) << link->LastError;
        EXPECT_TRUE(got == image);
        const auto r = Requests();
        ASSERT_FALSE(r.empty());
        EXPECT_EQ(r[0], cmd2K ? "<EE#3A000000000001FFFF6C" : "%EE#3A000000000001FFFF75");
        for (size_t i = 1; i < r.size(); ++i)
            ASSERT_EQ(r[i], cmd2K ? "<EE3C&" : "%EE25&") << i;
        EXPECT_EQ(progress.messageId, kMsgReadingSettings);
        EXPECT_EQ(progress.rangeMax, 2 * 0x20000);
        EXPECT_EQ(progress.begins, 1);
        EXPECT_EQ(progress.ends, 1);
        EXPECT_EQ(static_cast<size_t>(progress.pumps), r.size());
        EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
        EXPECT_FALSE(link->LinkIsOpen());
    }
}

TEST_P(SimLinkTest, ReadBlockAsWords) {
    const auto image = RandomImage(7);
    sim->SetImage(image);
    auto link = Link();
    std::vector<uint16_t> words(40, 0xCCCC);
    ASSERT_EQ(link->ReadBlock(0x40, words.data()), kOk);
    for (size_t k = 0; k < 32; ++k)
        ASSERT_EQ(words[k], image[2 * k] | image[2 * k + 1] << 8) << k;
    for (size_t k = 32; k < 40; ++k)
        EXPECT_EQ(words[k], 0xCCCC) << "written past the 32nd word";
    // An odd count: the last byte in the low half.
    std::vector<uint16_t> odd(3, 0xCCCC);
    ASSERT_EQ(link->ReadBlock(3, odd.data()), kOk);
    EXPECT_EQ(odd[0], image[0] | image[1] << 8);
    EXPECT_EQ(odd[1] & 0xFF, image[2]);
    EXPECT_EQ(odd[2], 0xCCCC);
    EXPECT_EQ(link->ReadBlock(0, words.data()), kBadRequest);
    EXPECT_EQ(link->ReadBlock(kBlockImageSize + 1, words.data()), kBadRequest);
}

// ---- single-frame commands ----

TEST_P(SimLinkTest, OneShotCommands) {
    auto link = Link();
    uint16_t value = 9;
    sim->SetContact("R999E", true);
    EXPECT_EQ(link->ReadContact({"R", "999E"}, value), kOk);
    EXPECT_EQ(value, 1);
    sim->SetContact("R999E", false);
    EXPECT_EQ(link->ReadContact({"R", "999E"}, value), kOk);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(Requests().back(), "%EE#RCSR999E6A");

    sim->SetDataRegister(90153, 0x1234);
    uint16_t words[29] = {};
    EXPECT_EQ(link->ReadDataWords(90153, 1, words), kOk);
    EXPECT_EQ(words[0], 0x1234);
    EXPECT_EQ(Requests().back(), "%EE#RDD901539015354");
    for (int i = 0; i < 29; ++i)
        sim->SetDataRegister(100 + i, static_cast<uint16_t>(0x0101 * i + 0x8000));
    EXPECT_EQ(link->ReadDataWords(100, 29, words), kOk);
    for (int i = 0; i < 29; ++i)
        EXPECT_EQ(words[i], static_cast<uint16_t>(0x0101 * i + 0x8000));
    EXPECT_EQ(link->ReadDataWords(100, 30, words), kBadRequest);
    EXPECT_EQ(link->ReadDataWords(99999, 2, words), kBadRequest);

    EXPECT_EQ(link->WriteClock({0x1234, 0x5678, 0x9ABC, 0xDEF0}), kOk);
    EXPECT_EQ(Requests().back(), Sent("%EE#WDD9005490057" + std::string("34127856BC9AF0DE")));
    EXPECT_EQ(sim->DataRegister(90054), 0x1234);
    EXPECT_EQ(sim->DataRegister(90057), 0xDEF0);

    sim->SetRunMode(true);
    EXPECT_EQ(link->SetProgramMode(), kOk);
    EXPECT_FALSE(sim->RunMode());
    EXPECT_EQ(Requests().back(), Sent("%EE#RMP"));

    const int cleared = sim->ClearCount();
    EXPECT_EQ(link->ClearUnit(), kOk);
    EXPECT_EQ(sim->ClearCount(), cleared + 1);
    EXPECT_EQ(Requests().back(), Sent("%EE#0F"));

    sim->SetUnitType(0x91);
    sim->SetRunMode(true);
    std::string status;
    EXPECT_EQ(link->ReadStatus(status), kOk);
    EXPECT_EQ(status.substr(0, 6), "%EE$RT");
    EXPECT_EQ(status.substr(6, 2), "91");
    EXPECT_EQ(HexToByte(status.data() + 12) & 1, 1);
    EXPECT_EQ(Requests().back(), "%EE#RT00");
    EXPECT_FALSE(link->LinkIsOpen());
}

TEST_P(SimLinkTest, PasswordService) {
    auto link = Link();
    std::string pw = "pw";
    ScrambleBytes(reinterpret_cast<uint8_t*>(pw.data()), 2);
    EXPECT_EQ(link->PasswordCommand(kPasswordSet, pw), kOk);
    EXPECT_EQ(sim->Password(), "pw");
    EXPECT_EQ(link->PasswordCommand(kPasswordLogin, pw), kOk);
    EXPECT_TRUE(sim->LoggedIn());
    EXPECT_EQ(link->PasswordCommand(kPasswordLogout), kOk);
    EXPECT_EQ(Requests().back(), Sent("%EE#15B"));
    EXPECT_FALSE(sim->LoggedIn());
    EXPECT_EQ(link->PasswordCommand(kPasswordRemove), kUnitError); // not logged in
    EXPECT_EQ(link->LastError, 0x61u);
    EXPECT_EQ(link->PasswordCommand(kPasswordLogin, pw), kOk);
    EXPECT_EQ(link->PasswordCommand(kPasswordRemove), kOk);
    EXPECT_EQ(Requests().back(), Sent("%EE#159"));
    EXPECT_EQ(sim->Password(), "");
    // An empty login sends 7F eight times.
    EXPECT_EQ(link->PasswordCommand(kPasswordLogin), kOk);
    EXPECT_EQ(Requests().back(), Sent("%EE#15A7F7F7F7F7F7F7F7F"));
}

TEST_P(SimLinkTest, RelayWaits) {
    auto link = Link();
    sim->SetContact("R999E", true);
    EXPECT_EQ(link->WaitRelay999E(), 1);
    EXPECT_TRUE(sleeper.sleeps.empty());
    sim->ClearTranscript();
    sim->SetContact("R999F", false);
    EXPECT_EQ(link->WaitRelay999F(), 0);
    EXPECT_EQ(CountRequests("%EE#RCSR999F"), 25u);
    EXPECT_EQ(sleeper.sleeps, std::vector<int>(24, 200));
    // A failed read ends the wait with 0 at once.
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "RCS", 0, 1, 0x42});
    sleeper.sleeps.clear();
    EXPECT_EQ(link->WaitRelay999E(), 0);
    EXPECT_TRUE(sleeper.sleeps.empty());
}

// ---- the session form ----

TEST_P(SimLinkTest, SessionCommandsKeepOneLinkOpen) {
    auto s = Session();
    EXPECT_EQ(s->SessionOpen, 0u);
    std::string status;
    ASSERT_EQ(s->SessionReadStatus(status), kOk);
    EXPECT_EQ(s->SessionOpen, 1u);
    EXPECT_TRUE(s->LinkIsOpen());

    EXPECT_EQ(s->WriteContact({"R", "999D"}, 1), kOk);
    EXPECT_EQ(Requests().back(), Sent("%EE#WCSR999D1"));
    EXPECT_TRUE(sim->Contact("R999D"));
    uint16_t value = 0;
    EXPECT_EQ(s->SessionReadContact({"R", "999D"}, value), kOk);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(s->WriteContact({"R", "999D"}, 0), kOk);
    EXPECT_FALSE(sim->Contact("R999D"));

    sim->SetContact("R9850", true);
    sim->SetContact("R985F", true);
    uint16_t words[16] = {};
    EXPECT_EQ(s->ReadContactWords(984, words), kOk);
    EXPECT_EQ(Requests().back(), Sent("%EE#RCCR09840999"));
    EXPECT_EQ(words[1], 0x8001);
    EXPECT_EQ(words[0], 0);

    std::vector<uint16_t> dt(225);
    for (int i = 0; i < 225; ++i)
        sim->SetDataRegister(90000 + i, static_cast<uint16_t>(i * 257 + 1));
    EXPECT_EQ(s->SessionReadDataWords(90000, 225, dt.data()), kOk);
    for (int i = 0; i < 225; ++i)
        ASSERT_EQ(dt[i], static_cast<uint16_t>(i * 257 + 1)) << i;
    EXPECT_EQ(CountRequests(Sent("<EE#RDD9000090224")), 1u);
    std::vector<uint16_t> many(1024);
    EXPECT_EQ(s->SessionReadDataWords(0, 1024, many.data()), kOk); // several frames
    EXPECT_EQ(CountRequests("<EE3C&"), 2u);
    EXPECT_EQ(s->SessionReadDataWords(0, 1025, many.data()), kBadRequest);

    EXPECT_EQ(s->SetUnitMode("R"), kOk);
    EXPECT_TRUE(sim->RunMode());
    EXPECT_EQ(s->SetUnitMode("P"), kOk);
    EXPECT_FALSE(sim->RunMode());
    EXPECT_EQ(s->SetUnitMode("X"), kBadRequest);
    const int cleared = sim->ClearCount();
    EXPECT_EQ(s->SessionClearUnit(), kOk);
    EXPECT_EQ(sim->ClearCount(), cleared + 1);
    EXPECT_EQ(s->SendCode1D5(), kOk);
    EXPECT_EQ(Requests().back(), Sent("%EE#1D5"));
    EXPECT_EQ(s->SessionPasswordCommand(kPasswordLogout), kOk);

    sim->SetContact("R999D", true);
    sleeper.sleeps.clear();
    EXPECT_EQ(s->WaitRelay999D(), 1);
    sim->SetContact("R999E", true);
    sim->SetContact("R999F", false);
    EXPECT_EQ(s->ReadRelay999E(), 1);
    EXPECT_EQ(s->ReadRelay999F(), 0);

    const auto image = RandomImage(5);
    sim->SetImage(image);
    uint16_t name[16] = {};
    EXPECT_EQ(s->SessionReadBlock(0x40, 0x20, name), kOk);
    EXPECT_EQ(Requests().back(), Sent("<EE#3A000000400000005F"));
    for (int k = 0; k < 16; ++k)
        ASSERT_EQ(name[k], image[0x40 + 2 * k] | image[0x41 + 2 * k] << 8);
    std::vector<uint16_t> stamp(32);
    EXPECT_EQ(s->SessionReadBlock(0x17430, 0x40, stamp.data()), kOk);
    EXPECT_EQ(stamp[0], image[0x17430] | image[0x17431] << 8);

    if (Tcp()) {
        EXPECT_EQ(sim->ConnectionCount(), 1);
    }
    s->CloseSession();
    EXPECT_EQ(s->SessionOpen, 0u);
    EXPECT_FALSE(s->LinkIsOpen());
    EXPECT_EQ(s->SessionReadContact({"R", "999E"}, value), kOk);
    EXPECT_EQ(s->SessionOpen, 1u);
    if (Tcp()) {
        EXPECT_EQ(sim->ConnectionCount(), 2);
    }
}

TEST_P(SimLinkTest, SessionErrorRepliesFillTheWords) {
    auto s = Session();
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "RCC", 0, 1, 0x60});
    uint16_t words[16] = {};
    EXPECT_EQ(s->ReadContactWords(0, words), kUnitError);
    EXPECT_EQ(s->LastError, 0x60u);
    for (uint16_t w : words)
        EXPECT_EQ(w, 0xFFFF);
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "RD", 0, 1, 0x60});
    std::vector<uint16_t> dt(5, 0);
    EXPECT_EQ(s->SessionReadDataWords(90000, 4, dt.data()), kUnitError);
    EXPECT_EQ(dt, (std::vector<uint16_t>{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0}));
    // An error frame leaves the session link open.
    EXPECT_EQ(s->SessionOpen, 1u);
    if (Tcp()) {
        EXPECT_EQ(sim->ConnectionCount(), 1);
    }
}

TEST_P(SimLinkTest, SessionLoginCancelled) {
    sim->SetPassword("fw");
    FakePrompt prompt("", false);
    auto s = Session(nullptr, &prompt);
    EXPECT_EQ(s->SessionLogin(), kCancelled);
    EXPECT_EQ(Requests().size(), 1u);
}

TEST_P(SimLinkTest, SessionDestructorClosesTheLink) {
    {
        auto s = Session();
        std::string status;
        ASSERT_EQ(s->SessionReadStatus(status), kOk);
    }
    // The port is free again (serial: exclusive use), the next link opens it.
    auto other = Link();
    std::string status;
    EXPECT_EQ(other->ReadStatus(status), kOk) << other->LastError;
}

// ---- cancel ----

TEST_P(SimLinkTest, CancelDuringReadChangesNothing) {
    sim->SetImage(RandomImage(23));
    FakeProgress progress(3);
    auto link = Link(&progress);
    std::vector<uint8_t> out(4, 0xAB);
    EXPECT_EQ(link->ReadBlock(kBlockImageSize, out), kCancelled);
    EXPECT_EQ(out, std::vector<uint8_t>(4, 0xAB));
    EXPECT_EQ(Requests().size(), 2u);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_FALSE(link->LinkIsOpen());
    std::vector<uint16_t> words(4, 0x5555);
    FakeProgress first(1);
    auto link2 = Link(&first);
    EXPECT_EQ(link2->ReadBlock(8, words.data()), kCancelled);
    EXPECT_EQ(words, std::vector<uint16_t>(4, 0x5555));
}

// ---- faults, one table ----

struct FaultCase {
    const char* name;
    Fault fault;
    LinkResult tcp, pty;     // expected result per wire
    uint32_t tcpErr, ptyErr; // expected LastError
};

// A delay of two time-outs: the reply comes, but too late.
const std::chrono::milliseconds kLate{2 * kTestTimeoutMs};

std::vector<FaultCase> FaultCases(const std::string& command, int skip) {
    return {
        {"no reply", Fault{FaultKind::NoReply, command, skip, 1, 0}, kTcpRecvWait, kSerialRecv,
         ETIMEDOUT, ETIMEDOUT},
        {"garbage", Fault{FaultKind::Garbage, command, skip, 1, 0}, kReplyMalformed,
         kReplyMalformed, 0, 0},
        {"wrong check code", Fault{FaultKind::WrongCheckCode, command, skip, 1, 0}, kReplyCheckCode,
         kReplyCheckCode, 0, 0},
        {"error frame", Fault{FaultKind::ErrorFrame, command, skip, 1, 0x42}, kUnitError,
         kUnitError, 0x42, 0x42},
        // TCP: the unit closes the connection. Pseudo-terminal: it cannot hang
        // up while the simulator holds the line, so nothing comes.
        {"disconnect", Fault{FaultKind::Disconnect, command, skip, 1, 0}, kTcpRecv, kSerialRecv,
         ECONNRESET, ETIMEDOUT},
        {"late reply", Fault{FaultKind::LateReply, command, skip, 1, 0, kLate}, kTcpRecvWait,
         kSerialRecv, ETIMEDOUT, ETIMEDOUT},
        {"oversize", Fault{FaultKind::Oversize, command, skip, 1, 0}, kReplyTooLong, kReplyTooLong,
         0, 0},
        {"short reply", Fault{FaultKind::ShortReply, command, skip, 1, 0}, kReplyMalformed,
         kReplyMalformed, 0, 0},
    };
}

// Waits until the simulator has sent every reply it owes (a late one too).
void Settle() {
    std::this_thread::sleep_for(kLate + std::chrono::milliseconds(100));
}

TEST_P(SimLinkTest, InjectedFaultsGiveTheRightResult) {
    struct Command {
        const char* name;
        std::string code;
        int skip; // frames let through first (a multi-frame read: the fault hits a continuation)
        std::function<LinkResult(CUnitComm&)> run;
    };
    sim->SetImage(RandomImage(31));
    sim->SetContact("R999E", true);
    const std::vector<Command> commands = {
        {"ReadContact", "RCS", 0,
         [](CUnitComm& l) {
             uint16_t v = 0;
             return l.ReadContact({"R", "999E"}, v);
         }},
        {"ReadBlock first frame", "3A", 0,
         [](CUnitComm& l) {
             std::vector<uint8_t> b;
             return l.ReadBlock(0x1000, b);
         }},
        {"ReadBlock continuation", "3A", 1,
         [](CUnitComm& l) {
             std::vector<uint8_t> b;
             return l.ReadBlock(0x1000, b);
         }},
    };
    for (const Command& cmd : commands) {
        for (const FaultCase& c : FaultCases(cmd.code, cmd.skip)) {
            SCOPED_TRACE(std::string(cmd.name) + ": " + c.name);
            sim->ClearFaults();
            sim->InjectFault(c.fault);
            auto link = Link();
            EXPECT_EQ(cmd.run(*link), Tcp() ? c.tcp : c.pty);
            EXPECT_EQ(link->LastError, Tcp() ? c.tcpErr : c.ptyErr);
            EXPECT_FALSE(link->LinkIsOpen());
            // A pseudo-terminal is one line: let the unit finish what it
            // still sends (a TCP connection of its own ends with the link).
            if (!Tcp() &&
                (c.fault.kind == FaultKind::LateReply || c.fault.kind == FaultKind::Disconnect ||
                 c.fault.kind == FaultKind::Oversize))
                Settle();
            // The next exchange gets its own answer.
            sim->ClearFaults();
            uint16_t v = 0;
            EXPECT_EQ(link->ReadContact({"R", "999E"}, v), kOk) << link->LastError;
            EXPECT_EQ(v, 1);
        }
    }
}

TEST_P(SimLinkTest, SessionClosesAfterATransportFailureAndReopens) {
    auto s = Session();
    std::string status;
    ASSERT_EQ(s->SessionReadStatus(status), kOk);
    sim->SetContact("R999E", true);
    sim->InjectFault(Fault{FaultKind::NoReply, "RCS", 0, 1, 0});
    uint16_t v = 0;
    EXPECT_EQ(s->SessionReadContact({"R", "999E"}, v), TimeoutCode());
    EXPECT_EQ(s->SessionOpen, 0u);
    EXPECT_FALSE(s->LinkIsOpen());
    EXPECT_EQ(s->SessionReadContact({"R", "999E"}, v), kOk);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(s->SessionOpen, 1u);
    if (Tcp()) {
        EXPECT_EQ(sim->ConnectionCount(), 2);
    }
    // Replies that cannot be trusted close it as well.
    sim->InjectFault(Fault{FaultKind::WrongCheckCode, "RT", 0, 1, 0});
    EXPECT_EQ(s->SessionReadStatus(status), kReplyCheckCode);
    EXPECT_EQ(s->SessionOpen, 0u);
}

TEST_P(SimLinkTest, TcpSocketBoundToThePcAddress) {
    if (!Tcp())
        GTEST_SKIP() << "TCP only";
    profile.WriteText(kCommSection, "PCIPAddr", L"127.0.0.1");
    auto link = Link();
    std::string status;
    EXPECT_EQ(link->ReadStatus(status), kOk) << link->LastError;
}

TEST_P(SimLinkTest, ManySmallReplyFrames) {
    // The unit sizes its reply frames; the link follows the '&' marks.
    sim->SetReplyChunk(6, 2);
    const auto image = RandomImage(41);
    sim->SetImage(image);
    for (uint32_t cmd2K : {1u, 0u}) {
        profile.WriteNumber(kCommSection, "2KCmd", cmd2K);
        auto link = Link();
        std::vector<uint8_t> b;
        ASSERT_EQ(link->ReadBlock(0x300, b), kOk) << link->LastError;
        EXPECT_TRUE(std::equal(b.begin(), b.end(), image.begin()));
    }
}

INSTANTIATE_TEST_SUITE_P(Wires, SimLinkTest, ::testing::Values(Wire::Tcp, Wire::Pty), WireName);

} // namespace
} // namespace qv::test
