#include "link/SerialStorage.h"

#include "document/FileReplace.h"
#include "link/UnitSession.h"

namespace qv {

using namespace link_result;

namespace {

constexpr int kVersionWord = 90153;
const char kCodePage932Field[] = "01";
static_assert(CUnitSession::kMaxListingBytes == kMaxListingBytes, "one limit on both roads");

} // namespace

std::vector<std::string> SplitListingLine(const std::string& text) {
    std::vector<std::string> fields;
    const size_t first = text.find(' ');
    if (first == std::string::npos)
        return fields;
    fields.push_back(text.substr(0, first));
    bool tookInner = false;
    size_t from = first + 1;
    for (;;) {
        const size_t next = text.find(' ', from);
        if (next == std::string::npos) {
            fields.push_back(text.substr(from));
            return fields;
        }
        std::string field = text.substr(from, next - from);
        if (!field.empty()) {
            fields.push_back(field);
            tookInner = true;
        } else if (tookInner) {
            fields.push_back(field);
        }
        from = next + 1;
    }
}

bool ParseUnitListingLine(const std::string& line, FtpEntry& entry) {
    // A CR left inside a line is no part of a name the unit could be sent back.
    if (line.find_first_of("\r\n") != std::string::npos)
        return false;
    const std::vector<std::string> f = SplitListingLine(line);
    if (f.size() >= 7) {
        entry.name = f[6];
        for (size_t i = 7; i < f.size(); ++i)
            entry.name += " " + f[i];
    } else if (f.size() >= 5) {
        entry.name = f[4];
    } else {
        return false;
    }
    entry.isFolder = !line.empty() && line[0] == 'd';
    return !entry.name.empty();
}

VersionCheck CheckFileServiceVersion(CUnitComm& link, LinkResult& result) {
    uint16_t word = 0;
    result = link.ReadDataWords(kVersionWord, 1, &word);
    if (result != kOk)
        return VersionCheck::ReadFailed;
    const auto major = static_cast<int8_t>(word >> 8);
    const auto minor = static_cast<int8_t>(word & 0xFF);
    return (major > 2 || (major == 2 && minor >= 0x28)) ? VersionCheck::Ok : VersionCheck::TooOld;
}

SerialStorage::SerialStorage(CUnitSession& session)
    : session_(session), codePage_(session.CodePage) {}

uint32_t SerialStorage::UnitCode() const {
    return session_.LastError;
}

LinkResult SerialStorage::Done(LinkResult r) {
    result_ = r;
    if (session_.SessionOpen)
        session_.CloseSession();
    if (r == kSerialOpen || (r == kUnitError && session_.LastError == kUnitCodeNoFileSession))
        lost_ = true;
    return r;
}

bool SerialStorage::MaySend() {
    if (!loggedIn_ || lost_) {
        result_ = kNotLoggedIn;
        return false;
    }
    return true;
}

LinkResult SerialStorage::Connect(const std::string& user, const std::string& password) {
    Disconnect();
    lost_ = false;
    const LinkResult login = Done(
        session_.FileLogin(CUnitSession::BytesToHex(user), CUnitSession::BytesToHex(password)));
    if (login != kOk)
        return login;
    loggedIn_ = true;
    folder_ = "/";
    if (!SetFolder("/")) {
        return result_;
    }
    return kOk;
}

void SerialStorage::Disconnect() {
    Done(session_.FileLogout());
    loggedIn_ = false;
    folder_.clear();
}

LinkResult SerialStorage::MakeCurrentFile() {
    if (!MaySend())
        return result_;
    return Done(session_.MakeCurrentFile());
}

LinkResult SerialStorage::FolderUp() {
    if (!MaySend())
        return result_;
    if (Done(session_.FolderUp()) == kOk)
        folder_ = ParentUnitPath(folder_);
    return result_;
}

bool SerialStorage::SetFolder(const std::string& path) {
    if (!MaySend())
        return false;
    if (Done(session_.ChangeFolder(CUnitSession::BytesToHex(path), kCodePage932Field)) != kOk)
        return false;
    folder_ = path;
    return true;
}

bool SerialStorage::List(std::vector<FtpEntry>& entries) {
    entries.clear();
    if (!MaySend())
        return false;
    // The unit lists its own current folder: set it to ours first.
    if (!EnterOwnFolder())
        return false;
    std::string listing, field;
    listingTooLong_ = false;
    if (Done(session_.ListFolder(listing, field)) != kOk) {
        listingTooLong_ = session_.ReplyTooLong;
        return false;
    }
    if (field == kCodePage932Field)
        codePage_ = 932;
    size_t from = 0;
    while (from < listing.size()) {
        size_t end = listing.find("\r\n", from);
        if (end == std::string::npos)
            end = listing.size();
        FtpEntry entry;
        if (end > from && ParseUnitListingLine(listing.substr(from, end - from), entry) &&
            entry.name != "." && entry.name != "..")
            entries.push_back(entry);
        from = end + 2;
    }
    return true;
}

bool SerialStorage::Download(const std::string& name, const std::string& localPath,
                             const DownloadWatch& watch) {
    if (!MaySend() || !IsSafeRemoteName(name) || !EnterOwnFolder())
        return false;
    std::vector<uint8_t> data;
    const std::string field = codePage_ == 932 ? kCodePage932Field : "";
    // The unit tells no size; a cancel is taken between its frames.
    const auto betweenFrames = [&](size_t received) { return watch && watch(received, -1); };
    if (Done(session_.ReadUnitFile(field, CUnitSession::BytesToHex(name), data, betweenFrames)) !=
        kOk)
        return false;
    ReplaceOptions options;
    options.sync = false; // as the FTP road's copies
    FileReplacement file(localPath, options);
    return file.Create() == 0 && file.Write(data.data(), data.size()) == 0 && file.Commit() == 0;
}

bool SerialStorage::EnterOwnFolder() {
    // The unit may have moved its folder since (its "make current file" is
    // its own business): a read or delete is sent only where this storage is.
    return Done(session_.ChangeFolder(CUnitSession::BytesToHex(folder_), kCodePage932Field)) == kOk;
}

bool SerialStorage::DeleteFile(const std::string& name) {
    if (!MaySend() || !IsSafeRemoteName(name) || !EnterOwnFolder())
        return false;
    return Done(session_.DeleteUnitFile(CUnitSession::BytesToHex(name), kCodePage932Field)) == kOk;
}

bool SerialStorage::RemoveFolder(const std::string& name) {
    if (!MaySend() || !IsSafeRemoteName(name) || !EnterOwnFolder())
        return false;
    return Done(session_.DeleteUnitFolder(CUnitSession::BytesToHex(name), kCodePage932Field)) ==
           kOk;
}

} // namespace qv
