#include "link/Frames.h"

#include <algorithm>
#include <cstring>

#include "document/HexDigit.h"

namespace qv {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

int DigitOrZero(char c) {
    const int v = HexDigitValue(c);
    return v < 0 ? 0 : v;
}

} // namespace

uint8_t CheckCode(std::string_view text) {
    uint8_t x = 0;
    for (char c : text)
        x ^= static_cast<uint8_t>(c);
    return x;
}

size_t FinishFrame(char* frame, size_t capacity, int more) {
    const size_t len = strnlen(frame, capacity);
    if (len == 0 || len == capacity)
        return 0;
    const size_t extra = more ? 4 : 3;
    if (len + extra + 1 > capacity)
        return 0;
    const uint8_t code = CheckCode(std::string_view(frame, len));
    size_t n = len;
    frame[n++] = kHexDigits[code >> 4];
    frame[n++] = kHexDigits[code & 0xF];
    if (more)
        frame[n++] = '&';
    frame[n++] = kCR;
    frame[n] = 0;
    return n;
}

std::string& FinishFrame(std::string& frame, bool more) {
    if (frame.empty())
        return frame;
    AppendByteHex(frame, CheckCode(frame));
    if (more)
        frame += '&';
    frame += kCR;
    return frame;
}

uint8_t ParseErrorCode(const char* two) {
    return HexToByte(two);
}

uint8_t HexToByte(const char* two) {
    return static_cast<uint8_t>(DigitOrZero(two[0]) << 4 | DigitOrZero(two[1]));
}

uint16_t HexToWordLE(const char* four) {
    return static_cast<uint16_t>(HexToByte(four + 2) << 8 | HexToByte(four));
}

bool IsHexText(std::string_view text) {
    for (char c : text)
        if (HexDigitValue(c) < 0)
            return false;
    return true;
}

void AppendByteHex(std::string& out, uint8_t v) {
    out += kHexDigits[v >> 4];
    out += kHexDigits[v & 0xF];
}

void AppendWordHexLE(std::string& out, uint16_t v) {
    AppendByteHex(out, static_cast<uint8_t>(v & 0xFF));
    AppendByteHex(out, static_cast<uint8_t>(v >> 8));
}

std::string BytesToHex(const uint8_t* data, size_t size) {
    std::string out;
    out.reserve(size * 2);
    for (size_t i = 0; i < size; ++i)
        AppendByteHex(out, data[i]);
    return out;
}

std::string ContinuationRequest(char start) {
    std::string f(1, start);
    f += kStation;
    return FinishFrame(f, true);
}

LinkResult CheckReply(std::string_view frame, ReplyKind kind, ReplyFrame& out) {
    using namespace link_result;
    out = ReplyFrame{};
    std::string_view body = frame;
    if (!body.empty() && body.back() == '&') {
        out.more = true;
        body.remove_suffix(1);
    }
    if (body.find('&') != std::string_view::npos)
        return kReplyMalformed;
    // Start, station, check code at the least.
    if (body.size() < 5)
        return kReplyMalformed;
    const std::string_view checked = body.substr(0, body.size() - 2);
    const std::string_view code = body.substr(body.size() - 2);
    const char mark = checked.size() > 3 ? checked[3] : 0;
    size_t dataFrom = 3;
    if (mark == '!' || mark == '#') {
        if (checked.size() != 6 || !IsHexText(checked.substr(4, 2)))
            return kReplyMalformed;
        out.isError = true;
        out.errorCode = ParseErrorCode(checked.data() + 4);
        dataFrom = 6;
    } else if (mark == '$' && kind == ReplyKind::Acknowledgement) {
        if (checked.size() >= 6)
            out.echo = checked.substr(4, 2);
        dataFrom = std::min<size_t>(6, checked.size());
    } else if (mark == '$') {
        if (checked.size() < 6)
            return kReplyMalformed;
        out.echo = checked.substr(4, 2);
        dataFrom = 6;
    } else if (kind == ReplyKind::First) {
        return kReplyMalformed;
    }
    if (!IsHexText(code))
        return kReplyMalformed;
    if (HexToByte(code.data()) != CheckCode(checked))
        return kReplyCheckCode;
    out.data = checked.substr(dataFrom);
    return kOk;
}

std::string_view ExpectedEcho(std::string_view request) {
    if (request.size() >= 6 && request[3] == '#')
        return request.substr(4, 2);
    return {};
}

bool AnswersAnotherRequest(const ReplyFrame& reply, std::string_view expected) {
    return !expected.empty() && !reply.isError && !reply.echo.empty() && reply.echo != expected;
}

ChunkedRequest::ChunkedRequest(char start, std::string head, std::string payload, size_t firstChars,
                               size_t furtherChars)
    : start_(start), payload_(std::move(payload)), further_(furtherChars) {
    std::string prefix(1, start_);
    prefix += kStation;
    prefix += head;
    Build(std::move(prefix), firstChars);
}

void ChunkedRequest::Advance() {
    std::string prefix(1, start_);
    prefix += kStation;
    Build(std::move(prefix), further_);
}

std::optional<LinkResult> ChunkedRequest::Acknowledged(bool more) {
    using namespace link_result;
    if (!more)
        return AllSent() ? kOk : kEndedEarly;
    if (AllSent()) {
        if (emptyFrameSent_)
            return kReplyMalformed;
        emptyFrameSent_ = true;
    }
    Advance();
    return std::nullopt;
}

void ChunkedRequest::Build(std::string prefix, size_t chunk) {
    const size_t n = std::min(chunk, payload_.size() - sent_);
    prefix.append(payload_, sent_, n);
    sent_ += n;
    ++frames_;
    frame_ = std::move(prefix);
    FinishFrame(frame_, sent_ < payload_.size());
}

MultiFrameReply::MultiFrameReply(size_t maxChars) : maxChars_(maxChars) {
    data_.reserve(maxChars);
}

LinkResult MultiFrameReply::Take(std::string_view frame, ReplyFrame& reply) {
    const LinkResult r = CheckReply(frame, NextKind(), reply);
    if (r != link_result::kOk || reply.isError)
        return r;
    return Add(reply);
}

LinkResult MultiFrameReply::Add(const ReplyFrame& reply) {
    using namespace link_result;
    ++frames_;
    if (!IsHexText(reply.data) || data_.size() + reply.data.size() > maxChars_)
        return kReplyMalformed;
    // Each continuing frame must bring the reply forward; a few empty ones are
    // tolerated, so the number of frames stays below maxChars + kEmptyFrames + 2.
    if (reply.more && reply.data.empty() && ++emptyFrames_ > kEmptyFrames)
        return kReplyMalformed;
    data_.append(reply.data);
    return kOk;
}

} // namespace qv
