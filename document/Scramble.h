// The byte transform applied to the unit password and to recipient texts.
#pragma once
#include <cstdint>

namespace qv {

// Each byte: complement, then rotate right by 2. A length of 0 or less does nothing.
void ScrambleBytes(uint8_t* buffer, int16_t length);
// The inverse: complement, then rotate left by 2.
void UnscrambleBytes(uint8_t* buffer, int16_t length);

} // namespace qv
