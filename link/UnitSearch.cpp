#include "link/UnitSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "link/UnitComm.h"

namespace qv {

using namespace link_result;

namespace {

class SteadyTicks final : public TickSource {
public:
    int64_t NowMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

// The address of four reply bytes, most significant first.
void FormatAddressAt(const uint8_t* b, char (&out)[16]) {
    const uint32_t a = static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
                       static_cast<uint32_t>(b[2]) << 8 | b[3];
    const std::string text = FormatIPv4(a);
    std::memcpy(out, text.c_str(), text.size() + 1);
}

} // namespace

TickSource& SystemTicks() {
    static SteadyTicks ticks;
    return ticks;
}

std::string FormatIPv4(uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFF,
                  (address >> 8) & 0xFF, address & 0xFF);
    return text;
}

void ParseSearchReply(const uint8_t* reply, size_t length, UnitData& record) {
    // The 32-byte head is read from a zeroed copy, so a short datagram reads
    // 0 where it ends.
    uint8_t head[32] = {};
    std::memcpy(head, reply, std::min(length, sizeof head));
    auto at = [&](size_t i) -> uint8_t { return i < length ? reply[i] : 0; };

    record.OnOffFlag = head[3];
    FormatAddressAt(head + 4, record.IPAddress);
    FormatAddressAt(head + 8, record.SubnetMask);
    FormatAddressAt(head + 12, record.Gateway);
    std::snprintf(record.MacAddress, sizeof record.MacAddress, "%02X:%02X:%02X:%02X:%02X:%02X",
                  head[16], head[17], head[18], head[19], head[20], head[21]);
    record.VersionMajor = head[22];
    record.VersionMinor = head[23];
    record.TcpPort = static_cast<uint32_t>(head[24]) << 8 | head[25];
    record.RunFlag = head[26];
    record.ModelCode = head[27];

    // The name as long as byte 31 says, but never more than its field nor
    // more than the datagram holds.
    const size_t declared = head[31];
    const size_t present = length > 32 ? length - 32 : 0;
    const size_t kept = std::min({declared, kSearchNameField, present});
    std::memset(record.Name, 0, sizeof record.Name);
    if (kept > 0)
        std::memcpy(record.Name, reply + 32, kept);
    record.NameLength = static_cast<uint8_t>(kept);
    // The four bytes after the name stand where the reply's own length puts them.
    record.Trailer0 = at(32 + declared);
    record.Trailer1 = at(33 + declared);
    record.Trailer2 = at(34 + declared);
    record.Trailer3 = at(35 + declared);
}

bool IsNewUnit(const char* macAddress, const std::vector<UnitData>& records, size_t count) {
    const size_t n = std::min(count, records.size());
    for (size_t i = 0; i < n; ++i)
        if (std::strncmp(records[i].MacAddress, macAddress, sizeof records[i].MacAddress) == 0)
            return false;
    return true;
}

LinkResult SearchUnits(std::vector<UnitData>& units, CUnitComm& link, const std::string& message,
                       int& count, TickSource& ticks, int windowMs) {
    units.clear();
    count = 0;
    LinkResult r = link.OpenUdp();
    if (r != kOk)
        return r;
    r = link.BroadcastUdp(kSearchRequest);
    if (r != kOk) {
        const uint32_t why = link.LastError;
        link.CloseUdp();
        link.LastError = why;
        return r;
    }
    ProgressSink* progress = link.Progress();
    Sleeper& sleeper = link.SleeperService();
    if (progress)
        progress->BeginText(message, kSearchProgressSteps);

    LinkResult status = 0;
    uint32_t failure = 0;
    int position = 0;
    const int64_t start = ticks.NowMs();
    while (ticks.NowMs() - start <= windowMs) {
        if (progress) {
            position = std::min(position + 1, kSearchProgressSteps);
            progress->SetPosition(position);
            if (progress->PumpAndCancelled()) {
                status = kCancelled;
                break;
            }
        }
        uint8_t buffer[kUdpReceiveSize] = {};
        int length = 0;
        link.RecvUdp(buffer, length);
        if (length < 0) {
            // A broken socket would otherwise look like a LAN without units.
            status = kUdpRecv;
            failure = link.LastError;
            break;
        }
        if (length == 0) {
            sleeper.SleepMs(kSearchPollMs);
            continue;
        }
        if (buffer[1] == kSearchEcho)
            continue;
        if (buffer[0] != kSearchReplyMark) {
            status = kSearchNotAReply;
            continue;
        }
        status = buffer[1] == kSearchWithStatus ? buffer[2] : kSearchStatusNoMark;
        UnitData record;
        ParseSearchReply(buffer, static_cast<size_t>(length), record);
        if (record.ModelCode != kSearchModelCode ||
            !IsNewUnit(record.MacAddress, units, units.size()))
            continue;
        units.push_back(record);
        sleeper.SleepMs(kSearchPollMs);
    }

    count = static_cast<int>(units.size());
    link.CloseUdp();
    link.LastError = failure;
    if (progress)
        progress->End();
    return status;
}

} // namespace qv
