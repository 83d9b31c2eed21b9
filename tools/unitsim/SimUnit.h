// The simulated unit's state and what it does with one request frame. No I/O
// here: the transports of UnitSimulator.cpp hand in parsed frames and write
// out the replies.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/unitsim/SimFiles.h"
#include "tools/unitsim/SimFrames.h"

namespace unitsim {

constexpr int kDataRegisters = 100000; // DT0..DT99999
constexpr int kContactWords = 1000;    // R0..R999 (16 contacts each)
// A block write starts a firmware update when R999F is on: then any range up
// to this size is taken, its bytes are dropped, and R999F is cleared at the end.
constexpr uint32_t kFirmwareLimit = 0x1000000;

// State shared by every connection.
struct UnitState {
    std::vector<uint8_t> image;
    std::vector<uint16_t> dt;
    std::vector<uint16_t> r;
    bool run = false;
    uint8_t unitType = 0x91;
    std::string password; // plain bytes, at most 8
    bool loggedIn = false;
    int clearCount = 0;
    FileStore files;             // the storage and session of the file service
    size_t extendedChunk = 2000; // data characters per reply frame of a '<' multi-frame read
    size_t ordinaryChunk = 64;   // of a '%' block read

    // A mode command takes effect after this many further status requests
    // (0 at once, -1 never); until then the status shows the old mode.
    int modeSwitchDelay = 0;
    bool modePending = false;
    bool pendingRun = false;
    int modePollsLeft = 0;
    // What a clear leaves in the relays: R999D on when it is done, and R999E
    // on as well when it failed.
    bool clearSetsDone = true;
    bool clearSetsError = false;
    bool firmwareFails = false;    // a firmware update ends with R999E on
    std::vector<uint8_t> firmware; // bytes of the last firmware update

    UnitState();
};

// A multi-frame exchange in progress on one connection.
struct Transfer {
    enum class Kind { None, Read, Write, FileText };
    Kind kind = Kind::None;
    std::string code; // "3A", "RD" or "3B"
    std::string readText;
    size_t readPos = 0;
    size_t chunk = 0;  // read: data characters per reply frame
    uint32_t next = 0; // write: next address expected
    uint32_t last = 0; // write: last address of the range
    bool firmware = false;
    std::string fileText; // a chunked file request: its text so far

    void Reset() { *this = Transfer(); }
};

// The first frame of a reply of `chunk` data characters a frame; the rest
// waits in the transfer for the continuation requests.
frames::Reply StartRead(Transfer& t, char start, const std::string& code, std::string text,
                        size_t chunk);

// The command code a frame counts as for fault matching: its own code, the
// code of the exchange it continues, or "" for a stray frame.
std::string EffectiveCode(const Transfer& transfer, const frames::Request& request);

// True for a frame of a chunked request: a block write "#3B", a file request
// with a text argument, or a further frame of either.
bool IsChunkedRequestFrame(const Transfer& transfer, const frames::Request& request);

// Carries out one well-formed or malformed frame (isFrame true) and says what to answer.
frames::Reply Handle(UnitState& unit, Transfer& transfer, const frames::Request& request);

// "R999E" -> word 999, bit 14. Area "R", then 0 to 3 decimal digits and one hex digit.
bool ParseContact(std::string_view text, int& word, int& bit);

// The password scramble: each byte complemented, then rotated right by 2 bits.
uint8_t ScrambleByte(uint8_t b);
uint8_t UnscrambleByte(uint8_t b);

} // namespace unitsim
