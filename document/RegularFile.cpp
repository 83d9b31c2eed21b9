#include "document/RegularFile.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

RegularFile::RegularFile(const std::string& path) {
    // Without O_NONBLOCK the open of a FIFO waits for a writer, and that of a
    // serial device for its carrier.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error_ = errno;
    } else if (S_ISDIR(st.st_mode)) {
        error_ = EISDIR;
    } else if (!S_ISREG(st.st_mode)) {
        status_ = RegularFileStatus::NotRegular;
    } else {
        // A regular file never blocks; reads then behave as usual.
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
            fd_ = fd;
            size_ = st.st_size;
            status_ = RegularFileStatus::Ok;
            return;
        }
        error_ = errno;
    }
    ::close(fd);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool RegularFile::ReadAll(void* data, size_t size) {
    auto* p = static_cast<uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = ::read(fd_, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace qv
