#include "link/SerialPort.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include "link/PosixIo.h"

namespace qv {

namespace {

using namespace link_result;
using posix_io::Clock;

speed_t BaudCode(uint32_t baud) {
    switch (baud) {
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 921600:
        return B921600;
    default:
        return B0;
    }
}

// The line settings of CommSettings on a termios record; false when a code
// has no POSIX form.
bool ApplyLine(const CommSettings& s, termios& t) {
    cfmakeraw(&t); // no echo, no signals, no CR/LF translation, 8 bits
    const speed_t speed = BaudCode(s.ComBaudRate);
    if (speed == B0 || cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0)
        return false;
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD;
    switch (s.ComByteSize) {
    case 5:
        t.c_cflag |= CS5;
        break;
    case 6:
        t.c_cflag |= CS6;
        break;
    case 7:
        t.c_cflag |= CS7;
        break;
    case 8:
        t.c_cflag |= CS8;
        break;
    default:
        return false;
    }
    t.c_iflag &= ~(INPCK | IGNPAR | PARMRK | IXON | IXOFF | IXANY);
    switch (s.ComParity) { // the Windows codes
    case 0:
        break;
    case 1:
        t.c_cflag |= PARENB | PARODD;
        break;
    case 2:
        t.c_cflag |= PARENB;
        break;
    case 3:
        t.c_cflag |= PARENB | CMSPAR | PARODD;
        break; // mark
    case 4:
        t.c_cflag |= PARENB | CMSPAR;
        break; // space
    default:
        return false;
    }
    if (s.ComParity != 0)
        t.c_iflag |= INPCK; // parity checking on
    switch (s.ComStopBits) {
    case 0:
        break;
    case 1: // one and a half: only with 5 data bits, where CSTOPB gives it
        if (s.ComByteSize != 5)
            return false;
        t.c_cflag |= CSTOPB;
        break;
    case 2:
        t.c_cflag |= CSTOPB;
        break;
    default:
        return false;
    }
    if (s.HandShake != 0)
        t.c_cflag |= CRTSCTS;
    // Reads never block: every wait is a poll() with its time-out.
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return true;
}

// A pseudo-terminal slave (Unix98 majors 136 to 143): no wire, so no parity
// and no character size; glibc refuses a parity request on it (EINVAL).
bool IsPseudoTerminal(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned m = major(st.st_rdev);
    return m >= 136 && m <= 143;
}

// Only the speed is compared: a pseudo-terminal keeps the speed but has no
// parity or character size of its own (it reports CS8 without parity).
bool SameSpeed(const termios& a, const termios& b) {
    return cfgetospeed(&a) == cfgetospeed(&b) && cfgetispeed(&a) == cfgetispeed(&b);
}

} // namespace

SerialPort::~SerialPort() {
    posix_io::CloseQuietly(*this);
}

LinkResult SerialPort::Open(const std::string& path, uint32_t& lastError) {
    posix_io::CloseQuietly(*this);
    if (path.empty()) {
        lastError = ENOENT;
        return kSerialOpen;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        lastError = static_cast<uint32_t>(errno);
        return kSerialOpen;
    }
    const posix_io::OpenFailure fail(fd, lastError);
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return fail(kSerialGetState, errno);
    // Exclusive use, as on other systems: no second open of the
    // terminal (TIOCEXCL) and no second program that honours the lock.
    if (::ioctl(fd, TIOCEXCL) != 0)
        return fail(kSerialOpen, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(kSerialOpen, errno);
    if (!ApplyLine(settings_, t))
        return fail(kSerialSetState, EINVAL);
    if (IsPseudoTerminal(fd)) {
        // The codes were checked above; a pseudo-terminal takes them without
        // parity and with 8 bits, as it reports them anyway.
        t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR);
        t.c_cflag |= CS8;
        t.c_iflag &= ~INPCK;
    }
    if (::tcsetattr(fd, TCSANOW, &t) != 0)
        return fail(kSerialSetState, errno);
    // tcsetattr succeeds when any change took; check that the speed did.
    termios now{};
    if (::tcgetattr(fd, &now) != 0)
        return fail(kSerialGetState, errno);
    if (!SameSpeed(now, t))
        return fail(kSerialSetState, EINVAL);
    // RTS held on without handshake, DTR raised; a pseudo-terminal has no
    // modem lines, so their failure is no error.
    int bits = TIOCM_DTR;
    if (settings_.HandShake == 0)
        bits |= TIOCM_RTS;
    (void)::ioctl(fd, TIOCMBIS, &bits);
    ::tcflush(fd, TCIFLUSH); // nothing stale from before the open
    fd_ = fd;
    return kOk;
}

LinkResult SerialPort::Send(const char* data, size_t size, uint32_t& lastError) {
    if (fd_ < 0) {
        lastError = EBADF;
        return kSerialSend;
    }
    if (size == 0) {
        lastError = EINVAL;
        return kSerialSend;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(settings_.ComSendTimeout);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            lastError = static_cast<uint32_t>(errno);
            return kSerialSend;
        }
        short revents = 0;
        if (const int err = posix_io::WaitReady(fd_, POLLOUT, deadline, revents)) {
            lastError = static_cast<uint32_t>(err);
            return kSerialSend;
        }
        if (revents & (POLLERR | POLLNVAL)) {
            lastError = EIO;
            return kSerialSend;
        }
    }
    return kOk;
}

LinkResult SerialPort::ReadSome(char* buffer, size_t capacity, size_t& got, uint32_t& lastError) {
    got = 0;
    if (fd_ < 0) {
        lastError = EBADF;
        return kSerialRecv;
    }
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(idleMs_ ? idleMs_ : settings_.ComRecvTimeout);
    bool polled = false;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n > 0) {
            got = static_cast<size_t>(n);
            return kOk;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            lastError = static_cast<uint32_t>(errno); // EIO: the device hung up
            return kSerialRecv;
        }
        if (n == 0 && polled) {
            // Reported readable, yet nothing to read: the device hung up.
            lastError = EIO;
            return kSerialRecv;
        }
        if (polled && Clock::now() >= deadline) {
            lastError = ETIMEDOUT;
            return kSerialRecv;
        }
        short revents = 0; // ETIMEDOUT: no byte within `COM RecvTimeout`
        if (const int err = posix_io::WaitReady(fd_, POLLIN, deadline, revents)) {
            lastError = static_cast<uint32_t>(err);
            return kSerialRecv;
        }
        if ((revents & (POLLHUP | POLLERR | POLLNVAL)) && !(revents & POLLIN)) {
            lastError = EIO;
            return kSerialRecv;
        }
        polled = true;
    }
}

void SerialPort::DiscardInput() {
    if (fd_ >= 0)
        ::tcflush(fd_, TCIFLUSH);
}

LinkResult SerialPort::Close(uint32_t& lastError) {
    if (fd_ < 0)
        return kOk;
    int bits = TIOCM_DTR;
    (void)::ioctl(fd_, TIOCMBIC, &bits);
    ::tcflush(fd_, TCIOFLUSH);
    // The exclusive mark belongs to the terminal, not to this descriptor:
    // lift it, or the next open fails while another side holds the terminal.
    (void)::ioctl(fd_, TIOCNXCL);
    return posix_io::CloseDescriptor(fd_, kSerialClose, lastError);
}

} // namespace qv
