// What the status window shows: the texts of the unit's status, clock,
// addresses, counters and error rows, and the two capacity gauges, made from
// what the window's session read; and the poll that latches a failure.
#pragma once
#include <cstdint>
#include <string>

#include "link/UnitTools.h"

namespace qv {

class CUnitSession;

// Colours as the unit's tools store them: 0x00BBGGRR.
constexpr uint32_t kGaugeFree = 0xFF0000;   // blue
constexpr uint32_t kGaugeUsed = 0xF200F2;   // magenta
constexpr uint32_t kGaugeEmpty = 0xC0C0C0;  // grey
constexpr uint32_t kGaugeFailed = 0xFFFFFF; // white

// Angles in whole degrees, clockwise from 12 o'clock (-90 is 9 o'clock).
// A sector whose start and end point the same way is the whole disc.
struct GaugeSector {
    int32_t start = -90;
    int32_t end = -90;
    uint32_t colour = kGaugeEmpty;
};
struct Gauge {
    GaugeSector sectors[2];
};

// Sectors of a gauge with capacity c of which v is used (the second value);
// a capacity below its second value counts as an empty gauge, and an empty
// capacity is a grey disc. Exact for every 64-bit value.
Gauge CalcGauge(uint64_t capacity, uint64_t used);

// 1234567 -> "1,234,567".
std::wstring FormatWithSeparators(uint64_t value);

// String numbers of the detail texts.
// Shown for an error code without a text of its own (no error).
constexpr unsigned kStrNoError = 46700;
unsigned ErrorCodeTextId(uint16_t code);             // never 0
unsigned PortStatusTextId(int table, uint16_t code); // tables 1..6; 0 = none

// The five message rows for the error word and the port status words.
void MessageRows(const MonitorRegisters& m, std::wstring (&rows)[5]);

// "   .   .   .   " style texts of a 32-bit address word pair; empty when
// the first number is 0.
std::wstring AddressText(uint32_t words);

struct StatusTexts {
    std::wstring error, clock, mode, version, unitName, writeDate, writeUser;
    std::wstring addresses[5]; // 1 to 5
    std::wstring hardwareAddress;
    std::wstring rows[5];
    std::wstring counters[3];
    // Per gauge: capacity minus second value, second value, capacity.
    std::wstring gauge[2][3];
};

// The poll of the status window over its session. A failure of the status
// or register read latches: from then on every poll shows the placeholders
// and white discs and reads nothing, until the window is opened again.
class StatusPoll {
public:
    explicit StatusPoll(CUnitSession& link) : link_(link) {}

    // One poll; true when the gauges changed and must be drawn again.
    bool Refresh();
    // The unit's "#1D5" command; a failure latches like a failed poll.
    void SendCode1D5();
    // Writes the placeholders (the counters' is "---"); the message rows
    // keep their texts.
    void ShowPlaceholders();

    bool PollFailed() const { return failed_; }
    const StatusTexts& Texts() const { return texts_; }
    // The gauges as drawn: white discs after a failure.
    Gauge DrawnGauge(int index) const;

private:
    void Fill();

    CUnitSession& link_;
    bool failed_ = false;
    StatusTexts texts_;
    Gauge gauges_[2];
};

// The texts of a successful read (every field but the placeholders' "kept" ones).
void FillStatusTexts(const UnitStatusFields& status, const MonitorRegisters& m,
                     const uint8_t (&writeTime)[6], const char* unitName, const char* writeUser,
                     uint32_t codePage, StatusTexts& out);

} // namespace qv
