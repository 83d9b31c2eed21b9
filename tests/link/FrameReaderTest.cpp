// The buffered frame reader against a scripted transport: frames split over
// reads, several frames in one read, frames too long, and failures.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

#include "link/Transport.h"

namespace qv {
namespace {

using namespace link_result;

// Hands out the scripted chunks one per read; after them a time-out (312).
class ScriptedTransport : public Transport {
public:
    std::deque<std::string> chunks;
    int reads = 0;
    int discards = 0;
    bool IsOpen() const override { return true; }
    LinkResult Send(const char*, size_t, uint32_t&) override { return kOk; }
    LinkResult ReadSome(char* buffer, size_t capacity, size_t& got, uint32_t& err) override {
        ++reads;
        if (chunks.empty()) {
            err = 110;
            return kSerialRecv;
        }
        std::string& c = chunks.front();
        got = std::min(capacity, c.size());
        std::memcpy(buffer, c.data(), got);
        c.erase(0, got);
        if (c.empty())
            chunks.pop_front();
        return kOk;
    }
    void DiscardInput() override { ++discards; }
    LinkResult Close(uint32_t&) override { return kOk; }
};

TEST(FrameReader, FrameSplitOverReads) {
    ScriptedTransport t;
    t.chunks = {"%E", "E$RC", "1", "33\r"};
    FrameReader r;
    std::string f;
    uint32_t err = 0;
    EXPECT_EQ(r.ReadFrame(t, 128, f, err), kOk);
    EXPECT_EQ(f, "%EE$RC133");
    EXPECT_EQ(t.reads, 4);
}

TEST(FrameReader, SeveralFramesInOneRead) {
    ScriptedTransport t;
    t.chunks = {"one\rtwo\rthr", "ee\r"};
    FrameReader r;
    std::string f;
    uint32_t err = 0;
    EXPECT_EQ(r.ReadFrame(t, 128, f, err), kOk);
    EXPECT_EQ(f, "one");
    EXPECT_EQ(r.ReadFrame(t, 128, f, err), kOk);
    EXPECT_EQ(f, "two");
    EXPECT_EQ(r.ReadFrame(t, 128, f, err), kOk);
    EXPECT_EQ(f, "three");
    EXPECT_EQ(t.reads, 2);
    EXPECT_EQ(r.Buffered(), 0u);
    r.Discard();
}

TEST(FrameReader, CapacityCountsTheNul) {
    struct Case {
        std::string input;
        size_t capacity;
        LinkResult result;
    };
    const Case cases[] = {
        {std::string(127, 'x') + "\r", 128, kOk},
        {std::string(128, 'x') + "\r", 128, kReplyTooLong},
        {std::string(4096, 'x') + "\r", 2048, kReplyTooLong},
        {std::string(4096, 'x'), 2048, kReplyTooLong}, // no CR at all: fails without waiting
        {"\r", 48, kOk},
    };
    for (const auto& c : cases) {
        ScriptedTransport t;
        t.chunks = {c.input};
        FrameReader r;
        std::string f;
        uint32_t err = 0;
        EXPECT_EQ(r.ReadFrame(t, c.capacity, f, err), c.result) << c.input.size();
        if (c.result == kOk)
            EXPECT_EQ(f.size() + 1, c.input.size());
        else
            EXPECT_EQ(r.Buffered(), 0u);
    }
}

TEST(FrameReader, FrameWithoutCrIsAFailureOfTheTransport) {
    ScriptedTransport t;
    t.chunks = {"%EE$RC1"};
    FrameReader r;
    std::string f;
    uint32_t err = 0;
    EXPECT_EQ(r.ReadFrame(t, 128, f, err), kSerialRecv);
    EXPECT_EQ(err, 110u);
    EXPECT_EQ(r.Buffered(), 0u);
}

TEST(FrameReader, LargeFramesInManySmallReads) {
    ScriptedTransport t;
    std::string frame(2040, 'A');
    for (size_t i = 0; i < frame.size(); i += 7)
        t.chunks.push_back(frame.substr(i, 7));
    t.chunks.push_back("\r");
    FrameReader r;
    std::string f;
    uint32_t err = 0;
    EXPECT_EQ(r.ReadFrame(t, 2048, f, err), kOk);
    EXPECT_EQ(f, frame);
}

} // namespace
} // namespace qv
