// An FTP client for the unit's storage, on libcurl. Names are the server's
// bytes (the unit's code page); the current folder is kept here and every
// command names its full path, so a raw command that moves the server's own
// folder cannot make a later delete act in another folder.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

struct CurlLibrary;

// What went wrong, as the user is told: the program's own words in the
// interface language; the library's text follows only as detail.
constexpr unsigned kMsgFtpNoConnection = 46820;
constexpr unsigned kMsgFtpTimedOut = 46821;
constexpr unsigned kMsgFtpLoginRefused = 46822;
constexpr unsigned kMsgFtpRefused = 46823;
constexpr unsigned kMsgFtpLocalWrite = 46824;
constexpr unsigned kMsgFtpCancelled = 46825;
constexpr unsigned kMsgFtpCannotStart = 46826;
constexpr unsigned kMsgFtpControlCharacter = 46827;
constexpr unsigned kMsgFtpBadName = 46828;
constexpr unsigned kMsgFtpFailed = 46829;

struct FtpEntry {
    std::string name;
    bool isFolder = false;
};

// The longest folder listing taken, on either road: a listing that never
// ends is cut here.
constexpr size_t kMaxListingBytes = size_t{16} << 20;

// Told the bytes of a file received so far and the size the server gave
// (-1 when it gave none) while the file arrives; true stops the transfer.
using DownloadWatch = std::function<bool(uint64_t received, int64_t total)>;

// A name the server may give that is safe to use as one local file name and
// in one FTP command: not empty, not "." or "..", no '/', no control
// character (CR and LF included).
bool IsSafeRemoteName(const std::string& name);

// Reads one LIST line (Unix or DOS style) without or with its CR LF; false
// for a line that names no entry, and for one with a CR or LF inside.
bool ParseListLine(const std::string& line, FtpEntry& entry);

class FtpClient {
public:
    FtpClient();
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // Logs in and reads the start folder. False with LastError() set.
    bool Connect(const std::string& host, int port, const std::string& user,
                 const std::string& password);
    void Disconnect();
    bool IsConnected() const { return connected_; }

    // The folder the client works in, always absolute.
    const std::string& CurrentFolder() const { return folder_; }
    // A command that must succeed on a live connection (PWD).
    bool CheckAlive();
    // "..", a name in the current folder, or an absolute path; the folder
    // changes only when the server takes it.
    bool ChangeFolder(const std::string& name);
    // The current folder's entries in the server's order; "." and ".." left
    // out. A listing longer than kMaxListingBytes fails (ListingTooLong).
    bool List(std::vector<FtpEntry>& entries);
    // The last List failed for the length of the listing.
    bool ListingTooLong() const { return listingTooLong_; }
    // Fetches a file of the current folder into localPath through an
    // unnamed temporary file beside it; an existing copy is replaced only
    // when the whole file has arrived. Everything the server sends up to the
    // transfer's end is taken (a log file may have grown since its size was
    // told); less than the size told fails. `watch` is asked while data arrives.
    bool Download(const std::string& name, const std::string& localPath,
                  const DownloadWatch& watch = {});
    bool DeleteFile(const std::string& name);
    bool RemoveFolder(const std::string& name);
    // A command whose reply does not matter (the unit's "CWD /make_current_file").
    void SendCommandNoReply(const std::string& command);

    // The last failure (UTF-8): the message of LastErrorId(), then on a line
    // of its own the library's or the system's text in parentheses.
    const std::string& LastError() const { return error_; }
    unsigned LastErrorId() const { return errorId_; }
    // Every request ends once neither connection has brought or taken
    // anything for this long, seconds; a slow transfer that keeps moving goes on.
    long timeoutSeconds = 30;

private:
    // A request; its data (a listing) into body, up to kMaxListingBytes.
    bool Perform(const std::string& path, bool listing, const std::vector<std::string>& quotes,
                 std::string* body);
    // Resets the handle (its connection stays) with what every request
    // takes; errorText (CURL_ERROR_SIZE) receives libcurl's message.
    void* Prepare(const std::string& path, char* errorText);
    std::string UrlOf(const std::string& absolutePath) const;
    std::string PathOf(const std::string& name) const;

    // Runs the prepared request to its end or its idle time-out; libcurl's
    // result code.
    int Run();
    // Records a failure: the program's message and the detail behind it.
    void Fail(unsigned messageId, const std::string& detail = {});
    void FailWith(int curlCode, const char* errorText);

    const CurlLibrary* lib_ = nullptr;
    void* curl_ = nullptr;
    void* multi_ = nullptr;
    std::string base_; // ftp://host:port
    std::string user_, password_;
    std::string folder_ = "/";
    std::string error_;
    unsigned errorId_ = 0;
    bool connected_ = false;
    bool listingTooLong_ = false;
    bool idleTimedOut_ = false;
};

} // namespace qv
