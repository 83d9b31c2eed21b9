#include "link/Transport.h"

#include <cstring>

#include "link/Frames.h"

namespace qv {

LinkResult FrameReader::ReadFrame(Transport& transport, size_t capacity, std::string& frame,
                                  uint32_t& lastError) {
    frame.clear();
    const size_t maxChars = capacity > 0 ? capacity - 1 : 0;
    size_t scanned = begin_;
    for (;;) {
        const char* base = buffer_.data();
        const void* cr =
            end_ > scanned ? std::memchr(base + scanned, kCR, end_ - scanned) : nullptr;
        if (cr) {
            const size_t at = static_cast<size_t>(static_cast<const char*>(cr) - base);
            if (at - begin_ > maxChars) {
                Discard();
                return link_result::kReplyTooLong;
            }
            frame.assign(base + begin_, at - begin_);
            begin_ = at + 1;
            if (begin_ == end_)
                Discard();
            return link_result::kOk;
        }
        scanned = end_;
        if (end_ - begin_ > maxChars) {
            Discard();
            return link_result::kReplyTooLong;
        }
        // Room for the next read: move the pending part to the front.
        if (begin_ > 0) {
            std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
            scanned -= begin_;
            end_ -= begin_;
            begin_ = 0;
        }
        if (buffer_.size() < end_ + kReadSize)
            buffer_.resize(end_ + kReadSize);
        size_t got = 0;
        const LinkResult r = transport.ReadSome(buffer_.data() + end_, kReadSize, got, lastError);
        if (r != link_result::kOk) {
            Discard();
            return r;
        }
        end_ += got;
    }
}

} // namespace qv
