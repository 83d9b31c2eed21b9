// Replies that come after their time-out: the next exchanges of the link get
// their own answers, over the pseudo-terminal (one line that keeps whatever
// the unit sends late) and over TCP (a new connection after a failure).
#include "SimFixture.h"

#include <chrono>
#include <thread>

namespace qv::test {
namespace {

using namespace link_result;
using std::chrono::milliseconds;
using unitsim::Fault;
using unitsim::FaultKind;

class LateReplyTest : public SimLinkTest {
protected:
    void SetUp() override {
        SimLinkTest::SetUp();
        sim->SetDataRegister(100, 0x1111);
        sim->SetDataRegister(200, 0x2222);
        sim->SetDataRegister(300, 0x3333);
    }
};

// Twice the time-out of the first read (200 ms). The reads after it wait
// longer for each byte, and so for a quiet line: the late reply comes well
// inside that wait, however the machine is loaded.
const milliseconds kPastTimeOut{2 * kTestTimeoutMs};
constexpr uint16_t kPatientMs = 4 * kTestTimeoutMs;

// The reply names no register: a late reply of a register read looks like
// the answer to the next one. Each read after the late one must bring its
// own register, also when the late reply is longer than any receive buffer.
TEST_P(LateReplyTest, ARegisterReadAfterALateOneGetsItsOwnValue) {
    struct Case {
        const char* name;
        FaultKind kind;
        bool session;
    };
    const Case cases[] = {
        {"late reply, one-shot", FaultKind::LateReply, false},
        {"late reply, session", FaultKind::LateReply, true},
        {"late over-long reply, one-shot", FaultKind::Oversize, false},
        {"late over-long reply, session", FaultKind::Oversize, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim->ClearFaults();
        sim->InjectFault(Fault{c.kind, "RD", 0, 1, 0, kPastTimeOut});
        auto s = Session();
        auto read = [&](int dt, uint16_t& value) {
            return c.session ? s->SessionReadDataWords(dt, 1, &value)
                             : s->ReadDataWords(dt, 1, &value);
        };
        uint16_t value = 0;
        EXPECT_EQ(read(100, value), TimeoutCode());
        s->CommSettings.ComRecvTimeout = s->CommSettings.TcpRecvTimeout = kPatientMs;
        value = 0;
        EXPECT_EQ(read(200, value), kOk) << s->LastError;
        EXPECT_EQ(value, 0x2222);
        value = 0;
        EXPECT_EQ(read(300, value), kOk) << s->LastError;
        EXPECT_EQ(value, 0x3333);
        s.reset();
        std::this_thread::sleep_for(kPastTimeOut); // nothing left on the line for the next case
    }
}

// A reply later than any quiet wait, here one that reaches another link
// object which knows nothing of the failure: its echo names another command,
// so it is skipped.
TEST_P(LateReplyTest, ALateReplyOfAnotherCommandIsSkippedByItsEcho) {
    sim->SetContact("R999E", true);
    sim->SetDataRegister(90153, 0x4321);
    for (bool session : {false, true}) {
        SCOPED_TRACE(session ? "session" : "one-shot");
        sim->InjectFault(Fault{FaultKind::LateReply, "RCS", 0, 1, 0, kPastTimeOut});
        uint16_t v = 0;
        EXPECT_EQ(Link()->ReadContact({"R", "999E"}, v), TimeoutCode());
        // Sent at once, and waiting long enough to see the late reply first.
        auto s = Session();
        s->CommSettings.ComRecvTimeout = s->CommSettings.TcpRecvTimeout = kPatientMs;
        uint16_t dt = 0;
        EXPECT_EQ(
            session ? s->SessionReadDataWords(90153, 1, &dt) : s->ReadDataWords(90153, 1, &dt), kOk)
            << s->LastError;
        EXPECT_EQ(dt, 0x4321);
    }
}

INSTANTIATE_TEST_SUITE_P(Wires, LateReplyTest, ::testing::Values(Wire::Tcp, Wire::Pty), WireName);

} // namespace
} // namespace qv::test
