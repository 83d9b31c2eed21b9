#include <gtest/gtest.h>

#include <vector>

#include "document/Scramble.h"

namespace qv {

TEST(Scramble, KnownBytesAndInverse) {
    std::vector<uint8_t> b = {'a', 'b', 'c', 0};
    ScrambleBytes(b.data(), 4);
    EXPECT_EQ(b, (std::vector<uint8_t>{0xA7, 0x67, 0x27, 0xFF}));
    UnscrambleBytes(b.data(), 4);
    EXPECT_EQ(b, (std::vector<uint8_t>{'a', 'b', 'c', 0}));

    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<uint8_t>(i);
    auto copy = all;
    ScrambleBytes(copy.data(), 256);
    UnscrambleBytes(copy.data(), 256);
    EXPECT_EQ(copy, all);
}

TEST(Scramble, NonPositiveLengthChangesNothing) {
    uint8_t b[2] = {1, 2};
    ScrambleBytes(b, 0);
    ScrambleBytes(b, -1);
    UnscrambleBytes(b, -1);
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[1], 2);
}

} // namespace qv
