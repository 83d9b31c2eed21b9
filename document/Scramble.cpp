#include "document/Scramble.h"

namespace qv {

void ScrambleBytes(uint8_t* buffer, int16_t length) {
    for (int i = 0; i < length; ++i) {
        const uint8_t c = static_cast<uint8_t>(~buffer[i]);
        buffer[i] = static_cast<uint8_t>((c >> 2) | (c << 6));
    }
}

void UnscrambleBytes(uint8_t* buffer, int16_t length) {
    for (int i = 0; i < length; ++i) {
        const uint8_t c = static_cast<uint8_t>(~buffer[i]);
        buffer[i] = static_cast<uint8_t>((c << 2) | (c >> 6));
    }
}

} // namespace qv
