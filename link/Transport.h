// One open link to the unit behind a small set of operations (the way
// libmodbus keeps its back ends): send, wait-and-read what is there, drop
// pending input, close. Opening belongs to each transport, since each needs
// its own settings. Framing lives apart, in FrameReader and Frames.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/LinkResult.h"

namespace qv {

class Transport {
public:
    virtual ~Transport() = default;
    virtual bool IsOpen() const = 0;
    // Sends every byte or fails with the transport's send code.
    virtual LinkResult Send(const char* data, size_t size, uint32_t& lastError) = 0;
    // Waits up to the receive time-out for input and reads what is there
    // (at least one byte on success). A time-out, a closed link and a failed
    // read are failures with the transport's receive code.
    virtual LinkResult ReadSome(char* buffer, size_t capacity, size_t& got,
                                uint32_t& lastError) = 0;
    // Drops input that is already waiting (a reply no request is waiting for).
    virtual void DiscardInput() = 0;
    virtual LinkResult Close(uint32_t& lastError) = 0;
};

// Hands out reply frames up to their CR from buffered reads, so a long reply
// takes a few large reads instead of one read per byte. A frame is complete
// only when its CR was read.
class FrameReader {
public:
    // Reads one frame (returned without its CR). `capacity` is the receive
    // buffer of the protocol, NUL included: a frame of more than capacity - 1
    // characters is kReplyTooLong (the buffered input is dropped). A failure
    // of the transport is returned as it is, and drops the buffered input.
    LinkResult ReadFrame(Transport& transport, size_t capacity, std::string& frame,
                         uint32_t& lastError);
    // Drops whatever is buffered (at close, and before each request).
    void Discard() { begin_ = end_ = 0; }
    size_t Buffered() const { return end_ - begin_; }

private:
    static constexpr size_t kReadSize = 16384;
    std::vector<char> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
};

} // namespace qv
