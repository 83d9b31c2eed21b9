// The block write, one-shot and session form, against the simulated unit
// over both wires and with every form of acknowledgement the unit may use.
#include "SimFixture.h"

namespace qv::test {
namespace {

using namespace link_result;
using unitsim::Fault;
using unitsim::FaultKind;

class BlockWriteTest : public SimLinkTest {};

TEST_P(BlockWriteTest, WriteTheImageBackWithLargeAndSmallFrames) {
    struct Case {
        uint32_t cmd2K;
        size_t frames;
    };
    // 1010 + 127 x 1020 + 522; 30 + 4095 x 32 + 2.
    for (const Case c : {Case{1, 129}, Case{0, 4097}}) {
        SCOPED_TRACE(c.cmd2K);
        profile.WriteNumber(kCommSection, "2KCmd", c.cmd2K);
        const auto image = RandomImage(10 + c.cmd2K);
        sim->ClearTranscript();
        FakeProgress progress;
        auto link = Link(&progress);
        ASSERT_EQ(link->WriteBlock(image.data()), kOk) << link->LastError;
        EXPECT_TRUE(sim->Image() == image);
        const auto r = Requests();
        EXPECT_EQ(r.size(), c.frames);
        ASSERT_FALSE(r.empty());
        EXPECT_EQ(r[0].substr(0, 22), std::string(c.cmd2K ? "<" : "%") + "EE#3B000000000001FFFF");
        EXPECT_EQ(progress.messageId, kMsgWritingSettings);
        EXPECT_EQ(progress.rangeMax, 0x20000);
        EXPECT_EQ(progress.positions.back(), 0x20000);
        EXPECT_EQ(progress.ends, 1);
        EXPECT_FALSE(link->LinkIsOpen());

        // And read back what was written.
        std::vector<uint8_t> back;
        ASSERT_EQ(link->ReadBlock(kBlockImageSize, back), kOk);
        EXPECT_TRUE(back == image);
    }
}

TEST_P(BlockWriteTest, WriteInRunModeIsRefusedByTheUnit) {
    sim->SetRunMode(true);
    auto link = Link();
    const auto image = RandomImage(3);
    EXPECT_EQ(link->WriteBlock(image.data()), kUnitError);
    EXPECT_EQ(link->LastError, 0x63u);
}

TEST_P(BlockWriteTest, SessionLoginAndWriteBlock) {
    sim->SetPassword("fw");
    FakePrompt prompt("fw");
    FakeProgress progress;
    auto s = Session(&progress, &prompt);
    EXPECT_EQ(s->SessionLogin(), kOk) << s->LastError;
    EXPECT_EQ(sleeper.sleeps, std::vector<int>{1000});
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_TRUE(sim->LoggedIn());
    EXPECT_EQ(progress.begins, 0); // the probe shows no wait dialog

    std::vector<uint8_t> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7);
    EXPECT_EQ(s->SessionWriteBlock(data.data(), static_cast<uint32_t>(data.size())), kOk);
    const auto image = sim->Image();
    EXPECT_TRUE(std::equal(data.begin(), data.end(), image.begin()));
    EXPECT_EQ(progress.messageId, kMsgWritingFirmware);
    EXPECT_EQ(progress.rangeMax, 3000);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(s->SessionOpen, 1u);

    // An error frame of the session write: the unit's code itself.
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "3B", 1, 1, 0x41});
    EXPECT_EQ(s->SessionWriteBlock(data.data(), static_cast<uint32_t>(data.size())), 0x41);
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "3B", 0, 1, 0x80});
    EXPECT_EQ(s->SessionWriteBlock(data.data(), static_cast<uint32_t>(data.size())), -128);
    // Busy is not repeated here.
    sim->InjectFault(Fault{FaultKind::Busy, "3B", 0, 1, 0});
    EXPECT_EQ(s->SessionWriteBlock(data.data(), static_cast<uint32_t>(data.size())),
              static_cast<int8_t>(0x81));
    // 00 and FF would read as success and as an early end.
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "3B", 0, 1, 0x00});
    EXPECT_EQ(s->SessionWriteBlock(data.data(), static_cast<uint32_t>(data.size())), kUnitError);
    EXPECT_EQ(s->LastError, 0u);
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "3B", 0, 1, 0xFF});
    EXPECT_EQ(s->SessionWriteBlock(data.data(), static_cast<uint32_t>(data.size())), kUnitError);
    EXPECT_EQ(s->LastError, 0xFFu);
    sim->InjectFault(Fault{FaultKind::EndEarly, "3B", 0, 1, 0});
    EXPECT_EQ(s->SessionWriteBlock(data.data(), static_cast<uint32_t>(data.size())), kEndedEarly);
}

TEST_P(BlockWriteTest, BusyFramesAreSentAgainEveryTwoSeconds) {
    sim->InjectFault(Fault{FaultKind::Busy, "3B", 1, 3, 0});
    const auto image = RandomImage(21);
    FakeProgress progress;
    auto link = Link(&progress);
    ASSERT_EQ(link->WriteBlock(image.data()), kOk) << link->LastError;
    EXPECT_EQ(sleeper.sleeps, std::vector<int>(3, 2000));
    EXPECT_TRUE(sim->Image() == image);
    const auto r = Requests();
    ASSERT_EQ(r.size(), 129u + 3u);
    EXPECT_EQ(r[1], r[2]);
    EXPECT_EQ(r[1], r[3]);
    EXPECT_EQ(r[1], r[4]);
    EXPECT_NE(r[4], r[5]);
}

TEST_P(BlockWriteTest, CancelDuringBusyRepeats) {
    sim->InjectFault(Fault{FaultKind::Busy, "3B", 0, -1, 0});
    const auto image = RandomImage(22);
    FakeProgress progress(4);
    auto link = Link(&progress);
    EXPECT_EQ(link->WriteBlock(image.data()), kCancelled);
    EXPECT_EQ(Requests().size(), 3u);
    EXPECT_EQ(sleeper.sleeps.size(), 3u);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_FALSE(link->LinkIsOpen());
}

TEST_P(BlockWriteTest, CancelDuringWrite) {
    FakeProgress progress(5);
    auto link = Link(&progress);
    const auto image = RandomImage(24);
    EXPECT_EQ(link->WriteBlock(image.data()), kCancelled);
    EXPECT_EQ(Requests().size(), 4u);
    EXPECT_FALSE(link->LinkIsOpen());
}

TEST_P(BlockWriteTest, UnitEndsTheWriteEarly) {
    sim->InjectFault(Fault{FaultKind::EndEarly, "3B", 2, 1, 0});
    auto link = Link();
    const auto image = RandomImage(25);
    EXPECT_EQ(link->WriteBlock(image.data()), kEndedEarly);
    EXPECT_EQ(Requests().size(), 3u);
    EXPECT_FALSE(link->LinkIsOpen());
}

TEST_P(BlockWriteTest, ErrorCode00DuringTheWriteIsStillAnError) {
    sim->InjectFault(Fault{FaultKind::ErrorFrame, "3B", 1, 1, 0x00});
    auto link = Link();
    const auto image = RandomImage(26);
    EXPECT_EQ(link->WriteBlock(image.data()), kUnitError);
    EXPECT_EQ(link->LastError, 0u);
}

INSTANTIATE_TEST_SUITE_P(Wires, BlockWriteTest, ::testing::ValuesIn(EveryWireAndAckForm()),
                         WireName);

} // namespace
} // namespace qv::test
