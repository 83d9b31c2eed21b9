// Opening a file that must be a regular file, for reading. A FIFO, a device
// or a socket is refused at once: opening or reading one could block forever
// or never end.
#pragma once
#include <cstddef>
#include <string>
#include <sys/types.h>

namespace qv {

enum class RegularFileStatus {
    Ok,
    CannotOpen, // the open failed, or the path names a folder
    NotRegular, // a FIFO, device or socket: never read
};

class RegularFile {
public:
    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    RegularFileStatus Status() const { return status_; }
    // The descriptor in blocking mode while the status is Ok, else -1.
    int Fd() const { return fd_; }
    off_t Size() const { return size_; }
    // The system error behind CannotOpen (EISDIR for a folder), else 0.
    int Error() const { return error_; }

    // Exactly size bytes from the current position; false on an error or an
    // early end (errno tells which; EIO for an early end).
    bool ReadAll(void* data, size_t size);

private:
    int fd_ = -1;
    off_t size_ = 0;
    int error_ = 0;
    RegularFileStatus status_ = RegularFileStatus::CannotOpen;
};

} // namespace qv
