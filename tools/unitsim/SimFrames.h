// The unit's side of the frame layer, written from the frame tables on its
// own: nothing here is shared with link/ or document/, so a misreading of the
// protocol on one side shows up as a failing exchange.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace unitsim::frames {

// Error codes the simulated unit answers with where the frames leave the
// choice to the unit (the program acts on 0x61, 0x65 and 0x81 only).
constexpr uint8_t kErrFrame = 0x41;          // wrong check code, malformed frame, station not "EE"
constexpr uint8_t kErrUnknownCommand = 0x42; // command code the unit does not know
constexpr uint8_t kErrProcedure = 0x43;      // multi-frame exchange out of step
constexpr uint8_t kErrArguments = 0x60;      // arguments of the wrong length, digits or range
constexpr uint8_t kErrPassword = 0x61;       // wrong password, or password change refused
constexpr uint8_t kErrMode = 0x63;           // block write refused in RUN mode
constexpr uint8_t kErrProtected =
    0x65; // block read/write while a password is set and nobody is logged in
constexpr uint8_t kErrBusy = 0x81; // the unit is busy (only by fault injection)

constexpr size_t kMaxRequestChars = 8192; // a longer line without CR is dropped

// XOR of the character codes of text.
uint8_t CheckCode(std::string_view text);
// Two upper-case hexadecimal digits.
std::string HexByte(uint8_t value);
// Four hexadecimal digits, low byte first: 0x1234 -> "3412".
std::string HexWordLE(uint16_t value);
// Upper-case hexadecimal digits only (1 to 8 of them).
bool ParseHex(std::string_view text, uint32_t& value);
bool ParseWordLE(std::string_view four, uint16_t& value);
// Decimal digits only (1 to 9 of them).
bool ParseDecimal(std::string_view text, uint32_t& value);

// A request frame as the unit reads it (the line without its CR).
struct Request {
    bool isFrame = false;    // starts with '%' or '<'
    bool wellFormed = false; // start, station and check code are there
    bool checkOk = false;
    char start = '%';
    std::string station;
    bool more = false;      // ended with '&'
    bool isCommand = false; // '#' follows the station
    bool knownCode = false;
    std::string code; // a known code, or the first two characters of an unknown one
    std::string args; // a command's arguments, or the data of a further frame
};
Request ParseRequest(std::string_view line);

// A reply frame before it is written out.
struct Reply {
    enum class Kind { Success, Error, Continuation };
    Kind kind = Kind::Success;
    char start = '%';
    std::string echo; // success: the two characters after '$'
    uint8_t errorCode = 0;
    std::string data;
    bool more = false;
    bool clipHeader = false; // fault ShortReply on a reply without data: the echo is left off
};
Reply SuccessReply(char start, std::string_view code, std::string data = {}, bool more = false);
Reply ErrorReply(char start, uint8_t code);
Reply ContinuationReply(char start, std::string data, bool more);

// The frame's characters without the CR: body, check code, and '&' when more follow.
// With wrongCheck the check code is off by one.
std::string Serialize(const Reply& reply, bool wrongCheck = false);

} // namespace unitsim::frames
