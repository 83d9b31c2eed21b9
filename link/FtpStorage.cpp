#include "link/FtpStorage.h"

namespace qv {

namespace {
const std::string kNoFolder;
} // namespace

std::string JoinUnitPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder == "/")
        return "/" + name;
    return folder + "/" + name;
}

std::string ParentUnitPath(const std::string& folder) {
    const size_t slash = folder.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return "/";
    return folder.substr(0, slash);
}

bool FtpStorage::Connect(const std::string& host, int port, const std::string& user,
                         const std::string& password) {
    host_ = host;
    port_ = port;
    user_ = user;
    password_ = password;
    return client_.Connect(host, port, user, password);
}

void FtpStorage::Disconnect() {
    client_.Disconnect();
}

int FtpStorage::EnsureConnected() {
    // libcurl makes a dropped connection again by itself: what counts is
    // whether the folder can still be entered.
    const std::string folder = client_.IsConnected() ? client_.CurrentFolder() : "/";
    if (client_.IsConnected() && client_.ChangeFolder(folder))
        return 0;
    if (!client_.Connect(host_, port_, user_, password_))
        return 1;
    return client_.ChangeFolder(folder) ? 0 : 2;
}

void FtpStorage::MakeCurrentFile() {
    client_.SendCommandNoReply("CWD /make_current_file");
}

const std::string& FtpStorage::Folder() const {
    return client_.IsConnected() ? client_.CurrentFolder() : kNoFolder;
}

bool FtpStorage::SetFolder(const std::string& path) {
    return client_.ChangeFolder(path);
}

bool FtpStorage::List(std::vector<FtpEntry>& entries) {
    return client_.List(entries);
}

bool FtpStorage::Download(const std::string& name, const std::string& localPath,
                          const DownloadWatch& watch) {
    return client_.Download(name, localPath, watch);
}

bool FtpStorage::DeleteFile(const std::string& name) {
    return client_.DeleteFile(name);
}

bool FtpStorage::RemoveFolder(const std::string& name) {
    return client_.RemoveFolder(name);
}

} // namespace qv
