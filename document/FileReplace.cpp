#include "document/FileReplace.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr int kMaxLinkHops = 40; // as the kernel's own limit

} // namespace

// A save through a dangling link creates the file the link names.
int ResolveSymbolicLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0; // a missing file is created; other errors show at the open
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0)
            return errno;
        if (n == 0 || static_cast<size_t>(n) >= link.size())
            return ENAMETOOLONG;
        link.resize(static_cast<size_t>(n));
        const size_t slash = target.rfind('/');
        if (link[0] != '/' && slash != std::string::npos)
            link.insert(0, target, 0, slash + 1);
        target = link;
    }
    return ELOOP;
}

namespace {

// Permission bits that deny this user writing protect the file from being
// replaced, though the rename needs only the folder's. Root passes every
// permission check, so for root only a file without any write bit counts.
int WriteDenied(const std::string& target, const struct stat& st) {
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (::geteuid() == 0)
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 ? 0 : EACCES;
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0)
        return 0;
    return errno == ENOENT ? 0 : errno;
}

bool HasProcFds() {
    return ::access("/proc/self/fd", X_OK) == 0;
}

} // namespace

FileReplacement::FileReplacement(std::string target, ReplaceOptions options)
    : target_(std::move(target)), options_(std::move(options)) {
    const size_t slash = target_.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
    folder_ = folder.empty() ? "." : folder;
    tempPath_ = folder + TemporaryNameFor(target_);
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0)
        ::close(fd_);
    if (named_)
        ::unlink(tempPath_.c_str());
}

int FileReplacement::Fail(int error) {
    if (error_ == 0)
        error_ = error;
    return error;
}

int FileReplacement::Create() {
    if (options_.unnamedTemporary && HasProcFds()) {
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            Step(ReplaceStep::Created);
            return 0;
        }
        // Kernels without O_TMPFILE see a folder opened for writing.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return Fail(errno);
    }
    // Anything at the fixed name is a replacement's leftover; start afresh.
    if (int err = RemoveLeftover())
        return Fail(err);
    fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return Fail(errno);
    named_ = true;
    Step(ReplaceStep::Created);
    return 0;
}

int FileReplacement::Write(const void* data, size_t size) {
    if (error_ != 0)
        return error_;
    if (fd_ < 0)
        return Fail(EBADF);
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, std::min(size, kChunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(n == 0 ? EIO : errno);
        p += n;
        size -= static_cast<size_t>(n);
        Step(ReplaceStep::Wrote);
    }
    return 0;
}

int FileReplacement::Commit(const struct stat* keepModeOf) {
    if (error_ != 0)
        return error_;
    if (fd_ < 0)
        return Fail(EBADF);
    // An owner that is not us cannot be given back, and the mode may not
    // be ours to set then: the file is still saved.
    if (keepModeOf && ::fchmod(fd_, keepModeOf->st_mode & 07777) != 0 && errno != EPERM)
        return Fail(errno);
    if (options_.sync) {
        if (::fsync(fd_) != 0)
            return Fail(errno);
        Step(ReplaceStep::Synced);
    }
    if (!named_) {
        if (int err = RemoveLeftover())
            return Fail(err);
        char fdPath[32];
        std::snprintf(fdPath, sizeof fdPath, "/proc/self/fd/%d", fd_);
        if (::linkat(AT_FDCWD, fdPath, AT_FDCWD, tempPath_.c_str(), AT_SYMLINK_FOLLOW) != 0)
            return Fail(errno);
        named_ = true;
        Step(ReplaceStep::Named);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Fail(errno);
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0)
        return Fail(errno);
    named_ = false;
    Step(ReplaceStep::Replaced);
    return 0;
}

int FileReplacement::RemoveLeftover() {
    return ::unlink(tempPath_.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

void FileReplacement::Step(ReplaceStep step) {
    if (options_.onStep)
        options_.onStep(step);
}

std::string TemporaryNameFor(const std::string& target) {
    const size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    uint64_t hash = 0xcbf29ce484222325u; // FNV-1a
    for (unsigned char c : name)
        hash = (hash ^ c) * 0x100000001b3u;
    char text[32];
    std::snprintf(text, sizeof text, ".qv-%016llx.tmp", static_cast<unsigned long long>(hash));
    return text;
}

ReplaceResult ReplaceFileContents(const std::string& path, const uint8_t* data, size_t size,
                                  const ReplaceOptions& options) {
    if (path.empty() || path.back() == '/')
        return {path.empty() ? ENOENT : EISDIR, false};
    std::string target;
    if (int err = ResolveSymbolicLinks(path, target))
        return {err, false};
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing) {
        if (int err = WriteDenied(target, old))
            return {err, false};
    }
    FileReplacement r(target, options);
    if (int err = r.Create())
        return {err, false};
    if (int err = r.Write(data, size))
        return {err, true};
    if (int err = r.Commit(replacing ? &old : nullptr))
        return {err, true};
    return {};
}

} // namespace qv
