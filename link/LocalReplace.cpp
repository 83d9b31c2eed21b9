#include "link/LocalReplace.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

LocalReplace::LocalReplace(const std::string& path) : path_(path), temp_(path + ".part-XXXXXX") {
    fd_ = ::mkstemp(temp_.data());
    created_ = fd_ >= 0;
    if (!created_)
        error_ = errno;
}

LocalReplace::~LocalReplace() {
    if (fd_ >= 0)
        ::close(fd_);
    if (created_ && !committed_)
        ::unlink(temp_.c_str());
}

bool LocalReplace::Write(const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (fd_ >= 0 && size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return fd_ >= 0;
}

bool LocalReplace::Commit() {
    if (fd_ < 0)
        return false;
    // mkstemp made the file for this user alone; the copy gets the rights a
    // new file would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd_, 0666 & ~mask) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (ok && ::rename(temp_.c_str(), path_.c_str()) == 0) {
        committed_ = true;
        return true;
    }
    error_ = errno;
    return false;
}

} // namespace qv
