// The bits a character takes on the serial line, as the link benchmark
// counts its wire time.
#include <gtest/gtest.h>

#include "bench/LinkBench.h"
#include "document/CodePageText.h"

namespace qv {
namespace {

TEST(LinkBench, BitsOfACharacterOnTheLine) {
    struct Case {
        uint8_t data, parity, stop; // as the settings hold them
        double bits;
    };
    const Case cases[] = {
        {8, 1, 0, 11},  // odd parity, 1 stop bit
        {8, 0, 0, 10},  // no parity
        {8, 2, 2, 12},  // even parity, 2 stop bits
        {7, 3, 0, 10},  // mark parity
        {7, 4, 2, 11},  // space parity, 2 stop bits
        {5, 0, 1, 7.5}, // 1.5 stop bits
    };
    for (const Case& c : cases) {
        CommSettings s;
        s.ComByteSize = c.data;
        s.ComParity = c.parity;
        s.ComStopBits = c.stop;
        EXPECT_EQ(bench::LineBitsPerChar(s), c.bits)
            << int{c.data} << " " << int{c.parity} << " " << int{c.stop};
    }
    // The line the link sets up when nothing is stored: 8 data bits, odd
    // parity, 1 stop bit.
    MemoryProfile empty;
    CommSettings defaults;
    LoadCommSettings(empty, kCodePageJapanese, defaults);
    EXPECT_EQ(bench::LineBitsPerChar(defaults), 11.0);
}

} // namespace
} // namespace qv
