// The unit search: one UDP broadcast, then the replies of the units on the
// LAN for a fixed window, each turned into a UnitData record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/LinkResult.h"

namespace qv {

class CUnitComm;

constexpr uint8_t kSearchRequest[3] = {0x88, 0x40, 0x00};
constexpr uint8_t kSearchReplyMark = 0x88;  // byte 0 of every reply
constexpr uint8_t kSearchEcho = 0x40;       // byte 1 of a request (our own comes back)
constexpr uint8_t kSearchWithStatus = 0xC0; // byte 1 of a reply whose byte 2 is a status
constexpr uint8_t kSearchModelCode = 0x2C;  // the only model the search lists
constexpr int kSearchStatusNoMark = 5;      // the status of a reply without one
constexpr int kSearchNotAReply = -1;        // the status after a datagram that is no reply
constexpr int kSearchWindowMs = 8000;
constexpr int kSearchPollMs = 100;
constexpr int kSearchProgressSteps = 80;
constexpr size_t kSearchNameField = 32; // name bytes a reply may carry

// One unit that answered. The record the protocol calls _UNIT_DATA; that
// spelling is reserved in C++ (underscore and capital), hence the name. Every
// text ends with a NUL.
struct UnitData {
    uint8_t OnOffFlag = 0;
    char IPAddress[16] = {};
    char SubnetMask[16] = {};
    char Gateway[16] = {};
    char MacAddress[18] = {}; // "00:11:22:33:44:55"
    uint8_t VersionMajor = 0;
    uint8_t VersionMinor = 0;
    uint32_t TcpPort = 0;
    uint8_t RunFlag = 0;
    // The name bytes kept in Name: the reply's byte 31, cut to the 32 bytes of
    // the field and to what the datagram holds.
    uint8_t NameLength = 0;
    char Name[kSearchNameField + 1] = {};
    uint8_t Trailer0 = 0;
    uint8_t Trailer1 = 0;
    uint8_t ModelCode = 0;
    uint8_t Trailer2 = 0;
    uint8_t Trailer3 = 0;
};

// The monotonic tick count the search window is measured with; tests hand in
// one that their Sleeper moves on.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual int64_t NowMs() = 0;
};

TickSource& SystemTicks();

// One reply datagram of `length` bytes into a zeroed record. Bytes at or
// beyond `length` count as 0; nothing past reply[length - 1] is read.
void ParseSearchReply(const uint8_t* reply, size_t length, UnitData& record);

// True when none of the first `count` records (at most all of them) has this
// MAC text; true for count 0.
bool IsNewUnit(const char* macAddress, const std::vector<UnitData>& records, size_t count);

// "%d.%d.%d.%d" from the most significant byte down.
std::string FormatIPv4(uint32_t address);

// Broadcasts the search request on the link's UDP socket to port `UdpPort`
// and collects replies for windowMs, one per poll, waiting kSearchPollMs
// through the link's Sleeper after an empty poll and after each unit taken.
// `units` is emptied, then holds the units in the order of their replies
// (model 0x2C only, one per MAC address); `count` is their number. The
// link's ProgressSink shows `message` over 80 steps and is pumped once per
// poll.
// Result: the UDP open's code, or 231 when the broadcast fails (no progress
// shown then); 502 when cancelled; 332 when a receive fails (LastError the
// reason); otherwise the status of the last datagram that was no echo: byte
// 2 of a reply marked 0xC0, 5 for another reply, -1 for a datagram that is
// no reply, 0 when none came. The units found so far stay in every case.
LinkResult SearchUnits(std::vector<UnitData>& units, CUnitComm& link, const std::string& message,
                       int& count, TickSource& ticks = SystemTicks(),
                       int windowMs = kSearchWindowMs);

} // namespace qv
