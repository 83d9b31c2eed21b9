#include "tools/unitsim/SimUdp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace unitsim {

namespace {

void PutAddress(std::vector<uint8_t>& d, size_t at, uint32_t a) {
    d[at] = static_cast<uint8_t>(a >> 24);
    d[at + 1] = static_cast<uint8_t>(a >> 16);
    d[at + 2] = static_cast<uint8_t>(a >> 8);
    d[at + 3] = static_cast<uint8_t>(a);
}

} // namespace

std::vector<uint8_t> SearchReplyDatagram(const SearchUnit& u) {
    std::vector<uint8_t> d(32 + u.name.size() + u.trailer.size(), 0);
    d[0] = 0x88;
    d[1] = u.mark;
    d[2] = u.status;
    d[3] = u.onOff;
    PutAddress(d, 4, u.ip);
    PutAddress(d, 8, u.mask);
    PutAddress(d, 12, u.gateway);
    std::copy(u.mac.begin(), u.mac.end(), d.begin() + 16);
    d[22] = u.versionMajor;
    d[23] = u.versionMinor;
    d[24] = static_cast<uint8_t>(u.tcpPort >> 8);
    d[25] = static_cast<uint8_t>(u.tcpPort);
    d[26] = u.run;
    d[27] = u.model;
    d[31] = u.nameLength >= 0 ? static_cast<uint8_t>(u.nameLength)
                              : static_cast<uint8_t>(std::min<size_t>(u.name.size(), 255));
    std::copy(u.name.begin(), u.name.end(), d.begin() + 32);
    std::copy(u.trailer.begin(), u.trailer.end(), d.begin() + 32 + u.name.size());
    if (u.length != 0)
        d.resize(u.length, 0);
    return d;
}

bool IsSearchRequest(const uint8_t* data, size_t size) {
    return size == 3 && data[0] == 0x88 && data[1] == 0x40 && data[2] == 0x00;
}

SearchResponder::SearchResponder() = default;

SearchResponder::~SearchResponder() {
    Stop();
}

uint16_t SearchResponder::Start(const std::string& address, uint16_t port) {
    std::lock_guard<std::mutex> lock(mu_);
    if (fd_ >= 0)
        return 0;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1)
        return 0;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    socklen_t len = sizeof local;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &len) != 0) {
        ::close(fd);
        return 0;
    }
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        ::close(fd);
        return 0;
    }
    fd_ = fd;
    stopping_ = false;
    thread_ = std::thread([this] { Run(); });
    return ntohs(local.sin_port);
}

void SearchResponder::Stop() {
    {
        std::lock_guard<std::mutex> lock(mu_);
        stopping_ = true;
    }
    if (wakeFd_ >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
    if (thread_.joinable())
        thread_.join();
    std::lock_guard<std::mutex> lock(mu_);
    if (fd_ >= 0)
        ::close(fd_);
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
    fd_ = wakeFd_ = -1;
    stopping_ = false;
}

void SearchResponder::AddUnit(const SearchUnit& unit) {
    std::lock_guard<std::mutex> lock(mu_);
    for (int i = 0; i < std::max(1, unit.copies); ++i)
        replies_.push_back(SearchReplyDatagram(unit));
}

void SearchResponder::AddDatagram(const std::vector<uint8_t>& datagram) {
    // A request of our own would be answered by ourselves again and again.
    if (datagram.empty() || IsSearchRequest(datagram.data(), datagram.size()))
        return;
    std::lock_guard<std::mutex> lock(mu_);
    replies_.push_back(datagram);
}

void SearchResponder::Clear() {
    std::lock_guard<std::mutex> lock(mu_);
    replies_.clear();
}

void SearchResponder::SetReplyTo(SearchReplyTo to) {
    std::lock_guard<std::mutex> lock(mu_);
    replyTo_ = to;
}

int SearchResponder::RequestCount() const {
    std::lock_guard<std::mutex> lock(mu_);
    return requests_;
}

void SearchResponder::Run() {
    for (;;) {
        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {fd_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno != EINTR)
            return;
        std::lock_guard<std::mutex> lock(mu_);
        if (stopping_)
            return;
        if (ready <= 0 || !(fds[1].revents & POLLIN))
            continue;
        for (;;) {
            uint8_t buffer[2048];
            sockaddr_in from{};
            socklen_t fromLen = sizeof from;
            const ssize_t n = ::recvfrom(fd_, buffer, sizeof buffer, 0,
                                         reinterpret_cast<sockaddr*>(&from), &fromLen);
            if (n < 0)
                break;
            // Replies of units, ours included, come by here too: only a
            // request is answered.
            if (!IsSearchRequest(buffer, static_cast<size_t>(n)))
                continue;
            ++requests_;
            sockaddr_in to = from;
            if (replyTo_ == SearchReplyTo::Broadcast)
                to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
            for (const auto& reply : replies_)
                ::sendto(fd_, reply.data(), reply.size(), MSG_NOSIGNAL,
                         reinterpret_cast<sockaddr*>(&to), sizeof to);
        }
    }
}

// ---- the simulator's calls ----

uint16_t UnitSimulator::StartUdp(const std::string& address, uint16_t port) {
    if (!search_)
        search_ = std::make_unique<SearchResponder>();
    return search_->Start(address, port);
}

void UnitSimulator::AddSearchUnit(const SearchUnit& unit) {
    if (!search_)
        search_ = std::make_unique<SearchResponder>();
    search_->AddUnit(unit);
}

void UnitSimulator::AddSearchDatagram(const std::vector<uint8_t>& datagram) {
    if (!search_)
        search_ = std::make_unique<SearchResponder>();
    search_->AddDatagram(datagram);
}

void UnitSimulator::ClearSearchUnits() {
    if (search_)
        search_->Clear();
}

void UnitSimulator::SetSearchReplyTo(SearchReplyTo to) {
    if (!search_)
        search_ = std::make_unique<SearchResponder>();
    search_->SetReplyTo(to);
}

int UnitSimulator::SearchRequestCount() const {
    return search_ ? search_->RequestCount() : 0;
}

} // namespace unitsim
