// The link object: link settings, the transports, and
// the one-shot commands that open the link, exchange their frames and close it.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/CommSettings.h"
#include "link/Frames.h"
#include "link/LinkResult.h"
#include "link/LinkServices.h"
#include "link/SerialPort.h"
#include "link/TcpConnection.h"
#include "link/UdpSocket.h"

namespace qv {

class ProfileStore;

// Size of the settings address space read and written whole.
constexpr uint32_t kBlockImageSize = 0x20000;

// Resource strings of the wait dialog.
constexpr unsigned kMsgWritingSettings = 20316;
constexpr unsigned kMsgReadingSettings = 20317;
constexpr unsigned kMsgWritingFirmware = 20435;

// Unit error codes the link acts on.
constexpr uint8_t kUnitAsksPassword = 0x65;
constexpr uint8_t kUnitBusy = 0x81;

// Password service sub-codes.
constexpr int kPasswordSet = 0x8;
constexpr int kPasswordRemove = 0x9;
constexpr int kPasswordLogin = 0xA;
constexpr int kPasswordLogout = 0xB;

constexpr int kBusyRetryMs = 2000;
constexpr int kRelayPollMs = 200;
constexpr int kRelayPolls = 25;
constexpr int kMaxStaleReplies = 4;
// After a failed exchange the next request waits for the line to fall silent
// for one receive time-out; a line still talking after this many receive
// time-outs ends that request unsent (kReplyMismatch).
constexpr uint32_t kQuietLineLimit = 4;

// Receive buffers of the protocol, NUL included.
constexpr size_t kReplyCapacity = 128;       // single-frame commands
constexpr size_t kBlockFrameCapacity = 2048; // each frame of a multi-frame read
constexpr size_t kAckCapacity = 48;          // acknowledgement of a "#3B" frame

// The file service waits for the unit "without time-out"; here that wait
// is long but bounded: this much silence before any next byte ends it (312).
constexpr uint32_t kNoTimeoutIdleMs = 30000;

// A contact designation: area (1 character, "R") and address (at most 4).
struct ContactName {
    std::string Area;
    std::string Address;
};

class CUnitComm {
public:
    // Null progress: no wait dialog, never cancelled. Null prompt: a login
    // that needs a password and got none ends with 502. Loads the settings.
    CUnitComm(ProfileStore& profile, uint32_t codePage, ProgressSink* progress,
              PasswordPrompt* prompt, Sleeper& sleeper);
    // Closes what a command may have left open (none does).
    ~CUnitComm();
    CUnitComm(const CUnitComm&) = delete;
    CUnitComm& operator=(const CUnitComm&) = delete;

    ::qv::CommSettings CommSettings;
    uint16_t UdpPort = 0;       // destination port of the search broadcast
    uint32_t CodePage;          // 932 or 936
    char LoginPassword[9] = {}; // at most 8 bytes and a NUL
    // Detail of the last failure: errno of the failing call, the unit's error
    // code after 0x8000, ETIMEDOUT for a time-out, ECONNRESET for a connection
    // the unit closed, 0 for a reply the link rejected (331, 333, 334, 335).
    uint32_t LastError = 0;
    // The longest silence the file service waits through, on the serial line
    // (RecvSerialNoTimeout) and over TCP alike; tests shorten it.
    uint32_t NoTimeoutIdleMs = kNoTimeoutIdleMs;

    // At most 8 bytes, cut on a character boundary of the code page.
    void SetLoginPassword(const std::string& multibyte);
    // The same from wide text; false (nothing changed) when the code page cannot hold it.
    bool SetLoginPassword(const std::wstring& text);

    void LoadCommSettings();
    void SaveCommSettings();
    // Closes whatever transport is open (the one the link opened, even when
    // `CommType` changed since) and drops the buffered input.
    void CloseLink();
    bool LinkIsOpen() const { return active_ != nullptr; }

    // Transport steps. Each sets LastError to 0 first and to the
    // detail when it fails. A receive gives the reply frame without its CR.
    LinkResult OpenSerial();
    LinkResult SendSerial(const std::string& frame);
    LinkResult RecvSerial(std::string& reply, size_t capacity);
    // As RecvSerial, with NoTimeoutIdleMs for each next byte in place of
    // `COM RecvTimeout` (312 with ETIMEDOUT after that).
    LinkResult RecvSerialNoTimeout(std::string& reply, size_t capacity);
    LinkResult CloseSerial();
    LinkResult OpenTcp();
    LinkResult SendTcp(const std::string& frame);
    LinkResult RecvTcp(std::string& reply, size_t capacity);
    LinkResult CloseTcp();
    LinkResult OpenUdp();
    LinkResult BroadcastUdp(const uint8_t (&datagram)[3]);
    LinkResult RecvUdp(uint8_t* buffer, int& length); // buffer of 1024 bytes
    LinkResult CloseUdp();

    // What the unit search, which runs beside the link, needs of it.
    ProgressSink* Progress() const { return progress_; }
    Sleeper& SleeperService() const { return sleeper_; }

    // One-shot commands.
    LinkResult ReadContact(const ContactName& contact, uint16_t& value);
    // count 1 to 29; on success count words.
    LinkResult ReadDataWords(int first, int count, uint16_t* words);
    LinkResult WriteClock(const uint16_t (&words)[4]);
    LinkResult SetProgramMode();
    LinkResult ClearUnit();
    // scrambled: the password bytes already scrambled (at most 8 are sent).
    LinkResult PasswordCommand(int subCode, const std::string& scrambled = {});
    // The whole reply frame without its CR, only on success.
    LinkResult ReadStatus(std::string& text);
    int WaitRelay999E();
    int WaitRelay999F();
    LinkResult Login(const std::optional<std::string>& password = std::nullopt);
    // Addresses 0 to count - 1, count 1 to 131,072: (count + 1) / 2 words,
    // byte 2k the low half of word k (an odd count leaves the last high half
    // 0). The output is written only on success.
    LinkResult ReadBlock(uint32_t count, uint16_t* words);
    // The same as bytes: on success `bytes` holds count bytes.
    LinkResult ReadBlock(uint32_t count, std::vector<uint8_t>& bytes);
    // Writes the 131,072-byte image to addresses 0 to 0x1FFFF.
    LinkResult WriteBlock(const uint8_t* image);

protected:
    // The link by `CommType` (another type: 111 with LastError EINVAL).
    LinkResult OpenLink();
    // Closes without touching LastError (after a failure that set it).
    void CloseLinkQuiet();
    // Sends a completed frame, receives one reply of at most capacity - 1
    // characters and checks it; an error frame gives 0x8000 with the code in
    // LastError. The reply is valid until the next receive.
    LinkResult Exchange(const std::string& frame, size_t capacity, ReplyFrame& reply);
    // The same with the reply read as `kind` (a continuation frame of a
    // multi-frame reply); the echo is checked only for a '#' request.
    LinkResult ExchangeAs(const std::string& frame, size_t capacity, ReplyKind kind,
                          ReplyFrame& reply);
    // Receives and checks one reply frame. An answer whose echo is not
    // `echo` answers an earlier request (a late reply on a serial line): it
    // is skipped, at most kMaxStaleReplies of them (then kReplyMismatch).
    LinkResult ReceiveReply(size_t capacity, ReplyKind kind, std::string_view echo,
                            ReplyFrame& reply);
    // The multi-frame read of `needChars` data characters.
    // With `progress` its position follows the collected characters and its
    // cancel flag is tested before each frame (502).
    LinkResult MultiFrameRead(const std::string& request, char start, size_t needChars,
                              ProgressSink* progress, std::string& data);
    // The block write over an open link. `session`: an error
    // frame ends at once (the unit's code returned as the protocol says);
    // otherwise busy (0x81) is repeated every 2000 ms and other codes give 0x8000.
    LinkResult BlockWriteFrames(const uint8_t* data, uint32_t size, bool session,
                                ProgressSink* progress);
    // Runs body over a link opened for it and closed after it.
    LinkResult OneShot(const std::function<LinkResult()>& body);

    // Command bodies over an open link, shared by both forms.
    LinkResult DoReadContact(const ContactName& contact, uint16_t& value);
    LinkResult DoSimple(const std::string& request);
    LinkResult DoReadStatus(std::string& text);
    LinkResult DoPasswordCommand(int subCode, const std::string& scrambled);
    LinkResult DoBlockRead(uint32_t first, uint32_t count, ProgressSink* progress,
                           std::string& text);
    // The password step of a login after the probe asked for it (0x65).
    LinkResult LoginPasswordBytes(const std::optional<std::string>& password,
                                  std::string& scrambled);

    // While set, every receive waits up to NoTimeoutIdleMs for each next byte
    // (the file service: RecvSerialNoTimeout on the serial line).
    bool longWait_ = false;

    ProfileStore& profile_;
    ProgressSink* progress_;
    PasswordPrompt* prompt_;
    Sleeper& sleeper_;

private:
    // Sends after a quiet line when the last exchange failed.
    LinkResult SendFrame(const std::string& frame);
    LinkResult RecvFrame(std::string& reply, size_t capacity);
    // Reads and drops what the unit still sends for a request given up on,
    // until the line has been silent for one receive time-out.
    LinkResult AwaitQuietLine();
    int WaitRelay(const char* address);

    SerialPort serial_;
    TcpConnection tcp_;
    UdpSocket udp_;
    Transport* active_ = nullptr;
    FrameReader reader_;
    // An exchange failed after its request went out (or while it went out),
    // so a reply may still be on its way; replies name no address, so only a
    // quiet line keeps it from answering the next request. A serial line keeps
    // the mark across close and open; a new TCP connection clears it.
    bool lineOutOfStep_ = false;
    std::string reply_;         // the last received frame
    std::string blockReadText_; // BlockReadText: data characters of the last ReadBlock
};

// Request texts (without check code), for the commands and the tests.
std::string ContactRequest(const char* command, const ContactName& contact);
// Words of a block read text: (count + 1) / 2 words from 2 × count characters.
void BlockTextToWords(const std::string& text, uint32_t count, uint16_t* words);

} // namespace qv
