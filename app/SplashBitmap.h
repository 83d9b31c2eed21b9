// The splash picture: a Windows bitmap file beside the program, decoded with
// every length, offset and colour count checked, so a short or crafted file
// shows no splash and is never read out of bounds.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

constexpr const char* kSplashFileName = "QVOpen.Opn";

struct SplashBitmap {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool hasPalette = false;
    std::vector<uint8_t> rgb; // width * height * 3, top row first
};

// Nullopt for anything that is not a bitmap this program can show.
std::optional<SplashBitmap> DecodeSplashBitmap(const std::vector<uint8_t>& file);
std::optional<SplashBitmap> ReadSplashBitmap(const std::string& path);

} // namespace qv
