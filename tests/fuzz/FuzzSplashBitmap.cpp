// The splash picture beside the program: a bitmap file decoded in memory.
#include "app/SplashBitmap.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> file(data, data + size);
    const auto bmp = DecodeSplashBitmap(file);
    if (bmp) {
        fuzz::Expect(bmp->width > 0 && bmp->height > 0, "a decoded picture has a size");
        fuzz::Expect(bmp->rgb.size() == static_cast<size_t>(bmp->width) * bmp->height * 3,
                     "three bytes a pixel");
    }
    return 0;
}
