#include "tools/unitsim/SimFrames.h"

#include <array>

namespace unitsim::frames {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Longest codes first, so that no code is taken for the start of another.
constexpr std::array<std::string_view, 12> kCodes = {"RCS", "WCS", "RCC", "1D5", "RD", "WD",
                                                     "RM",  "0F",  "15",  "RT",  "3A", "3B"};

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

uint8_t CheckCode(std::string_view text) {
    uint8_t x = 0;
    for (char c : text)
        x ^= static_cast<uint8_t>(c);
    return x;
}

std::string HexByte(uint8_t value) {
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string HexWordLE(uint16_t value) {
    return HexByte(static_cast<uint8_t>(value & 0xFF)) + HexByte(static_cast<uint8_t>(value >> 8));
}

bool ParseHex(std::string_view text, uint32_t& value) {
    if (text.empty() || text.size() > 8)
        return false;
    uint32_t v = 0;
    for (char c : text) {
        int d = HexValue(c);
        if (d < 0)
            return false;
        v = v << 4 | static_cast<uint32_t>(d);
    }
    value = v;
    return true;
}

bool ParseWordLE(std::string_view four, uint16_t& value) {
    uint32_t lo = 0, hi = 0;
    if (four.size() != 4 || !ParseHex(four.substr(0, 2), lo) || !ParseHex(four.substr(2, 2), hi))
        return false;
    value = static_cast<uint16_t>(hi << 8 | lo);
    return true;
}

bool ParseDecimal(std::string_view text, uint32_t& value) {
    if (text.empty() || text.size() > 9)
        return false;
    uint32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    value = v;
    return true;
}

Request ParseRequest(std::string_view line) {
    Request q;
    if (line.empty() || (line[0] != '%' && line[0] != '<'))
        return q;
    q.isFrame = true;
    q.start = line[0];
    if (line.back() == '&') {
        q.more = true;
        line.remove_suffix(1);
    }
    if (line.size() < 5) // start, station, check code
        return q;
    q.wellFormed = true;
    std::string_view body = line.substr(0, line.size() - 2);
    q.checkOk = line.substr(line.size() - 2) == HexByte(CheckCode(body));
    q.station = std::string(body.substr(1, 2));
    std::string_view rest = body.substr(3);
    if (!rest.empty() && rest[0] == '#') {
        q.isCommand = true;
        rest.remove_prefix(1);
        for (std::string_view code : kCodes) {
            if (rest.substr(0, code.size()) == code) {
                q.knownCode = true;
                q.code = std::string(code);
                q.args = std::string(rest.substr(code.size()));
                return q;
            }
        }
        q.code = std::string(rest.substr(0, 2));
        q.args = std::string(rest.substr(q.code.size()));
        return q;
    }
    q.args = std::string(rest);
    return q;
}

Reply SuccessReply(char start, std::string_view code, std::string data, bool more) {
    Reply r;
    r.kind = Reply::Kind::Success;
    r.start = start;
    // The reply echoes two characters of the code, so its data starts at
    // position 6 for the three-character codes too ("$RC" for RCS).
    r.echo = std::string(code.substr(0, 2));
    r.data = std::move(data);
    r.more = more;
    return r;
}

Reply ErrorReply(char start, uint8_t code) {
    Reply r;
    r.kind = Reply::Kind::Error;
    r.start = start;
    r.errorCode = code;
    return r;
}

Reply ContinuationReply(char start, std::string data, bool more) {
    Reply r;
    r.kind = Reply::Kind::Continuation;
    r.start = start;
    r.data = std::move(data);
    r.more = more;
    return r;
}

std::string Serialize(const Reply& reply, bool wrongCheck) {
    std::string body(1, reply.start);
    body += "EE";
    switch (reply.kind) {
    case Reply::Kind::Success:
        body += '$';
        if (!reply.clipHeader)
            body += reply.echo;
        body += reply.data;
        break;
    case Reply::Kind::Error:
        body += '!';
        if (!reply.clipHeader)
            body += HexByte(reply.errorCode);
        break;
    case Reply::Kind::Continuation:
        body += reply.data;
        break;
    }
    uint8_t check = CheckCode(body);
    if (wrongCheck)
        check = static_cast<uint8_t>((check + 1) & 0x7F);
    body += HexByte(check);
    if (reply.more)
        body += '&';
    return body;
}

} // namespace unitsim::frames
