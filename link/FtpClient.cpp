#include "link/FtpClient.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "document/FileReplace.h"
#include "document/StringTable.h"
#include "document/Utf8.h"
#include "link/CurlLibrary.h"

namespace qv {

namespace {

CURL* Handle(void* p) {
    return static_cast<CURL*>(p);
}

CURLM* Multi(void* p) {
    return static_cast<CURLM*>(p);
}

// How long one wait for the connections lasts at most. libcurl's own loop can
// sit out a whole second between a passive-mode reply and the data
// connection; waking this often keeps every transfer moving.
constexpr int kWaitSliceMs = 10;

// The data of a listing, kept up to a limit. libcurl takes a listing as
// text and turns every CR in it into a line end before its write callback
// sees it, so that a name holding a CR would read as two lines; the bytes as
// they arrived reach its debug callback, and are taken there.
struct Body {
    std::string* text;
    bool tooLong = false;
};

int TakeReceived(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    auto* body = static_cast<Body*>(user);
    if (type != CURLINFO_DATA_IN || body->tooLong)
        return 0;
    if (body->text->size() + size > kMaxListingBytes)
        body->tooLong = true;
    else
        body->text->append(data, size);
    return 0;
}

size_t CheckBody(char*, size_t size, size_t count, void* user) {
    // Less than given fails the transfer.
    return static_cast<Body*>(user)->tooLong ? 0 : size * count;
}

// A file on its way into its local replacement.
struct Fetch {
    FileReplacement* file;
    const DownloadWatch* watch;
    uint64_t received = 0;
    int64_t announced = -1; // the server's SIZE answer
};

size_t WriteFile(char* data, size_t size, size_t count, void* user) {
    auto* fetch = static_cast<Fetch*>(user);
    if (fetch->file->Write(data, size * count) != 0)
        return 0;
    fetch->received += size * count;
    return size * count;
}

// The server's replies come here: "213 N" answers the SIZE sent before the file.
size_t NoteSize(char* data, size_t size, size_t count, void* user) {
    const std::string line(data, size * count);
    if (line.compare(0, 4, "213 ") == 0) {
        char* end = nullptr;
        const unsigned long long n = std::strtoull(line.c_str() + 4, &end, 10);
        if (end != line.c_str() + 4)
            static_cast<Fetch*>(user)->announced = static_cast<int64_t>(n);
    }
    return size * count;
}

int AskWatch(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* fetch = static_cast<const Fetch*>(user);
    const DownloadWatch& watch = *fetch->watch;
    return (watch && watch(fetch->received, fetch->announced)) ? 1 : 0;
}

// Percent-encodes everything but the unreserved characters and '/'.
std::string EncodePath(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::vector<std::string> SplitFields(const std::string& line, size_t count, size_t& rest) {
    std::vector<std::string> fields;
    size_t i = 0;
    while (fields.size() < count) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size())
            break;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        fields.push_back(line.substr(start, i - start));
    }
    // The name is everything after one run of blanks: it may hold blanks itself.
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    rest = i;
    return fields;
}

// The program's message for a libcurl result.
unsigned MessageFor(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return kMsgFtpNoConnection;
    case CURLE_OPERATION_TIMEDOUT:
        return kMsgFtpTimedOut;
    case CURLE_LOGIN_DENIED:
        return kMsgFtpLoginRefused;
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_QUOTE_ERROR:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return kMsgFtpRefused;
    case CURLE_WRITE_ERROR:
        return kMsgFtpLocalWrite;
    case CURLE_ABORTED_BY_CALLBACK:
        return kMsgFtpCancelled;
    case CURLE_FAILED_INIT:
        return kMsgFtpCannotStart;
    default:
        return kMsgFtpFailed;
    }
}

bool HasControlCharacter(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

ReplaceOptions DownloadReplaceOptions() {
    ReplaceOptions options;
    // A copy that a crash loses can be fetched again; many small log files
    // would each wait for the disk.
    options.sync = false;
    return options;
}

} // namespace

bool IsSafeRemoteName(const std::string& name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    // '\\' stays: it is the second byte of many double-byte characters.
    if (name.find('/') != std::string::npos)
        return false;
    return !HasControlCharacter(name);
}

bool ParseListLine(const std::string& raw, FtpEntry& entry) {
    // One line end at most; a CR or LF left inside is no part of a name the
    // server could be sent back.
    std::string line = raw;
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty() || line.find_first_of("\r\n") != std::string::npos)
        return false;
    size_t rest = 0;
    const char kind = line[0];
    if (kind == 'd' || kind == '-' || kind == 'l') {
        // Unix style: mode, links, owner, group, size, month, day, time or year, name.
        std::vector<std::string> f = SplitFields(line, 8, rest);
        if (f.size() < 8 || rest >= line.size() || f[0].size() < 10)
            return false;
        if (kind == 'l')
            return false; // links are not followed
        entry.name = line.substr(rest);
        entry.isFolder = kind == 'd';
        return true;
    }
    if (kind >= '0' && kind <= '9') {
        // DOS style: date, time, "<DIR>" or size, name.
        std::vector<std::string> f = SplitFields(line, 3, rest);
        if (f.size() < 3 || rest >= line.size() || f[0].find('-') == std::string::npos)
            return false;
        entry.name = line.substr(rest);
        entry.isFolder = f[2] == "<DIR>";
        return true;
    }
    return false;
}

FtpClient::FtpClient() : lib_(Curl()) {
    if (!lib_)
        return; // every request fails with kMsgFtpCannotStart
    curl_ = lib_->easy_init();
    multi_ = lib_->multi_init();
}

FtpClient::~FtpClient() {
    if (curl_)
        lib_->easy_cleanup(Handle(curl_));
    if (multi_)
        lib_->multi_cleanup(Multi(multi_));
}

int FtpClient::Run() {
    CURL* c = Handle(curl_);
    CURLM* m = Multi(multi_);
    idleTimedOut_ = false;
    if (!m || lib_->multi_add_handle(m, c) != CURLM_OK)
        return lib_->easy_perform(c);
    CURLcode result = CURLE_OK;
    int running = 1;
    // Right after activity libcurl is asked again at once, then after
    // waits that double up to the slice.
    int waitMs = 0;
    // libcurl's own limits differ by step (a reply to RETR is waited for
    // 120 s, the last reply of a transfer 60 s): one idle limit holds for all.
    using Clock = std::chrono::steady_clock;
    const auto idleLimit = std::chrono::seconds(std::max(1L, timeoutSeconds));
    auto lastActivity = Clock::now();
    while (running) {
        if (lib_->multi_perform(m, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        int active = 0;
        if (running && lib_->multi_poll(m, nullptr, 0, waitMs, &active) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        const auto now = Clock::now();
        if (active > 0) {
            lastActivity = now;
        } else if (running && now - lastActivity >= idleLimit) {
            result = CURLE_OPERATION_TIMEDOUT;
            idleTimedOut_ = true;
            break;
        }
        waitMs = active > 0 ? 0 : std::min(waitMs > 0 ? waitMs * 2 : 1, kWaitSliceMs);
    }
    int left = 0;
    while (CURLMsg* msg = lib_->multi_info_read(m, &left))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == c && result == CURLE_OK)
            result = msg->data.result;
    // The connection stays in the multi handle's cache for the next request.
    lib_->multi_remove_handle(m, c);
    return result;
}

std::string FtpClient::UrlOf(const std::string& absolutePath) const {
    // "%2F" starts the path at the server's root, not at the login folder.
    return base_ + "/%2F" + EncodePath(absolutePath.substr(1));
}

std::string FtpClient::PathOf(const std::string& name) const {
    return folder_ == "/" ? "/" + name : folder_ + "/" + name;
}

void FtpClient::Fail(unsigned messageId, const std::string& detail) {
    errorId_ = messageId;
    error_ = WideToUtf8(ResString(messageId));
    if (!detail.empty())
        error_ += (error_.empty() ? "(" : "\n(") + detail + ")";
}

void FtpClient::FailWith(int curlCode, const char* errorText) {
    const auto code = static_cast<CURLcode>(curlCode);
    // The idle time-out ends a request by the program's own hand.
    if (idleTimedOut_ || code == CURLE_OPERATION_TIMEDOUT) {
        Fail(kMsgFtpTimedOut,
             "no answer from the server for " + std::to_string(timeoutSeconds) + " s");
        return;
    }
    Fail(MessageFor(code), errorText && errorText[0] ? errorText : lib_->easy_strerror(code));
}

void* FtpClient::Prepare(const std::string& path, char* errorText) {
    CURL* c = Handle(curl_);
    // A reset keeps the open connection.
    lib_->easy_reset(c);
    errorText[0] = '\0';
    lib_->easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    // libcurl copies the strings it is given.
    lib_->easy_setopt(c, CURLOPT_URL, UrlOf(path).c_str());
    lib_->easy_setopt(c, CURLOPT_USERNAME, user_.c_str());
    lib_->easy_setopt(c, CURLOPT_PASSWORD, password_.c_str());
    lib_->easy_setopt(c, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    lib_->easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    // The same limits where libcurl runs a request on its own.
    lib_->easy_setopt(c, CURLOPT_CONNECTTIMEOUT, timeoutSeconds);
    lib_->easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeoutSeconds);
    lib_->easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    lib_->easy_setopt(c, CURLOPT_LOW_SPEED_TIME, timeoutSeconds);
    return c;
}

bool FtpClient::Perform(const std::string& path, bool listing,
                        const std::vector<std::string>& quotes, std::string* body) {
    if (!curl_) {
        Fail(kMsgFtpCannotStart);
        return false;
    }
    char errorText[CURL_ERROR_SIZE];
    CURL* c = Handle(Prepare(path, errorText));
    lib_->easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    curl_slist* list = nullptr;
    for (const std::string& q : quotes)
        list = lib_->slist_append(list, q.c_str());
    if (list)
        lib_->easy_setopt(c, CURLOPT_QUOTE, list);
    std::string ignored;
    Body data{body ? body : &ignored};
    if (!listing && !body)
        lib_->easy_setopt(c, CURLOPT_NOBODY, 1L);
    if (body) {
        lib_->easy_setopt(c, CURLOPT_VERBOSE, 1L);
        lib_->easy_setopt(c, CURLOPT_DEBUGFUNCTION, TakeReceived);
        lib_->easy_setopt(c, CURLOPT_DEBUGDATA, &data);
    }
    lib_->easy_setopt(c, CURLOPT_WRITEFUNCTION, CheckBody);
    lib_->easy_setopt(c, CURLOPT_WRITEDATA, &data);
    const int rc = Run();
    lib_->slist_free_all(list);
    if (data.tooLong) {
        listingTooLong_ = true;
        Fail(kMsgFtpFailed, "the listing is longer than " + std::to_string(kMaxListingBytes >> 20) + " MiB");
        return false;
    }
    if (rc != CURLE_OK) {
        FailWith(rc, errorText);
        return false;
    }
    return true;
}

bool FtpClient::Connect(const std::string& host, int port, const std::string& user,
                        const std::string& password) {
    Disconnect();
    if (HasControlCharacter(user) || HasControlCharacter(password) || HasControlCharacter(host)) {
        Fail(kMsgFtpControlCharacter);
        return false;
    }
    base_ = "ftp://" + host + (port > 0 ? ":" + std::to_string(port) : std::string());
    user_ = user;
    password_ = password;
    folder_ = "/";
    if (!Perform("/", false, {}, nullptr))
        return false;
    const char* entry = nullptr;
    if (lib_->easy_getinfo(Handle(curl_), CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry &&
        entry[0] == '/')
        folder_ = entry;
    while (folder_.size() > 1 && folder_.back() == '/')
        folder_.pop_back();
    connected_ = true;
    return true;
}

void FtpClient::Disconnect() {
    if (curl_) {
        // Fresh handles drop the connection.
        lib_->easy_cleanup(Handle(curl_));
        curl_ = lib_->easy_init();
    }
    if (multi_) {
        lib_->multi_cleanup(Multi(multi_));
        multi_ = lib_->multi_init();
    }
    connected_ = false;
    folder_ = "/";
}

bool FtpClient::CheckAlive() {
    return connected_ && Perform("/", false, {"PWD"}, nullptr);
}

bool FtpClient::ChangeFolder(const std::string& name) {
    if (!connected_)
        return false;
    std::string target;
    if (name == "..") {
        const size_t slash = folder_.rfind('/');
        target = slash == 0 || slash == std::string::npos ? "/" : folder_.substr(0, slash);
    } else if (!name.empty() && name[0] == '/') {
        // Every part of the path must be a name of its own.
        size_t from = 1;
        while (from < name.size()) {
            size_t end = name.find('/', from);
            if (end == std::string::npos)
                end = name.size();
            if (end == name.size() && end == from)
                break; // a trailing '/'
            if (!IsSafeRemoteName(name.substr(from, end - from)))
                return false;
            from = end + 1;
        }
        target = name.size() > 1 && name.back() == '/' ? name.substr(0, name.size() - 1) : name;
    } else {
        if (!IsSafeRemoteName(name))
            return false;
        target = PathOf(name);
    }
    if (!Perform("/", false, {"CWD " + target}, nullptr))
        return false;
    folder_ = target;
    return true;
}

bool FtpClient::List(std::vector<FtpEntry>& entries) {
    entries.clear();
    listingTooLong_ = false;
    if (!connected_)
        return false;
    std::string text;
    // A folder URL (ending in '/') lists it.
    const std::string path = folder_ == "/" ? "/" : folder_ + "/";
    if (!Perform(path, true, {}, &text))
        return false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        FtpEntry entry;
        if (ParseListLine(text.substr(start, end - start + (end < text.size())), entry) &&
            entry.name != "." && entry.name != "..")
            entries.push_back(entry);
        start = end + 1;
    }
    return true;
}

bool FtpClient::Download(const std::string& name, const std::string& localPath,
                         const DownloadWatch& watch) {
    if (!connected_ || !IsSafeRemoteName(name)) {
        Fail(kMsgFtpBadName, name);
        return false;
    }
    if (!curl_) {
        Fail(kMsgFtpCannotStart);
        return false;
    }
    FileReplacement file(localPath, DownloadReplaceOptions());
    if (const int err = file.Create()) {
        Fail(kMsgFtpLocalWrite, std::strerror(err));
        return false;
    }
    Fetch fetch{&file, &watch};
    char errorText[CURL_ERROR_SIZE];
    const std::string path = PathOf(name);
    CURL* c = Handle(Prepare(path, errorText));
    // libcurl would stop at the size SIZE told and drop the rest: the size
    // is asked here instead, only to find a file that comes up short.
    lib_->easy_setopt(c, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
    curl_slist* size = lib_->slist_append(nullptr, ("*SIZE " + path).c_str());
    lib_->easy_setopt(c, CURLOPT_PREQUOTE, size);
    lib_->easy_setopt(c, CURLOPT_HEADERFUNCTION, NoteSize);
    lib_->easy_setopt(c, CURLOPT_HEADERDATA, &fetch);
    lib_->easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteFile);
    lib_->easy_setopt(c, CURLOPT_WRITEDATA, &fetch);
    lib_->easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    lib_->easy_setopt(c, CURLOPT_XFERINFOFUNCTION, AskWatch);
    lib_->easy_setopt(c, CURLOPT_XFERINFODATA, &fetch);
    const int rc = Run();
    lib_->slist_free_all(size);
    if (file.Error() != 0) {
        Fail(kMsgFtpLocalWrite, std::strerror(file.Error()));
        return false;
    }
    if (rc != CURLE_OK) {
        FailWith(rc, errorText);
        return false;
    }
    if (fetch.announced >= 0 && fetch.received < static_cast<uint64_t>(fetch.announced)) {
        Fail(kMsgFtpFailed, "the file ended after " + std::to_string(fetch.received) + " of " +
                                std::to_string(fetch.announced) + " bytes");
        return false;
    }
    if (const int err = file.Commit()) {
        Fail(kMsgFtpLocalWrite, std::strerror(err));
        return false;
    }
    return true;
}

bool FtpClient::DeleteFile(const std::string& name) {
    if (!connected_ || !IsSafeRemoteName(name))
        return false;
    return Perform("/", false, {"DELE " + PathOf(name)}, nullptr);
}

bool FtpClient::RemoveFolder(const std::string& name) {
    if (!connected_ || !IsSafeRemoteName(name))
        return false;
    return Perform("/", false, {"RMD " + PathOf(name)}, nullptr);
}

void FtpClient::SendCommandNoReply(const std::string& command) {
    if (!connected_ || HasControlCharacter(command))
        return;
    // '*': a failing reply does not fail the request.
    Perform("/", false, {"*" + command}, nullptr);
}

} // namespace qv
