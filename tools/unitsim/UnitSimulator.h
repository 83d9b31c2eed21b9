// A simulated Brellox unit for tests and for trying the program without one.
// It serves the unit's command protocol over TCP (several clients share one
// unit state) and over a pseudo-terminal that the program opens as its serial
// port. Faults can be injected, and every frame is kept in a transcript.
// Thread-safe: the simulator runs its own thread; every member may be called
// from the test's thread at any time.
//
// Error codes of the simulated unit (tools/unitsim/SimFrames.h): 0x41 wrong
// check code, malformed frame or station other than "EE"; 0x42 unknown
// command; 0x43 multi-frame exchange out of step (a continuation with nothing
// to continue, write data beyond the range, a last write frame before all
// data); 0x60 bad arguments (length, digits, range); 0x61 wrong password, or
// password set/remove while protected; 0x63 block write in RUN mode; 0x65
// block read/write while a password is set and nobody is logged in; 0x81
// busy (fault only). The status reply is "$RT", the unit type, "23", "20",
// the mode byte (0x21 RUN, 0x20 PROGRAM), "00", "00", "0000". Replies echo two
// characters of the command ("$RC" for RCS, "$1D" for 1D5), except that the
// frames of a chunked request are acknowledged in the form SetAckForm chose
// (the echo "$3B" by default). With R999F on, a block write is a firmware
// update: any range below 16 MiB is acknowledged, the image is left alone,
// and R999F goes off when the last byte came.
#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace unitsim {

constexpr size_t kImageSize = 0x20000;

enum class FaultKind {
    NoReply,        // swallow the request, send nothing
    Garbage,        // answer with bytes that are no frame, ended by CR
    WrongCheckCode, // a well-formed reply whose check code is wrong
    ErrorFrame,     // answer with an error frame carrying errorCode
    Busy,           // error frame 0x81 (unit busy); for block write frames
    Disconnect,     // close the connection (TCP) or hang up (pty) instead of answering
    LateReply,      // answer correctly after delay
    Oversize,       // a reply frame longer than any receive buffer (4096 characters)
                    // (with a delay: a late one)
    ShortReply,     // a reply cut short: fewer data characters than asked for
    EndEarly,       // acknowledge a block write or chunked file request frame without '&'
                    // before all data came
};

struct Fault {
    FaultKind kind = FaultKind::NoReply;
    std::string command; // command code it applies to ("3A", "RCS", ...); empty = any frame
    int skip = 0;        // frames matching `command` to let through first
    int times = 1;       // how many matching frames it affects (-1 = every one)
    uint8_t errorCode = 0;
    // When the reply goes out after the request came: LateReply, and every
    // other fault that sends something (Garbage, ErrorFrame, Oversize, ...).
    std::chrono::milliseconds delay{0};
};

// How the unit acknowledges a frame of a chunked request (the block write
// "#3B" and the file requests "#5V", "#5X", "#5Y", "#6B") when it takes it;
// its error frames stay as they are. Each form ends with the check code and,
// while the unit wants more, '&'.
enum class AckForm {
    Echo, // "%EE$3B": the answer mark and the command (the default)
    Mark, // "%EE$": the answer mark alone
    Bare, // "%EE": start and station alone
};

// What a clear (0F) leaves in the relays.
enum class ClearResult {
    Done,    // R999D on (the default)
    Failed,  // R999D and R999E on
    NoAnswer // R999D stays off
};

struct TranscriptEntry {
    bool fromUnit;     // false: request received, true: reply sent
    std::string frame; // characters without the CR
};

// One unit that answers the unit search (UDP), with the faults a reply may carry.
struct SearchUnit {
    uint8_t mark = 0xC0;           // reply byte 1: 0xC0 with a status in byte 2, else without
    uint8_t status = 0;            // byte 2
    uint8_t onOff = 1;             // byte 3
    uint32_t ip = 0xC0A80105;      // 192.168.1.5
    uint32_t mask = 0xFFFFFF00;    // 255.255.255.0
    uint32_t gateway = 0xC0A80101; // 192.168.1.1
    std::array<uint8_t, 6> mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    uint8_t versionMajor = 2;
    uint8_t versionMinor = 0x23;
    uint16_t tcpPort = 9094;
    uint8_t run = 1;
    uint8_t model = 0x2C;
    std::string name = "BRELLOX"; // bytes in the unit's code page, any length
    std::array<uint8_t, 4> trailer = {};
    int nameLength = -1; // byte 31 when 0 to 255 (a length that lies), else the name's
    size_t length = 0;   // when not 0, the datagram is cut or zero-padded to this size
    int copies = 1;      // the same reply sent this many times per request
};

// Where the search replies go: by broadcast to the requester's port, or to
// the requester's address and port.
enum class SearchReplyTo { Broadcast, Sender };

class SearchResponder;
class FileStore;

class UnitSimulator {
public:
    UnitSimulator();
    ~UnitSimulator(); // stops everything
    UnitSimulator(const UnitSimulator&) = delete;
    UnitSimulator& operator=(const UnitSimulator&) = delete;

    // Listens on 127.0.0.1; port 0 picks a free one. Returns the port, 0 on failure.
    uint16_t StartTcp(uint16_t port = 0);
    // Opens a pseudo-terminal and makes linkPath a symlink to its device.
    // With baud > 0 the simulator paces what it sends and what it takes in at
    // that rate, bitsPerChar bits per character (start bit, data bits, parity
    // bit and stop bits: 10 for 8N1, 11 for 8O1). Returns false on failure.
    bool StartPty(const std::string& linkPath, int baud = 0, double bitsPerChar = 10);
    void Stop();

    // Unit state.
    std::vector<uint8_t> Image() const;
    void SetImage(const std::vector<uint8_t>& image); // kImageSize bytes
    void SetPassword(const std::string& password);    // empty: no password
    std::string Password() const;
    bool LoggedIn() const;
    void SetRunMode(bool run);
    bool RunMode() const;
    void SetUnitType(uint8_t code);                   // status reply positions 6-7
    void SetDataRegister(int number, uint16_t value); // DT number 0..99999
    uint16_t DataRegister(int number) const;
    void SetContact(const std::string& contact, bool on); // e.g. "R999E"
    bool Contact(const std::string& contact) const;
    int ClearCount() const; // 0F commands taken
    // A mode command (RM) takes effect after this many further status
    // requests; 0 at once (the default), -1 never.
    void SetModeSwitchDelay(int statusRequests);
    void SetClearResult(ClearResult result);
    // A firmware update ends with R999E on (failed) or off.
    void SetFirmwareFails(bool fails);
    // The bytes of the last firmware update, in the order they came.
    std::vector<uint8_t> FirmwareReceived() const;

    // Data characters per reply frame of a multi-frame read, for '<' and '%'
    // requests (defaults 2000 and 64).
    void SetReplyChunk(size_t extendedChars, size_t ordinaryChars);

    void SetAckForm(AckForm form);

    void InjectFault(const Fault& fault);
    void ClearFaults();

    std::vector<TranscriptEntry> Transcript() const;
    void ClearTranscript();
    // Number of TCP connections accepted so far.
    int ConnectionCount() const;

    // Unit search (tools/unitsim/SimUdp.h): answers each request 0x88 0x40
    // 0x00 with the replies of the units added, in their order, then the
    // datagrams added. Binds address:port with SO_REUSEADDR (the any-address
    // receives broadcasts; port 0 picks a free one). The port, 0 on failure.
    uint16_t StartUdp(const std::string& address = "0.0.0.0", uint16_t port = 9090);
    void AddSearchUnit(const SearchUnit& unit);
    // Sent as it is (an echo, a foreign datagram); never a request itself.
    void AddSearchDatagram(const std::vector<uint8_t>& datagram);
    void ClearSearchUnits();                 // and the datagrams
    void SetSearchReplyTo(SearchReplyTo to); // default Broadcast
    int SearchRequestCount() const;

    // The unit's storage for the file service "#5V" to "#6E"
    // (tools/unitsim/SimFiles.h, with its error codes 0x02, 0x62, 0x66,
    // 0x67, 0xA6, 0xA7). Paths are bytes in the unit's code page, names
    // joined by '/' from the root; missing folders are made. The listing
    // has a line per entry, "drwxrwxrwx" or "-rw-rw-rw-", "1", "unit", the
    // size, date, time and the name, each line ended by CR LF.
    void AddUnitFolder(const std::string& path);
    void AddUnitFile(const std::string& path, const std::string& bytes);
    bool UnitPathExists(const std::string& path) const;
    void SetFileUser(const std::string& user, const std::string& password);
    bool FileLoggedIn() const;
    void EndFileSession(); // what follows gets 0x62 until the next login
    std::string CurrentUnitFolder() const;
    int MakeCurrentFileCount() const; // "#6A" taken

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::unique_ptr<SearchResponder> search_;
    // Runs fn on the file store with the unit's lock held.
    void WithFiles(const std::function<void(FileStore&)>& fn) const;
};

} // namespace unitsim
