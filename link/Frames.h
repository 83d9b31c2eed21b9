// Command frames of the unit protocol: building requests,
// checking replies, the multi-frame reply and the chunked request. Pure text
// work, no I/O.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/LinkResult.h"

namespace qv {

constexpr char kStation[] = "EE";
constexpr char kCR = '\r';

// Units of data per frame of a chunked request, indexed by `2KCmd` (0 or 1):
// {first frame, each further frame}.
constexpr uint16_t FrameChunkSizes[2][2] = {{30, 32}, {1010, 1020}};
inline const uint16_t* ChunkSizesFor(uint32_t cmd2K) {
    return FrameChunkSizes[cmd2K != 0 ? 1 : 0];
}

// Start character of the block and chunked file requests.
inline char BlockStart(uint32_t cmd2K) {
    return cmd2K != 0 ? '<' : '%';
}

// XOR of the character codes.
uint8_t CheckCode(std::string_view text);

// Appends the check code of the frame's current text ("%02X"), then '&' when
// `more` is not 0, then CR; returns the new length. An empty frame is left
// alone and gives 0; so is a frame whose completion would not fit in
// capacity (NUL included).
size_t FinishFrame(char* frame, size_t capacity, int more);
// The same on a string; an empty frame stays empty.
std::string& FinishFrame(std::string& frame, bool more);

// The unit's error code from two characters; a character that is no
// hexadecimal digit counts 0.
uint8_t ParseErrorCode(const char* twoChars);
// Four characters, low byte first ("FF00" is 0x00FF), and two characters;
// a character that is no hexadecimal digit counts 0 (check with IsHexText).
uint16_t HexToWordLE(const char* fourChars);
uint8_t HexToByte(const char* twoChars);
bool IsHexText(std::string_view text);

// "%02X"; "%04X" with the pairs exchanged (0x1234 gives "3412").
void AppendByteHex(std::string& out, uint8_t value);
void AppendWordHexLE(std::string& out, uint16_t value);
std::string BytesToHex(const uint8_t* data, size_t size);

// Continuation request: start character and "EE", check code, '&', CR.
std::string ContinuationRequest(char start);

// What a reply frame (as received, without the CR) says.
struct ReplyFrame {
    bool isError = false;  // '!' or '#' at position 3
    uint8_t errorCode = 0; // `UnitErrorCode` of an error frame
    bool more = false;     // ends with '&': more frames follow / more wanted
    std::string_view echo; // an answer's positions 4-5 (the command code echoed)
    std::string_view data; // the data, without check code and '&'
};

// The echo an answer to this request carries: positions 4-5 of a request
// that has '#' at position 3 ("%EE#RCSR999E" gives "RC"), else empty.
std::string_view ExpectedEcho(std::string_view request);
// True for a checked answer (no error frame) whose echo is not `expected`:
// a reply to an earlier request that came late. An empty `expected` matches
// everything; so does an error frame, which carries no echo.
bool AnswersAnotherRequest(const ReplyFrame& reply, std::string_view expected);

enum class ReplyKind {
    First,           // a reply to a request: '$' (or an error mark) at position 3, data from 6
    Continuation,    // a further frame of a multi-frame reply: data from position 3
                     // ('$' at position 3 is taken as a first-frame layout)
    Acknowledgement, // the answer to a frame of a chunked request: only an error mark
                     // and the last character count, so "%EE$3B", "%EE$" and a bare
                     // "%EE" before the check code are all acknowledgements
};

// The reply check. Every frame must be: start, station, then by kind, then
// two hexadecimal check-code digits equal to the XOR of everything before
// them, then '&' only as the last character. A frame too short for its layout,
// with no '$' and no error mark where one belongs (a first frame), with a
// non-hexadecimal error code, or with a '&' inside gives kReplyMalformed; a
// wrong check code kReplyCheckCode. An acknowledgement needs no '$': what
// lies between station and check code is its own business, and its echo is
// positions 4-5 only after a '$'. An error frame is 0 here with isError set
// (the command turns it into 0x8000). `data` is not checked here: the
// command knows what it reads.
LinkResult CheckReply(std::string_view frame, ReplyKind kind, ReplyFrame& out);

// The chunked request: the first frame is start, "EE", `head`
// (e.g. "#3B000000000001FFFF") and up to firstChars characters of payload; each
// further frame start and "EE" and up to furtherChars. A frame gets '&' when
// payload remains after it. After the whole payload has gone out, Advance()
// gives a frame without data (start, "EE", check code, CR).
class ChunkedRequest {
public:
    ChunkedRequest(char start, std::string head, std::string payload, size_t firstChars,
                   size_t furtherChars);
    // The completed frame to send now (with CR).
    const std::string& Current() const { return frame_; }
    // Payload characters in the frames up to and including the current one.
    size_t SentChars() const { return sent_; }
    bool AllSent() const { return sent_ == payload_.size(); }
    size_t FrameCount() const { return frames_; }
    void Advance();
    // Judges the unit's acknowledgement (no error frame) of the current
    // frame: the request's result once it is over, else nothing, with the
    // next frame current. A unit that wants no more ends it: kOk when all was
    // sent, else kEndedEarly. One frame without data may follow the payload;
    // a unit that still wants more after it is out of step (kReplyMalformed).
    std::optional<LinkResult> Acknowledged(bool more);

private:
    void Build(std::string prefix, size_t chunk);
    char start_;
    std::string payload_;
    size_t further_;
    size_t sent_ = 0;
    size_t frames_ = 0;
    bool emptyFrameSent_ = false;
    std::string frame_;
};

// Collects the data of a multi-frame reply and bounds it: the
// reply may bring at most `maxChars` data characters, all hexadecimal, and
// at most kEmptyFrames frames that ask for more without bringing data. So a
// unit that never stops sending '&' ends the read with kReplyMalformed.
class MultiFrameReply {
public:
    static constexpr size_t kEmptyFrames = 2;
    explicit MultiFrameReply(size_t maxChars);
    // How the next frame is to be read: the first as an answer, the others
    // as continuation frames.
    ReplyKind NextKind() const { return frames_ == 0 ? ReplyKind::First : ReplyKind::Continuation; }
    // Takes the data of a checked frame that is no error frame;
    // kReplyMalformed when it is no hex text or goes past the bounds.
    LinkResult Add(const ReplyFrame& reply);
    // CheckReply by NextKind(), then Add unless it is an error frame (0 with
    // isError set).
    LinkResult Take(std::string_view frame, ReplyFrame& reply);
    const std::string& Data() const { return data_; }
    size_t Frames() const { return frames_; }

private:
    size_t maxChars_;
    size_t frames_ = 0;
    size_t emptyFrames_ = 0;
    std::string data_;
};

} // namespace qv
