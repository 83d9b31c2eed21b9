#include "app/SplashBitmap.h"

#include "document/RegularFile.h"

namespace qv {

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;
constexpr int kMaxSide = 8192;           // far above any splash; bounds the allocation
constexpr size_t kMaxFileSize = 64u << 20;

uint32_t U32(const std::vector<uint8_t>& b, size_t off) {
    return static_cast<uint32_t>(b[off]) | static_cast<uint32_t>(b[off + 1]) << 8 |
           static_cast<uint32_t>(b[off + 2]) << 16 | static_cast<uint32_t>(b[off + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t off) {
    return static_cast<uint16_t>(b[off] | b[off + 1] << 8);
}

} // namespace

std::optional<SplashBitmap> DecodeSplashBitmap(const std::vector<uint8_t>& f) {
    if (f.size() < kFileHeader + kInfoHeader || f[0] != 'B' || f[1] != 'M')
        return std::nullopt;
    const uint32_t pixelOffset = U32(f, 10);
    const uint32_t infoSize = U32(f, 14);
    const int32_t width = static_cast<int32_t>(U32(f, 18));
    const int32_t rawHeight = static_cast<int32_t>(U32(f, 22));
    const uint16_t planes = U16(f, 26);
    const uint16_t bits = U16(f, 28);
    const uint32_t compression = U32(f, 30);
    const uint32_t coloursUsed = U32(f, 46);
    if (infoSize < kInfoHeader || infoSize > f.size() - kFileHeader || planes != 1 ||
        compression != 0 || width <= 0 || width > kMaxSide || rawHeight == 0 ||
        rawHeight < -kMaxSide || rawHeight > kMaxSide)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;

    // Colour table right after the information header.
    std::vector<uint8_t> palette;
    if (bits <= 8) {
        const uint32_t maxColours = 1u << bits;
        const uint32_t colours = coloursUsed == 0 ? maxColours : coloursUsed;
        if (colours > maxColours)
            return std::nullopt;
        const size_t tableStart = kFileHeader + infoSize;
        if (tableStart + size_t{colours} * 4 > f.size() || tableStart + colours * 4 > pixelOffset)
            return std::nullopt;
        palette.assign(f.begin() + static_cast<long>(tableStart),
                       f.begin() + static_cast<long>(tableStart + colours * 4));
    }

    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset < kFileHeader + infoSize || pixelOffset > f.size() ||
        stride * static_cast<size_t>(height) > f.size() - pixelOffset)
        return std::nullopt;

    SplashBitmap out;
    out.width = width;
    out.height = height;
    out.bitCount = bits;
    out.hasPalette = !palette.empty();
    out.rgb.resize(static_cast<size_t>(width) * height * 3);
    const size_t colourCount = palette.size() / 4;
    for (int y = 0; y < height; ++y) {
        const int srcRow = topDown ? y : height - 1 - y;
        const uint8_t* row = f.data() + pixelOffset + stride * static_cast<size_t>(srcRow);
        uint8_t* dst = out.rgb.data() + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x, dst += 3) {
            if (bits <= 8) {
                const size_t bitPos = static_cast<size_t>(x) * bits;
                const unsigned shift = 8 - bits - (bitPos % 8);
                const size_t index = (row[bitPos / 8] >> shift) & ((1u << bits) - 1);
                if (index >= colourCount) { // an index past the table shows black
                    dst[0] = dst[1] = dst[2] = 0;
                    continue;
                }
                dst[0] = palette[index * 4 + 2];
                dst[1] = palette[index * 4 + 1];
                dst[2] = palette[index * 4];
            } else {
                const uint8_t* px = row + static_cast<size_t>(x) * (bits / 8);
                dst[0] = px[2];
                dst[1] = px[1];
                dst[2] = px[0];
            }
        }
    }
    return out;
}

std::optional<SplashBitmap> ReadSplashBitmap(const std::string& path) {
    RegularFile file(path);
    if (file.Status() != RegularFileStatus::Ok || file.Size() <= 0 ||
        static_cast<uint64_t>(file.Size()) > kMaxFileSize)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
    if (!file.ReadAll(bytes.data(), bytes.size()))
        return std::nullopt;
    return DecodeSplashBitmap(bytes);
}

} // namespace qv
