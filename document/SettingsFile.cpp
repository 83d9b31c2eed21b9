// Saving and opening settings files. A save writes a temporary file beside the
// target and renames it over the target only when every byte is on disk; an
// open reads into a scratch image and takes it over only when every check passed.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "document/QuorvelDoc.h"

namespace qv {

namespace {

// Moves exactly size bytes with read() or write(); false on an error or an early end.
template <typename Buffer, typename Op> bool TransferAll(int fd, Buffer* data, size_t size, Op op) {
    while (size > 0) {
        const ssize_t n = op(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) { return TransferAll(fd, data, size, ::write); }
bool ReadAll(int fd, uint8_t* data, size_t size) { return TransferAll(fd, data, size, ::read); }

// Writes through a symbolic link to the file it names, so the link survives.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (real) {
            std::string r(real);
            std::free(real);
            return r;
        }
    }
    return path;
}

// Creates a new, private temporary file in the target's folder.
int CreateTempBeside(const std::string& target, std::string& tempPath) {
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = dir + "." + name + "." + std::to_string(::getpid()) + "." +
                   std::to_string(attempt) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void FillHeader(ImageHeader& h, const LocalTime& t) {
    h.SetAscii(hdr::kProduct, hdr::kProductWidth, hdr::kProductName);
    h.SetAscii(hdr::kVersion, hdr::kVersionWidth, hdr::kVersionText);
    h.SetU32(hdr::kImageSizeField, static_cast<uint32_t>(kImageSize));
    PutTimeBytes(h.data() + hdr::kSaveTime, t);
}

} // namespace

int CQuorvelDoc::SaveSettingsFile(const std::string& path) {
    lastErrno_ = 0;
    const std::string target = ResolveTarget(path);
    std::string tempPath;
    const int fd = CreateTempBeside(target, tempPath);
    if (fd < 0) {
        lastErrno_ = errno ? errno : EIO;
        return lastErrno_;
    }

    // The header and the scrambled recipients go into a scratch image; the
    // document takes the new header only once the file is safely in place.
    ImageHeader header = live_->header;
    FillHeader(header, clock_.Now());
    auto image = std::make_unique<TransferImage>();
    image->fill(0);
    DocToImage(*image);
    std::memcpy(image->data(), header.data(), header.kSize);

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    bool ok = WriteAll(fd, image->data(), image->size()) &&
              (!replacing || ::fchmod(fd, old.st_mode & 07777) == 0 || errno == EPERM) &&
              ::fsync(fd) == 0;
    int err = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        lastErrno_ = err ? err : EIO;
        return kFileCannotOpen;
    }

    live_->header = header;
    TakeSnapshot(kSnapshotSaved);
    SetPathName(path, true);
    return kFileOk;
}

int CQuorvelDoc::LoadSettingsFile(const std::string& path) {
    lastErrno_ = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        lastErrno_ = errno;
        return kFileCannotOpen;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        lastErrno_ = errno;
        ::close(fd);
        return kFileCannotOpen;
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        lastErrno_ = EISDIR;
        return kFileCannotOpen;
    }
    if (!S_ISREG(st.st_mode) || st.st_size != static_cast<off_t>(kImageSize)) {
        ::close(fd);
        return kFileWrongLength;
    }
    // The bytes after the blocks are not needed; the length was checked above.
    std::unique_ptr<TransferImage> image(new TransferImage);
    const bool read = ReadAll(fd, image->data(), kBlocksSize);
    const int readErr = errno;
    ::close(fd);
    if (!read) {
        lastErrno_ = readErr;
        return kFileCannotOpen;
    }
    // The product name field must hold the name followed by a NUL; the rest of
    // the header (version, size) is not checked.
    const size_t nameLen = std::strlen(hdr::kProductName);
    if (std::memcmp(image->data(), hdr::kProductName, nameLen + 1) != 0)
        return kFileWrongProduct;

    ImageToDoc(*image);
    SetPathName(path, true);
    TakeSnapshot(kSnapshotSaved);
    return kFileOk;
}

} // namespace qv
