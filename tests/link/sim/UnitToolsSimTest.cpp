// The session's status and monitor reads and the RUN/PROGRAM and clear tools
// against the simulated unit, with a scripted user and a sleeper that does
// not sleep.
#include <cstring>
#include <deque>

#include "FakeUserDialogs.h"
#include "SentCommands.h"

namespace qv::test {
namespace {

using namespace link_result;
using unitsim::ClearResult;
using unitsim::Fault;
using unitsim::FaultKind;

std::vector<std::string> Then(std::vector<std::string> first, const std::string& command,
                              int times) {
    first.insert(first.end(), static_cast<size_t>(times), command);
    return first;
}

class UnitToolsTest : public SentCommandsTest {};
// Tests where the wire matters: the session keeps the one port or connection.
class UnitToolsWiresTest : public UnitToolsTest {};

// ---- the status reply ----

TEST(StatusReply, DecodesEveryFieldFromItsPositions) {
    struct Case {
        const char* frame;
        bool ok;
        UnitStatusFields want;
    };
    const Case cases[] = {
        {"%EE$RT91232021AB123456", true, {0x91, 0x20, 0x21, 0xAB, 0x12, 0x5634}},
        {"%EE$RT42ZZ2020000000001F", true, {0x42, 0x20, 0x20, 0x00, 0x00, 0x0000}}, // 8-9 unused
        {"%EE$RT912320210000000", false, {}},  // one character short
        {"%EE$RT9123202", false, {}},          // the mode byte cut in half
        {"%EE$RT9123G02100000000", false, {}}, // no hexadecimal digit at 10
        {"%EE$RT91232021000000 0", false, {}}, // nor in the word
        {"%EE$RTX123202100000000", false, {}}, // nor in the unit type
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        UnitStatusFields got{0xEE, 0xEE, 0x01, 0xEE, 0xEE, 0xEEEE};
        const UnitStatusFields before = got;
        ASSERT_EQ(DecodeStatusReply(c.frame, got), c.ok);
        const UnitStatusFields& want = c.ok ? c.want : before;
        EXPECT_EQ(got.UnitTypeCode, want.UnitTypeCode);
        EXPECT_EQ(got.StatusByte10, want.StatusByte10);
        EXPECT_EQ(got.ModeFlags, want.ModeFlags);
        EXPECT_EQ(got.StatusByte14, want.StatusByte14);
        EXPECT_EQ(got.StatusByte16, want.StatusByte16);
        EXPECT_EQ(got.StatusWord18, want.StatusWord18);
    }
}

TEST_P(UnitToolsWiresTest, TwoStatusFetchesOpenTheLinkOnce) {
    sim->SetUnitType(0x91);
    sim->SetRunMode(true);
    auto s = Session();
    ASSERT_EQ(s->FetchStatus(), kOk) << s->LastError;
    EXPECT_EQ(s->UnitStatus.UnitTypeCode, 0x91);
    EXPECT_EQ(s->UnitStatus.ModeFlags, 0x21); // the unit sets bit 5 as well
    EXPECT_TRUE(s->UnitStatus.Running());
    EXPECT_EQ(s->UnitStatus.StatusByte10, 0x20);

    sim->SetRunMode(false);
    sim->SetUnitType(0x42);
    ASSERT_EQ(s->FetchStatus(), kOk) << s->LastError;
    EXPECT_EQ(s->UnitStatus.UnitTypeCode, 0x42);
    EXPECT_FALSE(s->UnitStatus.Running());
    EXPECT_EQ(s->SessionOpen, 1u);
    EXPECT_EQ(SentCommands(), (std::vector<std::string>{"RT", "RT"}));
    if (Tcp()) {
        EXPECT_EQ(sim->ConnectionCount(), 1);
    }
}

TEST_P(UnitToolsWiresTest, NoLinkGivesTheOpensCodeAndTheToolsStaySilent) {
    LinkResult expected;
    if (Tcp()) {
        unitsim::UnitSimulator gone;
        const uint16_t port = gone.StartTcp();
        ASSERT_NE(port, 0);
        gone.Stop();
        WriteTcpProfile(profile, port, kTestTimeoutMs);
        expected = kTcpConnectFailed;
    } else {
        WriteSerialProfile(profile, dir + "/absent", kTestTimeoutMs);
        expected = kSerialOpen;
    }
    auto s = Session();
    EXPECT_EQ(s->FetchStatus(), expected);
    EXPECT_EQ(s->SessionOpen, 0u);
    FakeUserDialogs user;
    s->ToggleRunMode(user);
    s->ConfirmAndClearUnit(user);
    EXPECT_TRUE(user.shown.empty());
    EXPECT_TRUE(Requests().empty());
}

TEST_P(UnitToolsTest, AStatusReplyThatCannotBeTrustedIsAFailureNotProgramMode) {
    const Fault faults[] = {
        {FaultKind::ShortReply, "RT"},     {FaultKind::Garbage, "RT"},
        {FaultKind::WrongCheckCode, "RT"}, {FaultKind::ErrorFrame, "RT", 0, 1, 0x42},
        {FaultKind::NoReply, "RT"},        {FaultKind::Oversize, "RT"},
    };
    sim->SetRunMode(true);
    for (const Fault& f : faults) {
        SCOPED_TRACE(static_cast<int>(f.kind));
        auto s = Session();
        ASSERT_EQ(s->FetchStatus(), kOk);
        ASSERT_TRUE(s->UnitStatus.Running());
        sim->InjectFault(f);
        EXPECT_EQ(s->FetchStatus(), -1);
        EXPECT_TRUE(s->UnitStatus.Running()) << "the last good status is kept";
        // A reply that could not be trusted closed the link; an error frame did not.
        EXPECT_EQ(s->SessionOpen, f.kind == FaultKind::ErrorFrame ? 1u : 0u);

        // The mode tool stops at the status and never asks to switch.
        sim->ClearTranscript();
        sim->InjectFault(f);
        FakeUserDialogs user;
        s->ToggleRunMode(user);
        EXPECT_EQ(user.shown, (std::vector<ShownMessage>{Told(kMsgModeStatusFailed, kOkExcl)}));
        EXPECT_EQ(SentCommands(), std::vector<std::string>{"RT"});
        EXPECT_TRUE(sim->RunMode());
    }
}

TEST_P(UnitToolsTest, AStatusReadFailingRightAfterTheOpenReportsMinusOne) {
    sim->InjectFault(Fault{FaultKind::NoReply, "RT"});
    auto s = Session();
    EXPECT_EQ(s->FetchStatus(), -1);
    EXPECT_EQ(s->SessionOpen, 0u);
    EXPECT_EQ(s->FetchStatus(), kOk); // the next fetch opens the link again
    EXPECT_EQ(sim->ConnectionCount(), 2);
}

// ---- RUN and PROGRAM ----

struct ModeCase {
    const char* name;
    bool run;
    int switchDelay; // status requests before the unit shows the new mode
    std::deque<int> answers;
    std::vector<Fault> faults;
    std::vector<ShownMessage> shown;
    std::vector<std::string> before; // the commands up to the polls
    int polls;                       // status polls after the mode command
    bool runAfter;
};

TEST_P(UnitToolsTest, ToggleRunMode) {
    const ModeCase cases[] = {
        {"RUN to PROGRAM",
         true,
         3,
         {kIdYes},
         {},
         {Asked(kMsgAskToProgram, kYesNoExcl), Told(kMsgNowProgram, kOkInfo)},
         {"RT", "RMP"},
         4,
         false},
        {"PROGRAM to RUN",
         false,
         0,
         {kIdYes},
         {},
         {Asked(kMsgAskToRun, kYesNoExcl), Told(kMsgNowRun, kOkInfo)},
         {"RT", "RMR"},
         1,
         true},
        {"answered No",
         true,
         0,
         {kIdNo},
         {},
         {Asked(kMsgAskToProgram, kYesNoExcl)},
         {"RT"},
         0,
         true},
        {"the unit never changes",
         true,
         -1,
         {kIdYes},
         {},
         {Asked(kMsgAskToProgram, kYesNoExcl), Told(kMsgModeNotChanged, kOkExcl)},
         {"RT", "RMP"},
         kModePolls,
         true},
        {"a poll fails",
         true,
         -1,
         {kIdYes},
         {Fault{FaultKind::NoReply, "RT", 3}},
         {Asked(kMsgAskToProgram, kYesNoExcl), Told(kMsgModeNotChanged, kOkExcl)},
         {"RT", "RMP"},
         3,
         true},
        {"the unit refuses PROGRAM",
         true,
         0,
         {kIdYes},
         {Fault{FaultKind::ErrorFrame, "RM", 0, 1, 0x42}},
         {Asked(kMsgAskToProgram, kYesNoExcl), Told(kMsgToProgramFailed, kOkExcl)},
         {"RT", "RMP"},
         0,
         true},
        {"the unit refuses RUN",
         false,
         0,
         {kIdYes},
         {Fault{FaultKind::ErrorFrame, "RM", 0, 1, 0x42}},
         {Asked(kMsgAskToRun, kYesNoExcl), Told(kMsgToRunFailed, kOkExcl)},
         {"RT", "RMR"},
         0,
         false},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim->ClearFaults();
        sim->SetRunMode(c.run);
        sim->SetModeSwitchDelay(c.switchDelay);
        for (const Fault& f : c.faults)
            sim->InjectFault(f);
        sim->ClearTranscript();
        sleeper.sleeps.clear();
        FakeUserDialogs user(c.answers);
        {
            auto s = Session();
            s->ToggleRunMode(user);
            EXPECT_EQ(user.busyDepth, 0);
        }
        EXPECT_EQ(user.shown, c.shown);
        EXPECT_EQ(SentCommands(), Then(c.before, "RT", c.polls));
        // Polls about 200 ms apart: a wait between two polls, none after the last.
        EXPECT_EQ(sleeper.sleeps, std::vector<int>(c.polls > 1 ? c.polls - 1 : 0, kModePollMs));
        EXPECT_EQ(sim->RunMode(), c.runAfter);
    }
}

TEST_P(UnitToolsWiresTest, SwitchToProgramAndBack) {
    sim->SetRunMode(true);
    sim->SetModeSwitchDelay(2);
    auto s = Session();
    FakeUserDialogs user({kIdYes, kIdYes});
    s->ToggleRunMode(user);
    EXPECT_FALSE(sim->RunMode());
    s->ToggleRunMode(user);
    EXPECT_TRUE(sim->RunMode());
    EXPECT_EQ(user.shown, (std::vector<ShownMessage>{
                              Asked(kMsgAskToProgram, kYesNoExcl), Told(kMsgNowProgram, kOkInfo),
                              Asked(kMsgAskToRun, kYesNoExcl), Told(kMsgNowRun, kOkInfo)}));
    EXPECT_TRUE(user.everBusy);
    EXPECT_EQ(s->SessionOpen, 1u); // the tool leaves the link to its owner
    if (Tcp()) {
        EXPECT_EQ(sim->ConnectionCount(), 1);
    }
}

// ---- the clear ----

struct ClearCase {
    const char* name;
    bool run;
    bool updating, faulted; // R999F, R999E before the clear
    ClearResult result;
    std::deque<int> answers;
    std::vector<Fault> faults;
    std::vector<ShownMessage> shown;
    std::vector<std::string> sent;
    int clears;
};

TEST_P(UnitToolsTest, ConfirmAndClearUnit) {
    const std::vector<std::string> checks = {"RT", "RCSR999F", "RCSR999E"};
    const std::vector<std::string> cleared = Then(checks, "0F", 1);
    const ClearCase cases[] = {
        {"done",
         false,
         false,
         false,
         ClearResult::Done,
         {kIdYes},
         {},
         {Asked(kMsgAskClear, kClearQuestion), Told(kMsgClearDone, kOkInfo)},
         Then(Then(cleared, "RCSR999D", 1), "RCSR999E", 1),
         1},
        {"RUN mode",
         true,
         false,
         false,
         ClearResult::Done,
         {},
         {},
         {Told(kMsgClearInRun, kOkExcl)},
         {"RT"},
         0},
        {"R999F on",
         false,
         true,
         false,
         ClearResult::Done,
         {},
         {},
         {Told(kMsgUnitBusyUpdating, kOkExcl)},
         {"RT", "RCSR999F"},
         0},
        {"R999E on",
         false,
         false,
         true,
         ClearResult::Done,
         {},
         {},
         {Told(kMsgUnitReportsError, kOkExcl)},
         checks,
         0},
        {"answered No",
         false,
         false,
         false,
         ClearResult::Done,
         {kIdNo},
         {},
         {Asked(kMsgAskClear, kClearQuestion)},
         checks,
         0},
        {"R999D never comes",
         false,
         false,
         false,
         ClearResult::NoAnswer,
         {kIdYes},
         {},
         {Asked(kMsgAskClear, kClearQuestion), Told(kMsgClearNotConfirmed, kOkExcl)},
         Then(cleared, "RCSR999D", kRelayPolls),
         1},
        {"R999E after the clear",
         false,
         false,
         false,
         ClearResult::Failed,
         {kIdYes},
         {},
         {Asked(kMsgAskClear, kClearQuestion), Told(kMsgClearNotConfirmed, kOkExcl)},
         Then(Then(cleared, "RCSR999D", 1), "RCSR999E", 1),
         1},
        {"the unit refuses the clear",
         false,
         false,
         false,
         ClearResult::Done,
         {kIdYes},
         {Fault{FaultKind::ErrorFrame, "0F", 0, 1, 0x42}},
         {Asked(kMsgAskClear, kClearQuestion), Told(kMsgClearFailed, kOkExcl)},
         cleared,
         0},
        {"the status read fails",
         false,
         false,
         false,
         ClearResult::Done,
         {},
         {Fault{FaultKind::ShortReply, "RT"}},
         {Told(kMsgClearStatusFailed, kOkExcl)},
         {"RT"},
         0},
        // A relay that cannot be read is not taken for "off".
        {"the relay read fails",
         false,
         false,
         false,
         ClearResult::Done,
         {},
         {Fault{FaultKind::Garbage, "RCS"}},
         {Told(kMsgClearStatusFailed, kOkExcl)},
         {"RT", "RCSR999F"},
         0},
    };
    for (const ClearCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim->ClearFaults();
        sim->SetRunMode(c.run);
        sim->SetContact("R999D", false);
        sim->SetContact("R999E", c.faulted);
        sim->SetContact("R999F", c.updating);
        sim->SetClearResult(c.result);
        for (const Fault& f : c.faults)
            sim->InjectFault(f);
        sim->ClearTranscript();
        const int clearsBefore = sim->ClearCount();
        FakeUserDialogs user(c.answers);
        auto s = Session();
        s->ConfirmAndClearUnit(user);
        EXPECT_EQ(user.shown, c.shown);
        EXPECT_EQ(SentCommands(), c.sent);
        EXPECT_EQ(sim->ClearCount() - clearsBefore, c.clears);
        // After the clear was sent the tool closes the link itself.
        if (c.clears > 0) {
            EXPECT_EQ(s->SessionOpen, 0u);
            EXPECT_FALSE(s->LinkIsOpen());
        }
    }
}

// ---- what the status window reads ----

TEST_P(UnitToolsTest, StatusBlocksWithAFullLengthNameAndUser) {
    std::vector<uint8_t> image(kBlockImageSize, 0);
    const std::string name = "Hall B north, line 3 logger 0123";
    ASSERT_EQ(name.size(), 32u);
    std::memcpy(&image[0x40], name.data(), 32); // no NUL within the field
    const uint8_t stamp[8] = {24, 6, 15, 9, 30, 5, 0xAA, 0xBB};
    std::memcpy(&image[0x17430], stamp, 8);
    const std::string user56(56, 'u');
    std::memcpy(&image[0x17438], user56.data(), 56);
    std::memcpy(&image[0x17470], "next block", 10); // must not leak into the user name
    sim->SetImage(image);

    auto s = Session();
    EXPECT_EQ(s->ReadStatusBlocks(), 0);
    EXPECT_EQ(std::string(s->UnitNameText), name);
    EXPECT_EQ(s->UnitNameText[32], '\0');
    EXPECT_EQ(std::vector<uint8_t>(s->LastWriteTime, s->LastWriteTime + 6),
              (std::vector<uint8_t>{24, 6, 15, 9, 30, 5}));
    EXPECT_EQ(std::string(s->LastWriteUser), user56);
    EXPECT_EQ(Requests(), (std::vector<std::string>{Sent("<EE#3A000174300001746F"),
                                                    Sent("<EE#3A000000400000005F")}));

    // The stamp cannot be read: time and both names are cleared, then the
    // name read fills the name again.
    std::memcpy(&image[0x40], "Other", 6);
    sim->SetImage(image);
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "3A", 0, 1, 0x42});
    EXPECT_EQ(s->ReadStatusBlocks(), 0);
    EXPECT_STREQ(s->UnitNameText, "Other");
    EXPECT_STREQ(s->LastWriteUser, "");
    EXPECT_EQ(std::vector<uint8_t>(s->LastWriteTime, s->LastWriteTime + 6),
              std::vector<uint8_t>(6, 0));

    // Only the name cannot be read: it stays as it was.
    std::memcpy(&image[0x40], "Third", 6);
    sim->SetImage(image);
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "3A", 1, 1, 0x42});
    EXPECT_EQ(s->ReadStatusBlocks(), 0);
    EXPECT_STREQ(s->UnitNameText, "Other");
    EXPECT_EQ(std::string(s->LastWriteUser), user56);
    EXPECT_EQ(s->LastWriteTime[0], 24);

    // Neither: everything cleared, still 0.
    sim->InjectFault(Fault{FaultKind::NoReply, "3A", 0, 2});
    EXPECT_EQ(s->ReadStatusBlocks(), 0);
    EXPECT_STREQ(s->UnitNameText, "");
    EXPECT_STREQ(s->LastWriteUser, "");
}

// The fields of the monitor record, written out from the unit's register list.
struct Listed {
    int number;
    int registers;
};
const Listed kListed[] = {
    {90000, 1}, {90028, 1}, {90030, 1}, {90053, 1}, {90054, 1}, {90055, 1}, {90056, 1}, {90057, 1},
    {90062, 2}, {90064, 2}, {90066, 2}, {90070, 1}, {90082, 2}, {90084, 2}, {90086, 2}, {90090, 1},
    {90131, 1}, {90132, 1}, {90135, 1}, {90140, 1}, {90143, 1}, {90144, 1}, {90145, 1}, {90146, 1},
    {90147, 1}, {90148, 1}, {90150, 2}, {90152, 1}, {90153, 1}, {90154, 2}, {90156, 2}, {90158, 2},
    {90160, 2}, {90162, 2}, {90200, 2}, {90202, 2}, {90204, 2}, {90206, 2}, {90208, 2}, {90210, 2},
    {90212, 2}, {90214, 2}, {90102, 2}, {90110, 2}, {90112, 2}, {90114, 2}, {90120, 2}, {90122, 2},
    {90124, 2}, {90170, 2}, {90222, 1}, {90223, 2},
};
bool KeptOnFailure(int n) {
    return n == 90131 || n == 90132 || n == 90140 || (n >= 90143 && n <= 90148) || n == 90150 ||
           n == 90152;
}
uint16_t Pattern(int n) {
    return static_cast<uint16_t>(0x8001 + (n - 90000) * 0x0103);
}
uint32_t Expected(const Listed& f) {
    const uint32_t low = Pattern(f.number);
    return f.registers == 1 ? low : low | uint32_t{Pattern(f.number + 1)} << 16;
}

TEST_P(UnitToolsTest, MonitorValuesTakeEachListedRegister) {
    for (int n = 90000; n < 90225; ++n)
        sim->SetDataRegister(n, Pattern(n));
    auto s = Session();
    ASSERT_EQ(s->ReadMonitorValues(), 0);
    EXPECT_EQ(Requests(), std::vector<std::string>{Sent("<EE#RDD9000090224")});
    for (const Listed& f : kListed) {
        uint32_t v = 0;
        ASSERT_TRUE(s->MonitorValues.Get(f.number, v)) << f.number;
        EXPECT_EQ(v, Expected(f)) << f.number;
    }
    uint32_t v = 0;
    for (int other : {90001, 90029, 90063, 90151, 90201, 90224, 89999})
        EXPECT_FALSE(s->MonitorValues.Get(other, v)) << other;
    EXPECT_EQ(s->MonitorValues.Dt90223, Expected({90223, 2}));
    EXPECT_EQ(s->MonitorValues.Get64(90208),
              uint64_t{Expected({90210, 2})} << 32 | Expected({90208, 2}));
    EXPECT_EQ(s->MonitorValues.Get64(90202), 0u); // not the start of a 64-bit value
}

TEST_P(UnitToolsTest, AFailedMonitorReadKeepsPortWordsAndHardwareAddress) {
    for (int n = 90000; n < 90225; ++n)
        sim->SetDataRegister(n, Pattern(n));
    auto s = Session();
    ASSERT_EQ(s->ReadMonitorValues(), 0);
    for (const Fault& f :
         {Fault{FaultKind::ErrorFrame, "RD", 0, 1, 0x42}, Fault{FaultKind::NoReply, "RD"}}) {
        SCOPED_TRACE(static_cast<int>(f.kind));
        ASSERT_EQ(s->ReadMonitorValues(), 0);
        sim->InjectFault(f);
        EXPECT_EQ(s->ReadMonitorValues(), -1);
        for (const Listed& l : kListed) {
            uint32_t v = 1;
            s->MonitorValues.Get(l.number, v);
            EXPECT_EQ(v, KeptOnFailure(l.number) ? Expected(l) : 0u) << l.number;
        }
    }
    // The time-out closed the link; the next poll opens it again.
    EXPECT_EQ(s->SessionOpen, 0u);
    EXPECT_EQ(s->ReadMonitorValues(), 0);
    EXPECT_EQ(s->MonitorValues.Dt90000, Pattern(90000));
}

TEST_P(UnitToolsWiresTest, OnePollOfTheStatusWindow) {
    // The simulated unit's own system registers, as the window shows them.
    auto s = Session();
    for (int poll = 0; poll < 3; ++poll) {
        ASSERT_EQ(s->FetchStatus(), kOk) << s->LastError;
        ASSERT_EQ(s->ReadMonitorValues(), 0) << s->LastError;
        ASSERT_EQ(s->ReadStatusBlocks(), 0);
    }
    const MonitorRegisters& m = s->MonitorValues;
    EXPECT_EQ(m.Dt90153, 0x0217);              // version 2.23
    EXPECT_EQ(m.Dt90154, 0xC0A80105u);         // 192.168.1.5
    EXPECT_EQ(m.Dt90150, 0x2B3C001Au);         // 00-1A-2B-3C-...
    EXPECT_GE(m.Get64(90200), m.Get64(90204)); // capacity and what is used of it
    EXPECT_GE(m.Get64(90208), m.Get64(90212));
    EXPECT_GT(m.Get64(90212), 0u);
    EXPECT_EQ(s->SessionOpen, 1u);
    if (Tcp()) {
        EXPECT_EQ(sim->ConnectionCount(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Tcp, UnitToolsTest, ::testing::Values(Wire::Tcp), WireName);
INSTANTIATE_TEST_SUITE_P(Wires, UnitToolsWiresTest, ::testing::Values(Wire::Tcp, Wire::Pty),
                         WireName);

} // namespace
} // namespace qv::test
