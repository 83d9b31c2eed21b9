// Reply frames as the unit's bytes arrive: cut into reads of any size, split
// at CR by the buffered reader, then checked and collected as the commands
// do. Input: a byte giving the receive buffer, a byte per read giving its
// size (0 ends the input early), then the bytes on the line.
#include <algorithm>

#include "link/Frames.h"
#include "link/Transport.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

namespace {

// Hands out the scripted bytes in reads of the scripted sizes; a time-out
// once they are all read.
class ScriptedTransport final : public Transport {
public:
    ScriptedTransport(std::string_view line, std::string_view sizes) : line_(line), sizes_(sizes) {}
    bool IsOpen() const override { return true; }
    LinkResult Send(const char*, size_t, uint32_t&) override { return link_result::kOk; }
    LinkResult ReadSome(char* buffer, size_t capacity, size_t& got, uint32_t& lastError) override {
        size_t want = capacity;
        if (!sizes_.empty()) {
            want = static_cast<uint8_t>(sizes_.front());
            sizes_.remove_prefix(1);
            if (want == 0)
                line_ = {};
        }
        got = std::min({want, capacity, line_.size()});
        if (got == 0) {
            lastError = 110;
            return link_result::kTcpRecvWait;
        }
        std::copy_n(line_.begin(), got, buffer);
        line_.remove_prefix(got);
        return link_result::kOk;
    }
    void DiscardInput() override {}
    LinkResult Close(uint32_t&) override { return link_result::kOk; }

private:
    std::string_view line_;
    std::string_view sizes_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader in(data, size);
    const size_t capacities[] = {48, 128, 1024, 2048, 2049, 1, 2, 3};
    const size_t capacity = capacities[in.Byte() % 8];
    const size_t readCount = in.Byte() % 16;
    const std::string_view rest = in.Rest();
    const size_t split = std::min(readCount, rest.size());
    ScriptedTransport transport(rest.substr(split), rest.substr(0, split));

    FrameReader reader;
    MultiFrameReply collected(4096);
    std::string frame;
    uint32_t lastError = 0;
    for (int frames = 0; frames < 64; ++frames) {
        const LinkResult r = reader.ReadFrame(transport, capacity, frame, lastError);
        if (r != link_result::kOk) {
            fuzz::Expect(reader.Buffered() == 0, "a failed read drops the buffered input");
            break;
        }
        fuzz::Expect(capacity > 0 && frame.size() <= capacity - 1, "a frame fits its buffer");
        fuzz::Expect(frame.find('\r') == std::string::npos, "a frame ends at its CR");
        for (ReplyKind kind : {ReplyKind::First, ReplyKind::Continuation}) {
            ReplyFrame reply;
            if (CheckReply(frame, kind, reply) == link_result::kOk) {
                fuzz::Expect(reply.data.size() <= frame.size(), "the data lies in the frame");
                AnswersAnotherRequest(reply, "RD");
            }
        }
        ReplyFrame reply;
        if (collected.Take(frame, reply) != link_result::kOk)
            collected = MultiFrameReply(4096);
        fuzz::Expect(collected.Data().size() <= 4096, "the collected data keeps its bound");
    }
    return 0;
}
