// The frame layer on its own: golden frames with known check codes,
// encodings, the reply check, the multi-frame reply and the chunked request.
#include <gtest/gtest.h>

#include <optional>

#include <cstring>
#include <string>
#include <vector>

#include "link/Frames.h"

namespace qv {
namespace {

using namespace link_result;

struct FrameCase {
    const char* text; // before the check code
    bool more;
    const char* sent; // completed, CR shown as \r
};

TEST(Frames, CheckCodesOfKnownFrames) {
    const FrameCase cases[] = {
        {"%EE#RT", false, "%EE#RT00\r"},
        {"%EE#RCSR999E", false, "%EE#RCSR999E6A\r"},
        {"<EE", true, "<EE3C&\r"},
        {"<EE#3A0000000000000000", false, "<EE#3A00000000000000006D\r"},
        {"<EE#3A000000000001FFFF", false, "<EE#3A000000000001FFFF6C\r"},
        {"%EE#3A000000000001FFFF", false, "%EE#3A000000000001FFFF75\r"},
        {"%EE#RDD9015390153", false, "%EE#RDD901539015354\r"},
    };
    for (const auto& c : cases) {
        std::string s = c.text;
        EXPECT_EQ(FinishFrame(s, c.more), c.sent) << c.text;
        char buf[64] = {};
        std::strcpy(buf, c.text);
        EXPECT_EQ(FinishFrame(buf, sizeof buf, c.more), std::strlen(c.sent)) << c.text;
        EXPECT_STREQ(buf, c.sent);
    }
    EXPECT_EQ(ContinuationRequest('<'), "<EE3C&\r");
    EXPECT_EQ(ContinuationRequest('%'), "%EE" + std::string("25") + "&\r"); // '%' ^ 'E' ^ 'E'
}

TEST(Frames, FinishFrameLeavesEmptyAndTooSmallFramesAlone) {
    char empty[8] = {};
    EXPECT_EQ(FinishFrame(empty, sizeof empty, 1), 0u);
    EXPECT_STREQ(empty, "");
    std::string s;
    EXPECT_EQ(FinishFrame(s, true), "");
    // "%EE#RT" needs 3 more characters and a NUL: 10 bytes.
    char tight[10] = "%EE#RT";
    EXPECT_EQ(FinishFrame(tight, 9, 0), 0u);
    EXPECT_STREQ(tight, "%EE#RT");
    EXPECT_EQ(FinishFrame(tight, 10, 0), 9u);
    EXPECT_STREQ(tight, "%EE#RT00\r");
}

TEST(Frames, NumberEncodings) {
    struct WordCase {
        uint16_t word;
        const char* hex;
    };
    const WordCase words[] = {
        {0x00FF, "FF00"}, {0x1234, "3412"}, {0, "0000"}, {0xFFFF, "FFFF"}, {0xABCD, "CDAB"}};
    for (const auto& w : words) {
        std::string s;
        AppendWordHexLE(s, w.word);
        EXPECT_EQ(s, w.hex);
        EXPECT_EQ(HexToWordLE(w.hex), w.word) << w.hex;
    }
    EXPECT_EQ(HexToWordLE("cdab"), 0xABCD);
    std::string b;
    AppendByteHex(b, 0x0A);
    AppendByteHex(b, 0xF0);
    EXPECT_EQ(b, "0AF0");
    EXPECT_EQ(HexToByte("7F"), 0x7F);
    EXPECT_EQ(HexToByte("a5"), 0xA5);
    const uint8_t bytes[] = {0x00, 0x7F, 0x80, 0xFF};
    EXPECT_EQ(BytesToHex(bytes, 4), "007F80FF");
    EXPECT_TRUE(IsHexText("09afAF"));
    EXPECT_FALSE(IsHexText("0G"));
    EXPECT_FALSE(IsHexText(" 1"));
}

TEST(Frames, ErrorCodeDigits) {
    EXPECT_EQ(ParseErrorCode("65"), 0x65);
    EXPECT_EQ(ParseErrorCode("6a"), 0x6A);
    EXPECT_EQ(ParseErrorCode("6A"), 0x6A);
    EXPECT_EQ(ParseErrorCode("6Z"), 0x60); // a non-hexadecimal digit counts 0
    EXPECT_EQ(ParseErrorCode("?1"), 0x01);
}

std::string Framed(std::string body, bool more = false, int checkDelta = 0) {
    const uint8_t code = static_cast<uint8_t>(CheckCode(body) + checkDelta);
    AppendByteHex(body, code);
    if (more)
        body += '&';
    return body;
}

struct ReplyCase {
    const char* name;
    std::string frame;
    ReplyKind kind;
    LinkResult result;
    bool isError;
    uint8_t code;
    bool more;
    std::string data;
};

TEST(Frames, ReplyCheck) {
    const ReplyCase cases[] = {
        {"answer with data", Framed("%EE$RC1"), ReplyKind::First, kOk, false, 0, false, "1"},
        {"answer, more", Framed("<EE$3A0102", true), ReplyKind::First, kOk, false, 0, true, "0102"},
        {"answer without data", Framed("%EE$0F"), ReplyKind::First, kOk, false, 0, false, ""},
        {"error 65", Framed("%EE!65"), ReplyKind::First, kOk, true, 0x65, false, ""},
        {"error lower case", Framed("%EE!6a"), ReplyKind::First, kOk, true, 0x6A, false, ""},
        {"error mark #", Framed("%EE#81"), ReplyKind::First, kOk, true, 0x81, false, ""},
        {"error 00", Framed("%EE!00"), ReplyKind::First, kOk, true, 0x00, false, ""},
        {"error in continuation", Framed("<EE!43"), ReplyKind::Continuation, kOk, true, 0x43, false,
         ""},
        {"continuation", Framed("<EEABCD", true), ReplyKind::Continuation, kOk, false, 0, true,
         "ABCD"},
        {"last continuation", Framed("<EE12"), ReplyKind::Continuation, kOk, false, 0, false, "12"},
        {"empty continuation", Framed("<EE"), ReplyKind::Continuation, kOk, false, 0, false, ""},
        {"wrong check code", Framed("%EE$RC1", false, 1), ReplyKind::First, kReplyCheckCode, false,
         0, false, ""},
        {"wrong check code, error", Framed("%EE!65", false, 3), ReplyKind::First, kReplyCheckCode,
         false, 0, false, ""},
        {"check code not hex", "%EE$RC1ZZ", ReplyKind::First, kReplyMalformed, false, 0, false, ""},
        {"no mark", Framed("%EE?RC1"), ReplyKind::First, kReplyMalformed, false, 0, false, ""},
        {"garbage", "\x01\x7F garbage!", ReplyKind::First, kReplyMalformed, false, 0, false, ""},
        {"empty", "", ReplyKind::First, kReplyMalformed, false, 0, false, ""},
        {"only '&'", "&", ReplyKind::First, kReplyMalformed, false, 0, false, ""},
        {"too short", "%EE", ReplyKind::First, kReplyMalformed, false, 0, false, ""},
        {"echo cut off", Framed("%EE$"), ReplyKind::First, kReplyMalformed, false, 0, false, ""},
        {"error code not hex", Framed("%EE!G5"), ReplyKind::First, kReplyMalformed, false, 0, false,
         ""},
        {"error code cut", Framed("%EE!6"), ReplyKind::First, kReplyMalformed, false, 0, false, ""},
        {"error with data", Framed("%EE!6500"), ReplyKind::First, kReplyMalformed, false, 0, false,
         ""},
        {"'&' inside", Framed("%EE$RC&1"), ReplyKind::First, kReplyMalformed, false, 0, false, ""},
    };
    for (const auto& c : cases) {
        ReplyFrame r;
        EXPECT_EQ(CheckReply(c.frame, c.kind, r), c.result) << c.name;
        if (c.result != kOk)
            continue;
        EXPECT_EQ(r.isError, c.isError) << c.name;
        EXPECT_EQ(r.errorCode, c.code) << c.name;
        EXPECT_EQ(r.more, c.more) << c.name;
        EXPECT_EQ(std::string(r.data), c.data) << c.name;
    }
}

// A unit may acknowledge a frame of a chunked request in any layout that
// ends with a good check code: only an error mark and the last character
// count.
TEST(Frames, AcknowledgementForms) {
    struct AckCase {
        const char* name;
        std::string frame;
        LinkResult result;
        bool isError;
        uint8_t code;
        bool more;
        std::string echo;
    };
    const AckCase cases[] = {
        {"echo, more", Framed("<EE$3B", true), kOk, false, 0, true, "3B"},
        {"echo, last", Framed("%EE$3B"), kOk, false, 0, false, "3B"},
        {"echo of another command", Framed("%EE$5V", true), kOk, false, 0, true, "5V"},
        {"mark without echo", Framed("<EE$", true), kOk, false, 0, true, ""},
        {"mark and one character", Framed("<EE$3"), kOk, false, 0, false, ""},
        {"bare, more", Framed("<EE", true), kOk, false, 0, true, ""},
        {"bare, last", Framed("%EE"), kOk, false, 0, false, ""},
        {"bare with something in it", Framed("%EE00", true), kOk, false, 0, true, ""},
        {"error", Framed("<EE!81"), kOk, true, 0x81, false, ""},
        {"error mark #", Framed("<EE#65"), kOk, true, 0x65, false, ""},
        {"bare, wrong check code", Framed("<EE", true, 1), kReplyCheckCode, false, 0, false, ""},
        {"echo, wrong check code", Framed("<EE$3B", false, 1), kReplyCheckCode, false, 0, false,
         ""},
        {"echo where the check code belongs", "%EE$3B&", kReplyCheckCode, false, 0, false, ""},
        {"no check code at all", "%EE&", kReplyMalformed, false, 0, false, ""},
        {"only '&'", "&", kReplyMalformed, false, 0, false, ""},
        {"check code not hex", "<EEZZ&", kReplyMalformed, false, 0, false, ""},
        {"'&' inside", Framed("<EE&", true), kReplyMalformed, false, 0, false, ""},
        {"error code cut", Framed("<EE!8"), kReplyMalformed, false, 0, false, ""},
    };
    for (const auto& c : cases) {
        ReplyFrame r;
        EXPECT_EQ(CheckReply(c.frame, ReplyKind::Acknowledgement, r), c.result) << c.name;
        if (c.result != kOk)
            continue;
        EXPECT_EQ(r.isError, c.isError) << c.name;
        EXPECT_EQ(r.errorCode, c.code) << c.name;
        EXPECT_EQ(r.more, c.more) << c.name;
        EXPECT_EQ(std::string(r.echo), c.echo) << c.name;
    }
}

TEST(Frames, MultiFrameReplyCollectsDataWithoutCheckCodes) {
    MultiFrameReply m(12);
    ReplyFrame r;
    ASSERT_EQ(m.Take(Framed("<EE$3A0102", true), r), kOk);
    EXPECT_TRUE(r.more);
    ASSERT_EQ(m.Take(Framed("<EE0304", true), r), kOk);
    ASSERT_EQ(m.Take(Framed("<EE0506"), r), kOk);
    EXPECT_FALSE(r.more);
    EXPECT_EQ(m.Data(), "010203040506");
    EXPECT_EQ(m.Frames(), 3u);
}

TEST(Frames, MultiFrameReplyIsBounded) {
    {
        MultiFrameReply m(4); // more data than the request can need
        ReplyFrame r;
        ASSERT_EQ(m.Take(Framed("<EE$3A0102", true), r), kOk);
        EXPECT_EQ(m.Take(Framed("<EE0304", true), r), kReplyMalformed);
    }
    {
        MultiFrameReply m(4); // a unit that never stops sending '&'
        ReplyFrame r;
        ASSERT_EQ(m.Take(Framed("<EE$3A0102", true), r), kOk);
        LinkResult last = kOk;
        int frames = 0;
        while (last == kOk && frames < 100) {
            last = m.Take(Framed("<EE", true), r);
            ++frames;
        }
        EXPECT_EQ(last, kReplyMalformed);
        EXPECT_LE(frames, 3);
    }
    {
        MultiFrameReply m(8); // non-hex data
        ReplyFrame r;
        EXPECT_EQ(m.Take(Framed("<EE$3A01x2"), r), kReplyMalformed);
    }
    {
        MultiFrameReply m(8); // the first frame must be an answer
        ReplyFrame r;
        EXPECT_EQ(m.Take(Framed("<EE0102"), r), kReplyMalformed);
    }
    {
        MultiFrameReply m(8); // an error frame is reported as such
        ReplyFrame r;
        ASSERT_EQ(m.Take(Framed("<EE$3A01", true), r), kOk);
        ASSERT_EQ(m.Take(Framed("<EE!43"), r), kOk);
        EXPECT_TRUE(r.isError);
        EXPECT_EQ(r.errorCode, 0x43);
    }
}

std::vector<size_t> ChunkSizes(const std::vector<std::string>& frames, size_t headChars) {
    std::vector<size_t> sizes;
    for (size_t i = 0; i < frames.size(); ++i) {
        const std::string& f = frames[i];
        const size_t tail = 2 + (f[f.size() - 2] == '&' ? 1 : 0) + 1; // check code, '&', CR
        sizes.push_back((f.size() - 3 - (i == 0 ? headChars : 0) - tail) / 2);
    }
    return sizes;
}

std::vector<std::string> AllFrames(ChunkedRequest& req) {
    std::vector<std::string> frames{req.Current()};
    while (!req.AllSent()) {
        req.Advance();
        frames.push_back(req.Current());
    }
    return frames;
}

TEST(Frames, ChunkedRequestOfTheWholeImage) {
    const std::string payload(2 * 0x20000, 'A');
    const std::string head = "#3B000000000001FFFF";
    for (uint32_t cmd2K : {0u, 1u}) {
        const uint16_t* sizes = ChunkSizesFor(cmd2K);
        ChunkedRequest req(BlockStart(cmd2K), head, payload, 2u * sizes[0], 2u * sizes[1]);
        const auto frames = AllFrames(req);
        const auto chunks = ChunkSizes(frames, head.size());
        ASSERT_GE(chunks.size(), 2u);
        EXPECT_EQ(chunks.front(), sizes[0]);
        for (size_t i = 1; i + 1 < chunks.size(); ++i)
            ASSERT_EQ(chunks[i], sizes[1]) << i;
        size_t total = 0;
        for (size_t c : chunks)
            total += c;
        EXPECT_EQ(total, 0x20000u);
        for (size_t i = 0; i + 1 < frames.size(); ++i)
            ASSERT_EQ(frames[i].substr(frames[i].size() - 2), "&\r") << i;
        EXPECT_NE(frames.back()[frames.back().size() - 2], '&');
        EXPECT_EQ(frames.front()[0], cmd2K ? '<' : '%');
        EXPECT_EQ(frames[1].substr(0, 3), cmd2K ? "<EE" : "%EE");
        if (cmd2K) {
            // One frame of 1010 bytes, 127 of 1020 and a last one of 522.
            EXPECT_EQ(frames.size(), 129u);
            EXPECT_EQ(chunks.back(), 522u);
            EXPECT_EQ(frames.front().size(), 1u + 2 + head.size() + 2020 + 2 + 1 + 1);
            EXPECT_LE(frames.front().size(), 2046u + 1); // with the CR; the 2048-character buffer
        }
    }
}

TEST(Frames, ChunkedRequestThatEndsWithinTheFirstFrameAndTheEmptyFrame) {
    ChunkedRequest req('<', "#3B0000000000000001", "ABCD", 2020, 2040);
    EXPECT_TRUE(req.AllSent());
    EXPECT_EQ(req.Current().substr(0, 26), "<EE#3B0000000000000001ABCD");
    EXPECT_NE(req.Current()[req.Current().size() - 2], '&');
    req.Advance(); // the unit still asked for more: a frame without data
    EXPECT_EQ(req.Current(), "<EE3C\r");
    EXPECT_EQ(req.SentChars(), 4u);
}

// How the unit's acknowledgements end a chunked request: a sequence of
// "wants more" answers and the result it comes to.
TEST(Frames, AcknowledgementsDecideTheChunkedRequest) {
    struct {
        const char* what;
        std::vector<bool> more;
        std::optional<LinkResult> result;
    } cases[] = {
        {"all in one frame", {false}, kOk},
        {"two frames", {true, false}, kOk},
        {"stops early", {false}, kEndedEarly}, // payload of two frames, first acked without '&'
        {"one empty frame after the data", {true, true, false}, kOk},
        {"still wants more after the empty frame", {true, true, true}, kReplyMalformed},
    };
    for (const auto& c : cases) {
        const bool twoFrames = std::string(c.what) != "all in one frame";
        ChunkedRequest req('%', "#3B0000000000000003", twoFrames ? "AABBCCDD" : "AABB", 4, 4);
        std::optional<LinkResult> result;
        for (bool more : c.more) {
            result = req.Acknowledged(more);
            if (result)
                break;
        }
        EXPECT_EQ(result, c.result) << c.what;
    }
}

} // namespace
} // namespace qv
