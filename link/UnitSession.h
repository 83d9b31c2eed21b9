// The session form of the link object: keeps the link open from
// its first command until CloseSession or destruction, and carries the
// session commands of the protocol.
//
// The session rule: when `SessionOpen` is 0, LastError := 0 and the link is
// opened by `CommType`; success sets `SessionOpen` := 1; after a failed open
// a command sends nothing and returns 111 (SessionReadStatus the open's own
// code). Beyond that, a command whose exchange failed in the transport
// or brought a reply that could not be trusted (codes 2xx and 3xx) closes the
// link; the next command opens it again (a new TCP connection, which no late
// reply reaches) and, on the serial line, first waits for the line to fall
// silent, so that a late reply is never read as the answer to its request.
// Error frames, -1 and 502 leave it open.
#pragma once
#include <cstdint>
#include <string>

#include "link/UnitComm.h"
#include "link/UnitTools.h"

namespace qv {

class CUnitSession : public CUnitComm {
public:
    CUnitSession(ProfileStore& profile, uint32_t codePage, ProgressSink* progress,
                 PasswordPrompt* prompt, Sleeper& sleeper);
    ~CUnitSession();

    uint32_t SessionOpen = 0;

    // Unit tools (link/UnitTools.cpp, link/Firmware.cpp).
    std::vector<uint8_t> FirmwareImage; // empty, or a file that passed the signature check
    UnitStatusFields UnitStatus;        // changed only by a successful FetchStatus
    MonitorRegisters MonitorValues;
    uint8_t LastWriteTime[6] = {}; // year - 2000, month, day, hour, minute, second
    char UnitNameText[33] = {};
    char LastWriteUser[58] = {};

    void CloseSession();

    LinkResult SessionReadContact(const ContactName& contact, uint16_t& value);
    LinkResult WriteContact(const ContactName& contact, int value);
    // Words first to first + 15 of area R. After an error reply all 16 are
    // 0xFFFF and the result is 0x8000.
    LinkResult ReadContactWords(int first, uint16_t (&words)[16]);
    // Multi-frame RD, count 1 to 1024. After an error reply the count words
    // are 0xFFFF and the result is 0x8000.
    LinkResult SessionReadDataWords(int first, int count, uint16_t* words);
    LinkResult SetUnitMode(const std::string& mode); // "R" or "P"
    LinkResult SessionClearUnit();
    LinkResult SendCode1D5();
    LinkResult SessionReadStatus(std::string& text);
    LinkResult SessionPasswordCommand(int subCode, const std::string& scrambled = {});
    int WaitRelay999D();
    int ReadRelay999E();
    int ReadRelay999F();
    LinkResult SessionLogin();
    // first to first + count - 1, count 1 to 1024; no wait dialog. The
    // output is written only on success.
    LinkResult SessionReadBlock(uint32_t first, uint32_t count, uint16_t* words);
    // Addresses 0 to size - 1 with the wait dialog (string 20435). An error
    // frame ends at once with the unit's code as a signed 8-bit value (also
    // in LastError); codes 0x00 and 0xFF, which would read as success and as
    // an early end, give 0x8000 instead.
    LinkResult SessionWriteBlock(const uint8_t* data, uint32_t size);

    // 0; -1 when the status read failed or its reply was not whole; the
    // open's code when the link does not open.
    LinkResult FetchStatus();
    int ReadMonitorValues(); // 0 or -1
    int ReadStatusBlocks();  // always 0; what failed is cleared
    void ToggleRunMode(UserDialogs& user);
    void ConfirmAndClearUnit(UserDialogs& user);
    // 0 loaded, -1 no file chosen or not readable, -2 no firmware image.
    int LoadFirmwareFile(UserDialogs& user);
    void UpdateFirmware(UserDialogs& user);

    // Unit file service (link/UnitFiles.cpp). Names, paths and the login
    // texts travel as the hex text of their bytes in the link's code page
    // (BytesToHex); the code-page field is two characters ("01": code page
    // 932). Results as the other session commands, and: -1 when the unit ends
    // a chunked request early; 335, nothing sent, for an argument that is no
    // even-length hex text or longer than kMaxFileTextChars, a field of the
    // wrong length, or a "#6D" request that does not fit its one frame; 333
    // for a reply beyond the limits below. The unit is waited for up to
    // NoTimeoutIdleMs of silence per byte (then 312 or 321, ETIMEDOUT). With
    // a ProgressSink, a cancel between the frames of a reply gives 502.
    // ReplyTooLong tells that the last reply went beyond the limits below.
    static constexpr size_t kMaxFileTextChars = 8192;     // hex characters of a name or path
    static constexpr size_t kMaxListingBytes = 16u << 20; // one folder listing
    static constexpr size_t kReadFileRequestChars = 127;  // the "#6D" frame, CR included
    size_t MaxFileReadBytes = size_t{256} << 20;          // one file read (tests lower it)
    bool ReplyTooLong = false;
    LinkResult FileLogin(const std::string& hexUser, const std::string& hexPassword);
    LinkResult FileLogout();
    LinkResult DeleteUnitFile(const std::string& hexName, const std::string& codePageField);
    LinkResult DeleteUnitFolder(const std::string& hexName, const std::string& codePageField);
    LinkResult FolderUp();
    LinkResult MakeCurrentFile();
    LinkResult ChangeFolder(const std::string& hexPath, const std::string& codePageField);
    // The unit's current folder as bytes ("/" for the root) and the field
    // the reply came with.
    LinkResult GetCurrentFolder(std::string& folder, std::string& codePageField);
    // codePageField "" or two characters. `data`: the file's bytes on
    // success, else empty. `betweenFrames` is told the bytes received so
    // far before each further frame is asked for; true stops the read (502).
    LinkResult ReadUnitFile(const std::string& codePageField, const std::string& hexName,
                            std::vector<uint8_t>& data,
                            const std::function<bool(size_t received)>& betweenFrames = {});
    // The listing's bytes (lines ended by CR LF; empty for an empty folder)
    // and the field of its first frame; both empty after a failure.
    LinkResult ListFolder(std::string& listing, std::string& codePageField);
    // Each byte as two upper-case hexadecimal digits.
    static std::string BytesToHex(std::string_view bytes);

private:
    // The session rule: 0 when the link is open (opening it when needed),
    // else the open's code.
    LinkResult OpenBySessionRule();
    // Runs body over the session link: 111 without sending when it does not
    // open; closes the link after a failure of the exchange.
    LinkResult SessionRun(const std::function<LinkResult()>& body);
    void CloseAfter(LinkResult r);
    int ReadRelayOnce(const char* address);
    // File service steps over the session link (link/UnitFiles.cpp).
    LinkResult FileSingle(const char* code, size_t capacity);
    LinkResult FileChunked(const std::string& head, const std::string& text, size_t ackCapacity);
    // Sends the request and hands the data of each reply frame to `take`
    // (first: the frame that answers the request); `stop`, asked before
    // each further frame, ends the reply with 502.
    LinkResult FileMultiFrame(const std::string& request, size_t capacity,
                              const std::function<LinkResult(std::string_view, bool)>& take,
                              const std::function<bool()>& stop = {});
};

} // namespace qv
