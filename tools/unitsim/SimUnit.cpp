#include "tools/unitsim/SimUnit.h"

#include <algorithm>

#include "tools/unitsim/UnitSimulator.h"

namespace unitsim {

using frames::ErrorReply;
using frames::Reply;
using frames::Request;
using frames::SuccessReply;

namespace {

constexpr uint8_t kPasswordPad = 0x7F;
constexpr size_t kPasswordBytes = 8;

// Status reply data (positions 6-21): unit type, firmware version, status
// byte 10, mode flags (bit 0 RUN; bit 5, "remote", is always set so that a
// reader who compares the whole byte with 1 fails), two bytes and a word of 0.
std::string StatusData(const UnitState& u) {
    return frames::HexByte(u.unitType) + "23" + "20" + frames::HexByte(u.run ? 0x21 : 0x20) + "00" +
           "00" + frames::HexWordLE(0);
}

// Relays the unit sets at the end of a clear and of a firmware update.
constexpr int kRelayWord = 999;
constexpr int kRelayDone = 13;     // R999D: clear done
constexpr int kRelayError = 14;    // R999E: the last clear or update failed
constexpr int kRelayFirmware = 15; // R999F: a firmware update is under way

void SetRelay(UnitState& u, int bit, bool on) {
    uint16_t& w = u.r[kRelayWord];
    w = on ? static_cast<uint16_t>(w | 1u << bit) : static_cast<uint16_t>(w & ~(1u << bit));
}

// System registers DT90000 to DT90224 of a unit that has run for a while:
// no error, its clock (BCD), firmware 2.23, LAN addresses, hardware address,
// counters and the two storage capacities with what is used of them.
void SetSystemRegisterDefaults(std::vector<uint16_t>& dt) {
    const struct {
        int number;
        uint16_t value;
    } defaults[] = {
        {90028, 12},     {90030, 3},                       // counters
        {90054, 0x3000}, {90055, 0x1509}, {90056, 0x2406}, // 2024/06/15 09:30:00
        {90057, 0x0006},                                   // day of the week
        {90062, 1500},   {90064, 20},     {90066, 7},      {90070, 1},
        {90082, 300},    {90084, 2},      {90086, 1},      {90090, 60},
        {90150, 0x001A}, {90151, 0x2B3C}, {90152, 0x4D5E}, // 00-1A-2B-3C-4D-5E
        {90153, 0x0217},                                   // 2.23
        {90154, 0x0105}, {90155, 0xC0A8},                  // 192.168.1.5
        {90156, 0xFF00}, {90157, 0xFFFF},                  // 255.255.255.0
        {90158, 0x0101}, {90159, 0xC0A8},                  // 192.168.1.1
        {90160, 0x0101}, {90161, 0xC0A8},                  // 192.168.1.1
        {90170, 0xD687}, {90171, 0x0012},                  // 1,234,567
        {90201, 0x4000},                                   // 1 GiB
        {90205, 0x0100},                                   // 16 MiB used
        {90209, 0x0080},                                   // 8 MiB
        {90213, 0x0010},                                   // 1 MiB used
    };
    for (const auto& d : defaults)
        dt[static_cast<size_t>(d.number)] = d.value;
}

bool ParseDecimalRange(std::string_view text, uint32_t max, uint32_t& value) {
    return frames::ParseDecimal(text, value) && value <= max;
}

bool ParseBytes(std::string_view hex, std::vector<uint8_t>& out) {
    if (hex.size() % 2 != 0)
        return false;
    out.resize(hex.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        uint32_t v = 0;
        if (!frames::ParseHex(hex.substr(2 * i, 2), v))
            return false;
        out[i] = static_cast<uint8_t>(v);
    }
    return true;
}

std::string BytesHex(const uint8_t* bytes, size_t count) {
    std::string text;
    text.reserve(2 * count);
    for (size_t i = 0; i < count; ++i)
        text += frames::HexByte(bytes[i]);
    return text;
}

std::string WordsHex(const uint16_t* words, size_t count) {
    std::string text;
    text.reserve(4 * count);
    for (size_t i = 0; i < count; ++i)
        text += frames::HexWordLE(words[i]);
    return text;
}

Reply WriteData(UnitState& u, Transfer& t, char start, std::string_view hex, bool more) {
    std::vector<uint8_t> bytes;
    if (!ParseBytes(hex, bytes)) {
        t.Reset();
        return ErrorReply(start, frames::kErrArguments);
    }
    const uint32_t remaining = t.last - t.next + 1;
    if (bytes.size() > remaining) {
        t.Reset();
        return ErrorReply(start, frames::kErrProcedure);
    }
    if (t.firmware)
        u.firmware.insert(u.firmware.end(), bytes.begin(), bytes.end());
    else
        std::copy(bytes.begin(), bytes.end(), u.image.begin() + t.next);
    t.next += static_cast<uint32_t>(bytes.size());
    if (t.next > t.last) {
        if (t.firmware) { // the update is taken: R999F off, R999E the verdict
            SetRelay(u, kRelayFirmware, false);
            SetRelay(u, kRelayError, u.firmwareFails);
        }
        t.Reset();
        return SuccessReply(start, "3B");
    }
    if (!more) { // the last frame came before all the data
        t.Reset();
        return ErrorReply(start, frames::kErrProcedure);
    }
    return SuccessReply(start, "3B", {}, true);
}

Reply Continue(UnitState& u, Transfer& t, const Request& q) {
    if (t.kind == Transfer::Kind::Write)
        return WriteData(u, t, q.start, q.args, q.more);
    if (t.kind == Transfer::Kind::Read && q.args.empty() && q.more) {
        size_t n = std::min(t.chunk, t.readText.size() - t.readPos);
        std::string data = t.readText.substr(t.readPos, n);
        t.readPos += n;
        bool more = t.readPos < t.readText.size();
        if (!more)
            t.Reset();
        return frames::ContinuationReply(q.start, std::move(data), more);
    }
    t.Reset();
    return ErrorReply(q.start, frames::kErrProcedure);
}

Reply Password(UnitState& u, const Request& q) {
    const char s = q.start;
    const std::string& a = q.args;
    if (a.empty())
        return ErrorReply(s, frames::kErrArguments);
    const char sub = a[0];
    std::vector<uint8_t> bytes;
    if (sub == '8' || sub == 'A') {
        if (a.size() != 1 + 2 * kPasswordBytes || !ParseBytes(std::string_view(a).substr(1), bytes))
            return ErrorReply(s, frames::kErrArguments);
    } else if (sub == '9' || sub == 'B') {
        if (a.size() != 1)
            return ErrorReply(s, frames::kErrArguments);
    } else {
        return ErrorReply(s, frames::kErrArguments);
    }
    const bool mayChange = u.password.empty() || u.loggedIn;
    switch (sub) {
    case '8': { // set: the scrambled bytes, then the unscrambled pad
        if (!mayChange)
            return ErrorReply(s, frames::kErrPassword);
        while (!bytes.empty() && bytes.back() == kPasswordPad)
            bytes.pop_back();
        std::string plain;
        for (uint8_t b : bytes)
            plain += static_cast<char>(UnscrambleByte(b));
        u.password = plain;
        return SuccessReply(s, "15");
    }
    case '9':
        if (!mayChange)
            return ErrorReply(s, frames::kErrPassword);
        u.password.clear();
        return SuccessReply(s, "15");
    case 'A': { // log in; a unit without a password takes any
        std::vector<uint8_t> expected;
        for (char c : u.password)
            expected.push_back(ScrambleByte(static_cast<uint8_t>(c)));
        expected.resize(kPasswordBytes, kPasswordPad);
        if (!u.password.empty() && bytes != expected)
            return ErrorReply(s, frames::kErrPassword);
        u.loggedIn = true;
        return SuccessReply(s, "15");
    }
    default: // 'B'
        u.loggedIn = false;
        return SuccessReply(s, "15");
    }
}

bool Protected(const UnitState& u) {
    return !u.password.empty() && !u.loggedIn;
}

Reply BlockRead(UnitState& u, Transfer& t, const Request& q) {
    const char s = q.start;
    if (Protected(u))
        return ErrorReply(s, frames::kErrProtected);
    uint32_t first = 0, last = 0;
    const std::string& a = q.args;
    if (a.size() != 16 || !frames::ParseHex(a.substr(0, 8), first) ||
        !frames::ParseHex(a.substr(8, 8), last) || first > last || last >= kImageSize)
        return ErrorReply(s, frames::kErrArguments);
    return StartRead(t, s, "3A", BytesHex(u.image.data() + first, last - first + 1),
                     s == '<' ? u.extendedChunk : u.ordinaryChunk);
}

Reply BlockWrite(UnitState& u, Transfer& t, const Request& q) {
    const char s = q.start;
    if (Protected(u))
        return ErrorReply(s, frames::kErrProtected);
    if (u.run)
        return ErrorReply(s, frames::kErrMode);
    uint32_t first = 0, last = 0;
    const std::string& a = q.args;
    const bool firmware = (u.r[999] >> 15) & 1;
    if (a.size() < 16 || !frames::ParseHex(a.substr(0, 8), first) ||
        !frames::ParseHex(a.substr(8, 8), last) || first > last ||
        last >= (firmware ? kFirmwareLimit : kImageSize))
        return ErrorReply(s, frames::kErrArguments);
    t.kind = Transfer::Kind::Write;
    t.code = "3B";
    t.next = first;
    t.last = last;
    t.firmware = firmware;
    if (firmware)
        u.firmware.clear();
    return WriteData(u, t, s, std::string_view(a).substr(16), q.more);
}

} // namespace

Reply StartRead(Transfer& t, char start, const std::string& code, std::string text, size_t chunk) {
    if (text.size() <= chunk)
        return SuccessReply(start, code, std::move(text));
    t.kind = Transfer::Kind::Read;
    t.code = code;
    t.chunk = chunk;
    t.readText = std::move(text);
    t.readPos = chunk;
    return SuccessReply(start, code, t.readText.substr(0, chunk), true);
}

UnitState::UnitState() : image(kImageSize, 0), dt(kDataRegisters, 0), r(kContactWords, 0) {
    SetSystemRegisterDefaults(dt);
}

uint8_t ScrambleByte(uint8_t b) {
    uint8_t c = static_cast<uint8_t>(~b);
    return static_cast<uint8_t>(c >> 2 | c << 6);
}

uint8_t UnscrambleByte(uint8_t b) {
    uint8_t c = static_cast<uint8_t>(b << 2 | b >> 6);
    return static_cast<uint8_t>(~c);
}

bool ParseContact(std::string_view text, int& word, int& bit) {
    if (text.size() < 2 || text.size() > 5 || text[0] != 'R')
        return false;
    uint32_t b = 0, w = 0;
    std::string_view digits = text.substr(1, text.size() - 2);
    if (!frames::ParseHex(text.substr(text.size() - 1), b))
        return false;
    if (!digits.empty() && !frames::ParseDecimal(digits, w))
        return false;
    if (w >= static_cast<uint32_t>(kContactWords))
        return false;
    word = static_cast<int>(w);
    bit = static_cast<int>(b);
    return true;
}

std::string EffectiveCode(const Transfer& transfer, const Request& request) {
    if (request.isCommand)
        return request.code;
    return transfer.code;
}

bool IsChunkedRequestFrame(const Transfer& transfer, const Request& request) {
    if (request.isCommand)
        return request.code == "3B" || IsChunkedFileCommand(request.code);
    return transfer.kind == Transfer::Kind::Write || transfer.kind == Transfer::Kind::FileText;
}

Reply Handle(UnitState& u, Transfer& t, const Request& q) {
    const char s = q.start;
    if (!q.wellFormed || !q.checkOk || q.station != "EE")
        return ErrorReply(s, frames::kErrFrame);
    if (q.isCommand ? IsFileCommand(q.code) : t.kind == Transfer::Kind::FileText)
        return u.files.Handle(t, q, u.extendedChunk);
    if (!q.isCommand)
        return Continue(u, t, q);
    t.Reset(); // a new command ends any exchange in progress
    if (!q.knownCode)
        return ErrorReply(s, frames::kErrUnknownCommand);

    const std::string& c = q.code;
    const std::string& a = q.args;
    const auto bad = [s] { return ErrorReply(s, frames::kErrArguments); };
    int word = 0, bit = 0;
    uint32_t first = 0, last = 0;

    if (c == "RCS") { // "R999E" -> '0' or '1'
        if (!ParseContact(a, word, bit))
            return bad();
        return SuccessReply(s, c, (u.r[word] >> bit) & 1 ? "1" : "0");
    }
    if (c == "WCS") { // "R999F1"
        if (a.size() < 3 || (a.back() != '0' && a.back() != '1') ||
            !ParseContact(std::string_view(a).substr(0, a.size() - 1), word, bit))
            return bad();
        if (a.back() == '1')
            u.r[word] |= static_cast<uint16_t>(1u << bit);
        else
            u.r[word] &= static_cast<uint16_t>(~(1u << bit));
        return SuccessReply(s, c);
    }
    if (c == "RCC") { // "R" + first word %04d + last word %04d
        if (a.size() != 9 || a[0] != 'R' || !ParseDecimalRange(a.substr(1, 4), 999, first) ||
            !ParseDecimalRange(a.substr(5, 4), 999, last) || first > last)
            return bad();
        return SuccessReply(s, c, WordsHex(u.r.data() + first, last - first + 1));
    }
    if (c == "RD" || c == "WD") { // "D" + first %05d + last %05d [+ words]
        if (a.size() < 11 || a[0] != 'D' || !ParseDecimalRange(a.substr(1, 5), 99999, first) ||
            !ParseDecimalRange(a.substr(6, 5), 99999, last) || first > last)
            return bad();
        const size_t count = last - first + 1;
        if (c == "RD") {
            if (a.size() != 11)
                return bad();
            std::string text = WordsHex(u.dt.data() + first, count);
            if (s == '<')
                return StartRead(t, s, c, std::move(text), u.extendedChunk);
            return SuccessReply(s, c, std::move(text)); // '%': one frame
        }
        if (a.size() != 11 + 4 * count)
            return bad();
        std::vector<uint16_t> words(count);
        for (size_t i = 0; i < count; ++i)
            if (!frames::ParseWordLE(std::string_view(a).substr(11 + 4 * i, 4), words[i]))
                return bad();
        std::copy(words.begin(), words.end(), u.dt.begin() + first);
        return SuccessReply(s, c);
    }
    if (c == "RM") {
        if (a != "R" && a != "P")
            return bad();
        u.modePending = u.modeSwitchDelay != 0;
        if (u.modePending) {
            u.pendingRun = a == "R";
            u.modePollsLeft = u.modeSwitchDelay;
        } else {
            u.run = a == "R";
        }
        return SuccessReply(s, c);
    }
    if (c == "0F" || c == "RT" || c == "1D5") {
        if (!a.empty())
            return bad();
        if (c == "0F") {
            ++u.clearCount;
            SetRelay(u, kRelayDone, u.clearSetsDone || u.clearSetsError);
            SetRelay(u, kRelayError, u.clearSetsError);
        }
        if (c == "RT" && u.modePending) {
            if (u.modePollsLeft == 0) {
                u.run = u.pendingRun;
                u.modePending = false;
            } else if (u.modePollsLeft > 0) {
                --u.modePollsLeft;
            }
        }
        return SuccessReply(s, c, c == "RT" ? StatusData(u) : std::string());
    }
    if (c == "15")
        return Password(u, q);
    if (c == "3A")
        return BlockRead(u, t, q);
    return BlockWrite(u, t, q); // "3B"
}

} // namespace unitsim
