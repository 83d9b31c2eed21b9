// The units' side of the unit search: a UDP socket that answers each search
// request with one reply per simulated unit. It runs a thread of its own.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/unitsim/UnitSimulator.h"

namespace unitsim {

// The reply datagram of one unit, as the reply layout has it: mark, status,
// flag, IPv4 address, mask and gateway (most significant byte first), MAC,
// version, TCP port (most significant byte first), run flag, model code,
// three unused bytes, the name's length, the name, four trailer bytes; then
// cut or zero-padded to `length` when that is set.
std::vector<uint8_t> SearchReplyDatagram(const SearchUnit& unit);

// True for the 3-byte search request 0x88 0x40 0x00.
bool IsSearchRequest(const uint8_t* data, size_t size);

class SearchResponder {
public:
    SearchResponder();
    ~SearchResponder(); // stops
    SearchResponder(const SearchResponder&) = delete;
    SearchResponder& operator=(const SearchResponder&) = delete;

    // Binds address:port with SO_REUSEADDR and SO_BROADCAST (port 0 picks a
    // free one); the bound port, 0 on failure.
    uint16_t Start(const std::string& address, uint16_t port);
    void Stop();

    void AddUnit(const SearchUnit& unit);
    void AddDatagram(const std::vector<uint8_t>& datagram);
    void Clear();
    void SetReplyTo(SearchReplyTo to);
    int RequestCount() const;

private:
    void Run();

    mutable std::mutex mu_;
    std::vector<std::vector<uint8_t>> replies_; // in the order they go out
    SearchReplyTo replyTo_ = SearchReplyTo::Broadcast;
    int requests_ = 0;
    int fd_ = -1;
    int wakeFd_ = -1;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace unitsim
