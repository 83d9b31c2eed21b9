// A fixed-size run of bytes with little-endian field access: the building
// stone of every block and record of the settings image.
#pragma once
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qv {

template <size_t N> struct ByteBlock {
    static constexpr size_t kSize = N;
    std::array<uint8_t, N> bytes{};

    uint8_t* data() { return bytes.data(); }
    const uint8_t* data() const { return bytes.data(); }

    uint8_t U8(size_t off) const { return bytes.at(off); }
    uint16_t U16(size_t off) const {
        assert(off + 2 <= N);
        return static_cast<uint16_t>(bytes[off] | bytes[off + 1] << 8);
    }
    uint32_t U32(size_t off) const {
        assert(off + 4 <= N);
        return static_cast<uint32_t>(bytes[off]) | static_cast<uint32_t>(bytes[off + 1]) << 8 |
               static_cast<uint32_t>(bytes[off + 2]) << 16 |
               static_cast<uint32_t>(bytes[off + 3]) << 24;
    }
    uint64_t U64(size_t off) const {
        return static_cast<uint64_t>(U32(off)) | static_cast<uint64_t>(U32(off + 4)) << 32;
    }
    void SetU8(size_t off, uint8_t v) { bytes.at(off) = v; }
    void SetU16(size_t off, uint16_t v) {
        assert(off + 2 <= N);
        bytes[off] = static_cast<uint8_t>(v);
        bytes[off + 1] = static_cast<uint8_t>(v >> 8);
    }
    void SetU32(size_t off, uint32_t v) {
        assert(off + 4 <= N);
        for (int i = 0; i < 4; ++i)
            bytes[off + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    void SetU64(size_t off, uint64_t v) {
        SetU32(off, static_cast<uint32_t>(v));
        SetU32(off + 4, static_cast<uint32_t>(v >> 32));
    }
    // Copies a NUL-terminated ASCII literal with its NUL, as the defaults do.
    void SetAscii(size_t off, size_t width, const char* text) {
        const size_t n = std::strlen(text);
        assert(off + width <= N && n < width);
        std::memset(&bytes[off], 0, width);
        std::memcpy(&bytes[off], text, n);
    }
    void Clear() { bytes.fill(0); }

    bool operator==(const ByteBlock& o) const { return bytes == o.bytes; }
    bool operator!=(const ByteBlock& o) const { return bytes != o.bytes; }
};

// A table of fixed-size records, laid out without gaps.
template <typename Record, size_t Count> struct RecordTable {
    static constexpr size_t kCount = Count;
    static constexpr size_t kSize = Record::kSize * Count;
    std::array<Record, Count> records{};

    Record& operator[](size_t i) { return records.at(i); }
    const Record& operator[](size_t i) const { return records.at(i); }
    uint8_t* data() { return records[0].data(); }
    const uint8_t* data() const { return records[0].data(); }
    void Clear() {
        for (Record& r : records)
            r.Clear();
    }
    bool operator==(const RecordTable& o) const { return records == o.records; }
    bool operator!=(const RecordTable& o) const { return records != o.records; }
};

} // namespace qv
