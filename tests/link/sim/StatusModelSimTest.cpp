// The status window's poll without its window, against the simulated unit:
// the texts of a read, and the placeholders once the unit is gone.
#include "SimFixture.h"
#include "online/StatusModel.h"

namespace qv::test {
namespace {

class StatusPollTest : public SimLinkTest {};

TEST_P(StatusPollTest, ALostLinkLeavesNoCounterLookingLive) {
    sim->SetDataRegister(90028, 1234);
    sim->SetDataRegister(90030, 56);
    sim->SetDataRegister(90170, 7);
    sim->SetDataRegister(90171, 1);
    std::unique_ptr<CUnitSession> session = Session();
    StatusPoll poll(*session);
    poll.ShowPlaceholders();
    poll.Refresh();
    ASSERT_FALSE(poll.PollFailed());
    EXPECT_EQ(poll.Texts().counters[0], L"1,234");
    EXPECT_EQ(poll.Texts().counters[1], L"56");
    EXPECT_EQ(poll.Texts().counters[2], L"65,543");

    sim->Stop();
    poll.Refresh();
    ASSERT_TRUE(poll.PollFailed());
    for (const std::wstring& counter : poll.Texts().counters)
        EXPECT_EQ(counter, L"---");
    EXPECT_EQ(poll.Texts().clock, L"--/--/-- --:--:--");
    // The latched poll keeps them so.
    poll.Refresh();
    for (const std::wstring& counter : poll.Texts().counters)
        EXPECT_EQ(counter, L"---");
}

INSTANTIATE_TEST_SUITE_P(Tcp, StatusPollTest, ::testing::Values(SimCase(Wire::Tcp)), WireName);

} // namespace
} // namespace qv::test
